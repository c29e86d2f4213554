// The millisecond clock, the performance counter and local date/time text. In headless runs and tests the
// clock is a fake one that only moves when told to, so that runs repeat exactly.
#pragma once
#include <string>
#include <string_view>

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

// The local date in the user's short date format, three blanks and the local time in the user's time format,
// with or without its seconds: the formats of the time locale the environment names (LC_ALL, LC_TIME, LANG),
// the POSIX ones when it names none or one that is not installed. "12/10/26   14:05:09" in the POSIX locale.
PLATFORM_API std::string LocalDateTimeText(bool withSeconds);
// A time format without its seconds: "%S" goes with the separator before it, and the conversions that hold
// seconds ("%T", "%r") are spelled out without them.
PLATFORM_API std::string TimeFormatWithoutSeconds(std::string_view format);

}  // namespace platform
