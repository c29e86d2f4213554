#include "blit/Expand565.h"

#include <emmintrin.h>

#include <cstring>

#include "blit/PixelTables.h"

void Expand565To8888Plain(std::uint8_t* to, const std::uint8_t* from, int count)
{
    for (int x = 0; x < count; ++x, to += 4) {
        std::uint16_t p;
        std::memcpy(&p, from + 2 * x, 2);
        to[0] = Blue565(p);
        to[1] = Green565(p);
        to[2] = Red565(p);
        to[3] = 255;
    }
}

void Expand565To8888Sse2(std::uint8_t* to, const std::uint8_t* from, int count)
{
    const __m128i low5 = _mm_set1_epi16(0x1f), low6 = _mm_set1_epi16(0x3f);
    const __m128i times5 = _mm_set1_epi16(1053), round5 = _mm_set1_epi16(65);
    const __m128i times6 = _mm_set1_epi16(259), round6 = _mm_set1_epi16(33);
    const __m128i opaque = _mm_set1_epi16(static_cast<short>(0xff00));
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 2 * x));
        const __m128i r = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(p, 11), times5), round5), 7);
        const __m128i g = _mm_srli_epi16(
            _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(p, 5), low6), times6), round6), 6);
        const __m128i b = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(p, low5), times5), round5), 7);
        const __m128i blueGreen = _mm_or_si128(b, _mm_slli_epi16(g, 8));
        const __m128i redAlpha = _mm_or_si128(r, opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x), _mm_unpacklo_epi16(blueGreen, redAlpha));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * x + 16), _mm_unpackhi_epi16(blueGreen, redAlpha));
    }
    Expand565To8888Plain(to + 4 * x, from + 2 * x, count - x);
}
