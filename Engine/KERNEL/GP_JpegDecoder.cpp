// JPEG pictures through libjpeg: colour pictures quantised to at most 128 colours in one pass, greyscale ones
// kept as 256 greys; an 8-bit DIB with the palette either way. Pictures in printing inks (CMYK, or YCCK that
// libjpeg turns into CMYK) are quantised in their inks and their palette converted to RGB. libjpeg reports
// errors by jumping back here.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "GP_Picture.h"

namespace {

constexpr int QuantisedColours = 128;

struct JumpingErrors {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->back, 1); }

void Silent(j_common_ptr) {}

bool InInks(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

bool KnownColourSpace(const jpeg_decompress_struct& info)
{
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE: return info.num_components == 1;
    case JCS_YCbCr:
    case JCS_RGB: return info.num_components == 3;
    case JCS_CMYK:
    case JCS_YCCK: return info.num_components == 4;
    default: return false;
    }
}

// The quantised colours of an ink picture as RGB: each ink takes its share of the light that black leaves.
// Adobe's programs store every ink inverted (255 is no ink), and mark their files so.
void SetInkPalette(CGP_PictureDecoder& decoder, const jpeg_decompress_struct& info)
{
    const int count = info.actual_number_of_colors;
    std::uint8_t rgb[3][256];
    for (int i = 0; i < count; ++i) {
        auto light = [&](int ink) {
            const int stored = info.colormap[ink][i];
            return info.saw_Adobe_marker ? stored : 255 - stored;
        };
        for (int c = 0; c < 3; ++c) rgb[c][i] = static_cast<std::uint8_t>((light(c) * light(3) + 127) / 255);
    }
    decoder.SetPalette(count, rgb[0], rgb[1], rgb[2]);
}

}  // namespace

bool CGP_JpegDecoder::Load(std::FILE* file)
{
    jpeg_decompress_struct info;
    JumpingErrors errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpBack;
    errors.base.output_message = Silent;
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    // Refused from the header alone: decoding a size no screen uses would cost the time and memory it claims.
    if (!KnownColourSpace(info) || !GP_PictureSizeFits(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const bool grey = info.num_components == 1;
    const bool inks = InInks(info);
    if (inks) info.out_color_space = JCS_CMYK;
    if (!grey) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = QuantisedColours;
        info.two_pass_quantize = FALSE;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width), height = static_cast<int>(info.output_height);
    if (info.output_components != 1 || !Create(width, height, 8 * info.output_components, -1)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (grey) {
        std::uint8_t ramp[256];
        for (int i = 0; i < 256; ++i) ramp[i] = static_cast<std::uint8_t>(i);
        SetPalette(256, ramp, ramp, ramp);
    } else if (inks) {
        SetInkPalette(*this, info);
    } else {
        SetPalette(info.actual_number_of_colors, info.colormap[0], info.colormap[1], info.colormap[2]);
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bits + static_cast<size_t>(stride) * (info.output_height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
