#include "GP_SoundSettings.h"

std::uint8_t GlobalSoundEnabled = 1;
std::uint8_t GlobalMusicEnabled = 1;
std::uint8_t GP_SoundActive = 0;
std::int32_t GP_EffectsVolume = -1000;
std::int32_t GP_SoundChannelCount = 8;
float GP_GameClock = 0.0f;
std::uint8_t GP_Sound3DAvailable = 0;
