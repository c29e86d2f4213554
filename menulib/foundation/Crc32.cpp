#include "foundation/Crc32.h"

namespace {

struct Crc32Table {
    std::uint32_t entries[256];
    constexpr Crc32Table() : entries()
    {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[i] = c;
        }
    }
};
constexpr Crc32Table table;

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t n)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::uint32_t c = crc ^ 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) c = table.entries[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t Crc32(const void* data, std::size_t n) { return Crc32Update(0, data, n); }
