// The message box for broken data. Every caller in the library ends the process with exit code -1 after it.
#pragma once

void FatalMessage(const char* title, const char* text);
// FatalMessage, then the end of the process with exit code -1.
[[noreturn]] void FatalMessageAndExit(const char* title, const char* text);
// The same with a printf-style text.
[[noreturn]] void FatalMessageAndExitF(const char* title, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
