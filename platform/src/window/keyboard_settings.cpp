// The keyboard's auto-repeat settings as the system parameters report them.
#include <algorithm>

#include "platform/win32_window.h"

namespace {

constexpr int kDefaultDelay = 1;
constexpr int kDefaultSpeed = 31;
int keyboardDelay = kDefaultDelay;
int keyboardSpeed = kDefaultSpeed;

}  // namespace

namespace platform {

void SetKeyboardRepeatSettings(int delay, int speed)
{
    keyboardDelay = std::clamp(delay, 0, 3);
    keyboardSpeed = std::clamp(speed, 0, 31);
}

}  // namespace platform

BOOL SystemParametersInfoA(UINT action, UINT, void* value, UINT)
{
    if (!value) return FALSE;
    switch (action) {
    case SPI_GETKEYBOARDDELAY: *static_cast<int*>(value) = keyboardDelay; return TRUE;
    case SPI_GETKEYBOARDSPEED: *static_cast<int*>(value) = keyboardSpeed; return TRUE;
    default: return FALSE;
    }
}
