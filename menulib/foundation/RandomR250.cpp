#include "foundation/RandomR250.h"

#include "foundation/MathTables.h"
#include "platform/win32_time.h"

std::uint8_t BitLengthTable[256];

RandomR250::RandomR250()
{
    for (int i = 0; i < 256; ++i) BitLengthTable[i] = static_cast<std::uint8_t>(BitLength(i));
    Seed(GetTickCount());
}

void RandomR250::Seed(std::uint32_t seed)
{
    m_index = 0;
    m_seed = m_state = seed;
    m_reserved = 0;
    m_tap = 103;
    for (int i = 249; i >= 0; --i) {
        const std::uint64_t value = static_cast<std::uint64_t>(m_state) * 1103515245u + 12345u;
        m_words[i] = static_cast<std::uint32_t>(value >> 16);
        m_state = static_cast<std::uint32_t>(value);
    }
    // Makes the words linearly independent: word 3 + 7k has bit 31 - k as its highest bit.
    std::uint32_t mask = 0xFFFFFFFFu, bit = 0x80000000u;
    for (int k = 0; k < 32; ++k, mask >>= 1, bit >>= 1) m_words[3 + 7 * k] = (m_words[3 + 7 * k] & mask) | bit;
}

std::uint32_t RandomR250::Next()
{
    const int other = (m_index + m_tap) % 250;
    const std::uint32_t word = m_words[m_index] ^ m_words[other];
    m_words[m_index] = word;
    m_index = (m_index + 1) % 250;
    return word;
}

RandomR250 PrimaryRandom;
RandomR250 SecondaryRandom;
