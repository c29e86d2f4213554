// Device-independent bitmaps to the screen's 16-bit pixels, as GDI converts them on a 16-bit screen: each
// channel is widened to 8 bits and then cut to its top 5 (or 6) bits.
#include <bit>
#include <cstring>

#include "gdi_objects.h"

namespace platform::display {

namespace {

struct Channel {
    DWORD mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(DWORD m) : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)) {}

    DWORD Value8(DWORD pixel) const
    {
        if (bits == 0) return 0;
        DWORD v = (pixel & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        DWORD widened = 0;
        int filled = 0;
        while (filled < 8) {
            widened = (widened << bits) | v;
            filled += bits;
        }
        return widened >> (filled - 8);
    }
};

COLORREF ToColor(BYTE r, BYTE g, BYTE b) { return RGB(r, g, b); }

// The pixel value of colour-table entry i: a palette index (DIB_PAL_COLORS), black when the palette lacks it, or
// an RGBQUAD.
WORD TableEntryPixel(const BYTE* colors, DWORD i, UINT usage, const GdiPalette* palette, bool is555)
{
    if (usage != DIB_PAL_COLORS) {
        RGBQUAD q;
        std::memcpy(&q, colors + i * sizeof q, sizeof q);
        return PixelFromColor(ToColor(q.rgbRed, q.rgbGreen, q.rgbBlue), is555);
    }
    WORD index;
    std::memcpy(&index, colors + i * sizeof index, sizeof index);
    if (!palette || index >= palette->entries.size()) return 0;
    const PALETTEENTRY& e = palette->entries[index];
    return PixelFromColor(ToColor(e.peRed, e.peGreen, e.peBlue), is555);
}

// Pixel values of the colour table, for 1, 4 and 8 bits: 256 entries, unused and unknown ones black.
std::vector<WORD> IndexedColors(const BITMAPINFO& info, UINT usage, const GdiPalette* palette, bool is555)
{
    std::vector<WORD> table(256, 0);
    const BITMAPINFOHEADER& h = info.bmiHeader;
    DWORD count = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
    if (count > 256) count = 256;
    const BYTE* colors = reinterpret_cast<const BYTE*>(&info) + h.biSize;
    for (DWORD i = 0; i < count; ++i) table[i] = TableEntryPixel(colors, i, usage, palette, is555);
    return table;
}

DWORD ReadLe(const BYTE* p, int bytes)
{
    DWORD v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The colour index of pixel x of a row of 1, 4 or 8 bits per pixel (the leftmost pixel in the high bits).
int IndexAt(const BYTE* row, int x, int bpp)
{
    const int perByte = 8 / bpp;
    const int shift = 8 - bpp * (x % perByte + 1);
    return (row[x / perByte] >> shift) & ((1 << bpp) - 1);
}

// Pixel x of a row of 16, 24 or 32 bits per pixel, through the row's channel masks.
WORD DirectPixel(const BYTE* row, int x, int bpp, const Channel& red, const Channel& green, const Channel& blue,
                 bool is555)
{
    DWORD pixel = ReadLe(row + static_cast<size_t>(x) * (bpp / 8), bpp / 8);
    if (bpp == 24) pixel &= 0xFFFFFF;
    const COLORREF c = ToColor(static_cast<BYTE>(red.Value8(pixel)), static_cast<BYTE>(green.Value8(pixel)),
                               static_cast<BYTE>(blue.Value8(pixel)));
    return PixelFromColor(c, is555);
}

}  // namespace

bool ConvertDib(const BITMAPINFO& info, const void* bits, UINT usage, const GdiPalette* palette,
                const PixelView& target)
{
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const int bpp = h.biBitCount;
    const bool knownDepth = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    const bool bitfields = h.biCompression == BI_BITFIELDS;
    if (!knownDepth || h.biSize < sizeof(BITMAPINFOHEADER) || (h.biCompression != BI_RGB && !bitfields) ||
        (bitfields && bpp != 16 && bpp != 32))
        return false;
    const int width = target.width;
    const int height = target.height;
    const size_t stride = (static_cast<size_t>(bpp) * width + 31) / 32 * 4;
    const bool bottomUp = h.biHeight > 0;
    const BYTE* rows = static_cast<const BYTE*>(bits);

    std::vector<WORD> table;
    if (bpp <= 8) table = IndexedColors(info, usage, palette, target.is555);
    DWORD masks[3] = {0xFF0000, 0x00FF00, 0x0000FF};
    if (bpp == 16) {
        // 16-bit bitmaps without bit fields are 5-5-5.
        masks[0] = kPixelFormat555.redMask;
        masks[1] = kPixelFormat555.greenMask;
        masks[2] = kPixelFormat555.blueMask;
    }
    if (bitfields) std::memcpy(masks, reinterpret_cast<const BYTE*>(&info) + h.biSize, sizeof(masks));
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    for (int row = 0; row < height; ++row) {
        const BYTE* in = rows + static_cast<size_t>(row) * stride;
        WORD* out = target.Row(bottomUp ? height - 1 - row : row);
        for (int x = 0; x < width; ++x)
            out[x] = bpp <= 8 ? table[IndexAt(in, x, bpp)] : DirectPixel(in, x, bpp, red, green, blue, target.is555);
    }
    return true;
}

}  // namespace platform::display
