// The state one draw shares with its span functions (the blend row of the blit type's level and the pixels of
// its 8-bit palette, set at the start of a draw), and the tables the draw functions read: the blend table, the
// per-channel tables of 24-bit sources, the 8-bit to 16-bit pixel tables and the two 8-bit mixing tables.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>

class BlitType;

namespace draw_state {

// Row L of the blend table: entry a is round(a x L / 255), the weight of a pixel of alpha a at level L, so
// entry 255 is the level itself.
const std::uint32_t* BlendRow(int level);

// The row the blend spans read; set by a draw function before its loops when the opacity is not 1.0.
extern const std::uint32_t* g_blendRow;
// The palette index to 5-6-5 and to 5-5-5 pixel tables of the palette (B, G, R per index) 8-bit sources are
// drawn with during one draw, filled by LoadDrawPalette; that palette is not always the process-wide current
// palette (CurrentPalette).
extern std::uint16_t g_pixel565[256];
extern std::uint16_t g_pixel555[256];

// Fills the pixel tables from the palette of the draw.
void LoadDrawPalette(const std::uint8_t* palette);

// Per-channel tables whose sums pack a pixel's bytes: B [b] + G565 [g] + R565 [r] is PackRGB565 (r, g, b), and
// B [b] + G555 [g] + R555 [r] is PackRGB555 (r, g, b).
using ChannelTable = std::array<std::uint16_t, 256>;
// Entry v = min((v + round) >> shiftDown, limit) << shiftUp.
constexpr ChannelTable MakeChannelTable(int round, int shiftDown, int limit, int shiftUp)
{
    ChannelTable table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<std::uint16_t>(std::min((v + round) >> shiftDown, limit) << shiftUp);
    return table;
}
inline constexpr ChannelTable kChannelB = MakeChannelTable(4, 3, 31, 0);
inline constexpr ChannelTable kChannelG565 = MakeChannelTable(2, 2, 63, 5);
inline constexpr ChannelTable kChannelR565 = MakeChannelTable(4, 3, 31, 11);
inline constexpr ChannelTable kChannelG555 = MakeChannelTable(4, 3, 31, 5);
inline constexpr ChannelTable kChannelR555 = MakeChannelTable(4, 3, 31, 10);

// The two 8-bit mixing tables, indexed [first x 256 + second]: A gives the second operand 0.8 and the first 0.2,
// B the second 0.6 and the first 0.4, each the nearest entry of the current palette. Built from the current
// palette on first use; Rebuild makes them again after the palette changed.
const std::uint8_t* MixingA();
const std::uint8_t* MixingB();
void RebuildMixingTables();
// The mixing tables the 8-bit mixing spans read during one draw; UseMixingTables sets them.
extern const std::uint8_t* g_mixingA;
extern const std::uint8_t* g_mixingB;
void UseMixingTables();

}  // namespace draw_state
