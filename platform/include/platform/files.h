// Every file open of the three programs goes through here: their paths use "\" or "/" and were written for
// a file system that ignores case, so a name missing exactly as spelled is looked for without regard to case.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/win32_base.h"

namespace platform {

// The path as this file system names it: separators become "/", and each component that does not exist as
// spelled is replaced by the one entry of its folder that matches without regard to case (ASCII). Components
// past the first that cannot be found at all are kept as spelled, so that new files can be created.
PLATFORM_API std::string ResolvePath(std::string_view path);

// fopen through ResolvePath. A folder does not open as a file (errno EISDIR), as on Windows.
PLATFORM_API std::FILE* OpenFile(std::string_view path, const char* mode);

// Windows wildcard matching of one file name: "*" any run, "?" any one character, case ignored;
// "*.*" matches every name, with or without a dot.
PLATFORM_API bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace platform
