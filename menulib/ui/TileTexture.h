// Covers a rectangle with copies of a picture laid edge to edge from the rectangle's top-left corner.
#pragma once
#include "platform/rect.h"

class CFrameInterface;

void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect);
