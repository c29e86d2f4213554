// The top of the game program: one copy per user, the run with its session log, the menu library and the
// application object, and the last line of defence against crashes (the crash dialog and the crash report).
#pragma once
#include <cstdint>
#include <string>

#include "platform/structured_exceptions.h"
#include "platform/win32_base.h"
#include "platform/win32_messages.h"

class CGP_Application;

// -1 when the run failed, else 0.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
// True when the message loop ended normally; false when the menu library could not be started or an engine
// exception was caught.
bool GP_Run(HINSTANCE instance);
// The handler of failed allocations: throws a fatal engine exception that offers the crash report.
void GP_NewHandler();
// The filter of machine faults and of objects thrown past GP_Run; always EXCEPTION_EXECUTE_HANDLER.
LONG GP_ExceptionFilter(DWORD code, EXCEPTION_POINTERS* exceptionPointers);
std::intptr_t GP_CrashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void GP_LogExceptionRecord(const EXCEPTION_POINTERS* exceptionPointers);
void GP_LogGlobalFlags();
void GP_LogFlag(std::uint8_t value, const char* name);
// The name of an exception code; "Unhandled Exeption" for codes without one.
const char* GP_ExceptionName(DWORD code);

// Runs the crash dialog with the crash text and starts the crash-report program when the player says yes.
void GP_OfferCrashReport(const char* crashText);

// Process-wide values of the run.
extern HINSTANCE GP_Instance;
extern std::string GP_WorkingFolder;  // the current folder when the game started
extern CGP_Application* GP_App;
extern const char* GP_CrashText;

constexpr int GP_CrashDialogId = 104;
constexpr int GP_CrashTextId = 1000;
constexpr const char* GP_CrashReportProgram = "Faultmail";

// The identity the game starts the menu library with.
constexpr int GP_MenuApplicationID = 60;
constexpr const char* GP_MenuApplicationName = "Velmorine";
constexpr int GP_MenuApplicationNumber = 4089;
constexpr float GP_MenuLibraryPrice = 0.0f;
