// The GDI that the game uses: device contexts of surfaces and memory, bitmaps made from device-independent
// bitmaps (converted to the screen's 16-bit format as GDI converts them: every channel cut to its top bits),
// palettes, copies between device contexts, and text with an opaque background in a built-in bitmap font.
#pragma once
#include "platform/win32_base.h"

struct HPALETTE__;
using HPALETTE = HPALETTE__*;

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)

struct BITMAPCOREHEADER {
    DWORD bcSize;
    WORD bcWidth;
    WORD bcHeight;
    WORD bcPlanes;
    WORD bcBitCount;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: rows bottom-up; negative: top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

struct LOGPALETTE {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[1];
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;
constexpr DWORD CBM_INIT = 4;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr UINT GDI_ERROR = 0xFFFFFFFF;

// A memory DC in the screen's format (the argument is only checked for being a DC or null).
PLATFORM_API HDC CreateCompatibleDC(HDC dc);
PLATFORM_API BOOL DeleteDC(HDC dc);
// A bitmap of width x height in the screen's 16-bit format, black.
PLATFORM_API HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// A screen-format bitmap of the header's size; with CBM_INIT the DIB's pixels are converted into it. With
// DIB_PAL_COLORS the colour table holds 16-bit indices into the palette selected into dc. Uncompressed and
// BI_BITFIELDS DIBs of 1, 4, 8, 16, 24 and 32 bits are understood; anything else gives null.
PLATFORM_API HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                                    const BITMAPINFO* info, UINT usage);
PLATFORM_API HPALETTE CreatePalette(const LOGPALETTE* palette);
// Selects a bitmap or a font; returns the object selected before (null on failure).
PLATFORM_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
PLATFORM_API HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
// 16-bit displays have no palette to realise: always 0 entries.
PLATFORM_API UINT RealizePalette(HDC dc);
PLATFORM_API BOOL DeleteObject(HGDIOBJ object);
// Only SRCCOPY; the copy is cut to both DCs' pixels.
PLATFORM_API BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         DWORD rop);
PLATFORM_API int SetBkMode(HDC dc, int mode);
PLATFORM_API COLORREF SetTextColor(HDC dc, COLORREF color);
PLATFORM_API COLORREF SetBkColor(HDC dc, COLORREF color);
// Draws in the built-in font, 8 x 12 pixels a character, cut to the DC's pixels.
PLATFORM_API BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length);
