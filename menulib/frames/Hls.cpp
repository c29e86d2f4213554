#include "frames/Hls.h"

#include <algorithm>

void RgbToHls(float r, float g, float b, float& h, float& s, float& l)
{
    const float max = std::max({r, g, b}), min = std::min({r, g, b});
    l = (max + min) / 2;
    if (max == min) {
        s = 0;
        h = 0;
        return;
    }
    const float d = max - min;
    s = l <= 0.5f ? d / (max + min) : d / (2 - max - min);
    if (r == max)
        h = (g - b) / d;
    else if (g == max)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    h *= 60;
    if (h < 0) h += 360;
}

namespace {
float Channel(float m1, float m2, float hue)
{
    if (hue > 360)
        hue -= 360;
    else if (hue < 0)
        hue += 360;
    if (hue < 60) return m1 + (m2 - m1) * hue * 0.016666668f;
    if (hue < 180) return m2;
    if (hue < 240) return m1 + (m2 - m1) * (240 - hue) * 0.016666668f;
    return m1;
}
}  // namespace

void HlsToRgb(float h, float s, float l, float& r, float& g, float& b)
{
    if (s == 0) {
        r = g = b = l;
        return;
    }
    const float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
    const float m1 = 2 * l - m2;
    r = Channel(m1, m2, h + 120);
    g = Channel(m1, m2, h);
    b = Channel(m1, m2, h - 120);
}
