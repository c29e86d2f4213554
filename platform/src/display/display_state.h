// State the display's objects share inside the platform layer: the pixel format, the switches of
// display_testing.h, the live surfaces, and access to a surface's pixels for GDI and the presenters.
#pragma once
#include <deque>
#include <vector>

#include "platform/ddraw.h"
#include "platform/display_testing.h"
#include "platform/pixel_format.h"

namespace platform::display {

struct DisplayState {
    bool is555 = false;
    bool videoMemoryFull = false;
    bool foreignMode = false;
    bool fullScreen = false;
    std::deque<HRESULT> verticalBlankResults;
    std::deque<platform::FlippingChainFault> chainFaults;
    std::vector<IDirectDrawSurface4*> surfaces;  // every live surface
};

DisplayState& State();

// The description of the display's 5-5-5 or 5-6-5 format.
inline const PixelFormat& PixelFormatOf(bool is555) { return is555 ? kPixelFormat555 : kPixelFormat565; }
// Fills a DirectDraw pixel-format record with the format's depth and masks.
void DescribePixelFormat(DDPIXELFORMAT* record, const PixelFormat& format);

// A 16-bit pixel of the given format from a GDI colour; channels are cut to their top bits.
WORD PixelFromColor(COLORREF color, bool is555);

// The pixel memory of a surface, for GDI device contexts and the presenters.
struct PixelView {
    WORD* pixels = nullptr;
    LONG pitch = 0;  // bytes
    int width = 0;
    int height = 0;
    bool is555 = false;

    WORD* Row(int y) const { return reinterpret_cast<WORD*>(reinterpret_cast<BYTE*>(pixels) + y * pitch); }
};

struct SurfaceAccess {
    static PixelView View(const IDirectDrawSurface4& surface);
    static void MarkLost(IDirectDrawSurface4& surface);
};

}  // namespace platform::display
