#include "GP_Main.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <new>

#include "GP_Application.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_Globals.h"
#include "GP_Log.h"
#include "GP_MenuLibrary.h"
#include "platform/shell.h"
#include "platform/single_instance.h"
#include "platform/win32_dialog.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

HINSTANCE GP_Instance = nullptr;
std::string GP_WorkingFolder;
CGP_Application* GP_App = nullptr;
const char* GP_CrashText = nullptr;

namespace {

struct ExceptionName {
    DWORD code;
    const char* name;
};

constexpr ExceptionName kExceptionNames[] = {
    {0xC0000005, "Access violation"},
    {0x80000001, "Guard page violation"},
    {0x80000002, "Datatype misalignment"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0xC0000006, "In page error"},
    {0xC0000008, "Invalid handle"},
    {0xC0000017, "No memory"},
    {0xC000001D, "Illegal instruction"},
    {0xC0000025, "Noncontinuable exeption"},
    {0xC0000026, "Invalid disposition"},
    {0xC000008C, "Array bounds exceed"},
    {0xC000008D, "Float denormal operand"},
    {0xC000008E, "Float divide by zero"},
    {0xC000008F, "Float inexact result"},
    {0xC0000090, "Float invalid operation"},
    {0xC0000091, "Float overflow"},
    {0xC0000092, "Float stack check"},
    {0xC0000093, "Float underflow"},
    {0xC0000094, "Integer divide by zero"},
    {0xC0000095, "Integer overflow"},
    {0xC0000096, "Privileged instruction"},
    {0xC00000FD, "Stack owerflow"},
    {0xC000013A, "Control C exit"},
    {0xC00002B4, "Float multiple faults"},
    {0xC00002B5, "Float multiple traps"},
    {0xC00002C0, "Illegal VLM reference"},
    {0x00000000, "Wait 0"},
    {0x00000080, "Abandoned wait 0"},
    {0x000000C0, "User APC"},
    {0x00000102, "Timeout"},
    {0x00000103, "Pending"},
    {0x40000005, "Segment notification"},
};

constexpr const char* kInstanceName = "VelmorineAllVersion";
constexpr const char* kTrayClass = "Velmorine Tray Icon";
constexpr const char* kMainClass = "Velmorine";
constexpr WPARAM kRestoreCommand = 101;
constexpr std::size_t kRecordTextSize = 1024;

// Whether the menu library was started, so that it is shut down (and saves its changes) on every way out.
bool menuLibraryStarted = false;

platform::DialogTemplate CrashDialogTemplate()
{
    using platform::DialogItemKind;
    platform::DialogTemplate dialog;
    dialog.caption = "Application error";
    dialog.width = 282;
    dialog.height = 71;
    dialog.items = {
        {1, DialogItemKind::DefaultPushButton, "Yes", 170, 50, 50, 15, platform::kDialogTabStop},
        {2, DialogItemKind::PushButton, "No", 225, 50, 50, 15, platform::kDialogTabStop},
        {-1, DialogItemKind::Text, "An error occured while running the game:", 35, 5, 150, 10, 0},
        {GP_CrashTextId, DialogItemKind::Edit, "", 35, 15, 240, 12,
         platform::kDialogReadOnly | platform::kDialogTabStop},
        {-1, DialogItemKind::Text, "Would you like a bug report to be composed and sent to the developer of the game?",
         5, 35, 270, 10, 0},
    };
    return dialog;
}

void StartCrashReport()
{
    // The crash-report program may not be there at all; its start then fails unseen.
    const std::string program = "\"" + GP_WorkingFolder + "/" + GP_CrashReportProgram + "\"";
    platform::StartProcess(program.c_str(), GP_WorkingFolder.c_str(), false, nullptr);
}

void CloseSessionLog() { delete GP_SessionLog; }

std::string CurrentFolder()
{
    std::error_code failed;
    const std::filesystem::path folder = std::filesystem::current_path(failed);
    return failed ? std::string(".") : folder.string();
}

// The technical text of a throw is not owned by the exception (it may be a literal or a text built for the throw)
// and is never freed; the run ends right after the report, so the leak checker is told it is meant.
void KeepThrownText(const CGP_Exeption& error)
{
#if defined(__SANITIZE_ADDRESS__)
    if (error.text) __lsan_ignore_object(error.text);
#else
    (void)error;
#endif
}

void ReportEngineException(const CGP_Exeption& error)
{
    KeepThrownText(error);
    std::unique_ptr<char[]> text(error.GetMessage());
    GP_LogWrite(text.get());
    GP_LogWrite("\n");
    GP_LogGlobalFlags();
    if (error.userMessage && !error.offerReport)
        MessageBoxA(nullptr, error.userMessage, "Velmorine Exception", MB_ICONERROR);
    if (error.offerReport) GP_OfferCrashReport(error.userMessage ? error.userMessage : "Internal runtime error");
}

// False when the library could not be started: its reason is logged and the game ends.
bool StartMenuLibrary()
{
    const int result =
        TA_Startup(GP_MenuApplicationID, GP_MenuApplicationName, GP_MenuApplicationNumber, GP_MenuLibraryPrice, 0);
    menuLibraryStarted = result == TA_Ok;
    if (menuLibraryStarted) return true;
    GP_LogWrite(TA_GetLastErrorText());
    GP_LogWrite("\n");
    return false;
}

// A second start brings the running game back: out of the tray when it sits there, else on the screen.
void BringRunningGameBack()
{
    if (HWND tray = FindWindowA(kTrayClass, nullptr)) {
        SendMessageA(tray, WM_COMMAND, kRestoreCommand, 0);
        return;
    }
    if (HWND main = FindWindowA(kMainClass, nullptr)) ShowWindow(main, SW_SHOWMAXIMIZED);
}

void RunGame(void* succeeded) { *static_cast<bool*>(succeeded) = GP_Run(GP_Instance); }

// Appends a formatted line to the record text, never past its end.
template <typename... Values>
void AppendLine(char (&text)[kRecordTextSize], std::size_t& used, const char* format, Values... values)
{
    if (used >= kRecordTextSize - 1) return;
    const int written = std::snprintf(text + used, kRecordTextSize - used, format, values...);
    if (written > 0) used = std::min(kRecordTextSize - 1, used + static_cast<std::size_t>(written));
}

}  // namespace

const char* GP_ExceptionName(DWORD code)
{
    for (const ExceptionName& entry : kExceptionNames)
        if (entry.code == code) return entry.name;
    return "Unhandled Exeption";
}

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    std::set_new_handler(GP_NewHandler);
    GP_Instance = instance;
    platform::InstanceLock instanceLock(kInstanceName);
    if (instanceLock.AlreadyRunning()) {
        BringRunningGameBack();
        return 0;
    }
    std::srand(timeGetTime());
    bool succeeded = false;
    const bool returned = platform::RunGuarded(RunGame, &succeeded, GP_ExceptionFilter);
    CloseSessionLog();
    delete GP_App;
    GP_App = nullptr;
    instanceLock.Release();
    if (returned && !succeeded) {
        if (menuLibraryStarted) TA_Unload();
        return -1;
    }
    TA_Unload();
    return returned ? 0 : -1;
}

bool GP_Run(HINSTANCE instance)
{
    GP_WorkingFolder = CurrentFolder();
    auto* log = new CGP_Log((GP_WorkingFolder + "/Exception.log").c_str());
    log->Open();
    if (!StartMenuLibrary()) return false;
    try {
        GP_App = new CGP_Application(instance);
        GP_App->Run();
        return true;
    } catch (const CGP_Exeption& error) {
        ReportEngineException(error);
        return false;
    }
}

void GP_NewHandler() { throw CGP_FatalExeption("GP_Main", 0, "Error memory allocation\n", nullptr, 1); }

LONG GP_ExceptionFilter(DWORD code, EXCEPTION_POINTERS* exceptionPointers)
{
    GP_CrashText = GP_ExceptionName(code);
    GP_LogWrite("Exception: ");
    GP_LogWrite(GP_CrashText);
    GP_LogWrite("\n");
    GP_LogExceptionRecord(exceptionPointers);
    GP_LogGlobalFlags();
    if (GP_DisplayPtr) GP_DisplayPtr->SetWindowed(0, nullptr, 0, 0);
    GP_OfferCrashReport(GP_CrashText);
    CloseSessionLog();
    return EXCEPTION_EXECUTE_HANDLER;
}

void GP_OfferCrashReport(const char* crashText)
{
    static const bool registered = [] {
        platform::RegisterDialogTemplate(MAKEINTRESOURCEA(GP_CrashDialogId), CrashDialogTemplate());
        return true;
    }();
    (void)registered;
    GP_CrashText = crashText;
    if (DialogBoxParamA(GP_Instance, MAKEINTRESOURCEA(GP_CrashDialogId), nullptr, GP_CrashDialogProc, 0) == 1)
        StartCrashReport();
}

std::intptr_t GP_CrashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        ShowCursor(TRUE);
        RECT rect{};
        GetWindowRect(dialog, &rect);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        MoveWindow(dialog, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                   width, height, TRUE);
        SetDlgItemTextA(dialog, GP_CrashTextId, GP_CrashText ? GP_CrashText : "");
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == 1) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (LOWORD(wParam) == 2) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

void GP_LogExceptionRecord(const EXCEPTION_POINTERS* exceptionPointers)
{
    if (!exceptionPointers || !exceptionPointers->ExceptionRecord || !exceptionPointers->ContextRecord) return;
    const EXCEPTION_RECORD& record = *exceptionPointers->ExceptionRecord;
    const CONTEXT& c = *exceptionPointers->ContextRecord;
    char text[kRecordTextSize] = {};
    std::size_t used = 0;
    AppendLine(text, used, "Address = %lX\n", reinterpret_cast<unsigned long>(record.ExceptionAddress));
    const DWORD count = std::min(record.NumberParameters, EXCEPTION_MAXIMUM_PARAMETERS);
    for (std::uint16_t i = 0; i < count; ++i) {
        const ULONG_PTR value = record.ExceptionInformation[i];
        if (i == 1)
            AppendLine(text, used, "Parameter %d = %lX\n", i, static_cast<unsigned long>(value));
        else
            AppendLine(text, used, "Parameter %d = %d\n", i, static_cast<int>(value));
    }
    AppendLine(text, used, "%s", "Registers:\n");
    const std::pair<const char*, ULONG_PTR> registers[] = {
        {"CS", c.SegCs}, {"IP", c.Eip},   {"GS", c.SegGs}, {"FS", c.SegFs}, {"ES", c.SegEs},
        {"DS", c.SegDs}, {"SS", c.SegSs}, {"EAX", c.Eax},  {"EBX", c.Ebx},  {"ECX", c.Ecx},
        {"EDX", c.Edx},  {"ESI", c.Esi},  {"EDI", c.Edi},  {"ESP", c.Esp},  {"EBP", c.Ebp},
    };
    for (const auto& [name, value] : registers)
        AppendLine(text, used, "%s = %lX\n", name, static_cast<unsigned long>(value));
    GP_LogWrite(text);
}

void GP_LogGlobalFlags()
{
    GP_LogFlag(GlobalShadowEnabled, "GlobalShadowEnabled");
    GP_LogFlag(GlobalDirectSoundEnabled, "GlobalDirectSoundEnabled");
    GP_LogFlag(GlobalSoundEnabled, "GlobalSoundEnabled");
    GP_LogFlag(GlobalDirectMusicEnabled, "GlobalDirectMusicEnabled");
    GP_LogFlag(GlobalMusicEnabled, "GlobalMusicEnabled");
}

void GP_LogFlag(std::uint8_t value, const char* name)
{
    GP_LogWrite(name);
    GP_LogWrite(" = ");
    GP_LogWrite(value ? "true\n" : "false\n");
}
