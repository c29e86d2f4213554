#include "platform/headless.h"
#include "platform/win32_window.h"
#include "window/message_queue.h"
#include "window/window_system.h"

namespace {

int showCount = 0;

// The window whose rectangle holds the screen point, else the top window.
platform::WindowRecord* WindowAt(POINT point)
{
    for (platform::WindowRecord* window : platform::AllWindows())
        if (window->visible && point.x >= window->rect.left && point.x < window->rect.right &&
            point.y >= window->rect.top && point.y < window->rect.bottom)
            return window;
    return platform::TopWindow();
}

}  // namespace

int ShowCursor(BOOL show)
{
    showCount += show ? 1 : -1;
    if (!platform::IsHeadless() && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(showCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return showCount;
}

// Moving the cursor gives a mouse move, as on Windows: SDL reports the warp, and a headless run is told the
// same way.
BOOL SetCursorPos(int x, int y)
{
    platform::EnsureWindowSystem();
    const POINT point{x, y};
    platform::SetCursorPosition(point);
    platform::WindowRecord* window = WindowAt(point);
    if (!window) return TRUE;
    const int clientX = x - window->rect.left;
    const int clientY = y - window->rect.top;
    if (window->sdl) {
        int wx = 0, wy = 0;
        platform::ClientToWindowPoint(window->view, clientX, clientY, wx, wy);
        SDL_WarpMouseInWindow(window->sdl, wx, wy);
    } else {
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.x = clientX;
        motion.motion.y = clientY;
        motion.motion.state = platform::MouseButtonState();
        Uint16 mods = KMOD_NONE;
        if (GetKeyState(VK_SHIFT) & 0x8000) mods |= KMOD_LSHIFT;
        if (GetKeyState(VK_CONTROL) & 0x8000) mods |= KMOD_LCTRL;
        platform::DeliverSdlEvent(motion, mods);
    }
    return TRUE;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point) return FALSE;
    *point = platform::CursorPosition();
    return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point)
{
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record || !point) return FALSE;
    point->x -= record->rect.left;
    point->y -= record->rect.top;
    return TRUE;
}

BOOL ClientToScreen(HWND window, POINT* point)
{
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record || !point) return FALSE;
    point->x += record->rect.left;
    point->y += record->rect.top;
    return TRUE;
}
