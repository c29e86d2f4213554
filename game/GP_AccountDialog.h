// The account dialog (dialog 105) and the e-mail prompt around it: the address of the player's hall-of-fame
// account is kept in the registry value "VelmorineEMail" under HKEY_CURRENT_USER "Software\Morvadel\"; an empty
// value means the player was asked once and declined.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/win32_dialog.h"

constexpr int GP_AccountDialogId = 105;
// The dialog's picture (bitmap 106), a file of the runnable tree's "RESOURCE" folder.
constexpr const char* GP_AccountPictureFile = "Account.bmp";
constexpr std::uint16_t GP_RussianLanguage = 0x419;

// Controls of the account dialog.
enum GP_AccountDialogControl : int {
    GP_AccountRegister = 1,
    GP_AccountLater = 2,
    GP_AccountFirstName = 1001,
    GP_AccountLastName = 1003,
    GP_AccountEMail = 1004,
    GP_AccountCity = 1005,
    GP_AccountCountry = 1007,
    GP_AccountTextAim = 1014,
    GP_AccountTextBenefit = 1015,
    GP_AccountTextHowTo = 1016,
    GP_AccountLabelFirstName = 1017,
    GP_AccountLabelLastName = 1018,
    GP_AccountLabelEMail = 1019,
    GP_AccountLabelCity = 1020,
    GP_AccountLabelCountry = 1021,
};

// The account as the game knows it.
struct GP_OnlineAccount {
    std::optional<std::string> playerEMail;  // PlayerEMail
    std::uint8_t eMailKnown = 0;             // EMailKnown
    std::uint8_t offerAccount = 1;           // OfferAccount: the interface offers account creation
    std::uint8_t putResults = 0;             // the "PutResults" setting
};

// The texts of the dialog and its messages in one language.
struct GP_AccountTexts {
    const char* title;
    const char* registerButton;
    const char* laterButton;
    const char* labels[5];  // first name, last name, e-mail address, city, country
    const char* aim;
    const char* benefit;
    const char* howTo;
    const char* missingField;  // format with the field's label
    const char* success;
    const char* failure;
};
const GP_AccountTexts& GP_AccountTextsFor(std::uint16_t language);

// Registers dialog 105's template with the dialog manager (once).
void GP_RegisterAccountDialog();
// What one showing of the dialog takes and gives.
struct GP_AccountDialogRun {
    std::uint16_t language = 0;
    std::optional<std::string> registeredEMail;  // set when the account was created
};
// The dialog procedure; WM_INITDIALOG's lParam points at the GP_AccountDialogRun.
INT_PTR GP_AccountDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Reads the stored address and, when there is none or ask is true, shows the dialog. A declined dialog stores
// an empty address only when none was stored, so a known account is never forgotten; a dialog that could not be
// shown at all changes nothing. The address the dialog registered is stored.
void GP_PromptEMail(bool ask, GP_OnlineAccount& account, std::uint16_t language);
// The e-mail action of the menus: the game's window steps aside while the dialog is up.
void GP_EMailPromptAction(HWND mainWindow, GP_OnlineAccount& account, std::uint16_t language);
