#include <gtest/gtest.h>

#include "platform/win32_window.h"

namespace {

int Ask(UINT action)
{
    int value = -1;
    EXPECT_TRUE(SystemParametersInfoA(action, 0, &value, 0));
    return value;
}

TEST(KeyboardSettingsTest, TheRepeatSettingsAreTheDesktopsDefaultsUntilSetAndStayInRange)
{
    EXPECT_EQ(Ask(SPI_GETKEYBOARDDELAY), 1);
    EXPECT_EQ(Ask(SPI_GETKEYBOARDSPEED), 31);
    platform::SetKeyboardRepeatSettings(7, -4);
    EXPECT_EQ(Ask(SPI_GETKEYBOARDDELAY), 3);
    EXPECT_EQ(Ask(SPI_GETKEYBOARDSPEED), 0);
    platform::SetKeyboardRepeatSettings(1, 31);
    int value = 0;
    EXPECT_FALSE(SystemParametersInfoA(0x1234, 0, &value, 0)) << "an action it does not know";
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, nullptr, 0));
}

TEST(KeyboardSettingsTest, ClientPointsOfAnUnknownWindowAreNotMoved)
{
    POINT point{3, 4};
    EXPECT_FALSE(ClientToScreen(nullptr, &point));
    EXPECT_EQ(point.x, 3);
    EXPECT_EQ(point.y, 4);
}

}  // namespace
