#include "PackManifest.h"

#include <cctype>
#include <sstream>

#include "ToolFiles.h"

namespace packtool {

std::vector<std::string> SplitManifestLine(const std::string& line, int number)
{
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++at;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string token;
            for (++at;; ++at) {
                if (at >= line.size()) throw ManifestError(number, "a quoted text has no closing quote");
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        token.push_back('"');
                        ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
                token.push_back(line[at]);
            }
            tokens.push_back(token);
        } else {
            const std::size_t end = line.find_first_of(" \t\r\"#", at);
            tokens.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end == std::string::npos ? line.size() : end;
        }
    }
    return tokens;
}

std::uint32_t ParseNumber(const std::string& token, int line)
{
    const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
    const std::string digits = hex ? token.substr(2) : token;
    if (digits.empty() || digits.size() > (hex ? 8u : 10u)) throw ManifestError(line, "not a number: " + token);
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : hex && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0) throw ManifestError(line, "not a number: " + token);
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    }
    if (value > 0xFFFFFFFFu) throw ManifestError(line, "number out of range: " + token);
    return static_cast<std::uint32_t>(value);
}

namespace {

ManifestGroup ParseGroup(const std::vector<std::string>& tokens, int line)
{
    if (tokens.size() < 2) throw ManifestError(line, "group needs a name");
    ManifestGroup group;
    group.line = line;
    group.name = tokens[1];
    bool kindGiven = false;
    for (std::size_t i = 2; i < tokens.size(); i += 2) {
        if (i + 1 >= tokens.size()) throw ManifestError(line, "\"" + tokens[i] + "\" needs a value");
        const std::string& key = tokens[i];
        const std::string& value = tokens[i + 1];
        if (key == "kind") {
            group.kind = ParseNumber(value, line);
            kindGiven = true;
        } else if (key == "storage") {
            group.storage = ParseNumber(value, line);
        } else if (key == "mask") {
            group.mask = value;
        } else if (key == "dir") {
            group.directory = value;
        } else {
            throw ManifestError(line, "unknown group setting \"" + key + "\"");
        }
    }
    if (!kindGiven) throw ManifestError(line, "group \"" + group.name + "\" needs a kind");
    return group;
}

}  // namespace

Manifest ParseManifest(const std::string& text, const std::filesystem::path& folder)
{
    Manifest manifest;
    manifest.folder = folder;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::vector<std::string> tokens = SplitManifestLine(line, number);
        if (tokens.empty()) continue;
        const bool indented = std::isspace(static_cast<unsigned char>(line[0]));
        if (indented) {
            if (manifest.groups.empty() || manifest.groups.back().entries.empty())
                throw ManifestError(number, "an indented line must follow a resource");
            manifest.groups.back().entries.back().fields.push_back({number, tokens});
        } else if (tokens[0] == "pack") {
            if (manifest.storage || !manifest.groups.empty())
                throw ManifestError(number, "\"pack\" comes once, before the groups");
            if (tokens.size() != 2 || (tokens[1] != "campaign" && tokens[1] != "interface"))
                throw ManifestError(number, "write \"pack campaign\" or \"pack interface\"");
            manifest.storage = tokens[1] == "campaign" ? 1 : 2;
        } else if (tokens[0] == "group") {
            if (!manifest.storage) throw ManifestError(number, "\"pack\" must come before the groups");
            manifest.groups.push_back(ParseGroup(tokens, number));
            if (!manifest.groups.back().storage) manifest.groups.back().storage = manifest.storage;
        } else {
            if (manifest.groups.empty()) throw ManifestError(number, "a resource must follow a group");
            if (tokens.size() < 2) throw ManifestError(number, "\"" + tokens[0] + "\" needs a name");
            ManifestEntry entry;
            entry.line = number;
            entry.keyword = tokens[0];
            entry.name = tokens[1];
            entry.args.assign(tokens.begin() + 2, tokens.end());
            manifest.groups.back().entries.push_back(std::move(entry));
        }
    }
    if (!manifest.storage) throw ManifestError(0, "the manifest names no pack");
    return manifest;
}

Manifest LoadManifest(const std::filesystem::path& file)
{
    std::string text;
    try {
        text = ReadWholeFile(file);
    } catch (const std::runtime_error& e) {
        throw ManifestError(0, e.what());
    }
    return ParseManifest(text, std::filesystem::absolute(file).parent_path());
}

}  // namespace packtool
