#include "frames/Tga.h"

#include <cstring>

#include "foundation/CFile.h"
#include "foundation/FatalMessage.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"

namespace {

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void Put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

bool ReadHeaderOfFile(const char* path, int openFlags, TgaHeader& header)
{
    CFile file;
    std::uint8_t bytes[TgaHeader::kSize];
    if (!file.Open(path, openFlags | kFileRead) || file.Read(bytes, sizeof bytes) != TgaHeader::kSize) return false;
    header.Parse(bytes);
    return true;
}

// Converts one row of source pixels (B, G, R[, A]) into a frame row.
class RowConverter {
public:
    RowConverter(CFrame& frame, int sourceBytes, ColorTable* palette)
        : m_frame(frame), m_sourceBytes(sourceBytes), m_palette(palette ? palette : &DefaultPalette())
    {
    }

    void Convert(const std::uint8_t* from, int line) const
    {
        const int width = m_frame.GetWidth();
        const int frameBytes = m_frame.GetBytesPerPixel();
        std::uint8_t* to = m_frame.GetPixels() + static_cast<std::size_t>(width) * line * frameBytes;
        for (int x = 0; x < width; ++x, from += m_sourceBytes, to += frameBytes) ConvertPixel(from, to);
    }

private:
    void ConvertPixel(const std::uint8_t* s, std::uint8_t* d) const
    {
        switch (m_frame.GetBitDepth()) {
        case 8:
            d[0] = (s[0] | s[1] | s[2]) == 0
                       ? 0
                       : static_cast<std::uint8_t>(m_palette->FindNearest(s[2], s[1], s[0], 1, 256));
            return;
        case 16: {
            const std::uint16_t v = PackRGB565(s[2], s[1], s[0]);
            std::memcpy(d, &v, 2);
            return;
        }
        case 24: std::memcpy(d, s, 3); return;
        default:
            std::memcpy(d, s, 3);
            d[3] = m_sourceBytes == 4 ? s[3] : ((s[0] | s[1] | s[2]) == 0 ? 0 : 255);
            return;
        }
    }

    CFrame& m_frame;
    int m_sourceBytes;
    ColorTable* m_palette;
};

enum class RowResult {
    kOk,
    kTruncated,
    kOverrun
};

// Decodes the packets of one row into row (width pixels of pixelBytes); in is moved past them.
RowResult DecodeRleRow(const std::uint8_t*& in, const std::uint8_t* end, std::uint8_t* row, int width, int pixelBytes)
{
    int filled = 0;
    while (filled < width) {
        if (in >= end) return RowResult::kTruncated;
        const std::uint8_t packet = *in++;
        const int count = (packet & 0x7f) + 1;
        if (count > width - filled) return RowResult::kOverrun;
        const bool repeated = (packet & 0x80) != 0;
        const std::size_t needed = static_cast<std::size_t>(repeated ? 1 : count) * pixelBytes;
        if (static_cast<std::size_t>(end - in) < needed) return RowResult::kTruncated;
        for (int i = 0; i < count; ++i)
            std::memcpy(row + static_cast<std::size_t>(filled + i) * pixelBytes, repeated ? in : in + i * pixelBytes,
                        pixelBytes);
        in += needed;
        filled += count;
    }
    return RowResult::kOk;
}

}  // namespace

void TgaHeader::Parse(const std::uint8_t* b)
{
    idLength = b[0];
    colorMapType = b[1];
    imageType = b[2];
    colorMapFirst = Get16(b + 3);
    colorMapLength = Get16(b + 5);
    colorMapEntrySize = b[7];
    xOrigin = Get16(b + 8);
    yOrigin = Get16(b + 10);
    width = Get16(b + 12);
    height = Get16(b + 14);
    bitsPerPixel = b[16];
    descriptor = b[17];
}

void TgaHeader::Write(std::uint8_t* b) const
{
    b[0] = idLength;
    b[1] = colorMapType;
    b[2] = imageType;
    Put16(b + 3, colorMapFirst);
    Put16(b + 5, colorMapLength);
    b[7] = colorMapEntrySize;
    Put16(b + 8, xOrigin);
    Put16(b + 10, yOrigin);
    Put16(b + 12, width);
    Put16(b + 14, height);
    b[16] = bitsPerPixel;
    b[17] = descriptor;
}

bool TgaHeader::IsAccepted() const
{
    const bool typeOk = imageType == kTrueColor || imageType == kColorMappedRle || imageType == kTrueColorRle;
    const bool sizeOk =
        width <= kLargestSide && height <= kLargestSide && static_cast<long long>(width) * height <= kLargestPixels;
    return colorMapType == 0 && typeOk && (bitsPerPixel == 24 || bitsPerPixel == 32) && sizeOk;
}

bool ReadTgaHeader(const std::uint8_t* data, std::size_t size, TgaHeader& header)
{
    if (!data || size < TgaHeader::kSize) return false;
    header.Parse(data);
    return true;
}

bool IsTgaRunLengthEncoded(const char* path, int openFlags)
{
    TgaHeader header;
    return ReadHeaderOfFile(path, openFlags, header) && header.IsRunLength();
}

int GetTgaBitsPerPixel(const char* path, int openFlags)
{
    TgaHeader header;
    return ReadHeaderOfFile(path, openFlags, header) && header.IsAccepted() ? header.bitsPerPixel : 0;
}

bool DecodeTga(CFrame& frame, const std::uint8_t* data, std::size_t size, const char* path, ColorTable* palette,
               int bitDepth)
{
    TgaHeader header;
    if (!ReadTgaHeader(data, size, header) || !header.IsAccepted() || FrameFormatOf(bitDepth) == 0) return false;
    const std::size_t start = TgaHeader::kSize + header.idLength;
    if (start > size) return false;
    const int width = header.width, height = header.height, pixelBytes = header.bitsPerPixel / 8;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * pixelBytes;
    if (!header.IsRunLength() && (size - start) / (rowBytes ? rowBytes : 1) < static_cast<std::size_t>(height))
        return false;
    // Pixels of the same size and depth are reused (with their line table); any other frame is made anew.
    const bool samePixels = frame.GetPixels() && frame.GetWidth() == width && frame.GetHeight() == height &&
                            frame.GetBitDepth() == bitDepth && !frame.IsEncoded();
    if (!samePixels && !frame.Create(width, height, bitDepth)) return false;
    const RowConverter converter(frame, pixelBytes, palette);
    std::vector<std::uint8_t> row(header.IsRunLength() ? 2 * rowBytes : 0);
    const std::uint8_t* in = data + start;
    const std::uint8_t* end = data + size;
    for (int i = 0; i < height; ++i) {
        const int line = header.IsTopToBottom() ? i : height - 1 - i;
        if (!header.IsRunLength()) {
            converter.Convert(in, line);
            in += rowBytes;
            continue;
        }
        const RowResult result = DecodeRleRow(in, end, row.data(), width, pixelBytes);
        if (result == RowResult::kOverrun)
            FatalMessageAndExitF("FATAL ERROR", "The TGA you loaded '%s' is corrupt (line %d).", path, line);
        if (result == RowResult::kTruncated) {
            frame.FreePixels();
            return false;
        }
        converter.Convert(row.data(), line);
    }
    return true;
}

int DecodeTgaIntoFrame(CFrame& frame, const std::uint8_t* data, std::size_t size, const char* path, ColorTable* palette,
                       int bitDepth)
{
    if (!DecodeTga(frame, data, size, path, palette, bitDepth)) return 0;
    frame.SetupLineOffsets(frame.GetWidth(), 1);
    return frame.GetWidth();
}
