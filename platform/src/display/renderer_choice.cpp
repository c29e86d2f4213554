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

SDL_Renderer* CreateHardwareRenderer(SDL_Window* window)
{
    SDL_Renderer* accelerated = CreateAccelerated(window);
    if (accelerated && !DrawsOnTheProcessor(accelerated)) return accelerated;
    if (accelerated) SDL_DestroyRenderer(accelerated);
    // Without the hint SDL would make the window's surface a texture of an accelerated renderer, OpenGL on the
    // processor again.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return nullptr;
}

SDL_Renderer* CreateFallbackRenderer(SDL_Window* window)
{
    if (SDL_Renderer* software = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE)) return software;
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
}

}  // namespace platform::display
