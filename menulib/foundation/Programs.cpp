#include "foundation/Programs.h"

#include "foundation/CString.h"
#include "foundation/HostWindow.h"
#include "platform/shell.h"

bool OpenWithShell(const char* file)
{
    ActivateDesktop();
    return platform::ShellOpen(file);
}

bool RunProgram(const char* program, const char* argument, int hidden, HANDLE* process, const char* folder)
{
    if (process) *process = nullptr;
    if (!program) return false;
    CString commandLine;
    commandLine.Format("\"%s\"", program);
    if (argument) commandLine.AppendFormat(" \"%s\"", argument);
    if (commandLine.GetLength() > kMaxCommandLine) return false;
    return platform::StartProcess(commandLine.GetText(), folder, hidden == 1, process);
}

bool IsProcessRunning(HANDLE process) { return platform::ProcessStillRunning(process); }
