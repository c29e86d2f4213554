#include "GP_MenuLibrary.h"

#include "GP_WindowProc.h"

#include <cstring>
#include <iterator>

#include "platform/win32_desktop.h"
#include "platform/win32_message_box.h"

TA_Binding TA_State;

namespace {

#define TA_EXPORT(name)                                                 \
    {                                                                   \
#name, "Could not link to '" #name "' function within the dll." \
    }

struct ExportName {
    const char* name;
    const char* missingText;
};

// In the order they are bound.
constexpr ExportName kExports[] = {
    TA_EXPORT(tadll_GetDLLVersionAsString),
    TA_EXPORT(tadll_GetDLLVersionAsInt),
    TA_EXPORT(tadll_Initialize),
    TA_EXPORT(tadll_ShutDown),
    TA_EXPORT(tadll_EnterMenuSession),
    TA_EXPORT(tadll_IsTheMenuSessionComplete),
    TA_EXPORT(tadll_DrawNextFrameIntoBuffer),
    TA_EXPORT(tadll_GetNumberOfRectsToUpdate),
    TA_EXPORT(tadll_GetUpdateRect),
    TA_EXPORT(tadll_HandleWindowsMessage),
    TA_EXPORT(tadll_SetPalette),
    TA_EXPORT(tadll_GetValueAsString),
    TA_EXPORT(tadll_GetValueAsInt),
    TA_EXPORT(tadll_GetValueAsFloat),
    TA_EXPORT(tadll_IsASystemUpdateRequired),
    TA_EXPORT(tadll_GetLastErrorInformation),
};
constexpr std::size_t kExportCount = std::size(kExports);

#undef TA_EXPORT

constexpr const char* kNotLoadedText =
    "The TollarineArcade.so file could not be loaded. If could be corrupted or in the wrong location. The correct "
    "location is within the \"TollarineArcade\" subfolder which should be in the same folder as the application's "
    "exe file.";
constexpr const char* kUnrecoverableText =
    "Tollarine Arcade has encountered an unrecoverable error and cannot link to the dll. The application must be "
    "reinstalled.";
constexpr const char* kNoInformationText = "Extended error information is not available for the last error.";

template <typename Function>
Function As(FARPROC found)
{
    return reinterpret_cast<Function>(found);
}

void AssignEntryPoints(const FARPROC (&found)[kExportCount])
{
    TA_EntryPoints& e = TA_State.entry;
    e.GetDLLVersionAsString = As<tadll_GetDLLVersionAsString_t>(found[0]);
    e.GetDLLVersionAsInt = As<tadll_GetDLLVersionAsInt_t>(found[1]);
    e.Initialize = As<tadll_Initialize_t>(found[2]);
    e.ShutDown = As<tadll_ShutDown_t>(found[3]);
    e.EnterMenuSession = As<tadll_EnterMenuSession_t>(found[4]);
    e.IsTheMenuSessionComplete = As<tadll_IsTheMenuSessionComplete_t>(found[5]);
    e.DrawNextFrameIntoBuffer = As<tadll_DrawNextFrameIntoBuffer_t>(found[6]);
    e.GetNumberOfRectsToUpdate = As<tadll_GetNumberOfRectsToUpdate_t>(found[7]);
    e.GetUpdateRect = As<tadll_GetUpdateRect_t>(found[8]);
    e.HandleWindowsMessage = As<tadll_HandleWindowsMessage_t>(found[9]);
    e.SetPalette = As<tadll_SetPalette_t>(found[10]);
    e.GetValueAsString = As<tadll_GetValueAsString_t>(found[11]);
    e.GetValueAsInt = As<tadll_GetValueAsInt_t>(found[12]);
    e.GetValueAsFloat = As<tadll_GetValueAsFloat_t>(found[13]);
    e.IsASystemUpdateRequired = As<tadll_IsASystemUpdateRequired_t>(found[14]);
    e.GetLastErrorInformation = As<tadll_GetLastErrorInformation_t>(found[15]);
}

// Frees the library; nothing of it stays reachable.
void FreeTheLibrary()
{
    if (TA_State.module) FreeLibrary(TA_State.module);
    TA_State.module = nullptr;
    TA_State.entry = TA_EntryPoints{};
}

// Binds every export in order; the first one missing names the failure.
int BindExports()
{
    FARPROC found[kExportCount] = {};
    for (std::size_t i = 0; i < kExportCount; ++i) {
        found[i] = GetProcAddress(TA_State.module, kExports[i].name);
        if (found[i]) continue;
        FreeTheLibrary();
        TA_State.ownErrorText = kExports[i].missingText;
        return TA_ErrExportMissing;
    }
    AssignEntryPoints(found);
    return TA_Ok;
}

// Keeps the library's explanation of a failed start in the game's own storage before the library goes.
void KeepLibraryErrorText()
{
    const char* text = TA_State.entry.GetLastErrorInformation ? TA_State.entry.GetLastErrorInformation() : nullptr;
    if (!text) return;
    TA_State.libraryErrorText = text;
    TA_State.ownErrorText = TA_State.libraryErrorText.c_str();
}

std::string FolderOf(const std::string& path)
{
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

int TA_Startup(int applicationID, const char* applicationName, int applicationNumber, float value,
               std::int16_t debugBuild)
{
    TA_State.ownErrorText = nullptr;
    TA_State.paletteSent = false;
    char programPath[4096] = {};
    GetModuleFileNameA(nullptr, programPath, sizeof programPath);
    TA_State.libraryFolder = FolderOf(programPath) + TA_LibraryFolderName;
    TA_State.identity.applicationID = applicationID;
    if (applicationName) TA_State.identity.applicationName = applicationName;
    TA_State.identity.value = value;
    TA_State.identity.debugBuild = debugBuild;
    TA_State.identity.applicationNumber = applicationNumber;
    TA_FinishInterruptedSwap();
    return TA_LoadLibrary(applicationID, applicationName, applicationNumber, value, debugBuild);
}

int TA_LoadLibrary(int applicationID, const char* applicationName, int applicationNumber, float value,
                   std::int16_t debugBuild)
{
    TA_State.entered = true;
    GP_SetLibraryMessageHook(TA_ForwardMessage);  // the window procedure asks the library first
    TA_State.module = LoadLibraryA((TA_State.libraryFolder + TA_LibraryFileName).c_str());
    if (!TA_State.module) {
        TA_State.entry = TA_EntryPoints{};
        TA_State.ownErrorText = kNotLoadedText;
        return TA_ErrLibraryNotLoaded;
    }
    if (const int bound = BindExports(); bound != TA_Ok) return bound;
    TA_State.entry.GetDLLVersionAsString();
    TA_State.entry.GetDLLVersionAsInt();
    const int result = TA_State.entry.Initialize(applicationID, applicationName, applicationNumber, value, debugBuild,
                                                 TA_InterfaceVersion);
    if ((result & 0xFFFF) == 0) return result;
    KeepLibraryErrorText();
    FreeTheLibrary();
    return result;
}

void TA_CheckInitialized()
{
    if (TA_State.entered) return;
    MessageBoxA(GetDesktopWindow(), "Must call TA_Initialize before any other API function.",
                "Error In TollarineArcade API Usage", MB_OK);
}

void TA_Unload()
{
    TA_CheckInitialized();
    if (TA_State.unusable) return;
    if (TA_State.entry.ShutDown) TA_State.entry.ShutDown();
    FreeTheLibrary();
}

const char* TA_GetLastErrorText()
{
    TA_CheckInitialized();
    if (TA_State.unusable) return kUnrecoverableText;
    if (TA_State.ownErrorText) return TA_State.ownErrorText;
    const char* text = TA_State.entry.GetLastErrorInformation ? TA_State.entry.GetLastErrorInformation() : nullptr;
    return text ? text : kNoInformationText;
}

int TA_EnterMenu(std::int16_t menuType, int width, int height)
{
    TA_State.ownErrorText = nullptr;
    TA_CheckInitialized();
    if (TA_State.unusable) {
        TA_ShowReinstallMessage();
        return TA_ErrLibraryUnusable;
    }
    TA_State.savedWidth = width;
    TA_State.savedHeight = height;
    if (!TA_State.entry.EnterMenuSession) {
        TA_State.ownErrorText = kNotLoadedText;
        return TA_ErrLibraryNotLoaded;
    }
    return TA_State.entry.EnterMenuSession(menuType, width, height);
}

bool TA_IsMenuComplete()
{
    TA_CheckInitialized();
    if (TA_State.unusable || !TA_State.entry.IsTheMenuSessionComplete) return true;
    if (TA_State.updatePending) return false;
    return TA_State.entry.IsTheMenuSessionComplete() != 0;
}

int TA_GetRectCount()
{
    TA_CheckInitialized();
    if (TA_State.unusable || !TA_State.entry.GetNumberOfRectsToUpdate) return 0;
    return TA_State.entry.GetNumberOfRectsToUpdate();
}

void TA_GetRect(TA_UpdateRect& out, int index)
{
    TA_CheckInitialized();
    if (TA_State.unusable || !TA_State.entry.GetUpdateRect) {
        out = TA_UpdateRect{0, 0, 1, 1};
        return;
    }
    out = TA_State.entry.GetUpdateRect(index);
}

bool TA_ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TA_CheckInitialized();
    if (TA_State.unusable || TA_State.updatePending || !TA_State.entry.HandleWindowsMessage) return false;
    return TA_State.entry.HandleWindowsMessage(window, message, wParam, lParam) != 0;
}

void TA_SendPalette(const std::uint8_t* palette)
{
    TA_CheckInitialized();
    if (TA_State.unusable || !palette) return;
    std::memcpy(TA_State.savedPalette, palette, sizeof TA_State.savedPalette);
    TA_State.paletteSent = true;
    if (TA_State.entry.SetPalette) TA_State.entry.SetPalette(palette);
}

void TA_DrawNextFrame(void* buffer, int pitch, std::int16_t bufferMode, std::int16_t drawType)
{
    TA_CheckInitialized();
    if (TA_State.unusable) return;
    if (TA_State.updatePending) {
        TA_State.updatePending = false;
        TA_Unload();
        for (const char* archive : {"Update/Arcade.qxd", "Update/Application.qxd", "Update/Channel.qxd"})
            TA_DeleteLibraryFile(archive);
        if (!TA_ApplySystemUpdate()) {
            TA_State.unusable = true;
            TA_ShowReinstallMessage();
            return;
        }
        if (TA_State.paletteSent) TA_SendPalette(TA_State.savedPalette);
        TA_EnterMenu(1, TA_State.savedWidth, TA_State.savedHeight);
    }
    if (!TA_State.entry.DrawNextFrameIntoBuffer) return;
    TA_State.entry.DrawNextFrameIntoBuffer(buffer, pitch, bufferMode, drawType, TA_State.skipUpdateCheck,
                                           TA_State.lastUpdateFailed);
    TA_State.lastUpdateFailed = false;
    if (TA_State.entry.IsASystemUpdateRequired && TA_State.entry.IsASystemUpdateRequired()) {
        TA_State.skipUpdateCheck = false;
        TA_State.updatePending = true;
    }
}

void TA_ShowReinstallMessage()
{
    MessageBoxA(GetDesktopWindow(),
                "The application has become corrupted and cannot go on. Please reinstall the application.",
                "Application Error", MB_OK);
}
