// The reading operations of a frame: pixel colours and values, opacity, opaque bounds.
#include <algorithm>
#include <cstring>

#include "blit/PixelTables.h"
#include "frames/Frame.h"
#include "frames/RunLines.h"

using platform::Rect;

namespace {

// The planes an 8-bit banded frame is searched in, strongest first.
constexpr int kBandOrder[] = {0, 4, 3, 2, 1};

struct PlaneLine {
    const std::uint8_t* line;
    const std::uint8_t* end;
};

Color FromValue565(std::uint16_t value)
{
    Color c;
    c.FromRGBA(Red565(value), Green565(value), Blue565(value), 255);
    return c;
}

}  // namespace

// The line y of an encoded plane, bounded by the plane's recorded length; line null when absent.
static PlaneLine LineOf(const CFrame& frame, int plane, int y)
{
    const std::uint8_t* data = plane == 0 ? frame.GetPixels() : frame.GetPlaneData(plane);
    const std::vector<std::uint32_t>& table = frame.GetLineTable(plane);
    if (!data || static_cast<std::size_t>(y) >= table.size()) return {nullptr, nullptr};
    const std::uint32_t length = PlaneLength(data);
    if (table[y] >= length) return {nullptr, nullptr};
    return {data + table[y], data + length};
}

static int RunValueBytes(const CFrame& frame) { return frame.GetBitDepth() == 8 ? 1 : frame.GetBytesPerPixel(); }

bool CFrame::IsOpaqueAt(int x, int y) const
{
    if (!m_planes[0] || !ToPixel(x, y)) return false;
    if (!IsEncoded()) return GetPixelValue(x + m_originX, y + m_originY) != 0;
    RunHit hit;
    const int valueBytes = RunValueBytes(*this);
    for (int plane : kBandOrder) {
        if ((m_flags & kFrameEncodingAlpha) && plane != 0 && plane != 4) continue;
        const PlaneLine line = LineOf(*this, plane, y);
        if (line.line && FindRunAt(line.line, line.end, valueBytes, x, hit)) return true;
    }
    return false;
}

std::uint32_t CFrame::GetPixelValue(int x, int y) const
{
    if (!m_planes[0]) return 0;
    if (IsEncoded()) return IsOpaqueAt(x, y) ? 0xFFFFFFFFu : 0;
    if (!ToPixel(x, y)) return 0;
    const std::uint8_t* p = PixelAt(x, y);
    switch (GetBitDepth()) {
    case 8: return p[0];
    case 16: {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 24: return p[0] | p[1] << 8 | p[2] << 16;
    case 32: {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    default: return 0;
    }
}

bool CFrame::RunPixelColor(int x, int y, Color& out) const
{
    const int valueBytes = RunValueBytes(*this);
    RunHit hit;
    if (m_flags & kFrameEncodingBands) {
        for (int plane : kBandOrder) {
            const PlaneLine line = LineOf(*this, plane, y);
            if (!line.line || !FindRunAt(line.line, line.end, 1, x, hit) || *hit.value == 0) continue;
            out.SetFromPaletteIndex(*hit.value);
            return true;
        }
        out.SetFromPaletteIndex(0);
        return true;
    }
    const PlaneLine opaque = LineOf(*this, 0, y);
    if (opaque.line && FindRunAt(opaque.line, opaque.end, valueBytes, x, hit)) {
        if (GetBitDepth() == 16) {
            std::uint16_t v;
            std::memcpy(&v, hit.value, 2);
            if (v != 0) {
                out = FromValue565(v);
                return true;
            }
        } else if (GetBitDepth() == 24) {
            out.FromRGBA(hit.value[2], hit.value[1], hit.value[0], 255);
            return true;
        }
    }
    out = kTransparentBlack;
    const PlaneLine translucent = LineOf(*this, 4, y), alpha = LineOf(*this, 3, y);
    if (!translucent.line || !alpha.line || !FindRunAt(translucent.line, translucent.end, valueBytes, x, hit))
        return true;
    if (alpha.end - alpha.line <= hit.alphaIndex || alpha.line[hit.alphaIndex] == 0) return true;
    const int a = alpha.line[hit.alphaIndex];
    if (GetBitDepth() == 16) {
        std::uint16_t v;
        std::memcpy(&v, hit.value, 2);
        out.FromRGBA(Red565(v), Green565(v), Blue565(v), a);
    } else {
        out.FromRGBA(hit.value[2], hit.value[1], hit.value[0], a);
    }
    return true;
}

bool CFrame::GetPixelColor(int x, int y, Color& out) const
{
    out = kTransparentBlack;
    if (!m_planes[0] || !ToPixel(x, y)) return false;
    if (IsEncoded()) return RunPixelColor(x, y, out);
    const std::uint8_t* p = PixelAt(x, y);
    switch (GetBitDepth()) {
    case 8: out.SetFromPaletteIndex(p[0]); return true;
    case 16: out = FromValue565(static_cast<std::uint16_t>(GetPixelValue(x + m_originX, y + m_originY))); return true;
    case 24: out.FromRGBA(p[2], p[1], p[0], 255); return true;
    case 32: out.FromRGBA(p[2], p[1], p[0], p[3]); return true;
    default: return false;
    }
}

bool CFrame::HasNonZeroPixels() const
{
    if (!IsWritable()) return false;
    const int depth = GetBitDepth();
    if (depth == 16) return false;
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* p = PixelAt(0, y);
        for (int x = 0; x < m_width; ++x, p += GetBytesPerPixel()) {
            const bool drawn = depth == 32 ? p[3] != 0 : (p[0] | (depth == 24 ? p[1] | p[2] : 0)) != 0;
            if (drawn) return true;
        }
    }
    return false;
}

Rect CFrame::GetOpaqueBounds() const
{
    if (!m_planes[0]) return Rect{};
    int left = m_width, right = -1, top = m_height, bottom = -1;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const bool drawn = GetBitDepth() == 32 && !IsEncoded() ? PixelAt(x, y)[3] != 0
                                                                   : GetPixelValue(x + m_originX, y + m_originY) != 0;
            if (!drawn) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return Rect{};
    return Rect{left, top, right + 1, bottom + 1};
}
