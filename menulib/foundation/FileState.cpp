#include "foundation/FileState.h"

#include <cstring>

#include "foundation/FileFlags.h"
#include "foundation/ProcessWide.h"

FileSystemState& FileState()
{
    // Lives to the library's unload: streams close in destructors.
    static FileSystemState* state = NewProcessWide<FileSystemState>(ReleaseStage::Objects);
    return *state;
}

bool IsAbsolutePath(const char* path)
{
    if (!path || std::strlen(path) < 2) return false;
    return path[0] == '\\' || path[0] == '/' || path[1] == ':';
}

CString DiskPath(const char* path, int flags)
{
    if ((flags & kFileAbsolute) || IsAbsolutePath(path)) return CString(path);
    CString full;
    full.SetPath(FileState().baseFolder.GetText(), path);
    return full;
}
