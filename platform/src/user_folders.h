// The user's folders of the XDG base directory rules, for the files the platform keeps for the programs.
#pragma once
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platform {

// $<variable> when it is an absolute path, else the home folder followed by "/" and belowHome.
inline std::string XdgFolder(const char* variable, const char* belowHome)
{
    if (const char* xdg = std::getenv(variable); xdg && *xdg == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::getuid());
        home = user && user->pw_dir ? user->pw_dir : "/tmp";
    }
    return std::string(home) + "/" + belowHome;
}

}  // namespace platform
