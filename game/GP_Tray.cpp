#include "GP_Tray.h"

#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Main.h"
#include "platform/win32_desktop.h"

HWND GP_TrayMainWindow = nullptr;

namespace {

constexpr UINT kIconMessage = 0x401;

CGP_GameMainFrame* MainFrameOf(HWND mainWindow)
{
    return reinterpret_cast<CGP_GameMainFrame*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
}

void Restore(HWND trayWindow)
{
    DestroyWindow(trayWindow);
    if (CGP_GameMainFrame* frame = MainFrameOf(GP_TrayMainWindow)) Shell_NotifyIconA(NIM_DELETE, &frame->trayIcon);
    SetForegroundWindow(GP_TrayMainWindow);
    ShowWindow(GP_TrayMainWindow, SW_SHOW);
    ShowCursor(FALSE);
    GP_State.EndTimer = 0;
}

}  // namespace

void GP_RegisterTrayClass()
{
    WNDCLASSA trayClass{};
    trayClass.lpfnWndProc = GP_TrayWindowProc;
    trayClass.hInstance = GP_Instance;
    trayClass.lpszClassName = GP_TrayClassName;
    RegisterClassA(&trayClass);
}

LRESULT GP_TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kIconMessage && lParam == WM_LBUTTONDOWN) {
        Restore(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_COMMAND && LOWORD(wParam) == GP_TrayRestoreCommand) {
        Restore(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_COMMAND && LOWORD(wParam) == GP_TrayQuitCommand) {
        if (CGP_GameMainFrame* frame = MainFrameOf(GP_TrayMainWindow)) Shell_NotifyIconA(NIM_DELETE, &frame->trayIcon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CGP_GameMainFrame::HideToTray()
{
    HWND trayWindow =
        CreateWindowA(GP_TrayClassName, GP_TrayClassName, 0, 0, 0, 0, 0, nullptr, nullptr, GP_Instance, nullptr);
    ShowWindow(handle, SW_HIDE);
    trayIcon.hWnd = trayWindow;
    GP_TrayMainWindow = handle;
    return Shell_NotifyIconA(NIM_ADD, &trayIcon) != FALSE;
}
