#include <cstring>
#include <vector>

#include "GP_Picture.h"

namespace {

constexpr int TableEntries = 256;

constexpr std::uint32_t VgaColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

}  // namespace

CGP_PictureDecoder::~CGP_PictureDecoder()
{
    FreeDib();
    if (palette) DeleteObject(palette);
}

void CGP_PictureDecoder::FreeDib()
{
    delete[] dib;
    dib = nullptr;
    bits = nullptr;
}

bool CGP_PictureDecoder::IsInside(int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; }

bool CGP_PictureDecoder::Create(int newWidth, int newHeight, int newBitsPerPixel, int newFlags)
{
    FreeDib();
    if (newWidth < 1 || newHeight < 1 || newBitsPerPixel < 1 || newBitsPerPixel > 32) return false;
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
    flags = newFlags == -1 ? (newBitsPerPixel <= 8 ? 0 : 2) : newFlags;
    stride = static_cast<std::int32_t>((static_cast<long long>(newBitsPerPixel) * newWidth + 31) / 32 * 4);
    const size_t imageSize = static_cast<size_t>(stride) * newHeight;
    const size_t tableSize = TableEntries * sizeof(RGBQUAD);
    dib = new std::uint8_t[sizeof(BITMAPINFOHEADER) + tableSize + imageSize]();
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib);
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = newWidth;
    header->biHeight = newHeight;
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(newBitsPerPixel);
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(imageSize);
    if (newBitsPerPixel == 4 || newBitsPerPixel == 8) {
        auto* table = reinterpret_cast<RGBQUAD*>(dib + sizeof(BITMAPINFOHEADER));
        const int colours = newBitsPerPixel == 4 ? 16 : 256;
        for (int i = 0; i < colours; ++i) {
            const std::uint32_t c = VgaColours[i % 16];
            table[i] = RGBQUAD{static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16), 0};
        }
    }
    bits = dib + sizeof(BITMAPINFOHEADER) + tableSize;
    return true;
}

void CGP_PictureDecoder::UsePaletteIndices(int count)
{
    if (!dib) return;
    auto* indices = reinterpret_cast<WORD*>(dib + reinterpret_cast<BITMAPINFOHEADER*>(dib)->biSize);
    for (int i = 0; i < count; ++i) indices[i] = static_cast<WORD>(i);
}

void CGP_PictureDecoder::SetPalette(int count, const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b)
{
    if (count < 1 || count > TableEntries || !r) return;
    if (!g) g = r;
    if (!b) b = r;
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) logical->palPalEntry[i] = PALETTEENTRY{r[i], g[i], b[i], 0};
    if (palette) DeleteObject(palette);
    palette = CreatePalette(logical);
    UsePaletteIndices(count);
    flags |= 3;
}

HPALETTE CGP_PictureDecoder::GetPalette() { return palette; }

bool CGP_PictureDecoder::Load(std::FILE* file) { return false; }
