#include "blit/DrawState.h"

#include "frames/ColorTable.h"

namespace draw_state {

const std::uint32_t* g_blendRow = nullptr;
std::uint16_t g_pixel565[256];
std::uint16_t g_pixel555[256];
const std::uint8_t* g_mixingA = nullptr;
const std::uint8_t* g_mixingB = nullptr;

namespace {

struct BlendTable {
    std::uint32_t rows[256][256];
    BlendTable()
    {
        for (int level = 0; level < 256; ++level)
            for (int a = 0; a < 256; ++a) rows[level][a] = static_cast<std::uint32_t>((a * level + 127) / 255);
    }
};

const BlendTable& Blends()
{
    static const BlendTable table;
    return table;
}

// Every pair of palette entries mixed with the second's share out of 10, to the nearest palette entry.
void FillMixing(ColorTable& table, int secondShare)
{
    table.SetType(ColorTable::kTable16);
    const std::uint8_t* palette = CurrentPalette().GetData();
    std::uint8_t* out = table.GetData();
    for (int first = 0; first < 256; ++first) {
        const std::uint8_t* a = palette + 3 * first;
        for (int second = 0; second < 256; ++second) {
            const std::uint8_t* b = palette + 3 * second;
            int mixed[3];
            for (int c = 0; c < 3; ++c) mixed[c] = (a[c] * (10 - secondShare) + b[c] * secondShare + 5) / 10;
            out[first * 256 + second] =
                static_cast<std::uint8_t>(DefaultPalette().FindNearest(mixed[2], mixed[1], mixed[0], 0, 256));
        }
    }
}

bool MixingReady()
{
    return MixingTableA().GetType() == ColorTable::kTable16 && !MixingTableA().IsEmpty() &&
           MixingTableB().GetType() == ColorTable::kTable16 && !MixingTableB().IsEmpty();
}

}  // namespace

const std::uint32_t* BlendRow(int level) { return Blends().rows[std::clamp(level, 0, 255)]; }

void LoadDrawPalette(const std::uint8_t* palette)
{
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* entry = palette + 3 * i;
        g_pixel565[i] =
            static_cast<std::uint16_t>(kChannelB[entry[0]] + kChannelG565[entry[1]] + kChannelR565[entry[2]]);
        g_pixel555[i] =
            static_cast<std::uint16_t>(kChannelB[entry[0]] + kChannelG555[entry[1]] + kChannelR555[entry[2]]);
    }
}

void RebuildMixingTables()
{
    FillMixing(MixingTableA(), 8);
    FillMixing(MixingTableB(), 6);
}

const std::uint8_t* MixingA()
{
    if (!MixingReady()) RebuildMixingTables();
    return MixingTableA().GetData();
}

const std::uint8_t* MixingB()
{
    if (!MixingReady()) RebuildMixingTables();
    return MixingTableB().GetData();
}

void UseMixingTables()
{
    g_mixingA = MixingA();
    g_mixingB = MixingB();
}

}  // namespace draw_state
