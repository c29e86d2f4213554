#include "window/headless_input.h"

#include <cstdio>
#include <iterator>
#include <string>

#include "platform/files.h"
#include "platform/headless.h"
#include "platform/input_testing.h"
#include "platform/unique_file.h"
#include "window/message_queue.h"

namespace {

std::vector<platform::ScriptEvent> script;
std::size_t next = 0;

bool ReadWholeFile(const std::string& path, std::string& text)
{
    const platform::UniqueFile file = platform::OpenUniqueFile(path, "rb");
    if (!file) return false;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) text.append(buffer, got);
    return true;
}

// The DirectInput devices of the headless run see the script's mouse buttons, relative motion and joystick.
void NoteDeviceEvent(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION: platform::HeadlessMouseMotion(e.motion.xrel, e.motion.yrel); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const int button = e.button.button == SDL_BUTTON_LEFT ? 0 : e.button.button == SDL_BUTTON_RIGHT ? 1 : 2;
        platform::HeadlessMouseButton(button, e.type == SDL_MOUSEBUTTONDOWN);
        break;
    }
    case SDL_JOYDEVICEADDED: platform::HeadlessJoystickAttached(true); break;
    case SDL_JOYDEVICEREMOVED: platform::HeadlessJoystickAttached(false); break;
    case SDL_JOYAXISMOTION: platform::HeadlessJoystickAxis(e.jaxis.axis, e.jaxis.value); break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: platform::HeadlessJoystickButton(e.jbutton.button, e.type == SDL_JOYBUTTONDOWN); break;
    default: break;
    }
}

}  // namespace

namespace platform {

void StartHeadlessInput()
{
    const std::string& path = GetHeadlessSettings().scriptPath;
    if (path.empty()) return;
    std::string text;
    if (!ReadWholeFile(path, text)) {
        std::fprintf(stderr, "VEL_SCRIPT: cannot read \"%s\"; no scripted input.\n", path.c_str());
        return;
    }
    ParsedScript parsed = ParseHeadlessScript(text);
    for (const std::string& error : parsed.errors)
        std::fprintf(stderr, "VEL_SCRIPT %s: %s (skipped)\n", path.c_str(), error.c_str());
    SetHeadlessScript(std::move(parsed.events));
}

void SetHeadlessScript(std::vector<ScriptEvent> events)
{
    script = std::move(events);
    next = 0;
}

void DeliverDueScriptEvents()
{
    const long frame = HeadlessFrame();
    while (next < script.size() && script[next].frame <= frame) {
        const ScriptEvent& due = script[next++];
        NoteDeviceEvent(due.event);
        if (!due.deviceOnly) DeliverSdlEvent(due.event, due.keyMods);
    }
}

}  // namespace platform
