// A 16-bit stereo WAV file written as audio is mixed; its header is brought up to date after every write,
// so the file is complete whenever the program stops.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform::audio {

class WavWriter {
public:
    WavWriter(const std::string& path, unsigned rate);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    void Append(const std::int16_t* stereo, std::size_t frames);

private:
    void WriteHeader();

    std::FILE* file_ = nullptr;
    unsigned rate_;
    std::uint32_t dataBytes_ = 0;
};

}  // namespace platform::audio
