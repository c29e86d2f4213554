// The devices behind the DirectInput layer: SDL's mouse and first joystick, or the scripted devices of a headless
// run; and the failures tests force on its calls.
#pragma once
#include <string>

#include "platform/input_testing.h"

namespace platform::input {

struct MouseSample {
    int dx = 0;
    int dy = 0;
    bool buttons[3] = {};
};

// Axes raw, -32768..32767.
struct JoystickSample {
    int x = 0;
    int y = 0;
    bool buttons[2] = {};
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual bool HasMouse() = 0;
    // Relative motion while the mouse is acquired.
    virtual void CaptureMouse(bool captured) = 0;
    // Motion since the last call, and the buttons now.
    virtual MouseSample TakeMouse() = 0;
    // Looks for the first joystick when none is open, and lets go of one that was pulled out.
    virtual bool HasJoystick() = 0;
    virtual std::string JoystickName() = 0;
    virtual JoystickSample ReadJoystick() = 0;
};

// The headless devices in a headless run, SDL's otherwise.
Backend& CurrentBackend();
Backend& HeadlessBackend();
Backend& SdlBackend();

// DI_OK, or the failure a test set on the call.
HRESULT InjectedResult(InputCall call);

}  // namespace platform::input
