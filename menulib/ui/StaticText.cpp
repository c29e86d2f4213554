#include "ui/StaticText.h"

#include <algorithm>

#include "ui/Button.h"
#include "ui/DisabledLook.h"
#include "ui/Themes.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr char kEmptyText[] = "XXX";

bool HasLineBreak(const CString& text) { return text.FindChar('\n') >= 0; }

}  // namespace

CJStaticText::CJStaticText(CJWindow* parent, const char* text) : CJWindow(parent, nullptr)
{
    m_painter = GetTheme()->CreateStaticTextPainter(this);
    CJStaticText::SetText(text);
}

CJStaticText::~CJStaticText() = default;

void CJStaticText::SetWrapIndents(int left, int right, int nextJustification, int nextLeft, int nextRight)
{
    m_left = left;
    m_right = right;
    m_nextJustification = nextJustification;
    m_nextLeft = nextLeft;
    m_nextRight = nextRight;
}

WrapLayout CJStaticText::Layout() const
{
    return {m_wrapWidth - 2 * GetMargin() - 2,
            GetLineSpacing(),
            m_justification,
            m_left,
            m_right,
            m_nextJustification,
            m_nextLeft,
            m_nextRight};
}

void CJStaticText::SetText(const char* text)
{
    CJWindow::SetText(text);
    SizeToText();
}

void CJStaticText::SetFont(CFont* font)
{
    CJWindow::SetFont(font);
    SizeToText();
}

void CJStaticText::SizeToText()
{
    CFont* font = GetFont();
    if (!font) return;
    const CString& text = GetText();
    const int frame = 2 * GetMargin() + 2;
    m_multiLine = false;
    int width = GetWidth();
    int height = 0;
    if (m_wrapWidth != kNoWrapping) {
        const WrapLayout l = Layout();
        height = font->MeasureWrappedHeight(text, l.width, l.spacing, l.justification, l.left, l.right,
                                            l.nextJustification, l.nextLeft, l.nextRight) +
                 frame;
        width = font->MeasureWrappedWidth(text, l.width, l.spacing, l.justification, l.left, l.right,
                                          l.nextJustification, l.nextLeft, l.nextRight) +
                frame;
    } else if (HasLineBreak(text)) {
        m_multiLine = true;
        width = font->MeasureMultiLineWidth(text) + frame;
        height = font->MeasureMultiLineHeight(text, GetLineSpacing()) + frame;
    } else {
        const int needed = font->MeasureWidth(text.IsEmpty() ? CString(kEmptyText) : text) + 2 * GetMargin();
        width = std::max(width, needed);
        height = font->GetLineHeight() + frame;
    }
    if (m_maximumHeight != kNoMaximumHeight) height = std::min(height, m_maximumHeight);
    SetSize(width, height);
}

const std::vector<WrappedLine>& CJStaticText::WrappedLines()
{
    WrapCache& cache = m_wrapCache;
    CFont* font = GetFont();
    const WrapLayout layout = Layout();
    const bool same = cache.valid && cache.font == font && cache.fontGeneration == font->GetLayoutGeneration() &&
                      cache.layout == layout && cache.text == GetText();
    if (same) return cache.lines;
    cache.lines = font->WrapLines(GetText(), layout);
    cache.text = GetText();
    cache.layout = layout;
    cache.font = font;
    cache.fontGeneration = font->GetLayoutGeneration();
    cache.valid = true;
    return cache.lines;
}

void CJStaticText::Draw(CFrameInterface* frame)
{
    CFont* font = GetFont();
    const int margin = GetMargin();
    if (font && GetText().IsNotEmpty()) {
        if (m_wrapWidth != kNoWrapping) {
            const DisabledLook look(!IsEnabledWithParent() || IsGreyed());
            for (const WrappedLine& line : WrappedLines())
                font->DrawText(frame, margin + line.x, margin + 1 + line.y, line.text, line.justification, 0);
        } else {
            int x = margin;
            if (m_justification == kJustifyCentre) x = GetWidth() / 2;
            if (m_justification == kJustifyRight) x = GetWidth() - margin - 1;
            if (m_multiLine) {
                const DisabledLook look(!IsEnabledWithParent() || IsGreyed());
                font->DrawMultiLineText(frame, x, margin + 1, GetText(), GetLineSpacing(), m_justification, nullptr);
            } else {
                DrawText(frame, x, margin + 1, m_justification);
            }
        }
    }
    CJWindow::Draw(frame);
}

CSequence* CJStaticText::GetCursorForPoint(int x, int y)
{
    if (m_handCursor && IsEnabled()) return GetToolkitCursor(kHandCursorSlot);
    return CJWindow::GetCursorForPoint(x, y);
}

bool CJStaticText::RequestHint(int x, int y)
{
    CFont* font = GetFont();
    if (!font || m_wrapWidth != kNoWrapping || m_multiLine || !IsUnder(x, y)) return CJWindow::RequestHint(x, y);
    const int textWidth = font->MeasureWidth(GetText());
    if (textWidth <= GetWidth()) return CJWindow::RequestHint(x, y);
    const platform::Rect& screen = GetScreenRect();
    int textX = screen.left + GetMargin();
    if (m_justification == kJustifyCentre) textX = screen.left + GetWidth() / 2 - textWidth / 2;
    if (m_justification == kJustifyRight) textX = screen.left + GetWidth() - GetMargin() - 1 - textWidth;
    PopUpText(1, GetText(), textX, screen.top + GetMargin() + 1);
    return true;
}

bool CJStaticText::IsButtonKind() const
{
    const CJWindow* next = GetNextSibling();
    return next && next->IsTabStop() && !next->IsButtonKind();
}
