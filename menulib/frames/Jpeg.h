// JPEG through libjpeg with the library's own memory source, stream destination and error manager. Errors end
// the decode or encode cleanly; every libjpeg message, warnings included, is shown in a "JPEG Error" box.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <memory>

class CFileBuf;
struct jpeg_error_mgr;

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};
using JpegPixels = std::unique_ptr<std::uint8_t[], FreeDeleter>;

// The largest picture a JPEG may describe: a frame's width and height are 16-bit, and the pixel count is capped
// so that a damaged header cannot ask for gigabytes.
constexpr int kMaxJpegSide = 0xFFFF;
constexpr long long kMaxJpegPixels = 64LL * 1024 * 1024;

// libjpeg's standard error manager whose messages show in a "JPEG Error" box and whose error exit shows the
// message and destroys the JPEG object instead of ending the process (the decoder and encoder jump back instead).
jpeg_error_mgr* JpegStdError(jpeg_error_mgr* manager);

// Decodes JPEG bytes into width x height x 3 bytes B, G, R; null when they cannot be decoded.
JpegPixels DecodeJpegBytes(const std::uint8_t* data, std::size_t size, int& width, int& height);
// The same over the stream's remaining bytes.
JpegPixels DecodeJpeg(CFileBuf& stream, int& width, int& height);
// Encodes width x height pixels of bytes R, G, B (colour) or their grey (not colour) at the quality.
bool EncodeJpeg(CFileBuf& stream, const std::uint8_t* pixels, int width, int height, bool colour, int quality);
