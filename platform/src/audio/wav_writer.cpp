#include "audio/wav_writer.h"

#include <vector>

#include "platform/files.h"

namespace platform::audio {

namespace {

void PutU32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutU16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

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
    std::uint8_t header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    PutU32(header + 4, 36 + dataBytes_);
    PutU32(header + 16, 16);
    PutU16(header + 20, 1);  // PCM
    PutU16(header + 22, 2);
    PutU32(header + 24, rate_);
    PutU32(header + 28, rate_ * 4);
    PutU16(header + 32, 4);
    PutU16(header + 34, 16);
    header[36] = 'd';
    header[37] = 'a';
    header[38] = 't';
    header[39] = 'a';
    PutU32(header + 40, dataBytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, sizeof header, file_);
    std::fseek(file_, 0, SEEK_END);
}

void WavWriter::Append(const std::int16_t* stereo, std::size_t frames)
{
    if (!file_ || frames == 0) return;
    std::vector<std::uint8_t> bytes(frames * 4);
    for (std::size_t i = 0; i < frames * 2; ++i) PutU16(bytes.data() + i * 2, static_cast<std::uint16_t>(stereo[i]));
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    dataBytes_ += static_cast<std::uint32_t>(frames * 4);
    WriteHeader();
    std::fflush(file_);
}

}  // namespace platform::audio
