#include "GP_PixelRows.h"

namespace {

std::uint32_t Half(std::uint32_t pixel, std::uint32_t mask, std::uint32_t colour)
{
    return (((pixel & mask) + colour) / 2) & mask;
}

}  // namespace

void GP_BlendRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks, GP_ChannelMasks colour)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t p = row[i];
        row[i] = static_cast<std::uint16_t>(Half(p, masks.r, colour.r) | Half(p, masks.g, colour.g) |
                                            Half(p, masks.b, colour.b));
    }
}

void GP_DarkenRowPlain(std::uint16_t* row, int count, GP_ChannelMasks masks)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t p = row[i];
        row[i] = static_cast<std::uint16_t>((((p & masks.r) >> 2) & masks.r) | (((p & masks.g) >> 2) & masks.g) |
                                            (((p & masks.b) >> 2) & masks.b));
    }
}
