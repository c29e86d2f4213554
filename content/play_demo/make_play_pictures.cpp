// Draws the pictures of the play demo and writes them as 24-bit BMP files into the folder given: a ground layer
// and a cloud layer of 640 x 480 (the clouds on black, the colour key), a ship, a rock, a shot and a strip of four
// spark frames, each on black.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace {

struct Rgb {
    int r, g, b;
};

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// A bottom-up 24-bit BMP whose pixel (x, y) is colour(x, y).
std::string Bmp(int width, int height, const std::function<Rgb(int, int)>& colour)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string rows;
    for (int y = height - 1; y >= 0; --y) {
        std::string line(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            line[x * 3] = char(Clamp(c.b)), line[x * 3 + 1] = char(Clamp(c.g)), line[x * 3 + 2] = char(Clamp(c.r));
        }
        rows += line;
    }
    std::string info;
    Put32(info, 40), Put32(info, width), Put32(info, height), Put16(info, 1), Put16(info, 24);
    for (int i = 0; i < 6; ++i) Put32(info, 0);
    std::string file = "BM";
    Put32(file, static_cast<unsigned>(14 + info.size() + rows.size())), Put32(file, 0);
    Put32(file, static_cast<unsigned>(14 + info.size()));
    return file + info + rows;
}

// Fields and hedges in stripes that repeat every 480 rows, so the layer wraps without a seam.
Rgb Ground(int x, int y)
{
    const double wave = std::sin(y * 2 * M_PI / 480 * 3) * 20 + std::sin(x / 40.0) * 10;
    const bool hedge = (y + static_cast<int>(wave)) % 80 < 6;
    if (hedge) return {40, 80, 30};
    return {90 + static_cast<int>(wave), 130 + static_cast<int>(wave) / 2, 60};
}

Rgb Cloud(int x, int y)
{
    const double d = std::sin(x / 53.0) * std::sin(y * 2 * M_PI / 480 * 2) + std::sin((x + y) / 37.0) * 0.4;
    if (d < 0.55) return {0, 0, 0};
    const int shade = 180 + static_cast<int>((d - 0.55) * 120);
    return {shade, shade, shade + 20};
}

Rgb Ship(int x, int y)
{
    const int dx = x - 16, dy = y - 16;
    if (std::abs(dx) < 3 && dy > -9 && dy < -1) return {60, 160, 255};
    if (dy >= -15 && dy <= 12 && std::abs(dx) <= (dy + 15) * 15 / 27) return {200, 200, 215};
    return {0, 0, 0};
}

Rgb Rock(int x, int y)
{
    const double dx = x - 11.5, dy = y - 11.5;
    const double r = std::hypot(dx, dy) + std::sin(std::atan2(dy, dx) * 5) * 1.5;
    if (r > 10.5) return {0, 0, 0};
    const int light = static_cast<int>(60 - dx * 4 - dy * 4);
    return {120 + light, 90 + light, 70 + light};
}

Rgb Shot(int, int y) { return {255, 230 - y * 10, 80}; }

// Frame f (of 16 x 16) is a ring of radius 2 + 2f fading from yellow to red.
Rgb Spark(int x, int y)
{
    const int frame = x / 16;
    const double r = std::hypot(x % 16 - 7.5, y - 7.5);
    if (std::abs(r - (2 + 2 * frame)) > 1.5) return {0, 0, 0};
    return {255, 220 - frame * 60, 60 - frame * 15};
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
    const std::string folder = std::string(argv[1]) + "/";
    const bool written =
        Write(folder + "ground.bmp", Bmp(640, 480, Ground)) && Write(folder + "clouds.bmp", Bmp(640, 480, Cloud)) &&
        Write(folder + "ship.bmp", Bmp(32, 32, Ship)) && Write(folder + "rock.bmp", Bmp(24, 24, Rock)) &&
        Write(folder + "shot.bmp", Bmp(4, 10, Shot)) && Write(folder + "spark.bmp", Bmp(64, 16, Spark));
    if (!written) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
