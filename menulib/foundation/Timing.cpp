#include "foundation/Timing.h"

#include "platform/win32_math.h"
#include "platform/win32_time.h"

std::uint32_t GetTicks() { return GetTickCount(); }
std::uint32_t GetTicks24() { return GetTickCount() & 0xFFFFFF; }

std::int64_t PerfCounter()
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

std::int64_t PerfFrequency()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

int MulDivShift(int number, int denominator, int shift)
{
    return MulDiv(number, static_cast<int>(1u << (shift & 31)), denominator);
}
