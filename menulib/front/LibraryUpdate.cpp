#include "front/LibraryUpdate.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "foundation/CFile.h"
#include "foundation/FileFunctions.h"
#include "front/ArcadeState.h"
#include "front/ArchiveVersion.h"
#include "front/AssetVersions.h"
#include "front/LibraryFolders.h"
#include "front/LibraryUpdateFiles.h"

namespace {

constexpr const char* kArcadeArchive = "Arcade.dat";
constexpr const char* kApplicationArchive = "Application.dat";
constexpr const char* kChannelArchive = "Channel.dat";
constexpr const char* kArcadeVersionMember = "Resources/Arcade.version.txt";
constexpr const char* kChannelVersionMember = "Resources/Channel.version.txt";

// A shared install folder as a disk path.
std::string DiskFolder(const CString& folder)
{
    std::string path = folder.GetText();
    for (char& c : path)
        if (c == '\\') c = '/';
    return path + "/";
}

std::string Staged(const char* name) { return std::string("Update/") + name; }

// Both files copied to temporary names beside their targets and only then renamed over them, so that the shared
// folder keeps its whole old pair when a copy fails.
bool ReplaceSharedPair(const std::string& folder, const char* first, const char* second)
{
    const std::string firstTarget = folder + first, secondTarget = folder + second;
    const std::string firstTemporary = firstTarget + ".new", secondTemporary = secondTarget + ".new";
    const bool copied = CopyLibraryFile(first, firstTemporary) && CopyLibraryFile(second, secondTemporary);
    const bool replaced = copied && std::rename(firstTemporary.c_str(), firstTarget.c_str()) == 0 &&
                          std::rename(secondTemporary.c_str(), secondTarget.c_str()) == 0;
    DeleteLibraryFile(firstTemporary);
    DeleteLibraryFile(secondTemporary);
    return replaced;
}

bool ReplaceSharedFile(const std::string& folder, const char* name)
{
    const std::string target = folder + name, temporary = target + ".new";
    const bool replaced = CopyLibraryFile(name, temporary) && std::rename(temporary.c_str(), target.c_str()) == 0;
    DeleteLibraryFile(temporary);
    return replaced;
}

// The shared Arcade pair against the library's own: true when the shared one was staged; failed when a copy did
// not succeed.
bool StageArcadeUpdate(const CString& installFolder, bool* failed)
{
    const std::string shared = DiskFolder(ArcadeFolderIn(installFolder));
    const int sharedVersion = ReadArchiveVersion((shared + kArcadeArchive).c_str(), kArcadeVersionMember);
    const int localVersion = AssetVersions::Instance().GetArcadeVersion();
    if (sharedVersion > localVersion) {
        const std::string library = Staged(kLibraryFileName), archive = Staged(kArcadeArchive);
        DeleteLibraryFile(library);
        DeleteLibraryFile(archive);
        if (CopyLibraryFile((shared + kLibraryFileName).c_str(), library) &&
            CopyLibraryFile((shared + kArcadeArchive).c_str(), archive))
            return true;
        DeleteLibraryFile(library);
        DeleteLibraryFile(archive);
        *failed = true;
    } else if (sharedVersion < localVersion) {
        *failed = !ReplaceSharedPair(shared, kLibraryFileName, kArcadeArchive);
    }
    return false;
}

// The shared channel archive of the library's channel against the library's own.
bool StageChannelUpdate(const CString& installFolder)
{
    const std::string shared = DiskFolder(ChannelFolderIn(installFolder, GetArcadeState().ChannelID));
    const std::string sharedArchive = shared + kChannelArchive;
    const int sharedVersion = ReadArchiveVersion(sharedArchive.c_str(), kChannelVersionMember);
    const int localVersion = AssetVersions::Instance().GetChannelVersion();
    if (sharedVersion > localVersion) {
        const std::string staged = Staged(kChannelArchive);
        DeleteLibraryFile(staged);
        if (CopyLibraryFile(sharedArchive.c_str(), staged)) return true;
        DeleteLibraryFile(staged);
    } else if (sharedVersion < localVersion) {
        ReplaceSharedFile(shared, kChannelArchive);
    }
    return false;
}

}  // namespace

void EmptyFolder(const char* folder)
{
    DIR* listing = ::opendir(folder);
    if (!listing) return;
    const std::string prefix = std::string(folder) + "/";
    while (const dirent* entry = ::readdir(listing)) {
        const std::string path = prefix + entry->d_name;
        struct stat found {};
        if (::lstat(path.c_str(), &found) == 0 && !S_ISDIR(found.st_mode)) DeleteLibraryFile(path);
    }
    ::closedir(listing);
}

bool BackupLibraryFiles()
{
    EmptyFolder("Backup");
    const auto backUp = [](const char* name) { return CopyLibraryFile(name, std::string("Backup/") + name); };
    bool succeeded = backUp(kLibraryFileName) && backUp(kArcadeArchive);
    for (const char* optional : {kApplicationArchive, kChannelArchive})
        if (succeeded && FileExists(optional, kFileAbsolute)) succeeded = backUp(optional);
    if (!succeeded) EmptyFolder("Backup");
    return succeeded;
}

bool CheckLibraryFileUpdate()
{
    EmptyFolder("Update");
    // The program files folder is read from the registry once per check: the check runs every frame.
    const CString installFolder = GetInstallFolder();
    bool failed = false;
    bool staged = StageArcadeUpdate(installFolder, &failed);
    if (failed) return false;
    staged = StageChannelUpdate(installFolder) || staged;
    if (!staged) return false;
    if (BackupLibraryFiles()) return true;
    EmptyFolder("Update");
    return false;
}
