// The game's process-wide switches that the crash report lists: the settings of shadows, sound and music, and
// whether the sound and music devices could be had.
#pragma once
#include <cstdint>

#include "GP_SoundSettings.h"  // GlobalSoundEnabled, GlobalMusicEnabled and the sound volume, GP_EffectsVolume

extern std::uint8_t GlobalShadowEnabled;
extern std::uint8_t GlobalDirectSoundEnabled;
extern std::uint8_t GlobalDirectMusicEnabled;

// The other settings of the run (read and written by the main frame).
extern std::int32_t MusicVolume;       // hundredths of a decibel, 0 loudest
extern std::uint8_t PutResults;        // send results to the online hall of fame
extern std::uint8_t SlotSelected[11];  // the selected player slot: at most one of slots 0 to 9 is 1
extern std::uint32_t InterfaceLanguage;
extern std::uint8_t FirstRun;  // some settings were missing and took their defaults

// The interface languages.
enum GP_Language : std::uint32_t {
    GP_LanguageGerman = 1031,
    GP_LanguageEnglish = 1033,
    GP_LanguageFrench = 1036,
    GP_LanguageRussian = 1049,
};
constexpr int GP_PlayerSlots = 10;
