// Drawing a running menu session into the host's buffer each frame: the cursor placed from the host window, the
// menu advanced by the frame clock and drawn into the session's back buffer, the changed cells copied into the
// host's buffer in its pixel format and listed as update rectangles; and the palette for 8-bit hosts.
#include <algorithm>
#include <cstring>
#include <vector>

#include "blit/BlitType.h"
#include "forms/FormManager.h"
#include "foundation/ArrayGrowth.h"
#include "foundation/FolderCollection.h"
#include "foundation/HostWindow.h"
#include "foundation/RegistryHelpers.h"
#include "frames/ColorTable.h"
#include "frames/DirtyRectFrame.h"
#include "frames/ScaledFrameHolder.h"
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/FrameClock.h"
#include "front/HostBuffer.h"
#include "front/LibraryFolders.h"
#include "front/LibraryUpdate.h"
#include "front/TA_API.h"
#include "front/WindowMessages.h"
#include "platform/win32_window.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"

namespace {

constexpr float kClosingStep = 0.033333335f;
constexpr const char* kBackgroundName = "Referral_Background";

// The update rectangles of the last drawn frame; none before the first.
std::vector<TA_UpdateRect> g_updateRects;
bool g_updateListMade = false;

void ReportNotInitialized(bool initialized, const char* function)
{
    CString message(function);
    message.Append(": Must call TA_Initialize before calling this function.");
    ReportAPIUsageError(initialized, message);
}

void UseSoftwareCursor()
{
    MouseState::Get().HideSystemCursor();
    MouseState::Get().SetSoftwareCursor(true);
}

void UseSystemCursor()
{
    MouseState::Get().ShowSystemCursor();
    MouseState::Get().SetSoftwareCursor(false);
}

// The software cursor over the menu, the system cursor over the side bands and over other windows.
void PlaceCursor(const ArcadeState& state)
{
    HWND host = HostWindow::Instance().hostWindow;
    POINT point{};
    GetCursorPos(&point);
    if (!host) {
        SetMousePosition(point.x, point.y);
        return UseSoftwareCursor();
    }
    if (WindowFromPoint(point) != host) return UseSystemCursor();
    ScreenToClient(host, &point);
    RECT client{};
    GetClientRect(host, &client);
    const bool inMenu = point.x >= state.OffsetX && point.x < client.right - state.OffsetX &&
                        point.y >= state.OffsetY && point.y < client.bottom - state.OffsetY;
    if (!inMenu) return UseSystemCursor();
    SetMousePosition(point.x, point.y);
    UseSoftwareCursor();
}

// The background of the session's first frame, at the screen window's size; without a readable picture the
// background colour restores the cells.
void ShowBackground(ArcadeState& state)
{
    FrameFolderCollection& frames = GetFrameCollection();
    CFrameInterface* background =
        static_cast<CFrameInterface*>(frames.GetOrLoad(frames.FindRequired(kBackgroundName, -1)));
    const CScreenWindow& screen = *state.ScreenWindow;
    if (background && (background->GetWidth() != screen.GetWidth() || background->GetHeight() != screen.GetHeight()))
        background = GetScaledFrame(background, screen.GetWidth(), screen.GetHeight());
    state.ScreenSurface->SetSource(background);
    state.ScreenSurface->Clear();
}

void SwitchPage(const char* page)
{
    if (FormManager* manager = FormManager::GetCurrent()) manager->SwitchPage(page);
}

// The first frame after start-up that would look for updated library files records that it made the attempt.
bool RecordFirstUpdateAttempt(ArcadeState& state)
{
    if (state.DoneFirstSharedUpdate) return false;
    RegWriteDword(GetApplicationRegistryKey(state.ApplicationID).GetText(), "DoneFirstSharedUpdateAttempt", 1);
    state.DoneFirstSharedUpdate = true;
    return true;
}

void ListRects(const std::vector<platform::Rect>& rects)
{
    g_updateRects.clear();
    for (const platform::Rect& r : rects) AppendGrowing(g_updateRects, TA_UpdateRect{r.left, r.top, r.right, r.bottom});
    g_updateListMade = true;
}

void DrawSession(ArcadeState& state, std::uint8_t* buffer, int pitch, int bufferMode, bool full, bool skipUpdateCheck,
                 bool lastUpdateFailed)
{
    if (state.HostWindowKnown) PlaceCursor(state);
    if (!state.FirstFrameBuffer) {
        state.FirstFrameBuffer = buffer;
        full = true;
        ShowBackground(state);
    }
    state.SystemUpdateRequired = false;
    if (lastUpdateFailed) SwitchPage("LastUpdateFailed");
    const float elapsed = static_cast<float>(FrameClock::Elapsed());
    MouseState::Get().Advance(elapsed);
    state.ScreenWindow->Update(elapsed);
    bool firstAttempt = false;
    if (!state.SystemUpdateRequired && state.MenuType == 1 && !skipUpdateCheck) {
        if (CheckLibraryFileUpdate()) state.SystemUpdateRequired = true;
        firstAttempt = RecordFirstUpdateAttempt(state);
    }
    if (state.SystemUpdateRequired) {
        SwitchPage(firstAttempt ? "PerformingArcadeUpdateFullScreen" : "PerformingArcadeUpdate");
        state.ScreenWindow->Update(kClosingStep);
    }
    HostBuffer host(buffer, pitch, bufferMode, state.MenuWidth, state.MenuHeight);
    if (full) {
        host.ClearAll();
        state.ScreenSurface->MarkAllDirty();
    }
    state.ScreenWindow->DrawToBackBuffer();
    MouseState::Get().Draw(state.ScreenSurface.get());
    ListRects(state.ScreenSurface->BuildUpdateRects(host.Frame(), state.OffsetX, state.OffsetY));
    if (full) g_updateRects.assign(1, TA_UpdateRect{0, 0, state.MenuWidth, state.MenuHeight});
    if (host.CanCopy()) state.ScreenSurface->CopyDirtyInto(host.Frame(), state.OffsetX, state.OffsetY, host.Blit());
    state.ScreenSurface->Clear();
    if (state.SystemUpdateRequired) {
        state.EndMenuSession();
        state.ScreenWindow->Update(kClosingStep);
    }
}

}  // namespace

void TA_DrawNextFrameIntoBuffer(void* destinationBuffer, int pitch, std::int16_t bufferMode, std::int16_t drawType,
                                TA_Bool8 skipUpdateCheck, TA_Bool8 lastUpdateFailed)
{
    ArcadeState& state = GetArcadeState();
    ReportAPIUsageError(destinationBuffer != nullptr,
                        "TA_DrawNextFrameIntoBuffer: Invalid 'pDestinationBuffer' parameter.");
    ReportAPIUsageError(bufferMode >= 0 && bufferMode <= 4,
                        "TA_DrawNextFrameIntoBuffer: Invalid 'BufferMode' parameter.");
    ReportAPIUsageError(drawType == TA_DRAW_TYPE_FULL || drawType == TA_DRAW_TYPE_MINIMAL,
                        "TA_DrawNextFrameIntoBuffer: Invalid 'DrawType' parameter.");
    ReportNotInitialized(state.Initialized, "TA_DrawNextFrameIntoBuffer");
    ReportAPIUsageError(state.SessionEntered,
                        "TA_DrawNextFrameIntoBuffer: Must call TA_EnterMenuSession before calling this function.");
    state.RectsQueried = false;
    if (drawType == TA_DRAW_TYPE_MINIMAL) state.MinimalDrawSeen = true;
    if (!state.SessionRunning) return;
    // Nothing is drawn into a buffer that is not there.
    if (!destinationBuffer) {
        g_updateRects.clear();
        return;
    }
    DrawSession(state, static_cast<std::uint8_t*>(destinationBuffer), pitch, bufferMode, drawType == TA_DRAW_TYPE_FULL,
                skipUpdateCheck != 0, lastUpdateFailed != 0);
}

int TA_GetNumberOfRectsToUpdate()
{
    ArcadeState& state = GetArcadeState();
    ReportNotInitialized(state.Initialized, "TA_GetNumberOfRectsToUpdate");
    state.RectsQueried = true;
    state.RectSystemUsed = true;
    if (!state.SessionRunning || !g_updateListMade) return 0;
    return static_cast<int>(g_updateRects.size());
}

TA_UpdateRect TA_GetUpdateRect(int index)
{
    ArcadeState& state = GetArcadeState();
    const bool inList = static_cast<unsigned>(index) < g_updateRects.size();
    ReportAPIUsageError(inList, "TA_GetUpdateRect: Invalid 'Index' parameter.");
    ReportNotInitialized(state.Initialized, "TA_GetUpdateRect");
    ReportAPIUsageError(state.RectsQueried,
                        "TA_GetUpdateRect: Must call TA_GetNumberOfRectsToUpdate before calling this function.");
    if (!state.SessionRunning) return TA_UpdateRect{0, 0, 1, 1};
    // An index the list does not hold answers an empty rectangle.
    return inList ? g_updateRects[index] : TA_UpdateRect{0, 0, 0, 0};
}

void TA_SetPalette(const std::uint8_t* paletteData)
{
    ReportAPIUsageError(paletteData != nullptr, "TA_SetPalette: Invalid 'pPaletteData' parameter.");
    ReportNotInitialized(GetArcadeState().Initialized, "TA_SetPalette");
    if (!paletteData) return;
    // The palette stays linked to the lookup it builds, so it lives as long as the lookup.
    static ColorTable palette(ColorTable::kPalette);
    for (int i = 0; i < ColorTable::kPaletteEntries; ++i)
        palette.SetPaletteEntry(i, paletteData[3 * i], paletteData[3 * i + 1], paletteData[3 * i + 2]);
    InversePalette().BuildInverse565(palette);
}
