#include "blit/DrawLineFloat.h"

#include <cstdlib>
#include <utility>

#include "blit/Blend565.h"
#include "frames/Frame.h"

namespace {

constexpr int kFixedShift = 16;

// One anti-aliased line walk: the pixel at the whole part of the minor coordinate and the next one along the
// minor axis, each blended by its share.
class AntiAliasedLine {
public:
    AntiAliasedLine(CFrame& frame, const Color& color) : m_frame(frame), m_color(color) {}

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
        if (m_frame.GetBitDepth() == 16) {
            auto* p = reinterpret_cast<std::uint16_t*>(pixels) + at;
            *p = Blend565(*p, m_color.value565, (share >> 2) << 2);
            return;
        }
        std::uint8_t* p = pixels + at * 3;
        const std::uint8_t colour[3] = {m_color.B, m_color.G, m_color.R};
        for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>(p[c] + (colour[c] - p[c]) * share / 256);
    }

    CFrame& m_frame;
    const Color& m_color;
};

int ToFixed(float v) { return static_cast<int>(v * 65536.0f); }

}  // namespace

void DrawLineFloat(CFrame& frame, float x0, float y0, float x1, float y1, const Color& color)
{
    const int depth = frame.GetBitDepth();
    if (!frame.GetPixels() || depth == 32) return;
    int fx0 = ToFixed(x0 - frame.GetOriginX()), fy0 = ToFixed(y0 - frame.GetOriginY());
    int fx1 = ToFixed(x1 - frame.GetOriginX()), fy1 = ToFixed(y1 - frame.GetOriginY());
    const platform::Rect bounds{0, 0, frame.GetWidth() << kFixedShift, frame.GetHeight() << kFixedShift};
    if (!ClipLine(bounds, fx0, fy0, fx1, fy1)) return;
    if (depth == 8) {
        frame.DrawLine((fx0 >> kFixedShift) + frame.GetOriginX(), (fy0 >> kFixedShift) + frame.GetOriginY(),
                       (fx1 >> kFixedShift) + frame.GetOriginX(), (fy1 >> kFixedShift) + frame.GetOriginY(), color);
        return;
    }
    AntiAliasedLine(frame, color).Draw(fx0, fy0, fx1, fy1);
}
