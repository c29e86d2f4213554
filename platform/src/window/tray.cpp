#include "window/tray.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/shell_tray.h"

namespace {

std::mutex iconsLock;
std::vector<platform::TrayIcon> icons;

auto FindIcon(HWND window, UINT id)
{
    return std::find_if(icons.begin(), icons.end(),
                        [&](const platform::TrayIcon& icon) { return icon.window == window && icon.id == id; });
}

void Apply(platform::TrayIcon& icon, const NOTIFYICONDATAA& data)
{
    if (data.uFlags & NIF_MESSAGE) icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) icon.icon = data.hIcon;
    if (data.uFlags & NIF_TIP) icon.tip.assign(data.szTip, strnlen(data.szTip, sizeof data.szTip - 1));
}

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data)
{
    if (!data) return FALSE;
    std::unique_lock<std::mutex> hold(iconsLock);
    auto found = FindIcon(data->hWnd, data->uID);
    switch (message) {
    case NIM_ADD:
        if (found != icons.end()) return FALSE;
        icons.push_back({data->hWnd, data->uID, 0, nullptr, {}});
        Apply(icons.back(), *data);
        hold.unlock();
        platform::MoveHiddenWindowsBehindIcon();
        return TRUE;
    case NIM_MODIFY:
        if (found == icons.end()) return FALSE;
        Apply(*found, *data);
        return TRUE;
    case NIM_DELETE:
        if (found == icons.end()) return FALSE;
        icons.erase(found);
        return TRUE;
    default: return FALSE;
    }
}

namespace platform {

std::vector<TrayIcon> TrayIcons()
{
    std::lock_guard<std::mutex> hold(iconsLock);
    return icons;
}

bool HideBehindTrayIcon(WindowRecord& window)
{
    if (!window.sdl) return false;
    window.inTray = !TrayIcons().empty();
    window.hiddenOnScreen = !window.inTray;
    if (window.inTray)
        SDL_MinimizeWindow(window.sdl);
    else
        SDL_HideWindow(window.sdl);
    return window.inTray;
}

// A window hidden just before its icon was added goes behind the icon too.
void MoveHiddenWindowsBehindIcon()
{
    for (WindowRecord* window : AllWindows()) {
        if (!window->hiddenOnScreen || !window->sdl) continue;
        window->hiddenOnScreen = false;
        window->inTray = true;
        SDL_ShowWindow(window->sdl);
        SDL_MinimizeWindow(window->sdl);
    }
}

void NoteWindowBack(WindowRecord& window)
{
    if (!window.inTray) return;
    window.inTray = false;
    for (const TrayIcon& icon : TrayIcons())
        if (icon.callbackMessage) PostMessageA(icon.window, icon.callbackMessage, icon.id, WM_LBUTTONDOWN);
}

}  // namespace platform
