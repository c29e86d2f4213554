// GDI objects inside the platform layer. Handles are pointers to these; every object carries a tag so that a
// handle of the wrong kind is refused instead of misread.
#pragma once
#include <vector>

#include "display_state.h"
#include "platform/wingdi.h"

namespace platform::display {

enum class GdiKind : DWORD {
    DeviceContext = 0x47444331,
    Bitmap = 0x47444232,
    Palette = 0x47445033
};

struct GdiObject {
    explicit GdiObject(GdiKind kind) : kind(kind) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
};

struct GdiBitmap : GdiObject {
    GdiBitmap(int width, int height, bool is555)
        : GdiObject(GdiKind::Bitmap),
          pixels(static_cast<size_t>(width) * height, 0),
          view{pixels.data(), static_cast<LONG>(width * sizeof(WORD)), width, height, is555}
    {
    }
    std::vector<WORD> pixels;
    PixelView view;
    int selections = 0;  // DCs it is selected into
};

struct GdiPalette : GdiObject {
    GdiPalette() : GdiObject(GdiKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

struct DeviceContext : GdiObject {
    DeviceContext() : GdiObject(GdiKind::DeviceContext) {}
    PixelView target;             // the surface's pixels, or the selected bitmap's
    GdiBitmap* bitmap = nullptr;  // memory DCs: the selected bitmap (null: none, no pixels)
    GdiPalette* palette = nullptr;
    HGDIOBJ font = nullptr;
    COLORREF textColor = 0x000000;
    COLORREF backColor = 0xFFFFFF;
    int backMode = OPAQUE;
    bool ofSurface = false;
};

HDC CreateSurfaceDC(const PixelView& surface);
void DestroySurfaceDC(HDC dc);

// Converts a DIB to 16-bit pixels of the target's format; false for a DIB that is not understood.
bool ConvertDib(const BITMAPINFO& info, const void* bits, UINT usage, const GdiPalette* palette,
                const PixelView& target);

// Draws one character cell of the built-in font with the top-left corner at (x, y), cut to the target.
constexpr int FontCellWidth = 8;
constexpr int FontCellHeight = 12;
void DrawGlyph(const PixelView& target, int x, int y, char c, WORD ink, const WORD* paper);

}  // namespace platform::display
