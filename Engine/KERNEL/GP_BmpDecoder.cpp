// BMP files and bare DIBs: 12-byte (core) headers and info headers of 40 to 124 bytes, 1, 4, 8, 16, 24 and 32
// bits, uncompressed, BI_BITFIELDS or run-length compressed (BI_RLE8 at 8 bits, BI_RLE4 at 4 bits, bottom-up),
// bottom-up or top-down. Every size the headers give is checked against what the depth needs and what the file
// holds before anything is read into the DIB; compressed pixels are decoded here into plain rows.
#include <cstring>
#include <vector>

#include "GP_BmpRunLength.h"
#include "GP_Picture.h"

namespace {

constexpr std::uint16_t FileType = 0x4D42;  // "BM"
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t LargestHeaderSize = 124;  // the latest version of the info header

std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

bool ReadAll(std::FILE* file, void* to, size_t size) { return size == 0 || std::fread(to, 1, size, file) == size; }

bool KnownDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

bool RunLength(const BITMAPINFOHEADER& h) { return h.biCompression == BI_RLE8 || h.biCompression == BI_RLE4; }

// Each compression only at the depth it is made for; run-length pictures are stored bottom-up only.
bool KnownCompression(const BITMAPINFOHEADER& h)
{
    switch (h.biCompression) {
    case BI_RGB: return true;
    case BI_BITFIELDS: return h.biBitCount == 16 || h.biBitCount == 32;
    case BI_RLE8: return h.biBitCount == 8 && h.biHeight > 0;
    case BI_RLE4: return h.biBitCount == 4 && h.biHeight > 0;
    default: return false;
    }
}

// Bytes from position to the end of the file (-1 when it cannot be told); the file stays where it was.
long long BytesAfter(std::FILE* file, long position)
{
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < 0) return -1;
    return static_cast<long long>(end) - position;
}

}  // namespace

bool CGP_BmpDecoder::Load(std::FILE* file)
{
    FreeDib();
    if (palette) DeleteObject(palette);
    palette = nullptr;
    flags = 0;
    const long start = std::ftell(file);
    if (start < 0) return false;

    std::uint8_t fileHeader[14];
    if (!ReadAll(file, fileHeader, sizeof(fileHeader))) return false;
    std::uint32_t bitsOffset = U32(fileHeader + 10);
    if (U16(fileHeader) != FileType) {
        bitsOffset = 0;
        if (std::fseek(file, start, SEEK_SET) != 0) return false;
    }

    // The header's size first: a core header is only 12 bytes long, and a small picture may end soon after it.
    std::uint8_t raw[sizeof(BITMAPINFOHEADER)];
    if (!ReadAll(file, raw, 4)) return false;
    BITMAPINFOHEADER header{};
    const std::uint32_t headerSize = U32(raw);
    const bool core = headerSize == CoreHeaderSize;
    if (core) {
        if (!ReadAll(file, raw + 4, CoreHeaderSize - 4)) return false;
        header.biWidth = U16(raw + 4);
        header.biHeight = U16(raw + 6);
        header.biPlanes = U16(raw + 8);
        header.biBitCount = U16(raw + 10);
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= LargestHeaderSize) {
        if (!ReadAll(file, raw + 4, sizeof(raw) - 4)) return false;
        std::memcpy(&header, raw, sizeof(header));
    } else {
        return false;
    }
    header.biSize = sizeof(BITMAPINFOHEADER);

    const int bpp = header.biBitCount;
    const bool bitfields = header.biCompression == BI_BITFIELDS;
    const bool compressed = RunLength(header);
    if (!KnownDepth(bpp) || !KnownCompression(header)) return false;
    const long long rows = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    if (!GP_PictureSizeFits(header.biWidth, rows)) return false;

    const std::uint32_t maxColours = bpp <= 8 ? 1u << bpp : 256u;
    const std::uint32_t colours = header.biClrUsed ? header.biClrUsed : (bpp <= 8 ? 1u << bpp : 0u);
    if (colours > maxColours) return false;
    const size_t rowBytes = (static_cast<size_t>(bpp) * header.biWidth + 31) / 32 * 4;
    const size_t imageBytes = rowBytes * static_cast<size_t>(rows);
    // The image size of a compressed picture is that of its codes.
    const std::uint32_t storedBytes = header.biSizeImage;
    if (!compressed && storedBytes && storedBytes < imageBytes) return false;
    // Rows that the file cannot hold are refused before any memory is taken for them.
    if (static_cast<long long>(compressed ? storedBytes : imageBytes) > BytesAfter(file, start)) return false;
    header.biSizeImage = static_cast<DWORD>(imageBytes);
    header.biCompression = compressed ? BI_RGB : header.biCompression;
    header.biClrUsed = colours;

    const size_t masksBytes = bitfields ? 3 * sizeof(std::uint32_t) : 0;
    const size_t tableBytes = colours * sizeof(RGBQUAD);
    const size_t bitsAt = sizeof(BITMAPINFOHEADER) + masksBytes + tableBytes;
    std::vector<std::uint8_t> block(bitsAt + imageBytes);
    std::memcpy(block.data(), &header, sizeof(header));
    if (!ReadAll(file, block.data() + sizeof(header), masksBytes)) return false;
    // Longer headers hold the bitfield masks right after the first 40 bytes, then fields the conversion does
    // not use; the colour table follows the whole header.
    const long unusedHeader = core ? 0 : static_cast<long>(headerSize) - static_cast<long>(sizeof(header) + masksBytes);
    if (unusedHeader > 0 && std::fseek(file, unusedHeader, SEEK_CUR) != 0) return false;
    std::uint8_t* table = block.data() + sizeof(header) + masksBytes;
    if (core) {
        std::vector<std::uint8_t> triples(colours * 3);
        if (!ReadAll(file, triples.data(), triples.size())) return false;
        for (std::uint32_t i = 0; i < colours; ++i) {
            std::memcpy(table + i * 4, &triples[i * 3], 3);
            table[i * 4 + 3] = 0;
        }
    } else if (!ReadAll(file, table, tableBytes)) {
        return false;
    }

    if (bitsOffset != 0 && std::fseek(file, start + static_cast<long>(bitsOffset), SEEK_SET) != 0) return false;
    if (compressed) {
        const long long dataBytes = storedBytes ? storedBytes : BytesAfter(file, std::ftell(file));
        if (dataBytes < 0 || !GP_DecodeBmpRunLength(file, dataBytes, bpp, header.biWidth, static_cast<int>(rows),
                                                    rowBytes, block.data() + bitsAt))
            return false;
    } else if (!ReadAll(file, block.data() + bitsAt, imageBytes)) {
        return false;
    }

    dib = new std::uint8_t[block.size()];
    std::memcpy(dib, block.data(), block.size());
    bits = dib + bitsAt;
    width = header.biWidth;
    height = static_cast<std::int32_t>(rows);
    bitsPerPixel = bpp;
    stride = static_cast<std::int32_t>(rowBytes);

    // Only indexed depths use their colour table; deeper ones may carry one that GDI ignores.
    if (colours > 0 && bpp <= 8) {
        std::vector<std::uint8_t> r(colours), g(colours), b(colours);
        for (std::uint32_t i = 0; i < colours; ++i) {
            b[i] = table[i * 4];
            g[i] = table[i * 4 + 1];
            r[i] = table[i * 4 + 2];
        }
        SetPalette(static_cast<int>(colours), r.data(), g.data(), b.data());
    }
    return true;
}
