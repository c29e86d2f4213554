#include <gtest/gtest.h>

#include <vector>

#include "WinLite.h"
#include "platform/headless.h"
#include "platform/win32_window.h"

namespace {

constexpr int kTemplate = 7101;

// A dialog that handles nothing itself: it records what reaches it and what the default handler answers.
class RecordingDialog : public TLiteDialogBox {
public:
    explicit RecordingDialog(bool endAtInit) : TLiteDialogBox(nullptr), endAtInit_(endAtInit)
    {
        platform::DialogTemplate dialog;
        dialog.width = 100;
        dialog.height = 40;
        dialog.items = {{IDCANCEL, platform::DialogItemKind::PushButton, "Cancel", 40, 20, 50, 14, 0}};
        platform::RegisterDialogTemplate(MAKEINTRESOURCEA(kTemplate), dialog);
    }

    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_INITDIALOG) handleAtInit = Handle();
        if (message.Msg == WM_INITDIALOG && endAtInit_) EndDialog(Handle(), 5);
        if (message.Msg == WM_COMMAND && LOWORD(message.WParam) == IDCANCEL) EndDialog(Handle(), 9);
        TLiteDialogBox::Dispatch(message);
        seen.push_back({message.Msg, message.Result});
    }

    std::vector<std::pair<UINT, LRESULT>> seen;
    HWND handleAtInit = nullptr;

protected:
    void DialogTemplate(LPCSTR& templateName, HWND& owner) override
    {
        templateName = MAKEINTRESOURCEA(kTemplate);
        owner = Parent();
    }

private:
    bool endAtInit_;
};

}  // namespace

TEST(TLiteDialogBox, BindsItsWindowAtTheFirstMessageAndAnswersWithTheDefaults)
{
    platform::ClearScriptedAnswers();
    platform::PushScriptedAnswer("close");
    RecordingDialog dialog(false);
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialog.Run(), 9);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(dialog.handleAtInit, nullptr);
    // WM_INITDIALOG answers 1; the close box, left to the dialog manager (0), comes back as Cancel.
    const std::vector<std::pair<UINT, LRESULT>> expected = {{WM_INITDIALOG, 1}, {WM_SYSCOMMAND, 0}, {WM_COMMAND, 0}};
    EXPECT_EQ(dialog.seen, expected);
}

TEST(TLiteDialogBox, EndingDuringInitialisationRunsNothingElse)
{
    platform::ClearScriptedAnswers();
    RecordingDialog dialog(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialog.Run(), 5);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(dialog.seen.size(), 1u);
}
