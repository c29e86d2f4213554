#include "ui/TileTexture.h"

#include "blit/BlitType.h"
#include "frames/FrameInterface.h"

namespace {

// The first tile position at or before edge of the tiles laid every step from the anchor.
int FirstTile(int edge, int anchor, int step)
{
    int offset = (edge - anchor) % step;
    if (offset < 0) offset += step;
    return edge - offset;
}

}  // namespace

void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect)
{
    TileTexture(frame, texture, rect, rect.left, rect.top);
}

void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect, int anchorX, int anchorY)
{
    const platform::Rect source = texture->GetBounds();
    const int width = source.Width();
    const int height = source.Height();
    if (rect.IsEmpty() || width <= 0 || height <= 0) return;
    for (int y = FirstTile(rect.top, anchorY, height); y < rect.bottom; y += height)
        for (int x = FirstTile(rect.left, anchorX, width); x < rect.right; x += width) {
            const platform::Rect tile = platform::Rect::At(x, y, width, height).Intersected(rect);
            const platform::Rect from =
                platform::Rect::At(source.left + tile.left - x, source.top + tile.top - y, tile.Width(), tile.Height());
            frame->Blit(texture, from, tile, &NormalBlitType());
        }
}
