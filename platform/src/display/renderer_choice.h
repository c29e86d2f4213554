// Which SDL renderer presents the frames: the accelerated one where it is graphics hardware; else our own
// scaler writes the window's surface, and SDL's software renderer is left for windows without one.
#pragma once
#include <SDL.h>

#include "platform/win32_base.h"

namespace platform::display {

// Whether an OpenGL renderer string (GL_RENDERER) names a rasteriser that runs on the processor, as Mesa's
// llvmpipe does on machines without a graphics driver.
PLATFORM_API bool IsSoftwareRasterizer(const char* glRenderer);

// The accelerated renderer with vsync for the window; null where there is none or its OpenGL is drawn by the
// processor (the window's surface is then left to be written without OpenGL).
SDL_Renderer* CreateHardwareRenderer(SDL_Window* window);
// A renderer for a window that has no surface of its own (Wayland has none): SDL's software renderer, else
// whatever SDL offers; null when none can be made.
SDL_Renderer* CreateFallbackRenderer(SDL_Window* window);

}  // namespace platform::display
