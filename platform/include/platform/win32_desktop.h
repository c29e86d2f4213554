// The desktop as the menu library's message boxes and shell calls see it: the desktop window, bringing a window
// to the front, the current cursor shape, and the current folder.
#pragma once
#include "platform/win32_base.h"

// A handle that stands for the whole desktop; it is no window of ours.
PLATFORM_API HWND GetDesktopWindow();
// Raises a window of ours; the desktop (or null) has nothing to raise and answers TRUE.
PLATFORM_API BOOL SetForegroundWindow(HWND window);
// Cursors are tokens (see LoadCursorA): the shape in use is remembered and the previous one returned.
PLATFORM_API HCURSOR SetCursor(HCURSOR cursor);
// "\" and "/" both separate; names are found without regard to case.
PLATFORM_API BOOL SetCurrentDirectoryA(LPCSTR path);
