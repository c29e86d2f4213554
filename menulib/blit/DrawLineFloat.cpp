#include "blit/DrawLineFloat.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "blit/Blend565.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"

namespace {

constexpr int kFixedShift = 16;
// End points this far from the frame's corner (in pixels) are cut to the frame in floating point first, so that
// their 16.16 values fit an int.
constexpr float kFar = 16384.0f;

// One anti-aliased line walk: the pixel at the whole part of the minor coordinate and the next one along the
// minor axis, each moved toward the colour by its share.
class AntiAliasedLine {
public:
    // palette: the B, G, R bytes of every index of an 8-bit frame; colourIndex: the colour's index in it.
    AntiAliasedLine(CFrame& frame, const Color& color, const std::uint8_t* palette, int colourIndex)
        : m_frame(frame), m_value565(color.value565), m_palette(palette)
    {
        const std::uint8_t own[3] = {color.B, color.G, color.R};
        const std::uint8_t* bytes = palette ? palette + 3 * colourIndex : own;
        for (int c = 0; c < 3; ++c) m_colour[c] = bytes[c];
    }

    void Draw(int x0, int y0, int x1, int y1)
    {
        const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
        int major0 = xMajor ? x0 : y0, major1 = xMajor ? x1 : y1;
        int minor0 = xMajor ? y0 : x0, minor1 = xMajor ? y1 : x1;
        if (major1 < major0) {
            std::swap(major0, major1);
            std::swap(minor0, minor1);
        }
        const long long majorDelta = major1 - major0, minorDelta = minor1 - minor0;
        const int pixels = (major1 >> kFixedShift) - (major0 >> kFixedShift);
        long long step = majorDelta == 0 ? 0 : (minorDelta << kFixedShift) / majorDelta;
        if (std::llabs(step * pixels) > std::llabs(minorDelta)) step += step > 0 ? -1 : 1;
        long long f = minor0;
        for (int i = 0; i <= pixels; ++i, f += step) {
            const int along = (major0 >> kFixedShift) + i, across = static_cast<int>(f >> kFixedShift);
            const int share = static_cast<int>(f >> 8) & 0xff;
            Plot(xMajor ? along : across, xMajor ? across : along, 255 - share);
            Plot(xMajor ? along : across + 1, xMajor ? across + 1 : along, share);
        }
    }

private:
    // share: 0 to 255 of the colour; the 16-bit blend uses its top six bits for G and five for R and B.
    void Plot(int x, int y, int share)
    {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_frame.GetWidth()) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(m_frame.GetHeight()))
            return;
        std::uint8_t* pixels = m_frame.GetPixels();
        const std::size_t at = m_frame.GetLineOffsets()[y] + static_cast<std::size_t>(x);
        switch (m_frame.GetBitDepth()) {
        case 16: {
            auto* p = reinterpret_cast<std::uint16_t*>(pixels) + at;
            *p = Blend565(*p, m_value565, (share >> 2) << 2);
            return;
        }
        case 8: return PlotIndex(pixels + at, share);
        default: MoveToward(pixels + at * 3, pixels + at * 3, share);
        }
    }

    // Each byte d of from becomes d + (colour - d) x share / 256 in to, truncated toward zero.
    void MoveToward(const std::uint8_t* from, std::uint8_t* to, int share) const
    {
        for (int c = 0; c < 3; ++c) to[c] = static_cast<std::uint8_t>(from[c] + (m_colour[c] - from[c]) * share / 256);
    }

    // The index's palette bytes moved toward the colour, then the default palette's entry for the result (found
    // by its 5-5-5 colour); an index whose bytes do not change is kept.
    void PlotIndex(std::uint8_t* p, int share) const
    {
        const std::uint8_t* from = m_palette + 3 * *p;
        std::uint8_t moved[3];
        MoveToward(from, moved, share);
        if (moved[0] == from[0] && moved[1] == from[1] && moved[2] == from[2]) return;
        *p = static_cast<std::uint8_t>(DefaultPalette().FindNearest(moved[2], moved[1], moved[0], 0, 256));
    }

    CFrame& m_frame;
    std::uint16_t m_value565;
    const std::uint8_t* m_palette;
    std::uint8_t m_colour[3];  // B, G, R
};

int ToFixed(float v) { return static_cast<int>(v * 65536.0f); }

}  // namespace

void DrawLineFloat(CFrame& frame, float x0, float y0, float x1, float y1, const Color& color)
{
    const int depth = frame.GetBitDepth();
    if (!frame.GetPixels() || depth == 32) return;
    x0 -= static_cast<float>(frame.GetOriginX());
    y0 -= static_cast<float>(frame.GetOriginY());
    x1 -= static_cast<float>(frame.GetOriginX());
    y1 -= static_cast<float>(frame.GetOriginY());
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return;
    const auto far = [](float v) { return !(std::fabs(v) < kFar); };
    if ((far(x0) || far(y0) || far(x1) || far(y1)) &&
        !ClipLineF(platform::Rect::OfSize(frame.GetWidth(), frame.GetHeight()), x0, y0, x1, y1))
        return;
    int fx0 = ToFixed(x0), fy0 = ToFixed(y0), fx1 = ToFixed(x1), fy1 = ToFixed(y1);
    const platform::Rect bounds{0, 0, frame.GetWidth() << kFixedShift, frame.GetHeight() << kFixedShift};
    if (!ClipLine(bounds, fx0, fy0, fx1, fy1)) return;
    if (depth != 8) return AntiAliasedLine(frame, color, nullptr, 0).Draw(fx0, fy0, fx1, fy1);
    // 8-bit frames: the end points cut to whole pixels, the channels of each index those of the current palette.
    const ColorTable& palette = CurrentPalette();
    if (palette.GetType() != ColorTable::kPalette || palette.IsEmpty()) return;
    Color colour = color;
    const int index = colour.GetPaletteIndex();
    const int whole = ~((1 << kFixedShift) - 1);
    AntiAliasedLine(frame, colour, palette.GetData(), index).Draw(fx0 & whole, fy0 & whole, fx1 & whole, fy1 & whole);
}
