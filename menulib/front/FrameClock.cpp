#include "front/FrameClock.h"

#include <algorithm>

#include "front/ArcadeState.h"
#include "platform/win32_time.h"

namespace {

FrameClock::CounterSource g_source = nullptr;
double g_frequency = 0;

std::int64_t PerformanceCounter()
{
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

double PerformanceFrequency()
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart > 0 ? static_cast<double>(frequency.QuadPart) : 1.0;
}

}  // namespace

double FrameClock::Elapsed()
{
    ArcadeState& state = GetArcadeState();
    const double now = static_cast<double>(g_source ? g_source() : PerformanceCounter());
    const double frequency = g_source ? g_frequency : PerformanceFrequency();
    const double elapsed = (now - state.LastFrameTime) / frequency;
    state.LastFrameTime = now;
    return std::clamp(elapsed, 0.0, 1.0);
}

void FrameClock::SetCounterSource(CounterSource source, double frequency)
{
    g_source = source;
    g_frequency = frequency > 0 ? frequency : 1.0;
}
