// The language dialog's resource: dialog 1 and the language of each of its radio buttons.
#pragma once
#include "platform/win32_dialog.h"

constexpr int kChoiceOfLanguageDialog = 1;

struct TLanguage {
    int control;       // the radio button, 101 to 104
    const char* code;  // the stored "Language" value
};
constexpr TLanguage kLanguages[] = {{101, "419"}, {102, "409"}, {103, "40C"}, {104, "407"}};
constexpr int kFirstLanguage = 101;
constexpr int kLastLanguage = 104;
constexpr int kEnglish = 102;

// Makes dialog 1 known to the dialog manager (once).
void RegisterChoiceOfLanguageDialog();
