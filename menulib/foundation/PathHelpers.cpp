#include "foundation/PathHelpers.h"

#include <ctime>
#include <cstring>
#include <string>

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

bool CreateFolderPath(const char* path)
{
    if (!path) return false;
    std::string full(path);
    if (!full.empty() && (full.back() == '/' || full.back() == '\\')) full.pop_back();
    if (full.empty()) return false;
    // Try the whole path; on failure make the parents first, then try again from the whole path.
    std::string attempt = full;
    for (;;) {
        if (CreateDirectoryA(attempt.c_str(), nullptr) || GetFileAttributesA(attempt.c_str()) != INVALID_FILE_ATTRIBUTES) {
            if (attempt == full) return true;
            attempt = full;
            continue;
        }
        const std::size_t cut = attempt.find_last_of("/\\");
        if (cut == std::string::npos || cut == 0) return false;
        attempt.resize(cut);
    }
}

bool PathExists(const char* pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool FolderHasEntries(const char* folder)
{
    std::string pattern = folder ? folder : "";
    pattern += "/*.*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
        any = std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
    } while (!any && FindNextFileA(search, &found));
    FindClose(search);
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
    return SetFileAttributesA(path, on ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY));
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
