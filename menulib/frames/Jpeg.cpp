#include "frames/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "foundation/CFileBuf.h"
#include "foundation/HostWindow.h"
#include "platform/win32_message_box.h"

namespace {

constexpr std::size_t kJpegBufferSize = 4096;
const JOCTET kFakeEndOfImage[2] = {0xFF, JPEG_EOI};

// The error manager with the jump back to the caller's recovery point.
struct JumpingError {
    jpeg_error_mgr manager;
    std::jmp_buf recovery;
};

void ShowJpegMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    MessageBoxA(MessageOwnerWindow(), text, "JPEG Error", MB_OK);
}

// The standard error exit of the library's manager: show, destroy the object and return.
void ShowAndDestroy(j_common_ptr info)
{
    (*info->err->output_message)(info);
    jpeg_destroy(info);
}

[[noreturn]] void JumpBack(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JumpingError*>(info->err)->recovery, 1);
}

// ---- Memory source: 4096 bytes at a time, with a fake end marker when the data runs out.

struct MemorySource {
    jpeg_source_mgr manager;
    const std::uint8_t* data;
    std::size_t left;
    bool started;
    JOCTET buffer[kJpegBufferSize];
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<MemorySource*>(info->src);
    if (source->left == 0) {
        if (!source->started) ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        source->manager.next_input_byte = kFakeEndOfImage;
        source->manager.bytes_in_buffer = sizeof kFakeEndOfImage;
        return TRUE;
    }
    const std::size_t n = source->left < kJpegBufferSize ? source->left : kJpegBufferSize;
    std::memcpy(source->buffer, source->data, n);
    source->data += n;
    source->left -= n;
    source->started = true;
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = n;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count)
{
    jpeg_source_mgr* source = info->src;
    while (count > 0) {
        if (source->bytes_in_buffer == 0) FillInput(info);
        const long step =
            count < static_cast<long>(source->bytes_in_buffer) ? count : static_cast<long>(source->bytes_in_buffer);
        source->next_input_byte += step;
        source->bytes_in_buffer -= step;
        count -= step;
    }
}

void JpegMemorySource(j_decompress_ptr info, const std::uint8_t* data, std::size_t length)
{
    auto* source = static_cast<MemorySource*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(MemorySource)));
    source->manager.init_source = InitSource;
    source->manager.fill_input_buffer = FillInput;
    source->manager.skip_input_data = SkipInput;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = TermSource;
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
    source->data = data;
    source->left = length;
    source->started = false;
    info->src = &source->manager;
}

// ---- Stream destination: 4096-byte buffer written to the stream whole, the rest at termination.

struct StreamDestination {
    jpeg_destination_mgr manager;
    CFileBuf* stream;
    JOCTET buffer[kJpegBufferSize];
};

void InitDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<StreamDestination*>(info->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kJpegBufferSize;
}

boolean EmptyOutput(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<StreamDestination*>(info->dest);
    if (destination->stream->Write(destination->buffer, kJpegBufferSize) != static_cast<int>(kJpegBufferSize))
        ERREXIT(info, JERR_FILE_WRITE);
    InitDestination(info);
    return TRUE;
}

void TermDestination(j_compress_ptr info)
{
    auto* destination = reinterpret_cast<StreamDestination*>(info->dest);
    const int used = static_cast<int>(kJpegBufferSize - destination->manager.free_in_buffer);
    if (used > 0 && destination->stream->Write(destination->buffer, used) != used) ERREXIT(info, JERR_FILE_WRITE);
}

void JpegStreamDestination(j_compress_ptr info, CFileBuf& stream)
{
    auto* destination = static_cast<StreamDestination*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(StreamDestination)));
    destination->manager.init_destination = InitDestination;
    destination->manager.empty_output_buffer = EmptyOutput;
    destination->manager.term_destination = TermDestination;
    destination->stream = &stream;
    info->dest = &destination->manager;
}

// ---- The jobs, kept free of C++ objects because libjpeg leaves them with longjmp.

struct DecodeJob {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t* pixels;  // malloc block, B, G, R
    int width;
    int height;
};

bool RunDecode(DecodeJob* job)
{
    jpeg_decompress_struct info;
    JumpingError error;
    info.err = JpegStdError(&error.manager);
    error.manager.error_exit = JumpBack;
    job->pixels = nullptr;
    if (setjmp(error.recovery)) {
        jpeg_destroy_decompress(&info);
        std::free(job->pixels);
        job->pixels = nullptr;
        return false;
    }
    jpeg_create_decompress(&info);
    JpegMemorySource(&info, job->data, job->size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (info.image_width > static_cast<JDIMENSION>(kMaxJpegSide) ||
        info.image_height > static_cast<JDIMENSION>(kMaxJpegSide) ||
        static_cast<long long>(info.image_width) * info.image_height > kMaxJpegPixels)
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, kMaxJpegSide);
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) * 3;
    job->width = static_cast<int>(info.output_width);
    job->height = static_cast<int>(info.output_height);
    job->pixels = static_cast<std::uint8_t*>(std::malloc(rowBytes * info.output_height + 1));
    if (!job->pixels) ERREXIT(&info, JERR_OUT_OF_MEMORY);
    while (info.output_scanline < info.output_height) {
        std::uint8_t* row = job->pixels + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
        for (std::size_t x = 0; x < rowBytes; x += 3) {
            const std::uint8_t red = row[x];
            row[x] = row[x + 2];
            row[x + 2] = red;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

struct EncodeJob {
    CFileBuf* stream;
    const std::uint8_t* pixels;  // R, G, B, or one grey byte a pixel
    int width;
    int height;
    int components;
    int quality;
};

bool RunEncode(EncodeJob* job)
{
    jpeg_compress_struct info;
    JumpingError error;
    info.err = JpegStdError(&error.manager);
    error.manager.error_exit = JumpBack;
    if (setjmp(error.recovery)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    JpegStreamDestination(&info, *job->stream);
    info.image_width = static_cast<JDIMENSION>(job->width);
    info.image_height = static_cast<JDIMENSION>(job->height);
    info.input_components = job->components;
    info.in_color_space = job->components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, job->quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t rowBytes = static_cast<std::size_t>(job->width) * job->components;
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPLE*>(job->pixels + rowBytes * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

jpeg_error_mgr* JpegStdError(jpeg_error_mgr* manager)
{
    jpeg_std_error(manager);
    manager->output_message = ShowJpegMessage;
    manager->error_exit = ShowAndDestroy;
    return manager;
}

JpegPixels DecodeJpegBytes(const std::uint8_t* data, std::size_t size, int& width, int& height)
{
    DecodeJob job{data, size, nullptr, 0, 0};
    if (!RunDecode(&job)) return nullptr;
    width = job.width;
    height = job.height;
    return JpegPixels(job.pixels);
}

JpegPixels DecodeJpeg(CFileBuf& stream, int& width, int& height)
{
    const int left = stream.Size() - stream.Tell();
    std::vector<std::uint8_t> bytes(left > 0 ? left : 0);
    const int got = bytes.empty() ? 0 : stream.Read(bytes.data(), static_cast<int>(bytes.size()));
    return DecodeJpegBytes(bytes.data(), got > 0 ? static_cast<std::size_t>(got) : 0, width, height);
}

bool EncodeJpeg(CFileBuf& stream, const std::uint8_t* pixels, int width, int height, bool colour, int quality)
{
    if (!pixels || width <= 0 || height <= 0) return false;
    std::vector<std::uint8_t> grey;
    if (!colour) {
        grey.resize(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < grey.size(); ++i) {
            const std::uint8_t* p = pixels + 3 * i;
            grey[i] = static_cast<std::uint8_t>(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]);
        }
    }
    EncodeJob job{&stream, colour ? pixels : grey.data(), width, height, colour ? 3 : 1, quality};
    return RunEncode(&job);
}
