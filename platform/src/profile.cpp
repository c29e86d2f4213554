#include "platform/win32_profile.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/replace_file.h"

namespace {

bool SameName(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsSection(const std::string& line, std::string* name)
{
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return false;
    const std::size_t close = trimmed.find(']');
    if (close == std::string::npos) return false;
    if (name) *name = Trim(trimmed.substr(1, close - 1));
    return true;
}

bool IsKey(const std::string& line, const char* key, std::string* value)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || !SameName(Trim(line.substr(0, equals)), key)) return false;
    if (value) *value = Trim(line.substr(equals + 1));
    return true;
}

bool Find(const std::string& path, const char* section, const char* key, std::string* value)
{
    if (!section || !key) return false;
    bool inSection = false;
    for (const std::string& line : ReadLines(path)) {
        std::string name;
        if (IsSection(line, &name))
            inSection = SameName(name, section);
        else if (inSection && IsKey(line, key, value))
            return true;
    }
    return false;
}

}  // namespace

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName)
{
    std::string value;
    if (!fileName || !Find(platform::ResolvePath(fileName), section, key, &value)) return static_cast<UINT>(defaultValue);
    return static_cast<UINT>(static_cast<INT>(std::strtol(value.c_str(), nullptr, 10)));
}

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, DWORD size, LPCSTR fileName)
{
    std::string value = defaultValue ? defaultValue : "";
    if (fileName) Find(platform::ResolvePath(fileName), section, key, &value);
    if (!out || size == 0) return 0;
    const std::size_t n = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(out, value.data(), n);
    out[n] = 0;
    return static_cast<DWORD>(n);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !fileName) return FALSE;
    const std::string path = platform::ResolvePath(fileName);
    std::vector<std::string> lines = ReadLines(path), result;
    bool inSection = false, sectionSeen = false, done = false;
    const std::string entry = key && value ? std::string(key) + "=" + value : std::string();
    for (const std::string& line : lines) {
        std::string name;
        if (IsSection(line, &name)) {
            if (inSection && !done && key && value) {
                result.push_back(entry);
                done = true;
            }
            inSection = SameName(name, section);
            sectionSeen = sectionSeen || inSection;
            if (inSection && !key) continue;  // the whole section goes
        } else if (inSection) {
            if (!key) continue;
            if (IsKey(line, key, nullptr)) {
                if (value && !done) result.push_back(entry);
                done = true;
                continue;
            }
        }
        result.push_back(line);
    }
    // A key not met yet goes at the end of its section, which is the last one or a new one.
    if (!done && key && value) {
        if (!sectionSeen) result.push_back("[" + std::string(section) + "]");
        result.push_back(entry);
    }

    std::string text;
    for (const std::string& line : result) text += line + "\r\n";
    return platform::ReplaceFileWhole(path, text) ? TRUE : FALSE;
}
