// Replacing a whole file so that a crash at any moment leaves either the old file or the new one: the text goes
// to "<file>.tmp" beside the file, is synced, and is renamed over the file. Settings, player data and saved
// objects are written this way.
#pragma once
#include <string>
#include <string_view>

#include "platform/win32_base.h"

namespace platform {

// Called with the temporary file's path after it is complete and synced, just before the rename (tests end
// the process there to show that nothing is lost).
using BeforeReplaceHook = void (*)(const char* temporaryPath);

// Writes contents over the file at path (used as given, not resolved), with the given permissions when it is
// new; an existing file keeps its mode and owner, and a symbolic link keeps pointing at its target, which gets
// the text. A file that opening for writing would refuse (read-only, a folder, not this process's to write) is
// refused too. False, with the old file untouched and no temporary file left, when any step fails.
PLATFORM_API bool ReplaceFileWhole(const std::string& path, std::string_view contents, unsigned permissions = 0644,
                                   BeforeReplaceHook beforeReplace = nullptr);

}  // namespace platform
