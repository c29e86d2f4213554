// Lookup tables for trigonometry and square roots, filled once when the library starts, and small numeric
// helpers.
#pragma once
#include <cstdint>

constexpr int kAngleSteps = 4000;  // the trigonometric tables cover one turn in this many steps
constexpr int kArcTangentSteps = 1000;

extern float SineTable[kAngleSteps + 1];
extern float CosineTable[kAngleSteps + 1];
extern float TangentTable[kAngleSteps + 1];
extern float ArcTangentTable[kArcTangentSteps + 1];  // entry i = atan(i / 1000)
// Entry i < 128: the top 7 mantissa bits of sqrt(1 + i/128); entry 128 + i: of sqrt(2 + i/64), kept in their
// place in the single-precision bit pattern.
extern std::int32_t SqrtMantissaTable[256];

void InitMathTables();

int FloorToInt(float x);
float CeilFloat(float x);
int BitLength(std::uint32_t n);
