// The input script of a headless run (VEL_SCRIPT): one event per line, "<frame> <event>", fed when the
// headless frame counter reaches the frame.
//   <frame> key down <key>               <key>: a VK_ name, a letter or digit, or a virtual-key number
//   <frame> key up <key>
//   <frame> char <text>                  every character of the UTF-8 text, in Windows-1251
//   <frame> mouse move <x> <y>           client coordinates
//   <frame> mouse down left|right|middle <x> <y>
//   <frame> mouse up left|right|middle <x> <y>
//   <frame> activate | deactivate
//   <frame> close
// Blank lines and lines starting with "#" are skipped.
#pragma once
#include <SDL.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_base.h"

namespace platform {

struct ScriptEvent {
    long frame = 0;
    SDL_Event event{};
    Uint16 keyMods = KMOD_NONE;  // the modifier keys held by the script at that point
};

struct ParsedScript {
    std::vector<ScriptEvent> events;  // in frame order; lines of the same frame keep their order
    std::vector<std::string> errors;  // "line N: ..." for each line that was skipped
};

PLATFORM_API ParsedScript ParseHeadlessScript(std::string_view text);

// The virtual-key code of a script's key name, 0 when it names none.
PLATFORM_API int VirtualKeyOfName(std::string_view name);

}  // namespace platform
