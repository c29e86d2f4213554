// Windows' MulDiv: number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// MulDivFailed when the denominator is 0 or the result does not fit 32 bits.
#pragma once
#include "platform/win32_base.h"

// MulDiv's answer when there is no result; a quotient of -1 reads the same, as on Windows.
constexpr int MulDivFailed = -1;

PLATFORM_API int MulDiv(int number, int numerator, int denominator);
