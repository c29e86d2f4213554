#include <gtest/gtest.h>

#include <cctype>
#include <string>

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

TEST(LocalDateTimeText, HasDateThreeBlanksAndTime)
{
    EXPECT_TRUE(HasShape(platform::LocalDateTimeText(true), "9999-99-99   99:99:99"));
    EXPECT_TRUE(HasShape(platform::LocalDateTimeText(false), "9999-99-99   99:99"));
}
