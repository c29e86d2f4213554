// Whole-file questions and actions on library paths: relative paths look under the base folder and, when
// archives are mounted, in the virtual file tree; flag 0x20 takes the path as given.
#pragma once
#include <cstdint>

bool FileExists(const char* path, int flags = 0);
bool FolderExists(const char* path, int flags = 0);
bool DeleteDiskFile(const char* path, int flags = 0);
bool IsFileWritable(const char* path, int flags = 0);
// which: 1 creation, 2 last access, anything else last write. A disk answer of 0 asks the mounted archives.
std::int64_t GetFileTime64(const char* path, int flags, int which);
// which: bit 1 creation (ignored on Linux), bit 2 last access, bit 4 last write.
bool SetFileTime64(const char* path, std::int64_t time, int flags, int which);
bool SetFileTime64(const char* path, std::uint32_t low, std::uint32_t high, int flags, int which);
// The mounted archives hold a member of that path.
bool ArchiveFileExists(const char* path);

// Writes a whole disk file through "<file>.tmp", a sync and a rename, so that a crash mid-write keeps the old
// file. With kFileMakeFolders missing folders are made; a read-only file is refused unless kFileClearReadOnly
// clears its attribute first. A symbolic link's target gets the text, and the file keeps its mode.
bool WriteDiskFileAtomically(const char* path, int flags, const void* data, int size);
