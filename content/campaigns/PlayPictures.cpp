// The demo campaign's sprite sheets: the ship and its helpers, the enemies, the shots of both sides, the pick-ups,
// the effects and the bosses with their parts. Every sheet is a row (or rows) of equal cells on black, the colour
// key; the manifest's frame rectangles follow the cell sizes written beside each sheet here.
#include "PlayPictures.h"

#include <cmath>
#include <string>

#include "CampaignArt.h"

namespace campaignart {

namespace {

constexpr double StripStep = 11.25;  // degrees between the frames of a 32-frame heading strip

const Rgb Steel{170, 180, 200};
const Rgb White{250, 250, 250};

void Ship(Cell cell, Rgb hull, double lean)
{
    cell.Polygon({{0, -13},
                  {4, -4},
                  {14 - lean, 8},
                  {14 - lean, 12},
                  {4, 9},
                  {-4, 9},
                  {-14 - lean, 12},
                  {-14 - lean, 8},
                  {-4, -4}},
                 hull);
    cell.Polygon({{0, -9}, {2, -3}, {-2, -3}}, Rgb{90, 200, 255}, false);
    cell.Polygon({{-3, 9}, {3, 9}, {2, 13}, {-2, 13}}, Rgb{255, 150, 40}, false);
}

// An enemy craft drawn nose down (the cell's turn points it).
void Craft(Cell cell, Rgb hull, double size)
{
    const double s = size / 12;
    cell.Polygon({{0, 11 * s},
                  {5 * s, 2 * s},
                  {11 * s, -3 * s},
                  {9 * s, -9 * s},
                  {3 * s, -5 * s},
                  {-3 * s, -5 * s},
                  {-9 * s, -9 * s},
                  {-11 * s, -3 * s},
                  {-5 * s, 2 * s}},
                 hull);
    cell.Disc({0, 0}, 3 * s, Rgb{255, 60, 60}, Rgb{255, 220, 200});
}

void HeadingStrip(Picture& sheet, int size, Rgb hull, double turnOfFrame(int))
{
    Strip strip{sheet, 0, size, size};
    for (int f = 0; f < 32; ++f) Craft(strip.At(f, turnOfFrame(f)), hull, size / 2.0 - 1);
}

void Explosion(Picture& sheet, int size, int frames, Rgb hot, Rgb cool)
{
    Strip strip{sheet, 0, size, size};
    for (int f = 0; f < frames; ++f) {
        const double t = static_cast<double>(f) / (frames - 1);
        Cell cell = strip.At(f);
        const double r = size * (0.18 + 0.3 * t);
        for (int k = 0; k < 7; ++k) {
            const double a = k * 2 * Pi / 7 + t;
            const Point p{std::cos(a) * r * 0.6, std::sin(a) * r * 0.6};
            cell.Disc(p, r * (0.7 - 0.35 * t), Mix(hot, cool, t), Mix(White, hot, t));
        }
        if (t < 0.6) cell.Disc({0, 0}, r * 0.6 * (1 - t), White, White);
    }
}

Picture Player()
{
    Picture p(32 * 5, 28);
    Strip strip{p, 0, 32, 28};
    for (int f = 0; f < 5; ++f) Ship(strip.At(f), Rgb{200, 205, 220}, (f - 2) * 2.5);
    return p;
}

// Two pods either side of the ship: six frames of growing in, then five frames in place.
Picture Option()
{
    Picture p(48 * 6, 40);
    for (int row = 0; row < 2; ++row) {
        Strip strip{p, row * 20, 48, 20};
        for (int f = 0; f < (row == 0 ? 6 : 5); ++f) {
            const double r = row == 0 ? 1.5 + f : 6.5;
            Cell cell = strip.At(f);
            cell.Disc({-18, 2}, r, Rgb{60, 200, 120}, White);
            cell.Disc({18, 2}, r, Rgb{60, 200, 120}, White);
        }
    }
    return p;
}

Picture Shield()
{
    Picture p(48 * 4, 44);
    Strip strip{p, 0, 48, 44};
    for (int f = 0; f < 4; ++f) {
        Cell cell = strip.At(f);
        cell.Ring({0, 0}, 19 + (f % 2), 2, Rgb{90, 180, 255});
        cell.Ring({0, 0}, 16 - f, 1, Rgb{40, 90, 200});
    }
    return p;
}

Picture Bolt(int w, int h, Rgb core, Rgb glow)
{
    Picture p(w, h);
    Cell cell(p, 0, 0, w, h);
    cell.Polygon({{0, -h / 2.0}, {w / 2.0, -h / 4.0}, {w / 2.0, h / 2.0}, {-w / 2.0, h / 2.0}, {-w / 2.0, -h / 4.0}},
                 glow, false);
    cell.Polygon({{0, -h / 2.0 + 1}, {w / 4.0, 0}, {0, h / 2.0 - 1}, {-w / 4.0, 0}}, core, false);
    return p;
}

Picture Balls(int size, int frames, Rgb colour)
{
    Picture p(size * frames, size);
    Strip strip{p, 0, size, size};
    for (int f = 0; f < frames; ++f) {
        const double pulse = 1 - 0.15 * (f % 2);
        strip.At(f).Disc({0, 0}, size / 2.0 * pulse - 0.5, colour, White);
    }
    return p;
}

// Rows of four frames: the formation's members flap their wings.
Picture Drones()
{
    const Rgb hulls[] = {{70, 120, 230}, {230, 90, 170}, {80, 200, 90}, {240, 150, 50}};
    Picture p(28 * 4, 22 * 4);
    for (int row = 0; row < 4; ++row) {
        Strip strip{p, row * 22, 28, 22};
        for (int f = 0; f < 4; ++f) {
            Cell cell = strip.At(f);
            const double flap = (f == 3 ? 1 : f) * 2.0;
            cell.Polygon({{-13, -6 + flap}, {-4, -3}, {4, -3}, {13, -6 + flap}, {11, 4}, {4, 2}, {-4, 2}, {-11, 4}},
                         Shade(hulls[row], 0.8));
            cell.Disc({0, 0}, 6, hulls[row], White);
            cell.Put(11, 11, Rgb{255, 255, 120}), cell.Put(16, 11, Rgb{255, 255, 120});
        }
    }
    return p;
}

Picture Sliders()
{
    Picture p(20 * 4, 16);
    Strip strip{p, 0, 20, 16};
    for (int f = 0; f < 4; ++f) {
        Cell cell = strip.At(f);
        const double lift = -3.0 + f % 2;
        cell.Polygon({{-9, lift}, {9, lift}, {6, 5}, {-6, 5}}, Rgb{60, 160, 70});
        cell.Disc({0, 0}, 4, Rgb{120, 240, 120}, White);
    }
    return p;
}

Picture Block()
{
    Picture p(32 * 4, 24);
    Strip strip{p, 0, 32, 24};
    for (int f = 0; f < 4; ++f) {
        Cell cell = strip.At(f);
        cell.Polygon({{-15, -11}, {15, -11}, {15, 11}, {-15, 11}}, Rgb{130, 110, 90});
        for (int crack = 0; crack < f * 3; ++crack) {
            const int x = 4 + (crack * 7) % 24, y = 3 + (crack * 5) % 18;
            cell.Put(x, y, Rgb{50, 40, 30}), cell.Put(x + 1, y + 1, Rgb{50, 40, 30}),
                cell.Put(x + 2, y + 1, Rgb{50, 40, 30});
        }
    }
    return p;
}

// Rows of two equal frames of 3 x 3: far, near and bright stars.
Picture Stars()
{
    Picture p(6, 9);
    const Rgb colours[] = {{120, 120, 150}, {200, 200, 230}, {255, 240, 200}};
    for (int row = 0; row < 3; ++row)
        for (int f = 0; f < 2; ++f) {
            Cell cell(p, f * 3, row * 3, 3, 3);
            cell.Put(1, 1, colours[row]);
            if (row == 2)
                cell.Put(0, 1, colours[1]), cell.Put(2, 1, colours[1]), cell.Put(1, 0, colours[1]),
                    cell.Put(1, 2, colours[1]);
        }
    return p;
}

Picture Cruiser()
{
    Picture p(48 * 4, 20);
    Strip strip{p, 0, 48, 20};
    for (int f = 0; f < 4; ++f) {
        Cell cell = strip.At(f);
        cell.Polygon({{-23, 0}, {-12, -7}, {14, -7}, {23, 0}, {14, 7}, {-12, 7}}, Rgb{230, 200, 60});
        for (int light = 0; light < 4; ++light)
            cell.Disc({-9.0 + light * 7, 0}, 2, light == f ? Rgb{255, 60, 60} : Rgb{90, 60, 30}, White);
    }
    return p;
}

// Rows of four frames of 20 x 20, one row per falling pick-up: option, slow motion, shield, extra ship, rain,
// score.
Picture Pickups()
{
    const Rgb colours[] = {{60, 200, 120}, {200, 120, 255}, {90, 180, 255},
                           {255, 220, 80}, {80, 220, 240},  {255, 150, 60}};
    Picture p(20 * 4, 20 * 6);
    for (int row = 0; row < 6; ++row) {
        Strip strip{p, row * 20, 20, 20};
        for (int f = 0; f < 4; ++f) {
            Cell cell = strip.At(f, f * 22.5);
            cell.Polygon({{0, -9}, {9, 0}, {0, 9}, {-9, 0}}, colours[row]);
            cell.Disc({0, 0}, 3.5, White, White);
        }
    }
    return p;
}

// Rows of four frames of 24 x 24, one row per special weapon 0 to 8; they also serve as the level display's
// icons.
Picture WeaponPickups()
{
    Picture p(24 * 4, 24 * 9);
    for (int row = 0; row < 9; ++row) {
        const Rgb colour{Channel(120 + 15 * row), Channel(250 - 20 * row), Channel(90 + 18 * row)};
        Strip strip{p, row * 24, 24, 24};
        for (int f = 0; f < 4; ++f) {
            Cell cell = strip.At(f);
            cell.Disc({0, 0}, 11, Shade(colour, 0.6 + 0.1 * f), White);
            for (int dot = 0; dot <= row; ++dot) {
                const double a = dot * 2 * Pi / (row + 1);
                cell.Disc({std::cos(a) * 5, std::sin(a) * 5}, 1.6, White, White);
            }
        }
    }
    return p;
}

Picture Smoke(int size, int frames, Rgb colour)
{
    Picture p(size * frames, size);
    Strip strip{p, 0, size, size};
    for (int f = 0; f < frames; ++f)
        strip.At(f).Disc({0, 0}, size / 2.0 - 0.5 - f * size / (3.0 * frames), Shade(colour, 1 - 0.15 * f), colour);
    return p;
}

Picture Spinner(int size, int frames, Rgb colour)
{
    Picture p(size * frames, size);
    Strip strip{p, 0, size, size};
    for (int f = 0; f < frames; ++f) {
        Cell cell = strip.At(f, f * 90.0 / frames);
        const double r = size / 2.0 - 0.5;
        cell.Polygon({{0, -r},
                      {r * 0.3, -r * 0.3},
                      {r, 0},
                      {r * 0.3, r * 0.3},
                      {0, r},
                      {-r * 0.3, r * 0.3},
                      {-r, 0},
                      {-r * 0.3, -r * 0.3}},
                     colour, false);
    }
    return p;
}

Picture Charged()
{
    Picture p(16 * 6, 16);
    Strip strip{p, 0, 16, 16};
    for (int f = 0; f < 6; ++f) strip.At(f).Disc({0, 0}, 2.5 + f, Rgb{255, 120, 220}, White);
    return p;
}

Picture Missile()
{
    Picture p(10 * 32, 10);
    Strip strip{p, 0, 10, 10};
    for (int f = 0; f < 32; ++f) {
        Cell cell = strip.At(f, -f * StripStep - 90);
        cell.Polygon({{0, 5}, {2, 0}, {2, -4}, {-2, -4}, {-2, 0}}, Rgb{230, 230, 240});
    }
    return p;
}

// Boss parts.

Picture Core()
{
    Picture p(40 * 2, 28);
    Strip strip{p, 0, 40, 28};
    for (int f = 0; f < 2; ++f) {
        Cell cell = strip.At(f);
        cell.Polygon({{-19, -8}, {-10, -13}, {10, -13}, {19, -8}, {19, 8}, {10, 13}, {-10, 13}, {-19, 8}},
                     Rgb{110, 100, 140});
        cell.Disc({0, 0}, 8 + f, Rgb{255, 70, 40}, Rgb{255, 240, 120});
    }
    return p;
}

Picture Gunner()
{
    Picture p(24 * 2, 24);
    Strip strip{p, 0, 24, 24};
    for (int f = 0; f < 2; ++f) {
        Cell cell = strip.At(f);
        cell.Disc({0, -2}, 9, Rgb{140, 140, 160}, White);
        cell.Polygon({{-3, 2}, {3, 2}, {3, 11}, {-3, 11}}, f ? Rgb{255, 200, 80} : Steel);
    }
    return p;
}

Picture Maw()
{
    Picture p(40 * 7, 24);
    Strip strip{p, 0, 40, 24};
    for (int f = 0; f < 7; ++f) {
        Cell cell = strip.At(f);
        const double open = f * 1.4;
        cell.Polygon({{-19, -11}, {19, -11}, {19, -2 - open / 2}, {-19, -2 - open / 2}}, Rgb{150, 60, 70});
        cell.Polygon({{-19, 2 + open / 2}, {19, 2 + open / 2}, {16, 11}, {-16, 11}}, Rgb{150, 60, 70});
        if (f > 0)
            cell.Polygon({{-15, -2 - open / 2}, {15, -2 - open / 2}, {15, 2 + open / 2}, {-15, 2 + open / 2}},
                         Rgb{255, 120, 40}, false);
    }
    return p;
}

Picture Plate()
{
    Picture p(24 * 2, 16);
    Strip strip{p, 0, 24, 16};
    for (int f = 0; f < 2; ++f)
        strip.At(f).Polygon({{-11, -7}, {11, -7}, {9, 7}, {-9, 7}}, f ? Rgb{200, 90, 80} : Rgb{120, 130, 150});
    return p;
}

// A gun turned toward frame f's aim: turnOfFrame gives the cell's turn, the barrel drawn pointing down.
Picture AimStrip(int size, int frames, double turnOfFrame(int), Rgb base)
{
    Picture p(size * frames, size);
    Strip strip{p, 0, size, size};
    for (int f = 0; f < frames; ++f) {
        Cell cell = strip.At(f, turnOfFrame(f));
        cell.Disc({0, 0}, size * 0.32, base, White);
        cell.Polygon({{-2.5, 0}, {2.5, 0}, {2.5, size * 0.48}, {-2.5, size * 0.48}}, Steel);
    }
    return p;
}

// Six frames of a lid opening over a light.
Picture Hatch(int w, int h, Rgb lid, Rgb inside)
{
    Picture p(w * 6, h);
    Strip strip{p, 0, w, h};
    for (int f = 0; f < 6; ++f) {
        Cell cell = strip.At(f);
        cell.Polygon({{-w / 2.0 + 1, -h / 2.0 + 1},
                      {w / 2.0 - 1, -h / 2.0 + 1},
                      {w / 2.0 - 1, h / 2.0 - 1},
                      {-w / 2.0 + 1, h / 2.0 - 1}},
                     inside);
        const double lidHeight = (h / 2.0 - 1) * (1 - f / 5.0);
        cell.Polygon({{-w / 2.0 + 1, -h / 2.0 + 1},
                      {w / 2.0 - 1, -h / 2.0 + 1},
                      {w / 2.0 - 1, -h / 2.0 + 1 + lidHeight},
                      {-w / 2.0 + 1, -h / 2.0 + 1 + lidHeight}},
                     lid);
        cell.Polygon({{-w / 2.0 + 1, h / 2.0 - 1 - lidHeight},
                      {w / 2.0 - 1, h / 2.0 - 1 - lidHeight},
                      {w / 2.0 - 1, h / 2.0 - 1},
                      {-w / 2.0 + 1, h / 2.0 - 1}},
                     lid);
    }
    return p;
}

// Right side in the first row, the left side (mirrored) in the second; six frames of swelling.
Picture Sides()
{
    Picture p(28 * 6, 96);
    for (int row = 0; row < 2; ++row) {
        Strip strip{p, row * 48, 28, 48};
        const double m = row == 0 ? 1 : -1;
        for (int f = 0; f < 6; ++f) {
            Cell cell = strip.At(f);
            const double bulge = 4 + f * 1.6;
            cell.Polygon({{-13 * m, -22}, {(-4 + bulge) * m, -12}, {(-4 + bulge) * m, 12}, {-13 * m, 22}},
                         Rgb{120, 90, 160});
            cell.Disc({(-8 + bulge / 2) * m, 0}, 3 + f * 0.5, Rgb{255, 90, 200}, White);
        }
    }
    return p;
}

// The drawn frames, then one frame left empty: the hidden look that keeps the body's size.
Picture Body(int w, int h, Rgb hull, int frames = 1)
{
    Picture p(w * (frames + 1), h);
    Strip strip{p, 0, w, h};
    for (int f = 0; f < frames; ++f) {
        Cell cell = strip.At(f);
        const Rgb colour = f == 0 ? hull : Mix(hull, Rgb{255, 90, 30}, 0.5);
        cell.Polygon({{-w / 2.0 + 2, -h / 4.0},
                      {-w / 4.0, -h / 2.0 + 2},
                      {w / 4.0, -h / 2.0 + 2},
                      {w / 2.0 - 2, -h / 4.0},
                      {w / 2.0 - 2, h / 4.0},
                      {w / 4.0, h / 2.0 - 2},
                      {-w / 4.0, h / 2.0 - 2},
                      {-w / 2.0 + 2, h / 4.0}},
                     colour);
        for (int rib = 1; rib < 6; ++rib) {
            const double x = -w / 2.0 + rib * w / 6.0;
            cell.Polygon({{x - 1, -h / 3.0}, {x + 1, -h / 3.0}, {x + 1, h / 3.0}, {x - 1, h / 3.0}}, Shade(colour, 0.7),
                         false);
        }
    }
    return p;
}

double LooperTurn(int f) { return f * StripStep; }
double DiverTurn(int f) { return -(f - 12) * StripStep; }
double AimingGunTurn(int f) { return 90 - (42 + 12 * f); }
double CannonTurn(int f) { return 90 - (50 + f / 0.19875737); }
double ArmTurn(int f) { return 90 - f / 0.1722222; }

}  // namespace

std::vector<NamedPicture> PlayPictures()
{
    std::vector<NamedPicture> all;
    auto add = [&all](const char* name, Picture picture) { all.push_back({name, std::move(picture)}); };
    add("player.bmp", Player());                               // 32 x 28, 5 lean frames
    add("option.bmp", Option());                               // 48 x 20: 6 appearing, then 5 frames
    add("shield.bmp", Shield());                               // 48 x 44, 4 frames
    add("pshot.bmp", Bolt(4, 12, White, Rgb{120, 220, 255}));  // 4 x 12
    add("dshot.bmp", Bolt(4, 12, White, Rgb{255, 200, 90}));   // 4 x 12
    add("eshot.bmp", Balls(8, 2, Rgb{255, 90, 60}));           // 8 x 8, 2 frames
    add("bullet.bmp", Balls(12, 4, Rgb{200, 60, 255}));        // 12 x 12, 4 frames
    add("drones.bmp", Drones());                               // 28 x 22, rows of 4
    add("slider.bmp", Sliders());                              // 20 x 16, 4 frames
    {
        Picture diver(24 * 32, 24);
        HeadingStrip(diver, 24, Rgb{230, 80, 80}, DiverTurn);
        add("diver.bmp", std::move(diver));  // 24 x 24, 32 frames, frame 12 nose down
        Picture looper(24 * 32, 24);
        HeadingStrip(looper, 24, Rgb{240, 190, 60}, LooperTurn);
        add("looper.bmp", std::move(looper));  // 24 x 24, 32 frames, frame 0 nose down
        Picture circler(24 * 32, 24);
        HeadingStrip(circler, 24, Rgb{90, 220, 220}, LooperTurn);
        add("circler.bmp", std::move(circler));
    }
    add("block.bmp", Block());                         // 32 x 24, 4 damage frames
    add("dust.bmp", Smoke(8, 4, Rgb{150, 130, 110}));  // 8 x 8, 4 frames
    add("stars.bmp", Stars());                         // 3 x 3, rows of 2
    add("cruiser.bmp", Cruiser());                     // 48 x 20, 4 frames
    add("pickups.bmp", Pickups());                     // 20 x 20, rows of 4
    add("weapons.bmp", WeaponPickups());               // 24 x 24, rows of 4
    {
        Picture boom(32 * 8, 32);
        Explosion(boom, 32, 8, Rgb{255, 220, 80}, Rgb{120, 40, 20});
        add("boom.bmp", std::move(boom));  // 32 x 32, 8 frames
        Picture big(64 * 8, 64);
        Explosion(big, 64, 8, Rgb{255, 240, 150}, Rgb{140, 50, 30});
        add("bigboom.bmp", std::move(big));  // 64 x 64, 8 frames
        Picture spark(12 * 4, 12);
        Explosion(spark, 12, 4, Rgb{255, 255, 160}, Rgb{255, 120, 40});
        add("spark.bmp", std::move(spark));  // 12 x 12, 4 frames
        Picture blast(48 * 6, 48);
        Explosion(blast, 48, 6, Rgb{160, 230, 255}, Rgb{40, 60, 200});
        add("blast.bmp", std::move(blast));  // 48 x 48, 6 frames
    }
    add("puff.bmp", Smoke(8, 4, Rgb{190, 190, 190}));                           // 8 x 8, 4 frames
    add("dropper.bmp", Spinner(20, 4, Rgb{240, 110, 60}));                      // 20 x 20, 4 frames
    add("burst.bmp", Balls(8, 2, Rgb{255, 240, 120}));                          // 8 x 8, 2 frames
    add("frag.bmp", Balls(4, 1, Rgb{255, 220, 120}));                           // 4 x 4
    add("bouncer.bmp", Spinner(10, 4, Rgb{120, 255, 160}));                     // 10 x 10, 4 frames
    add("bounce2.bmp", Spinner(6, 4, Rgb{120, 255, 160}));                      // 6 x 6, 4 frames
    add("falling.bmp", Balls(6, 2, Rgb{255, 160, 60}));                         // 6 x 6, 2 frames
    add("curl.bmp", Spinner(8, 4, Rgb{255, 120, 255}));                         // 8 x 8, 4 frames
    add("vortex.bmp", Spinner(14, 4, Rgb{160, 120, 255}));                      // 14 x 14, 4 frames
    add("swirl.bmp", Spinner(6, 4, Rgb{200, 170, 255}));                        // 6 x 6, 4 frames
    add("charged.bmp", Charged());                                              // 16 x 16, 6 frames
    add("bomb.bmp", Balls(8, 2, Rgb{120, 200, 255}));                           // 8 x 8, 2 frames
    add("lance.bmp", Bolt(8, 24, White, Rgb{255, 90, 90}));                     // 8 x 24
    add("missile.bmp", Missile());                                              // 10 x 10, 32 frames by heading
    add("core.bmp", Core());                                                    // 40 x 28, 2 frames
    add("gunner.bmp", Gunner());                                                // 24 x 24, 2 frames
    add("maw.bmp", Maw());                                                      // 40 x 24, 7 frames
    add("plate.bmp", Plate());                                                  // 24 x 16, 2 frames
    add("hanger.bmp", Balls(8, 3, Rgb{255, 80, 200}));                          // 8 x 8, 3 frames
    add("aimgun.bmp", AimStrip(24, 9, AimingGunTurn, Rgb{90, 120, 90}));        // 24 x 24, 9 frames
    add("cannon.bmp", AimStrip(28, 19, CannonTurn, Rgb{120, 90, 90}));          // 28 x 28, 19 frames
    add("swing.bmp", AimStrip(28, 32, ArmTurn, Rgb{180, 150, 60}));             // 28 x 28, 32 frames
    add("wreck.bmp", AimStrip(28, 32, ArmTurn, Rgb{70, 60, 50}));               // 28 x 28, 32 frames
    add("hatchgun.bmp", Hatch(28, 20, Rgb{110, 120, 140}, Rgb{255, 80, 60}));   // 28 x 20, 6 frames
    add("firehatch.bmp", Hatch(28, 20, Rgb{140, 110, 90}, Rgb{255, 200, 60}));  // 28 x 20, 6 frames
    add("popup.bmp", Hatch(28, 24, Rgb{100, 100, 120}, Rgb{255, 120, 200}));    // 28 x 24, 6 frames
    add("launcher.bmp", Hatch(40, 24, Rgb{90, 110, 100}, Rgb{240, 110, 60}));   // 40 x 24, 6 frames
    add("spawner.bmp", Hatch(32, 32, Rgb{120, 100, 140}, Rgb{80, 200, 90}));    // 32 x 32, 6 frames
    add("sides.bmp", Sides());                              // 28 x 48: right row, left row, 6 frames
    add("sweeper.bmp", Spinner(24, 4, Rgb{200, 200, 90}));  // 24 x 24, 4 frames
    add("flyoff.bmp", Spinner(24, 4, Rgb{90, 200, 255}));   // 24 x 24, 4 frames
    {
        Picture sideCruiser(40 * 2, 18);
        Strip strip{sideCruiser, 0, 40, 18};
        for (int f = 0; f < 2; ++f) Craft(strip.At(f, 90), Rgb{200, 120, 60}, 9 + f);
        add("sidecruiser.bmp", std::move(sideCruiser));  // 40 x 18, 2 frames
    }
    add("wanderer.bmp", Body(176, 72, Rgb{90, 110, 170}));   // 176 x 72, the body and an empty frame
    add("diving.bmp", Body(140, 64, Rgb{170, 90, 90}));      // 140 x 64, the body and an empty frame
    add("sequencer.bmp", Body(260, 64, Rgb{90, 150, 110}));  // 260 x 64, the body and an empty frame
    add("hatchboss.bmp", Body(220, 80, Rgb{150, 120, 80}));  // 220 x 80, the body and an empty frame
    add("blank.bmp", Picture(64, 64));  // all colour key: the look of a member not yet in its place
    add("fortress.bmp", Body(400, 150, Rgb{110, 110, 130}, 2));  // 400 x 150: whole, burning, empty
    return all;
}

}  // namespace campaignart
