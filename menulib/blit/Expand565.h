// Rows of 5-6-5 pixels widened to 32-bit B, G, R, A pixels with A = 255, each channel through the expansion
// tables of PixelTables.h: pixel by pixel, or eight at a time with SSE2 (the tables' values computed as
// (v x 1053 + 65) >> 7 for 5 bits and (v x 259 + 33) >> 6 for 6 bits); both rows give the same bytes.
#pragma once
#include <cstdint>

void Expand565To8888Plain(std::uint8_t* to, const std::uint8_t* from, int count);
void Expand565To8888Sse2(std::uint8_t* to, const std::uint8_t* from, int count);
