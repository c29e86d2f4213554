#include "GP_Picture.h"

#include <strings.h>
#include <cstring>
#include <iterator>

namespace {

struct ExtensionType {
    const char* extension;
    int type;
};

// Sorted for the binary search.
constexpr ExtensionType PictureTypes[] = {{"BMP", 0}, {"GIF", 2}, {"JPG", 1}, {"PNG", 4}, {"XPM", 3}};

}  // namespace

int GP_PictureType(const char* extension)
{
    if (!extension) return -1;
    int low = 0, high = static_cast<int>(std::size(PictureTypes)) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = strcasecmp(extension, PictureTypes[middle].extension);
        if (order == 0) return PictureTypes[middle].type;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return -1;
}

bool GP_PictureSizeFits(long long width, long long height)
{
    return width >= 1 && height >= 1 && width <= GP_LargestPictureSide && height <= GP_LargestPictureSide &&
           width * height <= GP_LargestPicturePixels;
}

CGP_Picture::~CGP_Picture() = default;

int CGP_Picture::GetWidth() { return decoder ? decoder->width : 0; }
int CGP_Picture::GetHeight() { return decoder ? decoder->height : 0; }
const BITMAPINFO* CGP_Picture::GetInfo() { return decoder ? decoder->Info() : nullptr; }
std::uint8_t* CGP_Picture::GetBits() { return decoder ? decoder->bits : nullptr; }
HPALETTE CGP_Picture::GetPalette() { return decoder ? decoder->GetPalette() : nullptr; }

bool CGP_Picture::CreateDecoder(int pictureType)
{
    decoder.reset();
    type = pictureType;
    if (pictureType == 0) decoder = std::make_unique<CGP_BmpDecoder>();
    if (pictureType == 1) decoder = std::make_unique<CGP_JpegDecoder>();
    return decoder != nullptr;
}

bool CGP_Picture::Load(std::FILE* file, int pictureType)
{
    if (pictureType == -1 || !file) return false;
    if (!(decoder && type == pictureType) && !CreateDecoder(pictureType)) return false;
    return decoder->Load(file);
}

HBITMAP CGP_Picture::CreateBitmap()
{
    if (!decoder || !decoder->dib || !decoder->bits) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateCompatibleBitmap(dc, decoder->width, decoder->height);
    HGDIOBJ previous = canvas ? SelectObject(dc, canvas) : nullptr;
    HPALETTE previousPalette = nullptr;
    if (decoder->palette) {
        previousPalette = SelectPalette(dc, decoder->palette, FALSE);
        RealizePalette(dc);
    }
    const BITMAPINFO* info = decoder->Info();
    HBITMAP result = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, decoder->bits, info, DIB_PAL_COLORS);
    if (decoder->palette) SelectPalette(dc, previousPalette, FALSE);
    if (previous && previous != canvas) SelectObject(dc, previous);
    DeleteDC(dc);
    if (canvas) DeleteObject(canvas);
    return result;
}
