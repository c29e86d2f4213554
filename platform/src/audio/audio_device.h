// The output behind DirectSound: an SDL2 audio device whose callback pulls from the mixer, or the null device
// of headless runs that mixes on demand. Buffers and the music performance keep the device alive.
#pragma once
#include <memory>

#include "audio/mixer.h"
#include "platform/dsound.h"

namespace platform::audio {

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    Mixer& GetMixer() { return *mixer_; }
    // The null device mixes up to the fake clock here; a real device has nothing to do. Call without the
    // mixer's lock.
    virtual void CatchUp() {}

protected:
    std::unique_ptr<Mixer> mixer_;
};

// The device of this run: null when headless, SDL2 audio otherwise; nullptr when none can be opened.
std::shared_ptr<AudioDevice> OpenAudioDevice();
// The device behind a DirectSound object of ours; nullptr for anything else.
std::shared_ptr<AudioDevice> DeviceOf(IDirectSound* directSound);

}  // namespace platform::audio
