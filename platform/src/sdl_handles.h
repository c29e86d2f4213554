// Owners of SDL objects: each destroys its object when it goes.
#pragma once
#include <SDL.h>

#include <memory>

namespace platform {

struct SdlDestroy {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
using SdlRendererPtr = std::unique_ptr<SDL_Renderer, SdlDestroy>;
using SdlTexturePtr = std::unique_ptr<SDL_Texture, SdlDestroy>;

}  // namespace platform
