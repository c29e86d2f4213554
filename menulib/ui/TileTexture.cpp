#include "ui/TileTexture.h"

#include "blit/BlitType.h"
#include "frames/FrameInterface.h"

void TileTexture(CFrameInterface* frame, CFrameInterface* texture, const platform::Rect& rect)
{
    const platform::Rect source = texture->GetBounds();
    const int width = source.Width();
    const int height = source.Height();
    if (rect.IsEmpty() || width <= 0 || height <= 0) return;
    for (int y = rect.top; y < rect.bottom; y += height)
        for (int x = rect.left; x < rect.right; x += width) {
            const platform::Rect tile = platform::Rect::At(x, y, width, height).Intersected(rect);
            const platform::Rect from = platform::Rect::At(source.left, source.top, tile.Width(), tile.Height());
            frame->Blit(texture, from, tile, &NormalBlitType());
        }
}
