#include "TextColumns.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

namespace packtool {

const std::array<LanguageColumn, 4> LanguageColumns = {{
    {"ru", 1049, "CP1251"},
    {"en", 1033, "CP1252"},
    {"fr", 1036, "CP1252"},
    {"de", 1031, "CP1252"},
}};

namespace {

// Converts with iconv; a byte sequence it cannot convert is replaced when a replacement is given, else an error.
std::string Convert(const std::string& input, const char* to, const char* from, const char* replacement)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
    std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);
    std::string output;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        if (!replacement) throw std::runtime_error("\"" + input + "\" has a character that " + to + " cannot hold");
        output += replacement;
        ++in;
        --inLeft;
    }
    return output;
}

}  // namespace

std::string EncodeColumn(const std::string& utf8, int column)
{
    return Convert(utf8, LanguageColumns.at(column).codePage, "UTF-8", nullptr);
}

std::string DecodeColumn(const std::string& bytes, int column)
{
    return Convert(bytes, "UTF-8", LanguageColumns.at(column).codePage, "?");
}

std::string TextRecord(const std::vector<std::string>& encodedColumns)
{
    std::string record;
    auto putU16 = [&record](std::size_t value) {
        if (value > 0xFFFF) throw std::runtime_error("a text record holds at most 65535 bytes per column");
        const auto v = static_cast<std::uint16_t>(value);
        record.append(reinterpret_cast<const char*>(&v), sizeof v);
    };
    putU16(encodedColumns.size());
    for (const std::string& text : encodedColumns) putU16(text.size());
    for (const std::string& text : encodedColumns) record += text;
    return record;
}

}  // namespace packtool
