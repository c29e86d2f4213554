// The form action that unpacks a downloaded update archive into the staged archives of the library's parts.
#include <string>

#include "foundation/CFile.h"
#include "foundation/FileState.h"
#include "foundation/ZipArchive.h"
#include "front/ArcadeState.h"
#include "front/LibraryUpdate.h"
#include "front/LibraryUpdateFiles.h"

namespace {

constexpr const char* kDownloadedArchive = "Update/Update.qxd";
constexpr int kFewestMembersOfAnUpdate = 2;

// Where the web download control writes the archive: its relative destination lies below the library's base
// folder, as every relative path of the library does.
std::string DownloadedArchivePath() { return DiskPath(kDownloadedArchive, 0).GetText(); }

// Copies the member, when the archive holds it, to "Update/" + part + ".qxd". Counts a copy made; false on a
// present member that could not be copied.
bool CopyOutPart(ZipArchive& archive, const char* part, int* copied)
{
    const std::string member = std::string(part) + ".upd";
    if (!archive.HasMember(member.c_str())) return true;
    CFile from;
    if (!from.Attach(archive.OpenMember(member.c_str(), 0), kFileRead)) return false;
    const std::string destination = "Update/" + std::string(part) + ".qxd";
    if (!from.CopyTo(destination.c_str(), kFileAbsolute | kFileMakeFolders, nullptr)) {
        from.Close();
        DeleteLibraryFile(destination);
        return false;
    }
    ++*copied;
    return true;
}

bool StageDownloadedParts()
{
    return BuildUpdateArchive("Arcade", true) && BuildUpdateArchive("Channel", false) &&
           BuildUpdateArchive("Application", false) && BackupLibraryFiles();
}

}  // namespace

void DeclareFormActionProcessUpdateFile(ClassInfo* record)
{
    using A = CFormActionProcessUpdateFile;
    record->SetDescription("Unpacks a downloaded update of the library's files and stages it for the host.");
    AddActionProperty(record, "No Update Required Action", PointerMember<&A::m_noUpdateRequiredAction>());
}

FORM_CLASS(CFormActionProcessUpdateFile, CFormAction, DeclareFormActionProcessUpdateFile)

CFormActionProcessUpdateFile::CFormActionProcessUpdateFile() { ConstructOwnMembers(); }

CFormActionProcessUpdateFile::~CFormActionProcessUpdateFile() { DestroyOwnMembers(); }

bool CFormActionProcessUpdateFile::Execute()
{
    ArcadeState& state = GetArcadeState();
    state.SystemUpdateRequired = false;
    const std::string downloaded = DownloadedArchivePath();
    ZipArchive archive;
    int members = 0;
    if (!archive.Open(downloaded.c_str(), false, "", false, kFileAbsolute) || !archive.GetMemberCount(&members)) {
        archive.Close();
        DeleteLibraryFile(downloaded);
        return false;
    }
    if (members < kFewestMembersOfAnUpdate) {
        archive.Close();
        RunFormAction(m_noUpdateRequiredAction);
        DeleteLibraryFile(downloaded);
        return true;
    }
    int copied = 0;
    bool succeeded = true;
    for (const char* part : {"Arcade", "Application", "Channel"})
        if (succeeded) succeeded = CopyOutPart(archive, part, &copied);
    // Closed on every path: the archive file is deleted next.
    archive.Close();
    DeleteLibraryFile(downloaded);
    if (succeeded && copied > 0 && StageDownloadedParts()) {
        state.SystemUpdateRequired = true;
        return true;
    }
    EmptyFolder("Update");
    return false;
}
