// Covers a rectangle with copies of a picture laid edge to edge from the rectangle's top-left corner, or from an
// anchor point, so that several rectangles tiled from one anchor show one seamless pattern.
#pragma once
#include "platform/rect.h"

class CFrameInterface;

void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect);
void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect, int anchorX,
                 int anchorY);
