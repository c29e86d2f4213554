// The game's process-wide switches that the crash report lists: the settings of shadows, sound and music, and
// whether the sound and music devices could be had.
#pragma once
#include <cstdint>

extern std::uint8_t GlobalShadowEnabled;
extern std::uint8_t GlobalSoundEnabled;
extern std::uint8_t GlobalMusicEnabled;
extern std::uint8_t GlobalDirectSoundEnabled;
extern std::uint8_t GlobalDirectMusicEnabled;
