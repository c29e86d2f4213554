#include "front/WindowMessages.h"

#include <cstdint>

#include "foundation/HostWindow.h"
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/TA_API.h"
#include "platform/win32_messages.h"
#include "platform/win32_window.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"

namespace {

constexpr float kClosingStep = 0.033333335f;
constexpr int kDebugModeKeepsWindow = 3;
constexpr int kContextMenuCode = 18;
// Scan codes of the two Ctrl keys (the right one with the extended bit).
constexpr int kLeftControlScan = 29;
constexpr int kRightControlScan = 0x11D;

enum MouseButton : int {
    kLeft = 0,
    kRight = 1,
    kMiddle = 2
};

struct KeyCode {
    int virtualKey;
    int code;
};

// Keys that type a toolkit code whatever the modifiers.
constexpr KeyCode kKeyCodes[] = {
    {VK_PRIOR, 7}, {VK_NEXT, 15},   {VK_END, 14},    {VK_HOME, 5}, {VK_LEFT, 11}, {VK_UP, 6}, {VK_RIGHT, 12},
    {VK_DOWN, 10}, {VK_INSERT, 16}, {VK_DELETE, 17}, {VK_F1, 19},  {VK_F4, 20},   {VK_F5, 2}, {VK_F6, 28},
    {VK_F7, 21},   {VK_F8, 23},     {VK_F9, 29},     {VK_F10, 25}, {VK_F11, 26},
};

int ScanCodeOf(LPARAM lParam) { return static_cast<int>((lParam >> 16) & 0x1FF); }

bool ControlDown()
{
    const KeyboardState& keys = KeyboardState::Get();
    return keys.IsDown(kLeftControlScan) || keys.IsDown(kRightControlScan);
}

// Both words of a packed mouse position are signed: a captured pointer left of or above the window is negative.
void MoveMouse(LPARAM lParam)
{
    SetMousePosition(static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
}

bool HandleMouseButton(UINT message)
{
    MouseState& mouse = MouseState::Get();
    switch (message) {
    case WM_LBUTTONDOWN: mouse.PressButton(kLeft); return true;
    case WM_LBUTTONUP: mouse.ReleaseButton(kLeft); return true;
    case WM_LBUTTONDBLCLK: mouse.DoubleClickButton(kLeft); return true;
    case WM_RBUTTONDOWN: mouse.PressButton(kRight); return true;
    case WM_RBUTTONUP: mouse.ReleaseButton(kRight); return true;
    case WM_RBUTTONDBLCLK: mouse.DoubleClickButton(kRight); return true;
    case WM_MBUTTONDOWN: mouse.PressButton(kMiddle); return true;
    case WM_MBUTTONUP: mouse.ReleaseButton(kMiddle); return true;
    case WM_MBUTTONDBLCLK: mouse.DoubleClickButton(kMiddle); return true;
    default: return false;
    }
}

bool HandleMessage(ArcadeState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    KeyboardState& keys = KeyboardState::Get();
    switch (message) {
    case WM_CLOSE:
        state.EndMenuSession();
        if (state.ScreenWindow) state.ScreenWindow->Update(kClosingStep);
        return state.DebugMode == kDebugModeKeepsWindow;
    case WM_SETCURSOR:
        if ((lParam & 0xFFFF) != HTCLIENT) return false;
        MouseState::Get().ApplySystemCursor();
        return true;
    case WM_CONTEXTMENU: keys.PutTyped(kContextMenuCode); return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keys.PutTyped(TranslateVirtualKey(static_cast<int>(wParam), ControlDown()));
        keys.KeyDown(ScanCodeOf(lParam));
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP: keys.KeyUp(ScanCodeOf(lParam)); return true;
    case WM_CHAR:
    case WM_SYSCHAR: keys.PutTyped(static_cast<int>(wParam & 0xFF)); return true;
    case WM_MOUSEMOVE: MoveMouse(lParam); return true;
    default: return HandleMouseButton(message);
    }
}

}  // namespace

void SetMousePosition(int x, int y)
{
    const ArcadeState& state = GetArcadeState();
    MouseState::Get().StorePosition(x - state.OffsetX, y - state.OffsetY);
}

int TranslateVirtualKey(int virtualKey, bool controlDown)
{
    if (virtualKey == VK_TAB || (virtualKey >= '0' && virtualKey <= '9')) return controlDown ? virtualKey : 0;
    for (const KeyCode& key : kKeyCodes)
        if (key.virtualKey == virtualKey) return key.code;
    return 0;
}

TA_Bool8 TA_HandleWindowsMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ArcadeState& state = GetArcadeState();
    if (state.Initializing) return 0;
    ReportAPIUsageError(state.Initialized,
                        "TA_HandleWindowsMessage: Must call TA_Initialize before calling this function.");
    if (!state.SessionRunning) return 0;
    if (!state.HostWindowKnown) {
        state.HostWindowKnown = true;
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(window, &point);
        SetMousePosition(point.x, point.y);
        HostWindow::Instance().hostWindow = window;
    }
    return HandleMessage(state, message, wParam, lParam) ? 1 : 0;
}
