// The game's template dialogs open at their template's size, centred and whole on the screen. Run headless with
// the ctest suite (the dialog model), and on a display under Xvfb with and without a window manager (the GTK
// window as it really is on the screen; see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>

#include "GP_AccountDialog.h"
#include "GP_Main.h"
#include "platform/dialog_testing.h"
#include "platform/headless.h"
#include "platform/win32_dialog.h"
#include "platform/win32_window.h"

namespace {

struct Shown {
    RECT rect{};
    int screenWidth = 0;
    int screenHeight = 0;
};
std::optional<Shown> shown;

// Notes where the dialog is and ends it, as if the player had answered at once.
void NoteAndEnd(HWND dialog, const RECT& onScreen)
{
    shown = Shown{onScreen, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EndDialog(dialog, 0);
}

void OpenAccountDialog()
{
    GP_RegisterAccountDialog();
    GP_AccountDialogRun run;
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(GP_AccountDialogId), nullptr, GP_AccountDialogProc,
                    reinterpret_cast<LPARAM>(&run));
}

void OpenCrashDialog() { GP_OfferCrashReport("Internal runtime error"); }

struct DialogCase {
    const char* name;
    std::function<void()> open;
    // The template's size in dialog units with "MS Sans Serif" 8, whose base units are 6 x 13 pixels.
    int widthInPixels;
    int heightInPixels;
};

TEST(DialogOnScreen, TemplateDialogsOpenAtTheirTemplateSizeCentredAndWholeOnTheScreen)
{
    const DialogCase cases[] = {
        {"account dialog, 522 x 257 units", OpenAccountDialog, 522 * 6 / 4, 257 * 13 / 8},
        {"crash dialog, 282 x 71 units", OpenCrashDialog, 282 * 6 / 4, 71 * 13 / 8},
    };
    // A window manager's frame moves the window's inside by its title bar and borders.
    const int centreSlack = platform::IsHeadless() ? 0 : 32;
    platform::SetDialogShownHook(NoteAndEnd);
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        shown.reset();
        platform::ClearScriptedAnswers();
        c.open();
        ASSERT_TRUE(shown.has_value()) << "the dialog was not shown";
        const RECT& r = shown->rect;
        EXPECT_NEAR(r.right - r.left, c.widthInPixels, 3);
        EXPECT_NEAR(r.bottom - r.top, c.heightInPixels, 3);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, shown->screenWidth);
        EXPECT_LE(r.bottom, shown->screenHeight);
        EXPECT_NEAR(r.left, (shown->screenWidth - c.widthInPixels) / 2, centreSlack);
        EXPECT_NEAR(r.top, (shown->screenHeight - c.heightInPixels) / 2, centreSlack);
    }
    platform::SetDialogShownHook(nullptr);
}

}  // namespace
