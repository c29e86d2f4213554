// What the windows need of the notification-area icons (see platform/shell_tray.h).
#pragma once
#include "window/window_system.h"

namespace platform {

// Hides the window, or minimises it when an icon is there to bring it back; true when it was minimised.
bool HideBehindTrayIcon(WindowRecord& window);
// Windows hidden on the screen go behind the icon just added.
void MoveHiddenWindowsBehindIcon();
// The window came back on the screen: when it was minimised behind an icon, the icon's window is told.
void NoteWindowBack(WindowRecord& window);

}  // namespace platform
