#include <gtest/gtest.h>

#include <regex>

#include "platform/win32_time.h"

TEST(FakeClock, MovesOnlyWhenAdvancedAndWrapsAt32Bits)
{
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
}

TEST(LocalDateTimeText, HasDateThreeBlanksAndTime)
{
    EXPECT_TRUE(std::regex_match(platform::LocalDateTimeText(true),
                                 std::regex(R"(\d{4}-\d\d-\d\d   \d\d:\d\d:\d\d)")));
    EXPECT_TRUE(std::regex_match(platform::LocalDateTimeText(false), std::regex(R"(\d{4}-\d\d-\d\d   \d\d:\d\d)")));
}
