#include "foundation/MathTables.h"

#include <cmath>
#include <cstring>

float SineTable[kAngleSteps + 1];
float CosineTable[kAngleSteps + 1];
float TangentTable[kAngleSteps + 1];
float ArcTangentTable[kArcTangentSteps + 1];
std::int32_t SqrtMantissaTable[256];

namespace {
constexpr float kPi = 3.1415927f;

std::int32_t TopMantissaBits(float value)
{
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits & 0x007F0000;
}
}  // namespace

void InitMathTables()
{
    for (int i = 0; i <= kAngleSteps; ++i) {
        const float angle = static_cast<float>(i) / kAngleSteps * kPi * 2;
        SineTable[i] = std::sin(angle);
        CosineTable[i] = std::cos(angle);
        TangentTable[i] = std::tan(angle);
    }
    ArcTangentTable[0] = 0;
    for (int i = 1; i <= kArcTangentSteps; ++i) ArcTangentTable[i] = static_cast<float>(std::atan2(10.0, 10000.0 / i));
    for (int i = 0; i < 128; ++i) {
        SqrtMantissaTable[i] = TopMantissaBits(std::sqrt(1.0f + i / 128.0f));
        SqrtMantissaTable[128 + i] = TopMantissaBits(std::sqrt(2.0f + i / 64.0f));
    }
}

int FloorToInt(float x) { return static_cast<int>(std::floor(x)); }
float CeilFloat(float x) { return std::ceil(x); }

int BitLength(std::uint32_t n) { return n ? 32 - __builtin_clz(n) : 0; }
