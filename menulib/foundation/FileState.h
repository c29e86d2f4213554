// The process-wide state of the library's file layer.
#pragma once
#include "foundation/CString.h"

struct FileSystemState {
    CString baseFolder{"."};       // relative paths are tried under it first
    bool archivesMounted = false;  // archive lookups happen only when set
    int openFiles = 0;
    int mostOpenFiles = 0;
};

FileSystemState& FileState();

// A path longer than one character that begins with '\\' or '/' or has ':' as its second character.
bool IsAbsolutePath(const char* path);
// The disk path of a library path: as given with flag 0x20 or when absolute, else under the base folder.
CString DiskPath(const char* path, int flags);
