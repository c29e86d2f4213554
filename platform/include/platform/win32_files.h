// Win32-shaped file calls beyond fopen: directory searches, attributes, folders, deletion, temporary names and
// file times. Paths take "\" or "/" and are resolved without regard to case (see files.h).
#pragma once
#include <cstdint>
#include <memory>

#include "platform/win32_base.h"

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[MAX_PATH];
};

// "folder/pattern": every entry of the folder whose name matches the pattern ("*." = names without a dot),
// "." and ".." included as Windows lists them. INVALID_HANDLE_VALUE when nothing matches.
PLATFORM_API HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* found);
PLATFORM_API BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* found);
PLATFORM_API BOOL FindClose(HANDLE search);

// FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_READONLY (no write permission for the owner) or
// FILE_ATTRIBUTE_NORMAL; INVALID_FILE_ATTRIBUTES when the path does not exist.
PLATFORM_API DWORD GetFileAttributesA(LPCSTR path);
// Only the read-only bit has a meaning here: it takes away or gives back the owner's write permission.
PLATFORM_API BOOL SetFileAttributesA(LPCSTR path, DWORD attributes);
PLATFORM_API BOOL CreateDirectoryA(LPCSTR path, void* securityAttributes);
PLATFORM_API BOOL DeleteFileA(LPCSTR path);

// $TMPDIR (else /tmp) with a trailing "/"; the length written, without the terminator.
PLATFORM_API DWORD GetTempPathA(DWORD size, LPSTR buffer);
// A new empty file "<path>/<prefix up to 3 characters>XXXXXX.tmp" made with mkstemp; its name goes to out
// (MAX_PATH characters). 0 on failure.
PLATFORM_API UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR out);

namespace platform {

struct SearchCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
// The one owner of a directory search: FindClose when it goes.
using SearchHandle = std::unique_ptr<void, SearchCloser>;

// FindFirstFileA, owned; null (not INVALID_HANDLE_VALUE) when nothing matches.
inline SearchHandle StartSearch(LPCSTR pattern, WIN32_FIND_DATAA* found)
{
    HANDLE search = FindFirstFileA(pattern, found);
    return SearchHandle(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

// A file's times as Windows file times (100 ns units since 1601, UTC). Creation is the birth time where the
// file system keeps one, else the last change of the file's status.
PLATFORM_API bool GetFileTimes(const char* path, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite);
// Sets the given times (null: unchanged). Linux cannot set a creation time; it is ignored.
PLATFORM_API bool SetFileTimes(const char* path, const FILETIME* creation, const FILETIME* lastAccess,
                               const FILETIME* lastWrite);
PLATFORM_API std::int64_t FileTimeFromUnix(std::int64_t seconds, long nanoseconds);
PLATFORM_API std::int64_t UnixSecondsFromFileTime(std::int64_t fileTime);

}  // namespace platform
