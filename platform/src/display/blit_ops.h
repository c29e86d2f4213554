// The pixel work of the blits: plain and colour-keyed copies, nearest-pixel scaling and fills of 16-bit
// rectangles. The rectangles are already checked to lie inside their surfaces; each call walks flat rows.
#pragma once
#include "display_state.h"
#include "platform/rect.h"

namespace platform::display {

struct KeyRange {
    WORD low;
    WORD high;
};

// Copies the source rectangle to (x, y); with a key, source pixels inside the key range are skipped.
// Source and destination may be the same surface.
void CopyPixels(const PixelView& dest, int x, int y, const PixelView& source, const Rect& from, const KeyRange* key);
// Scales the source rectangle onto the destination rectangle, nearest pixel.
void ScalePixels(const PixelView& dest, const Rect& to, const PixelView& source, const Rect& from, const KeyRange* key);
void FillPixels(const PixelView& dest, const Rect& area, WORD color);

// Whether the rectangle has pixels and all of them lie on a surface of the size.
bool LiesOn(const Rect& rect, int width, int height);

}  // namespace platform::display
