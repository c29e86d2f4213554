#include "GP_NameTableScramble.h"

// Source bit s becomes result bit {3, 6, 0, 5, 7, 1, 4, 2}[s]: no bit keeps its place and each nibble's bits
// are spread over both nibbles.
const GP_BitPair GP_NameTableBitPairs[8] = {
    {0x08, 0x01}, {0x40, 0x02}, {0x01, 0x04}, {0x20, 0x08}, {0x80, 0x10}, {0x02, 0x20}, {0x10, 0x40}, {0x04, 0x80},
};

void GP_UnscrambleImage(std::uint8_t* image, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t mixed = static_cast<std::uint8_t>(image[i] ^ (i & 0xFF));
        std::uint8_t result = 0;
        for (const GP_BitPair& pair : GP_NameTableBitPairs)
            if (mixed & pair.sourceMask) result |= pair.resultMask;
        image[i] = result;
    }
}

void GP_ScrambleImage(std::uint8_t* image, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        std::uint8_t moved = 0;
        for (const GP_BitPair& pair : GP_NameTableBitPairs)
            if (image[i] & pair.resultMask) moved |= pair.sourceMask;
        image[i] = static_cast<std::uint8_t>(moved ^ (i & 0xFF));
    }
}
