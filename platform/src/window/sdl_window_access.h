// What the display and the other SDL devices need from the windows: the SDL window behind a handle, the
// view transform that maps window points to the 640 x 480 client area, a word before an SDL window goes,
// and the SDL events that the message queue does not turn into messages.
#pragma once
#include <SDL.h>

#include <utility>

#include "platform/win32_base.h"
#include "window/view_transform.h"

namespace platform {

// nullptr for a headless window or an unknown handle.
PLATFORM_API SDL_Window* SdlWindowOf(HWND window);

// The window's size in pixels as the screen has it, which differs from SDL's where a window manager refused a
// size SDL asked for (or there is none).
std::pair<int, int> RealWindowSize(SDL_Window* window);

// Set by the display whenever it presents: how the client picture lies in the window. The client size
// stays the window's.
PLATFORM_API void SetWindowView(HWND window, double originX, double originY, double scaleX, double scaleY);

// Called just before a window's SDL window is destroyed (a renderer on it must go first).
using SdlWindowDestroyHook = void (*)(HWND window, SDL_Window* sdlWindow);
PLATFORM_API void SetSdlWindowDestroyHook(SdlWindowDestroyHook hook);

// Every SDL event that is not keyboard, text, mouse motion or button, window or quit is handed to these
// listeners as the queue drains SDL's events.
using SdlEventListener = void (*)(const SDL_Event& event);
PLATFORM_API void AddSdlEventListener(SdlEventListener listener);
PLATFORM_API void RemoveSdlEventListener(SdlEventListener listener);

}  // namespace platform
