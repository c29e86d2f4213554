// One zlib-compressed block in a file or stream: marker byte 1, compressed size (int32), original size (int32),
// then the zlib data. Numbers are little-endian.
#pragma once
#include <cstdint>

class CFile;
class CFileBuf;

class CompressedBlockCodec {
public:
    // Compresses n bytes at the level and writes the block; true when something was compressed and written.
    static bool WriteBlock(CFileBuf& stream, const void* data, int n, int level);
    static bool WriteBlock(CFile& file, const void* data, int n, int level);
    // Reads a block at the stream's position and returns the inflated bytes in a malloc block (free() them)
    // with their size. Null when the first byte is not the marker (damaged stays false) or when the block is
    // damaged: sizes that are negative or larger than the bytes left, data that does not inflate to exactly
    // the original size (damaged set).
    static std::uint8_t* ReadBlock(CFileBuf& stream, int* originalSize, bool* damaged = nullptr);
    static std::uint8_t* ReadBlock(CFile& file, int* originalSize, bool* damaged = nullptr);

    // The level of every block the library writes.
    static constexpr int kLevel = 6;

    // zlib never inflates one byte into more than about 1032; an original size beyond this ratio is refused
    // before anything is allocated.
    static constexpr long long kMaxRatio = 1032;
};
