// The 5-6-5 to 5-5-5 repacking of the 5-5-5 blit type (Blit555Type in BlitType.h): one pixel, and rows written
// pixel by pixel or four at a time with SSE2 (single pixels until the destination is 8-byte aligned and for the
// 0 to 3 left); both rows give the same bits.
#pragma once
#include <cstdint>

constexpr std::uint16_t Repack565To555(std::uint16_t p)
{
    return static_cast<std::uint16_t>(((p & 0xffc0) >> 1) | (p & 0x001f));
}

void Repack565To555Plain(std::uint16_t* to, const std::uint16_t* from, int count);
void Repack565To555Sse2(std::uint16_t* to, const std::uint16_t* from, int count);
