#include "foundation/CompressedBlockCodec.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/CFileBuf.h"
#include "foundation/MallocBlock.h"

namespace {

void PutInt(std::uint8_t* out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
    out[2] = static_cast<std::uint8_t>(v >> 16);
    out[3] = static_cast<std::uint8_t>(v >> 24);
}

std::int32_t GetInt(const std::uint8_t* in)
{
    return static_cast<std::int32_t>(in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<std::uint32_t>(in[3]) << 24));
}

}  // namespace

bool CompressedBlockCodec::WriteBlock(CFileBuf& stream, const void* data, int n, int level)
{
    if (n < 0) return false;
    uLongf room = static_cast<uLongf>(compressBound(static_cast<uLong>(n)));
    std::vector<std::uint8_t> packed(room ? room : 1);
    const int result = compress2(packed.data(), &room, static_cast<const Bytef*>(data), static_cast<uLong>(n), level);
    const std::int32_t packedSize = result == Z_OK ? static_cast<std::int32_t>(room) : 0;
    std::uint8_t header[9];
    header[0] = 1;
    PutInt(header + 1, packedSize);
    PutInt(header + 5, n);
    const bool written = stream.Write(header, 9) == 9 && stream.Write(packed.data(), packedSize) == packedSize;
    return written && packedSize != 0;
}

bool CompressedBlockCodec::WriteBlock(CFile& file, const void* data, int n, int level)
{
    return file.GetStream() && WriteBlock(*file.GetStream(), data, n, level);
}

std::uint8_t* CompressedBlockCodec::ReadBlock(CFileBuf& stream, int* originalSize, bool* damaged)
{
    if (damaged) *damaged = false;
    if (originalSize) *originalSize = 0;
    std::uint8_t marker = 0;
    if (stream.Read(&marker, 1) != 1 || marker != 1) return nullptr;
    if (damaged) *damaged = true;  // from here on a failure means a broken block

    std::uint8_t sizes[8];
    if (stream.Read(sizes, 8) != 8) return nullptr;
    const std::int32_t packedSize = GetInt(sizes), size = GetInt(sizes + 4);
    const long long left = static_cast<long long>(stream.Size()) - stream.Tell();
    if (packedSize <= 0 || size < 0 || packedSize > left || size > packedSize * kMaxRatio) return nullptr;

    std::vector<std::uint8_t> packed(packedSize);
    MallocBlock<std::uint8_t> bytes(static_cast<std::uint8_t*>(std::malloc(size ? size : 1)));
    if (!bytes || stream.Read(packed.data(), packedSize) != packedSize) return nullptr;
    uLongf inflated = static_cast<uLongf>(size);
    if (uncompress(bytes.get(), &inflated, packed.data(), static_cast<uLong>(packedSize)) != Z_OK ||
        inflated != static_cast<uLongf>(size))
        return nullptr;
    if (damaged) *damaged = false;
    if (originalSize) *originalSize = size;
    return bytes.release();
}

std::uint8_t* CompressedBlockCodec::ReadBlock(CFile& file, int* originalSize, bool* damaged)
{
    if (damaged) *damaged = false;
    return file.GetStream() ? ReadBlock(*file.GetStream(), originalSize, damaged) : nullptr;
}
