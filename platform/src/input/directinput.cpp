// The DirectInput objects: the system mouse and the first joystick over the current backend. A device reports
// input only while acquired; a joystick pulled out reports DIERR_INPUTLOST until one is plugged in again.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "audio/com_object.h"
#include "input/input_backend.h"
#include "platform/dinput.h"

const DIDATAFORMAT c_dfDIMouse = {sizeof(DIDATAFORMAT), sizeof(DIMOUSESTATE)};
const DIDATAFORMAT c_dfDIJoystick = {sizeof(DIDATAFORMAT), sizeof(DIJOYSTATE)};

namespace {

using platform::InputCall;
using platform::input::CurrentBackend;
using platform::input::InjectedResult;

constexpr BYTE Held = 0x80;
// A joystick instance as the enumeration names it.
constexpr GUID JoystickInstance = {0x4A0F5E10, 0x7C21, 0x4B3E, {0x9D, 0x12, 0x6A, 0x50, 0x33, 0x21, 0x00, 0x01}};

class Device : public platform::ComObject<IDirectInputDevice2A> {
public:
    HRESULT SetDataFormat(const DIDATAFORMAT* given) override
    {
        if (!given) return DIERR_INVALIDPARAM;
        format = given;
        return DI_OK;
    }
    HRESULT SetCooperativeLevel(HWND, DWORD flags) override
    {
        const bool oneOfEach = ((flags & DISCL_EXCLUSIVE) != 0) != ((flags & DISCL_NONEXCLUSIVE) != 0) &&
                               ((flags & DISCL_FOREGROUND) != 0) != ((flags & DISCL_BACKGROUND) != 0);
        return oneOfEach ? DI_OK : DIERR_INVALIDPARAM;
    }
    HRESULT SetProperty(DIPROPID, const DIPROPHEADER*) override { return DIERR_INVALIDPARAM; }
    HRESULT Unacquire() override
    {
        acquired = false;
        return DI_OK;
    }
    HRESULT Poll() override { return DI_OK; }

protected:
    // The size must be the data format's record.
    HRESULT CheckRead(DWORD size, LPVOID data) const
    {
        if (!data || !format || size != format->dwDataSize) return DIERR_INVALIDPARAM;
        if (!acquired) return DIERR_NOTACQUIRED;
        return InjectedResult(InputCall::GetDeviceState);
    }

    const DIDATAFORMAT* format = nullptr;
    bool acquired = false;
};

class MouseDevice : public Device {
public:
    HRESULT Acquire() override
    {
        const HRESULT injected = InjectedResult(InputCall::AcquireMouse);
        if (FAILED(injected)) return injected;
        if (!CurrentBackend().HasMouse()) return DIERR_INPUTLOST;
        if (!acquired) CurrentBackend().CaptureMouse(true);
        acquired = true;
        return DI_OK;
    }
    HRESULT Unacquire() override
    {
        if (acquired) CurrentBackend().CaptureMouse(false);
        return Device::Unacquire();
    }
    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        const HRESULT checked = CheckRead(size, data);
        if (FAILED(checked)) return checked;
        const platform::input::MouseSample sample = CurrentBackend().TakeMouse();
        DIMOUSESTATE state{};
        state.lX = sample.dx;
        state.lY = sample.dy;
        for (int b = 0; b < 3; ++b) state.rgbButtons[b] = sample.buttons[b] ? Held : 0;
        std::memcpy(data, &state, sizeof state);
        return DI_OK;
    }

protected:
    ~MouseDevice() override { Unacquire(); }
};

struct Axis {
    LONG minimum = 0;
    LONG maximum = 65535;  // DirectInput's own default range
    DWORD deadZone = 0;
};

class JoystickDevice : public Device {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        const HRESULT injected = InjectedResult(InputCall::QueryInterface);
        if (FAILED(injected)) return injected;
        if (!(iid == IID_IDirectInputDevice2A)) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<IDirectInputDevice2A*>(this);
        return S_OK;
    }
    HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* header) override
    {
        const HRESULT injected = InjectedResult(InputCall::SetProperty);
        if (FAILED(injected)) return injected;
        if (!header || (header->dwHow != DIPH_BYOFFSET && header->dwHow != DIPH_DEVICE)) return DIERR_INVALIDPARAM;
        if (header->dwHow == DIPH_BYOFFSET && header->dwObj != DIJOFS_X && header->dwObj != DIJOFS_Y)
            return DIERR_INVALIDPARAM;
        for (Axis* axis : AxesOf(*header))
            if (HRESULT set = SetAxis(*axis, property, header); FAILED(set)) return set;
        return DI_OK;
    }
    HRESULT Acquire() override
    {
        const HRESULT injected = InjectedResult(InputCall::AcquireJoystick);
        if (FAILED(injected)) return injected;
        if (!CurrentBackend().HasJoystick()) return DIERR_INPUTLOST;
        acquired = true;
        return DI_OK;
    }
    HRESULT Poll() override
    {
        if (!acquired) return DIERR_NOTACQUIRED;
        const HRESULT injected = InjectedResult(InputCall::Poll);
        if (FAILED(injected)) return injected;
        if (CurrentBackend().HasJoystick()) return DI_OK;
        acquired = false;
        return DIERR_INPUTLOST;
    }
    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        const HRESULT checked = CheckRead(size, data);
        if (FAILED(checked)) return checked;
        if (!CurrentBackend().HasJoystick()) {
            acquired = false;
            return DIERR_INPUTLOST;
        }
        const platform::input::JoystickSample sample = CurrentBackend().ReadJoystick();
        DIJOYSTATE state{};
        state.lX = platform::ScaleJoystickAxis(sample.x, x.minimum, x.maximum, x.deadZone);
        state.lY = platform::ScaleJoystickAxis(sample.y, y.minimum, y.maximum, y.deadZone);
        for (int b = 0; b < 2; ++b) state.rgbButtons[b] = sample.buttons[b] ? Held : 0;
        std::memcpy(data, &state, sizeof state);
        return DI_OK;
    }

private:
    std::vector<Axis*> AxesOf(const DIPROPHEADER& header)
    {
        if (header.dwHow == DIPH_DEVICE) return {&x, &y};
        return {header.dwObj == DIJOFS_X ? &x : &y};
    }
    static HRESULT SetAxis(Axis& axis, DIPROPID property, const DIPROPHEADER* header)
    {
        if (property == DIPROP_RANGE && header->dwSize == sizeof(DIPROPRANGE)) {
            const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
            if (range->lMin >= range->lMax) return DIERR_INVALIDPARAM;
            axis.minimum = range->lMin;
            axis.maximum = range->lMax;
            return DI_OK;
        }
        if (property == DIPROP_DEADZONE && header->dwSize == sizeof(DIPROPDWORD)) {
            const auto* zone = reinterpret_cast<const DIPROPDWORD*>(header);
            if (zone->dwData > 10000) return DIERR_INVALIDPARAM;
            axis.deadZone = zone->dwData;
            return DI_OK;
        }
        return DIERR_INVALIDPARAM;
    }

    Axis x, y;
};

class DirectInput : public platform::ComObject<IDirectInputA> {
public:
    HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICEA* created, LPUNKNOWN) override
    {
        if (!created) return DIERR_INVALIDPARAM;
        *created = nullptr;
        const HRESULT injected = InjectedResult(InputCall::CreateDevice);
        if (FAILED(injected)) return injected;
        if (device == GUID_SysMouse) {
            if (!CurrentBackend().HasMouse()) return DIERR_DEVICENOTREG;
            *created = new MouseDevice;
            return DI_OK;
        }
        if (device == JoystickInstance) {
            *created = new JoystickDevice;
            return DI_OK;
        }
        return DIERR_DEVICENOTREG;
    }
    HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD) override
    {
        if (!callback) return DIERR_INVALIDPARAM;
        const HRESULT injected = InjectedResult(InputCall::EnumDevices);
        if (FAILED(injected)) return injected;
        if (deviceType != DIDEVTYPE_JOYSTICK && deviceType != 0) return DI_OK;
        if (!CurrentBackend().HasJoystick()) return DI_OK;
        DIDEVICEINSTANCEA instance{};
        instance.dwSize = sizeof instance;
        instance.guidInstance = JoystickInstance;
        instance.guidProduct = JoystickInstance;
        instance.dwDevType = DIDEVTYPE_JOYSTICK;
        const std::string name = CurrentBackend().JoystickName();
        std::strncpy(instance.tszInstanceName, name.c_str(), sizeof instance.tszInstanceName - 1);
        std::strncpy(instance.tszProductName, name.c_str(), sizeof instance.tszProductName - 1);
        callback(&instance, ref);
        return DI_OK;
    }
};

std::atomic<int> comStarts{0};

}  // namespace

HRESULT DirectInputCreateA(HINSTANCE, DWORD version, LPDIRECTINPUTA* created, LPUNKNOWN)
{
    if (!created) return DIERR_INVALIDPARAM;
    *created = nullptr;
    const HRESULT injected = InjectedResult(InputCall::Create);
    if (FAILED(injected)) return injected;
    if (version < DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
    *created = new DirectInput;
    return DI_OK;
}

HRESULT CoInitialize(LPVOID) { return comStarts++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize()
{
    if (comStarts > 0) --comStarts;
}
