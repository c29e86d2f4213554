// The update of the library's own files: newer copies are staged in "Update/" and the current ones copied into
// "Backup/"; the host then unloads the library and moves the staged files into place. Paths are relative to the
// working folder, which is the library's folder during the calls.
#pragma once
#include "forms/FormAction.h"

// The library file as the host loads it, staged and backed up under the same name.
constexpr const char* kLibraryFileName = "TollarineArcade.so";

// Compares the library's versions with the shared install folders' copies: true when newer copies were staged
// and the current files backed up. Newer local copies are passed on to the shared folders. Run once a frame.
bool CheckLibraryFileUpdate();
// Copies the library file and the archives into "Backup/"; on any failure "Backup/" is emptied again.
bool BackupLibraryFiles();
// Deletes every disk file in the folder (not its sub-folders).
void EmptyFolder(const char* folder);
// Writes "Update/" + part + ".dat": the current archive of the part with the members of "Update/" + part +
// ".qxd" over it. With includeLibraryFile a library file among them is staged as "Update/" + the library file's
// name instead. True when there was nothing to build.
bool BuildUpdateArchive(const char* part, bool includeLibraryFile);

// Unpacks the downloaded "Update/Update.qxd" into staged archives and backs the current files up.
class CFormActionProcessUpdateFile : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionProcessUpdateFile)
public:
    CFormActionProcessUpdateFile();
    ~CFormActionProcessUpdateFile() override;

    // True when an update was staged, or when the archive holds none (after the "No Update Required Action").
    bool Execute() override;

private:
    friend void DeclareFormActionProcessUpdateFile(ClassInfo* record);

    CFormAction* m_noUpdateRequiredAction = nullptr;
};
