// The menu library's exported functions as the game calls them: their names and C signatures. Results of
// 16-bit codes come in the low half of an int, 0 meaning success; bytes are flags.
#pragma once
#include <cstdint>

#include "platform/win32_base.h"

extern "C" {

// A rectangle of the last drawn frame, right and bottom exclusive.
struct TA_UpdateRect {
    std::int32_t left, top, right, bottom;
};

using tadll_GetDLLVersionAsString_t = const char* (*)();
using tadll_GetDLLVersionAsInt_t = int (*)();
using tadll_Initialize_t = int (*)(int applicationID, const char* applicationName, int applicationNumber, float value,
                                   std::int16_t debugBuild, int interfaceVersion);
using tadll_ShutDown_t = void (*)();
using tadll_EnterMenuSession_t = int (*)(std::int16_t menuType, int width, int height);
using tadll_IsTheMenuSessionComplete_t = std::uint8_t (*)();
using tadll_DrawNextFrameIntoBuffer_t = void (*)(void* buffer, int pitch, std::int16_t bufferMode,
                                                 std::int16_t drawType, std::uint8_t skipUpdateCheck,
                                                 std::uint8_t lastUpdateFailed);
using tadll_GetNumberOfRectsToUpdate_t = int (*)();
using tadll_GetUpdateRect_t = TA_UpdateRect (*)(int index);
using tadll_HandleWindowsMessage_t = std::uint8_t (*)(HWND window, std::uint32_t message, std::uint32_t wParam,
                                                      std::int32_t lParam);
using tadll_SetPalette_t = void (*)(const std::uint8_t* palette);
using tadll_GetValueAsString_t = const char* (*)(const char* name, const char* defaultValue);
using tadll_GetValueAsInt_t = int (*)(const char* name, int defaultValue);
using tadll_GetValueAsFloat_t = float (*)(const char* name, float defaultValue);
using tadll_IsASystemUpdateRequired_t = std::uint8_t (*)();
using tadll_GetLastErrorInformation_t = const char* (*)();

}  // extern "C"

// The version of the interface the game is built for, given to tadll_Initialize.
constexpr int TA_InterfaceVersion = 6;
