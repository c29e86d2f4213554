#include "foundation/HostWindow.h"

HostWindow& HostWindow::Instance()
{
    static HostWindow instance;
    return instance;
}

HWND MainWindowHandle() { return HostWindow::Instance().hostWindow; }
