#include "audio/mixer.h"

#include <algorithm>

namespace platform::audio {

void Mixer::AddVoice(Voice* voice) { voices_.push_back(voice); }

void Mixer::RemoveVoice(Voice* voice) { std::erase(voices_, voice); }

void Mixer::AddSource(MixSource* source) { sources_.push_back(source); }

void Mixer::RemoveSource(MixSource* source) { std::erase(sources_, source); }

void Mixer::CommitDeferred()
{
    listener_.Commit();
    for (Voice* voice : voices_) voice->place.Commit();
}

StereoGain Mixer::VoiceGain(const Voice& voice) const
{
    if (!voicesAudible_) return {0.0f, 0.0f};
    const float level = GainFromHundredthsOfDb(voice.volume);
    if (!voice.positional) return {level, level};
    const ListenerPlace& ear = listener_.current;
    const BufferPlace& at = voice.place.current;
    const Placement placed = PlaceSource(at.position, ear.position, ear.front, ear.top);
    const float distance = std::min(placed.distance, at.maxDistance);
    const Vector3 toListener{ear.position.x - at.position.x, ear.position.y - at.position.y,
                             ear.position.z - at.position.z};
    const float loudness =
        level * DistanceGain(distance, at.minDistance, ear.rolloffFactor) *
        ConeGain(toListener, at.coneOrientation, at.coneInside, at.coneOutside, at.coneOutsideVolume);
    const StereoGain pan = ConstantPowerPan(placed.lateral);
    return {pan.left * loudness, pan.right * loudness};
}

void Mixer::MixChunk(float* mix, std::size_t frames)
{
    std::fill(mix, mix + frames * 2, 0.0f);
    for (Voice* voice : voices_) {
        if (!voice->playing || !voice->samples) continue;
        const SampleStore& store = *voice->samples;
        const ResampleRun run{&store.format, store.bytes.data(), store.FrameCount(), voice->looping};
        const std::size_t made = ResampleAdd(run, voice->position, rate_, VoiceGain(*voice), mix, frames);
        if (made < frames) {
            voice->playing = false;
            voice->position = 0.0;
        }
    }
    for (MixSource* source : sources_) source->RenderAdd(mix, frames);
}

void Mixer::Render(std::int16_t* out, std::size_t frames)
{
    constexpr std::size_t chunk = 1024;
    float mix[chunk * 2];
    std::lock_guard<std::mutex> hold(lock_);
    while (frames > 0) {
        const std::size_t now = std::min(frames, chunk);
        MixChunk(mix, now);
        for (std::size_t i = 0; i < now * 2; ++i) out[i] = ToSample16(mix[i]);
        out += now * 2;
        frames -= now;
    }
}

}  // namespace platform::audio
