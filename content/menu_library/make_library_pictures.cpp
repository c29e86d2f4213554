// Draws the menu library's pictures into its "Resources" folder: the menu's background, each application's banner
// and row picture, the developers' logos, the rating badge, the filter list's radio marks and the three cursor
// animations (their frames under "-<name>" and the baked ".Sequence" under "Cache/Resources").
//   make_library_pictures <library folder> <regular face> <bold face>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Catalog.h"
#include "FrameBaker.h"
#include "PictureKit.h"
#include "foundation/FileFlags.h"
#include "frames/Frame.h"

namespace {

namespace fs = std::filesystem;
using contentkit::GlyphRenderer;
using contentkit::Picture;
using contentkit::Rgb;

std::u32string Wide(const std::string& text) { return std::u32string(text.begin(), text.end()); }

Rgb Mix(Rgb a, Rgb b, double t)
{
    auto channel = [t](int x, int y) { return static_cast<std::uint8_t>(x + (y - x) * t); };
    return Rgb{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

void VerticalGradient(Picture& picture, int top, int height, Rgb from, Rgb to)
{
    for (int y = 0; y < height; ++y) picture.Fill(0, top + y, picture.width, 1, Mix(from, to, double(y) / height));
}

void Disc(Picture& picture, int cx, int cy, int radius, Rgb colour)
{
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x)
            if (x * x + y * y <= radius * radius) picture.Set(cx + x, cy + y, colour);
}

bool Save(const Picture& picture, const std::string& path)
{
    CFrame frame;
    frame.Create(picture.width, picture.height, 32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.Get(x, y);
            frame.SetPixel(x, y, MakeColor(c.r, c.g, c.b, 255));
        }
    if (frame.WriteCompressedTga(path.c_str(), kFileAbsolute)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

struct Faces {
    GlyphRenderer& regular;
    GlyphRenderer& bold;
};

// Deep blue with a band for the title, a gold rule under it and a darker footer.
Picture Background(GlyphRenderer& title, GlyphRenderer& small)
{
    Picture picture(1024, 768);
    VerticalGradient(picture, 0, 768, Rgb{20, 28, 60}, Rgb{6, 8, 22});
    VerticalGradient(picture, 0, 92, Rgb{36, 58, 120}, Rgb{18, 26, 62});
    for (int i = 0; i < 60; ++i) picture.Set((i * 397) % 1024, 100 + (i * 211) % 600, Rgb{120, 130, 170});
    picture.Fill(0, 92, 1024, 3, Rgb{230, 180, 60});
    title.Text(picture, U"TOLLARINE ARCADE", 36, 18, Rgb{255, 214, 90});
    small.Text(picture, U"More games for Velmorine players", 40, 62, Rgb{190, 200, 230});
    picture.Fill(0, 724, 1024, 44, Rgb{10, 12, 30});
    picture.Fill(0, 724, 1024, 1, Rgb{70, 80, 120});
    return picture;
}

// A banner: the application's colour in a gradient, a large disc and its title.
Picture Banner(const catalog::Application& application, Faces faces, int width, int height, bool withText)
{
    const Rgb main{application.r, application.g, application.b};
    Picture picture(width, height);
    VerticalGradient(picture, 0, height, Mix(main, Rgb{255, 255, 255}, 0.25), Mix(main, Rgb{0, 0, 0}, 0.6));
    Disc(picture, width * 3 / 4, height / 2, height / 3, Mix(main, Rgb{255, 240, 200}, 0.5));
    Disc(picture, width * 3 / 4, height / 2, height / 5, Mix(main, Rgb{0, 0, 0}, 0.3));
    for (int i = 0; i < 12; ++i)
        picture.Fill((i * 53 + application.id * 7) % width, (i * 37) % height, 3, 3, Rgb{255, 255, 255});
    if (withText) {
        const std::u32string title = Wide(application.title);
        faces.bold.Text(picture, title, 18, height - 58, Rgb{255, 255, 255});
        faces.regular.Text(picture, Wide(application.developer), 20, height - 26, Rgb{230, 230, 240});
    } else {
        faces.bold.Text(picture, std::u32string(1, char32_t(application.title[0])), width / 8, height / 8,
                        Rgb{255, 255, 255});
    }
    picture.Frame(0, 0, width, height, Rgb{250, 230, 160});
    return picture;
}

Picture Logo(const std::string& developer, GlyphRenderer& font)
{
    Picture picture(180, 56);
    VerticalGradient(picture, 0, 56, Rgb{240, 240, 245}, Rgb{200, 205, 220});
    const std::u32string text = Wide(developer);
    font.Text(picture, text, std::max(4, (180 - font.Width(text)) / 2), 14, Rgb{30, 40, 80});
    picture.Frame(0, 0, 180, 56, Rgb{90, 100, 140});
    return picture;
}

Picture Rating(GlyphRenderer& bold, GlyphRenderer& small)
{
    Picture picture(64, 84);
    picture.Fill(0, 0, 64, 84, Rgb{250, 250, 250});
    picture.Fill(3, 3, 58, 60, Rgb{20, 20, 20});
    bold.Text(picture, U"E", 20, 8, Rgb{250, 250, 250});
    small.Text(picture, U"ALL", 16, 64, Rgb{20, 20, 20});
    picture.Frame(0, 0, 64, 84, Rgb{20, 20, 20});
    return picture;
}

Picture Radio(bool pressed)
{
    Picture picture(17, 17);
    picture.Fill(0, 0, 17, 17, Rgb{20, 28, 60});
    Disc(picture, 8, 8, 8, Rgb{230, 180, 60});
    Disc(picture, 8, 8, 6, Rgb{12, 16, 40});
    if (pressed) Disc(picture, 8, 8, 4, Rgb{255, 214, 90});
    return picture;
}

// The cursors, drawn with transparent surroundings; each row string is one row of pixels: '#' outline, '.' fill.
using Shape = std::vector<std::string>;

const Shape kPointer = {
    "#",         "##",        "#.#",        "#..#",        "#...#",       "#....#",   "#.....#",
    "#......#",  "#.......#", "#........#", "#.........#", "#......####", "#...#..#", "#..##..#",
    "#.#  #..#", "##   #..#", "#     #..#", "      #..#",  "       ##",
};
const Shape kText = {
    "###.###", "   #", "   #", "   #", "   #", "   #", "   #", "   #",
    "   #",    "   #", "   #", "   #", "   #", "   #", "   #", "###.###",
};
const Shape kFinger = {
    "    ##",         "   #..#",         "   #..#",         "   #..#",         "   #..###",       "   #..#..###",
    "   #..#..#..##", "#  #..#..#..#.#", "#..#........#.#", "#.#.........#.#", " #............#", " #...........#",
    "  #..........#", "  #.........#",   "   #........#",   "   #........#",   "    ########",
};

std::unique_ptr<CFrame> CursorFrame(const Shape& shape, const Color& fill)
{
    auto frame = std::make_unique<CFrame>();
    frame->Create(24, 24, 32);
    frame->FillValue(0);  // transparent: Fill would make it opaque
    for (std::size_t y = 0; y < shape.size(); ++y)
        for (std::size_t x = 0; x < shape[y].size(); ++x) {
            const char c = shape[y][x];
            if (c == '#') frame->SetPixel(int(x), int(y), MakeColor(16, 16, 24, 255));
            if (c == '.') frame->SetPixel(int(x), int(y), fill);
        }
    return frame;
}

bool WriteCursor(const std::string& folder, const char* name, const Shape& shape)
{
    const std::string frames = folder + "/Resources/-" + name;
    fs::create_directories(frames);
    fs::create_directories(folder + "/Cache/Resources");
    const std::string input = frames + "/frame0.tga";
    if (!CursorFrame(shape, MakeColor(250, 250, 250, 255))->WriteCompressedTga(input.c_str(), kFileAbsolute))
        return false;
    framebaker::SequenceOptions options;
    options.framesPerSecond = 1.0f;
    options.frame.crop = false;
    std::string error;
    if (framebaker::BakeSequence({input}, folder + "/Cache/Resources/" + name + ".Sequence", options, error))
        return true;
    std::fprintf(stderr, "cannot bake the cursor %s: %s\n", name, error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_library_pictures <library folder> <regular face> <bold face>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string resources = folder + "/Resources/";
    fs::create_directories(resources);
    GlyphRenderer title(argv[3], 40);
    GlyphRenderer heading(argv[3], 28);
    GlyphRenderer regular(argv[2], 16);
    GlyphRenderer small(argv[2], 14);
    if (!title.ok || !regular.ok) {
        std::fprintf(stderr, "cannot open the faces %s and %s\n", argv[2], argv[3]);
        return 1;
    }
    bool ok = Save(Background(title, small), resources + "Referral_Background.tga");
    std::set<std::string> developers;
    for (const catalog::Application& application : catalog::kApplications) {
        const std::string id = std::to_string(application.id);
        ok = ok && Save(Banner(application, Faces{regular, heading}, 400, 225, true), resources + id + "L.tga");
        ok = ok && Save(Banner(application, Faces{regular, title}, 184, 184, false), resources + id + ".tga");
        developers.insert(application.developer);
    }
    for (const std::string& developer : developers)
        ok = ok && Save(Logo(developer, regular), resources + catalog::DeveloperLogoName(developer.c_str()) + ".tga");
    ok = ok && Save(Rating(title, small), resources + "Rating_Everyone.tga");
    ok = ok && Save(Radio(false), resources + "Main_Radio_Normal.tga") &&
         Save(Radio(true), resources + "Main_Radio_Pressed.tga");
    // The front page's image buttons take their size from these until the catalog's pictures replace them.
    for (auto [name, width, height] : {std::tuple{"Slot_Featured", 400, 225}, std::tuple{"Slot_Other", 176, 99}}) {
        Picture slot(width, height);
        VerticalGradient(slot, 0, height, Rgb{40, 50, 90}, Rgb{20, 24, 50});
        slot.Frame(0, 0, width, height, Rgb{90, 100, 150});
        ok = ok && Save(slot, resources + name + ".tga");
    }
    Picture none(16, 16);
    none.Fill(0, 0, 16, 16, Rgb{40, 44, 60});
    ok = ok && Save(none, resources + "!None.tga");
    ok = ok && WriteCursor(folder, "MousePointer", kPointer) && WriteCursor(folder, "MouseText", kText) &&
         WriteCursor(folder, "MouseFinger", kFinger);
    if (!ok) std::fprintf(stderr, "make_library_pictures: %s could not be filled\n", resources.c_str());
    return ok ? 0 : 1;
}
