// The library's module handle and the host application's window; the library has no window of its own.
#pragma once
#include "platform/win32_base.h"

class HostWindow {
public:
    static HostWindow& Instance();

    HINSTANCE moduleHandle = nullptr;  // set by the library's entry point
    HWND hostWindow = nullptr;         // set by the library front when it learns the host's window
};

// The owner of the library's message boxes: the host window, null while there is none.
HWND MainWindowHandle();
