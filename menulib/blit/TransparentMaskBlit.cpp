// "Transparent Mask": copies that leave out source pixels of value 0.
#include "blit/Blend565.h"
#include "blit/PlainRows.h"
#include "blit/RunDraw.h"

using platform::Rect;
using namespace plain_rows;

namespace {

void Mask8To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x)
            if (from[x]) to[x] = from[x];
    });
}

void Mask8To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    if (!palette) return;
    WalkRows(s, sr, d, dr, [palette](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) {
            const std::uint8_t* entry = palette + 3 * from[x];
            if (from[x]) Store16(to + 2 * x, PackRGB565(entry[2], entry[1], entry[0]));
        }
    });
}

template <int kBytes>
void Mask8ToRgb(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    if (!palette) return;
    WalkRows(s, sr, d, dr, [palette](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, to += kBytes) {
            if (!from[x]) continue;
            std::memcpy(to, palette + 3 * from[x], 3);
            if (kBytes == 4) to[3] = 255;
        }
    });
}

template <void (*kKeyRow)(std::uint16_t*, const std::uint16_t*, int)>
void Mask16To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        kKeyRow(reinterpret_cast<std::uint16_t*>(to), reinterpret_cast<const std::uint16_t*>(from), n);
    });
}

void Mask16To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, to += 3) {
            const std::uint16_t p = Load16(from + 2 * x);
            if (!p) continue;
            to[0] = Blue565(p);
            to[1] = Green565(p);
            to[2] = Red565(p);
        }
    });
}

struct TransparentMaskBlit : BlitType {
    TransparentMaskBlit() { RegisterDrawFunctions(BlitTypesUseSimd()); }

    void RegisterDrawFunctions(bool simd) override
    {
        BlitType& normal = NormalBlitType();
        AddDrawFunction(8, 0, 8, 0, Mask8To8);
        AddDrawFunction(8, 0, 16, 0, Mask8To16);
        AddDrawFunction(8, 0, 24, 0, Mask8ToRgb<3>);
        AddDrawFunction(8, 0, 32, 0, Mask8ToRgb<4>);
        AddDrawFunction(16, 0, 16, 0, simd ? Mask16To16<KeyRow16Sse2> : Mask16To16<KeyRow16Plain>);
        AddDrawFunction(16, 0, 24, 0, Mask16To24);
        const int shared[][4] = {{16, 0, 32, 0},
                                 {24, 0, 24, 0},
                                 {24, 0, 32, 0},
                                 {32, 0, 24, 0},
                                 {32, 0, 32, 0},
                                 {8, kFrameEncodingBands, 8, 0},
                                 {8, kFrameEncodingBands, 16, 0},
                                 {16, kFrameEncodingAlpha, 16, 0},
                                 {16, kFrameEncodingAlpha, 32, 0}};
        for (const auto& key : shared)
            AddDrawFunction(key[0], key[1], key[2], key[3], normal.Lookup(key[0], key[1], key[2], key[3]));
        AddDrawFunction(24, kFrameEncodingAlpha, 24, 0, run_draw::Alpha24To24);
        AddDrawFunction(24, kFrameEncodingAlpha, 32, 0, run_draw::Alpha24To32);
    }
};

}  // namespace

BlitType& TransparentMaskBlitType()
{
    static TransparentMaskBlit mask;
    return mask;
}
