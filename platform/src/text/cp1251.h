// Windows-1251, the Cyrillic code page that the programs' 8-bit texts and characters are in.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The Windows-1251 byte of a Unicode code point, or nothing when the code page has no such character.
std::optional<unsigned char> CodePointTo1251(char32_t codePoint);

// The code points of a UTF-8 text; a malformed sequence gives U+FFFD for its first byte and goes on.
std::u32string DecodeUtf8(std::string_view text);

// The text itself when it is valid UTF-8, else the text read as Windows-1251 and written as UTF-8.
std::string Utf8FromPossibly1251(std::string_view text);

}  // namespace platform
