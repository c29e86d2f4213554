// The millisecond clock, the performance counter and local date/time text. In headless runs and tests the
// clock is a fake one that only moves when told to, so that runs repeat exactly.
#pragma once
#include <string>

#include "platform/win32_base.h"

PLATFORM_API DWORD timeGetTime();
PLATFORM_API DWORD GetTickCount();
// The system timer resolution is always fine enough here: both calls do nothing and report success.
PLATFORM_API UINT timeBeginPeriod(UINT periodMs);
PLATFORM_API UINT timeEndPeriod(UINT periodMs);
PLATFORM_API BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
PLATFORM_API BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);

namespace platform {

// Switches every clock above to a fake one standing at startMs; AdvanceFakeClock moves it on.
PLATFORM_API void UseFakeClock(DWORD startMs);
PLATFORM_API void UseRealClock();
PLATFORM_API bool IsFakeClock();
PLATFORM_API void AdvanceFakeClock(DWORD ms);

// The local date and time as one fixed text: "2026-12-10   14:05:09" (without seconds: "2026-12-10   14:05").
PLATFORM_API std::string LocalDateTimeText(bool withSeconds);

}  // namespace platform
