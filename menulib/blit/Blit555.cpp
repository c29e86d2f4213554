// The blit type of host buffers in the 5-5-5 mode: 8-bit indices through the palette's 5-5-5 pixels, 5-6-5
// pixels repacked, 24-bit pixels through the 5-5-5 per-channel tables.
#include <emmintrin.h>

#include "blit/Blit555.h"
#include "blit/DrawState.h"
#include "blit/PlainRows.h"

using platform::Rect;
using namespace plain_rows;

void Repack565To555Plain(std::uint16_t* to, const std::uint16_t* from, int count)
{
    for (int i = 0; i < count; ++i) to[i] = Repack565To555(from[i]);
}

void Repack565To555Sse2(std::uint16_t* to, const std::uint16_t* from, int count)
{
    int i = 0;
    for (; i < count && (reinterpret_cast<std::uintptr_t>(to + i) & 7); ++i) to[i] = Repack565To555(from[i]);
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xffc0)), low = _mm_set1_epi16(0x001f);
    for (; i + 4 <= count; i += 4) {
        const __m128i p = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(from + i));
        const __m128i q = _mm_or_si128(_mm_srli_epi16(_mm_and_si128(p, high), 1), _mm_and_si128(p, low));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to + i), q);
    }
    for (; i < count; ++i) to[i] = Repack565To555(from[i]);
}

namespace {

void Draw8To555(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    if (!palette) return;
    draw_state::LoadDrawPalette(palette);
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) Store16(to + 2 * x, draw_state::g_pixel555[from[x]]);
    });
}

template <void (*kRepack)(std::uint16_t*, const std::uint16_t*, int)>
void Draw565To555(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        kRepack(reinterpret_cast<std::uint16_t*>(to), reinterpret_cast<const std::uint16_t*>(from), n);
    });
}

void Draw24To555(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    using namespace draw_state;
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3)
            Store16(to + 2 * x,
                    static_cast<std::uint16_t>(kChannelB[from[0]] + kChannelG555[from[1]] + kChannelR555[from[2]]));
    });
}

struct Blit555 : BlitType {
    Blit555() { RegisterDrawFunctions(BlitTypesUseSimd()); }

    void RegisterDrawFunctions(bool simd) override
    {
        AddDrawFunction(8, 0, 16, 0, Draw8To555);
        AddDrawFunction(16, 0, 16, 0, simd ? Draw565To555<Repack565To555Sse2> : Draw565To555<Repack565To555Plain>);
        AddDrawFunction(24, 0, 16, 0, Draw24To555);
    }
};

}  // namespace

BlitType& Blit555Type()
{
    static Blit555 type;
    return type;
}
