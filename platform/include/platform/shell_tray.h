// The notification-area icon. Not every Linux desktop has a notification area, so an icon is a record of the
// program's own: while one exists, hiding a window on the screen minimises it instead (so does adding one right
// after a window was hidden), and when the person brings that window back (restores or focuses it) the icon's
// window receives its callback message with WM_LBUTTONDOWN, as if the icon had been clicked. Closing the
// minimised window closes it as ever.
#pragma once
#include <string>
#include <vector>

#include "platform/win32_base.h"

struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};

constexpr DWORD NIM_ADD = 0x0;
constexpr DWORD NIM_MODIFY = 0x1;
constexpr DWORD NIM_DELETE = 0x2;
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

// Icons are known by their window and ID: adding one twice, or changing or deleting one that does not exist,
// fails. The tip is kept up to its first zero byte, at most 63 characters.
PLATFORM_API BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);

namespace platform {

struct TrayIcon {
    HWND window = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    HICON icon = nullptr;
    std::string tip;
};
PLATFORM_API std::vector<TrayIcon> TrayIcons();

}  // namespace platform
