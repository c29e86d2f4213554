// The tray: F11 hides the game behind an icon, and a click on the icon, its "restore" command or a second start
// of the program brings it back; its "quit" command ends the game.
#pragma once
#include "platform/win32_window.h"

constexpr const char* GP_TrayClassName = "Velmorine Tray Icon";
constexpr WPARAM GP_TrayRestoreCommand = 101;
constexpr WPARAM GP_TrayQuitCommand = 102;

void GP_RegisterTrayClass();
LRESULT GP_TrayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The main window while the game sits in the tray.
extern HWND GP_TrayMainWindow;
