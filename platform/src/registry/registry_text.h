// The store's file format, the ".reg" export of the Windows registry editor:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Morvadel\Velmorine]
//   "Language"="409"                      REG_SZ ending in its zero
//   @="text"                              the key's default value
//   "Count"=dword:0000000a                REG_DWORD of 4 bytes
//   "KeyLeft"=hex:25,00                   REG_BINARY
//   "Paths"=hex(7):61,00,62,00,00,00      REG_MULTI_SZ (the bytes as the program wrote them)
//   "Code"=hex(1):34,30,37                any other type or shape: the type in hex, then the bytes
//
// In quoted texts "\" and '"' are escaped with "\". A line ending in "\" goes on on the next line.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_model.h"

namespace platform::registry {

struct ParsedStore {
    Store store;
    // One entry per line that could not be taken ("line 7: no key before this value"); such lines are skipped.
    std::vector<std::string> problems;
};

ParsedStore ParseRegistryText(std::string_view text);
std::string FormatRegistryText(const Store& store);

}  // namespace platform::registry
