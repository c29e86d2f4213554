// The program's random generator: one sequence for the whole game, numbers from 0 to 32767 as the C runtime the
// game was first made with gave them, so that a seed gives the same play on every machine.
#pragma once
#include <cstdint>

constexpr std::int32_t GP_RandMax = 32767;

void GP_SeedRandom(std::uint32_t seed);
// The next number, 0 to GP_RandMax.
std::int32_t GP_Rand();
// base ± spread: base - spread + (r mod 2·spread), from base - spread to base + spread - 1. A spread of 0 or
// less has nothing to draw from and gives the base, taking no number from the sequence.
std::int32_t GP_RandomSpread(std::int32_t base, std::int32_t spread);
