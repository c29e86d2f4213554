// A frame's pixels to and from JPEG.
#include <cstring>
#include <utility>

#include "blit/BlitType.h"
#include "frames/Frame.h"
#include "frames/Jpeg.h"

bool CFrame::LoadJpeg(CFileBuf& stream)
{
    int width = 0, height = 0;
    JpegPixels pixels = DecodeJpeg(stream, width, height);
    if (!pixels) return false;
    FreePixels();
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 3;
    auto plane = std::make_unique<std::uint8_t[]>(bytes);
    std::memcpy(plane.get(), pixels.get(), bytes);
    SetSize(width, height);
    SetBitDepth(24);
    SetPlane(0, std::move(plane), MakeLineOffsetTable(height, width));
    return true;
}

bool CFrame::SaveJpeg(CFileBuf& stream, int quality)
{
    if (!GetPixels()) return false;
    CFrame copy;
    if (!copy.Create(GetWidth(), GetHeight(), 24)) return false;
    copy.BlitAt(this, -GetOriginX(), -GetOriginY(), &NormalBlitType());
    std::uint8_t* p = copy.GetPixels();
    for (std::size_t i = 0; i < static_cast<std::size_t>(GetWidth()) * GetHeight(); ++i, p += 3) std::swap(p[0], p[2]);
    return EncodeJpeg(stream, copy.GetPixels(), GetWidth(), GetHeight(), true, quality);
}
