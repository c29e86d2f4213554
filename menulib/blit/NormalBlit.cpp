// "Normal": copies and format conversions of plain sources.
#include <cstring>

#include "blit/Blend565.h"
#include "blit/PlainRows.h"
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
    return CurrentPalette().GetData();
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

void CopySameFormat(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    const int bytes = d->GetBytesPerPixel();
    WalkRows(s, sr, d, dr, [bytes](const std::uint8_t* from, std::uint8_t* to, int n) {
        std::memmove(to, from, static_cast<std::size_t>(n) * bytes);
    });
}

void Copy16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    if (blitType->GetOpacity() == 1.0f) return CopySameFormat(s, sr, d, dr, blitType);
    const int level = blitType->GetLevel();
    WalkRows(s, sr, d, dr, [level](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) Store16(to + 2 * x, Blend565(Load16(to + 2 * x), Load16(from + 2 * x), level));
    });
}

void Draw8To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
    std::uint16_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = PackRGB565(palette[3 * i + 2], palette[3 * i + 1], palette[3 * i]);
    WalkRows(s, sr, d, dr, [&table](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x) Store16(to + 2 * x, table[from[x]]);
    });
}

template <int kBytes>
void Draw8ToRgb(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType* blitType)
{
    const std::uint8_t* palette = SourcePalette(s, blitType);
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

template <int kBytes>
void Draw16ToRgb(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, to += kBytes) {
            const std::uint16_t p = Load16(from + 2 * x);
            to[0] = Blue565(p);
            to[1] = Green565(p);
            to[2] = Red565(p);
            if (kBytes == 4) to[3] = 255;
        }
    });
}

void Draw24To8(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3) to[x] = IndexOfRgb(from[2], from[1], from[0]);
    });
}

void Draw24To16(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 3) Store16(to + 2 * x, PackRGB565(from[2], from[1], from[0]));
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

// Per-pixel alpha: 253 and above copies, 1 to 252 blends, 0 leaves the destination.
void Draw32To24(CFrameInterface* s, const Rect& sr, CFrameInterface* d, const Rect& dr, BlitType*)
{
    WalkRows(s, sr, d, dr, [](const std::uint8_t* from, std::uint8_t* to, int n) {
        for (int x = 0; x < n; ++x, from += 4, to += 3) {
            const int a = from[3];
            if (a >= 253) {
                std::memcpy(to, from, 3);
                continue;
            }
            if (a == 0) continue;
            for (int c = 0; c < 3; ++c) to[c] = static_cast<std::uint8_t>(to[c] + (from[c] - to[c]) * a / 255);
        }
    });
}

struct NormalBlit : BlitType {
    NormalBlit()
    {
        AddDrawFunction(8, 0, 8, 0, CopySameFormat);
        AddDrawFunction(8, 0, 16, 0, Draw8To16);
        AddDrawFunction(8, 0, 24, 0, Draw8ToRgb<3>);
        AddDrawFunction(8, 0, 32, 0, Draw8ToRgb<4>);
        AddDrawFunction(16, 0, 8, 0, Draw16To8);
        AddDrawFunction(16, 0, 16, 0, Copy16);
        AddDrawFunction(16, 0, 24, 0, Draw16ToRgb<3>);
        AddDrawFunction(16, 0, 32, 0, Draw16ToRgb<4>);
        AddDrawFunction(24, 0, 8, 0, Draw24To8);
        AddDrawFunction(24, 0, 16, 0, Draw24To16);
        AddDrawFunction(24, 0, 24, 0, CopySameFormat);
        AddDrawFunction(24, 0, 32, 0, Draw24To32);
        AddDrawFunction(32, 0, 24, 0, Draw32To24);
        AddDrawFunction(32, 0, 32, 0, CopySameFormat);
    }
};

}  // namespace

BlitType& NormalBlitType()
{
    static NormalBlit normal;
    return normal;
}
