// Open registry keys: a handle stands for a key path and the access it was opened with. The two roots are
// always open; handles that were never given out, or were closed, are refused rather than followed.
#pragma once
#include <optional>
#include <string>

#include "platform/win32_registry.h"

namespace platform::registry {

struct OpenKey {
    std::string path;
    REGSAM access = 0;
};

HKEY AddOpenKey(OpenKey key);
std::optional<OpenKey> FindOpenKey(HKEY handle);
// False when the handle is not an open key; closing a root succeeds and changes nothing.
bool RemoveOpenKey(HKEY handle);

}  // namespace platform::registry
