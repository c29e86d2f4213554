// The row loops of the blend and darken effects, plain and with SSE2 (8 pixels at a time, bit for bit the
// same results). GP_HasMMX chooses between them.
#pragma once
#include <cstdint>

struct GP_ChannelMasks {
    std::uint16_t r, g, b;
};

void GP_BlendRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour);
void GP_DarkenRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks);
// False where SSE2 is not available: the caller then takes the plain loop.
bool GP_BlendRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour);
bool GP_DarkenRowSse2(std::uint16_t* row, int count, GP_ChannelMasks masks);
