// Opening a document or web address with the desktop's handler, and starting programs. In a headless run
// nothing is opened or started: each request is recorded, so tests can see what would have happened.
#pragma once
#include <string>
#include <vector>

#include "platform/win32_base.h"

namespace platform {

// xdg-open on the text; true when it could be started.
PLATFORM_API bool ShellOpen(const char* target);

// Starts a program from a Windows-style command line (arguments split at blanks, double quotes group, a
// backslash before a quote escapes it) in the given folder (null: the current one). The process handle is
// returned when asked for; the child is reaped by ProcessStillRunning once it has ended.
PLATFORM_API bool StartProcess(const char* commandLine, const char* folder, bool hidden, HANDLE* process);
PLATFORM_API bool ProcessStillRunning(HANDLE process);

// The command line split as StartProcess splits it.
PLATFORM_API std::vector<std::string> SplitCommandLine(const char* commandLine);

struct ShellRequest {
    std::string kind;  // "open" or "run"
    std::string text;  // the target or the command line
    std::string folder;
    bool hidden = false;
};
PLATFORM_API std::vector<ShellRequest> RecordedShellRequests();
PLATFORM_API void ClearRecordedShellRequests();

}  // namespace platform
