#include <cstdio>

#include "instance/peer_windows.h"
#include "platform/headless.h"
#include "platform/win32_dialog.h"
#include "platform/win32_window.h"
#include "window/message_queue.h"
#include "window/sdl_window_access.h"
#include "window/tray.h"
#include "window/window_system.h"

namespace {

platform::SdlWindowDestroyHook destroyHook = nullptr;

// A pop-up window without a caption has no frame, as on Windows.
bool Bordered(DWORD style) { return !(style & WS_POPUP) || (style & WS_CAPTION) == WS_CAPTION; }

SDL_Window* CreateSdlWindow(const platform::WindowRecord& record)
{
    // The window opens in the middle of the desktop; the programs' own coordinates (the rectangle) are a
    // screen of their own, so that cursor positions and client points convert the same everywhere.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (!Bordered(record.style)) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* window =
        SDL_CreateWindow(record.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         record.rect.right - record.rect.left, record.rect.bottom - record.rect.top, flags);
    if (!window) std::fprintf(stderr, "Cannot open the window \"%s\": %s\n", record.title.c_str(), SDL_GetError());
    return window;
}

template <typename Handle>
Handle Token(std::uintptr_t kind, LPCSTR name)
{
    const std::uintptr_t id = reinterpret_cast<std::uintptr_t>(name);
    return reinterpret_cast<Handle>(kind + (id <= 0xFFFF ? id : 0xFFFF));
}

}  // namespace

namespace platform {

void SetSdlWindowDestroyHook(SdlWindowDestroyHook hook) { destroyHook = hook; }

}  // namespace platform

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
    static ATOM nextAtom = 0xC000;
    platform::ClassRecord record{windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->style,
                                 windowClass->hIcon};
    return platform::AddClass(std::move(record)) ? nextAtom++ : 0;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (!className || !platform::FindClass(className)) return FALSE;
    for (platform::WindowRecord* window : platform::AllWindows())
        if (platform::EqualIgnoringCase(window->className, className)) return FALSE;
    platform::RemoveClass(className);
    return TRUE;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND,
                     HMENU, HINSTANCE, LPVOID)
{
    platform::EnsureWindowSystem();
    const platform::ClassRecord* windowClass = className ? platform::FindClass(className) : nullptr;
    if (!windowClass) return nullptr;
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT || width <= 0 || height <= 0) {
        width = 640;
        height = 480;
    }
    platform::WindowRecord record;
    record.className = windowClass->name;
    record.title = windowName ? windowName : "";
    record.procedure = windowClass->procedure;
    record.style = style & ~WS_VISIBLE;
    record.rect = {x, y, x + width, y + height};
    if (!platform::IsHeadless()) {
        record.sdl = CreateSdlWindow(record);
        if (!record.sdl) return nullptr;
    }
    const HWND handle = platform::AddWindow(std::move(record)).handle;
    if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL DestroyWindow(HWND window)
{
    platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record) return FALSE;
    if (record->destroying) return TRUE;
    record->destroying = true;
    if (record->procedure) record->procedure(window, WM_DESTROY, 0, 0);
    record = platform::FindWindowRecord(window);
    if (record && record->sdl) {
        if (destroyHook) destroyHook(window, record->sdl);
        SDL_DestroyWindow(record->sdl);
    }
    platform::ForgetMessagesOf(window);
    platform::RemoveWindow(window);
    return TRUE;
}

BOOL IsWindow(HWND window) { return platform::WindowExists(window) ? TRUE : FALSE; }

BOOL ShowWindow(HWND window, int command)
{
    if (platform::IsPeerWindow(window)) return platform::ShowPeerWindow(window, command);
    platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record) return FALSE;
    const BOOL wasVisible = record->visible ? TRUE : FALSE;
    record->visible = command != SW_HIDE;
    if (command != SW_HIDE) record->hiddenOnScreen = false;
    if (record->sdl) {
        switch (command) {
        case SW_HIDE: platform::HideBehindTrayIcon(*record); break;
        case SW_SHOWMAXIMIZED:
            SDL_ShowWindow(record->sdl);
            SDL_MaximizeWindow(record->sdl);
            break;
        case SW_MINIMIZE: SDL_MinimizeWindow(record->sdl); break;
        case SW_RESTORE:
            SDL_ShowWindow(record->sdl);
            SDL_RestoreWindow(record->sdl);
            break;
        default:
            SDL_ShowWindow(record->sdl);
            SDL_RaiseWindow(record->sdl);
            break;
        }
    }
    return wasVisible;
}

// The display repaints every frame; there is nothing to bring up to date here.
BOOL UpdateWindow(HWND window) { return platform::FindWindowRecord(window) ? TRUE : FALSE; }

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL)
{
    if (width <= 0 || height <= 0) return FALSE;
    platform::WindowRecord* record = platform::FindWindowRecord(window);
    // Not a window of the programs: a dialog, which SetWindowPos places.
    if (!record) return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
    record->rect = {x, y, x + width, y + height};
    if (record->sdl) SDL_SetWindowSize(record->sdl, width, height);
    return TRUE;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index)
{
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record) return 0;
    if (index == GWLP_USERDATA) return record->userData;
    if (index == GWL_STYLE) return static_cast<LONG_PTR>(record->style | (record->visible ? WS_VISIBLE : 0));
    return 0;
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value)
{
    platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record) return 0;
    const LONG_PTR previous = GetWindowLongPtrA(window, index);
    if (index == GWLP_USERDATA) {
        record->userData = value;
    } else if (index == GWL_STYLE) {
        record->style = static_cast<DWORD>(value) & ~WS_VISIBLE;
        if (record->sdl) SDL_SetWindowBordered(record->sdl, Bordered(record->style) ? SDL_TRUE : SDL_FALSE);
        if ((static_cast<DWORD>(value) & WS_VISIBLE) != 0 && !record->visible) ShowWindow(window, SW_SHOW);
        if ((static_cast<DWORD>(value) & WS_VISIBLE) == 0 && record->visible) ShowWindow(window, SW_HIDE);
    }
    return previous;
}

std::uintptr_t SetClassLongPtrA(HWND window, int index, LONG_PTR value)
{
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    platform::ClassRecord* windowClass = record ? platform::FindClass(record->className) : nullptr;
    if (!windowClass || index != GCLP_HICON) return 0;
    const auto previous = reinterpret_cast<std::uintptr_t>(windowClass->icon);
    windowClass->icon = reinterpret_cast<HICON>(value);
    return previous;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record || !rect) return FALSE;
    *rect = {0, 0, record->rect.right - record->rect.left, record->rect.bottom - record->rect.top};
    return TRUE;
}

HWND WindowFromPoint(POINT point)
{
    for (const platform::WindowRecord* window : platform::AllWindows()) {
        const RECT& r = window->rect;
        if (!window->destroying && point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
            return window->handle;
    }
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName)
{
    for (const platform::WindowRecord* window : platform::AllWindows()) {
        if (window->destroying) continue;
        if (className && !platform::EqualIgnoringCase(window->className, className)) continue;
        if (windowName && !platform::EqualIgnoringCase(window->title, windowName)) continue;
        return window->handle;
    }
    return platform::FindPeerWindow(className, windowName);
}

HICON LoadIconA(HINSTANCE, LPCSTR name) { return Token<HICON>(0x20000, name); }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return Token<HCURSOR>(0x30000, name); }
HGDIOBJ GetStockObject(int object)
{
    return object < 0 ? nullptr : Token<HGDIOBJ>(0x40000, MAKEINTRESOURCEA(static_cast<WORD>(object)));
}

// Runs the procedure at once, on the caller's thread.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (platform::IsPeerWindow(window)) return platform::SendPeerMessage(window, message, wParam, lParam);
    const platform::WindowRecord* record = platform::FindWindowRecord(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(window, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && platform::KeyAltHeld(lParam)) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    default: return 0;
    }
}
