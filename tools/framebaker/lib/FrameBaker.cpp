#include "FrameBaker.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "blit/BlitType.h"
#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "foundation/FileFunctions.h"
#include "foundation/Object.h"
#include "frames/Frame.h"
#include "frames/FrameProcess.h"
#include "frames/Sequence.h"
#include "frames/StandAloneFrame.h"
#include "frames/Tga.h"

namespace framebaker {

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

std::unique_ptr<CFrame> ReadPng(const std::string& path, std::string& error)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = path + ": " + image.message;
        return nullptr;
    }
    image.format = PNG_FORMAT_BGRA;
    auto frame = std::make_unique<CFrame>();
    if (image.width > 0xFFFF || image.height > 0xFFFF || !frame->Create(image.width, image.height, 32)) {
        png_image_free(&image);
        error = path + ": the picture is too large";
        return nullptr;
    }
    if (!png_image_finish_read(&image, nullptr, frame->GetPixels(), 0, nullptr)) {
        error = path + ": " + image.message;
        return nullptr;
    }
    return frame;
}

std::unique_ptr<CFrame> ReadTga(const std::string& path, std::string& error)
{
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    TgaHeader header;
    if (!ReadTgaHeader(bytes.data(), bytes.size(), header) || !header.IsAccepted()) {
        error = path + ": not a 24- or 32-bit TGA";
        return nullptr;
    }
    auto frame = std::make_unique<CFrame>();
    if (!DecodeTgaIntoFrame(*frame, bytes.data(), bytes.size(), path.c_str(), nullptr, 32)) {
        error = path + ": the TGA is damaged";
        return nullptr;
    }
    return frame;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    if (WriteDiskFileAtomically(path.c_str(), kFileAbsolute | kFileMakeFolders, bytes.data(),
                                static_cast<int>(bytes.size())))
        return true;
    error = path + ": cannot be written";
    return false;
}

}  // namespace

std::unique_ptr<CFrame> ReadPicture(const std::string& path, std::string& error)
{
    if (EndsWithNoCase(path, ".png")) return ReadPng(path, error);
    if (EndsWithNoCase(path, ".tga")) return ReadTga(path, error);
    error = path + ": only .png and .tga pictures are baked";
    return nullptr;
}

bool ReadDescription(const std::string& path, FrameOptions& options, std::string& error)
{
    std::unique_ptr<CObject> object(CObject::CreateFromFile(path.c_str(), kFileAbsolute, false, nullptr));
    auto* frame = dynamic_cast<CStandAloneFrame*>(object.get());
    if (!frame) {
        error = path + ": not a CStandAloneFrame description";
        return false;
    }
    const int flags = frame->GetOptions();
    options.centerHotSpot = (flags & CStandAloneFrame::kCenterHotSpot) != 0;
    options.blackBiased = (flags & CStandAloneFrame::kLoadBlackBiased) != 0;
    options.lossless = (flags & CStandAloneFrame::kLossLess) != 0;
    options.quality = frame->GetQuality();
    return true;
}

bool ApplyBakeSteps(CFrame& frame, const FrameOptions& options)
{
    if (options.hasHotSpot) frame.SetOrigin(-options.hotSpotX, -options.hotSpotY);
    FrameProcessChain chain;
    chain.SetTargetBitDepth(32);
    chain.AddStep(FrameProcess::kAlphaFloor);
    if (options.crop) chain.AddStep(FrameProcess::kCrop);
    chain.AddStep(options.blackBiased ? FrameProcess::kBlackBias : FrameProcess::kUnpremultiply);
    const bool processed = chain.Apply(frame);
    // The centre is that of the cropped picture.
    if (options.centerHotSpot && frame.GetPixels())
        frame.SetOrigin(-(frame.GetWidth() >> 1), -(frame.GetHeight() >> 1));
    return processed;
}

std::vector<std::uint8_t> EncodeFrameFile(CFrame& frame, const FrameOptions& options)
{
    CMemoryFileBuf stream;
    const std::int32_t hotSpot[2] = {frame.GetOriginX(), frame.GetOriginY()};
    stream.Write(hotSpot, sizeof hotSpot);
    if (!frame.WriteFrameCache(stream, options.quality, options.lossless)) return {};
    return std::vector<std::uint8_t>(stream.GetData(), stream.GetData() + stream.Size());
}

bool BakeFrame(const std::string& input, const std::string& output, const FrameOptions& options, std::string& error)
{
    std::unique_ptr<CFrame> frame = ReadPicture(input, error);
    if (!frame) return false;
    if (!ApplyBakeSteps(*frame, options) || !frame->GetPixels()) {
        error = input + ": nothing is left of the picture after its load steps";
        return false;
    }
    const std::vector<std::uint8_t> bytes = EncodeFrameFile(*frame, options);
    if (bytes.empty()) {
        error = input + ": the frame could not be encoded";
        return false;
    }
    return WriteBytes(output, bytes, error);
}

bool BakeSequence(const std::vector<std::string>& inputs, const std::string& output, const SequenceOptions& options,
                  std::string& error)
{
    CSequence sequence;
    sequence.SetFrameRate(options.framesPerSecond);
    const int blitType = GetBlitTypeList().Find(options.blitType.c_str());
    if (blitType < 0) {
        error = "unknown blit type \"" + options.blitType + "\"";
        return false;
    }
    sequence.SetBlitTypeIndex(blitType);
    for (const std::string& input : inputs) {
        std::unique_ptr<CFrame> frame = ReadPicture(input, error);
        if (!frame) return false;
        // A picture with nothing drawn is an empty slot of the sequence.
        ApplyBakeSteps(*frame, options.frame);
        sequence.AddFrame(frame->GetPixels() ? std::move(frame) : nullptr);
    }
    CMemoryFileBuf stream;
    if (!sequence.WriteSequenceFile(stream, options.frame.quality, options.frame.lossless, true)) {
        error = output + ": the sequence could not be encoded";
        return false;
    }
    return WriteBytes(output, std::vector<std::uint8_t>(stream.GetData(), stream.GetData() + stream.Size()), error);
}

}  // namespace framebaker
