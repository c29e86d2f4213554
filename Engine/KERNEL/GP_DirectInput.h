// The DirectInput devices of the game: the system mouse (relative motion, three buttons) and the first attached
// joystick (X and Y on -1000..1000 with a 10 % dead zone, two buttons), polled once a frame.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dinput.h"
#include "platform/win32_base.h"

// Results of CGP_DirectInput::Create.
enum GP_InputError : int {
    GP_InputOk = 0,
    GP_ErrInputCreate = 36,
    GP_ErrJoystickEnum = 39,
    GP_ErrJoystickInterface = 40,
    GP_ErrJoystickProperty = 41,
    GP_ErrJoystickAcquire = 42,
};

struct GP_ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

class CGP_DirectInput {
public:
    static constexpr LONG JoystickRange = 1000;
    static constexpr DWORD JoystickDeadZone = 1000;  // ten-thousandths: 10 % of the range

    CGP_DirectInput();
    CGP_DirectInput(const CGP_DirectInput&) = delete;
    CGP_DirectInput& operator=(const CGP_DirectInput&) = delete;
    virtual ~CGP_DirectInput();

    // Sets up DirectInput, the mouse and the first joystick; a missing mouse or joystick is no error.
    GP_InputError Create(HINSTANCE instance, HWND window);
    void SetMouseRect(int left, int top, int right, int bottom);
    // Reads both devices. A device whose state cannot be read is acquired again and reports no motion and no
    // buttons for this poll. A joystick plugged in later is found by a later poll.
    void Poll();

    std::int32_t mouseMotionX = 0, mouseMotionY = 0;
    std::int32_t mousePositionX = 0, mousePositionY = 0;  // clamped to the mouse rectangle
    std::int32_t joystickX = 0, joystickY = 0;
    std::uint8_t joystickButtons[2] = {};
    std::uint8_t mouseHeld[3] = {};
    std::uint8_t mousePressed[3] = {};  // went down in this poll
    std::uint8_t flags[3] = {};         // cleared by every poll
    std::uint8_t mousePresent = 0;
    std::uint8_t joystickPresent = 0;
    RECT mouseRect{};
    std::unique_ptr<IDirectInputA, GP_ComRelease> directInput;
    std::unique_ptr<IDirectInputDeviceA, GP_ComRelease> mouse;
    std::unique_ptr<IDirectInputDevice2A, GP_ComRelease> joystick;
    std::int32_t keptValue = 300;

private:
    void CreateMouse(HWND window);
    GP_InputError CreateJoystick(HWND window);
    GP_InputError SetUpJoystick(std::unique_ptr<IDirectInputDeviceA, GP_ComRelease> device, HWND window);
    void PollMouse();
    void PollJoystick();

    HWND window = nullptr;
};
