// Applying an update of the menu library's own files: the downloaded files replace the installed ones, and the
// backup the library made before its download goes back in place when that fails.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "GP_MenuLibrary.h"
#include "platform/win32_files.h"

namespace {

bool IsFolder(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool ReloadWithSavedIdentity()
{
    const TA_Identity& id = TA_State.identity;
    return TA_LoadLibrary(id.applicationID, id.applicationName.c_str(), id.applicationNumber, id.value,
                          id.debugBuild) == TA_Ok;
}

}  // namespace

bool TA_DeleteFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != FALSE;
}

bool TA_DeleteLibraryFile(const char* name) { return TA_DeleteFile(TA_State.libraryFolder + name); }

bool TA_MoveFolderFiles(const std::string& destination, const std::string& source)
{
    WIN32_FIND_DATAA entry{};
    platform::SearchHandle search = platform::StartSearch((source + "*.*").c_str(), &entry);
    if (!search) return true;
    bool allMoved = true;
    do {
        if (IsFolder(entry)) continue;
        TA_DeleteFile(destination + entry.cFileName);
        if (std::rename((source + entry.cFileName).c_str(), (destination + entry.cFileName).c_str()) != 0)
            allMoved = false;
    } while (FindNextFileA(search.get(), &entry));
    return allMoved;
}

bool TA_DeleteFolderTree(const std::string& path)
{
    WIN32_FIND_DATAA entry{};
    platform::SearchHandle search = platform::StartSearch((path + "/*.*").c_str(), &entry);
    while (search) {
        const std::string child = path + "/" + entry.cFileName;
        if (IsDotEntry(entry.cFileName))
            ;
        else if (IsFolder(entry))
            TA_DeleteFolderTree(child);
        else
            TA_DeleteFile(child);
        if (!FindNextFileA(search.get(), &entry)) break;
    }
    search.reset();
    std::error_code failed;
    return std::filesystem::remove(path, failed) && !failed;
}

bool TA_ApplySystemUpdate()
{
    const std::string updateFolder = TA_State.libraryFolder + "Update/";
    const std::string backupFolder = TA_State.libraryFolder + "Backup/";
    if (!TA_MoveFolderFiles(TA_State.libraryFolder, updateFolder)) {
        TA_State.skipUpdateCheck = true;
        TA_State.lastUpdateFailed = true;
        TA_DeleteFolderTree(TA_State.libraryFolder + "Update");
        TA_DeleteLibraryFile("Application.dat");
        TA_DeleteLibraryFile("Channel.dat");
        TA_MoveFolderFiles(TA_State.libraryFolder, backupFolder);
    }
    TA_DeleteFolderTree(TA_State.libraryFolder + "Arcade");
    if (ReloadWithSavedIdentity()) return true;
    TA_State.skipUpdateCheck = true;
    TA_State.lastUpdateFailed = true;
    TA_MoveFolderFiles(TA_State.libraryFolder, backupFolder);
    return ReloadWithSavedIdentity();
}
