#include "GP_DirectInput.h"

#include <algorithm>

#include "platform/win32_dialog.h"

namespace {

constexpr DWORD Cooperation = DISCL_NONEXCLUSIVE | DISCL_FOREGROUND;
constexpr BYTE Held = 0x80;

struct Found {
    IDirectInputA* input;
    IDirectInputDeviceA* device = nullptr;
};

BOOL CreateFirst(LPCDIDEVICEINSTANCEA instance, LPVOID ref)
{
    auto* found = static_cast<Found*>(ref);
    if (FAILED(found->input->CreateDevice(instance->guidInstance, &found->device, nullptr))) found->device = nullptr;
    return DIENUM_STOP;
}

bool SetAxisProperties(IDirectInputDevice2A& device, DWORD axis)
{
    DIPROPRANGE range{{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET},
                      -CGP_DirectInput::JoystickRange,
                      CGP_DirectInput::JoystickRange};
    DIPROPDWORD zone{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET},
                     CGP_DirectInput::JoystickDeadZone};
    return SUCCEEDED(device.SetProperty(DIPROP_RANGE, &range.diph)) &&
           SUCCEEDED(device.SetProperty(DIPROP_DEADZONE, &zone.diph));
}

}  // namespace

CGP_DirectInput::CGP_DirectInput() { CoInitialize(nullptr); }

CGP_DirectInput::~CGP_DirectInput()
{
    if (mouse) mouse->Unacquire();
    if (joystick) joystick->Unacquire();
    mouse.reset();
    joystick.reset();
    directInput.reset();
    CoUninitialize();
}

void CGP_DirectInput::SetMouseRect(int left, int top, int right, int bottom)
{
    mouseRect = RECT{left, top, right, bottom};
}

void CGP_DirectInput::CreateMouse(HWND window)
{
    IDirectInputDeviceA* created = nullptr;
    mousePresent = 0;
    if (FAILED(directInput->CreateDevice(GUID_SysMouse, &created, nullptr)) || !created) return;
    mouse.reset(created);
    mouse->SetDataFormat(&c_dfDIMouse);
    mouse->SetCooperativeLevel(window, Cooperation);
    mousePresent = SUCCEEDED(mouse->Acquire()) ? 1 : 0;
}

GP_InputError CGP_DirectInput::SetUpJoystick(std::unique_ptr<IDirectInputDeviceA, GP_ComRelease> device, HWND window)
{
    IDirectInputDevice2A* second = nullptr;
    if (FAILED(device->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&second))) || !second)
        return GP_ErrJoystickInterface;
    std::unique_ptr<IDirectInputDevice2A, GP_ComRelease> candidate(second);
    device.reset();
    candidate->SetDataFormat(&c_dfDIJoystick);
    candidate->SetCooperativeLevel(window, Cooperation);
    if (!SetAxisProperties(*candidate, DIJOFS_X) || !SetAxisProperties(*candidate, DIJOFS_Y))
        return GP_ErrJoystickProperty;
    if (FAILED(candidate->Acquire())) return GP_ErrJoystickAcquire;
    joystick = std::move(candidate);
    joystickPresent = 1;
    return GP_InputOk;
}

GP_InputError CGP_DirectInput::CreateJoystick(HWND window)
{
    joystickPresent = 0;
    Found found{directInput.get()};
    if (FAILED(directInput->EnumDevices(DIDEVTYPE_JOYSTICK, CreateFirst, &found, DIEDFL_ATTACHEDONLY)))
        return GP_ErrJoystickEnum;
    if (!found.device) return GP_InputOk;
    return SetUpJoystick(std::unique_ptr<IDirectInputDeviceA, GP_ComRelease>(found.device), window);
}

GP_InputError CGP_DirectInput::Create(HINSTANCE instance, HWND window)
{
    this->window = window;
    mouseRect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IDirectInputA* created = nullptr;
    if (FAILED(DirectInputCreateA(instance, DIRECTINPUT_VERSION, &created, nullptr)) || !created)
        return GP_ErrInputCreate;
    directInput.reset(created);
    CreateMouse(window);
    return CreateJoystick(window);
}

void CGP_DirectInput::PollMouse()
{
    DIMOUSESTATE state{};
    if (FAILED(mouse->GetDeviceState(sizeof state, &state))) {
        mouse->Acquire();
        state = DIMOUSESTATE{};
    }
    mouseMotionX = state.lX;
    mouseMotionY = state.lY;
    const LONG right = std::max(mouseRect.left, mouseRect.right - 1);
    const LONG bottom = std::max(mouseRect.top, mouseRect.bottom - 1);
    mousePositionX = std::clamp<std::int32_t>(mousePositionX + state.lX, mouseRect.left, right);
    mousePositionY = std::clamp<std::int32_t>(mousePositionY + state.lY, mouseRect.top, bottom);
    for (int b = 0; b < 3; ++b) {
        const std::uint8_t now = (state.rgbButtons[b] & Held) ? 1 : 0;
        mousePressed[b] = now && !mouseHeld[b];
        mouseHeld[b] = now;
    }
    std::fill(std::begin(flags), std::end(flags), 0);
}

void CGP_DirectInput::PollJoystick()
{
    DIJOYSTATE state{};
    if (FAILED(joystick->Poll()) || FAILED(joystick->GetDeviceState(sizeof state, &state))) {
        joystick->Acquire();
        state = DIJOYSTATE{};
    }
    joystickX = state.lX;
    joystickY = state.lY;
    for (int b = 0; b < 2; ++b) joystickButtons[b] = state.rgbButtons[b] != 0;
}

void CGP_DirectInput::Poll()
{
    if (mouse) PollMouse();
    if (!joystick && directInput) CreateJoystick(window);
    if (joystick) PollJoystick();
}
