#include "GP_AccountDialog.h"

#include <cstdio>
#include <mutex>
#include <vector>

#include "GP_Main.h"
#include "GP_Online.h"
#include "platform/win32_registry.h"
#include "platform/win32_window.h"

namespace {

using platform::DialogItemKind;

constexpr const char* kAccountKey = "Software\\Morvadel\\";
constexpr const char* kEMailValue = "VelmorineEMail";
constexpr DWORD kMaxStoredEMailBytes = 4096;

// Field limits of the dialog's edits.
constexpr int kNameChars = 255;
constexpr int kEMailChars = 1023;
constexpr int kCityChars = 127;

const GP_AccountTexts kEnglish = {
    "Account Creation",
    "Register Now!",
    "Don't register now.",
    {"First name", "Last name", "E-mail address", "City", "Country"},
    "In order to be able to post your relusts to WorldWide Hall Of Fame you should create an account on our server "
    "using this form.",
    "After creating an account it's easier for you to get technical support from the developer and to be informed "
    "about product updates, add-ons and new games released by Morvadel Entertainment.",
    "To create an account just enter your name, email address, city and country (as it would appear in the Worldwide "
    "Hall Of Fame) into the corresponding fields and press \"Create account\" button. Note that you must have an "
    "active Internet connection in order create an account.",
    "Fill in the \"%s\" field.",
    "Congratulations!\nYou have successfully created your account.\nThank you for choosing Morvadel Entertainment "
    "product.",
    "Unable to connect to the server.",
};

const GP_AccountTexts kRussian = {
    "Создание записи на сервере",
    "Зарегистрировать игру",
    "Не регистрировать сейчас",
    {"Имя", "Фамилия", "E-mail", "Город", "Страна"},
    "Чтобы включить возможность отправки ваших результатов во Всемирный Зал Славы, вам необходимо ввести свои "
    "персональные данные в эту форму для создания записи на нашем сервере.",
    "Также создание записи облегчает получение технической поддержки от разработчика и облегчает получение "
    "уведомлений об обновлениях продукта.",
    "Чтобы создать запись на сервере, просто введите свое имя, адрес электронной почты, название города и страны "
    "(так, как это все должно появиться во Всемирном Зале Славы) в соответствующие поля справа и нажмите кнопку "
    "\"Создать запись\".У вас должно быть активное интернет-соединение, чтобы создание записи прошел успешно.",
    "Введите данные в поле \"%s\".",
    "Поздравляем!\nСозздание записи прошло успешно.\nСпасибо за выбор продуктов компании Morvadel Entertainment.",
    "Не удалось соединиться с сервером.",
};

platform::DialogTemplate AccountTemplate()
{
    platform::DialogTemplate dialog;
    dialog.width = 522;
    dialog.height = 257;
    const DWORD tab = platform::kDialogTabStop;
    const DWORD right = platform::kDialogAlignRight;
    dialog.items = {
        {-1, DialogItemKind::Picture, GP_WorkingFolder + "/RESOURCE/" + GP_AccountPictureFile, 7, 7, 140, 243, 0},
        {-1, DialogItemKind::GroupBox, "", 155, 4, 360, 222, 0},
        {GP_AccountTextAim, DialogItemKind::Text, "", 163, 14, 344, 26, 0},
        {GP_AccountTextBenefit, DialogItemKind::Text, "", 163, 42, 344, 26, 0},
        {GP_AccountTextHowTo, DialogItemKind::Text, "", 163, 70, 344, 42, 0},
        {GP_AccountLabelFirstName, DialogItemKind::Text, "", 163, 120, 80, 10, right},
        {GP_AccountFirstName, DialogItemKind::Edit, "", 250, 118, 250, 12, tab},
        {GP_AccountLabelLastName, DialogItemKind::Text, "", 163, 140, 80, 10, right},
        {GP_AccountLastName, DialogItemKind::Edit, "", 250, 138, 250, 12, tab},
        {GP_AccountLabelEMail, DialogItemKind::Text, "", 163, 160, 80, 10, right},
        {GP_AccountEMail, DialogItemKind::Edit, "", 250, 158, 250, 12, tab},
        {GP_AccountLabelCity, DialogItemKind::Text, "", 163, 180, 80, 10, right},
        {GP_AccountCity, DialogItemKind::Edit, "", 250, 178, 250, 12, tab},
        {GP_AccountLabelCountry, DialogItemKind::Text, "", 163, 200, 80, 10, right},
        {GP_AccountCountry, DialogItemKind::ComboBox, "", 250, 198, 250, 120, tab | platform::kDialogSorted},
        {GP_AccountRegister, DialogItemKind::DefaultPushButton, "", 300, 234, 100, 16, tab},
        {GP_AccountLater, DialogItemKind::PushButton, "", 408, 234, 107, 16, tab},
    };
    return dialog;
}

GP_AccountDialogRun* currentRun = nullptr;

std::string FieldText(HWND dialog, int id, int maxChars)
{
    std::vector<char> text(static_cast<std::size_t>(maxChars) + 1);
    GetDlgItemTextA(dialog, id, text.data(), maxChars + 1);
    return text.data();
}

void CentreOnScreen(HWND dialog)
{
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ShowTexts(HWND dialog, const GP_AccountTexts& texts)
{
    SetWindowTextA(dialog, texts.title);
    SetDlgItemTextA(dialog, GP_AccountRegister, texts.registerButton);
    SetDlgItemTextA(dialog, GP_AccountLater, texts.laterButton);
    const int labels[] = {GP_AccountLabelFirstName, GP_AccountLabelLastName, GP_AccountLabelEMail, GP_AccountLabelCity,
                          GP_AccountLabelCountry};
    for (int i = 0; i < 5; ++i) SetDlgItemTextA(dialog, labels[i], texts.labels[i]);
    SetDlgItemTextA(dialog, GP_AccountTextAim, texts.aim);
    SetDlgItemTextA(dialog, GP_AccountTextBenefit, texts.benefit);
    SetDlgItemTextA(dialog, GP_AccountTextHowTo, texts.howTo);
}

void OnOpen(HWND dialog)
{
    ShowCursor(TRUE);
    CentreOnScreen(dialog);
    ShowTexts(dialog, GP_AccountTextsFor(currentRun ? currentRun->language : 0));
    for (const char* country : GP_Countries)
        SendDlgItemMessageA(dialog, GP_AccountCountry, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(country));
}

void Tell(const GP_AccountTexts& texts, const std::string& text)
{
    MessageBoxA(nullptr, text.c_str(), texts.title, MB_OK | MB_ICONINFORMATION);
}

// The label of the first field that is empty or not an e-mail address, or -1 when all are filled.
int MissingField(const std::string& first, const std::string& last, const std::string& email)
{
    if (first.empty()) return 0;
    if (last.empty()) return 1;
    if (email.empty() || !GP_IsValidEMail(email)) return 2;
    return -1;
}

void OnRegister(HWND dialog)
{
    const GP_AccountTexts& texts = GP_AccountTextsFor(currentRun ? currentRun->language : 0);
    const std::string first = FieldText(dialog, GP_AccountFirstName, kNameChars);
    const std::string last = FieldText(dialog, GP_AccountLastName, kNameChars);
    const std::string email = FieldText(dialog, GP_AccountEMail, kEMailChars);
    if (const int missing = MissingField(first, last, email); missing >= 0) {
        char message[256];
        std::snprintf(message, sizeof message, texts.missingField, texts.labels[missing]);
        Tell(texts, message);
        return;
    }
    const std::string country = FieldText(dialog, GP_AccountCountry, kNameChars);
    const std::string city = FieldText(dialog, GP_AccountCity, kCityChars);
    const std::string address = GP_RemoveSpaces(email);
    if (!GP_RegisterAccount(first, last, address, city, country)) {
        Tell(texts, texts.failure);
        EndDialog(dialog, 0);
        return;
    }
    Tell(texts, texts.success);
    if (currentRun) currentRun->registeredEMail = address;
    EndDialog(dialog, 1);
}

std::optional<std::string> StoredEMail(HKEY key)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, kEMailValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ || size > kMaxStoredEMailBytes) return std::string();
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(key, kEMailValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return std::string(text.data());
}

void StoreEMail(HKEY key, const std::string& email)
{
    RegSetValueExA(key, kEMailValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(email.c_str()),
                   static_cast<DWORD>(email.size() + 1));
}

// Shows the dialog and keeps what it gives.
void AskForAccount(HKEY key, GP_OnlineAccount& account, std::uint16_t language)
{
    GP_RegisterAccountDialog();
    GP_AccountDialogRun run{language, std::nullopt};
    const INT_PTR result = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(GP_AccountDialogId), nullptr, GP_AccountDialogProc,
                                           reinterpret_cast<LPARAM>(&run));
    currentRun = nullptr;
    if (result == 1) {
        account.eMailKnown = 1;
        account.offerAccount = 0;
        account.putResults = 1;
        if (run.registeredEMail) account.playerEMail = run.registeredEMail;
        if (account.playerEMail) StoreEMail(key, *account.playerEMail);
        return;
    }
    // Declined: remembered as an empty address, unless an account is known already.
    if (result == 0 && !(account.playerEMail && !account.playerEMail->empty())) StoreEMail(key, "");
}

}  // namespace

const GP_AccountTexts& GP_AccountTextsFor(std::uint16_t language)
{
    return language == GP_RussianLanguage ? kRussian : kEnglish;
}

void GP_RegisterAccountDialog()
{
    static std::once_flag once;
    std::call_once(once,
                   [] { platform::RegisterDialogTemplate(MAKEINTRESOURCEA(GP_AccountDialogId), AccountTemplate()); });
}

INT_PTR GP_AccountDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        currentRun = reinterpret_cast<GP_AccountDialogRun*>(lParam);
        OnOpen(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case GP_AccountRegister: OnRegister(dialog); return TRUE;
    case GP_AccountLater: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

void GP_PromptEMail(bool ask, GP_OnlineAccount& account, std::uint16_t language)
{
    HKEY key = nullptr;
    const bool opened = RegCreateKeyExA(HKEY_CURRENT_USER, kAccountKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS;
    const std::optional<std::string> stored = opened ? StoredEMail(key) : std::nullopt;
    const bool known = stored && !stored->empty();
    account.eMailKnown = known ? 1 : 0;
    account.offerAccount = known ? 0 : 1;
    if (known) account.playerEMail = *stored;
    if (!stored || ask) AskForAccount(key, account, language);
    if (opened) {
        RegFlushKey(key);
        RegCloseKey(key);
    }
    ShowCursor(FALSE);
}

void GP_EMailPromptAction(HWND mainWindow, GP_OnlineAccount& account, std::uint16_t language)
{
    ShowWindow(mainWindow, SW_HIDE);
    ShowCursor(TRUE);
    GP_PromptEMail(true, account, language);
    ShowCursor(FALSE);
    ShowWindow(mainWindow, SW_SHOW);
}
