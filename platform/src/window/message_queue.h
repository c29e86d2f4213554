// The queue's inner side: input arriving as SDL events (from SDL or from the headless script), and what
// happens when a window goes.
#pragma once
#include <SDL.h>

#include "platform/win32_base.h"

namespace platform {

// Translates an input event into messages for its window and queues them.
void DeliverSdlEvent(const SDL_Event& event, Uint16 keyMods);
// Drops the queued messages of a window that is being destroyed.
void ForgetMessagesOf(HWND window);
// Where the system cursor is, in screen coordinates (moved by mouse messages and SetCursorPos).
POINT CursorPosition();
void SetCursorPosition(POINT point);
Uint32 MouseButtonState();

}  // namespace platform
