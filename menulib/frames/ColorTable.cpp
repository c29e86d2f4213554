#include "frames/ColorTable.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "frames/Color.h"
#include "frames/ColorHistogram.h"
#include "frames/Hls.h"
#include "frames/MedianCut.h"

namespace {

struct SquareTable {
    std::array<std::uint32_t, 256> values{};
    SquareTable()
    {
        for (int i = 0; i < 256; ++i) values[i] = static_cast<std::uint32_t>(i * i);
    }
};
const SquareTable kSquares;

std::uint32_t Cost(const std::uint8_t* entry, int r, int g, int b)
{
    const int db = std::abs(b - entry[0]), dg = std::abs(g - entry[1]), dr = std::abs(r - entry[2]);
    return 59 * kSquares.values[dg] + 30 * kSquares.values[dr] + 11 * kSquares.values[db];
}

// An empty 5-5-5 cache over the current palette.
void ClearCache(ColorTable& cache)
{
    cache.SetType(ColorTable::kCache555);
    std::memset(cache.GetData(), 0, ColorTable::GetSize(ColorTable::kCache555));
    cache.SetLinked(&CurrentPalette());
}

bool IsPaletteData(const ColorTable& table) { return table.GetType() == ColorTable::kPalette && !table.IsEmpty(); }

}  // namespace

int FindNearestPaletteEntry(const std::uint8_t* palette, int r, int g, int b, int first, int end)
{
    first = std::max(first, 0);
    end = std::min(end, ColorTable::kPaletteEntries);
    int best = first;
    std::uint32_t bestCost = 0xFFFFFFFFu;
    for (int i = first; i < end; ++i) {
        const std::uint32_t cost = Cost(palette + 3 * i, r, g, b);
        if (cost >= bestCost) continue;
        best = i;
        bestCost = cost;
        if (cost == 0) break;
    }
    return best & 0xFF;
}

int ColorTable::GetSize(std::uint32_t type)
{
    static constexpr int kSizes[] = {0, 768, 256, 1024, 65536, 32768, 32768, 65536};
    return type < std::size(kSizes) ? kSizes[type] : 0;
}

void ColorTable::SetType(std::uint32_t type)
{
    if (type != m_type || type == kEmpty) m_data.reset();
    m_type = type;
    const int size = GetSize(type);
    if (m_data || size == 0) return;
    m_data = std::make_unique<std::uint8_t[]>(size);
    for (int i = 0; i < size; ++i) m_data[i] = static_cast<std::uint8_t>(i);
}

void ColorTable::Free()
{
    m_data.reset();
    m_type = kEmpty;
}

void ColorTable::Assign(const ColorTable& other)
{
    if (&other == this || other.IsEmpty()) return;
    SetType(other.m_type);
    std::memcpy(m_data.get(), other.m_data.get(), GetSize(m_type));
}

void ColorTable::SetPaletteEntry(int i, int r, int g, int b)
{
    if (!m_data || i < 0 || 3 * i + 2 >= GetSize(m_type)) return;
    m_data[3 * i + 2] = static_cast<std::uint8_t>(r);
    m_data[3 * i + 1] = static_cast<std::uint8_t>(g);
    m_data[3 * i] = static_cast<std::uint8_t>(b);
}

void ColorTable::GetPaletteEntry(int i, std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const
{
    if (!m_data || i < 0 || 3 * i + 2 >= GetSize(m_type)) {
        r = g = b = 0;
        return;
    }
    r = m_data[3 * i + 2];
    g = m_data[3 * i + 1];
    b = m_data[3 * i];
}

int ColorTable::FindNearest(int r, int g, int b, int first, int end)
{
    if (!m_data) return 0;
    switch (m_type) {
    case kPalette: return FindNearestPaletteEntry(m_data.get(), r, g, b, first, end);
    case kIndexBy555: return m_data[PackRGB555(r, g, b)];
    case kCache555: {
        std::uint8_t& cached = m_data[PackRGB555(r, g, b)];
        if (cached == 0 && m_linked && IsPaletteData(*m_linked))
            cached = static_cast<std::uint8_t>(FindNearestPaletteEntry(m_linked->GetData(), r, g, b, 1, 255));
        return cached;
    }
    case kInverse565: return m_data[PackRGB565(r, g, b)];
    default: return 0;
    }
}

void ColorTable::BuildRemap(const ColorTable& palette, int amount, int first, int end, int searchFirst, int searchEnd,
                            const ColorTable* target)
{
    SetType(kEmpty);
    SetType(kRemap);  // identity everywhere
    const ColorTable& search = target ? *target : palette;
    if (amount == 128 || !IsPaletteData(palette) || !IsPaletteData(search)) return;
    first = std::max(first, 0);
    end = std::min(end, kPaletteEntries);
    for (int i = first; i < end; ++i) {
        std::uint8_t r8, g8, b8;
        palette.GetPaletteEntry(i, r8, g8, b8);
        float h, s, l;
        RgbToHls(r8 * 0.003921569f, g8 * 0.003921569f, b8 * 0.003921569f, h, s, l);
        l *= amount * 0.0078125f;
        float r, g, b;
        HlsToRgb(h, s, l, r, g, b);
        const auto toByte = [](float v) { return static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
        m_data[i] = static_cast<std::uint8_t>(
            FindNearestPaletteEntry(search.GetData(), toByte(r), toByte(g), toByte(b), searchFirst, searchEnd));
    }
}

void ColorTable::BuildInverse565(ColorTable& palette)
{
    SetType(kInverse565);
    m_linked = &palette;
    if (!IsPaletteData(palette)) {
        std::memset(m_data.get(), 0, GetSize(kInverse565));
        return;
    }
    const std::uint8_t* entries = palette.GetData();
    for (int r5 = 0; r5 < 32; ++r5)
        for (int g6 = 0; g6 < 64; ++g6)
            for (int b5 = 0; b5 < 32; ++b5)
                m_data[r5 << 11 | g6 << 5 | b5] =
                    static_cast<std::uint8_t>(FindNearestPaletteEntry(entries, r5 * 8, g6 * 4, b5 * 8, 0, 256));
}

bool ColorTable::MakePaletteFromHistogram(const ColorHistogram& histogram, int colours, int firstEntry)
{
    SetType(kPalette);
    std::memset(m_data.get(), 0, GetSize(kPalette));
    SetPaletteEntry(255, 255, 255, 255);
    firstEntry = std::clamp(firstEntry, 0, kPaletteEntries);
    colours = std::clamp(colours, 0, kPaletteEntries - firstEntry);
    std::vector<std::uint8_t> cut;
    int count = 0;
    if (MedianCut(histogram, colours, cut, count) != 0) return false;
    std::memcpy(m_data.get() + 3 * firstEntry, cut.data(), 3 * static_cast<std::size_t>(count));
    return true;
}

void FillStandardPalette(ColorTable& palette)
{
    palette.SetType(ColorTable::kPalette);
    palette.SetPaletteEntry(0, 0, 0, 0);
    int i = 1;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) palette.SetPaletteEntry(i++, r * 51, g * 51, b * 51);
    const int greys = ColorTable::kPaletteEntries - 1 - i;  // entries 217 .. 254
    for (int k = 0; k < greys; ++k) {
        const int v = (k + 1) * 255 / (greys + 1);
        palette.SetPaletteEntry(i++, v, v, v);
    }
    palette.SetPaletteEntry(255, 255, 255, 255);
}

ColorTable& InversePalette()
{
    static ColorTable table;
    return table;
}

ColorTable& CurrentPalette()
{
    static ColorTable table;
    static const bool seeded = (FillStandardPalette(table), true);
    (void)seeded;
    return table;
}

ColorTable& DefaultPalette()
{
    static ColorTable table;
    static const bool made = (ClearCache(table), true);
    (void)made;
    return table;
}

ColorTable& MixingTableA()
{
    static ColorTable table;
    return table;
}

ColorTable& MixingTableB()
{
    static ColorTable table;
    return table;
}

void ResetStandardPalettes()
{
    FillStandardPalette(CurrentPalette());
    ClearCache(DefaultPalette());
}
