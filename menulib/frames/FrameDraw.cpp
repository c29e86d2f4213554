// The writing operations of a plain frame: clears, fills, lines, single pixels and remaps.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "blit/Blend565.h"
#include "blit/DrawLineFloat.h"
#include "frames/Frame.h"
#include "platform/cpu_features.h"

using platform::Rect;

namespace {

std::uint8_t PaletteIndexOf(const Color& color)
{
    Color copy = color;
    return copy.GetPaletteIndex();
}

void StoreBgr(std::uint8_t* p, const Color& color)
{
    p[0] = color.B;
    p[1] = color.G;
    p[2] = color.R;
}

}  // namespace

std::uint8_t* CFrame::PixelAt(int x, int y) const
{
    return m_planes[0] + (static_cast<std::size_t>(m_lineOffsets[0][y]) + x) * GetBytesPerPixel();
}

bool CFrame::ToPixel(int& x, int& y) const
{
    x -= m_originX;
    y -= m_originY;
    return static_cast<unsigned>(x) < m_width && static_cast<unsigned>(y) < m_height;
}

bool CFrame::ClearRect(const Rect& rect)
{
    if (!IsWritable()) return false;
    const Rect pixels = rect.Intersected(GetBounds()).Offset(-m_originX, -m_originY);
    if (pixels.IsEmpty()) return false;
    const int bytes = GetBytesPerPixel();
    for (int y = pixels.top; y < pixels.bottom; ++y)
        std::memset(PixelAt(pixels.left, y), 0, static_cast<std::size_t>(pixels.Width()) * bytes);
    return true;
}

bool CFrame::Clear()
{
    if (!IsWritable()) return false;
    std::memset(m_planes[0], 0, static_cast<std::size_t>(GetPitch()) * m_height * GetBytesPerPixel());
    return true;
}

bool CFrame::Fill(const Color& color)
{
    Color opaque = color;
    opaque.A = 255;
    return FillRect(GetBounds(), opaque);
}

bool CFrame::FillValue(int byte)
{
    if (!IsWritable()) return false;
    std::memset(m_planes[0], byte, static_cast<std::size_t>(m_width) * m_height * GetBytesPerPixel());
    return true;
}

bool CFrame::FillRow(int x, int y, int count, const Color& color, std::uint8_t paletteIndex)
{
    std::uint8_t* p = PixelAt(x, y);
    switch (GetBitDepth()) {
    case 8: std::memset(p, paletteIndex, count); return true;
    case 16: std::fill_n(reinterpret_cast<std::uint16_t*>(p), count, color.value565); return true;
    case 24:
        for (int i = 0; i < count; ++i, p += 3) StoreBgr(p, color);
        return true;
    case 32:
        for (int i = 0; i < count; ++i, p += 4) std::memcpy(p, &color.B, 4);
        return true;
    default: return false;
    }
}

void CFrame::FillRect16(const Rect& pixels, const Color& color)
{
    const bool groups = platform::CpuHas(platform::CpuFeature::Mmx);
    for (int y = pixels.top; y < pixels.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(PixelAt(pixels.left, y));
        if (groups)
            BlendFill565Groups(row, pixels.Width(), color.value565, color.A);
        else
            BlendFill565Plain(row, pixels.Width(), color.value565, color.A);
    }
}

bool CFrame::FillRect(const Rect& rect, const Color& color)
{
    if (!IsWritable()) return false;
    const Rect pixels = rect.Intersected(GetBounds()).Offset(-m_originX, -m_originY);
    if (pixels.IsEmpty()) return false;
    if (GetBitDepth() == 16 && color.A != 255) {
        FillRect16(pixels, color);
        return true;
    }
    const std::uint8_t index = GetBitDepth() == 8 ? PaletteIndexOf(color) : 0;
    for (int y = pixels.top; y < pixels.bottom; ++y) FillRow(pixels.left, y, pixels.Width(), color, index);
    return true;
}

void CFrame::SetPixelAt(int x, int y, const Color& color, std::uint8_t paletteIndex)
{
    FillRow(x, y, 1, color, paletteIndex);
}

bool CFrame::SetPixel(int x, int y, const Color& color)
{
    if (!IsWritable() || !ToPixel(x, y)) return false;
    SetPixelAt(x, y, color, GetBitDepth() == 8 ? PaletteIndexOf(color) : 0);
    return true;
}

void CFrame::PlotLine(int x0, int y0, int x1, int y1, const Color& color)
{
    const std::uint8_t index = GetBitDepth() == 8 ? PaletteIndexOf(color) : 0;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const int major = std::max(dx, dy), minor = std::min(dx, dy);
    int error = major / 2;
    for (int i = 0; i <= major; ++i) {
        SetPixelAt(x0, y0, color, index);
        error -= minor;
        const bool stepMinor = error < 0;
        if (stepMinor) error += major;
        if (dx >= dy) {
            x0 += sx;
            if (stepMinor) y0 += sy;
        } else {
            y0 += sy;
            if (stepMinor) x0 += sx;
        }
    }
}

bool CFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    if (!IsWritable()) return false;
    x0 -= m_originX;
    x1 -= m_originX;
    y0 -= m_originY;
    y1 -= m_originY;
    if (!ClipLine(Rect::OfSize(m_width, m_height), x0, y0, x1, y1)) return false;
    PlotLine(x0, y0, x1, y1, color);
    return true;
}

bool CFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    if (!IsWritable()) return false;
    DrawLineFloat(*this, x0, y0, x1, y1, color);
    return true;
}

void CFrame::RemapBytes(const Rect& pixels, const std::uint8_t* table, int channels)
{
    const int bytes = GetBytesPerPixel();
    for (int y = pixels.top; y < pixels.bottom; ++y) {
        std::uint8_t* p = PixelAt(pixels.left, y);
        for (int x = 0; x < pixels.Width(); ++x, p += bytes)
            for (int c = 0; c < channels; ++c) p[c] = table[p[c]];
    }
}

namespace {

// How much a remap table lightens (above 1) or darkens (below 1), judged on the entry nearest mid grey of the
// current palette. False when there is nothing to judge by (no palette, or a grey whose first byte is 0).
bool RemapRatio(const ColorTable& table, float& ratio)
{
    ColorTable& palette = CurrentPalette();
    if (palette.GetType() != ColorTable::kPalette || palette.IsEmpty()) return false;
    const int grey = palette.FindNearest(128, 128, 128, 0, 256);
    const std::uint8_t* entries = palette.GetData();
    const int denominator = entries[3 * grey];
    if (denominator == 0) return false;
    ratio = static_cast<float>(entries[3 * table.GetData()[grey]]) / static_cast<float>(denominator);
    return true;
}

// The table of min(round(ratio x v), 255), made again only when the ratio changes.
const std::uint8_t* ScaleTable(float ratio)
{
    static float lastRatio = -1.0f;
    static std::uint8_t table[256];
    if (ratio != lastRatio) {
        for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(std::min(std::lround(ratio * v), 255L));
        lastRatio = ratio;
    }
    return table;
}

}  // namespace

bool CFrame::RemapRect16(const Rect& rect, float ratio)
{
    // Lighter tables tint toward white, darker ones toward black, each by how far the table departs from
    // identity; an identity table changes nothing.
    Color tint;
    if (ratio > 1.0f)
        tint.FromRGBA(255, 255, 255, static_cast<int>(std::min((ratio - 1.0f) * 0.2f, 1.0f) * 255.0f));
    else
        tint.FromRGBA(0, 0, 0, static_cast<int>((1.0f - ratio) * 255.0f));
    if (tint.A == 0) return true;
    return FillRect(rect, tint);
}

bool CFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    if (!IsWritable() || table.GetType() != ColorTable::kRemap || table.IsEmpty()) return false;
    const Rect pixels = rect.Intersected(GetBounds()).Offset(-m_originX, -m_originY);
    if (pixels.IsEmpty()) return false;
    if (GetBitDepth() == 8) {
        RemapBytes(pixels, table.GetData(), 1);
        return true;
    }
    float ratio = 1.0f;
    if (!RemapRatio(table, ratio)) return false;
    if (GetBitDepth() == 16) return RemapRect16(rect.Intersected(GetBounds()), ratio);
    RemapBytes(pixels, ScaleTable(ratio), 3);
    return true;
}
