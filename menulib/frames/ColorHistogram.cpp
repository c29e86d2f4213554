#include "frames/ColorHistogram.h"

#include "frames/FrameInterface.h"

void ColorHistogram::AddFrame(const CFrameInterface& frame)
{
    auto& source = const_cast<CFrameInterface&>(frame);
    const std::uint8_t* pixels = source.GetPixels();
    const int bytes = source.GetBytesPerPixel();
    if (!pixels || bytes < 3 || (source.GetFlags() & kFrameEncodingMask)) return;
    const int lines = source.GetHeight(), width = source.GetWidth();
    const std::uint32_t* offsets = source.GetLineOffsets();
    for (int y = 0; y < lines; ++y) {
        const std::uint8_t* p = pixels + static_cast<std::size_t>(offsets[y]) * bytes;
        for (int x = 0; x < width; ++x, p += bytes) AddPixel(p[2], p[1], p[0]);
    }
}
