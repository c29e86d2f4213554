// The size a window really has on the screen. SDL keeps the size it last asked for or heard of: a window that
// asked for full screen where no window manager gives it believes it covers the screen while it keeps its old
// size, so on X11 the server is asked.
#include <SDL_syswm.h>

#include "window/sdl_window_access.h"

namespace platform {

std::pair<int, int> RealWindowSize(SDL_Window* window)
{
    int width = 0, height = 0;
    SDL_GetWindowSizeInPixels(window, &width, &height);
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes{};
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11 &&
        XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
        return {attributes.width, attributes.height};
#endif
    return {width, height};
}

}  // namespace platform
