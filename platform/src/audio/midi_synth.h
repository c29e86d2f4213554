// The General MIDI synthesiser of the music: FluidSynth with a SoundFont, playing one Standard MIDI File at a
// time. It renders only when the mixer asks, so the MIDI player's clock is the audio clock itself.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/mixer.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace platform::audio {

class MidiSynth : public MixSource {
public:
    // nullptr when there is no SoundFont or it cannot be loaded (the reason goes to the debugger output).
    static std::unique_ptr<MidiSynth> Create(unsigned rate);
    ~MidiSynth() override;
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // The rest is called with the mixer's lock held.
    // Starts the file from its beginning, `plays` times in all (-1: for ever). False when it is not a MIDI file.
    bool Play(const std::vector<std::uint8_t>& midiFile, int plays);
    // Ends the piece; sounding notes are released.
    void Stop();
    void SetGain(float gain) { gain_ = gain; }
    void SetTempo(double factor);

    void RenderAdd(float* out, std::size_t frames) override;

private:
    MidiSynth() = default;
    void DropPlayer();

    struct FluidDelete {
        void operator()(_fluid_hashtable_t* settings) const;
        void operator()(_fluid_synth_t* synth) const;
        void operator()(_fluid_player_t* player) const;  // stops it first
    };

    // Declared in the order they are made, so that they go in the opposite one.
    std::unique_ptr<_fluid_hashtable_t, FluidDelete> settings_;
    std::unique_ptr<_fluid_synth_t, FluidDelete> synth_;
    std::unique_ptr<_fluid_player_t, FluidDelete> player_;
    float gain_ = 1.0f;
    double tempo_ = 1.0;
    std::vector<float> left_;
    std::vector<float> right_;
};

}  // namespace platform::audio
