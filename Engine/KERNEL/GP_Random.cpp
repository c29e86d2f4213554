#include "GP_Random.h"

namespace {
std::uint32_t randomState = 1;
}

void GP_SeedRandom(std::uint32_t seed) { randomState = seed; }

std::int32_t GP_Rand()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<std::int32_t>((randomState >> 16) & 0x7FFF);
}

std::int32_t GP_RandomSpread(std::int32_t base, std::int32_t spread)
{
    if (spread <= 0) return base;
    const std::int64_t range = 2 * static_cast<std::int64_t>(spread);
    return static_cast<std::int32_t>(base - static_cast<std::int64_t>(spread) + GP_Rand() % range);
}
