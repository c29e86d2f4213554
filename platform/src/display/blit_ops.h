// The pixel work of the blits: plain and colour-keyed copies, nearest-pixel scaling and fills of 16-bit
// rectangles. The rectangles are already checked to lie inside their surfaces.
#pragma once
#include "display_state.h"

namespace platform::display {

struct KeyRange {
    WORD low;
    WORD high;
};

// Copies the source rectangle to (x, y); with a key, source pixels inside the key range are skipped.
// Source and destination may be the same surface.
void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source, const RECT& from, const KeyRange* key);
// Scales the source rectangle onto the destination rectangle, nearest pixel.
void ScalePixels(const PixelView& dest, const RECT& to, const PixelView& source, const RECT& from, const KeyRange* key);
void FillPixels(const PixelView& dest, const RECT& area, WORD color);

bool RectInside(const RECT& rect, int width, int height);

}  // namespace platform::display
