// Windows with window procedures, their classes, the message queue, key state and the system cursor.
// A window is an SDL window (hidden until shown) where there is a display; in a headless run windows exist
// without one and their input comes from the script (see the README's headless section).
#pragma once
#include "platform/win32_base.h"
#include "platform/win32_messages.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

constexpr LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }

// Class styles.
constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
// The second press of a double click comes as WM_*BUTTONDBLCLK in place of WM_*BUTTONDOWN.
constexpr UINT CS_DBLCLKS = 0x0008;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Window and class long indexes.
constexpr int GWL_STYLE = -16;
constexpr int GWLP_USERDATA = -21;
constexpr int GCLP_HICON = -14;

// PeekMessage options.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;

// System icons and cursors.
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)

PLATFORM_API ATOM RegisterClassA(const WNDCLASSA* windowClass);
PLATFORM_API BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
PLATFORM_API HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
inline HWND CreateWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                          HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}
// Sends WM_DESTROY to the window's procedure, then the handle is gone.
PLATFORM_API BOOL DestroyWindow(HWND window);
PLATFORM_API BOOL IsWindow(HWND window);
// Returns whether the window was visible before.
PLATFORM_API BOOL ShowWindow(HWND window, int command);
PLATFORM_API BOOL UpdateWindow(HWND window);
// A window of the programs, or a running dialog (placed as by SetWindowPos).
PLATFORM_API BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
PLATFORM_API LONG_PTR GetWindowLongPtrA(HWND window, int index);
PLATFORM_API LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
PLATFORM_API std::uintptr_t SetClassLongPtrA(HWND window, int index, LONG_PTR value);
// The client rectangle is the window's size: the programs' windows have no frame.
PLATFORM_API BOOL GetClientRect(HWND window, RECT* rect);
// Either argument may be null (matches any); class names and titles compare as Windows does, ignoring case
// for the class.
PLATFORM_API HWND FindWindowA(LPCSTR className, LPCSTR windowName);

// Icons and cursors are tokens: any resource id gives a usable handle.
PLATFORM_API HICON LoadIconA(HINSTANCE instance, LPCSTR name);
PLATFORM_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
PLATFORM_API HGDIOBJ GetStockObject(int object);

// Messages.
PLATFORM_API LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
PLATFORM_API void PostQuitMessage(int exitCode);
PLATFORM_API BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage);
PLATFORM_API BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
// WM_KEYDOWN of Backspace, Tab, Enter and Escape posts their WM_CHAR; other characters come from text input.
PLATFORM_API BOOL TranslateMessage(const MSG* msg);
PLATFORM_API LRESULT DispatchMessageA(const MSG* msg);
PLATFORM_API BOOL WaitMessage();
// WM_CLOSE destroys the window; WM_SYSKEYDOWN of F4 (Alt+F4) sends WM_CLOSE; WM_SYSCOMMAND SC_CLOSE sends
// WM_CLOSE; everything else returns 0.
PLATFORM_API LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Key state as of the last key message taken from the queue: the high bit is set while the key is down, the
// low bit is the key's toggle. VK_SHIFT, VK_CONTROL and VK_MENU cover both keys.
PLATFORM_API SHORT GetKeyState(int virtualKey);

// The system cursor: shown while the counter is 0 or more; the counter starts at 0.
PLATFORM_API int ShowCursor(BOOL show);
// Screen coordinates: a window's client pixel (x, y) is at its (left + x, top + y).
PLATFORM_API BOOL SetCursorPos(int x, int y);
PLATFORM_API BOOL GetCursorPos(POINT* point);
PLATFORM_API BOOL ScreenToClient(HWND window, POINT* point);
// The window whose rectangle holds the screen point; null over the desktop.
PLATFORM_API HWND WindowFromPoint(POINT point);
PLATFORM_API BOOL ClientToScreen(HWND window, POINT* point);

// The keyboard's auto-repeat settings: SPI_GETKEYBOARDDELAY (0 to 3, quarter seconds beyond the first) and
// SPI_GETKEYBOARDSPEED (0 to 31). The desktop gives none here: delay 1 and speed 31 unless a test sets others.
#define SPI_GETKEYBOARDSPEED 0x000A
#define SPI_GETKEYBOARDDELAY 0x0016
PLATFORM_API BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);

namespace platform {

// The keyboard settings SystemParametersInfoA answers (clamped to their ranges).
PLATFORM_API void SetKeyboardRepeatSettings(int delay, int speed);

// Called once per idle turn of a headless run (the queue found nothing), after the frame counter moved on,
// with its new value. The display takes its screenshots here.
using HeadlessIdleCallback = void (*)(long frame);
PLATFORM_API void AddHeadlessIdleCallback(HeadlessIdleCallback callback);
PLATFORM_API void RemoveHeadlessIdleCallback(HeadlessIdleCallback callback);

}  // namespace platform
