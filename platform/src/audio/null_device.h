// The headless sound device: no sound card, output mixed when asked for (and with the fake clock) and kept
// in the VEL_WAV file when one is named.
#pragma once
#include <memory>
#include <vector>

#include "audio/audio_device.h"
#include "audio/wav_writer.h"

namespace platform::audio {

class NullDevice : public AudioDevice {
public:
    NullDevice();
    ~NullDevice() override;

    void CatchUp() override;
    std::vector<std::int16_t> Mix(std::size_t frames);

    // The null device most recently opened and still open, or nullptr.
    static NullDevice* Current();

private:
    std::unique_ptr<WavWriter> wav_;
    bool clockStarted_ = false;
    DWORD clockStart_ = 0;
    std::uint64_t framesMixed_ = 0;
};

}  // namespace platform::audio
