// The menu's frame clock: the seconds since the last drawn frame, from the performance counter, clamped to one
// second. Tests give it a counter of their own.
#pragma once
#include <cstdint>

namespace FrameClock {

using CounterSource = std::int64_t (*)();

// Seconds since the previous call, 0 to 1; the first call of a process answers 1.
double Elapsed();
// A counter and its ticks per second in place of the performance counter; a null source restores it.
void SetCounterSource(CounterSource source, double frequency);

}  // namespace FrameClock
