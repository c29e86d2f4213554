#include "frames/Color.h"

#include <algorithm>

#include "frames/ColorTable.h"

namespace {
int Round5(int v) { return std::min((v + 4) >> 3, 31); }
int Round6(int v) { return std::min((v + 2) >> 2, 63); }
}  // namespace

std::uint16_t PackRGB565(int r, int g, int b)
{
    return static_cast<std::uint16_t>(Round5(r) << 11 | Round6(g) << 5 | Round5(b));
}

std::uint16_t PackRGB555(int r, int g, int b)
{
    return static_cast<std::uint16_t>(Round5(r) << 10 | Round5(g) << 5 | Round5(b));
}

void Color::Reset()
{
    *this = Color{};
    A = 255;
}

void Color::SetRGBAOnly(int r, int g, int b, int a)
{
    const bool rgbChanged =
        R != static_cast<std::uint8_t>(r) || G != static_cast<std::uint8_t>(g) || B != static_cast<std::uint8_t>(b);
    if (rgbChanged) flags &= ~kIndexValid;
    R = R24 = static_cast<std::uint8_t>(r);
    G = G24 = static_cast<std::uint8_t>(g);
    B = B24 = static_cast<std::uint8_t>(b);
    A = static_cast<std::uint8_t>(a);
    value565 = PackRGB565(R, G, B);
    flags &= ~kFromRgb;
}

void Color::SetRGBA(int r, int g, int b, int a)
{
    SetRGBAOnly(r, g, b, a);
    flags |= kFromRgb;
}

void Color::FromRGBA(int r, int g, int b, int a)
{
    flags = 0;
    SetRGBA(r, g, b, a);
}

void Color::SetFromPaletteIndex(int i)
{
    std::uint8_t r = 0, g = 0, b = 0;
    const ColorTable& palette = CurrentPalette();
    if (palette.GetType() == ColorTable::kPalette) palette.GetPaletteEntry(i & 0xFF, r, g, b);
    SetRGBA(r, g, b, 255);
    index = static_cast<std::uint8_t>(i);
    flags |= kIndexValid;
}

std::uint8_t Color::GetPaletteIndex()
{
    if (flags & kIndexValid) return index;
    ColorTable& current = CurrentPalette();
    const bool useDefault = (flags & kFromRgb) || current.IsEmpty();
    const int found = useDefault ? DefaultPalette().FindNearest(R, G, B, 0, 256) : current.FindNearest(R, G, B, 1, 256);
    index = static_cast<std::uint8_t>(found);
    flags |= kIndexValid;
    return index;
}
