#include "blit_ops.h"

#include <cstring>
#include <vector>

#include "pixel_rows.h"

namespace platform::display {

namespace {

// The per-pixel operations of the blits, each applied to one run of pixels: (destination, source, count).

struct OpaqueCopy {
    void operator()(WORD* dest, const WORD* source, int count) const
    {
        std::memmove(dest, source, static_cast<size_t>(count) * sizeof(WORD));
    }
};

struct KeyedCopy {
    explicit KeyedCopy(KeyRange key) : key(key), sse2(UseSse2Rows()) {}

    void operator()(WORD* dest, const WORD* source, int count) const
    {
        if (key.low != key.high) {
            for (int i = 0; i < count; ++i)
                if (source[i] < key.low || source[i] > key.high) dest[i] = source[i];
            return;
        }
        if (sse2)
            CopyRowSkippingSse2(dest, source, count, key.low);
        else
            CopyRowSkippingPlain(dest, source, count, key.low);
    }

    KeyRange key;
    bool sse2;
};

struct Fill {
    explicit Fill(WORD color) : color(color), sse2(UseSse2Rows()) {}

    void operator()(WORD* dest, int count) const
    {
        // A colour of two equal bytes is the C library's fastest fill.
        if ((color & 0xFF) == color >> 8)
            std::memset(dest, color & 0xFF, static_cast<size_t>(count) * sizeof(WORD));
        else if (sse2)
            FillRowSse2(dest, count, color);
        else
            FillRowPlain(dest, count, color);
    }

    WORD color;
    bool sse2;
};

bool SameMemory(const PixelView& a, const PixelView& b) { return a.pixels == b.pixels; }

// Whether runs of `width` pixels are the view's whole rows, one after another in memory: a rectangle that wide
// is then one run.
bool RowsFollowOn(const PixelView& view, int width) { return view.pitch == static_cast<LONG>(width * sizeof(WORD)); }

// Walks the source rectangle's rows onto the destination at (x, y), as one run where both sides allow it.
template <typename RowOp>
void CopyRows(const PixelView& dest, int x, int y, const PixelView& source, const Rect& from, RowOp op)
{
    const int w = from.Width();
    const int h = from.Height();
    if (RowsFollowOn(dest, w) && RowsFollowOn(source, w)) {
        op(dest.Row(y) + x, source.Row(from.top) + from.left, w * h);
        return;
    }
    // Rows overlap only within the same surface; walking away from the overlap keeps them intact.
    const bool upward = SameMemory(dest, source) && y > from.top;
    for (int i = 0; i < h; ++i) {
        const int row = upward ? h - 1 - i : i;
        op(dest.Row(y + row) + x, source.Row(from.top + row) + from.left, w);
    }
}

// Walks the destination rectangle's rows, each made of the nearest source pixels.
template <typename RowOp>
void ScaleRows(const PixelView& dest, const Rect& to, const PixelView& source, const Rect& from, RowOp op)
{
    const int dw = to.Width();
    const int dh = to.Height();
    const long long sw = from.Width();
    const long long sh = from.Height();
    std::vector<int> columns(static_cast<size_t>(dw));
    for (int x = 0; x < dw; ++x) columns[x] = from.left + static_cast<int>(x * sw / dw);
    std::vector<WORD> scaled(static_cast<size_t>(dw));
    for (int y = 0; y < dh; ++y) {
        const WORD* in = source.Row(from.top + static_cast<int>(y * sh / dh));
        for (int x = 0; x < dw; ++x) scaled[x] = in[columns[x]];
        op(dest.Row(to.top + y) + to.left, scaled.data(), dw);
    }
}

// A private copy of a rectangle, for blits whose source and destination share memory.
struct RectCopy {
    std::vector<WORD> pixels;
    PixelView view;
    Rect rect;

    RectCopy(const PixelView& source, const Rect& from) : rect(Rect::OfSize(from.Width(), from.Height()))
    {
        pixels.resize(static_cast<size_t>(rect.Width()) * rect.Height());
        view = PixelView{pixels.data(), static_cast<LONG>(rect.Width() * sizeof(WORD)), rect.Width(), rect.Height(),
                         source.is555};
        CopyRows(view, 0, 0, source, from, OpaqueCopy{});
    }
};

}  // namespace

bool LiesOn(const Rect& rect, int width, int height)
{
    return !rect.IsEmpty() && Rect::OfSize(width, height).Contains(rect);
}

void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source, const Rect& from, const KeyRange* key)
{
    if (from.IsEmpty()) return;
    if (!key) return CopyRows(dest, x, y, source, from, OpaqueCopy{});
    if (SameMemory(dest, source)) {
        const RectCopy copy(source, from);
        return CopyRows(dest, x, y, copy.view, copy.rect, KeyedCopy(*key));
    }
    CopyRows(dest, x, y, source, from, KeyedCopy(*key));
}

void ScalePixels(const PixelView& dest, const Rect& to, const PixelView& source, const Rect& from, const KeyRange* key)
{
    if (to.IsEmpty() || from.IsEmpty()) return;
    if (SameMemory(dest, source)) {
        const RectCopy copy(source, from);
        return ScalePixels(dest, to, copy.view, copy.rect, key);
    }
    if (key)
        ScaleRows(dest, to, source, from, KeyedCopy(*key));
    else
        ScaleRows(dest, to, source, from, OpaqueCopy{});
}

void FillPixels(const PixelView& dest, const Rect& area, WORD color)
{
    if (area.IsEmpty()) return;
    const Fill fill(color);
    const int w = area.Width();
    if (RowsFollowOn(dest, w)) return fill(dest.Row(area.top) + area.left, w * area.Height());
    for (int y = area.top; y < area.bottom; ++y) fill(dest.Row(y) + area.left, w);
}

}  // namespace platform::display
