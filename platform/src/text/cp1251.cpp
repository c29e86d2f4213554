#include "text/cp1251.h"

namespace {

// Code points of the bytes 0x80..0xBF; 0 where the byte has no character. 0xC0..0xFF are U+0410..U+044F.
constexpr char16_t Upper[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

}  // namespace

namespace platform {

std::optional<unsigned char> CodePointTo1251(char32_t codePoint)
{
    if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
    if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<unsigned char>(0xC0 + (codePoint - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (Upper[i] != 0 && Upper[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string Utf8FromPossibly1251(std::string_view text)
{
    const std::u32string decoded = DecodeUtf8(text);
    if (decoded.find(U'\xFFFD') == std::u32string::npos) return std::string(text);
    std::string out;
    for (unsigned char byte : text) {
        const char32_t cp = byte < 0x80 ? byte : byte >= 0xC0 ? 0x0410 + (byte - 0xC0) : Upper[byte - 0x80];
        if (cp == 0) continue;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
