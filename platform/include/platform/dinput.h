// DirectInput 5 as the engine calls it: the system mouse (relative motion, three buttons) and the first attached
// joystick (X and Y on a set range with a dead zone, two buttons), polled once a frame. Behind it stand SDL's
// relative mouse and game controller (or joystick) interfaces, or the scripted devices of a headless run.
#pragma once
#include "platform/com_base.h"

#define DIRECTINPUT_VERSION 0x0500

#define DI_OK S_OK
#define DIERR_GENERIC E_FAIL
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000CL)
#define DIERR_INPUTLOST ((HRESULT)0x8007001EL)
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015L)
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154L)
#define DIERR_OTHERAPPHASPRIO ((HRESULT)0x80070005L)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047EL)

#define DISCL_EXCLUSIVE 0x1
#define DISCL_NONEXCLUSIVE 0x2
#define DISCL_FOREGROUND 0x4
#define DISCL_BACKGROUND 0x8

#define DIDEVTYPE_MOUSE 2
#define DIDEVTYPE_JOYSTICK 4
#define DIEDFL_ATTACHEDONLY 0x1
#define DIENUM_STOP 0
#define DIENUM_CONTINUE 1

#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1
// Axis offsets in DIJOYSTATE.
#define DIJOFS_X 0
#define DIJOFS_Y 4

struct DIMOUSESTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    BYTE rgbButtons[4];  // 0x80 while held
};
static_assert(sizeof(DIMOUSESTATE) == 16);

struct DIJOYSTATE {
    LONG lX;
    LONG lY;
    LONG lZ;
    LONG lRx;
    LONG lRy;
    LONG lRz;
    LONG rglSlider[2];
    DWORD rgdwPOV[4];
    BYTE rgbButtons[32];  // 0x80 while held
};
static_assert(sizeof(DIJOYSTATE) == 80);

// A device's data format: which state record GetDeviceState fills.
struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwDataSize;
};
PLATFORM_API extern const DIDATAFORMAT c_dfDIMouse;
PLATFORM_API extern const DIDATAFORMAT c_dfDIJoystick;

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};
struct DIPROPRANGE {
    DIPROPHEADER diph;
    LONG lMin;
    LONG lMax;
};
struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};
// Property identifiers (DirectInput passes them as small numbers in a GUID reference).
using DIPROPID = DWORD;
constexpr DIPROPID DIPROP_RANGE = 4;
constexpr DIPROPID DIPROP_DEADZONE = 5;

struct DIDEVICEINSTANCEA {
    DWORD dwSize;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    CHAR tszInstanceName[260];
    CHAR tszProductName[260];
};
using LPCDIDEVICEINSTANCEA = const DIDEVICEINSTANCEA*;
using LPDIENUMDEVICESCALLBACKA = BOOL (*)(LPCDIDEVICEINSTANCEA instance, LPVOID ref);

inline constexpr GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr IID IID_IDirectInputDevice2A = {
    0x5944E682, 0xC92E, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

struct IDirectInputDeviceA : IUnknown {
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    // DIPROP_RANGE (a DIPROPRANGE) and DIPROP_DEADZONE (a DIPROPDWORD in ten-thousandths of the range) of one
    // axis, by its offset, or of every axis (DIPH_DEVICE).
    virtual HRESULT SetProperty(DIPROPID property, const DIPROPHEADER* header) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    // The state record of the data format: DIMOUSESTATE (motion since the last read) or DIJOYSTATE.
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
};
using LPDIRECTINPUTDEVICEA = IDirectInputDeviceA*;

struct IDirectInputDevice2A : IDirectInputDeviceA {
    virtual HRESULT Poll() = 0;
};
using LPDIRECTINPUTDEVICE2A = IDirectInputDevice2A*;

struct IDirectInputA : IUnknown {
    virtual HRESULT CreateDevice(REFGUID device, LPDIRECTINPUTDEVICEA* created, LPUNKNOWN outer) = 0;
    virtual HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, LPVOID ref, DWORD flags) = 0;
};
using LPDIRECTINPUTA = IDirectInputA*;

PLATFORM_API HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, LPDIRECTINPUTA* created, LPUNKNOWN outer);

// COM's per-thread start and end; nothing to do here beyond counting.
PLATFORM_API HRESULT CoInitialize(LPVOID reserved);
PLATFORM_API void CoUninitialize();
