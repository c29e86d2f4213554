// Reads one named section of an ELF program or library file, with every offset and size checked against the
// file, so that any file (a damaged one, or no ELF file at all) gives an answer and never a wild read.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32_base.h"

namespace platform::version {

// The section's bytes; nothing when the file is missing, no 64-bit little-endian ELF file, lacks the section,
// or the section is larger than maxSize.
std::optional<std::vector<BYTE>> ReadElfSection(std::string_view path, std::string_view name, std::size_t maxSize);

}  // namespace platform::version
