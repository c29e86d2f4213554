// The menu session's side of the exported interface, as it answers while no session can run: the session itself
// (entering it, drawing it into the host's buffer, its input and its completion) is built over the form engine
// and replaces these functions. Until then every request to enter a menu is refused with "menu not available",
// which the host answers by staying on its own pages.
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/TA_API.h"

namespace {

constexpr const char* kMenuNotAvailableText = "The menu can not be entered: the menu library has no menu session.";
constexpr int kMenuTypeReferral = 1;

void ReportNotInitialized(const char* function)
{
    CString message(function);
    message.Append(": Must call TA_Initialize before calling this function.");
    ReportAPIUsageError(GetArcadeState().Initialized, message);
}

}  // namespace

TA_ResultCode16 TA_EnterMenuSession(std::int16_t menuType, int menuWidthInPixels, int menuHeightInPixels)
{
    GetAPIState().lastErrorText = nullptr;
    ReportAPIUsageError(menuType == kMenuTypeReferral, "TA_EnterMenuSession: Invalid 'MenuType' parameter.");
    ReportAPIUsageError(menuWidthInPixels > 0, "TA_EnterMenuSession: Invalid 'MenuWidthInPixels' parameter.");
    ReportAPIUsageError(menuHeightInPixels > 0, "TA_EnterMenuSession: Invalid 'MenuHeightInPixels' parameter.");
    ReportNotInitialized("TA_EnterMenuSession");
    return FailWith(TA_ERROR_CODE_MENU_NOT_AVAILABLE, kMenuNotAvailableText);
}

TA_Bool8 TA_IsTheMenuSessionComplete()
{
    ArcadeState& state = GetArcadeState();
    if (state.SessionRunning) return 0;
    state.SessionEntered = false;
    return 1;
}

void TA_DrawNextFrameIntoBuffer(void*, int, std::int16_t, std::int16_t, TA_Bool8, TA_Bool8)
{
    ReportNotInitialized("TA_DrawNextFrameIntoBuffer");
}

int TA_GetNumberOfRectsToUpdate()
{
    ArcadeState& state = GetArcadeState();
    ReportNotInitialized("TA_GetNumberOfRectsToUpdate");
    state.RectsQueried = true;
    state.RectSystemUsed = true;
    return 0;
}

TA_UpdateRect TA_GetUpdateRect(int)
{
    ReportNotInitialized("TA_GetUpdateRect");
    return TA_UpdateRect{0, 0, 1, 1};
}

TA_Bool8 TA_HandleWindowsMessage(HWND, UINT, WPARAM, LPARAM)
{
    ReportNotInitialized("TA_HandleWindowsMessage");
    return 0;
}

void TA_SetPalette(const std::uint8_t* paletteData)
{
    ReportAPIUsageError(paletteData != nullptr, "TA_SetPalette: Invalid 'pPaletteData' parameter.");
    ReportNotInitialized("TA_SetPalette");
}
