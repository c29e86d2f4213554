#include "GP_WaveFile.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t MinFormatBytes = 14;

bool ReadU32(std::FILE* stream, std::uint32_t& value)
{
    BYTE bytes[4];
    if (std::fread(bytes, 1, 4, stream) != 4) return false;
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return true;
}

bool ReadTag(std::FILE* stream, char (&tag)[4]) { return std::fread(tag, 1, 4, stream) == 4; }

bool Is(const char (&tag)[4], const char* name) { return std::memcmp(tag, name, 4) == 0; }

// Bytes from the stream's position to its end; 0 when that cannot be told.
long BytesLeft(std::FILE* stream)
{
    const long at = std::ftell(stream);
    if (at < 0 || std::fseek(stream, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(stream);
    std::fseek(stream, at, SEEK_SET);
    return end > at ? end - at : 0;
}

bool Skip(std::FILE* stream, std::uint32_t bytes)
{
    if (bytes > static_cast<std::uint32_t>(BytesLeft(stream))) return false;
    return std::fseek(stream, static_cast<long>(bytes), SEEK_CUR) == 0;
}

}  // namespace

bool GP_ReadWave(std::FILE* stream, WAVEFORMATEX& format, std::vector<BYTE>& samples)
{
    char tag[4];
    std::uint32_t size = 0;
    if (!ReadTag(stream, tag) || !Is(tag, "RIFF") || !ReadU32(stream, size) || !ReadTag(stream, tag) || !Is(tag, "WAVE"))
        return false;
    bool haveFormat = false;
    bool haveData = false;
    while (!haveFormat || !haveData) {
        if (!ReadTag(stream, tag) || !ReadU32(stream, size)) return false;
        if (Is(tag, "fmt ") && !haveFormat) {
            if (size < MinFormatBytes) return false;
            const std::uint32_t kept = size < sizeof format ? size : sizeof format;
            std::memset(&format, 0, sizeof format);
            if (std::fread(&format, 1, kept, stream) != kept || !Skip(stream, size - kept)) return false;
            haveFormat = true;
        } else if (Is(tag, "data") && !haveData) {
            if (size > static_cast<std::uint32_t>(BytesLeft(stream))) return false;
            samples.resize(size);
            if (std::fread(samples.data(), 1, size, stream) != size) return false;
            haveData = true;
        } else if (!Skip(stream, size)) {
            return false;
        }
        if ((size & 1) && (!haveFormat || !haveData)) Skip(stream, 1);
    }
    return true;
}
