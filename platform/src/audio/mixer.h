// The software mixer behind the sound device: voices of the sound buffers, the 3D listener, and sources
// (the music synthesiser) that render into the same output. Every change and every render happens under one
// lock, so the audio thread and the game thread never see half a change.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_math.h"
#include "platform/dsound.h"

namespace platform::audio {

// The samples of a buffer; duplicates of a buffer share them.
struct SampleStore {
    PcmFormat format;
    std::vector<std::uint8_t> bytes;
    std::size_t FrameCount() const { return bytes.size() / format.FrameBytes(); }
};

// 3D settings as set (pending) and as heard (current): deferred changes wait for the commit.
template <class Settings>
struct Deferred {
    Settings current{};
    Settings pending{};
    void Set(bool deferred, auto change)
    {
        change(pending);
        if (!deferred) change(current);
    }
    void Commit() { current = pending; }
};

struct BufferPlace {
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 velocity{0.0f, 0.0f, 0.0f};
    float minDistance = 1.0f;
    float maxDistance = DS3D_DEFAULTMAXDISTANCE;
    unsigned coneInside = DS3D_DEFAULTCONEANGLE;
    unsigned coneOutside = DS3D_DEFAULTCONEANGLE;
    Vector3 coneOrientation{0.0f, 0.0f, 1.0f};
    long coneOutsideVolume = 0;
};

struct ListenerPlace {
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 front{0.0f, 0.0f, 1.0f};
    Vector3 top{0.0f, 1.0f, 0.0f};
    float distanceFactor = 1.0f;
    float dopplerFactor = 1.0f;
    float rolloffFactor = 1.0f;
};

struct Voice {
    std::shared_ptr<SampleStore> samples;
    bool playing = false;
    bool looping = false;
    double position = 0.0;  // in source frames
    long volume = 0;        // hundredths of a decibel
    bool positional = false;
    Deferred<BufferPlace> place;
};

// Something that adds its own sound to the mix (the music synthesiser).
class MixSource {
public:
    virtual ~MixSource() = default;
    // Adds `frames` interleaved stereo frames at the device rate to `out`. Called under the mixer's lock.
    virtual void RenderAdd(float* out, std::size_t frames) = 0;
};

class Mixer {
public:
    explicit Mixer(unsigned rate) : rate_(rate) {}

    unsigned Rate() const { return rate_; }
    std::mutex& Lock() { return lock_; }

    // The following are called with the lock held.
    void AddVoice(Voice* voice);
    void RemoveVoice(Voice* voice);
    void AddSource(MixSource* source);
    void RemoveSource(MixSource* source);
    Deferred<ListenerPlace>& Listener() { return listener_; }
    void CommitDeferred();
    // While the primary buffer is stopped the sound buffers play on unheard; sources are always heard.
    void SetVoicesAudible(bool audible) { voicesAudible_ = audible; }
    bool VoicesAudible() const { return voicesAudible_; }

    // Mixes `frames` stereo frames of 16-bit output; takes the lock itself.
    void Render(std::int16_t* out, std::size_t frames);

private:
    void MixChunk(float* mix, std::size_t frames);
    StereoGain VoiceGain(const Voice& voice) const;

    unsigned rate_;
    std::mutex lock_;
    std::vector<Voice*> voices_;
    std::vector<MixSource*> sources_;
    Deferred<ListenerPlace> listener_;
    bool voicesAudible_ = false;
};

}  // namespace platform::audio
