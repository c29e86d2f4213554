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
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
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

// The lines of a profile file as WritePrivateProfileStringA leaves them: the section's key set to value, the key
// removed (value null) or the whole section removed (key null).
struct ProfileEdit {
    ProfileEdit(const char* section, const char* key, const char* value) : section(section), key(key), value(value) {}

    const char* section;
    const char* key;
    const char* value;
    bool inSection = false;
    bool sectionSeen = false;
    bool done = false;
    std::vector<std::string> result;

    std::string Entry() const { return std::string(key) + "=" + value; }

    void Take(const std::string& line)
    {
        std::string name;
        const bool kept = IsSection(line, &name) ? TakeSection(name) : !inSection || TakeKeyLine(line);
        if (kept) result.push_back(line);
    }

    // A section line; false when it goes with its section. Leaving the edited section adds a key not met in it.
    bool TakeSection(const std::string& name)
    {
        if (inSection && !done && key && value) {
            result.push_back(Entry());
            done = true;
        }
        inSection = SameName(name, section);
        sectionSeen = sectionSeen || inSection;
        return !(inSection && !key);
    }

    // A line of the edited section; false when it goes (the key's old line, or any line of a removed section).
    bool TakeKeyLine(const std::string& line)
    {
        if (!key) return false;
        if (!IsKey(line, key, nullptr)) return true;
        if (value && !done) result.push_back(Entry());
        done = true;
        return false;
    }
};

}  // namespace

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName)
{
    std::string value;
    if (!fileName || !Find(platform::ResolvePath(fileName), section, key, &value))
        return static_cast<UINT>(defaultValue);
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
    ProfileEdit edit(section, key, value);
    for (const std::string& line : ReadLines(path)) edit.Take(line);
    // A key not met yet goes at the end of its section, which is the last one or a new one.
    if (!edit.done && key && value) {
        if (!edit.sectionSeen) edit.result.push_back("[" + std::string(section) + "]");
        edit.result.push_back(edit.Entry());
    }

    std::string text;
    for (const std::string& line : edit.result) text += line + "\r\n";
    return platform::ReplaceFileWhole(path, text) ? TRUE : FALSE;
}
