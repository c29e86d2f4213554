// The process-wide settings of sound and music: the main frame and the options forms set them, the sound
// player and the music read them.
#pragma once
#include <cstdint>

// The "Sound Enable" setting: when 0 the sound player makes no channels and does nothing.
extern std::uint8_t GlobalSoundEnabled;
// The "Music Enable" setting: when 0 the music neither creates, loads, plays nor changes its volume.
extern std::uint8_t GlobalMusicEnabled;
// Set by the main frame once the device works and while sound is wanted; nothing loads or plays while 0.
extern std::uint8_t GP_SoundActive;
// The "Sound Volume" setting: DirectSound volume, in hundredths of a decibel, of every sound that starts.
extern std::int32_t GP_EffectsVolume;
// Channels the sound player searches (at most 8).
extern std::int32_t GP_SoundChannelCount;
// The running game time that stamps each started sound; the frame tick keeps it.
extern float GP_GameClock;
// Set when the primary buffer was made with 3D control.
extern std::uint8_t GP_Sound3DAvailable;
