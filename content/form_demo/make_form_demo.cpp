// Draws the form demo's pictures and its bitmap font, writing BMP files into the folder given, and puts the
// font's cell height and glyph rectangles into the manifest there, under its font statement:
//   glyphs.bmp   the glyph sheet: DejaVu Sans rendered by FreeType, Windows-1251 codes 32..126 and А..я
//   button.bmp   4 frames of 120 x 28 (normal, pressed, hover, disabled) with a caption
//   check.bmp    6 frames of 20 x 20 (off, on, off hover, on hover, off disabled, on disabled)
//   knob.bmp     4 frames of 12 x 20, like a button's
//   digits.bmp   the digits 0 to 9, 12 x 16 each
//   spinner.bmp  8 frames of 32 x 32 in 4 columns and 2 rows
//   cursor.bmp   an 18 x 18 arrow on black, the colour key
//   ship.bmp     a 32 x 24 ship on black
// Black is the colour key of every picture.
//   make_form_demo <folder> <manifest in the folder> <font file>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "PictureKit.h"

namespace {

using contentkit::GlyphRenderer;
using contentkit::Picture;
using contentkit::Rgb;
using contentkit::Write;

const Rgb Ink{250, 250, 240};

Picture Button(GlyphRenderer& font)
{
    const Rgb faces[] = {{40, 90, 170}, {20, 50, 110}, {70, 130, 220}, {90, 90, 90}};
    Picture p(120 * 4, 28);
    const std::u32string caption = U"Press me";
    for (int f = 0; f < 4; ++f) {
        p.Fill(f * 120, 0, 120, 28, faces[f]);
        p.Frame(f * 120, 0, 120, 28, Rgb{220, 220, 255});
        const int shift = f == 1 ? 1 : 0;
        const Rgb ink = f == 3 ? Rgb{160, 160, 160} : Ink;
        font.Text(p, caption, f * 120 + (120 - font.Width(caption)) / 2 + shift, 5 + shift, ink);
    }
    return p;
}

Picture CheckBox()
{
    Picture p(20 * 6, 20);
    for (int f = 0; f < 6; ++f) {
        const bool on = f % 2 == 1, hover = f == 2 || f == 3, disabled = f >= 4;
        const Rgb edge = disabled ? Rgb{110, 110, 110} : hover ? Rgb{255, 230, 120} : Rgb{220, 220, 220};
        p.Fill(f * 20 + 1, 1, 18, 18, Rgb{30, 30, 40});
        p.Frame(f * 20 + 1, 1, 18, 18, edge);
        if (on) p.Fill(f * 20 + 5, 5, 10, 10, disabled ? Rgb{110, 110, 110} : Rgb{90, 220, 90});
    }
    return p;
}

Picture Knob()
{
    const Rgb faces[] = {{200, 200, 210}, {255, 200, 60}, {240, 240, 255}, {100, 100, 100}};
    Picture p(12 * 4, 20);
    for (int f = 0; f < 4; ++f) p.Fill(f * 12 + 1, 0, 10, 20, faces[f]);
    return p;
}

Picture Digits(GlyphRenderer& font)
{
    Picture p(12 * 10, 16);
    for (int d = 0; d < 10; ++d) font.Draw(p, U'0' + d, d * 12 + 2, -1, Rgb{120, 255, 160});
    return p;
}

Picture Spinner()
{
    Picture p(32 * 4, 32 * 2);
    for (int f = 0; f < 8; ++f) {
        const int left = f % 4 * 32, top = f / 4 * 32;
        for (int dot = 0; dot < 8; ++dot) {
            const double a = (dot + f) * 3.14159265 / 4;
            const int bright = 60 + dot * 25;
            p.Fill(left + 14 + static_cast<int>(11 * std::cos(a)), top + 14 + static_cast<int>(11 * std::sin(a)), 4, 4,
                   Rgb{static_cast<std::uint8_t>(bright), static_cast<std::uint8_t>(bright), 255});
        }
    }
    return p;
}

Picture Cursor()
{
    Picture p(18, 18);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= y && x < 11; ++x)
            p.Set(x, y, x == 0 || x == y || y == 15 ? Rgb{20, 20, 20} : Rgb{255, 255, 255});
    return p;
}

Picture Ship()
{
    Picture p(32, 24);
    for (int y = 0; y < 24; ++y) {
        const int half = y * 15 / 23;
        p.Fill(16 - half, y, 2 * half + 1, 1, Rgb{200, 200, 215});
    }
    p.Fill(14, 8, 5, 6, Rgb{60, 160, 255});
    return p;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <folder> <manifest> <font file>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    GlyphRenderer font(argv[3], 14);
    if (!font.ok) {
        std::fprintf(stderr, "cannot open the font %s\n", argv[3]);
        return 1;
    }
    contentkit::FontGlyphs glyphs;
    bool written = Write(folder + "/glyphs.bmp", contentkit::GlyphSheet(font, Ink, glyphs).Bmp());
    const std::pair<const char*, Picture> pictures[] = {
        {"button.bmp", Button(font)}, {"check.bmp", CheckBox()}, {"knob.bmp", Knob()}, {"digits.bmp", Digits(font)},
        {"spinner.bmp", Spinner()},   {"cursor.bmp", Cursor()},  {"ship.bmp", Ship()},
    };
    for (const auto& [name, picture] : pictures) written = Write(folder + "/" + name, picture.Bmp()) && written;
    if (!written || !contentkit::AddFontGlyphs(argv[2], {{"Demo", glyphs}})) {
        std::fprintf(stderr, "cannot write the pictures or the glyphs into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
