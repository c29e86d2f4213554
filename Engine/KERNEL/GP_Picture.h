// Picture files: a device-independent bitmap read by a decoder for the file's type (BMP or JPEG), and a GDI
// bitmap of it in the screen's format.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/wingdi.h"

// Picture types by file-name extension (the text after the last '.'), without regard to case: "BMP" 0,
// "JPG" 1, "GIF" 2, "XPM" 3, "PNG" 4; -1 for any other. Only BMP and JPG have decoders.
int GP_PictureType(const char* extension);

// The largest picture the decoders take: sides up to the largest surface, and at most 2^23 pixels (27 screens
// of 640 x 480, a 16 MB surface). Larger sizes are refused from the header, before any pixel is decoded, so that
// a small damaged file cannot cost gigabytes and seconds.
constexpr long long GP_LargestPictureSide = 16384;
constexpr long long GP_LargestPicturePixels = 1LL << 23;
bool GP_PictureSizeFits(long long width, long long height);

class CGP_PictureDecoder {
public:
    CGP_PictureDecoder() = default;
    CGP_PictureDecoder(const CGP_PictureDecoder&) = delete;
    CGP_PictureDecoder& operator=(const CGP_PictureDecoder&) = delete;
    virtual ~CGP_PictureDecoder();

    virtual bool IsInside(int x, int y);
    // A DIB of the size and depth, bottom-up, with room for 256 colours; 4- and 8-bit ones get the 16 VGA
    // colours repeated. Flags -1 become 0 up to 8 bits and 2 above.
    virtual bool Create(int newWidth, int newHeight, int newBitsPerPixel, int newFlags);
    // A palette of count entries (g and b default to r); the colour table becomes indices into it.
    virtual void SetPalette(int count, const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b);
    virtual HPALETTE GetPalette();
    // Reads the picture from the file's current position; false for a picture it cannot read.
    virtual bool Load(std::FILE* file);

    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(dib); }

    std::uint8_t* bits = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t bitsPerPixel = 0;
    std::int32_t flags = 0;  // 3 once a palette is attached
    std::int32_t stride = 0;
    std::uint8_t* dib = nullptr;  // header, colour table, rows bottom-up
    std::int32_t reserved = -1;
    HPALETTE palette = nullptr;

protected:
    void FreeDib();
    // Rewrites the first count colour-table entries as palette indices 0, 1, 2, ...
    void UsePaletteIndices(int count);
};

class CGP_BmpDecoder : public CGP_PictureDecoder {
public:
    bool Load(std::FILE* file) override;
};

class CGP_JpegDecoder : public CGP_PictureDecoder {
public:
    bool Load(std::FILE* file) override;
};

class CGP_Picture {
public:
    CGP_Picture() = default;
    CGP_Picture(const CGP_Picture&) = delete;
    CGP_Picture& operator=(const CGP_Picture&) = delete;
    virtual ~CGP_Picture();

    virtual int GetWidth();
    virtual int GetHeight();
    virtual bool CreateDecoder(int pictureType);
    virtual const BITMAPINFO* GetInfo();
    virtual std::uint8_t* GetBits();
    virtual HPALETTE GetPalette();

    // False for type -1, a type without a decoder, or a picture the decoder cannot read.
    bool Load(std::FILE* file, int pictureType);
    // A GDI bitmap of the picture in the screen's format; null without a picture.
    HBITMAP CreateBitmap();

    std::unique_ptr<CGP_PictureDecoder> decoder;
    int type = -1;
};
