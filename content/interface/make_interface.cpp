// Draws the interface pack's pictures into the folder given, as BMP files:
//   title.bmp     the start-up screen, 640 x 480: a star field, the game's name and a line beneath it
//   menu.bmp      the main menu's backdrop, 640 x 480: the star field and a small title
//   backdrop.bmp  the interface background, 640 x 480: the star field alone
//   cursor.bmp    an 18 x 18 arrow on black, the colour key
//   b_<n>.bmp     the main menu's buttons, 4 frames of 220 x 34 each (normal, pressed, hover, disabled),
//                 without captions: the form's labels give them in the player's language
//   Account.bmp   the account dialog's picture, 210 x 390, which is not packed but goes beside the pack
//   click.wav     a button's click, hover.wav the tick of the pointer reaching a button
//   font.bmp      the glyph sheet of the interface font, DejaVu Sans at 14 pixels (Windows-1251 32..126, А..я),
//                 whose glyph lines go into the manifest there, under its font statement; fontgrey.bmp the same
//                 in grey for disabled texts, fonttitle.bmp DejaVu Sans Bold at 20 pixels in gold for titles
//   and the pictures of the other forms (FormPictures.cpp)
//   make_interface <folder> <manifest in the folder> <font file> <bold font file>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "FormPictures.h"
#include "PictureKit.h"
#include "WaveKit.h"

namespace {

using contentkit::GlyphRenderer;
using contentkit::Picture;
using contentkit::Rgb;
using contentkit::Write;

constexpr int kButtonWidth = 220;
constexpr int kButtonHeight = 34;
// About the account dialog's picture place, 140 x 243 dialog units of "MS Sans Serif" 8.
constexpr int kAccountPictureWidth = 210;
constexpr int kAccountPictureHeight = 390;

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0)); }

void CentredText(Picture& p, GlyphRenderer& font, const std::u32string& text, int top, Rgb colour, Rgb shadow)
{
    const int left = (p.width - font.Width(text)) / 2;
    font.Text(p, text, left + 3, top + 3, shadow);
    font.Text(p, text, left, top, colour);
}

Picture Title(GlyphRenderer& big, GlyphRenderer& small)
{
    Picture p = StarField();
    CentredText(p, big, U"VELMORINE", 150, Rgb{255, 214, 90}, Rgb{90, 30, 10});
    p.Fill(170, 250, 300, 2, Rgb{255, 150, 60});
    CentredText(p, small, U"Morvadel Entertainment", 270, Rgb{200, 210, 240}, Rgb{10, 10, 30});
    return p;
}

// The account dialog's picture (bitmap 106): a tall strip of the star field with the game's name and a ship; no
// other words, since the picture cannot follow the player's language.
Picture AccountPicture(GlyphRenderer& heading)
{
    Picture p = StarField(kAccountPictureWidth, kAccountPictureHeight);
    CentredText(p, heading, U"VELMORINE", 36, Rgb{255, 214, 90}, Rgb{90, 30, 10});
    const int noseX = p.width / 2, noseY = 170;
    for (int row = 0; row < 60; ++row) {
        const int half = row / 3;
        p.Fill(noseX - half, noseY + row, 2 * half + 1, 1, row < 50 ? Rgb{200, 210, 230} : Rgb{255, 150, 60});
    }
    return p;
}

Picture Menu(GlyphRenderer& title)
{
    Picture p = StarField();
    CentredText(p, title, U"VELMORINE", 24, Rgb{255, 214, 90}, Rgb{90, 30, 10});
    return p;
}

// The main menu's button face; its caption is a label of the form drawn over it, in the player's language.
Picture Button()
{
    const Rgb faces[] = {{34, 64, 130}, {18, 36, 80}, {60, 110, 200}, {60, 60, 70}};
    Picture p(kButtonWidth * 4, kButtonHeight);
    for (int f = 0; f < 4; ++f) {
        const int left = f * kButtonWidth;
        for (int y = 0; y < kButtonHeight; ++y) {
            const double shade = 1.25 - 0.5 * y / kButtonHeight;
            const Rgb& c = faces[f];
            p.Fill(left, y, kButtonWidth, 1, Rgb{Channel(c.r * shade), Channel(c.g * shade), Channel(c.b * shade)});
        }
        p.Frame(left, 0, kButtonWidth, kButtonHeight, f == 2 ? Rgb{255, 214, 90} : Rgb{150, 170, 230});
    }
    return p;
}

// A short tone of 16-bit mono samples at 22050 Hz, falling in pitch and dying away, as a RIFF WAVE file.
std::string Blip(double startHz, double endHz, double seconds, double loudness)
{
    constexpr int kRate = 22050;
    const int count = static_cast<int>(kRate * seconds);
    std::string samples;
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        phase += 2 * 3.14159265358979 * (startHz + (endHz - startHz) * t) / kRate;
        const double envelope = std::min(1.0, i / 40.0) * (1 - t) * (1 - t);
        const auto value = static_cast<std::int16_t>(32767 * loudness * envelope * std::sin(phase));
        AppendSample(samples, value);
    }
    return WaveFile(samples, kRate);
}

Picture Cursor()
{
    Picture p(18, 18);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= y && x < 11; ++x)
            p.Set(x, y, x == 0 || x == y || y == 15 ? Rgb{20, 20, 20} : Rgb{255, 240, 200});
    return p;
}

// Puts each font's glyph lines under the manifest's statement of that font.
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s <folder> <manifest> <font file> <bold font file>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    GlyphRenderer font(argv[3], 16);
    GlyphRenderer small(argv[3], 14);
    GlyphRenderer big(argv[4], 72);
    GlyphRenderer title(argv[4], 40);
    GlyphRenderer heading(argv[4], 20);
    if (!font.ok || !small.ok || !big.ok || !title.ok || !heading.ok) {
        std::fprintf(stderr, "cannot open the fonts %s and %s\n", argv[3], argv[4]);
        return 1;
    }
    std::vector<std::pair<std::string, contentkit::FontGlyphs>> fonts = {{"Menu", {}}, {"Grey", {}}, {"Title", {}}};
    const Picture sheets[3] = {
        contentkit::GlyphSheet(small, Rgb{250, 250, 240}, fonts[0].second),
        contentkit::GlyphSheet(small, Rgb{130, 130, 140}, fonts[1].second),
        contentkit::GlyphSheet(heading, Rgb{255, 214, 90}, fonts[2].second),
    };
    bool written =
        Write(folder + "/title.bmp", Title(big, font).Bmp()) && Write(folder + "/menu.bmp", Menu(title).Bmp()) &&
        Write(folder + "/backdrop.bmp", StarField().Bmp()) && Write(folder + "/cursor.bmp", Cursor().Bmp()) &&
        Write(folder + "/Account.bmp", AccountPicture(heading).Bmp());
    for (int i = 0; i < 7; ++i) written = written && Write(folder + "/b_" + std::to_string(i) + ".bmp", Button().Bmp());
    written = written && Write(folder + "/click.wav", Blip(880, 440, 0.09, 0.6)) &&
              Write(folder + "/hover.wav", Blip(1320, 1200, 0.03, 0.25));
    written = written && Write(folder + "/font.bmp", sheets[0].Bmp()) &&
              Write(folder + "/fontgrey.bmp", sheets[1].Bmp()) && Write(folder + "/fonttitle.bmp", sheets[2].Bmp()) &&
              WriteFormPictures(folder, small) && contentkit::AddFontGlyphs(argv[2], fonts);
    if (!written) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
