#include "audio/soundfont.h"

#include <sys/stat.h>

#include <cstdlib>

namespace platform::audio {

namespace {

const char* const DebianSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

bool IsFile(const char* path)
{
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string FindSoundFont()
{
    if (const char* chosen = std::getenv("VEL_SOUNDFONT")) return *chosen && IsFile(chosen) ? chosen : "";
    for (const char* path : DebianSoundFonts)
        if (IsFile(path)) return path;
    return "";
}

const char* SoundFontSearchText()
{
    return "VEL_SOUNDFONT, /usr/share/sounds/sf2/default-GM.sf2, TimGM6mb.sf2, FluidR3_GM.sf2, "
           "/usr/share/soundfonts/default.sf2";
}

}  // namespace platform::audio
