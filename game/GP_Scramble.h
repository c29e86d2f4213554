// The score files' scrambling: every plain byte becomes two stored bytes. Five bits of the plain byte (mask 0x9B)
// stay in place in the first, the three others (mask 0x64) move to other bits of the second through a table of
// bit pairs; both are mixed with the byte's position. The players file scrambles in memory, the top list file to
// file through its plain intermediate.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One pair of the table: a plain bit (or none) and the stored bit it becomes.
struct GP_ScrambleBitPair {
    std::uint8_t plainMask;
    std::uint8_t storedMask;
};
constexpr std::uint8_t GP_ScrambleKeptBits = 0x9B;
constexpr std::uint8_t GP_ScrambleMovedBits = 0x64;

// Each moved bit goes to a stored bit of its own; the other five pairs select nothing. Files written with
// another table cannot be read back.
inline constexpr GP_ScrambleBitPair GP_ScrambleBitTable[8] = {
    {0x40, 0x02}, {0x00, 0x00}, {0x04, 0x80}, {0x00, 0x00}, {0x00, 0x00}, {0x20, 0x08}, {0x00, 0x00}, {0x00, 0x00},
};

// The table is reversible when the moved bits map one to one onto distinct stored bits.
constexpr bool GP_ScrambleTableIsReversible(const GP_ScrambleBitPair (&table)[8])
{
    unsigned plainSeen = 0;
    unsigned storedSeen = 0;
    for (const GP_ScrambleBitPair& pair : table) {
        if (pair.plainMask == 0) continue;
        const bool oneBitEach = (pair.plainMask & (pair.plainMask - 1)) == 0 && pair.storedMask != 0 &&
                                (pair.storedMask & (pair.storedMask - 1)) == 0;
        if (!oneBitEach || (plainSeen & pair.plainMask) || (storedSeen & pair.storedMask)) return false;
        plainSeen |= pair.plainMask;
        storedSeen |= pair.storedMask;
    }
    return plainSeen == GP_ScrambleMovedBits;
}
static_assert(GP_ScrambleTableIsReversible(GP_ScrambleBitTable), "every moved bit needs a stored bit of its own");

// Plain bytes to twice as many stored bytes.
std::string GP_ScrambleBytes(std::string_view plain);
// Stored bytes to half as many plain bytes; an odd last byte is ignored.
std::string GP_UnscrambleBytes(std::string_view stored);

// File to file. Nothing is written when the source cannot be read; the target is replaced whole (a temporary
// file renamed over it), so a failure or a crash leaves the old target. True when the target was written.
bool GP_ScrambleFile(const std::string& sourcePath, const std::string& targetPath);
bool GP_UnscrambleFile(const std::string& sourcePath, const std::string& targetPath);

// The whole of a file that is at most maxBytes long; false when it cannot be opened or read, or is longer.
bool GP_ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string* contents);

// Keeps a score file that is there but could not be read as one beside it, as "<file>.damaged" (replacing an
// older copy), so that the next save, which writes over it, loses nothing. Nothing happens for a missing file.
void GP_KeepRefusedFile(const std::string& path);
