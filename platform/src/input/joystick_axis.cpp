#include <algorithm>
#include <cmath>

#include "platform/input_testing.h"

namespace platform {

LONG ScaleJoystickAxis(int raw, LONG minimum, LONG maximum, DWORD deadZone)
{
    constexpr double FullScale = 10000;
    const double deflection = std::clamp(raw / 32767.0, -1.0, 1.0);
    const double zone = std::min<double>(deadZone, FullScale) / FullScale;
    const double magnitude = std::fabs(deflection);
    // Outside the dead zone the rest of the travel is stretched over the whole half range.
    const double scaled = magnitude <= zone || zone >= 1 ? 0 : (magnitude - zone) / (1 - zone);
    const double centre = (static_cast<double>(minimum) + maximum) / 2;
    const double half = (static_cast<double>(maximum) - minimum) / 2;
    return static_cast<LONG>(std::lround(centre + std::copysign(scaled, deflection) * half));
}

}  // namespace platform
