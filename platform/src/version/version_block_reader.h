// Finds entries of a version block (the layout of a Windows version resource) by path, checking every length
// against the block's bounds, so a damaged block is never read past its end.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/win32_base.h"

namespace platform::version {

struct FoundValue {
    std::size_t offset = 0;  // of the value within the block
    std::size_t size = 0;    // in bytes
    bool text = false;       // UTF-16 text rather than binary
};

// The value at path ("\" the root's, "\StringFileInfo\040904E4\CompanyName", ...; names ignore case) in the
// length bytes at block.
std::optional<FoundValue> FindVersionValue(const BYTE* block, std::size_t length, std::string_view path);

// The length of the well-formed block at the start of data (its root node is "VS_VERSION_INFO" and fits), or 0.
std::size_t VersionBlockLength(const BYTE* data, std::size_t size);

}  // namespace platform::version
