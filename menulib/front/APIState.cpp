#include "front/APIState.h"

#include <filesystem>
#include <string>

#include "foundation/FatalMessage.h"
#include "foundation/ModulePath.h"
#include "front/ArcadeState.h"
#include "platform/debug_output.h"
#include "platform/win32_desktop.h"

namespace {
constexpr const char* kUsageErrorCaption = "Error In TollarineArcade API Usage";
}

APIState& GetAPIState()
{
    static APIState state;
    return state;
}

void ReportAPIUsageError(bool condition, const CString& message)
{
    if (condition) return;
    CString line(kUsageErrorCaption);
    line.Append(": ");
    line.Append(message);
    line.Append("\n");
    OutputDebugStringA(line.GetText());
    if (GetArcadeState().DebugMode != 0) FatalMessage(kUsageErrorCaption, message.GetText());
}

bool IsCallLoggingOn() { return GetArcadeState().DebugMode == 4; }

void LogDLLCall(const CString& text)
{
    CString line("DLL call: ");
    line.Append(text);
    line.Append("\n");
    OutputDebugStringA(line.GetText());
}

void DoPreAPICallCode()
{
    APIState& state = GetAPIState();
    if (state.folderStored) {
        ReportAPIUsageError(false, "DoPreAPICallCode: Tried to overwrite stored working folder string.");
        return;
    }
    state.folderStored = true;
    std::error_code failed;
    const std::string current = std::filesystem::current_path(failed).string();
    state.storedWorkingFolder = failed ? "." : current.c_str();
    ChangeToModuleFolder();
}

void DoPostAPICallCode()
{
    APIState& state = GetAPIState();
    state.folderStored = false;
    SetCurrentDirectoryA(state.storedWorkingFolder.GetText());
}
