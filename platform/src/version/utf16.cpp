#include "version/utf16.h"

namespace platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at text[i]; i moves past it.
char32_t DecodeUtf8(std::string_view text, std::size_t& i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i++]);
    int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (lead < 0x80) return lead;
    if (lead >= 0xF5 || extra == 0) return kReplacement;
    char32_t point = lead & (0x3F >> extra);
    for (; extra > 0; --extra) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return kReplacement;
        point = point << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return surrogate || point > 0x10FFFF ? kReplacement : point;
}

void EncodeUtf8(char32_t point, std::string& out)
{
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | point >> 6);
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | point >> 12);
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | point >> 18);
        out += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t point = DecodeUtf8(text, i);
        if (point < 0x10000) {
            out += static_cast<char16_t>(point);
        } else {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t point = text[i];
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (point >= 0xD800 && point <= 0xDFFF) {
            point = kReplacement;
        }
        EncodeUtf8(point, out);
    }
    return out;
}

}  // namespace platform
