#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <ctime>
#include <memory>
#include <type_traits>

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

std::string TimeFormatWithoutSeconds(std::string_view format)
{
    std::string result;
    bool literalLast = false;  // the last character kept is a literal one, not part of a conversion
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            result.push_back(format[i++]);
            literalLast = true;
            continue;
        }
        // A conversion: '%', flags, a width, an E or O modifier, its letter.
        std::size_t end = i + 1;
        while (end < format.size() && std::string_view("_-0^#").find(format[end]) != std::string_view::npos) ++end;
        while (end < format.size() && format[end] >= '0' && format[end] <= '9') ++end;
        if (end < format.size() && (format[end] == 'E' || format[end] == 'O')) ++end;
        if (end >= format.size()) {  // a lone '%' at the end stays as it is
            result.append(format.substr(i));
            break;
        }
        const char letter = format[end];
        if (letter == 'S') {
            if (literalLast && std::string_view(":.,").find(result.back()) != std::string_view::npos) result.pop_back();
        } else if (letter == 'T') {
            result += "%H:%M";
        } else if (letter == 'r') {
            result += "%I:%M %p";
        } else {
            result.append(format.substr(i, end + 1 - i));
        }
        literalLast = false;
        i = end + 1;
    }
    return result;
}

namespace {

struct LocaleRelease {
    void operator()(locale_t locale) const { ::freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleRelease>;

// The user's time locale, or the C one when the environment names none that is installed.
LocaleHandle UserTimeLocale()
{
    LocaleHandle user(::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0)));
    if (!user) user.reset(::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0)));
    return user;
}

}  // namespace

std::string LocalDateTimeText(bool withSeconds)
{
    const LocaleHandle user = UserTimeLocale();
    if (!user) return std::string();
    const std::string dateFormat = ::nl_langinfo_l(D_FMT, user.get());
    const std::string timeFormat = ::nl_langinfo_l(T_FMT, user.get());
    const std::string format = dateFormat + "   " + (withSeconds ? timeFormat : TimeFormatWithoutSeconds(timeFormat));
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[256];
    const std::size_t length = ::strftime_l(text, sizeof text, format.c_str(), &local, user.get());
    return std::string(text, length);
}

}  // namespace platform
