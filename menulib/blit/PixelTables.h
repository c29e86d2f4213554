// The channel expansion tables of 5-6-5 pixels (a 5- or 6-bit channel to 8 bits) and the conversions of one
// pixel between the formats that the draw functions share.
#pragma once
#include <cstdint>

extern const std::uint8_t kExpand5[32];
extern const std::uint8_t kExpand6[64];

inline std::uint8_t Red565(std::uint16_t p) { return kExpand5[p >> 11]; }
inline std::uint8_t Green565(std::uint16_t p) { return kExpand6[(p >> 5) & 0x3f]; }
inline std::uint8_t Blue565(std::uint16_t p) { return kExpand5[p & 0x1f]; }
