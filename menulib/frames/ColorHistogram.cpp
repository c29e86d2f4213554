#include "frames/ColorHistogram.h"

#include "frames/FrameInterface.h"

void ColorHistogram::AddFrame(const CFrameInterface& frame)
{
    auto& source = const_cast<CFrameInterface&>(frame);
    const std::uint8_t* pixels = source.GetPixels();
    if (!pixels || source.GetBitDepth() != 24 || (source.GetFlags() & kFrameEncodingMask)) return;
    const int lines = source.GetHeight(), width = source.GetWidth();
    const std::uint32_t* offsets = source.GetLineOffsets();
    for (int y = 0; y < lines; ++y) {
        const std::uint8_t* p = pixels + static_cast<std::size_t>(offsets[y]) * 3;
        for (int x = 0; x < width; ++x, p += 3) AddPixel(p[2], p[1], p[0]);
    }
}
