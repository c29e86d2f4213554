// What the exported functions share: the working folder saved around each framed call, the text handed out by
// the last string value request, and the last error text; the misuse report and the call log.
#pragma once
#include <memory>

#include "foundation/CString.h"

struct APIState {
    CString storedWorkingFolder;
    std::unique_ptr<char[]> lastValueText;  // the copy TA_GetValueAsString returned last
    const char* lastErrorText = nullptr;    // one of the library's constant texts, not owned
    bool folderStored = false;
};

APIState& GetAPIState();

// Reports misuse unless condition holds: a line on the debugger output and, with DebugMode other than 0, a
// message box. The caller always goes on.
void ReportAPIUsageError(bool condition, const CString& message);
// DebugMode 4 logs every exported call.
bool IsCallLoggingOn();
// "DLL call: " + text + "\n" on the debugger output.
void LogDLLCall(const CString& text);
// The working folder switched to the library's folder for one exported call, and back.
void DoPreAPICallCode();
void DoPostAPICallCode();

// Sets the last error text and answers code: the failure returns of TA_Initialize and TA_EnterMenuSession.
template <typename Code>
Code FailWith(Code code, const char* text)
{
    GetAPIState().lastErrorText = text;
    return code;
}
