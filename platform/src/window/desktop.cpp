#include "platform/win32_desktop.h"

#include <unistd.h>

#include "platform/files.h"
#include "window/window_system.h"

namespace {
HCURSOR currentCursor = nullptr;
// Any address that is no window record will do: FindWindowRecord never knows it.
char desktopToken;
}  // namespace

HWND GetDesktopWindow() { return reinterpret_cast<HWND>(&desktopToken); }

BOOL SetForegroundWindow(HWND window)
{
    if (!window || window == GetDesktopWindow()) return TRUE;
    platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record) return FALSE;
    if (record->sdl) SDL_RaiseWindow(record->sdl);
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous = currentCursor;
    currentCursor = cursor;
    return previous;
}

BOOL SetCurrentDirectoryA(LPCSTR path)
{
    if (!path || !*path) return FALSE;
    return ::chdir(platform::ResolvePath(path).c_str()) == 0 ? TRUE : FALSE;
}
