// Draws the pictures of the display demo and writes them as BMP files into the folder given: a 640 x 480
// backdrop (24 bits: a sky gradient, hills and a sun) and a 64 x 64 ship (8 bits with a palette) whose
// background is palette entry 0, black, the colour key it is drawn with.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

// A bottom-up BMP with a 40-byte header.
std::string Bmp(int width, int height, int bpp, const std::vector<Rgb>& palette, const std::string& rows)
{
    std::string info;
    Put32(info, 40), Put32(info, width), Put32(info, height), Put16(info, 1), Put16(info, bpp);
    Put32(info, 0), Put32(info, static_cast<unsigned>(rows.size())), Put32(info, 2835), Put32(info, 2835);
    Put32(info, static_cast<unsigned>(palette.size())), Put32(info, 0);
    for (const Rgb& c : palette) info += char(c.b), info += char(c.g), info += char(c.r), info += char(0);
    std::string file = "BM";
    Put32(file, static_cast<unsigned>(14 + info.size() + rows.size())), Put32(file, 0);
    Put32(file, static_cast<unsigned>(14 + info.size()));
    return file + info + rows;
}

Rgb Backdrop(int x, int y)
{
    const double sunDistance = std::hypot(x - 480.0, y - 120.0);
    if (sunDistance < 50) return {255, 220, 90};
    const double hill = 360 + 40 * std::sin(x / 70.0) + 20 * std::sin(x / 23.0);
    if (y > hill)
        return {static_cast<std::uint8_t>(30 + (y - 360) / 4), static_cast<std::uint8_t>(110 + (y - 360) / 3), 40};
    const double t = y / 400.0;
    return {static_cast<std::uint8_t>(40 + 120 * t), static_cast<std::uint8_t>(80 + 120 * t),
            static_cast<std::uint8_t>(200 + 50 * t)};
}

std::string BackdropBmp()
{
    const int w = 640, h = 480, stride = w * 3;
    std::string rows;
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const Rgb c = Backdrop(x, y);
            line[x * 3] = char(c.b), line[x * 3 + 1] = char(c.g), line[x * 3 + 2] = char(c.r);
        }
        rows += line;
    }
    return Bmp(w, h, 24, {}, rows);
}

// 0 the key, 1 hull, 2 cockpit, 3 flame.
int ShipPixel(int x, int y)
{
    const int dx = x - 32, dy = y - 32;
    if (std::abs(dx) < 6 && dy > -14 && dy < -2) return 2;
    if (dy > 18 && dy < 28 && std::abs(dx) < 6 - (dy - 18) / 2) return 3;
    if (dy >= -26 && dy <= 18 && std::abs(dx) <= (dy + 26) * 26 / 44) return 1;
    return 0;
}

std::string ShipBmp()
{
    const int w = 64, h = 64;
    std::string rows;
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) rows += char(ShipPixel(x, h - 1 - row));
    return Bmp(w, h, 8, {{0, 0, 0}, {200, 200, 210}, {60, 160, 255}, {255, 140, 0}}, rows);
}

bool Write(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), bytes.size(), 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    if (!Write(folder + "/backdrop.bmp", BackdropBmp()) || !Write(folder + "/ship.bmp", ShipBmp())) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
