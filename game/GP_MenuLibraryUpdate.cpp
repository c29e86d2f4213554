// Applying an update of the menu library's own files: the downloaded files replace the installed ones, and the
// backup the library made before its download goes back in place when that fails.
//
// Each file is renamed into place, which replaces it at once with a new file (a loaded library keeps its old one),
// so no file is ever seen half written. A swap of several files is noted in a journal beside them before the first
// one moves and forgotten after the last: a game ended in the middle finishes the swap, or puts the backup back, at
// its next start, before it loads the library.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "GP_MenuLibrary.h"
#include "platform/win32_files.h"

namespace {

bool IsFolder(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

constexpr const char* kSwapJournal = "Update.swap";
constexpr const char* kMovingIn = "moving in";
constexpr const char* kRestoring = "restoring";

std::string JournalPath() { return TA_State.libraryFolder + kSwapJournal; }

// Written whole under a temporary name and renamed, so that the journal is there with its stage or not at all.
bool WriteJournal(const char* stage)
{
    const std::string temporary = JournalPath() + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << stage;
    out.close();
    const bool written = !out.fail() && std::rename(temporary.c_str(), JournalPath().c_str()) == 0;
    if (!written) TA_DeleteFile(temporary);
    return written;
}

std::string ReadJournal()
{
    std::ifstream in(JournalPath(), std::ios::binary);
    std::string stage;
    std::getline(in, stage);
    return stage;
}

void ForgetJournal() { TA_DeleteFile(JournalPath()); }

// Copies every file of the source folder over the destination's, each through a temporary name and a rename; the
// source keeps its files, so that a restore broken off can run again.
void CopyFolderFilesIntoPlace(const std::string& destination, const std::string& source)
{
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(source, failed)) {
        if (!entry.is_regular_file(failed)) continue;
        const std::string name = entry.path().filename().string();
        const std::string temporary = destination + name + ".restoring";
        if (std::filesystem::copy_file(entry.path(), temporary, std::filesystem::copy_options::overwrite_existing,
                                       failed))
            std::rename(temporary.c_str(), (destination + name).c_str());
        TA_DeleteFile(temporary);
    }
}

// The library's files as the backup has them: the staged files go, and the archives that the update may have
// added with them.
void RestoreBackup()
{
    WriteJournal(kRestoring);
    TA_State.skipUpdateCheck = true;
    TA_State.lastUpdateFailed = true;
    TA_DeleteFolderTree(TA_State.libraryFolder + "Update");
    TA_DeleteLibraryFile("Application.dat");
    TA_DeleteLibraryFile("Channel.dat");
    CopyFolderFilesIntoPlace(TA_State.libraryFolder, TA_State.libraryFolder + "Backup/");
}

// Moves the staged files into place; on failure the backup goes back. Without a journal nothing moves: the
// installed files stay as they are and the update counts as failed.
void MoveUpdateIntoPlace()
{
    if (!WriteJournal(kMovingIn)) {
        TA_State.skipUpdateCheck = true;
        TA_State.lastUpdateFailed = true;
        TA_DeleteFolderTree(TA_State.libraryFolder + "Update");
        return;
    }
    if (!TA_MoveFolderFiles(TA_State.libraryFolder, TA_State.libraryFolder + "Update/")) RestoreBackup();
    TA_DeleteFolderTree(TA_State.libraryFolder + "Arcade");
    ForgetJournal();
}

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
        // The rename replaces the file there at once; deleting it first would leave a moment without it.
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
    MoveUpdateIntoPlace();
    if (ReloadWithSavedIdentity()) return true;
    RestoreBackup();
    ForgetJournal();
    return ReloadWithSavedIdentity();
}

void TA_FinishInterruptedSwap()
{
    const std::string stage = ReadJournal();
    if (stage == kMovingIn)
        MoveUpdateIntoPlace();
    else if (stage == kRestoring)
        RestoreBackup();
    ForgetJournal();
}
