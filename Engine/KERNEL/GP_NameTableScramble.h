// The name table is stored scrambled: each byte is mixed with its position and its bits are permuted, and every
// locator is combined with a fixed key. Reader and writer share these constants.
#pragma once
#include <cstddef>
#include <cstdint>

// Combined by exclusive-or with every stored locator.
constexpr std::uint32_t GP_LocatorKey = 0xB5E3A917;

// One pair of the bit permutation: the result bit that a set source bit becomes.
struct GP_BitPair {
    std::uint8_t resultMask;
    std::uint8_t sourceMask;
};
extern const GP_BitPair GP_NameTableBitPairs[8];

// Reading: exclusive-or with the low 8 bits of the position, then source bits to result bits.
void GP_UnscrambleImage(std::uint8_t* image, std::size_t length);
// Writing: result bits back to source bits, then exclusive-or with the low 8 bits of the position.
void GP_ScrambleImage(std::uint8_t* image, std::size_t length);
