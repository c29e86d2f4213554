#include "front/LibraryFolders.h"

#include "foundation/LocalizedString.h"
#include "foundation/RegistryHelpers.h"

namespace {

LocalizedString VersionWord("Version", "As in \"Quib Demo VERSION 1.0 Build 345\"", 0);
LocalizedString BuildWord("Build", "As in \"Quib Demo Version 1.0 BUILD 345\"", 0);

const CString& RootKey()
{
    static const CString root("SOFTWARE\\TollarineArcade\\");
    return root;
}

constexpr int kProgramFilesBufferSize = 260;

}  // namespace

CString GetRegistryRootKey() { return RootKey(); }

CString GetApplicationRegistryKey(int applicationID)
{
    CString key(RootKey());
    key.AppendInt(applicationID);
    return key;
}

CString GetProgramFilesFolder()
{
    CString folder;
    if (!RegReadMachineString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", &folder))
        return CString();
    // The value is read into a buffer of 260 bytes.
    return folder.Left(kProgramFilesBufferSize - 1);
}

CString GetInstallFolder()
{
    CString folder = GetProgramFilesFolder();
    if (folder.IsEmpty()) folder = "C:\\Program Files";
    folder.Append("\\TollarineArcade");
    return folder;
}

CString GetArcadeFolder() { return ArcadeFolderIn(GetInstallFolder()); }

CString GetChannelFolder(int channel) { return ChannelFolderIn(GetInstallFolder(), channel); }

CString ArcadeFolderIn(const CString& installFolder)
{
    CString folder(installFolder);
    folder.Append("\\Arcade");
    return folder;
}

CString ChannelFolderIn(const CString& installFolder, int channel)
{
    CString folder(installFolder);
    folder.Append("\\Channels\\");
    folder.AppendInt(channel);
    return folder;
}

CString GetDLLVersionText()
{
    CString build;
    build.Format("%s %s %d", "1.0", BuildWord.GetText().GetText(), kLibraryBuildNumber);
    CString text;
    text.Format("%s %s %s", "Tollarine Arcade DLL", VersionWord.GetText().GetText(), build.GetText());
    return text;
}
