// Draws the form pictures into the folder given:
//   panel.bmp     640 x 480: the star field under a dark panel with a green band at its top, for the player form,
//                 the help pages, the about form and the top list
//   quit.bmp      640 x 480: the star field with a framed box in its middle, for the quit question
//   options.bmp   640 x 480 on black (the colour key): the slider tracks and the section rules, drawn over the
//                 darkened background the options form builds when it opens
//   face.bmp      160 x 30: a text button under the pointer
//   keyface.bmp   130 x 24: a key field waiting for a key
//   slotrow.bmp   328 x 28: the selected player's row
//   rowbox.bmp    6 frames of 230 x 26: a campaign row (off, on, off hover, on hover, off disabled, on disabled)
//   check.bmp     6 frames of 24 x 24: a check box, frames as above
//   radio.bmp     6 frames of 16 x 16: the selected-slot mark, frames as above
//   knob.bmp      4 frames of 12 x 20: a slider's knob (normal, pressed, hover, disabled)
//   up.bmp, down.bmp, left.bmp, right.bmp, minus.bmp, plus.bmp
//                 4 frames of 24 x 24: arrow and volume buttons (normal, pressed, hover, disabled)
//   digits.bmp    10 cells of 9 x 14: the digits 0 to 9 of the numeric displays
#include "FormPictures.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

using contentkit::GlyphRenderer;
using contentkit::Picture;
using contentkit::Rgb;

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0)); }

constexpr int kWidth = 640;
constexpr int kHeight = 480;
const Rgb kPanel{10, 14, 32};
const Rgb kBand{12, 52, 30};
const Rgb kRim{90, 110, 170};
const Rgb kGold{255, 214, 90};

// The panel the panel forms show: (7, 14) to (632, 466), its first 25 rows a band.
Picture Panel()
{
    Picture p = StarField();
    p.Fill(7, 14, 625, 452, kPanel);
    p.Fill(7, 14, 625, 25, kBand);
    p.Frame(6, 13, 627, 454, kRim);
    return p;
}

Picture QuitBox()
{
    Picture p = StarField();
    p.Fill(140, 160, 360, 160, kPanel);
    p.Fill(140, 160, 360, 25, kBand);
    p.Frame(139, 159, 362, 162, kRim);
    return p;
}

// On the colour key: what the options form draws over its darkened background.
Picture OptionsMarks()
{
    Picture p(kWidth, kHeight);
    const Rgb rule{60, 80, 130};
    for (int y : {190, 280, 372}) p.Fill(40, y, 560, 1, rule);
    for (int y : {212, 248}) {  // the slider tracks, under the knobs
        p.Fill(284, y - 3, 216, 6, Rgb{30, 40, 70});
        p.Frame(283, y - 4, 218, 8, rule);
    }
    return p;
}

Picture Face(int width, int height, Rgb top, Rgb bottom, Rgb rim)
{
    Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        const double t = static_cast<double>(y) / height;
        p.Fill(0, y, width, 1,
               Rgb{static_cast<std::uint8_t>(top.r + (bottom.r - top.r) * t),
                   static_cast<std::uint8_t>(top.g + (bottom.g - top.g) * t),
                   static_cast<std::uint8_t>(top.b + (bottom.b - top.b) * t)});
    }
    p.Frame(0, 0, width, height, rim);
    return p;
}

// Six frames of a box: off, on, off under the pointer, on under the pointer, off disabled, on disabled.
Picture Boxes(int width, int height, bool round)
{
    Picture p(width * 6, height);
    for (int f = 0; f < 6; ++f) {
        const int left = f * width;
        const bool on = f % 2 == 1;
        const bool hover = f == 2 || f == 3;
        const bool disabled = f >= 4;
        const Rgb rim = disabled ? Rgb{90, 90, 100} : hover ? kGold : Rgb{150, 170, 230};
        const Rgb inside = disabled ? Rgb{40, 40, 48} : Rgb{16, 24, 56};
        const Rgb mark = disabled ? Rgb{120, 120, 120} : Rgb{120, 230, 120};
        if (round) {
            const double r = width / 2.0 - 0.5;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const double d = std::abs((x - r) * (x - r) + (y - r) * (y - r));
                    if (d <= r * r) p.Set(left + x, y, d >= (r - 1.5) * (r - 1.5) ? rim : inside);
                    if (on && d <= (r - 4) * (r - 4)) p.Set(left + x, y, mark);
                }
            continue;
        }
        p.Fill(left + 1, 1, width - 2, height - 2, inside);
        p.Frame(left, 0, width, height, rim);
        if (on) p.Fill(left + 5, 5, std::min(width, height) - 10, height - 10, mark);
    }
    return p;
}

// A campaign row: nothing when off, a bar when on, a rim under the pointer; black is the colour key.
Picture RowBoxes()
{
    constexpr int w = 230, h = 26;
    Picture p(w * 6, h);
    for (int f = 0; f < 6; ++f) {
        const int left = f * w;
        if (f % 2 == 1) p.Fill(left + 1, 1, w - 2, h - 2, f >= 4 ? Rgb{50, 50, 60} : Rgb{34, 70, 150});
        if (f == 2 || f == 3) p.Frame(left, 0, w, h, kGold);
    }
    return p;
}

// Four frames of a small button with a shape drawn by inside(x, y) over -1..1.
template <typename Shape>
Picture ShapeButton(Shape inside)
{
    constexpr int s = 24;
    Picture p(s * 4, s);
    const Rgb faces[] = {{34, 64, 130}, {18, 36, 80}, {60, 110, 200}, {50, 50, 58}};
    for (int f = 0; f < 4; ++f) {
        const int left = f * s;
        p.Fill(left, 0, s, s, faces[f]);
        p.Frame(left, 0, s, s, f == 2 ? kGold : Rgb{150, 170, 230});
        const Rgb ink = f == 3 ? Rgb{110, 110, 110} : Rgb{250, 250, 240};
        for (int y = 0; y < s; ++y)
            for (int x = 0; x < s; ++x)
                if (inside((x - 11.5) / 7.0, (y - 11.5) / 7.0)) p.Set(left + x + (f == 1), y + (f == 1), ink);
    }
    return p;
}

Picture Knob()
{
    Picture p(12 * 4, 20);
    const Rgb faces[] = {{200, 200, 220}, {255, 214, 90}, {240, 240, 255}, {90, 90, 100}};
    for (int f = 0; f < 4; ++f) {
        p.Fill(f * 12 + 1, 1, 10, 18, faces[f]);
        p.Frame(f * 12, 0, 12, 20, Rgb{40, 50, 90});
    }
    return p;
}

Picture Digits(GlyphRenderer& font)
{
    Picture p(90, 14);
    for (int d = 0; d < 10; ++d) font.Draw(p, static_cast<char32_t>(U'0' + d), d * 9, -2, Rgb{250, 250, 240});
    return p;
}

}  // namespace

// A deep blue sky darkening upwards, with stars from a fixed generator so every build draws the same picture.
contentkit::Picture StarField(int width, int height)
{
    contentkit::Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        const double t = static_cast<double>(y) / height;
        p.Fill(0, y, width, 1, contentkit::Rgb{Channel(8 + 30 * t * t), Channel(10 + 20 * t), Channel(30 + 70 * t)});
    }
    std::uint32_t seed = 0x5EED1234;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const int stars = static_cast<int>(260LL * width * height / (kWidth * kHeight));  // 260 on the whole screen
    for (int star = 0; star < stars; ++star) {
        const int x = static_cast<int>(next() >> 8) % width;
        const int y = static_cast<int>(next() >> 8) % height;
        const std::uint8_t bright = Channel(110 + (next() >> 24) % 146);
        p.Set(x, y, contentkit::Rgb{bright, bright, Channel(bright + 20)});
        if (bright > 235)
            p.Set(x + 1, y, contentkit::Rgb{120, 120, 160}), p.Set(x, y + 1, contentkit::Rgb{120, 120, 160});
    }
    return p;
}

bool WriteFormPictures(const std::string& folder, GlyphRenderer& digitFont)
{
    using contentkit::Write;
    const Picture arrows[] = {
        ShapeButton([](double x, double y) { return y >= -0.6 && y <= 0.6 && std::abs(x) <= (y + 0.6) * 0.9; }),
        ShapeButton([](double x, double y) { return y >= -0.6 && y <= 0.6 && std::abs(x) <= (0.6 - y) * 0.9; }),
        ShapeButton([](double x, double y) { return x >= -0.6 && x <= 0.6 && std::abs(y) <= (0.6 + x) * 0.9; }),
        ShapeButton([](double x, double y) { return x >= -0.6 && x <= 0.6 && std::abs(y) <= (0.6 - x) * 0.9; }),
        ShapeButton([](double x, double y) { return std::abs(x) <= 0.7 && std::abs(y) <= 0.15; }),
        ShapeButton([](double x, double y) {
            return (std::abs(x) <= 0.7 && std::abs(y) <= 0.15) || (std::abs(y) <= 0.7 && std::abs(x) <= 0.15);
        }),
    };
    const char* arrowNames[] = {"up", "down", "left", "right", "minus", "plus"};
    bool written = Write(folder + "/panel.bmp", Panel().Bmp()) && Write(folder + "/quit.bmp", QuitBox().Bmp()) &&
                   Write(folder + "/options.bmp", OptionsMarks().Bmp()) &&
                   Write(folder + "/face.bmp", Face(160, 30, {70, 120, 210}, {30, 60, 130}, kGold).Bmp()) &&
                   Write(folder + "/keyface.bmp", Face(130, 24, {120, 90, 20}, {70, 50, 10}, kGold).Bmp()) &&
                   Write(folder + "/slotrow.bmp", Face(328, 28, {40, 70, 140}, {20, 40, 90}, kGold).Bmp()) &&
                   Write(folder + "/rowbox.bmp", RowBoxes().Bmp()) &&
                   Write(folder + "/check.bmp", Boxes(24, 24, false).Bmp()) &&
                   Write(folder + "/radio.bmp", Boxes(16, 16, true).Bmp()) &&
                   Write(folder + "/knob.bmp", Knob().Bmp()) && Write(folder + "/digits.bmp", Digits(digitFont).Bmp());
    for (int i = 0; i < 6; ++i) written = written && Write(folder + "/" + arrowNames[i] + ".bmp", arrows[i].Bmp());
    return written;
}
