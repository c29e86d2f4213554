// The records of a RIFF WAVE file with the readers and writers of their little-endian bytes: the file header
// ("RIFF", the size of what follows, "WAVE"), the chunk header (a tag and the size of the body; a pad byte follows
// a body of odd size) and the PCM body of the "fmt " chunk, which only writers need (readers keep that body as
// the WAVEFORMATEX it is).
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform {

namespace riff {

inline std::uint32_t Get32(const std::uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

inline void Put16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Put32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace riff

// A four-character tag of a RIFF file, as it stands in the file.
struct RiffTag {
    char text[4] = {' ', ' ', ' ', ' '};

    static RiffTag Of(const char (&name)[5])
    {
        RiffTag tag;
        std::memcpy(tag.text, name, 4);
        return tag;
    }
    bool Is(const char (&name)[5]) const { return std::memcmp(text, name, 4) == 0; }
};

struct RiffChunkHeader {
    static constexpr std::size_t Size = 8;

    RiffTag tag;
    std::uint32_t size = 0;  // bytes of the body, without the pad byte

    static RiffChunkHeader Parse(const std::uint8_t* bytes)
    {
        RiffChunkHeader header;
        std::memcpy(header.tag.text, bytes, 4);
        header.size = riff::Get32(bytes + 4);
        return header;
    }
    void Write(std::uint8_t* bytes) const
    {
        std::memcpy(bytes, tag.text, 4);
        riff::Put32(bytes + 4, size);
    }
    // Bytes that the body takes in the file, with its pad byte.
    std::uint64_t PaddedSize() const { return size + (size & 1u); }
};

struct RiffFileHeader {
    static constexpr std::size_t Size = 12;

    RiffChunkHeader riff{RiffTag::Of("RIFF"), 4};  // size: the form tag and every chunk after it
    RiffTag form = RiffTag::Of("WAVE");

    static RiffFileHeader Parse(const std::uint8_t* bytes)
    {
        RiffFileHeader header;
        header.riff = RiffChunkHeader::Parse(bytes);
        std::memcpy(header.form.text, bytes + RiffChunkHeader::Size, 4);
        return header;
    }
    void Write(std::uint8_t* bytes) const
    {
        riff.Write(bytes);
        std::memcpy(bytes + RiffChunkHeader::Size, form.text, 4);
    }
    bool IsWave() const { return riff.tag.Is("RIFF") && form.Is("WAVE"); }
};

// The body of a "fmt " chunk of plain PCM, as a writer gives it.
struct WavePcmFormat {
    static constexpr std::size_t Size = 16;
    static constexpr std::uint16_t Pcm = 1;

    std::uint16_t formatTag = Pcm;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t bytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;

    void Write(std::uint8_t* bytes) const
    {
        riff::Put16(bytes, formatTag);
        riff::Put16(bytes + 2, channels);
        riff::Put32(bytes + 4, samplesPerSecond);
        riff::Put32(bytes + 8, bytesPerSecond);
        riff::Put16(bytes + 12, blockAlign);
        riff::Put16(bytes + 14, bitsPerSample);
    }
};

}  // namespace platform
