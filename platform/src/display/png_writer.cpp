#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

#include "display_state.h"
#include "platform/files.h"
#include "platform/screenshot.h"
#include "platform/unique_file.h"

namespace {

// 8-bit channels from a 16-bit pixel, the top bits repeated into the bottom ones so that white stays white.
void ExpandPixel(std::uint16_t p, const platform::PixelFormat& format, png_byte* out)
{
    out[0] = static_cast<png_byte>(format.Red8(p));
    out[1] = static_cast<png_byte>(format.Green8(p));
    out[2] = static_cast<png_byte>(format.Blue8(p));
}

void WriteRows(png_structp png, const platform::PresentedFrame& frame, std::vector<png_byte>& row)
{
    const platform::PixelFormat& format = platform::display::PixelFormatOf(frame.is555);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint16_t* in = frame.pixels.data() + static_cast<size_t>(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) ExpandPixel(in[x], format, &row[static_cast<size_t>(x) * 3]);
        png_write_row(png, row.data());
    }
}

}  // namespace

namespace platform {

bool WriteFramePng(const std::string& path, const PresentedFrame& frame)
{
    if (frame.width < 1 || frame.height < 1 || frame.pixels.size() < static_cast<size_t>(frame.width) * frame.height)
        return false;
    const UniqueFile file = OpenUniqueFile(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<size_t>(frame.width) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    WriteRows(png, frame, row);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

}  // namespace platform
