// "Normal": copies and format conversions of plain sources.
#include <cstring>

#include "blit/Blend565.h"
#include "blit/DrawState.h"
#include "blit/Expand565.h"
#include "blit/PlainRows.h"
#include "blit/RunDraw.h"
#include "frames/Color.h"
#include "frames/ColorTable.h"

using platform::Rect;
using namespace plain_rows;

const std::uint8_t* plain_rows::SourcePalette(CFrameInterface* source, BlitType* blitType)
{
    const ColorTable* own = blitType->GetColorTable();
    if (own->GetType() == ColorTable::kPalette && !own->IsEmpty()) return own->GetData();
    const ColorTable* palette = source->GetPalette();
    if (palette && palette->GetType() == ColorTable::kPalette && !palette->IsEmpty()) return palette->GetData();
    const ColorTable& current = CurrentPalette();
    return current.GetType() == ColorTable::kPalette ? current.GetData() : nullptr;
}

std::uint8_t plain_rows::IndexOf565(std::uint16_t pixel)
{
    ColorTable& inverse = InversePalette();
    if (inverse.GetType() == ColorTable::kInverse565 && !inverse.IsEmpty()) return inverse.GetData()[pixel];
    return IndexOfRgb(Red565(pixel), Green565(pixel), Blue565(pixel));
}

std::uint8_t plain_rows::IndexOfRgb(int r, int g, int b)
{
    return static_cast<std::uint8_t>(DefaultPalette().FindNearest(r, g, b, 0, 256));
}

namespace {

// Rows of the same format: one block when both rectangles are whole lines of frames without padding.
void CopySameFormat(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    const int bytes = d->GetBytesPerPixel();
    const int width = dr.Width();
    if (sr.left == 0 && dr.left == 0 && s->GetWidth() == width && d->GetWidth() == width && s->GetPitch() == width &&
        d->GetPitch() == width && sr.top >= 0 && dr.top >= 0 && sr.bottom <= s->GetHeight() &&
        dr.bottom <= d->GetHeight() && sr.Height() == dr.Height() && s->GetPixels() && d->GetPixels()) {
        std::memmove(d->GetPixels() + static_cast<std::size_t>(dr.top) * width * bytes,
                     s->GetPixels() + static_cast<std::size_t>(sr.top) * width * bytes,
                     static_cast<std::size_t>(dr.Height()) * width * bytes);
        return;
    }
    WalkRows(s, sr, d, dr, [bytes](const std::uint8_t* from, std::uint8_t* to, int n) {
        std::memmove(to, from, static_cast<std::size_t>(n) * bytes);
    });
}

// Opacity 1 copies; below it each pixel is mixed through mixing table A [destination x 256 + source].
void Copy8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (!run_draw::UseBlendRow(*blitType)) return CopySameFormat(s, sr, d, dr, blitType);
    const std::uint8_t* mixing = draw_state::MixingA();
    WalkRows(s, sr, d, dr, [mixing](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) to[x] = mixing[to[x] * 256 + from[x]];
    });
}

// Below opacity 1 the level weight of the current blend row: G by (w >> 2), R and B by (w >> 3); the rows
// pixel by pixel, or eight pixels at a time on the vector unit with the same bits.
template <void (*kBlendRow)(std::uint16_t*, const std::uint16_t*, int, int)>
void Copy16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (!run_draw::UseBlendRow(*blitType)) return CopySameFormat(s, sr, d, dr, blitType);
    const int weight = static_cast<int>(draw_state::g_blendRow[255]);
    WalkRows(s, sr, d, dr, [weight](const std::uint8_t* from, std::uint8_t* to, int n) {
        kBlendRow(reinterpret_cast<std::uint16_t*>(to), reinterpret_cast<const std::uint16_t*>(from), n, weight);
    });
}

void Draw8To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    if (!palette) return;
    draw_state::LoadDrawPalette(palette);
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) Store16(to + 2 * x, draw_state::g_pixel565[from[x]]);
    });
}

template <int kBytes>
void Draw8ToRgb(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    if (!palette) return;
    WalkRows(s, sr, d, dr, [palette](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, to += kBytes) {
            std::memcpy(to, palette + 3 * from[x], 3);
            if (kBytes == 4) to[3] = 255;
        }
    });
}

void Draw16To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) to[x] = IndexOf565(Load16(from + 2 * x));
    });
}

void Draw16To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, to += 3) {
            const std::uint16_t p = Load16(from + 2 * x);
            to[0] = Blue565(p);
            to[1] = Green565(p);
            to[2] = Red565(p);
        }
    });
}

template <void (*kExpandRow)(std::uint8_t*, const std::uint8_t*, int)>
void Draw16To32(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) { kExpandRow(to, from, n); });
}

void Draw24To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3) to[x] = IndexOfRgb(from[2], from[1], from[0]);
    });
}

// B [byte 0] + G [byte 1] + R [byte 2] of the 5-6-5 per-channel tables.
void Draw24To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    using namespace draw_state;
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3)
            Store16(to + 2 * x,
                    static_cast<std::uint16_t>(kChannelB[from[0]] + kChannelG565[from[1]] + kChannelR565[from[2]]));
    });
}

void Draw24To32(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3, to += 4) {
            std::memcpy(to, from, 3);
            to[3] = 255;
        }
    });
}

// One 24-bit pixel moved toward the source by w / 255, each byte truncated toward zero.
void BlendBgr(std::uint8_t* to, const std::uint8_t* from, int w)
{
    for (int c = 0; c < 3; ++c) to[c] = static_cast<std::uint8_t>(to[c] + (from[c] - to[c]) * w / 255);
}

// Per-pixel alpha. Opaque path: 253 and above copies, 1 to 252 blends, 0 leaves the destination. Blended path:
// 5 and below leaves it, else e = current blend row [alpha] copies from 251 and blends below.
void Draw32To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (run_draw::UseBlendRow(*blitType)) {
        const std::uint32_t* row = draw_state::g_blendRow;
        return WalkRows(s, sr, d, dr, [row](const std::uint8_t* from, std::uint8_t* to, int n) {
            for (int x = 0; x < n; ++x, from += 4, to += 3) {
                if (from[3] <= 5) continue;
                const int e = static_cast<int>(row[from[3]]);
                if (e >= 251)
                    std::memcpy(to, from, 3);
                else
                    BlendBgr(to, from, e);
            }
        });
    }
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 4, to += 3) {
            const int a = from[3];
            if (a >= 253)
                std::memcpy(to, from, 3);
            else if (a != 0)
                BlendBgr(to, from, a);
        }
    });
}

struct NormalBlit : BlitType {
    NormalBlit() { RegisterDrawFunctions(BlitTypesUseSimd()); }

    void RegisterDrawFunctions(bool simd) override
    {
        AddDrawFunction(8, 0, 8, 0, Copy8);
        AddDrawFunction(8, 0, 16, 0, Draw8To16);
        AddDrawFunction(8, 0, 24, 0, Draw8ToRgb<3>);
        AddDrawFunction(8, 0, 32, 0, Draw8ToRgb<4>);
        AddDrawFunction(16, 0, 8, 0, Draw16To8);
        AddDrawFunction(16, 0, 16, 0, simd ? Copy16<BlendRow565Sse2> : Copy16<BlendRow565Plain>);
        AddDrawFunction(16, 0, 24, 0, Draw16To24);
        AddDrawFunction(16, 0, 32, 0, simd ? Draw16To32<Expand565To8888Sse2> : Draw16To32<Expand565To8888Plain>);
        AddDrawFunction(24, 0, 8, 0, Draw24To8);
        AddDrawFunction(24, 0, 16, 0, Draw24To16);
        AddDrawFunction(24, 0, 24, 0, CopySameFormat);
        AddDrawFunction(24, 0, 32, 0, Draw24To32);
        AddDrawFunction(32, 0, 24, 0, Draw32To24);
        AddDrawFunction(32, 0, 32, 0, CopySameFormat);
        AddDrawFunction(8, kFrameEncodingBands, 8, 0, run_draw::Bands8To8);
        AddDrawFunction(8, kFrameEncodingBands, 16, 0, run_draw::Bands8To16);
        AddDrawFunction(16, kFrameEncodingAlpha, 16, 0, simd ? run_draw::Alpha16To16Lanes : run_draw::Alpha16To16);
        AddDrawFunction(16, kFrameEncodingAlpha, 24, 0, run_draw::Alpha16To24);
        AddDrawFunction(16, kFrameEncodingAlpha, 32, 0, run_draw::Alpha16To32);
    }
};

}  // namespace

BlitType& NormalBlitType()
{
    static NormalBlit normal;
    return normal;
}
