// Measuring, drawing, breaking and wrapping text with a font's glyphs.
#include <algorithm>

#include "frames/Frame.h"
#include "ui/Font.h"

namespace {

int LengthOf(const CString& text) { return text.GetLength(); }

// The width of a line as LineBreak measures its pieces: without a closing "\n".
int PieceEnd(const CString& text, int start)
{
    const int length = LengthOf(text);
    if (text.GetAt(start) == ' ') return start + 1;
    int end = start;
    while (end < length && text.GetAt(end) != ' ' && text.GetAt(end) != '\n') ++end;
    return end < length ? end + 1 : end;
}

}  // namespace

int CFont::MeasureWidth(const CString& text, int count)
{
    const int length = LengthOf(text);
    const int end = count < 0 ? length : std::min(count, length);
    int width = 0;
    for (int i = 0; i < end; ++i) width += GetCharWidth(text.GetAt(i));
    return width;
}

int CFont::MeasureMultiLineWidth(const CString& text)
{
    int widest = 0;
    const int length = LengthOf(text);
    for (int start = 0; start <= length;) {
        int end = text.FindChar('\n', start);
        if (end < 0) end = length;
        widest = std::max(widest, MeasureWidth(text.Mid(start, end - start)));
        start = end + 1;
    }
    return widest;
}

int CFont::MeasureMultiLineHeight(const CString& text, int spacing)
{
    const int lines = text.CountChar('\n') + 1;
    return lines * GetLineHeight() + (lines - 1) * spacing;
}

void CFont::DrawText(CFrameInterface* frame, int x, int y, const CString& text, int justification, int fixedChar)
{
    const int advance = fixedChar ? GetCharWidth(fixedChar) : 0;
    if (text.IsEmpty()) return;
    const int length = LengthOf(text);
    if (justification == kJustifyCentre || justification == kJustifyRight) {
        int shift = 0;
        if (fixedChar) {
            int counted = 0;
            for (int i = 0; i < length; ++i) counted += text.GetAt(i) >= 32 ? 1 : 0;
            shift = advance * counted;
        } else {
            shift = MeasureWidth(text, -1);
        }
        x -= justification == kJustifyCentre ? shift / 2 : shift;
    }
    for (int i = 0; i < length; ++i) {
        const int code = text.GetAt(i);
        if (code < kFirstPrintableCode) {
            if (!text.IsWide()) GetGlyph8(code);
            continue;
        }
        CFrame* glyph = text.IsWide() ? GetGlyph16(code) : GetGlyph8(code);
        const int width = glyph ? glyph->GetWidth() : 0;
        if (glyph) frame->BlitAt(glyph, fixedChar ? x + (advance - width) / 2 : x, y, GetBlitType());
        x += fixedChar ? advance : width;
    }
}

int CFont::DrawMultiLineText(CFrameInterface* frame, int x, int y, const CString& text, int spacing, int justification,
                             int* yOut)
{
    const int length = LengthOf(text);
    int lines = 0;
    for (int start = 0; start <= length; ++lines) {
        int end = text.FindChar('\n', start);
        if (end < 0) end = length;
        DrawText(frame, x, y, text.Mid(start, end - start), justification, 0);
        y += GetLineHeight() + spacing;
        start = end + 1;
    }
    if (yOut) *yOut = y;
    return lines;
}

int CFont::LineBreak(const CString& text, int width, CString* out, bool breakWords)
{
    const int length = LengthOf(text);
    if (!text.IsWide() && length > 0) {
        int taken = 0;
        int n = 0;
        while (n < length) {
            const int end = PieceEnd(text, n);
            const bool endsLine = text.GetAt(end - 1) == '\n';
            const int pieceWidth = MeasureWidth(text.Mid(n, end - n - (endsLine ? 1 : 0)));
            if (taken + pieceWidth >= width) break;
            if (out) out->Append(text.Mid(n, end - n));
            taken += pieceWidth;
            n = end;
            if (endsLine) break;
        }
        if (n > 0) return n;
        if (!breakWords) return 0;
    }
    int n = 0;
    for (int sum = 0; n < length; ++n) {
        sum += GetCharWidth(text.GetAt(n));
        if (sum >= width) break;
    }
    if (out && n > 0) out->Append(text.Left(n));
    return n;
}

CString CFont::WrapText(const CString& text, int width)
{
    CString wrapped;
    CString rest(text);
    bool first = true;
    while (true) {
        const int n = LineBreak(rest, width, nullptr, true);
        if (n == 0) break;
        CString line = rest.Left(n);
        int keep = LengthOf(line);
        while (keep > 0 && (line.GetAt(keep - 1) == ' ' || line.GetAt(keep - 1) == '\n')) --keep;
        if (!first) wrapped.Append("\n");
        wrapped.Append(line, keep);
        first = false;
        rest = rest.Mid(n);
    }
    return wrapped;
}

void CFont::LayOutParagraph(const CString& paragraph, const WrapLayout& layout, CFrameInterface* frame, int x, int y,
                            LayoutResult& result, std::vector<WrappedLine>* lines)
{
    const int laterAvailable = layout.width - layout.nextLeft - layout.nextRight;
    int available = layout.width - layout.left - layout.right;
    int justification = layout.justification;
    int indent = layout.left;
    const int length = LengthOf(paragraph);
    int position = 0;
    auto nextLine = [&] {
        ++result.lines;
        result.height += GetLineHeight() + layout.spacing;
        available = laterAvailable;
        justification = layout.nextJustification;
        indent = layout.nextLeft;
    };
    while (true) {
        while (position < length && paragraph.GetAt(position) == ' ') ++position;
        if (position >= length) return;
        CString line;
        const int n = LineBreak(paragraph.Mid(position), available, &line, available >= laterAvailable);
        if (n == 0 && available < laterAvailable) {
            nextLine();
            continue;
        }
        if (n == 0) return;
        position += n;
        const int lineWidth = MeasureWidth(line);
        int right = lineWidth + indent;
        int lineX = x + indent;
        if (justification == kJustifyCentre) {
            right = (available + lineWidth) / 2 + indent;
            lineX += available / 2;
        } else if (justification == kJustifyRight) {
            right = available + indent;
            lineX += available;
        }
        result.width = std::max(result.width, right);
        if (frame) DrawText(frame, lineX, y + result.height, line, justification, 0);
        if (lines) lines->push_back({line, lineX - x, result.height, justification});
        nextLine();
    }
}

CFont::LayoutResult CFont::LayOut(const CString& text, const WrapLayout& layout, CFrameInterface* frame, int x, int y,
                                  std::vector<WrappedLine>* lines)
{
    LayoutResult result;
    const int length = LengthOf(text);
    for (int start = 0; start <= length;) {
        int end = text.FindChar('\n', start);
        if (end < 0) end = length;
        LayOutParagraph(text.Mid(start, end - start), layout, frame, x, y, result, lines);
        start = end + 1;
    }
    // The height was summed with a spacing after every line; the last line has none.
    result.height = result.lines ? result.height - layout.spacing : 0;
    return result;
}

const CFont::LayoutResult& CFont::MeasureWrapped(const CString& text, const WrapLayout& layout)
{
    LayoutCache& cache = m_layoutCache;
    cache.hit = cache.valid && cache.textObject == &text && cache.layout == layout && cache.content == text;
    if (cache.hit) return cache.result;
    cache.result = LayOut(text, layout, nullptr, 0, 0);
    cache.textObject = &text;
    cache.content = text;
    cache.layout = layout;
    cache.valid = true;
    return cache.result;
}

int CFont::MeasureWrappedHeight(const CString& text, int width, int spacing, int justification, int left, int right,
                                int nextJustification, int nextLeft, int nextRight)
{
    return MeasureWrapped(text, {width, spacing, justification, left, right, nextJustification, nextLeft, nextRight})
        .height;
}

int CFont::MeasureWrappedWidth(const CString& text, int width, int spacing, int justification, int left, int right,
                               int nextJustification, int nextLeft, int nextRight)
{
    return MeasureWrapped(text, {width, spacing, justification, left, right, nextJustification, nextLeft, nextRight})
        .width;
}

int CFont::DrawWrappedText(CFrameInterface* frame, int x, int& y, const CString& text, int width, int spacing,
                           int justification, int left, int right, int nextJustification, int nextLeft, int nextRight)
{
    const WrapLayout layout{width, spacing, justification, left, right, nextJustification, nextLeft, nextRight};
    const LayoutResult result = LayOut(text, layout, frame, x, y);
    y += result.lines ? result.height + spacing : 0;
    return result.lines;
}

std::vector<WrappedLine> CFont::WrapLines(const CString& text, const WrapLayout& layout)
{
    std::vector<WrappedLine> lines;
    LayOut(text, layout, nullptr, 0, 0, &lines);
    return lines;
}
