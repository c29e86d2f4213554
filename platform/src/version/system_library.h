// The one system library whose version block the programs read: "kernel32.dll" in the system directory,
// whose translation says the language of the system. Here it answers from the user's locale.
#pragma once
#include <string_view>
#include <vector>

#include "platform/win32_base.h"

namespace platform::version {

bool IsSystemLibrary(std::string_view fileName);
std::vector<BYTE> SystemLibraryVersionBlock();

// The Windows language identifier of the locale in LC_ALL, LC_MESSAGES or LANG (the first one set):
// "ru_RU.UTF-8" gives 0x0419; an unset, "C" or unknown locale gives 0x0409.
WORD LocaleLanguageId();

}  // namespace platform::version
