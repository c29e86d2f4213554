// The run-length TGA writer.
#include <cstring>

#include "blit/BlitType.h"
#include "foundation/CFile.h"
#include "frames/ColorTable.h"
#include "frames/Frame.h"
#include "frames/Tga.h"

namespace {

// Run-length packets of one row of `count` pixels of `bytes` each. A run packet is written for r following
// equal pixels once r reaches runFrom; a literal packet stops where the next pair of equal neighbours begins.
void EncodeRow(const std::uint8_t* row, int count, int bytes, int runFrom, std::vector<std::uint8_t>& out)
{
    const auto same = [&](int a, int b) { return std::memcmp(row + a * bytes, row + b * bytes, bytes) == 0; };
    int i = 0;
    while (i < count) {
        const int limit = std::min(127, count - i - 1);
        int equal = 0;
        while (equal < limit && same(i, i + 1 + equal)) ++equal;
        if (equal >= runFrom) {
            out.push_back(static_cast<std::uint8_t>(0x80 | equal));
            out.insert(out.end(), row + i * bytes, row + (i + 1) * bytes);
            i += equal + 1;
            continue;
        }
        int length = 1;
        while (length < limit + 1 && !(i + length + 1 < count && same(i + length, i + length + 1))) ++length;
        out.push_back(static_cast<std::uint8_t>(length - 1));
        out.insert(out.end(), row + i * bytes, row + (i + length) * bytes);
        i += length;
    }
}

void AppendColorMap(CFrame& frame, std::vector<std::uint8_t>& out)
{
    const ColorTable* palette = frame.ReportsPalette() ? frame.GetPalette() : nullptr;
    for (int i = 0; i < 256; ++i) {
        if (palette && !palette->IsEmpty()) {
            out.insert(out.end(), palette->GetData() + 3 * i, palette->GetData() + 3 * i + 3);
            continue;
        }
        out.insert(out.end(), 3, static_cast<std::uint8_t>(i));
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeTga(CFrame& source)
{
    const int bits = source.GetBitDepth();
    if (!source.GetPixels() || (bits != 8 && bits != 24 && bits != 32)) return {};
    CFrame plainCopy;
    CFrame* frame = &source;
    if (source.IsEncoded()) {
        // Run data is drawn into plain pixels of the same depth and size first.
        plainCopy.Create(source.GetWidth(), source.GetHeight(), bits);
        plainCopy.BlitAt(&source, -source.GetOriginX(), -source.GetOriginY(), &NormalBlitType());
        frame = &plainCopy;
    }
    TgaHeader header;
    header.colorMapType = bits == 8 ? 1 : 0;
    header.imageType = bits == 8 ? TgaHeader::kColorMappedRle : TgaHeader::kTrueColorRle;
    header.colorMapLength = bits == 8 ? 256 : 0;
    header.colorMapEntrySize = bits == 8 ? 24 : 0;
    header.width = static_cast<std::uint16_t>(frame->GetWidth());
    header.height = static_cast<std::uint16_t>(frame->GetHeight());
    header.bitsPerPixel = static_cast<std::uint8_t>(bits);
    std::vector<std::uint8_t> out(TgaHeader::kSize);
    header.Write(out.data());
    if (bits == 8) AppendColorMap(*frame, out);
    const int bytes = bits / 8;
    for (int y = frame->GetHeight() - 1; y >= 0; --y) {
        const std::uint8_t* row = frame->GetPixels() + static_cast<std::size_t>(frame->GetLineOffsets()[y]) * bytes;
        EncodeRow(row, frame->GetWidth(), bytes, bits == 8 ? 2 : 1, out);
    }
    return out;
}

bool WriteTga(CFrame& frame, const char* path, int openFlags)
{
    const std::vector<std::uint8_t> bytes = EncodeTga(frame);
    if (bytes.empty()) return false;
    CFile file;
    if (!file.Open(path, openFlags | kFileCreate | kFileWrite)) return false;
    const int size = static_cast<int>(bytes.size());
    const bool written = file.Write(bytes.data(), size) == size;
    return file.Close() && written;
}
