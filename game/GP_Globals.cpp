#include "GP_Globals.h"

// The settings start on and are read over at start-up; the devices count as there until they fail.
std::uint8_t GlobalShadowEnabled = 1;
std::uint8_t GlobalDirectSoundEnabled = 1;
std::uint8_t GlobalDirectMusicEnabled = 1;

std::int32_t MusicVolume = 0;
std::uint8_t PutResults = 1;
std::uint8_t SlotSelected[11] = {1};
std::uint32_t InterfaceLanguage = GP_LanguageEnglish;
std::uint8_t FirstRun = 0;
