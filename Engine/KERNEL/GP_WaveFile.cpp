#include "GP_WaveFile.h"

#include <cstdint>
#include <cstring>

#include "platform/riff_wave.h"

namespace {

using platform::RiffChunkHeader;
using platform::RiffFileHeader;

constexpr std::uint32_t MinFormatBytes = 14;

template <typename Record>
bool ReadRecord(std::FILE* stream, Record& record)
{
    std::uint8_t bytes[Record::Size];
    if (std::fread(bytes, 1, sizeof bytes, stream) != sizeof bytes) return false;
    record = Record::Parse(bytes);
    return true;
}

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

// The body of an "fmt " chunk: its first bytes, up to the size of the format, become the format.
bool ReadFormat(std::FILE* stream, std::uint32_t size, WAVEFORMATEX& format)
{
    if (size < MinFormatBytes) return false;
    const std::uint32_t kept = size < sizeof format ? size : sizeof format;
    std::memset(&format, 0, sizeof format);
    return std::fread(&format, 1, kept, stream) == kept && Skip(stream, size - kept);
}

bool ReadSamples(std::FILE* stream, std::uint32_t size, std::vector<BYTE>& samples)
{
    if (size > static_cast<std::uint32_t>(BytesLeft(stream))) return false;
    samples.resize(size);
    return std::fread(samples.data(), 1, size, stream) == size;
}

}  // namespace

bool GP_ReadWave(std::FILE* stream, WAVEFORMATEX& format, std::vector<BYTE>& samples)
{
    RiffFileHeader file;
    if (!ReadRecord(stream, file) || !file.IsWave()) return false;
    bool haveFormat = false;
    bool haveData = false;
    while (!haveFormat || !haveData) {
        RiffChunkHeader chunk;
        if (!ReadRecord(stream, chunk)) return false;
        bool read = false;
        if (chunk.tag.Is("fmt ") && !haveFormat)
            read = haveFormat = ReadFormat(stream, chunk.size, format);
        else if (chunk.tag.Is("data") && !haveData)
            read = haveData = ReadSamples(stream, chunk.size, samples);
        else
            read = Skip(stream, chunk.size);
        if (!read) return false;
        if ((chunk.size & 1) && (!haveFormat || !haveData)) Skip(stream, 1);
    }
    return true;
}
