#include "fmChoice_of_language.h"

#include <filesystem>
#include <memory>
#include <type_traits>

#include "ChoiceOfLanguageDialog.h"
#include "platform/win32_message_box.h"
#include "platform/win32_messages.h"
#include "platform/win32_registry.h"
#include "platform/win32_window.h"

namespace {

constexpr const char* kGameProgram = "Velmorine";

OwnedRegKey OpenKey(const std::string& subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return OwnedRegKey(key);
}

}  // namespace

std::string GameProgramBeside(const std::string& programPath)
{
    const std::size_t cut = programPath.find_last_of("\\/");
    if (cut == std::string::npos) return kGameProgram;
    return programPath.substr(0, cut + 1) + kGameProgram;
}

std::string OwnProgramPath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

TChoice_of_language::TChoice_of_language(HWND parent, std::string programPath)
    : TLiteDialogBox(parent), programPath_(std::move(programPath))
{
}

void TChoice_of_language::DialogTemplate(LPCSTR& templateName, HWND& owner)
{
    RegisterChoiceOfLanguageDialog();
    templateName = MAKEINTRESOURCEA(kChoiceOfLanguageDialog);
    owner = Parent();
}

void TChoice_of_language::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_INITDIALOG: WMInitDialog(message); break;
    case WM_COMMAND: WMCommand(message); break;
    case WM_SYSCOMMAND: WMSysCommand(message); break;
    default: DefaultHandler(message); break;
    }
}

void TChoice_of_language::Say(const char* text) { MessageBoxA(Handle(), text, "Message", MB_OK); }

std::string TChoice_of_language::GameKey() const
{
    return "SOFTWARE\\" + gameInformation_.CompanyName + "\\" + gameInformation_.ProductName;
}

void TChoice_of_language::WMInitDialog(TMessage& message)
{
    DefaultHandler(message);
    if (!ReadVersionInfo(GameProgramBeside(programPath_), gameInformation_)) {
        Say("Proper game executable not found.");
        EndDialog(Handle(), kLanguageDialogCancelled);
        return;
    }
    try {
        if (gameInformation_.FileVersion.size() < 3) {
            Say("This version of the game does not support language choise.");
            EndDialog(Handle(), kLanguageDialogCancelled);
            return;
        }
        RECT window{};
        GetWindowRect(Handle(), &window);
        const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - (window.right - window.left) / 2;
        const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - (window.bottom - window.top) / 2;
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
        SetWindowTextA(Handle(), ("Language selection for " + gameInformation_.ProductName).c_str());
        const std::string stored = ReadLanguage();
        selected_ = kEnglish;
        for (const TLanguage& language : kLanguages)
            if (stored == language.code) selected_ = language.control;
        CheckRadioButton(Handle(), kFirstLanguage, kLastLanguage, selected_);
    } catch (...) {
        Say("Game executable does not seem to be valid.");
    }
}

void TChoice_of_language::WMCommand(TMessage& message)
{
    const int control = LOWORD(message.WParam);
    if (control == IDOK) {
        for (const TLanguage& language : kLanguages)
            if (language.control == selected_) SaveLanguage(language.code);
        EndDialog(Handle(), kLanguageDialogEnded);
        message.Result = 1;
    } else if (control == IDCANCEL) {
        EndDialog(Handle(), kLanguageDialogCancelled);
        message.Result = 0;
    } else if (control >= kFirstLanguage && control <= kLastLanguage) {
        selected_ = control;
        CheckRadioButton(Handle(), kFirstLanguage, kLastLanguage, selected_);
    }
}

void TChoice_of_language::WMSysCommand(TMessage& message)
{
    // The low four bits of a system command are the system's own.
    if ((message.WParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(Handle(), kLanguageDialogEnded);
        message.Result = 0;
        return;
    }
    message.Result = DefWindowProcA(Handle(), message.Msg, message.WParam, message.LParam);
}

std::string TChoice_of_language::ReadLanguage()
{
    const OwnedRegKey key = OpenKey(GameKey());
    if (!key) return "";
    char buffer[256];
    DWORD size = sizeof buffer;
    const LSTATUS status =
        RegQueryValueExA(key.get(), "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS) return "";
    // Exactly the stored bytes, up to a zero among them: the value is stored without its terminating zero.
    const std::string text(buffer, size);
    return text.substr(0, text.find('\0'));
}

bool TChoice_of_language::SaveLanguage(const std::string& code)
{
    const OwnedRegKey key = OpenKey(GameKey());
    if (!key) {
        Say("Could not open registry key.");
        return false;
    }
    const LSTATUS status = RegSetValueExA(key.get(), "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(code.data()),
                                          static_cast<DWORD>(code.size()));
    if (status != ERROR_SUCCESS) {
        Say("Can not save language choise.");
        return false;
    }
    return true;
}
