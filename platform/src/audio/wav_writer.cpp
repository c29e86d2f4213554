#include "audio/wav_writer.h"

#include <vector>

#include "platform/files.h"
#include "platform/riff_wave.h"

namespace platform::audio {

namespace {

constexpr std::uint16_t Channels = 2;
constexpr std::uint16_t BitsPerSample = 16;
constexpr std::uint16_t BytesPerFrame = Channels * BitsPerSample / 8;

// The file header, the "fmt " chunk and the header of the "data" chunk.
constexpr std::size_t HeaderSize =
    RiffFileHeader::Size + RiffChunkHeader::Size + WavePcmFormat::Size + RiffChunkHeader::Size;

}  // namespace

WavWriter::WavWriter(const std::string& path, unsigned rate) : rate_(rate)
{
    file_ = OpenFile(path, "wb");
    if (file_) WriteHeader();
}

WavWriter::~WavWriter()
{
    if (file_) std::fclose(file_);
}

void WavWriter::WriteHeader()
{
    std::uint8_t header[HeaderSize];
    std::uint8_t* at = header;
    RiffFileHeader file;
    file.riff.size = static_cast<std::uint32_t>(HeaderSize - RiffChunkHeader::Size) + dataBytes_;
    file.Write(at);
    at += RiffFileHeader::Size;
    RiffChunkHeader{RiffTag::Of("fmt "), WavePcmFormat::Size}.Write(at);
    at += RiffChunkHeader::Size;
    WavePcmFormat{WavePcmFormat::Pcm, Channels, rate_, rate_ * BytesPerFrame, BytesPerFrame, BitsPerSample}.Write(at);
    at += WavePcmFormat::Size;
    RiffChunkHeader{RiffTag::Of("data"), dataBytes_}.Write(at);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, sizeof header, file_);
    std::fseek(file_, 0, SEEK_END);
}

void WavWriter::Append(const std::int16_t* stereo, std::size_t frames)
{
    if (!file_ || frames == 0) return;
    std::vector<std::uint8_t> bytes(frames * BytesPerFrame);
    for (std::size_t i = 0; i < frames * Channels; ++i)
        riff::Put16(bytes.data() + i * sizeof(std::int16_t), static_cast<std::uint16_t>(stereo[i]));
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    dataBytes_ += static_cast<std::uint32_t>(bytes.size());
    WriteHeader();
    std::fflush(file_);
}

}  // namespace platform::audio
