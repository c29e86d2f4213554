// The SSE2 twins of the blits' row loops; the plain loops finish each row's last pixels.
#include "pixel_rows.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace platform::display {

void FillRowSse2(WORD* row, int count, WORD color)
{
    const __m128i eight = _mm_set1_epi16(static_cast<short>(color));
    int i = 0;
    for (; i + 32 <= count; i += 32) {
        auto* at = reinterpret_cast<__m128i*>(row + i);
        _mm_storeu_si128(at, eight);
        _mm_storeu_si128(at + 1, eight);
        _mm_storeu_si128(at + 2, eight);
        _mm_storeu_si128(at + 3, eight);
    }
    for (; i + 8 <= count; i += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), eight);
    FillRowPlain(row + i, count - i, color);
}

void CopyRowSkippingSse2(WORD* dest, const WORD* source, int count, WORD key)
{
    const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i out = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + i));
        const __m128i keep = _mm_cmpeq_epi16(in, keys);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i),
                         _mm_or_si128(_mm_and_si128(keep, out), _mm_andnot_si128(keep, in)));
    }
    CopyRowSkippingPlain(dest + i, source + i, count - i, key);
}

}  // namespace platform::display

#else

namespace platform::display {

void FillRowSse2(WORD* row, int count, WORD color) { FillRowPlain(row, count, color); }
void CopyRowSkippingSse2(WORD* dest, const WORD* source, int count, WORD key)
{
    CopyRowSkippingPlain(dest, source, count, key);
}

}  // namespace platform::display

#endif
