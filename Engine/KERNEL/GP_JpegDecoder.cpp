// JPEG pictures through libjpeg: colour pictures quantised to at most 128 colours in one pass, greyscale ones
// kept as 256 greys; an 8-bit DIB with the palette either way. libjpeg reports errors by jumping back here.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "GP_Picture.h"

namespace {

constexpr int QuantisedColours = 128;
constexpr JDIMENSION LargestSide = 16384;

struct JumpingErrors {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->back, 1); }

void Silent(j_common_ptr) {}

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
    const bool grey = info.num_components == 1;
    if (!grey) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = QuantisedColours;
        info.two_pass_quantize = FALSE;
    }
    jpeg_start_decompress(&info);
    if (info.output_width > LargestSide || info.output_height > LargestSide || info.output_components != 1 ||
        !Create(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                8 * info.output_components, -1)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    if (grey) {
        std::uint8_t ramp[256];
        for (int i = 0; i < 256; ++i) ramp[i] = static_cast<std::uint8_t>(i);
        SetPalette(256, ramp, ramp, ramp);
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
