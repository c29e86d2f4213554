#include "window/video.h"

#include <SDL.h>

#include <cstdio>

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
    SDL_DisableScreenSaver();
    return true;
}

}  // namespace platform
