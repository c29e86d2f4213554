#include "window/video.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

bool StartSdlVideo()
{
    // Closing the last window is the program's business (WM_CLOSE), not a quit request of SDL's own.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "No display to open windows on (%s): running headless.\n", SDL_GetError());
        return false;
    }
    // When no display answers, SDL falls back on its own to drivers that show nothing; a window nobody can see
    // is no window, unless SDL_VIDEODRIVER asked for such a driver by name.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && !(requested && *requested)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr, "No display to open windows on: running headless.\n");
        return false;
    }
    SDL_DisableScreenSaver();
    return true;
}

}  // namespace platform
