#include "front/LibraryUpdateFiles.h"

#include "foundation/CFile.h"
#include "foundation/FileFunctions.h"

bool CopyLibraryFile(const char* source, const std::string& destination)
{
    CFile from;
    if (!from.Open(source, kFileAbsolute | kFileRead)) return false;
    if (from.CopyTo(destination.c_str(), kFileAbsolute | kFileMakeFolders, nullptr)) return true;
    DeleteLibraryFile(destination);
    return false;
}

bool DeleteLibraryFile(const std::string& path) { return DeleteDiskFile(path.c_str(), kFileAbsolute); }
