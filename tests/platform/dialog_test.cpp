#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/win32_dialog.h"
#include "platform/win32_window.h"

namespace {

using platform::DialogItemKind;

constexpr int kTemplate = 7001;

void RegisterTestTemplate()
{
    platform::DialogTemplate dialog;
    dialog.caption = "Test";
    dialog.fontPoints = 8;
    dialog.width = 200;
    dialog.height = 100;
    dialog.items = {
        {1, DialogItemKind::DefaultPushButton, "OK", 140, 8, 50, 14, platform::kDialogTabStop},
        {2, DialogItemKind::PushButton, "Cancel", 140, 28, 50, 14, platform::kDialogTabStop},
        {10, DialogItemKind::RadioButton, "A", 8, 8, 40, 10, platform::kDialogTabStop},
        {11, DialogItemKind::RadioButton, "B", 8, 20, 40, 10, 0},
        {12, DialogItemKind::RadioButton, "C", 8, 32, 40, 10, 0},
        {20, DialogItemKind::Edit, "first", 8, 50, 100, 12, platform::kDialogTabStop},
        {21, DialogItemKind::Edit, "", 8, 64, 100, 24, platform::kDialogReadOnly | platform::kDialogMultiLine},
        {30, DialogItemKind::RadioButton, "Other group", 120, 60, 60, 10, 0},
    };
    platform::RegisterDialogTemplate(MAKEINTRESOURCEA(kTemplate), dialog);
}

struct Seen {
    UINT message;
    WPARAM wParam;
};

// What the test dialog's procedure saw, and what it does on WM_INITDIALOG.
std::vector<Seen> seen;
HWND firstFocus = nullptr;
bool endAtInit = false;
bool keepOpenOnClose = false;
std::vector<UINT> checkedWhenOk;  // 10, 11, 12, 30 at the moment OK was clicked
std::string editWhenOk;

INT_PTR TestProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back({message, wParam});
    switch (message) {
    case WM_INITDIALOG:
        firstFocus = reinterpret_cast<HWND>(wParam);
        if (endAtInit) EndDialog(dialog, 77);
        SetDlgItemTextA(dialog, 21, "read only");
        CheckRadioButton(dialog, 10, 12, 11);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            checkedWhenOk.clear();
            for (int id : {10, 11, 12, 30}) checkedWhenOk.push_back(IsDlgButtonChecked(dialog, id));
            char text[64];
            GetDlgItemTextA(dialog, 21, text, sizeof text);
            editWhenOk = text;
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    case WM_SYSCOMMAND: return keepOpenOnClose ? TRUE : FALSE;
    }
    return FALSE;
}

INT_PTR RunTestDialog(const std::vector<std::string>& answers)
{
    RegisterTestTemplate();
    seen.clear();
    platform::ClearScriptedAnswers();
    for (const std::string& answer : answers) platform::PushScriptedAnswer(answer);
    return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kTemplate), nullptr, &TestProcedure, 0);
}

}  // namespace

TEST(Dialog, InitDialogComesFirstThenEachScriptedClick)
{
    endAtInit = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunTestDialog({"click 12", "click 30", "click 1"}), IDOK);
    const std::string printed = testing::internal::GetCapturedStderr();

    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_NE(firstFocus, nullptr);
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(seen[1].wParam, MAKEWPARAM(12, BN_CLICKED));
    EXPECT_EQ(seen[3].wParam, MAKEWPARAM(IDOK, BN_CLICKED));
    // A click checks its radio button and unchecks the others next to it, not those of another group.
    EXPECT_EQ(checkedWhenOk, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, BST_CHECKED}));
    EXPECT_EQ(editWhenOk, "read only");
    EXPECT_NE(printed.find("Dialog \"Test\" at 0, 0, 300 x 162"), std::string::npos) << printed;
    EXPECT_NE(printed.find("11 radio button \"B\" (checked)"), std::string::npos) << printed;
    EXPECT_NE(printed.find("ended with 1"), std::string::npos) << printed;
}

TEST(Dialog, TheCloseBoxBecomesCancelUnlessTheProcedureTakesIt)
{
    endAtInit = false;
    keepOpenOnClose = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunTestDialog({"close"}), IDCANCEL);
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(seen[1].wParam, SC_CLOSE);
    EXPECT_EQ(seen[2].wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));

    // A procedure that keeps the dialog open on every close is ended as cancelled once the answers run out.
    keepOpenOnClose = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunTestDialog({"click 99", "nonsense"}), IDCANCEL);
    const std::string printed = testing::internal::GetCapturedStderr();
    keepOpenOnClose = false;
    EXPECT_NE(printed.find("\"click 99\" fits no control"), std::string::npos) << printed;
    EXPECT_NE(printed.find("ending it as cancelled"), std::string::npos) << printed;
}

TEST(Dialog, EndingInInitDialogShowsNothing)
{
    endAtInit = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunTestDialog({"click 1"}), 77);
    const std::string printed = testing::internal::GetCapturedStderr();
    endAtInit = false;
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(printed.find("Dialog \"Test\""), std::string::npos) << printed;
    EXPECT_EQ(platform::NextScriptedAnswer(), "click 1") << "the answer was left for what comes next";
}

TEST(Dialog, CallsOutsideARunningDialogFail)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(DialogBoxParamA(nullptr, "NoSuchDialog", nullptr, &TestProcedure, 0), DialogBoxFailed);
    testing::internal::GetCapturedStderr();
    HWND stale = reinterpret_cast<HWND>(&seen);
    EXPECT_FALSE(EndDialog(stale, 1));
    EXPECT_FALSE(SetWindowTextA(stale, "x"));
    EXPECT_EQ(GetDlgItem(stale, 1), nullptr);
    EXPECT_EQ(IsDlgButtonChecked(stale, 1), BST_UNCHECKED);
    EXPECT_EQ(GetForegroundWindow(), nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

namespace {

// Where a dialog procedure puts its dialog, through SetWindowPos or MoveWindow; the rectangle it then has.
struct Placement {
    const char* name;
    bool move;  // MoveWindow, else SetWindowPos
    int x;
    int y;
    RECT expected;
};
const Placement* placing = nullptr;
RECT placed{};

INT_PTR PlacingProcedure(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return FALSE;
    if (placing->move)
        MoveWindow(dialog, placing->x, placing->y, 300, 162, TRUE);
    else
        SetWindowPos(dialog, nullptr, placing->x, placing->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(dialog, &placed);
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

TEST(Dialog, ADialogIsPlacedWholeOnTheScreenWhereItFits)
{
    // The test template is 200 x 100 dialog units: 300 x 162 pixels on the 1024 x 768 headless screen.
    const Placement cases[] = {
        {"centred", false, 362, 303, {362, 303, 662, 465}},
        {"past the right and top edges", false, 2000, -40, {724, 0, 1024, 162}},
        {"moved past the left and bottom edges", true, -10, 700, {0, 606, 300, 768}},
    };
    RegisterTestTemplate();
    for (const Placement& c : cases) {
        SCOPED_TRACE(c.name);
        placing = &c;
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kTemplate), nullptr, PlacingProcedure, 0);
        EXPECT_EQ(placed.left, c.expected.left);
        EXPECT_EQ(placed.top, c.expected.top);
        EXPECT_EQ(placed.right, c.expected.right);
        EXPECT_EQ(placed.bottom, c.expected.bottom);
    }
}
