// The window procedure of the engine's windows. The menu library sees every message first: the binding of
// the library installs its message function here, and a message it takes goes no further.
#pragma once
#include "platform/win32_window.h"

using GP_LibraryMessageHook = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// nullptr: no library is bound, every message goes to the window.
void GP_SetLibraryMessageHook(GP_LibraryMessageHook hook);

LRESULT GP_WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
