// The records of a zip file: little-endian numbers, local and central headers, the end record.
#pragma once
#include <cstdint>

constexpr std::uint32_t kZipLocalSignature = 0x04034B50;    // "PK\3\4"
constexpr std::uint32_t kZipCentralSignature = 0x02014B50;  // "PK\1\2"
constexpr std::uint32_t kZipEndSignature = 0x06054B50;      // "PK\5\6"
constexpr std::uint32_t kZipEndSignatureQX = 0x06055851;    // "QX\5\6", the variant this library writes
constexpr int kZipLocalHeaderSize = 30;
constexpr int kZipCentralBodySize = 42;
constexpr int kZipEndRecordSize = 22;

inline std::uint16_t ZipGet16(const std::uint8_t* in) { return static_cast<std::uint16_t>(in[0] | (in[1] << 8)); }
inline std::uint32_t ZipGet32(const std::uint8_t* in)
{
    return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
           (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}
inline void ZipPut16(std::uint8_t* out, std::uint32_t v)
{
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void ZipPut32(std::uint8_t* out, std::uint32_t v)
{
    ZipPut16(out, v);
    ZipPut16(out + 2, v >> 16);
}
inline bool IsZipEndSignature(std::uint32_t signature)
{
    return signature == kZipEndSignature || signature == kZipEndSignatureQX;
}

// The 42 bytes of a central header after its signature.
struct ZipCentralBody {
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeeded = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint16_t time = 0;
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t extraLength = 0;
    std::uint16_t commentLength = 0;
    std::uint16_t disk = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localOffset = 0;

    void Parse(const std::uint8_t* in)
    {
        versionMadeBy = ZipGet16(in);
        versionNeeded = ZipGet16(in + 2);
        flags = ZipGet16(in + 4);
        method = ZipGet16(in + 6);
        time = ZipGet16(in + 8);
        date = ZipGet16(in + 10);
        crc = ZipGet32(in + 12);
        compressedSize = ZipGet32(in + 16);
        size = ZipGet32(in + 20);
        nameLength = ZipGet16(in + 24);
        extraLength = ZipGet16(in + 26);
        commentLength = ZipGet16(in + 28);
        disk = ZipGet16(in + 30);
        internalAttributes = ZipGet16(in + 32);
        externalAttributes = ZipGet32(in + 34);
        localOffset = ZipGet32(in + 38);
    }
    void Store(std::uint8_t* out) const
    {
        ZipPut16(out, versionMadeBy);
        ZipPut16(out + 2, versionNeeded);
        ZipPut16(out + 4, flags);
        ZipPut16(out + 6, method);
        ZipPut16(out + 8, time);
        ZipPut16(out + 10, date);
        ZipPut32(out + 12, crc);
        ZipPut32(out + 16, compressedSize);
        ZipPut32(out + 20, size);
        ZipPut16(out + 24, nameLength);
        ZipPut16(out + 26, extraLength);
        ZipPut16(out + 28, commentLength);
        ZipPut16(out + 30, disk);
        ZipPut16(out + 32, internalAttributes);
        ZipPut32(out + 34, externalAttributes);
        ZipPut32(out + 38, localOffset);
    }
    // The local header that matches these fields (30 bytes; the name follows it).
    void StoreLocalHeader(std::uint8_t* out) const
    {
        ZipPut32(out, kZipLocalSignature);
        ZipPut16(out + 4, versionNeeded);
        ZipPut16(out + 6, flags);
        ZipPut16(out + 8, method);
        ZipPut16(out + 10, time);
        ZipPut16(out + 12, date);
        ZipPut32(out + 14, crc);
        ZipPut32(out + 18, compressedSize);
        ZipPut32(out + 22, size);
        ZipPut16(out + 26, nameLength);
        ZipPut16(out + 28, extraLength);
    }
};
