#include "frames/FrameCache.h"

#include <cstring>
#include <vector>

#include "blit/BlitType.h"
#include "foundation/CFile.h"
#include "foundation/CompressedBlockCodec.h"
#include "frames/Frame.h"
#include "frames/FrameNames.h"
#include "frames/Jpeg.h"

namespace {

constexpr int kCacheLevel = 9;
constexpr int kDefaultQuality = 65;
int g_quality = kDefaultQuality;

using Bytes = std::vector<std::uint8_t>;

// Each byte but the first becomes its difference from the byte before it.
void DeltaEncode(std::uint8_t* bytes, std::size_t n)
{
    for (std::size_t i = n; i-- > 1;) bytes[i] = static_cast<std::uint8_t>(bytes[i] - bytes[i - 1]);
}
void DeltaDecode(std::uint8_t* bytes, std::size_t n)
{
    for (std::size_t i = 1; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(bytes[i] + bytes[i - 1]);
}

bool WriteU32(CFileBuf& stream, std::uint32_t v) { return stream.Write(&v, 4) == 4; }
bool ReadU32(CFileBuf& stream, std::uint32_t& v) { return stream.Read(&v, 4) == 4; }

// The frame as width x height pixels of B, G, R, A.
bool PixelsOf32(CFrame& frame, CFrame& holder, const std::uint8_t*& pixels)
{
    if (frame.GetBitDepth() == 32 && !frame.IsEncoded() && frame.GetPitch() == frame.GetWidth()) {
        pixels = frame.GetPixels();
        return pixels != nullptr;
    }
    if (!holder.Create(frame.GetWidth(), frame.GetHeight(), 32)) return false;
    holder.BlitAt(&frame, -frame.GetOriginX(), -frame.GetOriginY(), &NormalBlitType());
    pixels = holder.GetPixels();
    return true;
}

bool WriteLossless(const std::uint8_t* pixels, int width, int height, CFileBuf& out)
{
    const std::size_t n = static_cast<std::size_t>(width) * height;
    Bytes planes(4 * n);
    constexpr int kChannelOfPlane[4] = {2, 1, 0, 3};  // R, G, B, A
    for (int plane = 0; plane < 4; ++plane) {
        std::uint8_t* to = planes.data() + plane * n;
        for (std::size_t i = 0; i < n; ++i) to[i] = pixels[4 * i + kChannelOfPlane[plane]];
        DeltaEncode(to, n);
    }
    return CompressedBlockCodec::WriteBlock(out, planes.data(), static_cast<int>(planes.size()), kCacheLevel) &&
           WriteU32(out, static_cast<std::uint32_t>(width)) && WriteU32(out, static_cast<std::uint32_t>(height));
}

bool WriteLossy(const std::uint8_t* pixels, int width, int height, int quality, CFileBuf& out)
{
    const std::size_t n = static_cast<std::size_t>(width) * height;
    Bytes rgb(3 * n), alpha(n);
    for (std::size_t i = 0; i < n; ++i) {
        rgb[3 * i] = pixels[4 * i + 2];
        rgb[3 * i + 1] = pixels[4 * i + 1];
        rgb[3 * i + 2] = pixels[4 * i];
        alpha[i] = pixels[4 * i + 3];
    }
    CMemoryFileBuf jpeg;
    if (!EncodeJpeg(jpeg, rgb.data(), width, height, true, quality)) return false;
    DeltaEncode(alpha.data(), n);
    return WriteU32(out, static_cast<std::uint32_t>(4 + jpeg.Size())) &&
           out.Write(jpeg.GetData(), jpeg.Size()) == jpeg.Size() &&
           CompressedBlockCodec::WriteBlock(out, alpha.data(), static_cast<int>(n), kCacheLevel);
}

// The inflated block of a body, which must hold exactly `expected` bytes.
std::unique_ptr<std::uint8_t, FreeDeleter> ReadExactBlock(CFileBuf& stream, long long expected)
{
    int size = 0;
    std::unique_ptr<std::uint8_t, FreeDeleter> block(CompressedBlockCodec::ReadBlock(stream, &size));
    if (!block || size != expected) return nullptr;
    return block;
}

bool SizeIsSound(std::uint32_t width, std::uint32_t height)
{
    return width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF &&
           static_cast<long long>(width) * height <= kMaxJpegPixels;
}

}  // namespace

int GetFrameCacheQuality() { return g_quality; }
void SetFrameCacheQuality(int quality) { g_quality = quality; }

bool ChooseLosslessBody(std::uint32_t losslessSize, std::uint32_t lossySize)
{
    return (lossySize * 100u + 20000u) / 95u >= losslessSize;
}

bool EncodeFrameCache(CFrame& frame, CFileBuf& stream, int quality, bool lossless)
{
    CFrame holder;
    const std::uint8_t* pixels = nullptr;
    if (!frame.GetPixels() || !PixelsOf32(frame, holder, pixels)) return false;
    return lossless ? WriteLossless(pixels, frame.GetWidth(), frame.GetHeight(), stream)
                    : WriteLossy(pixels, frame.GetWidth(), frame.GetHeight(), quality, stream);
}

bool CFrame::WriteFrameCache(CFileBuf& stream, int quality, bool losslessOnly)
{
    CMemoryFileBuf lossless, lossy;
    if (!EncodeFrameCache(*this, lossless, quality, true)) return false;
    const bool onlyLossless = GetLosslessOnly() || losslessOnly;
    if (!onlyLossless && !EncodeFrameCache(*this, lossy, quality, false)) return false;
    const bool keepLossless = onlyLossless || ChooseLosslessBody(static_cast<std::uint32_t>(lossless.Size()),
                                                                 static_cast<std::uint32_t>(lossy.Size()));
    CMemoryFileBuf& body = keepLossless ? lossless : lossy;
    const std::uint8_t kind = keepLossless ? 1 : 0;
    return stream.Write(&kind, 1) == 1 && stream.Write(body.GetData(), body.Size()) == body.Size();
}

bool CFrame::ReadFrameCache(CFileBuf& stream)
{
    std::int32_t hotSpot[2];
    if (stream.Read(hotSpot, sizeof hotSpot) != sizeof hotSpot || !ReadFrameCacheBody(stream)) return false;
    SetOrigin(hotSpot[0], hotSpot[1]);
    return true;
}

bool CFrame::ReadFrameCacheBody(CFileBuf& stream)
{
    FreePixels();
    DetachPalette();
    std::uint8_t lossless = 0;
    if (stream.Read(&lossless, 1) != 1) return false;
    std::uint32_t width = 0, height = 0;
    Bytes pixels;
    if (lossless) {
        // The planes come before the size, so the block is read first and checked against it after.
        int size = 0;
        std::unique_ptr<std::uint8_t, FreeDeleter> block(CompressedBlockCodec::ReadBlock(stream, &size));
        if (!block || !ReadU32(stream, width) || !ReadU32(stream, height) || !SizeIsSound(width, height)) return false;
        const std::size_t n = static_cast<std::size_t>(width) * height;
        if (static_cast<std::size_t>(size) != 4 * n) return false;
        pixels.resize(4 * n);
        constexpr int kChannelOfPlane[4] = {2, 1, 0, 3};
        for (int plane = 0; plane < 4; ++plane) {
            std::uint8_t* from = block.get() + plane * n;
            DeltaDecode(from, n);
            for (std::size_t i = 0; i < n; ++i) pixels[4 * i + kChannelOfPlane[plane]] = from[i];
        }
    } else {
        std::uint32_t length = 0;
        if (!ReadU32(stream, length) || length < 4 ||
            length - 4 > static_cast<std::uint32_t>(stream.Size() - stream.Tell()))
            return false;
        Bytes jpeg(length - 4);
        if (stream.Read(jpeg.data(), static_cast<int>(jpeg.size())) != static_cast<int>(jpeg.size())) return false;
        int w = 0, h = 0;
        JpegPixels colour = DecodeJpegBytes(jpeg.data(), jpeg.size(), w, h);
        if (!colour) return false;
        width = static_cast<std::uint32_t>(w);
        height = static_cast<std::uint32_t>(h);
        const std::size_t n = static_cast<std::size_t>(width) * height;
        auto alpha = ReadExactBlock(stream, static_cast<long long>(n));
        if (!alpha) return false;
        DeltaDecode(alpha.get(), n);
        pixels.resize(4 * n);
        for (std::size_t i = 0; i < n; ++i) {
            std::memcpy(&pixels[4 * i], colour.get() + 3 * i, 3);
            pixels[4 * i + 3] = alpha.get()[i];
        }
    }
    if (!Create(static_cast<int>(width), static_cast<int>(height), 32)) return false;
    std::memcpy(GetPixels(), pixels.data(), pixels.size());
    return true;
}

bool CFrame::ReadFrameCacheFile(const char* folder, const char* name)
{
    CFile file;
    if (!file.Open(MakeFrameCachePath(folder, name).GetText(), kFileRead) || !file.GetStream()) return false;
    return ReadFrameCache(*file.GetStream());
}
