// The input script of a headless run (VEL_SCRIPT): one event per line, "<frame> <event>", fed when the
// headless frame counter reaches the frame.
//   <frame> key down <key>               <key>: a VK_ name, a letter or digit, or a virtual-key number
//   <frame> key up <key>
//   <frame> char <text>                  every character of the UTF-8 text, in Windows-1251
//   <frame> mouse move <x> <y>           client coordinates
//   <frame> mouse down left|right|middle <x> <y>
//   <frame> mouse up left|right|middle <x> <y>
//   <frame> mouse motion <dx> <dy>       relative motion of the DirectInput mouse only
//   <frame> joystick attach | detach      the first joystick plugged in or pulled out
//   <frame> joystick axes <x> <y>         raw axis values, -32768..32767
//   <frame> joystick down|up <0|1>        a joystick button
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
    bool deviceOnly = false;     // for the DirectInput devices, not the window
};

struct ParsedScript {
    std::vector<ScriptEvent> events;  // in frame order; lines of the same frame keep their order
    std::vector<std::string> errors;  // "line N: ..." for each line that was skipped
};

PLATFORM_API ParsedScript ParseHeadlessScript(std::string_view text);

// The virtual-key code of a script's key name, 0 when it names none.
PLATFORM_API int VirtualKeyOfName(std::string_view name);

}  // namespace platform
