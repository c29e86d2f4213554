// The four language columns of a text record and their code pages. Pack texts are drawn with bitmap fonts of
// 256 glyphs, so each column is stored in its language's Windows code page: 1251 for Russian, 1252 for the
// others. Manifests and the tool's output are UTF-8.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace packtool {

struct LanguageColumn {
    const char* key;         // the manifest's field name
    std::uint32_t language;  // a Windows language identifier that reads this column
    const char* codePage;
};
extern const std::array<LanguageColumn, 4> LanguageColumns;

// Throws std::runtime_error naming the text when a character has no place in the code page.
std::string EncodeColumn(const std::string& utf8, int column);
// Bytes the code page does not define become "?".
std::string DecodeColumn(const std::string& bytes, int column);

// u16 C, the C u16 lengths, then the texts back to back without terminators.
std::string TextRecord(const std::vector<std::string>& encodedColumns);

}  // namespace packtool
