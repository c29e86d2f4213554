// The message box for broken data. Every caller in the library ends the process with exit code -1 after it.
#pragma once

// The exit code of a process ended for broken data (seen by a parent as 255).
constexpr int kFatalExitCode = -1;

void FatalMessage(const char* title, const char* text);
// FatalMessage, then the end of the process with kFatalExitCode.
[[noreturn]] void FatalMessageAndExit(const char* title, const char* text);
// The same with a printf-style text.
[[noreturn]] void FatalMessageAndExitF(const char* title, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
