#include "registry/registry_text.h"

#include <cstdio>
#include <optional>

#include "ascii_case.h"
#include "platform/win32_registry.h"

namespace platform::registry {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Hands out the file's logical lines: carriage returns dropped, a line ending in "\" joined with the next.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text)
    {
        if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
    }

    bool Next(std::string& line, std::size_t& number)
    {
        if (rest_.empty()) return false;
        line.clear();
        number = next_;
        for (bool joined = false; !rest_.empty(); joined = true) {
            std::string_view physical = TakePhysicalLine();
            if (joined) physical = physical.substr(std::min(physical.size(), physical.find_first_not_of(kBlanks)));
            const std::size_t end = physical.find_last_not_of(kBlanks);
            if (end == std::string_view::npos || physical[end] != '\\') {
                line += physical;
                break;
            }
            line += physical.substr(0, end);
        }
        return true;
    }

private:
    std::string_view TakePhysicalLine()
    {
        const std::size_t cut = rest_.find('\n');
        std::string_view physical = rest_.substr(0, cut);
        rest_ = cut == std::string_view::npos ? std::string_view() : rest_.substr(cut + 1);
        ++next_;
        if (!physical.empty() && physical.back() == '\r') physical.remove_suffix(1);
        return physical;
    }

    std::string_view rest_;
    std::size_t next_ = 1;
};

// A quoted text at the start of in ("\" escapes the next character); in moves past the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& in)
{
    if (in.empty() || in.front() != '"') return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < in.size(); ++i) {
        if (in[i] == '"') {
            in.remove_prefix(i + 1);
            return text;
        }
        if (in[i] == '\\' && i + 1 < in.size()) ++i;
        text += in[i];
    }
    return std::nullopt;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<DWORD> ParseHexNumber(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    DWORD number = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        number = number << 4 | static_cast<DWORD>(digit);
    }
    return number;
}

std::optional<std::vector<BYTE>> ParseHexBytes(std::string_view text)
{
    std::vector<BYTE> bytes;
    text = Trim(text);
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::optional<DWORD> byte = ParseHexNumber(Trim(text.substr(0, comma)), 2);
        if (!byte || bytes.size() == kMaxValueDataSize) return std::nullopt;
        bytes.push_back(static_cast<BYTE>(*byte));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return bytes;
}

// A quoted text: REG_SZ with its terminator.
std::optional<Value> ParseStringData(std::string_view data, std::string& why)
{
    std::optional<std::string> text = TakeQuoted(data);
    if (!text || !Trim(data).empty()) {
        why = "unterminated or trailing text";
        return std::nullopt;
    }
    Value value;
    value.type = REG_SZ;
    value.data.assign(text->begin(), text->end());
    value.data.push_back(0);
    return value;
}

// The digits after "dword:": REG_DWORD, little-endian.
std::optional<Value> ParseDwordData(std::string_view digits, std::string& why)
{
    const std::optional<DWORD> number = ParseHexNumber(Trim(digits), 8);
    if (!number) {
        why = "bad dword";
        return std::nullopt;
    }
    Value value;
    value.type = REG_DWORD;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<BYTE>(*number >> shift));
    return value;
}

// What follows "hex": an optional "(type)", then ":" and the bytes; REG_BINARY when no type is given.
std::optional<Value> ParseHexData(std::string_view data, std::string& why)
{
    Value value;
    value.type = REG_BINARY;
    if (data.starts_with('(')) {
        const std::size_t close = data.find(')');
        const std::optional<DWORD> type =
            close == std::string_view::npos ? std::nullopt : ParseHexNumber(data.substr(1, close - 1), 8);
        if (!type) {
            why = "bad type";
            return std::nullopt;
        }
        value.type = *type;
        data.remove_prefix(close + 1);
    }
    std::optional<std::vector<BYTE>> bytes = data.starts_with(':') ? ParseHexBytes(data.substr(1)) : std::nullopt;
    if (!bytes) {
        why = "bad hex bytes";
        return std::nullopt;
    }
    value.data = std::move(*bytes);
    return value;
}

// The data part of a value line (after "="), or a reason it cannot be taken.
std::optional<Value> ParseData(std::string_view data, std::string& why)
{
    constexpr std::string_view kDwordPrefix = "dword:";
    constexpr std::string_view kHexPrefix = "hex";
    std::optional<Value> value;
    if (data.starts_with('"'))
        value = ParseStringData(data, why);
    else if (StartsWithIgnoringCase(data, kDwordPrefix))
        value = ParseDwordData(data.substr(kDwordPrefix.size()), why);
    else if (StartsWithIgnoringCase(data, kHexPrefix))
        value = ParseHexData(data.substr(kHexPrefix.size()), why);
    else
        why = "unknown kind of data";
    if (value && value->data.size() > kMaxValueDataSize) {
        why = "data too long";
        return std::nullopt;
    }
    return value;
}

std::optional<Value> ParseValueLine(std::string_view line, std::string& why)
{
    std::string name;
    if (line.starts_with('@')) {
        line.remove_prefix(1);
    } else {
        std::optional<std::string> quoted = TakeQuoted(line);
        if (!quoted || !IsValidValueName(*quoted)) {
            why = "bad value name";
            return std::nullopt;
        }
        name = std::move(*quoted);
    }
    line = Trim(line);
    if (!line.starts_with('=')) {
        why = "no \"=\" after the value name";
        return std::nullopt;
    }
    std::optional<Value> value = ParseData(Trim(line.substr(1)), why);
    if (value) value->name = std::move(name);
    return value;
}

// The normalised key path of a section line's inside, or a reason it cannot be taken.
std::optional<std::string> ParseKeyPath(std::string_view inside, std::string& why)
{
    if (inside.starts_with('-')) {
        why = "key deletions are not taken";
        return std::nullopt;
    }
    const std::string_view root = inside.substr(0, inside.find('\\'));
    const std::string_view rest = inside.substr(root.size());
    std::optional<std::string> path;
    if (StartsWithIgnoringCase(root, "HKEY_") && root.size() <= kMaxKeyNameLength) path = JoinKeyPath(root, rest);
    if (!path) why = "bad key path";
    return path;
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// A REG_SZ that ends in its only zero and holds no line break is written as a quoted text.
bool IsPlainText(const Value& value)
{
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i)
        if (value.data[i] == 0 || value.data[i] == '\r' || value.data[i] == '\n') return false;
    return true;
}

std::string FormatData(const Value& value)
{
    char piece[32];
    if (IsPlainText(value))
        return Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const DWORD number =
            value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<DWORD>(value.data[3]) << 24;
        std::snprintf(piece, sizeof piece, "dword:%08x", number);
        return piece;
    }
    std::string text = "hex";
    if (value.type != REG_BINARY) {
        std::snprintf(piece, sizeof piece, "(%x)", static_cast<unsigned>(value.type));
        text += piece;
    }
    text += ':';
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(piece, sizeof piece, i ? ",%02x" : "%02x", value.data[i]);
        text += piece;
    }
    return text;
}

// The path of a "[key]" line; nullopt, with the reason in why, when the line is not one.
std::optional<std::string> ParseKeyLine(std::string_view content, std::string& why)
{
    const std::size_t close = content.rfind(']');
    if (close == std::string_view::npos || close + 1 != content.size()) {
        why = "unclosed key";
        return std::nullopt;
    }
    return ParseKeyPath(content.substr(1, close - 1), why);
}

// The index of the key of that path in the store, which gains the key when it lacks it.
std::size_t KeyIndex(Store& store, std::string path)
{
    if (const Key* existing = store.FindKey(path)) return static_cast<std::size_t>(existing - store.keys.data());
    store.keys.push_back(Key{std::move(path), {}});
    return store.keys.size() - 1;
}

}  // namespace

ParsedStore ParseRegistryText(std::string_view text)
{
    ParsedStore parsed;
    constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);
    std::size_t current = kNoKey;  // index of the key whose values follow
    bool headerSeen = false;
    std::string line;
    std::size_t number = 0;
    LineReader reader(text);
    while (reader.Next(line, number)) {
        const std::string_view content = Trim(line);
        if (content.empty() || content.starts_with(';')) continue;
        const bool first = !headerSeen;
        headerSeen = true;
        if (first && content == kHeader) continue;
        if (first) parsed.problems.push_back("line " + std::to_string(number) + ": no registry file header");

        std::string why;
        if (content.starts_with('[')) {
            std::optional<std::string> path = ParseKeyLine(content, why);
            current = path ? KeyIndex(parsed.store, std::move(*path)) : kNoKey;
        } else if (current == kNoKey) {
            why = "no key before this value";
        } else if (std::optional<Value> value = ParseValueLine(content, why)) {
            parsed.store.keys[current].SetValue(value->name, value->type, std::move(value->data));
        }
        if (!why.empty()) parsed.problems.push_back("line " + std::to_string(number) + ": " + why);
    }
    return parsed;
}

std::string FormatRegistryText(const Store& store)
{
    std::string text(kHeader);
    text += "\n";
    for (const Key& key : store.keys) {
        text += "\n[" + key.path + "]\n";
        for (const Value& value : key.values)
            text += (value.name.empty() ? std::string("@") : Quote(value.name)) + "=" + FormatData(value) + "\n";
    }
    return text;
}

}  // namespace platform::registry
