// The language dialog: reads the version block of the game program beside this one, shows the four languages
// and stores the chosen one as "Language" in the game's registry key, where the game reads it at start-up.
#pragma once
#include <string>

#include "ChoiceOfLanguageDialog.h"
#include "VersionInfo.h"
#include "WinLite.h"

// What Run answers once the dialog has ended (DialogBoxFailed when it could not be shown).
enum TChoiceOfLanguageResult : int {
    kLanguageDialogEnded = 1,      // OK (the choice stored when it could be) or the close box
    kLanguageDialogCancelled = 2,  // Cancel, or a game that cannot be given a language
};

class TChoice_of_language : public TLiteDialogBox {
public:
    // programPath: this program's own file; the game program is looked for beside it.
    TChoice_of_language(HWND parent, std::string programPath);

    // The stored language code, or "".
    std::string ReadLanguage();
    // Stores code in the game's existing key; false (after saying why) when it cannot.
    bool SaveLanguage(const std::string& code);

    int Selected() const { return selected_; }
    const TVSFillFileInfo& GameInformation() const { return gameInformation_; }

    void Dispatch(TMessage& message) override;

protected:
    void DialogTemplate(LPCSTR& templateName, HWND& owner) override;

private:
    void WMInitDialog(TMessage& message);
    void WMCommand(TMessage& message);
    void WMSysCommand(TMessage& message);
    void Say(const char* text);
    std::string GameKey() const;

    std::string programPath_;
    TVSFillFileInfo gameInformation_;
    int selected_ = kEnglish;  // until the stored choice is read
};

// The game program's file beside the program at programPath: one separator between folder and name, none when
// the path has no folder.
std::string GameProgramBeside(const std::string& programPath);

// This program's own file, from the system rather than the command line.
std::string OwnProgramPath();
