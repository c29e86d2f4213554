// UTF-8 <-> UTF-16 for the version block, whose texts are UTF-16 as on Windows. Bytes that are not UTF-8 and
// lone surrogates become U+FFFD.
#pragma once
#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace platform
