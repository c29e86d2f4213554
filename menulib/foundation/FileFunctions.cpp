#include "foundation/FileFunctions.h"

#include <string>
#include <string_view>

#include "foundation/CFile.h"
#include "foundation/FileState.h"
#include "foundation/PathHelpers.h"
#include "foundation/VirtualFileTree.h"
#include "platform/files.h"
#include "platform/replace_file.h"
#include "platform/win32_files.h"

namespace {

bool UsesTree(const char* path, int flags)
{
    return FileState().archivesMounted && !(flags & kFileAbsolute) && !IsAbsolutePath(path);
}

FILETIME ToFileTime(std::int64_t value)
{
    return FILETIME{static_cast<DWORD>(value & 0xFFFFFFFF),
                    static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32)};
}

}  // namespace

bool FileExists(const char* path, int flags)
{
    CFile file;
    return file.Open(path, (flags & ~(kFileCreate | kFileWrite | kFileInMemory | kFileCompressed)) | kFileRead);
}

bool FolderExists(const char* path, int flags)
{
    if (!path) return false;
    CString folder = DiskPath(path, flags);
    if (folder.GetLength() > 1 && folder.GetAt(folder.GetLength() - 1) == '/')
        folder = folder.Left(folder.GetLength() - 1);
    const DWORD attributes = GetFileAttributesA(folder.GetText());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteDiskFile(const char* path, int flags) { return path && DeleteFileA(DiskPath(path, flags).GetText()); }

bool IsFileWritable(const char* path, int flags)
{
    if (!path) return false;
    bool writable = false;
    if (UsesTree(path, flags) && VirtualFileTree::Instance().IsWritable(path, &writable)) return writable;
    return IsWritablePath(DiskPath(path, flags).GetText());
}

std::int64_t GetFileTime64(const char* path, int flags, int which)
{
    if (!path) return 0;
    FILETIME creation{}, access{}, write{};
    std::int64_t value = 0;
    if (platform::GetFileTimes(DiskPath(path, flags).GetText(), &creation, &access, &write)) {
        const FILETIME& t = which == 1 ? creation : which == 2 ? access : write;
        value = static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    }
    if (value == 0 && UsesTree(path, flags)) value = VirtualFileTree::Instance().GetTime(path, flags);
    return value;
}

bool SetFileTime64(const char* path, std::int64_t time, int flags, int which)
{
    if (!path) return false;
    const FILETIME t = ToFileTime(time);
    return platform::SetFileTimes(DiskPath(path, flags).GetText(), (which & 1) ? &t : nullptr,
                                  (which & 2) ? &t : nullptr, (which & 4) ? &t : nullptr);
}

bool SetFileTime64(const char* path, std::uint32_t low, std::uint32_t high, int flags, int which)
{
    return SetFileTime64(path, static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low), flags, which);
}

bool ArchiveFileExists(const char* path)
{
    return path && FileState().archivesMounted && VirtualFileTree::Instance().Exists(path, 0);
}

bool WriteDiskFileAtomically(const char* path, int flags, const void* data, int size)
{
    const std::string target = platform::ResolvePath(DiskPath(path, flags).GetText());
    if (flags & kFileMakeFolders) {
        CString folder;
        SplitPath(target.c_str(), &folder, nullptr);
        if (folder.IsNotEmpty()) CreateFolderPath(folder.GetText());
    }
    if ((flags & kFileClearReadOnly) && IsReadOnly(target.c_str())) SetReadOnly(target.c_str(), false);
    const std::string_view contents(static_cast<const char*>(data), size > 0 ? static_cast<std::size_t>(size) : 0);
    return platform::ReplaceFileWhole(target, contents);
}
