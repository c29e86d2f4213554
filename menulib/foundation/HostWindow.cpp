#include "foundation/HostWindow.h"

#include "platform/win32_desktop.h"
#include "platform/win32_window.h"

HostWindow& HostWindow::Instance()
{
    static HostWindow instance;
    return instance;
}

void HostWindow::BringToFront()
{
    if (!hostWindow) return;
    SetForegroundWindow(hostWindow);
    ShowWindow(hostWindow, SW_RESTORE);
}

void ActivateDesktop() { SetForegroundWindow(GetDesktopWindow()); }

HWND MessageOwnerWindow() { return MainWindowHandle() ? MainWindowHandle() : GetDesktopWindow(); }

HWND MainWindowHandle() { return HostWindow::Instance().hostWindow; }
