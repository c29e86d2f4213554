#include "GP_Globals.h"

// The settings start on and are read over at start-up; the devices count as there until they fail.
std::uint8_t GlobalShadowEnabled = 1;
std::uint8_t GlobalSoundEnabled = 1;
std::uint8_t GlobalMusicEnabled = 1;
std::uint8_t GlobalDirectSoundEnabled = 1;
std::uint8_t GlobalDirectMusicEnabled = 1;
