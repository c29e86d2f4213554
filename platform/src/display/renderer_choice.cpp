#include "renderer_choice.h"

#include <cstring>
#include <initializer_list>

namespace platform::display {

namespace {

constexpr unsigned GlRendererName = 0x1F01;  // GL_RENDERER

using GlGetString = const unsigned char* (*)(unsigned name);

// GL_RENDERER of the current OpenGL context, or null.
const char* CurrentGlRenderer()
{
    if (!SDL_GL_GetCurrentContext()) return nullptr;
    const auto getString = reinterpret_cast<GlGetString>(SDL_GL_GetProcAddress("glGetString"));
    return getString ? reinterpret_cast<const char*>(getString(GlRendererName)) : nullptr;
}

// Whether the renderer draws with OpenGL (or OpenGL ES) that runs on the processor.
bool DrawsOnTheProcessor(SDL_Renderer* renderer)
{
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    return std::strncmp(info.name, "opengl", 6) == 0 && IsSoftwareRasterizer(CurrentGlRenderer());
}

SDL_Renderer* CreateAccelerated(SDL_Window* window)
{
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
}

}  // namespace

bool IsSoftwareRasterizer(const char* glRenderer)
{
    if (!glRenderer) return false;
    for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"})
        if (std::strstr(glRenderer, name)) return true;
    return false;
}

SDL_Renderer* CreateCheapestRenderer(SDL_Window* window)
{
    SDL_Renderer* accelerated = CreateAccelerated(window);
    if (accelerated && !DrawsOnTheProcessor(accelerated)) return accelerated;
    if (accelerated) SDL_DestroyRenderer(accelerated);
    // The software renderer draws into the window's surface; without the hint SDL would make that surface a
    // texture of an accelerated renderer, OpenGL on the processor again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Renderer* software = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE)) return software;
    // No surface of its own for this window (Wayland has none): take what SDL offers.
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    if (accelerated) return CreateAccelerated(window);
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

}  // namespace platform::display
