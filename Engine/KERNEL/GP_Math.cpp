#include "GP_Math.h"

#include <cmath>

namespace {
constexpr float RadiansPerDegree = 0.017453292f;
constexpr double DegreesPerRadian = 57.29577951308232;
}  // namespace

float GP_SinDeg(float degrees) { return std::sin(degrees * RadiansPerDegree); }
float GP_CosDeg(float degrees) { return std::cos(degrees * RadiansPerDegree); }

float GP_Atan2Deg(float y, float x) { return static_cast<float>(std::atan2(y, x) * DegreesPerRadian); }

int GP_Round(float value)
{
    const int whole = static_cast<int>(value);
    const float rest = value - static_cast<float>(whole);
    if (rest > 0.5f) return whole + 1;
    if (rest < -0.5f) return whole - 1;
    return whole;
}
