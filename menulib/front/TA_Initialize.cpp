// The library's start and end for its host: TA_Initialize and TA_ShutDown.
#include "forms/HttpService.h"
#include "foundation/CFile.h"
#include "foundation/FatalMessage.h"
#include "foundation/FileFlags.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileState.h"
#include "foundation/HostWindow.h"
#include "foundation/MathTables.h"
#include "foundation/ModulePath.h"
#include "foundation/PersistentObjectList.h"
#include "foundation/RegistryHelpers.h"
#include "foundation/VirtualFileTree.h"
#include "frames/Frame.h"
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/AssetVersions.h"
#include "front/LibraryFolders.h"
#include "front/NameValuePairs.h"
#include "front/TA_API.h"
#include "platform/win32_module.h"
#include "ui/BitmapFont.h"
#include "ui/SkinData.h"

namespace {

constexpr int kOldestLibVersion = 6;
constexpr int kForcedFailureDebugMode = 2;
constexpr int kModulePathSize = 260;
constexpr const char* kWriteTestFile = "TestDestinationReadibility.txt";

constexpr const char* kOldLibVersionText =
    "Your application is using an old version of the TollarineArcade.lib file. Please contact Tollarine to obtain "
    "the latest version of the SDK.";
constexpr const char* kForcedFailureText =
    "This was a forced TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL runtime error for test purposes.";
constexpr const char* kNoModulePathText = "An internal call to GetModuleFileName failed.";
constexpr const char* kFolderNotWritableText =
    "A test to see if we could write a file the the 'TollarineArcade' folder failed. Maybe the application is being "
    "run from a CD or some other read only media.";

// A registry DWORD that counts only when it is present and exactly 1.
bool RegistryFlag(const CString& key, const char* value)
{
    bool found = false;
    const int read = RegReadDword(key.GetText(), value, &found);
    return found && read == 1;
}

void ReadDebugMode(ArcadeState& state)
{
    bool found = false;
    const int mode = RegReadDword(GetRegistryRootKey().GetText(), "DebugMode", &found);
    state.DebugMode = found ? mode : 0;
    if (state.DebugMode != 0)
        ReportAPIUsageError(!state.DebugBuild, "Application was built with debug mode ON.");
    else if (state.DebugBuild)
        state.DebugMode = 1;
}

void StoreApplication(ArcadeState& state, int applicationID, const char* applicationName, int applicationNumber,
                      float price)
{
    state.FirstSessionPending = true;
    state.ApplicationID = applicationID;
    state.ApplicationName = applicationName;
    state.Price = price;
    state.ApplicationNumber = applicationNumber;
    const CString applicationKey = GetApplicationRegistryKey(applicationID);
    bool found = false;
    const int channel = RegReadDword(applicationKey.GetText(), "ChannelID", &found);
    state.ChannelID = found ? channel : applicationNumber;
    state.AlwaysConnected = RegistryFlag(GetRegistryRootKey(), "AlwaysConnected");
    state.DoneFirstSharedUpdate = RegistryFlag(applicationKey, "DoneFirstSharedUpdateAttempt");
}

bool FolderIsWritable()
{
    CFile test;
    if (!test.Open(kWriteTestFile, kFileCreate | kFileWrite | kFileAbsolute)) return false;
    test.Close();
    DeleteDiskFile(kWriteTestFile, kFileAbsolute);
    return true;
}

// The archives and the collections' folders. The archives stay mounted for the whole load: a second start finds
// them in place and does not mount them again. The records the collections read anew replace those read before,
// so every list that points into records is made again.
void MountAndLoad()
{
    if (!FileState().archivesMounted) MountArchives("Arcade", 0, false);
    PersistentObjectList::Instance().LoadAll();
    NameValueLookup::Invalidate();
    AssetVersions::Invalidate();
    for (const char* archive : {"Application.dat", "Channel.dat"})
        VirtualFileTree::Instance().Add(archive, true, false, "/", false, kFileAbsolute);
}

}  // namespace

TA_ResultCode16 TA_Initialize(int applicationID, const char* applicationName, int applicationNumber, float price,
                              std::int16_t debugBuild, int libVersion)
{
    ArcadeState& state = GetArcadeState();
    GetAPIState().lastErrorText = nullptr;
    state.Initializing = true;
    state.InitializeSucceeded = false;

    state.LibVersion = libVersion;
    if (libVersion < kOldestLibVersion) {
        FatalMessage("Bad Lib Version", kOldLibVersionText);
        state.Initializing = false;
        return FailWith(TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL, kOldLibVersionText);
    }
    state.DebugBuild = debugBuild != 0;
    ReadDebugMode(state);
    ReportAPIUsageError(applicationName != nullptr,
                        "TA_Initialize: 'ApplicationName' parameter must contain the application name.");
    state.Initialized = true;
    if (state.DebugMode == kForcedFailureDebugMode) {
        state.Initializing = false;
        return FailWith(TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL, kForcedFailureText);
    }

    char modulePath[kModulePathSize];
    if (!GetModuleFileNameA(HostWindow::Instance().moduleHandle, modulePath, sizeof modulePath)) {
        state.Initializing = false;
        return FailWith(TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL, kNoModulePathText);
    }
    SetModulePathOverride(modulePath);
    ChangeToModuleFolder();

    StoreApplication(state, applicationID, applicationName, applicationNumber, price);
    if (!FolderIsWritable()) {
        state.Initializing = false;
        return FailWith(TA_ERROR_CODE_FOLDER_NOT_WRITABLE, kFolderNotWritableText);
    }

    MountAndLoad();
    SetDisplayBitDepth(16);
    InitMathTables();
    CJWindowAlphaTheme::GetStaticClassInfo();
    CFontBitmap::GetStaticClassInfo();

    state.Initializing = false;
    state.InitializeSucceeded = true;
    return TA_ERROR_CODE_NONE;
}

void TA_ShutDown()
{
    ArcadeState& state = GetArcadeState();
    ReportAPIUsageError(state.Initialized, "TA_ShutDown: Must call TA_Initialize before calling this function.");
    if (state.AnySessionEntered) {
        ReportAPIUsageError(state.RectSystemUsed,
                            "TA_ShutDown: We detected that TA_GetNumberOfRectsToUpdate was never called. We "
                            "recommended that the update rect system is used to ensure fast GUI response.");
        if (!state.SystemUpdateRequired)
            ReportAPIUsageError(state.MinimalDrawSeen,
                                "TA_ShutDown: We detected that TA_DrawNextFrameIntoBuffer was never called with "
                                "'DrawType' set to 'TA_DRAW_TYPE_MINIMAL'. We recommended that the update rect "
                                "system is used to ensure fast GUI response.");
    }
    ShutDownHttpService();
    state.Initialized = false;
    state.InitializeSucceeded = false;
    state.SessionEntered = false;
    state.RectsQueried = false;
    PersistentObjectList::Instance().ShutDown();
    GetAPIState().lastValueText.reset();
}
