#include "ChoiceOfLanguageDialog.h"

#include "platform/win32_window.h"

void RegisterChoiceOfLanguageDialog()
{
    static const bool registered = [] {
        using platform::DialogItemKind;
        constexpr DWORD button = platform::kDialogTabStop | platform::kDialogAlignCentre;
        platform::DialogTemplate dialog;
        dialog.fontName = "MS Sans Serif";
        dialog.fontPoints = 10;
        dialog.width = 213;
        dialog.height = 55;
        dialog.items = {
            {1, DialogItemKind::PushButton, "OK", 157, 8, 50, 14, button},
            {2, DialogItemKind::PushButton, "Cancel", 157, 32, 50, 14, button},
            {101, DialogItemKind::RadioButton, "Russian", 84, 28, 60, 12, platform::kDialogTabStop},
            {102, DialogItemKind::RadioButton, "English", 12, 16, 60, 12, platform::kDialogTabStop},
            {103, DialogItemKind::RadioButton, "Francais", 12, 28, 60, 12, platform::kDialogTabStop},
            {104, DialogItemKind::RadioButton, "Deutsch", 84, 16, 60, 12, platform::kDialogTabStop},
            {105, DialogItemKind::EtchedFrame, "Frame1", 4, 6, 144, 42, 0},
        };
        platform::RegisterDialogTemplate(MAKEINTRESOURCEA(kChoiceOfLanguageDialog), dialog);
        return true;
    }();
    (void)registered;
}
