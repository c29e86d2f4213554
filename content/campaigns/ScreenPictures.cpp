// The demo campaign's screens and layers: three skies with a drifting haze, the level display's pictures and
// font, the mouse cursor and backdrop the campaign's forms need while its data is active, the mission form with
// its buttons, the in-game question panel and the final screen, and the fonts of the forms' labels. The screens
// and buttons carry no words: the forms' labels give them in the player's language.
#include <cmath>
#include <cstdint>
#include <string>

#include "CampaignArt.h"
#include "PlayPictures.h"

namespace campaignart {

namespace {

using contentkit::GlyphRenderer;

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

std::uint32_t Next(std::uint32_t& seed) { return seed = seed * 1664525u + 1013904223u; }

// A vertical gradient with nebula waves and stars; the rows wrap, so the layer scrolls without a seam.
Picture Sky(Rgb low, Rgb high, Rgb cloud, std::uint32_t seed)
{
    Picture p(ScreenWidth, ScreenHeight);
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) {
            const double wave = std::sin(y * 2 * Pi / ScreenHeight * 2 + std::sin(x / 90.0)) *
                                std::sin(x / 70.0 + y * 2 * Pi / ScreenHeight);
            const double t = 0.5 + 0.5 * std::sin(y * 2 * Pi / ScreenHeight);
            Rgb c = Mix(low, high, t);
            if (wave > 0.3) c = Mix(c, cloud, (wave - 0.3) * 0.6);
            p.Set(x, y, Opaque(c));
        }
    for (int star = 0; star < 300; ++star) {
        const int x = static_cast<int>(Next(seed) >> 8) % ScreenWidth,
                  y = static_cast<int>(Next(seed) >> 8) % ScreenHeight;
        const std::uint8_t b = Channel(120 + (Next(seed) >> 24) % 136);
        p.Set(x, y, Rgb{b, b, Channel(b + 20)});
    }
    return p;
}

// Thin drifting wisps on black (the colour key), scrolled faster over the sky.
Picture Haze(Rgb colour)
{
    Picture p(ScreenWidth, ScreenHeight);
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) {
            const double d = std::sin(x / 41.0 + std::sin(y * 2 * Pi / ScreenHeight * 3) * 2) *
                             std::sin(y * 2 * Pi / ScreenHeight * 4);
            if (d > 0.82) p.Set(x, y, Shade(colour, 0.6 + (d - 0.82) * 2));
        }
    return p;
}

// Four frames side by side: normal, pressed, hover, disabled.
Picture Button(int width, int height)
{
    const Rgb faces[] = {{40, 90, 60}, {20, 50, 30}, {70, 150, 90}, {60, 60, 66}};
    Picture p(width * 4, height);
    for (int f = 0; f < 4; ++f) {
        for (int y = 0; y < height; ++y) p.Fill(f * width, y, width, 1, Shade(faces[f], 1.3 - 0.6 * y / height));
        p.Frame(f * width, 0, width, height, f == 2 ? Rgb{255, 220, 100} : Rgb{150, 220, 170});
    }
    return p;
}

Picture Lives()
{
    Picture p(39, 33);
    Cell cell(p, 0, 0, 39, 33);
    cell.Polygon({{0, -14}, {5, -4}, {16, 9}, {16, 13}, {5, 10}, {-5, 10}, {-16, 13}, {-16, 9}, {-5, -4}},
                 Rgb{200, 205, 220});
    cell.Polygon({{0, -9}, {2, -3}, {-2, -3}}, Rgb{90, 200, 255}, false);
    return p;
}

Picture SlowMotionIcon()
{
    Picture p(29, 29);
    Cell cell(p, 0, 0, 29, 29);
    cell.Ring({0, 0}, 13, 2, Rgb{200, 120, 255});
    cell.Polygon({{-7, -9}, {7, -9}, {0, 0}}, Rgb{230, 200, 255});
    cell.Polygon({{0, 0}, {7, 9}, {-7, 9}}, Rgb{230, 200, 255});
    return p;
}

Picture ReservePanel()
{
    Picture p(162, 57);
    for (int y = 0; y < 57; ++y) p.Fill(0, y, 162, 1, Rgb{20, Channel(30 + y / 2), 50});
    p.Frame(0, 0, 162, 57, Rgb{120, 170, 220});
    p.Frame(2, 2, 158, 53, Rgb{50, 80, 120});
    return p;
}

Picture WeaponIndicator()
{
    Picture p(34 * 9, 34);
    for (int k = 0; k < 9; ++k) {
        Cell cell(p, k * 34, 0, 34, 34);
        const Rgb colour{Channel(120 + 15 * k), Channel(250 - 20 * k), Channel(90 + 18 * k)};
        cell.Ring({0, 0}, 15, 2, Rgb{220, 230, 250});
        cell.Disc({0, 0}, 12, colour, Rgb{250, 250, 250});
        for (int dot = 0; dot <= k; ++dot) {
            const double a = dot * 2 * Pi / (k + 1);
            cell.Disc({std::cos(a) * 6, std::sin(a) * 6}, 1.8, Rgb{250, 250, 250}, Rgb{250, 250, 250});
        }
    }
    return p;
}

Picture Digits(GlyphRenderer& font)
{
    Picture p(14 * 10, 17);
    for (int d = 0; d < 10; ++d) {
        const std::u32string digit(1, static_cast<char32_t>(U'0' + d));
        font.Text(p, digit, d * 14 + (14 - font.Width(digit)) / 2, 0, Rgb{255, 230, 120});
    }
    return p;
}

Picture Corner()
{
    Picture p(16, 10);
    p.Fill(0, 0, 16, 10, Rgb{40, 60, 90});
    p.Frame(0, 0, 16, 10, Rgb{120, 170, 220});
    return p;
}

Picture Cursor()
{
    Picture p(18, 18);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= y && x < 11; ++x)
            p.Set(x, y, x == 0 || x == y || y == 15 ? Rgb{20, 20, 20} : Rgb{200, 255, 210});
    return p;
}

Picture Backdrop() { return Sky(Rgb{10, 20, 16}, Rgb{20, 50, 40}, Rgb{40, 90, 70}, 0x0BAC0DE5); }

Picture FinalScreen() { return Sky(Rgb{30, 20, 50}, Rgb{90, 40, 90}, Rgb{200, 120, 160}, 0xF1A1F1A1); }

Picture QuestionPanel()
{
    Picture p(320, 140);
    for (int y = 0; y < 140; ++y) p.Fill(0, y, 320, 1, Rgb{20, Channel(40 + y / 4), 40});
    p.Frame(0, 0, 320, 140, Rgb{150, 220, 170});
    return p;
}

// The campaign's picture on the player form, under the campaign's name.
Picture CampaignPicture()
{
    Picture p(240, 150);
    Cell cell(p, 0, 0, 240, 150);
    for (int y = 0; y < 150; ++y) p.Fill(0, y, 240, 1, Rgb{20, Channel(30 + y / 3), Channel(60 + y / 2)});
    cell.Polygon({{-60, 50}, {-20, 10}, {20, 30}, {70, -10}, {110, 40}, {110, 75}, {-110, 75}, {-110, 40}},
                 Rgb{60, 70, 90});
    cell.Polygon({{0, -40}, {6, -28}, {20, -14}, {20, -10}, {6, -13}, {-6, -13}, {-20, -10}, {-20, -14}, {-6, -28}},
                 Rgb{200, 205, 220});
    return p;
}

}  // namespace

std::vector<NamedPicture> ScreenPictures(const char* boldFont, CampaignFonts& fonts)
{
    GlyphRenderer hud(boldFont, 13), title(boldFont, 32);
    std::vector<NamedPicture> all;
    if (!hud.ok || !title.ok) return all;
    auto add = [&all](const char* name, Picture picture) { all.push_back({name, std::move(picture)}); };
    add("sky1.bmp", Sky(Rgb{8, 12, 40}, Rgb{20, 30, 80}, Rgb{60, 80, 160}, 0x11111111));
    add("sky2.bmp", Sky(Rgb{40, 12, 10}, Rgb{90, 30, 20}, Rgb{200, 90, 40}, 0x22222222));
    add("sky3.bmp", Sky(Rgb{10, 24, 20}, Rgb{24, 60, 50}, Rgb{80, 160, 120}, 0x33333333));
    add("haze1.bmp", Haze(Rgb{120, 140, 220}));
    add("haze2.bmp", Haze(Rgb{230, 140, 90}));
    add("haze3.bmp", Haze(Rgb{120, 220, 170}));
    add("lives.bmp", Lives());                // 39 x 33
    add("corner.bmp", Corner());              // 16 x 10
    add("slowmo.bmp", SlowMotionIcon());      // 29 x 29
    add("reserve.bmp", ReservePanel());       // 162 x 57
    add("indicator.bmp", WeaponIndicator());  // 34 x 34, 9 frames
    add("digits.bmp", Digits(hud));           // 14 x 17, 10 cells
    add("hudfont.bmp", contentkit::GlyphSheet(hud, Rgb{240, 240, 220}, fonts.hud));
    add("greyfont.bmp", contentkit::GlyphSheet(hud, Rgb{130, 130, 130}, fonts.grey));
    add("titlefont.bmp", contentkit::GlyphSheet(title, Rgb{255, 220, 100}, fonts.title));
    add("cursor.bmp", Cursor());  // 18 x 18
    add("backdrop.bmp", Backdrop());
    add("missions.bmp", Backdrop());
    add("final.bmp", FinalScreen());
    add("question.bmp", QuestionPanel());  // 320 x 140
    add("m1.bmp", Button(260, 34));
    add("m2.bmp", Button(260, 34));
    add("m3.bmp", Button(260, 34));
    add("continue.bmp", Button(200, 34));
    add("newgame.bmp", Button(200, 34));
    add("yes.bmp", Button(100, 30));
    add("no.bmp", Button(100, 30));
    add("Demo.bmp", CampaignPicture());
    return all;
}

}  // namespace campaignart
