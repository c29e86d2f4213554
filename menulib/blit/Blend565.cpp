#include "blit/Blend565.h"

#include <emmintrin.h>

#include "platform/cpu_features.h"

std::uint16_t Blend565(std::uint16_t d, std::uint16_t s, int weight)
{
    const int g = weight >> 2, h = weight >> 3;
    const int gs = (s >> 5) & 0x3f, gd = (d >> 5) & 0x3f;
    const int bs = s & 0x1f, bd = d & 0x1f;
    const int rs = s >> 11, rd = d >> 11;
    const int greenField = ((d & 0xffe0) + (((gs - gd) * g) >> 1)) & 0x07e0;
    const int blueDelta = ((bs - bd) * h) >> 5;
    const int redField = ((d & 0xf83f) + (rs - rd) * h * 64) & 0xf800;
    return static_cast<std::uint16_t>(((d & 0x001f) | greenField) + blueDelta + redField);
}

std::uint16_t Blend565Lanes(std::uint16_t d, std::uint16_t s, int weight)
{
    const unsigned g = static_cast<unsigned>(weight) >> 2, h = static_cast<unsigned>(weight) >> 3;
    const unsigned x = ((s >> 1) & 0x03f0u) * g + ((d >> 1) & 0x03f0u) * (63 - g) + 0x0200;
    const unsigned greenField = ((x + (x >> 6)) >> 5) & 0x07e0;
    const unsigned y = (s & 0x001fu) * h + (d & 0x001fu) * (31 - h) + 0x0010;
    const unsigned blue = (y + (y >> 5)) >> 5;
    const unsigned z = ((s & 0xf800u) >> 11) * h + ((d & 0xf800u) >> 11) * (31 - h) + 0x0010;
    const unsigned redField = ((z + (z >> 5)) >> 5) << 11;
    return static_cast<std::uint16_t>(blue | greenField | redField);
}

void BlendFill565Plain(std::uint16_t* row, int count, std::uint16_t source, int weight)
{
    for (int i = 0; i < count; ++i) row[i] = Blend565(row[i], source, weight);
}

void BlendFill565GroupsPlain(std::uint16_t* row, int count, std::uint16_t source, int weight)
{
    const int grouped = count & ~3;
    for (int i = 0; i < grouped; ++i) row[i] = Blend565Lanes(row[i], source, weight);
    BlendFill565Plain(row + grouped, count - grouped, source, weight);
}

namespace {

// The four-lane blend, on every 16-bit lane of the registers.
__m128i BlendLanes(__m128i d, __m128i s, __m128i g, __m128i gInverse, __m128i h, __m128i hInverse)
{
    const __m128i mask3f0 = _mm_set1_epi16(0x03f0), mask7e0 = _mm_set1_epi16(0x07e0), mask1f = _mm_set1_epi16(0x1f);
    const __m128i x =
        _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), mask3f0), g),
                                    _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 1), mask3f0), gInverse)),
                      _mm_set1_epi16(0x0200));
    const __m128i green = _mm_and_si128(_mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 6)), 5), mask7e0);
    const __m128i y = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, mask1f), h),
                                                  _mm_mullo_epi16(_mm_and_si128(d, mask1f), hInverse)),
                                    _mm_set1_epi16(0x0010));
    const __m128i blue = _mm_srli_epi16(_mm_add_epi16(y, _mm_srli_epi16(y, 5)), 5);
    const __m128i z = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(s, 11), h), _mm_mullo_epi16(_mm_srli_epi16(d, 11), hInverse)),
        _mm_set1_epi16(0x0010));
    const __m128i red = _mm_slli_epi16(_mm_srli_epi16(_mm_add_epi16(z, _mm_srli_epi16(z, 5)), 5), 11);
    return _mm_or_si128(_mm_or_si128(blue, green), red);
}

}  // namespace

__m128i Blend565Lanes4(__m128i d, __m128i s, __m128i g, __m128i h)
{
    return BlendLanes(d, s, g, _mm_sub_epi16(_mm_set1_epi16(63), g), h, _mm_sub_epi16(_mm_set1_epi16(31), h));
}

void BlendFill565GroupsSse2(std::uint16_t* row, int count, std::uint16_t source, int weight)
{
    const int g = weight >> 2, h = weight >> 3;
    const __m128i s = _mm_set1_epi16(static_cast<short>(source));
    const __m128i gv = _mm_set1_epi16(static_cast<short>(g)), gInverse = _mm_set1_epi16(static_cast<short>(63 - g));
    const __m128i hv = _mm_set1_epi16(static_cast<short>(h)), hInverse = _mm_set1_epi16(static_cast<short>(31 - h));
    const int groups = count >> 2;
    int i = 0;
    // Two groups of four at a time while they last; every lane is blended alone, so the pairing changes nothing.
    for (; i + 1 < groups; i += 2) {
        auto* at = reinterpret_cast<__m128i*>(row + 4 * i);
        _mm_storeu_si128(at, BlendLanes(_mm_loadu_si128(at), s, gv, gInverse, hv, hInverse));
    }
    for (; i < groups; ++i) {
        std::uint16_t* at = row + 4 * i;
        const __m128i d = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), BlendLanes(d, s, gv, gInverse, hv, hInverse));
    }
    BlendFill565Plain(row + 4 * groups, count - 4 * groups, source, weight);
}

void BlendFill565Groups(std::uint16_t* row, int count, std::uint16_t source, int weight)
{
    if (platform::CpuHas(platform::CpuFeature::Sse2))
        BlendFill565GroupsSse2(row, count, source, weight);
    else
        BlendFill565GroupsPlain(row, count, source, weight);
}

void BlendRow565Plain(std::uint16_t* row, const std::uint16_t* source, int count, int weight)
{
    for (int i = 0; i < count; ++i) row[i] = Blend565(row[i], source[i], weight);
}

namespace {

// The plain formula on eight lanes.
__m128i BlendPlainLanes(__m128i d, __m128i s, __m128i g, __m128i h)
{
    const __m128i mask3f = _mm_set1_epi16(0x3f), mask1f = _mm_set1_epi16(0x1f);
    const __m128i greenDelta = _mm_srai_epi16(
        _mm_mullo_epi16(
            _mm_sub_epi16(_mm_and_si128(_mm_srli_epi16(s, 5), mask3f), _mm_and_si128(_mm_srli_epi16(d, 5), mask3f)), g),
        1);
    const __m128i green =
        _mm_and_si128(_mm_add_epi16(_mm_and_si128(d, _mm_set1_epi16(static_cast<short>(0xffe0))), greenDelta),
                      _mm_set1_epi16(0x07e0));
    const __m128i blueDelta =
        _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_and_si128(s, mask1f), _mm_and_si128(d, mask1f)), h), 5);
    const __m128i redDelta =
        _mm_slli_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_srli_epi16(s, 11), _mm_srli_epi16(d, 11)), h), 6);
    const __m128i red =
        _mm_and_si128(_mm_add_epi16(_mm_and_si128(d, _mm_set1_epi16(static_cast<short>(0xf83f))), redDelta),
                      _mm_set1_epi16(static_cast<short>(0xf800)));
    return _mm_add_epi16(_mm_add_epi16(_mm_or_si128(_mm_and_si128(d, mask1f), green), blueDelta), red);
}

}  // namespace

void BlendRow565Sse2(std::uint16_t* row, const std::uint16_t* source, int count, int weight)
{
    const __m128i g = _mm_set1_epi16(static_cast<short>(weight >> 2)),
                  h = _mm_set1_epi16(static_cast<short>(weight >> 3));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), BlendPlainLanes(d, s, g, h));
    }
    BlendRow565Plain(row + i, source + i, count - i, weight);
}

void KeyRow16Plain(std::uint16_t* row, const std::uint16_t* source, int count)
{
    for (int i = 0; i < count; ++i)
        if (source[i]) row[i] = source[i];
}

void KeyRow16Sse2(std::uint16_t* row, const std::uint16_t* source, int count)
{
    const __m128i zero = _mm_setzero_si128();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i keep = _mm_cmpeq_epi16(s, zero);
        if (_mm_movemask_epi8(keep) == 0xffff) continue;
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_or_si128(_mm_and_si128(keep, d), s));
    }
    KeyRow16Plain(row + i, source + i, count - i);
}
