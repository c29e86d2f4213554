// Physical keys as the programs know them: SDL's key positions against virtual-key codes and the scan codes
// of the PC keyboard (set 1), with the extended flag of the keys that the old keyboard did not have.
#pragma once
#include <SDL.h>

#include "platform/win32_base.h"

namespace platform {

struct KeyInfo {
    int vk = 0;  // 0: the key has no virtual-key code here and makes no key message
    BYTE scanCode = 0;
    bool extended = false;
};

// The key at a position. Letter keys follow the keyboard layout when it gives a Latin letter there (keysym),
// as virtual-key codes of letters do; every other key is taken by its position.
KeyInfo KeyOfScancode(SDL_Scancode scancode, SDL_Keycode keysym);

// The position of a virtual-key code (the main-block key where there are two), SDL_SCANCODE_UNKNOWN if none.
SDL_Scancode ScancodeOfVirtualKey(int vk);

}  // namespace platform
