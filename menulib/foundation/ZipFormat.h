// The records of a zip file: little-endian numbers, local and central headers, the end record.
#pragma once
#include <cstdint>

constexpr std::uint32_t kZipLocalSignature = 0x04034B50;    // "PK\3\4"
constexpr std::uint32_t kZipCentralSignature = 0x02014B50;  // "PK\1\2"
constexpr std::uint32_t kZipEndSignature = 0x06054B50;      // "PK\5\6"
constexpr std::uint32_t kZipEndSignatureQX = 0x06055851;    // "QX\5\6", the variant this library writes
constexpr int kZipSignatureSize = 4;
constexpr int kZipLocalHeaderSize = 30;
constexpr int kZipCentralBodySize = 42;
constexpr int kZipCentralHeaderSize = kZipSignatureSize + kZipCentralBodySize;
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
    // The whole central header: signature and body (46 bytes; name, extra and comment follow it).
    void StoreHeader(std::uint8_t* out) const
    {
        ZipPut32(out, kZipCentralSignature);
        Store(out + kZipSignatureSize);
    }
    // Bytes from the header's signature to the next header.
    long long RecordSize() const
    {
        return static_cast<long long>(kZipCentralHeaderSize) + nameLength + extraLength + commentLength;
    }
    // The local header that matches these fields (30 bytes; the name follows it).
    void StoreLocalHeader(std::uint8_t* out) const;
};

// A local header: 30 bytes, then the name, the extra field and the member's data.
struct ZipLocalHeader {
    std::uint32_t signature = kZipLocalSignature;
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

    // The header that a central header's fields describe.
    static ZipLocalHeader From(const ZipCentralBody& body)
    {
        ZipLocalHeader header;
        header.versionNeeded = body.versionNeeded;
        header.flags = body.flags;
        header.method = body.method;
        header.time = body.time;
        header.date = body.date;
        header.crc = body.crc;
        header.compressedSize = body.compressedSize;
        header.size = body.size;
        header.nameLength = body.nameLength;
        header.extraLength = body.extraLength;
        return header;
    }
    void Parse(const std::uint8_t* in)
    {
        signature = ZipGet32(in);
        versionNeeded = ZipGet16(in + 4);
        flags = ZipGet16(in + 6);
        method = ZipGet16(in + 8);
        time = ZipGet16(in + 10);
        date = ZipGet16(in + 12);
        crc = ZipGet32(in + 14);
        compressedSize = ZipGet32(in + 18);
        size = ZipGet32(in + 22);
        nameLength = ZipGet16(in + 26);
        extraLength = ZipGet16(in + 28);
    }
    void Store(std::uint8_t* out) const
    {
        ZipPut32(out, signature);
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
    // Bytes from the header's signature to the member's data.
    long long DataOffset() const { return static_cast<long long>(kZipLocalHeaderSize) + nameLength + extraLength; }
};

inline void ZipCentralBody::StoreLocalHeader(std::uint8_t* out) const { ZipLocalHeader::From(*this).Store(out); }

// The end record, the last 22 bytes of the file (no archive comment is supported).
struct ZipEndRecord {
    std::uint32_t signature = kZipEndSignature;
    std::uint16_t disk = 0;
    std::uint16_t directoryDisk = 0;
    std::uint16_t entriesHere = 0;
    std::uint16_t entries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t commentLength = 0;

    void Parse(const std::uint8_t* in)
    {
        signature = ZipGet32(in);
        disk = ZipGet16(in + 4);
        directoryDisk = ZipGet16(in + 6);
        entriesHere = ZipGet16(in + 8);
        entries = ZipGet16(in + 10);
        directorySize = ZipGet32(in + 12);
        directoryOffset = ZipGet32(in + 16);
        commentLength = ZipGet16(in + 20);
    }
    void Store(std::uint8_t* out) const
    {
        ZipPut32(out, signature);
        ZipPut16(out + 4, disk);
        ZipPut16(out + 6, directoryDisk);
        ZipPut16(out + 8, entriesHere);
        ZipPut16(out + 10, entries);
        ZipPut32(out + 12, directorySize);
        ZipPut32(out + 16, directoryOffset);
        ZipPut16(out + 20, commentLength);
    }
};
