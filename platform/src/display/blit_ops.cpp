#include "blit_ops.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::display {

namespace {

void CopyRow(WORD* dest, const WORD* source, int count, const KeyRange* key)
{
    if (!key) {
        std::memmove(dest, source, static_cast<size_t>(count) * sizeof(WORD));
        return;
    }
    if (key->low == key->high) {
        const WORD skip = key->low;
        int i = 0;
#if defined(__SSE2__)
        // Eight pixels at a time: where the source holds the key, the destination's pixel stays.
        const __m128i keys = _mm_set1_epi16(static_cast<short>(skip));
        for (; i + 8 <= count; i += 8) {
            const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
            const __m128i out = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + i));
            const __m128i keep = _mm_cmpeq_epi16(in, keys);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i),
                             _mm_or_si128(_mm_and_si128(keep, out), _mm_andnot_si128(keep, in)));
        }
#endif
        for (; i < count; ++i) dest[i] = source[i] == skip ? dest[i] : source[i];
        return;
    }
    for (int i = 0; i < count; ++i) {
        const WORD p = source[i];
        if (p < key->low || p > key->high) dest[i] = p;
    }
}

bool SameMemory(const PixelView& a, const PixelView& b) { return a.pixels == b.pixels; }

// A private copy of a rectangle, for blits whose source and destination share memory.
struct RectCopy {
    std::vector<WORD> pixels;
    PixelView view;
    RECT rect;

    RectCopy(const PixelView& source, const RECT& from)
    {
        const int w = from.right - from.left;
        const int h = from.bottom - from.top;
        pixels.resize(static_cast<size_t>(w) * h);
        view = PixelView{pixels.data(), static_cast<LONG>(w * sizeof(WORD)), w, h, source.is555};
        for (int y = 0; y < h; ++y)
            std::memcpy(view.Row(y), source.Row(from.top + y) + from.left, static_cast<size_t>(w) * sizeof(WORD));
        rect = RECT{0, 0, w, h};
    }
};

}  // namespace

bool RectInside(const RECT& rect, int width, int height)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source, const RECT& from, const KeyRange* key)
{
    const int w = from.right - from.left;
    const int h = from.bottom - from.top;
    if (SameMemory(dest, source) && key) {
        RectCopy copy(source, from);
        CopyPixels(dest, x, y, copy.view, copy.rect, key);
        return;
    }
    // Rows overlap only within the same surface; walking away from the overlap keeps them intact.
    const bool upward = SameMemory(dest, source) && y > from.top;
    for (int i = 0; i < h; ++i) {
        const int row = upward ? h - 1 - i : i;
        CopyRow(dest.Row(y + row) + x, source.Row(from.top + row) + from.left, w, key);
    }
}

void ScalePixels(const PixelView& dest, const RECT& to, const PixelView& source, const RECT& from, const KeyRange* key)
{
    if (SameMemory(dest, source)) {
        RectCopy copy(source, from);
        ScalePixels(dest, to, copy.view, copy.rect, key);
        return;
    }
    const int dw = to.right - to.left;
    const int dh = to.bottom - to.top;
    const long long sw = from.right - from.left;
    const long long sh = from.bottom - from.top;
    std::vector<int> columns(static_cast<size_t>(dw));
    for (int x = 0; x < dw; ++x) columns[x] = from.left + static_cast<int>(x * sw / dw);
    for (int y = 0; y < dh; ++y) {
        const WORD* in = source.Row(from.top + static_cast<int>(y * sh / dh));
        WORD* out = dest.Row(to.top + y) + to.left;
        for (int x = 0; x < dw; ++x) {
            const WORD p = in[columns[x]];
            if (!key || p < key->low || p > key->high) out[x] = p;
        }
    }
}

void FillPixels(const PixelView& dest, const RECT& area, WORD color)
{
    for (int y = area.top; y < area.bottom; ++y) {
        WORD* row = dest.Row(y);
        for (int x = area.left; x < area.right; ++x) row[x] = color;
    }
}

}  // namespace platform::display
