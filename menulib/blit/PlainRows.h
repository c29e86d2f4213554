// The row walker of draw functions with plain sources, and what those functions share: the palette of 8-bit
// sources and the per-pixel conversions between formats.
#pragma once
#include <cstdint>
#include <cstring>

#include "blit/BlitType.h"
#include "blit/PixelTables.h"
#include "frames/FrameInterface.h"

namespace plain_rows {

// Clips the (equal-sized) rectangles of a draw to the source's and the destination's pixels, moving the other
// rectangle's edges by the same amounts; false when nothing is left. Draw functions may be called directly, so
// they never trust a rectangle to lie inside the frames' lines.
inline bool ClipDrawRects(const CFrameInterface& source, platform::Rect& sourceRect, const CFrameInterface& destination,
                          platform::Rect& destinationRect)
{
    if (!source.GetPixels() || !destination.GetPixels()) return false;
    return ClipBlitRects(platform::Rect::OfSize(source.GetWidth(), source.GetHeight()), destinationRect, sourceRect) &&
           ClipBlitRects(platform::Rect::OfSize(destination.GetWidth(), destination.GetHeight()), sourceRect,
                         destinationRect);
}

// Calls rowOp(sourceRow, destinationRow, width) for every row of the (equal-sized) rectangles, clipped first.
template <typename RowOp>
void WalkRows(CFrameInterface* source, platform::Rect sourceRect, CFrameInterface* destination,
              platform::Rect destinationRect, RowOp rowOp)
{
    if (!ClipDrawRects(*source, sourceRect, *destination, destinationRect)) return;
    const int sourceBytes = source->GetBytesPerPixel(), destinationBytes = destination->GetBytesPerPixel();
    const std::uint32_t* sourceLines = source->GetLineOffsets() + sourceRect.top;
    const std::uint32_t* destinationLines = destination->GetLineOffsets() + destinationRect.top;
    // The planes stay where they are for the whole draw: their addresses are asked for once, not per row.
    const std::uint8_t* sourcePixels = source->GetPixels() + static_cast<std::size_t>(sourceRect.left) * sourceBytes;
    std::uint8_t* destinationPixels =
        destination->GetPixels() + static_cast<std::size_t>(destinationRect.left) * destinationBytes;
    const int width = destinationRect.Width();
    const int height = destinationRect.Height();
    for (int y = 0; y < height; ++y)
        rowOp(sourcePixels + static_cast<std::size_t>(sourceLines[y]) * sourceBytes,
              destinationPixels + static_cast<std::size_t>(destinationLines[y]) * destinationBytes, width);
}

// The palette an 8-bit source is drawn with: the blit type's own table, else the source's palette, else the
// current palette. Entries are B, G, R.
const std::uint8_t* SourcePalette(CFrameInterface* source, BlitType* blitType);

inline std::uint16_t Load16(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void Store16(std::uint8_t* p, std::uint16_t v) { std::memcpy(p, &v, 2); }

// The palette index of a 5-6-5 pixel: the host's inverse palette, else the default palette's nearest entry.
std::uint8_t IndexOf565(std::uint16_t pixel);
// The palette index of a 24-bit colour through the default palette.
std::uint8_t IndexOfRgb(int r, int g, int b);

}  // namespace plain_rows
