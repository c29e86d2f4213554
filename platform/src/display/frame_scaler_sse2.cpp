// The SSE2 twins of the scaler's rows: eight 16-bit pixels widened to 8-bit channels and placed in 32-bit pixels
// at once, then written once or repeated by shuffles; factors beyond four and the last pixels of a row go
// through the plain rows.
#include "frame_scaler.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace platform::display {

namespace {

// One channel's steps: out of the 16-bit pixel, widened to 8 bits, into the low or high half of the target.
// Widening is v * 255 / max rounded down, as the plain rows do it: with 255 = max * whole + rest, that is
// v * whole + (v * rest) / max, and the last division (of at most max * rest) is a multiplication by 2^16 / max
// rounded up whose high half is exact for channels of up to 8 bits.
struct ChannelSteps {
    __m128i shiftOut;
    __m128i mask;
    __m128i whole;
    __m128i rest;
    __m128i byMax;
    __m128i shiftIn;
    __m128i toLowHalf;  // all ones where the channel lies in the low 16 bits of the target pixel

    ChannelSteps(int fromShift, int fromBits, int toShift)
        : shiftOut(_mm_cvtsi32_si128(fromShift)),
          mask(_mm_set1_epi16(static_cast<short>(Max(fromBits)))),
          whole(_mm_set1_epi16(static_cast<short>(255 / Max(fromBits)))),
          rest(_mm_set1_epi16(static_cast<short>(255 % Max(fromBits)))),
          byMax(_mm_set1_epi16(static_cast<short>((65536 + Max(fromBits) - 1) / Max(fromBits)))),
          shiftIn(_mm_cvtsi32_si128(toShift % 16)),
          toLowHalf(_mm_set1_epi16(toShift < 16 ? -1 : 0))
    {
    }

    static int Max(int bits) { return (1 << bits) - 1; }

    // The channel of eight pixels placed in its half; the other half's lanes are zero.
    void Place(__m128i pixels, __m128i& low, __m128i& high) const
    {
        const __m128i value = _mm_and_si128(_mm_srl_epi16(pixels, shiftOut), mask);
        const __m128i wide =
            _mm_add_epi16(_mm_mullo_epi16(value, whole), _mm_mulhi_epu16(_mm_mullo_epi16(value, rest), byMax));
        const __m128i placed = _mm_sll_epi16(wide, shiftIn);
        low = _mm_or_si128(low, _mm_and_si128(toLowHalf, placed));
        high = _mm_or_si128(high, _mm_andnot_si128(toLowHalf, placed));
    }
};

struct Conversion {
    Conversion(const PixelFormat& from, const TargetFormat& to)
        : red(from.redShift, from.redBits, to.redShift),
          green(from.greenShift, from.greenBits, to.greenShift),
          blue(from.blueShift, from.blueBits, to.blueShift),
          alphaLow(_mm_set1_epi16(static_cast<short>(to.alphaMask & 0xFFFF))),
          alphaHigh(_mm_set1_epi16(static_cast<short>(to.alphaMask >> 16)))
    {
    }

    // Eight pixels at `source` as two registers of four target pixels.
    void Convert(const WORD* source, __m128i& first, __m128i& second) const
    {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
        __m128i low = alphaLow, high = alphaHigh;
        red.Place(pixels, low, high);
        green.Place(pixels, low, high);
        blue.Place(pixels, low, high);
        first = _mm_unpacklo_epi16(low, high);
        second = _mm_unpackhi_epi16(low, high);
    }

    ChannelSteps red, green, blue;
    __m128i alphaLow, alphaHigh;
};

void Store(std::uint32_t* dest, __m128i four) { _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), four); }

// Four pixels each written `Factor` times: Factor registers.
template <int Factor>
std::uint32_t* Repeat(std::uint32_t* dest, __m128i four)
{
    if constexpr (Factor == 1) {
        Store(dest, four);
    } else if constexpr (Factor == 2) {
        Store(dest, _mm_unpacklo_epi32(four, four));
        Store(dest + 4, _mm_unpackhi_epi32(four, four));
    } else if constexpr (Factor == 3) {
        Store(dest, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 0, 0, 0)));
        Store(dest + 4, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 1, 1)));
        Store(dest + 8, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 2)));
    } else {
        Store(dest, _mm_shuffle_epi32(four, _MM_SHUFFLE(0, 0, 0, 0)));
        Store(dest + 4, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 1, 1, 1)));
        Store(dest + 8, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 2, 2)));
        Store(dest + 12, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 3)));
    }
    return dest + 4 * Factor;
}

template <int Factor>
void ConvertRepeated(std::uint32_t* dest, const WORD* source, int count, const PixelFormat& from,
                     const TargetFormat& to)
{
    const Conversion conversion(from, to);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        __m128i first, second;
        conversion.Convert(source + i, first, second);
        dest = Repeat<Factor>(Repeat<Factor>(dest, first), second);
    }
    ConvertRowRepeatedPlain(dest, source + i, count - i, Factor, from, to);
}

}  // namespace

void ConvertRowSse2(std::uint32_t* dest, const WORD* source, int count, const PixelFormat& from, const TargetFormat& to)
{
    ConvertRepeated<1>(dest, source, count, from, to);
}

void ConvertRowRepeatedSse2(std::uint32_t* dest, const WORD* source, int count, int factor, const PixelFormat& from,
                            const TargetFormat& to)
{
    switch (factor) {
    case 1: ConvertRepeated<1>(dest, source, count, from, to); return;
    case 2: ConvertRepeated<2>(dest, source, count, from, to); return;
    case 3: ConvertRepeated<3>(dest, source, count, from, to); return;
    case 4: ConvertRepeated<4>(dest, source, count, from, to); return;
    default: ConvertRowRepeatedPlain(dest, source, count, factor, from, to);
    }
}

}  // namespace platform::display

#else

namespace platform::display {

void ConvertRowSse2(std::uint32_t* dest, const WORD* source, int count, const PixelFormat& from, const TargetFormat& to)
{
    ConvertRowPlain(dest, source, count, from, to);
}

void ConvertRowRepeatedSse2(std::uint32_t* dest, const WORD* source, int count, int factor, const PixelFormat& from,
                            const TargetFormat& to)
{
    ConvertRowRepeatedPlain(dest, source, count, factor, from, to);
}

}  // namespace platform::display

#endif
