// Switches with which tests reach the display's rare roads: the 5-5-5 pixel format, lost surfaces, a full
// video memory, a desktop left in another mode, flipping chains that cannot be built, and the answers of the
// vertical-blank wait.
#pragma once
#include <vector>

#include "platform/win32_base.h"

namespace platform {

// Surfaces created from now on, and the pixel format reported, are 5-5-5 (true) or 5-6-5 (false, the default).
PLATFORM_API void UsePixelFormat555(bool use555);
// Every surface that exists now reports DDERR_SURFACELOST until it is restored; restoring clears its pixels.
PLATFORM_API void LoseAllSurfaces();
// While set, surfaces asked for in video memory fail with DDERR_OUTOFVIDEOMEMORY.
PLATFORM_API void SetVideoMemoryFull(bool full);
// While set, GetDisplayMode reports a desktop of 1024 x 768 x 32 instead of the game's mode.
PLATFORM_API void SetForeignDisplayMode(bool foreign);
// The next vertical-blank waits answer these results, in order, before answering DD_OK again.
PLATFORM_API void ScriptVerticalBlankResults(const std::vector<HRESULT>& results);
// How a flipping chain that is asked for goes wrong: refused (DDERR_OUTOFVIDEOMEMORY), or made without the back
// buffer that GetAttachedSurface should find.
enum class FlippingChainFault {
    Refused,
    NoBackBuffer
};
// The next flipping chains asked for meet these faults, in order, before chains are made whole again.
PLATFORM_API void ScriptFlippingChainFaults(const std::vector<FlippingChainFault>& faults);
// Whether the display is in full-screen mode now.
PLATFORM_API bool DisplayIsFullScreen();

}  // namespace platform
