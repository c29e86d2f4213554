// The menu library's exported interface: the sixteen tadll_ functions, their result codes and draw types, and the
// types of their arguments. One header for both sides: the library defines the functions, the game binds them by
// name through the pointer types below. Handles and message parameters are pointer-sized, so that nothing is cut
// on a 64-bit machine.
#pragma once
#include <cstdint>

#include "platform/win32_base.h"

extern "C" {

// Result codes of tadll_Initialize and tadll_EnterMenuSession: 16 bits, 0 is success.
using TA_ResultCode16 = std::uint16_t;
enum TA_ErrorCode : TA_ResultCode16 {
    TA_ERROR_CODE_NONE = 0,
    TA_ERROR_CODE_MENU_NOT_AVAILABLE = 2,
    TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL = 5,
    TA_ERROR_CODE_FOLDER_NOT_WRITABLE = 6,
};

// Draw types of tadll_DrawNextFrameIntoBuffer.
enum TA_DrawType : std::int16_t {
    TA_DRAW_TYPE_FULL = 0,     // the whole menu area is redrawn and reported
    TA_DRAW_TYPE_MINIMAL = 1,  // only what changed is copied and reported
};

// A changed rectangle of the host's buffer, in pixels; right and bottom exclusive. Returned by value.
struct TA_UpdateRect {
    std::int32_t left, top, right, bottom;
};

// One-byte truth values of the exports.
using TA_Bool8 = std::uint8_t;

// The exports' function types, in the order the game binds them.
using tadll_GetDLLVersionAsString_fn = const char*();
using tadll_GetDLLVersionAsInt_fn = int();
using tadll_Initialize_fn = TA_ResultCode16(int applicationID, const char* applicationName, int applicationNumber,
                                            float price, std::int16_t debugBuild, int libVersion);
using tadll_ShutDown_fn = void();
using tadll_EnterMenuSession_fn = TA_ResultCode16(std::int16_t menuType, int menuWidthInPixels, int menuHeightInPixels);
using tadll_IsTheMenuSessionComplete_fn = TA_Bool8();
using tadll_DrawNextFrameIntoBuffer_fn = void(void* destinationBuffer, int pitch, std::int16_t bufferMode,
                                              std::int16_t drawType, TA_Bool8 skipUpdateCheck,
                                              TA_Bool8 lastUpdateFailed);
using tadll_GetNumberOfRectsToUpdate_fn = int();
using tadll_GetUpdateRect_fn = TA_UpdateRect(int index);
using tadll_HandleWindowsMessage_fn = TA_Bool8(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using tadll_SetPalette_fn = void(const std::uint8_t* paletteData);
using tadll_GetValueAsString_fn = const char*(const char* name, const char* defaultValue);
using tadll_GetValueAsInt_fn = int(const char* name, int defaultValue);
using tadll_GetValueAsFloat_fn = float(const char* name, float defaultValue);
using tadll_IsASystemUpdateRequired_fn = TA_Bool8();
using tadll_GetLastErrorInformation_fn = const char*();

// The pointers the game keeps.
using tadll_GetDLLVersionAsString_t = tadll_GetDLLVersionAsString_fn*;
using tadll_GetDLLVersionAsInt_t = tadll_GetDLLVersionAsInt_fn*;
using tadll_Initialize_t = tadll_Initialize_fn*;
using tadll_ShutDown_t = tadll_ShutDown_fn*;
using tadll_EnterMenuSession_t = tadll_EnterMenuSession_fn*;
using tadll_IsTheMenuSessionComplete_t = tadll_IsTheMenuSessionComplete_fn*;
using tadll_DrawNextFrameIntoBuffer_t = tadll_DrawNextFrameIntoBuffer_fn*;
using tadll_GetNumberOfRectsToUpdate_t = tadll_GetNumberOfRectsToUpdate_fn*;
using tadll_GetUpdateRect_t = tadll_GetUpdateRect_fn*;
using tadll_HandleWindowsMessage_t = tadll_HandleWindowsMessage_fn*;
using tadll_SetPalette_t = tadll_SetPalette_fn*;
using tadll_GetValueAsString_t = tadll_GetValueAsString_fn*;
using tadll_GetValueAsInt_t = tadll_GetValueAsInt_fn*;
using tadll_GetValueAsFloat_t = tadll_GetValueAsFloat_fn*;
using tadll_IsASystemUpdateRequired_t = tadll_IsASystemUpdateRequired_fn*;
using tadll_GetLastErrorInformation_t = tadll_GetLastErrorInformation_fn*;

}  // extern "C"
