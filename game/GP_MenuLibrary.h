// The game's side of the menu library: finding and loading it, binding its exports, starting it with the game's
// identity, guarding every call, driving a menu session frame by frame and applying the updates of its own
// files that it downloads. After an update that cannot be applied the library is unusable for the rest of the
// run and every wrapper answers with a safe default.
#pragma once
#include <cstdint>
#include <string>

#include "GP_MenuLibraryExports.h"
#include "platform/win32_module.h"

// Result codes the game adds to the library's own.
enum TA_ResultCode : int {
    TA_Ok = 0,
    TA_ErrLibraryNotLoaded = 3,
    TA_ErrExportMissing = 5,
    TA_ErrLibraryUnusable = 7,  // the library failed for the rest of the run: no session can be entered
};

struct TA_EntryPoints {
    tadll_GetDLLVersionAsString_t GetDLLVersionAsString = nullptr;
    tadll_GetDLLVersionAsInt_t GetDLLVersionAsInt = nullptr;
    tadll_Initialize_t Initialize = nullptr;
    tadll_ShutDown_t ShutDown = nullptr;
    tadll_EnterMenuSession_t EnterMenuSession = nullptr;
    tadll_IsTheMenuSessionComplete_t IsTheMenuSessionComplete = nullptr;
    tadll_DrawNextFrameIntoBuffer_t DrawNextFrameIntoBuffer = nullptr;
    tadll_GetNumberOfRectsToUpdate_t GetNumberOfRectsToUpdate = nullptr;
    tadll_GetUpdateRect_t GetUpdateRect = nullptr;
    tadll_HandleWindowsMessage_t HandleWindowsMessage = nullptr;
    tadll_SetPalette_t SetPalette = nullptr;
    tadll_GetValueAsString_t GetValueAsString = nullptr;
    tadll_GetValueAsInt_t GetValueAsInt = nullptr;
    tadll_GetValueAsFloat_t GetValueAsFloat = nullptr;
    tadll_IsASystemUpdateRequired_t IsASystemUpdateRequired = nullptr;
    tadll_GetLastErrorInformation_t GetLastErrorInformation = nullptr;
};

// The arguments of TA_Startup, kept to load the library again after an update.
struct TA_Identity {
    int applicationID = 0;
    std::string applicationName;
    int applicationNumber = 0;
    float value = 0.0f;
    std::int16_t debugBuild = 0;
};

struct TA_Binding {
    std::string libraryFolder;  // ends in "/"
    HMODULE module = nullptr;
    TA_EntryPoints entry;
    const char* ownErrorText = nullptr;
    std::string libraryErrorText;  // the library's own text of a failed start, kept after it is freed
    bool entered = false;
    bool unusable = false;
    bool updatePending = false;
    bool skipUpdateCheck = false;
    bool lastUpdateFailed = false;
    bool paletteSent = false;
    std::uint8_t savedPalette[768] = {};
    int savedWidth = 0;
    int savedHeight = 0;
    TA_Identity identity;
};

// The one binding of the process.
extern TA_Binding TA_State;

constexpr const char* TA_LibraryFolderName = "TollarineArcade/";
constexpr const char* TA_LibraryFileName = "TollarineArcade.so";

int TA_Startup(int applicationID, const char* applicationName, int applicationNumber, float value,
               std::int16_t debugBuild);
int TA_LoadLibrary(int applicationID, const char* applicationName, int applicationNumber, float value,
                   std::int16_t debugBuild);
// Never null.
const char* TA_GetLastErrorText();
int TA_EnterMenu(std::int16_t menuType, int width, int height);
bool TA_IsMenuComplete();
void TA_DrawNextFrame(void* buffer, int pitch, std::int16_t bufferMode, std::int16_t drawType);
int TA_GetRectCount();
void TA_GetRect(TA_UpdateRect& out, int index);
bool TA_ForwardMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void TA_SendPalette(const std::uint8_t* palette);
void TA_Unload();
void TA_CheckInitialized();

// The update of the library's files (paths end in "/").
bool TA_ApplySystemUpdate();
// Finishes, or rolls back, a swap of the library's files that a game ended in the middle of.
void TA_FinishInterruptedSwap();
bool TA_MoveFolderFiles(const std::string& destination, const std::string& source);
bool TA_DeleteFolderTree(const std::string& path);
bool TA_DeleteFile(const std::string& path);
bool TA_DeleteLibraryFile(const char* name);
void TA_ShowReinstallMessage();
