#include <gtest/gtest.h>

#include "platform/headless.h"
#include "platform/win32_message_box.h"

TEST(MessageBox, HeadlessTakesTheScriptedAnswerOrTheFirstButton)
{
    platform::ClearScriptedAnswers();
    testing::internal::CaptureStderr();
    platform::PushScriptedAnswer("no");
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Velmorine", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Velmorine", MB_YESNO), IDYES);
    platform::PushScriptedAnswer("maybe");
    EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Velmorine", MB_OKCANCEL), IDOK);
    platform::PushScriptedAnswer("yes");
    EXPECT_EQ(MessageBoxA(nullptr, "Broken", "Velmorine Exception", MB_OK | MB_ICONERROR), IDOK);
    platform::PushScriptedAnswer("cancel");
    EXPECT_EQ(MessageBoxA(nullptr, "\xCE\xF8\xE8\xE1\xEA\xE0", nullptr, MB_YESNOCANCEL), IDCANCEL);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("MessageBox \"Velmorine Exception\": Broken"), std::string::npos);
    EXPECT_NE(err.find("fits no button"), std::string::npos);
    EXPECT_NE(err.find("Ошибка"), std::string::npos) << "a Windows-1251 text is shown as such";
}
