// The amplify tables of "Blend Amplify Light": a destination channel d brightened by a source channel s (both
// 0 to 31) becomes min(31, truncate(d + d x s x k + 0.5)) with k = 1/31 as a float; the three tables hold that
// value shifted into R (<< 11), G (<< 6) and B, indexed [d x 32 + s].
#pragma once
#include <cstdint>

// One 5-6-5 destination pixel brightened by a source pixel; G works on its top five bits, so the result's lowest
// G bit is 0.
std::uint16_t Amplify565(std::uint16_t destination, std::uint16_t source);
