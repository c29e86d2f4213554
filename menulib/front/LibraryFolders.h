// The library's registry keys, the shared install folders under the program files folder, and its version text.
#pragma once
#include "foundation/CString.h"

// "SOFTWARE\TollarineArcade\"
CString GetRegistryRootKey();
// The root key followed by the application's ID in decimal.
CString GetApplicationRegistryKey(int applicationID);
// "ProgramFilesDir" of HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Windows\CurrentVersion"; empty when unreadable.
CString GetProgramFilesFolder();
// The program files folder (or "C:\Program Files") followed by "\TollarineArcade".
CString GetInstallFolder();
CString GetArcadeFolder();
CString GetChannelFolder(int channel);
// The same folders under an install folder read once, for callers that want both without reading the registry
// twice.
CString ArcadeFolderIn(const CString& installFolder);
CString ChannelFolderIn(const CString& installFolder, int channel);

// The build number of the library.
constexpr int kLibraryBuildNumber = 3;
// "Tollarine Arcade DLL Version 1.0 Build 3" in English.
CString GetDLLVersionText();
