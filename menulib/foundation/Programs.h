// Opening documents and starting programs.
#pragma once
#include "platform/win32_base.h"

// Opens the text (a file or a web address) with the desktop's handler; true when that could be started.
bool OpenWithShell(const char* file);
// Starts the program (quoted) with the argument (quoted, when given) in the folder. A command line of more
// than 1023 characters is refused.
bool RunProgram(const char* program, const char* argument, int hidden, HANDLE* process, const char* folder);
bool IsProcessRunning(HANDLE process);

constexpr int kMaxCommandLine = 1023;
