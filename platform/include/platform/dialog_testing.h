// What tests see of a running dialog: once it is on the screen, the hook gets the dialog's handle and the
// rectangle of its window there in screen pixels, without the frame a window manager may add (in a headless run,
// the dialog's own rectangle). The hook may end the dialog.
#pragma once
#include "platform/win32_base.h"

namespace platform {

using DialogShownHook = void (*)(HWND dialog, const RECT& onScreen);
// nullptr: no hook.
PLATFORM_API void SetDialogShownHook(DialogShownHook hook);

}  // namespace platform
