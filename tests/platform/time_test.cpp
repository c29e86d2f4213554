#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/win32_time.h"

TEST(FakeClock, MovesOnlyWhenAdvancedAndWrapsAt32Bits)
{
    // The clock the process ran on comes back at the end: a headless window system started by an earlier test
    // keeps its fake clock.
    const bool wasFake = platform::IsFakeClock();
    const DWORD was = timeGetTime();
    platform::UseFakeClock(0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    EXPECT_EQ(timeGetTime(), 0xFFFFFFF0u);
    platform::AdvanceFakeClock(0x20);
    EXPECT_EQ(timeGetTime(), 0x10u);
    EXPECT_EQ(GetTickCount(), 0x10u);
    LARGE_INTEGER count{}, frequency{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart / (frequency.QuadPart / 1000), 0x100000010LL);
    platform::UseRealClock();
    EXPECT_FALSE(platform::IsFakeClock());
    if (wasFake) platform::UseFakeClock(was);
}

namespace {
// True when text has the shape of pattern, where '9' stands for any digit.
bool HasShape(const std::string& text, const std::string& pattern)
{
    if (text.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
    }
    return true;
}
}  // namespace

// The formats follow the time locale the environment names; one that is not installed gives the POSIX ones.
TEST(LocalDateTimeText, FollowsTheUsersTimeLocale)
{
    const char* kept = std::getenv("LC_ALL");
    const std::string keptValue = kept ? kept : "";
    for (const char* locale : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) {
        SCOPED_TRACE(locale);
        ::setenv("LC_ALL", locale, 1);
        EXPECT_TRUE(HasShape(platform::LocalDateTimeText(true), "99/99/99   99:99:99"))
            << platform::LocalDateTimeText(true);
        EXPECT_TRUE(HasShape(platform::LocalDateTimeText(false), "99/99/99   99:99"));
    }
    if (kept)
        ::setenv("LC_ALL", keptValue.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

TEST(LocalDateTimeText, TheTimeWithoutSecondsDropsTheSecondsAndTheirSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"%H:%M:%S", "%H:%M"},
        {"%H.%M.%S", "%H.%M"},
        {"%T", "%H:%M"},
        {"%r", "%I:%M %p"},
        {"%I:%M:%S %p", "%I:%M %p"},
        {"%p %I:%M:%S", "%p %I:%M"},
        {"%OH:%OM:%OS", "%OH:%OM"},
        {"%-H:%02M:%_2S", "%-H:%02M"},
        {"%H:%M", "%H:%M"},
        {"100%% %H:%M:%S", "100%% %H:%M"},
        {"%H %S", "%H "},
        {"trailing %", "trailing %"},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(platform::TimeFormatWithoutSeconds(format), expected) << format;
}
