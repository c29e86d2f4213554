// The R250 shift-register random generator.
#pragma once
#include <cstdint>

class RandomR250 {
public:
    // Seeds with the tick count, as the two process-wide generators are at load time.
    RandomR250();
    void Seed(std::uint32_t seed);
    // The next word: the word at the index combined with the one 103 places further, modulo 250.
    std::uint32_t Next();
    std::uint32_t GetWord(int i) const { return m_words[i]; }

private:
    std::int32_t m_enabled = 1;
    std::int32_t m_index = 0;
    std::uint32_t m_seed = 0;
    std::uint32_t m_state = 0;
    std::int32_t m_reserved = 0;
    std::int32_t m_tap = 103;
    std::uint32_t m_words[250] = {};
};

// Bit lengths of the bytes: 0 for 0, 1 for 1, 2 for 2..3, ... 8 for 128..255.
extern std::uint8_t BitLengthTable[256];

extern RandomR250 PrimaryRandom;
extern RandomR250 SecondaryRandom;
