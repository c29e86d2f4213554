// Where the General MIDI SoundFont of the music synthesiser is found at run time.
#pragma once
#include <string>

namespace platform::audio {

// VEL_SOUNDFONT when set (an empty or missing file means none), else the first of Debian's General MIDI
// SoundFonts that exists; "" when there is none.
std::string FindSoundFont();

// The places FindSoundFont looks, for messages.
const char* SoundFontSearchText();

}  // namespace platform::audio
