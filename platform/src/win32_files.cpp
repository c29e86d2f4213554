#include "platform/win32_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "folder_listing.h"
#include "platform/files.h"

namespace {

constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;

FILETIME ToFileTime(std::int64_t value)
{
    FILETIME t;
    t.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFF);
    t.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32);
    return t;
}

std::int64_t FromFileTime(const FILETIME& t)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

struct Search {
    std::string folder;
    std::vector<std::string> names;
    std::size_t next = 0;
};

bool MatchesPattern(const std::string& pattern, const char* name)
{
    // "*." is the Windows way of asking for names without an extension.
    if (pattern.size() > 1 && pattern.back() == '.' && pattern != "*.*")
        return std::strchr(name, '.') == nullptr &&
               platform::WildcardMatch(pattern.substr(0, pattern.size() - 1), name);
    // A trailing ".*" also takes names without a dot.
    if (pattern.size() > 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
        platform::WildcardMatch(pattern.substr(0, pattern.size() - 2), name))
        return true;
    return platform::WildcardMatch(pattern, name);
}

bool Fill(const std::string& folder, const std::string& name, WIN32_FIND_DATAA* found)
{
    struct stat info {};
    const std::string full = folder.empty() ? name : folder + "/" + name;
    if (::stat(full.c_str(), &info) != 0) return false;
    std::memset(found, 0, sizeof *found);
    found->dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (!(info.st_mode & S_IWUSR)) found->dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
    found->ftCreationTime = ToFileTime(platform::FileTimeFromUnix(info.st_ctim.tv_sec, info.st_ctim.tv_nsec));
    found->ftLastAccessTime = ToFileTime(platform::FileTimeFromUnix(info.st_atim.tv_sec, info.st_atim.tv_nsec));
    found->ftLastWriteTime = ToFileTime(platform::FileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec));
    const std::uint64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<std::uint64_t>(info.st_size);
    found->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    found->nFileSizeLow = static_cast<DWORD>(size);
    std::strncpy(found->cFileName, name.c_str(), MAX_PATH - 1);
    return true;
}

bool NextEntry(Search* search, WIN32_FIND_DATAA* found)
{
    while (search->next < search->names.size())
        if (Fill(search->folder, search->names[search->next++], found)) return true;
    return false;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    if (!pattern || !found) return INVALID_HANDLE_VALUE;
    std::string unified(pattern);
    for (char& c : unified)
        if (c == '\\') c = '/';
    const std::size_t cut = unified.rfind('/');
    const std::string namePattern = cut == std::string::npos ? unified : unified.substr(cut + 1);
    std::string folder;
    if (cut == 0)
        folder = std::string(1, '/');
    else if (cut != std::string::npos)
        folder = platform::ResolvePath(unified.substr(0, cut));

    const platform::FolderListing listing = platform::OpenFolderListing(folder);
    if (!listing) return INVALID_HANDLE_VALUE;
    auto search = std::make_unique<Search>();
    search->folder = folder;
    while (dirent* entry = ::readdir(listing.get()))
        if (MatchesPattern(namePattern, entry->d_name)) search->names.emplace_back(entry->d_name);
    if (!NextEntry(search.get(), found)) return INVALID_HANDLE_VALUE;
    return search.release();  // FindClose destroys it
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* found)
{
    if (!handle || handle == INVALID_HANDLE_VALUE || !found) return FALSE;
    return NextEntry(static_cast<Search*>(handle), found) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE handle)
{
    if (!handle || handle == INVALID_HANDLE_VALUE) return FALSE;
    std::unique_ptr<Search> search(static_cast<Search*>(handle));
    return TRUE;
}

DWORD GetFileAttributesA(LPCSTR path)
{
    if (!path) return INVALID_FILE_ATTRIBUTES;
    struct stat info {};
    if (::stat(platform::ResolvePath(path).c_str(), &info) != 0) return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (!(info.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

BOOL SetFileAttributesA(LPCSTR path, DWORD attributes)
{
    if (!path) return FALSE;
    const std::string resolved = platform::ResolvePath(path);
    struct stat info {};
    if (::stat(resolved.c_str(), &info) != 0) return FALSE;
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(resolved.c_str(), mode) == 0 ? TRUE : FALSE;
}

BOOL CreateDirectoryA(LPCSTR path, void*)
{
    if (!path) return FALSE;
    return ::mkdir(platform::ResolvePath(path).c_str(), 0777) == 0 ? TRUE : FALSE;
}

BOOL DeleteFileA(LPCSTR path)
{
    if (!path) return FALSE;
    return ::unlink(platform::ResolvePath(path).c_str()) == 0 ? TRUE : FALSE;
}

DWORD GetTempPathA(DWORD size, LPSTR buffer)
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    if (buffer && size > path.size()) std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT, LPSTR out)
{
    if (!path || !out) return 0;
    std::string name = platform::ResolvePath(path);
    if (!name.empty() && name.back() != '/') name += '/';
    if (prefix) name.append(prefix, ::strnlen(prefix, 3));
    name.append("XXXXXX.tmp");
    if (name.size() >= MAX_PATH) return 0;
    const int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) return 0;
    ::close(fd);
    std::memcpy(out, name.c_str(), name.size() + 1);
    return 1;
}

namespace platform {

std::int64_t FileTimeFromUnix(std::int64_t seconds, long nanoseconds)
{
    return seconds * 10000000LL + nanoseconds / 100 + kUnixEpochInFileTime;
}

std::int64_t UnixSecondsFromFileTime(std::int64_t fileTime)
{
    const std::int64_t since = fileTime - kUnixEpochInFileTime;
    return since >= 0 ? since / 10000000LL : -((-since + 9999999) / 10000000LL);
}

bool GetFileTimes(const char* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite)
{
    if (!path) return false;
    const std::string resolved = ResolvePath(path);
    struct statx info {};
    if (::statx(AT_FDCWD, resolved.c_str(), 0, STATX_BTIME | STATX_ATIME | STATX_MTIME | STATX_CTIME, &info) != 0)
        return false;
    const statx_timestamp born = (info.stx_mask & STATX_BTIME) ? info.stx_btime : info.stx_ctime;
    if (creation) *creation = ToFileTime(FileTimeFromUnix(born.tv_sec, born.tv_nsec));
    if (lastAccess) *lastAccess = ToFileTime(FileTimeFromUnix(info.stx_atime.tv_sec, info.stx_atime.tv_nsec));
    if (lastWrite) *lastWrite = ToFileTime(FileTimeFromUnix(info.stx_mtime.tv_sec, info.stx_mtime.tv_nsec));
    return true;
}

bool SetFileTimes(const char* path, const FILETIME*, const FILETIME* lastAccess, const FILETIME* lastWrite)
{
    if (!path) return false;
    timespec times[2];
    for (int i = 0; i < 2; ++i) {
        const FILETIME* t = i == 0 ? lastAccess : lastWrite;
        if (!t) {
            times[i].tv_sec = 0;
            times[i].tv_nsec = UTIME_OMIT;
            continue;
        }
        const std::int64_t since = FromFileTime(*t) - kUnixEpochInFileTime;
        times[i].tv_sec = static_cast<time_t>(since / 10000000LL);
        times[i].tv_nsec = static_cast<long>((since % 10000000LL) * 100);
        if (times[i].tv_nsec < 0) {
            times[i].tv_nsec += 1000000000L;
            times[i].tv_sec -= 1;
        }
    }
    return ::utimensat(AT_FDCWD, ResolvePath(path).c_str(), times, 0) == 0;
}

}  // namespace platform
