#include "GP_PixelRows.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

// ((m + c) / 2) without leaving 16 bits: (m >> 1) + (c >> 1) + (m AND c AND 1).
__m128i HalfSum(__m128i m, __m128i c)
{
    const __m128i one = _mm_set1_epi16(1);
    const __m128i carry = _mm_and_si128(_mm_and_si128(m, c), one);
    return _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(m, 1), _mm_srli_epi16(c, 1)), carry);
}

__m128i Splat(std::uint16_t v) { return _mm_set1_epi16(static_cast<short>(v)); }

}  // namespace

bool GP_BlendRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour)
{
    const __m128i mr = Splat(masks.r), mg = Splat(masks.g), mb = Splat(masks.b);
    const __m128i cr = Splat(colour.r), cg = Splat(colour.g), cb = Splat(colour.b);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(row + i);
        const __m128i p = _mm_loadu_si128(at);
        const __m128i r = _mm_and_si128(HalfSum(_mm_and_si128(p, mr), cr), mr);
        const __m128i g = _mm_and_si128(HalfSum(_mm_and_si128(p, mg), cg), mg);
        const __m128i b = _mm_and_si128(HalfSum(_mm_and_si128(p, mb), cb), mb);
        _mm_storeu_si128(at, _mm_or_si128(_mm_or_si128(r, g), b));
    }
    GP_BlendRowPlain(row + i, count - i, masks, colour);
    return true;
}

bool GP_DarkenRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks)
{
    const __m128i mr = Splat(masks.r), mg = Splat(masks.g), mb = Splat(masks.b);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        auto* at = reinterpret_cast<__m128i*>(row + i);
        const __m128i p = _mm_loadu_si128(at);
        const __m128i r = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mr), 2), mr);
        const __m128i g = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mg), 2), mg);
        const __m128i b = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mb), 2), mb);
        _mm_storeu_si128(at, _mm_or_si128(_mm_or_si128(r, g), b));
    }
    GP_DarkenRowPlain(row + i, count - i, masks);
    return true;
}

#else

bool GP_BlendRowSse2(std::uint16_t*, int, GP_ChannelMasks, GP_ChannelMasks) { return false; }
bool GP_DarkenRowSse2(std::uint16_t*, int, GP_ChannelMasks) { return false; }

#endif
