// Tick counts, the performance counter and scaled multiplication.
#pragma once
#include <cstdint>

#include "platform/win32_math.h"

std::uint32_t GetTicks();
std::uint32_t GetTicks24();  // the tick count AND 0xFFFFFF
std::int64_t PerfCounter();
std::int64_t PerfFrequency();
// number * (1 << (shift & 31)) / denominator, rounded; MulDivFailed for a 0 denominator or a result beyond
// 32 bits.
int MulDivShift(int number, int denominator, int shift);
