#include <gtest/gtest.h>

#include "platform/headless.h"

TEST(ScriptedAnswers, PushedAnswersComeFirstInOrder)
{
    platform::ClearScriptedAnswers();
    platform::PushScriptedAnswer("yes");
    platform::PushScriptedAnswer("click 103");
    EXPECT_EQ(platform::NextScriptedAnswer(), "yes");
    EXPECT_EQ(platform::NextScriptedAnswer(), "click 103");
    EXPECT_EQ(platform::NextScriptedAnswer(), std::nullopt);
}

TEST(HeadlessSettings, TestsRunHeadless)
{
    EXPECT_TRUE(platform::IsHeadless());
    platform::ResetHeadlessFrame();
    platform::AdvanceHeadlessFrame();
    EXPECT_EQ(platform::HeadlessFrame(), 1);
}
