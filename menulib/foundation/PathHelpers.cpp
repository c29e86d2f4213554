#include "foundation/PathHelpers.h"

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/win32_files.h"

void JoinPath(char* out, const char* folder, const char* name)
{
    const std::string joined = [&] {
        std::string text = folder ? folder : "";
        if (!text.empty() && text.back() != '/' && text.back() != '\\') text += '/';
        return text + (name ? name : "");
    }();
    std::memcpy(out, joined.c_str(), joined.size() + 1);
}

const char* FindFileName(const char* path)
{
    if (!path) return "In Path Name Null!";
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}

void CutFileName(char* path)
{
    if (path) path[FindFileName(path) - path] = 0;
}

char* FindExtension(char* path)
{
    char* name = path + (FindFileName(path) - path);
    char* dot = std::strrchr(name, '.');
    return dot ? dot : name + std::strlen(name);
}

void ReplaceExtension(char* path, const char* extension)
{
    char* dot = FindExtension(path);
    *dot++ = '.';
    std::strcpy(dot, extension ? extension : "");
}

void StripTrailingSeparator(char* path)
{
    const std::size_t n = path ? std::strlen(path) : 0;
    if (n && (path[n - 1] == '/' || path[n - 1] == '\\')) path[n - 1] = 0;
}

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path); }

}  // namespace

bool CreateFolderPath(const char* path)
{
    if (!path) return false;
    std::string full(path);
    if (!full.empty() && (full.back() == '/' || full.back() == '\\')) full.pop_back();
    if (full.empty()) return false;
    // Climb to the deepest folder that exists or can be made, then make each folder below it once: a folder
    // that still cannot be made (a file in its way, no permission) fails the whole path.
    std::vector<std::size_t> ends;
    std::size_t end = full.size();
    while (!MakeFolder(full.substr(0, end))) {
        ends.push_back(end);
        end = full.find_last_of("/\\", end - 1);
        if (end == std::string::npos || end == 0) return false;
    }
    for (auto it = ends.rbegin(); it != ends.rend(); ++it)
        if (!MakeFolder(full.substr(0, *it))) return false;
    return true;
}

bool PathExists(const char* pattern)
{
    WIN32_FIND_DATAA found;
    return platform::StartSearch(pattern, &found) != nullptr;
}

bool FolderHasEntries(const char* folder)
{
    std::string pattern = folder ? folder : "";
    pattern += "/*.*";
    WIN32_FIND_DATAA found;
    const platform::SearchHandle search = platform::StartSearch(pattern.c_str(), &found);
    if (!search) return false;
    bool any = false;
    do {
        any = std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
    } while (!any && FindNextFileA(search.get(), &found));
    return any;
}

bool IsReadOnly(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool SetReadOnly(const char* path, bool on)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesA(path,
                              on ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY));
}

bool IsWritablePath(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_READONLY);
    std::string folder = path ? path : "";
    const std::size_t cut = folder.find_last_of("/\\");
    folder = cut == std::string::npos ? "." : folder.substr(0, cut);
    const DWORD folderAttributes = GetFileAttributesA(folder.c_str());
    return folderAttributes != INVALID_FILE_ATTRIBUTES && (folderAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeTempFileName(char* out, const char* prefix)
{
    char folder[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0) return false;
    return GetTempFileNameA(folder, prefix, 0, out) != 0;
}

namespace {
constexpr std::int64_t kTicksPerSecond = 10000000LL;
constexpr std::int64_t kUnixEpoch = 116444736000000000LL;
}  // namespace

void DosTimeNow(std::uint16_t* date, std::uint16_t* time)
{
    FileTimeToDos(std::time(nullptr) * kTicksPerSecond + kUnixEpoch, date, time);
}

std::int64_t DosToFileTime(std::uint16_t date, std::uint16_t time)
{
    std::tm local{};
    local.tm_year = ((date >> 9) & 0x7F) + 80;
    local.tm_mon = ((date >> 5) & 0xF) - 1;
    local.tm_mday = date & 0x1F;
    local.tm_hour = (time >> 11) & 0x1F;
    local.tm_min = (time >> 5) & 0x3F;
    local.tm_sec = (time & 0x1F) * 2;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) return 0;
    return static_cast<std::int64_t>(seconds) * kTicksPerSecond + kUnixEpoch;
}

void FileTimeToDos(std::int64_t fileTime, std::uint16_t* date, std::uint16_t* time)
{
    const std::time_t seconds = static_cast<std::time_t>((fileTime - kUnixEpoch) / kTicksPerSecond);
    std::tm local{};
    localtime_r(&seconds, &local);
    int year = local.tm_year - 80;
    if (year < 0) year = 0;  // DOS dates begin in 1980
    if (date) *date = static_cast<std::uint16_t>((year << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    if (time) *time = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

const char* GetCacheFolderName() { return "Cache"; }
