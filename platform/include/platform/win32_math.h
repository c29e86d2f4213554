// Windows' MulDiv: number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// -1 when the denominator is 0 or the result does not fit 32 bits.
#pragma once
#include "platform/win32_base.h"

PLATFORM_API int MulDiv(int number, int numerator, int denominator);
