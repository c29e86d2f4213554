// The library's module handle and the host application's window; the library has no window of its own.
#pragma once
#include "platform/win32_base.h"

class HostWindow {
public:
    static HostWindow& Instance();
    // Brings the host window to the front and restores it, when one is set.
    void BringToFront();

    HINSTANCE moduleHandle = nullptr;  // set by the library's entry point
    HWND hostWindow = nullptr;         // set by the library front when it learns the host's window
};

// The library's top window, which is the host's window: the library has none of its own. Null while unset.
HWND MainWindowHandle();
// The owner of the library's message boxes and shell calls: MainWindowHandle, else the desktop window.
HWND MessageOwnerWindow();
// Brings the desktop window to the foreground.
void ActivateDesktop();
