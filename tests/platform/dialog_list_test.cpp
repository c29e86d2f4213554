#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/win32_dialog.h"
#include "platform/win32_window.h"

namespace {

using platform::DialogItemKind;

constexpr int kListTemplate = 7002;
constexpr int kEdit = 20;
constexpr int kSorted = 30;
constexpr int kPlain = 31;

struct AtOk {
    std::string edit, sorted, plain;
    LRESULT sortedIndex = CB_ERR;
    LRESULT count = 0;
};
AtOk atOk;

INT_PTR ListProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        for (const char* item : {"PERU", "ALBANIA", "MALI"}) {
            SendDlgItemMessageA(dialog, kSorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            SendDlgItemMessageA(dialog, kPlain, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        char text[64];
        GetDlgItemTextA(dialog, kEdit, text, sizeof text);
        atOk.edit = text;
        GetDlgItemTextA(dialog, kSorted, text, sizeof text);
        atOk.sorted = text;
        GetDlgItemTextA(dialog, kPlain, text, sizeof text);
        atOk.plain = text;
        atOk.sortedIndex = SendDlgItemMessageA(dialog, kSorted, CB_GETCURSEL, 0, 0);
        atOk.count = SendDlgItemMessageA(dialog, kSorted, CB_GETCOUNT, 0, 0);
    }
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
}

}  // namespace

TEST(DialogLists, ScriptedAnswersTypeIntoEditsAndPickFromSortedAndPlainLists)
{
    platform::DialogTemplate dialog;
    dialog.caption = "Lists";
    dialog.width = 200;
    dialog.height = 100;
    dialog.items = {
        {IDOK, DialogItemKind::DefaultPushButton, "OK", 140, 8, 50, 14, platform::kDialogTabStop},
        {kEdit, DialogItemKind::Edit, "", 8, 8, 100, 12, platform::kDialogTabStop},
        {kSorted, DialogItemKind::ComboBox, "", 8, 24, 100, 80, platform::kDialogSorted},
        {kPlain, DialogItemKind::ComboBox, "", 8, 40, 100, 80, 0},
    };
    platform::RegisterDialogTemplate(MAKEINTRESOURCEA(kListTemplate), dialog);
    platform::ClearScriptedAnswers();
    for (const char* answer : {"type 20 two  words", "select 30 MALI", "select 30 CHAD", "click 1"})
        platform::PushScriptedAnswer(answer);

    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kListTemplate), nullptr, ListProcedure, 0), IDOK);
    EXPECT_EQ(atOk.edit, "two  words");
    EXPECT_EQ(atOk.sorted, "MALI");
    EXPECT_EQ(atOk.sortedIndex, 1);  // ALBANIA, MALI, PERU
    EXPECT_EQ(atOk.count, 3);
    EXPECT_EQ(atOk.plain, "");  // nothing selected
}
