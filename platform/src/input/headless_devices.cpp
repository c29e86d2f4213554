// The devices of a headless run: whatever the script or a test set, read back by the DirectInput layer.
#include <mutex>

#include "input/input_backend.h"

namespace {

struct HeadlessDevices {
    std::mutex lock;
    platform::input::MouseSample mouse;
    bool joystickAttached = false;
    platform::input::JoystickSample joystick;
};

HeadlessDevices& Devices()
{
    static HeadlessDevices devices;
    return devices;
}

class HeadlessInputBackend : public platform::input::Backend {
public:
    bool HasMouse() override { return true; }
    void CaptureMouse(bool) override {}
    platform::input::MouseSample TakeMouse() override
    {
        HeadlessDevices& d = Devices();
        std::lock_guard<std::mutex> hold(d.lock);
        platform::input::MouseSample sample = d.mouse;
        d.mouse.dx = d.mouse.dy = 0;
        return sample;
    }
    bool HasJoystick() override
    {
        std::lock_guard<std::mutex> hold(Devices().lock);
        return Devices().joystickAttached;
    }
    std::string JoystickName() override { return "Headless joystick"; }
    platform::input::JoystickSample ReadJoystick() override
    {
        std::lock_guard<std::mutex> hold(Devices().lock);
        return Devices().joystick;
    }
};

}  // namespace

namespace platform {

void HeadlessMouseMotion(int dx, int dy)
{
    std::lock_guard<std::mutex> hold(Devices().lock);
    Devices().mouse.dx += dx;
    Devices().mouse.dy += dy;
}

void HeadlessMouseButton(int button, bool down)
{
    if (button < 0 || button > 2) return;
    std::lock_guard<std::mutex> hold(Devices().lock);
    Devices().mouse.buttons[button] = down;
}

void HeadlessJoystickAttached(bool attached)
{
    std::lock_guard<std::mutex> hold(Devices().lock);
    Devices().joystickAttached = attached;
    if (!attached) Devices().joystick = {};
}

void HeadlessJoystickAxes(int x, int y)
{
    std::lock_guard<std::mutex> hold(Devices().lock);
    Devices().joystick.x = x;
    Devices().joystick.y = y;
}

void HeadlessJoystickAxis(int axis, int value)
{
    std::lock_guard<std::mutex> hold(Devices().lock);
    if (axis == 0) Devices().joystick.x = value;
    if (axis == 1) Devices().joystick.y = value;
}

void HeadlessJoystickButton(int button, bool down)
{
    if (button < 0 || button > 1) return;
    std::lock_guard<std::mutex> hold(Devices().lock);
    Devices().joystick.buttons[button] = down;
}

void ResetHeadlessInput()
{
    {
        std::lock_guard<std::mutex> hold(Devices().lock);
        Devices().mouse = {};
        Devices().joystickAttached = false;
        Devices().joystick = {};
    }
    ClearInputFailures();
}

}  // namespace platform

namespace platform::input {

Backend& HeadlessBackend()
{
    static HeadlessInputBackend backend;
    return backend;
}

}  // namespace platform::input
