// The windows of the process and their classes. Windows live on the thread that runs the message loop;
// only posting messages is safe from other threads.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ascii_case.h"
#include "platform/win32_window.h"
#include "window/view_transform.h"

namespace platform {

struct WindowRecord {
    HWND handle = nullptr;
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    RECT rect{};  // screen coordinates; the client area has the same size
    LONG_PTR userData = 0;
    bool visible = false;
    bool destroying = false;
    bool inTray = false;          // minimised behind a notification-area icon in place of hiding
    bool hiddenOnScreen = false;  // an SDL window the program hid after it had been shown
    SDL_Window* sdl = nullptr;
    ViewTransform view;
};

struct ClassRecord {
    std::string name;
    WNDPROC procedure = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
};

// Starts the window system on first use: SDL video where there is a display, else the headless clock and
// script.
void EnsureWindowSystem();

// The window of a handle, nullptr when there is none (or it has been destroyed).
WindowRecord* FindWindowRecord(HWND window);
// The window of an SDL window id; id 0 or an unknown id gives the top window.
WindowRecord* WindowOfSdlId(Uint32 windowID);
// The window that closing the program and input without a window go to: the earliest created visible
// window, else the earliest created window; nullptr when there are none.
WindowRecord* TopWindow();
// Every window, in the order of creation.
std::vector<WindowRecord*> AllWindows();
// Safe from any thread.
bool WindowExists(HWND window);

// Adds the window under a new handle; RemoveWindow forgets it (its SDL window is gone by then).
WindowRecord& AddWindow(WindowRecord record);
void RemoveWindow(HWND window);

ClassRecord* FindClass(std::string_view name);
bool AddClass(ClassRecord record);
void RemoveClass(std::string_view name);

}  // namespace platform
