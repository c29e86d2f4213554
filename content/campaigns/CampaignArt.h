// The drawing helpers of the demo campaign's pictures: filled polygons and discs in a frame cell of a strip,
// turned by an angle, with colours kept off the colour key.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "PictureKit.h"

namespace campaignart {

using contentkit::Picture;
using contentkit::Rgb;

constexpr double Pi = 3.14159265358979323846;

inline std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0)); }

// Opaque pixels must not turn into the key 0 once reduced to 5-6-5.
inline Rgb Opaque(Rgb c)
{
    if (c.r < 8 && c.g < 4 && c.b < 8) return Rgb{8, 8, 8};
    return c;
}

inline Rgb Shade(Rgb c, double factor)
{
    return Opaque(Rgb{Channel(c.r * factor), Channel(c.g * factor), Channel(c.b * factor)});
}

inline Rgb Mix(Rgb a, Rgb b, double t)
{
    return Opaque(Rgb{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)});
}

struct Point {
    double x, y;
};

// A cell of a strip: its origin in the sheet, its size, and a turn applied to every shape drawn in it (about
// the cell's centre; the shapes are given with y growing downwards and the cell's centre at 0, 0).
class Cell {
public:
    Cell(Picture& sheet, int left, int top, int width, int height, double turnDegrees = 0)
        : sheet(sheet),
          left(left),
          top(top),
          width(width),
          height(height),
          c(std::cos(turnDegrees * Pi / 180)),
          s(std::sin(turnDegrees * Pi / 180))
    {
    }

    void Put(int x, int y, Rgb colour)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) sheet.Set(left + x, top + y, Opaque(colour));
    }

    // Fills the polygon, its points turned with the cell; the rim a shade darker.
    void Polygon(std::initializer_list<Point> points, Rgb colour, bool rim = true)
    {
        std::vector<Point> turned;
        for (const Point& p : points) turned.push_back(Turn(p));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                if (!Inside(turned, px, py)) continue;
                const bool edge = rim && (!Inside(turned, px - 1, py) || !Inside(turned, px + 1, py) ||
                                          !Inside(turned, px, py - 1) || !Inside(turned, px, py + 1));
                Put(x, y, edge ? Shade(colour, 0.55) : colour);
            }
    }

    // A disc lit from the top left: light in the middle, colour at the edge.
    void Disc(Point centre, double radius, Rgb colour, Rgb light)
    {
        const Point m = Turn(centre);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double dx = x + 0.5 - m.x, dy = y + 0.5 - m.y;
                const double d = std::hypot(dx, dy);
                if (d > radius) continue;
                const double glow =
                    std::clamp(1 - std::hypot(dx + radius * 0.35, dy + radius * 0.35) / radius, 0.0, 1.0);
                Put(x, y, Mix(colour, light, glow));
            }
    }

    void Ring(Point centre, double radius, double thickness, Rgb colour)
    {
        const Point m = Turn(centre);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double d = std::hypot(x + 0.5 - m.x, y + 0.5 - m.y);
                if (std::fabs(d - radius) <= thickness / 2) Put(x, y, colour);
            }
    }

private:
    Point Turn(Point p) const { return {width / 2.0 + p.x * c - p.y * s, height / 2.0 + p.x * s + p.y * c}; }

    static bool Inside(const std::vector<Point>& poly, double x, double y)
    {
        bool in = false;
        for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            if ((poly[i].y > y) != (poly[j].y > y) &&
                x < (poly[j].x - poly[i].x) * (y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
                in = !in;
        }
        return in;
    }

    Picture& sheet;
    int left, top, width, height;
    double c, s;
};

// A strip of frames of one size in one row of a sheet.
struct Strip {
    Picture& sheet;
    int top, width, height;

    Cell At(int frame, double turnDegrees = 0) { return Cell(sheet, frame * width, top, width, height, turnDegrees); }
};

}  // namespace campaignart
