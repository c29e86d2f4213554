#include "audio/midi_synth.h"

#include <fluidsynth.h>

#include <mutex>
#include <string>

#include "audio/soundfont.h"
#include "platform/debug_output.h"

namespace platform::audio {

namespace {

void LogFluidError(int, const char* message, void*)
{
    OutputDebugStringA((std::string("FluidSynth: ") + message + "\n").c_str());
}

// FluidSynth's own chatter stays quiet; its errors go to the debugger output.
void QuietFluidLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
        fluid_set_log_function(FLUID_ERR, &LogFluidError, nullptr);
    });
}

}  // namespace

std::unique_ptr<MidiSynth> MidiSynth::Create(unsigned rate)
{
    const std::string soundFont = FindSoundFont();
    if (soundFont.empty()) {
        OutputDebugStringA((std::string("Music: no General MIDI SoundFont is installed (looked at ") +
                            SoundFontSearchText() + "); install timgm6mb-soundfont. Music stays silent.\n")
                               .c_str());
        return nullptr;
    }
    QuietFluidLog();
    std::unique_ptr<MidiSynth> synth(new MidiSynth());
    synth->settings_.reset(new_fluid_settings());
    if (!synth->settings_) return nullptr;
    fluid_settings_setnum(synth->settings_.get(), "synth.sample-rate", static_cast<double>(rate));
    fluid_settings_setnum(synth->settings_.get(), "synth.gain", 0.4);
    fluid_settings_setint(synth->settings_.get(), "synth.threadsafe-api", 0);
    fluid_settings_setstr(synth->settings_.get(), "player.timing-source", "sample");
    synth->synth_.reset(new_fluid_synth(synth->settings_.get()));
    if (!synth->synth_ || fluid_synth_sfload(synth->synth_.get(), soundFont.c_str(), 1) == FLUID_FAILED) {
        OutputDebugStringA(("Music: the SoundFont " + soundFont + " cannot be loaded. Music stays silent.\n").c_str());
        return nullptr;
    }
    return synth;
}

void MidiSynth::FluidDelete::operator()(_fluid_hashtable_t* settings) const { delete_fluid_settings(settings); }

void MidiSynth::FluidDelete::operator()(_fluid_synth_t* synth) const { delete_fluid_synth(synth); }

void MidiSynth::FluidDelete::operator()(_fluid_player_t* player) const
{
    fluid_player_stop(player);
    delete_fluid_player(player);
}

MidiSynth::~MidiSynth() = default;

void MidiSynth::DropPlayer() { player_.reset(); }

bool MidiSynth::Play(const std::vector<std::uint8_t>& midiFile, int plays)
{
    DropPlayer();
    fluid_synth_system_reset(synth_.get());
    player_.reset(new_fluid_player(synth_.get()));
    if (!player_) return false;
    if (fluid_player_add_mem(player_.get(), midiFile.data(), midiFile.size()) != FLUID_OK) {
        DropPlayer();
        return false;
    }
    fluid_player_set_loop(player_.get(), plays);
    fluid_player_set_tempo(player_.get(), FLUID_PLAYER_TEMPO_INTERNAL, tempo_);
    return fluid_player_play(player_.get()) == FLUID_OK;
}

void MidiSynth::Stop()
{
    DropPlayer();
    fluid_synth_all_notes_off(synth_.get(), -1);
}

void MidiSynth::SetTempo(double factor)
{
    tempo_ = factor;
    if (player_) fluid_player_set_tempo(player_.get(), FLUID_PLAYER_TEMPO_INTERNAL, tempo_);
}

void MidiSynth::RenderAdd(float* out, std::size_t frames)
{
    const bool playing = player_ && fluid_player_get_status(player_.get()) == FLUID_PLAYER_PLAYING;
    if (!playing && fluid_synth_get_active_voice_count(synth_.get()) == 0) return;
    left_.assign(frames, 0.0f);
    right_.assign(frames, 0.0f);
    fluid_synth_write_float(synth_.get(), static_cast<int>(frames), left_.data(), 0, 1, right_.data(), 0, 1);
    for (std::size_t i = 0; i < frames; ++i) {
        out[i * 2] += gain_ * left_[i];
        out[i * 2 + 1] += gain_ * right_[i];
    }
}

}  // namespace platform::audio
