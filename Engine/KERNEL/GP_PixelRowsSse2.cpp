// The SSE2 twins of the effects' row loops: eight 16-bit pixels at a time, bit for bit as the plain loops, which
// also finish each row's last pixels.
#include "GP_PixelRows.h"

#if defined(__SSE2__)
#include <emmintrin.h>

#include <initializer_list>

namespace {

// ((m + c) / 2) without leaving 16 bits: (m >> 1) + (c >> 1) + (m AND c AND 1).
__m128i HalfSum(__m128i m, __m128i c)
{
    const __m128i one = _mm_set1_epi16(1);
    const __m128i carry = _mm_and_si128(_mm_and_si128(m, c), one);
    return _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(m, 1), _mm_srli_epi16(c, 1)), carry);
}

__m128i Splat(int v) { return _mm_set1_epi16(static_cast<short>(v)); }

__m128i IsZero(__m128i v) { return _mm_cmpeq_epi16(v, _mm_setzero_si128()); }

// One fade channel in SSE2 registers: the mask, the shift as a count, and the steps in every lane.
struct FadeLanes {
    __m128i mask, shift, outHigh, outLow, threshold, in;

    explicit FadeLanes(const GP_FadeChannel& c)
        : mask(Splat(c.mask)),
          shift(_mm_cvtsi32_si128(c.shift)),
          outHigh(Splat(c.outHigh)),
          outLow(Splat(c.outLow)),
          threshold(Splat(c.threshold)),
          in(Splat(c.in))
    {
    }

    __m128i Get(__m128i pixels) const { return _mm_srl_epi16(_mm_and_si128(pixels, mask), shift); }
    __m128i Put(__m128i values) const { return _mm_and_si128(_mm_sll_epi16(values, shift), mask); }

    // A step down: the step is the high one above the threshold, and the value stops at 0. `moved` gets the
    // lanes that took a whole step.
    __m128i StepDown(__m128i value, __m128i& moved) const
    {
        const __m128i atOrBelow = IsZero(_mm_subs_epu16(value, threshold));
        const __m128i step = _mm_xor_si128(outHigh, _mm_and_si128(_mm_xor_si128(outHigh, outLow), atOrBelow));
        moved = _mm_or_si128(moved, IsZero(_mm_subs_epu16(step, value)));
        return _mm_subs_epu16(value, step);
    }

    // A step up that stops at the target: min(value + step, target) as target - max(target - (value + step), 0).
    // `moved` gets the lanes that did not reach past their target.
    __m128i StepUp(__m128i value, __m128i target, __m128i& moved) const
    {
        const __m128i raised = _mm_add_epi16(value, in);
        moved = _mm_or_si128(moved, IsZero(_mm_subs_epu16(raised, target)));
        return _mm_sub_epi16(target, _mm_subs_epu16(target, raised));
    }
};

// Fade-in values are raised in 16-bit lanes: a component that could pass 0xFFFF takes the plain loop.
bool RaisesWithin16Bits(const GP_FadeChannels& c)
{
    for (const GP_FadeChannel& channel : {c.r, c.g, c.b})
        if ((channel.mask >> channel.shift) + channel.in > 0xFFFF || channel.in < 0 || channel.shift > 15) return false;
    return true;
}

bool StepsFit16Bits(const GP_FadeChannels& c)
{
    for (const GP_FadeChannel& channel : {c.r, c.g, c.b}) {
        const bool stepsFit = channel.outHigh >= 0 && channel.outHigh <= 0xFFFF && channel.outLow >= 0 &&
                              channel.outLow <= 0xFFFF && channel.threshold >= 0 && channel.threshold <= 0xFFFF;
        if (!stepsFit || channel.shift > 15) return false;
    }
    return true;
}

__m128i Load(const std::uint16_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
void Store(std::uint16_t* at, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v); }
bool AnyLane(__m128i lanes) { return _mm_movemask_epi8(lanes) != 0; }

}  // namespace

bool GP_BlendRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour)
{
    const __m128i mr = Splat(masks.r), mg = Splat(masks.g), mb = Splat(masks.b);
    const __m128i cr = Splat(colour.r), cg = Splat(colour.g), cb = Splat(colour.b);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i p = Load(row + i);
        const __m128i r = _mm_and_si128(HalfSum(_mm_and_si128(p, mr), cr), mr);
        const __m128i g = _mm_and_si128(HalfSum(_mm_and_si128(p, mg), cg), mg);
        const __m128i b = _mm_and_si128(HalfSum(_mm_and_si128(p, mb), cb), mb);
        Store(row + i, _mm_or_si128(_mm_or_si128(r, g), b));
    }
    GP_BlendRowPlain(row + i, count - i, masks, colour);
    return true;
}

bool GP_DarkenRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks)
{
    const __m128i mr = Splat(masks.r), mg = Splat(masks.g), mb = Splat(masks.b);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i p = Load(row + i);
        const __m128i r = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mr), 2), mr);
        const __m128i g = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mg), 2), mg);
        const __m128i b = _mm_and_si128(_mm_srli_epi16(_mm_and_si128(p, mb), 2), mb);
        Store(row + i, _mm_or_si128(_mm_or_si128(r, g), b));
    }
    GP_DarkenRowPlain(row + i, count - i, masks);
    return true;
}

bool GP_FadeOutRowSse2(std::uint16_t* row, int count, const GP_FadeChannels& channels)
{
    if (!StepsFit16Bits(channels)) return GP_FadeOutRowPlain(row, count, channels);
    const FadeLanes r(channels.r), g(channels.g), b(channels.b);
    __m128i moved = _mm_setzero_si128();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i p = Load(row + i);
        const __m128i red = r.Put(r.StepDown(r.Get(p), moved));
        const __m128i green = g.Put(g.StepDown(g.Get(p), moved));
        const __m128i blue = b.Put(b.StepDown(b.Get(p), moved));
        Store(row + i, _mm_or_si128(_mm_or_si128(red, green), blue));
    }
    const bool rest = GP_FadeOutRowPlain(row + i, count - i, channels);
    return AnyLane(moved) || rest;
}

bool GP_FadeInRowSse2(std::uint16_t* row, int count, const GP_FadeTargets& targets, const GP_FadeChannels& channels)
{
    if (!RaisesWithin16Bits(channels)) return GP_FadeInRowPlain(row, count, targets, channels);
    const FadeLanes r(channels.r), g(channels.g), b(channels.b);
    __m128i moved = _mm_setzero_si128();
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i p = Load(row + i);
        const __m128i red = r.Put(r.StepUp(r.Get(p), Load(targets.r + i), moved));
        const __m128i green = g.Put(g.StepUp(g.Get(p), Load(targets.g + i), moved));
        const __m128i blue = b.Put(b.StepUp(b.Get(p), Load(targets.b + i), moved));
        Store(row + i, _mm_or_si128(_mm_or_si128(red, green), blue));
    }
    const GP_FadeTargets rest{targets.r + i, targets.g + i, targets.b + i};
    const bool restMoved = GP_FadeInRowPlain(row + i, count - i, rest, channels);
    return AnyLane(moved) || restMoved;
}

#else

bool GP_BlendRowSse2(std::uint16_t*, int, GP_ChannelMasks, GP_ChannelMasks) { return false; }
bool GP_DarkenRowSse2(std::uint16_t*, int, GP_ChannelMasks) { return false; }
bool GP_FadeOutRowSse2(std::uint16_t* row, int count, const GP_FadeChannels& channels)
{
    return GP_FadeOutRowPlain(row, count, channels);
}
bool GP_FadeInRowSse2(std::uint16_t* row, int count, const GP_FadeTargets& targets, const GP_FadeChannels& channels)
{
    return GP_FadeInRowPlain(row, count, targets, channels);
}

#endif
