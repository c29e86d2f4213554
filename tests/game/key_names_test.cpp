#include <gtest/gtest.h>

#include <cstring>

#include "GP_AppBase.h"
#include "GP_GameMainFrame.h"
#include "GP_InterfaceHost.h"
#include "GP_KeyNames.h"

namespace {

TEST(KeyNames, EveryCodeButTheLastHasItsNameOrItsCharacter)
{
    GP_BuildKeyNames();
    ASSERT_NE(GP_KeyNames, nullptr);
    const std::pair<int, const char*> cases[] = {
        {0, " NONE"},      {21, " HANGUL"},    {25, " KANJI"},    {65, " A"},    {53, " 5"},
        {96, " NUMPAD 0"}, {105, " NUMPAD 9"}, {112, " F1"},      {135, " F24"}, {163, " RIGHT CONTROL"},
        {186, " ;"},       {220, " \\"},       {8, " BACKSPACE"}, {37, " LEFT"},
    };
    for (const auto& [code, name] : cases) EXPECT_STREQ(GP_KeyNames[code], name) << code;
    EXPECT_EQ(GP_KeyNames[255], nullptr);
    EXPECT_LT(std::strlen(GP_KeyNames[163]), static_cast<std::size_t>(GP_KeyNameSize));
    const char highCharacter[] = {' ', static_cast<char>(200), '\0'};
    EXPECT_STREQ(GP_KeyNames[200], highCharacter);
    GP_FreeKeyNames();
    EXPECT_EQ(GP_KeyNames, nullptr);
}

TEST(KeyNames, TheExtraKeysAreTheDigitsVAndEAndNothingIsPressed)
{
    CGP_AppBase app;
    CGP_GameMainFrame frame(&app);
    for (std::uint8_t& pressed : frame.GameKeys.pressed) pressed = 1;
    frame.ResetExtraKeys();
    const std::uint16_t expected[] = {51, 52, 53, 54, 55, 56, 57, 48, 86, 69};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(frame.GameKeys.codes[4 + i], expected[i]) << i;
    for (std::uint8_t pressed : frame.GameKeys.pressed) EXPECT_EQ(pressed, 0);
    EXPECT_EQ(frame.GameKeys.codes[0], 37);  // the control keys are the settings'
}

}  // namespace
