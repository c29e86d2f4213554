#include <atomic>
#include <ctime>

#include "platform/win32_time.h"

namespace {

std::atomic<bool> fakeClock{false};
std::atomic<std::uint64_t> fakeMs{0};

std::uint64_t MonotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint64_t NowMilliseconds() { return fakeClock ? fakeMs.load() : MonotonicNanoseconds() / 1000000ull; }

}  // namespace

DWORD timeGetTime() { return static_cast<DWORD>(NowMilliseconds()); }
DWORD GetTickCount() { return static_cast<DWORD>(NowMilliseconds()); }
UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count) return FALSE;
    // Microseconds: a fake clock counts whole milliseconds of it.
    count->QuadPart = fakeClock ? static_cast<LONGLONG>(fakeMs.load() * 1000ull)
                                : static_cast<LONGLONG>(MonotonicNanoseconds() / 1000ull);
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency) return FALSE;
    frequency->QuadPart = 1000000;
    return TRUE;
}

namespace platform {

void UseFakeClock(DWORD startMs)
{
    fakeMs = startMs;
    fakeClock = true;
}

void UseRealClock() { fakeClock = false; }
bool IsFakeClock() { return fakeClock; }
void AdvanceFakeClock(DWORD ms) { fakeMs += ms; }

std::string LocalDateTimeText(bool withSeconds)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, withSeconds ? "%Y-%m-%d   %H:%M:%S" : "%Y-%m-%d   %H:%M", &local);
    return text;
}

}  // namespace platform
