// Test and script controls of the DirectInput layer: failures forced on each call, and the devices of a headless
// run (which the VEL_SCRIPT events "mouse motion", "mouse down/up", "joystick ..." drive).
#pragma once
#include "platform/win32_base.h"

namespace platform {

// A DirectInput call that can be made to fail.
enum class InputCall {
    Create,        // DirectInputCreateA
    CreateDevice,  // of the system mouse
    EnumDevices,
    QueryInterface,  // IDirectInputDevice2A of the joystick
    SetProperty,
    AcquireMouse,
    AcquireJoystick,
    GetDeviceState,  // of either device
    Poll,
};

// The call answers the result (a failure code) until cleared; DI_OK clears it.
PLATFORM_API void SetInputFailure(InputCall call, HRESULT result);
PLATFORM_API void ClearInputFailures();

// The headless devices. Motion adds up until the next read of the mouse state.
PLATFORM_API void HeadlessMouseMotion(int dx, int dy);
PLATFORM_API void HeadlessMouseButton(int button, bool down);  // 0 left, 1 right, 2 middle
// A joystick plugged in or pulled out; its axes are raw values -32768..32767, as a controller reports them.
PLATFORM_API void HeadlessJoystickAttached(bool attached);
PLATFORM_API void HeadlessJoystickAxes(int x, int y);
PLATFORM_API void HeadlessJoystickAxis(int axis, int value);  // 0 x, 1 y
PLATFORM_API void HeadlessJoystickButton(int button, bool down);
// Everything back to rest: no motion, buttons up, no joystick, no failures.
PLATFORM_API void ResetHeadlessInput();

// A raw axis value (-32768..32767) on the range the device was given, with the dead zone in ten-thousandths of
// the half range: inside it the centre, outside it rescaled so that the full deflection still reaches the end.
PLATFORM_API LONG ScaleJoystickAxis(int raw, LONG minimum, LONG maximum, DWORD deadZone);

}  // namespace platform
