// SDL events become window messages: the one place where keys, characters, the mouse, activation and closing
// get their Win32 numbers, virtual-key codes, MK_ bits and lParam layouts. As on Windows, each mouse message
// comes after a WM_SETCURSOR for the window under the mouse, and releasing the right button over the client
// area or the context-menu key asks for a context menu (WM_CONTEXTMENU). A pure function, so that a table of
// events pins it.
#pragma once
#include <SDL.h>

#include <vector>

#include "platform/win32_base.h"
#include "window/view_transform.h"

namespace platform {

struct TranslatedMessage {
    Uint32 windowID = 0;  // the SDL window the message is for; 0: the top window
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// What the event alone does not tell: the state of the mouse buttons before it (SDL_BUTTON masks), the
// modifier keys (for mouse messages; key events carry their own), how the window shows its client area,
// whether its class takes double clicks, and the window's handle and place on the screen (for WM_SETCURSOR and
// WM_CONTEXTMENU).
struct TranslationContext {
    Uint32 mouseButtons = 0;
    Uint16 keyMods = KMOD_NONE;
    ViewTransform view;
    bool doubleClicks = false;  // the window's class has CS_DBLCLKS
    HWND window = nullptr;
    POINT clientOrigin{0, 0};  // the screen position of the client area's top-left corner
};

PLATFORM_API std::vector<TranslatedMessage> TranslateSdlEvent(const SDL_Event& event,
                                                              const TranslationContext& context);

// The mouse-button mask after the event, for the next event's context.
PLATFORM_API Uint32 MouseButtonsAfter(const SDL_Event& event, Uint32 mouseButtons);

}  // namespace platform
