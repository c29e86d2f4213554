// Shared libraries as modules: paths may use "\" and any case (they go through the file resolver).
#pragma once
#include "platform/win32_base.h"

// The generic function type, so that a cast to the export's own type compiles without a warning.
using FARPROC = void (*)();

// A bare name is looked for beside the program, then in the working folder, then where the system keeps
// libraries. A failure is told on the debugger output.
PLATFORM_API HMODULE LoadLibraryA(LPCSTR fileName);
PLATFORM_API FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
PLATFORM_API BOOL FreeLibrary(HMODULE module);
// The full path of a loaded module; a null module is the program. Returns the length copied; a path that
// does not fit is cut to size - 1 characters and size is returned.
PLATFORM_API DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
