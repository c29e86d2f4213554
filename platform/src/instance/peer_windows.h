// The windows of the first copy of the program, as a later copy sees them (see platform/single_instance.h).
#pragma once
#include <string>

#include "platform/win32_window.h"

namespace platform {

// The first copy's socket while this process is a later copy; empty clears it.
void SetPeerSocket(const std::string& path);
// The socket this process answers on as the first copy; -1 stops answering.
void SetInstanceListener(int socket);

// A matching window of the first copy, or nullptr when there is none, no first copy, or no answer in time.
HWND FindPeerWindow(LPCSTR className, LPCSTR windowName);
bool IsPeerWindow(HWND window);
BOOL ShowPeerWindow(HWND window, int command);
LRESULT SendPeerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
