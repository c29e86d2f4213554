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

// Pixel values of the colour table, for 1, 4 and 8 bits: 256 entries, unused and unknown ones black.
std::vector<WORD> IndexedColors(const BITMAPINFO& info, UINT usage, const GdiPalette* palette, bool is555)
{
    std::vector<WORD> table(256, 0);
    const BITMAPINFOHEADER& h = info.bmiHeader;
    DWORD count = h.biClrUsed ? h.biClrUsed : 1u << h.biBitCount;
    if (count > 256) count = 256;
    const BYTE* colors = reinterpret_cast<const BYTE*>(&info) + h.biSize;
    for (DWORD i = 0; i < count; ++i) {
        if (usage == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, colors + i * 2, 2);
            if (palette && index < palette->entries.size()) {
                const PALETTEENTRY& e = palette->entries[index];
                table[i] = PixelFromColor(ToColor(e.peRed, e.peGreen, e.peBlue), is555);
            }
        } else {
            RGBQUAD q;
            std::memcpy(&q, colors + i * 4, 4);
            table[i] = PixelFromColor(ToColor(q.rgbRed, q.rgbGreen, q.rgbBlue), is555);
        }
    }
    return table;
}

DWORD ReadLe(const BYTE* p, int bytes)
{
    DWORD v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
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
        for (int x = 0; x < width; ++x) {
            if (bpp <= 8) {
                const int perByte = 8 / bpp;
                const int shift = 8 - bpp * (x % perByte + 1);
                const int index = (in[x / perByte] >> shift) & ((1 << bpp) - 1);
                out[x] = table[index];
                continue;
            }
            DWORD pixel = ReadLe(in + static_cast<size_t>(x) * (bpp / 8), bpp / 8);
            if (bpp == 24) pixel &= 0xFFFFFF;
            const COLORREF c = ToColor(static_cast<BYTE>(red.Value8(pixel)), static_cast<BYTE>(green.Value8(pixel)),
                                       static_cast<BYTE>(blue.Value8(pixel)));
            out[x] = PixelFromColor(c, target.is555);
        }
    }
    return true;
}

}  // namespace platform::display
