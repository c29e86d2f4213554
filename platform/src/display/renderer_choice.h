// Which SDL renderer presents the frames: the accelerated one, unless its OpenGL is drawn by the processor.
#pragma once
#include <SDL.h>

#include "platform/win32_base.h"

namespace platform::display {

// Whether an OpenGL renderer string (GL_RENDERER) names a rasteriser that runs on the processor, as Mesa's
// llvmpipe does on machines without a graphics driver.
PLATFORM_API bool IsSoftwareRasterizer(const char* glRenderer);

// A renderer for the window, the one that costs least: the accelerated renderer with vsync, or SDL's software
// renderer where the accelerated one is OpenGL on the processor; null when none can be made.
SDL_Renderer* CreateCheapestRenderer(SDL_Window* window);

}  // namespace platform::display
