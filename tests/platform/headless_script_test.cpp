#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32_messages.h"
#include "window/headless_script.h"

TEST(HeadlessScript, ReadsEventsInFrameOrderAndHoldsModifiers)
{
    const platform::ParsedScript script = platform::ParseHeadlessScript(
        "# a comment, then a blank line\n"
        "\n"
        "5 mouse down right 3 4\r\n"
        "1 key down VK_LCONTROL\n"
        "1 key down a\n"
        "1 key down 0x41\n"
        "7 char Привет, мир\n"
        "9 close\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.events.size(), 5u + 11u);

    const SDL_Event& ctrl = script.events[0].event;
    EXPECT_EQ(ctrl.type, SDL_KEYDOWN);
    EXPECT_EQ(ctrl.key.keysym.scancode, SDL_SCANCODE_LCTRL);
    const SDL_Event& a = script.events[1].event;
    EXPECT_EQ(a.key.keysym.scancode, SDL_SCANCODE_A);
    EXPECT_EQ(a.key.keysym.mod, KMOD_LCTRL);
    EXPECT_EQ(a.key.repeat, 0);
    EXPECT_EQ(script.events[2].event.key.repeat, 1) << "a key pressed again while down repeats";

    const platform::ScriptEvent& click = script.events[3];
    EXPECT_EQ(click.frame, 5);
    EXPECT_EQ(click.event.button.button, SDL_BUTTON_RIGHT);
    EXPECT_EQ(click.event.button.x, 3);
    EXPECT_EQ(click.keyMods, KMOD_LCTRL);

    EXPECT_STREQ(script.events[4].event.text.text, "П");
    EXPECT_STREQ(script.events[11].event.text.text, " ");
    EXPECT_EQ(script.events.back().event.window.event, SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(script.events.back().frame, 9);
}

TEST(HeadlessScript, ReportsBadLinesByNumberAndSkipsThem)
{
    const platform::ParsedScript script = platform::ParseHeadlessScript(
        "x key down A\n"
        "-1 close\n"
        "3\n"
        "3 key down NOSUCHKEY\n"
        "3 key sideways A\n"
        "3 mouse down thumb 1 2\n"
        "3 mouse move 1 99999\n"
        "4 jump\n"
        "4 close\n");
    ASSERT_EQ(script.errors.size(), 8u);
    EXPECT_EQ(script.errors[0].rfind("line 1:", 0), 0u);
    EXPECT_NE(script.errors[3].find("NOSUCHKEY"), std::string::npos);
    EXPECT_EQ(script.errors[7].rfind("line 8:", 0), 0u);
    ASSERT_EQ(script.events.size(), 1u);
}

TEST(HeadlessScript, KeyNames)
{
    EXPECT_EQ(platform::VirtualKeyOfName("VK_F4"), VK_F4);
    EXPECT_EQ(platform::VirtualKeyOfName("z"), 'Z');
    EXPECT_EQ(platform::VirtualKeyOfName("7"), '7');
    EXPECT_EQ(platform::VirtualKeyOfName("13"), VK_RETURN);
    EXPECT_EQ(platform::VirtualKeyOfName("VK_NOPE"), 0);
    EXPECT_EQ(platform::VirtualKeyOfName("300"), 0);
}
