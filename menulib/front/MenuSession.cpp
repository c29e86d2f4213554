// Entering a menu session and its completion: the layout of the menu in the host's area, the session's back
// buffer and screen window (kept for the next session of the same size), the shared resources the first session
// loads, and the session window over them.
#include "front/MenuSession.h"
#include "foundation/FolderCollection.h"
#include "frames/DirtyRectFrame.h"
#include "frames/FrameImageModel.h"
#include "frames/FrameProcess.h"
#include "frames/Sequence.h"
#include "front/APIState.h"
#include "front/ArcadeState.h"
#include "front/CatalogScreens.h"
#include "front/MenuLayout.h"
#include "front/MenuSessionWindow.h"
#include "front/TA_API.h"
#include "ui/FontLibrary.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"
#include "ui/SkinLibrary.h"
#include "ui/SkinnedPanel.h"
#include "ui/ToolkitStatics.h"
#include "ui/TrueTypeFace.h"

namespace {

constexpr int kMenuTypeReferral = 1;
constexpr const char* kResources = "Resources";
constexpr const char* kSessionFontName = "Arcade Main 1024";
constexpr const char* kSessionPanelSkin = "Plain";

constexpr const char* kMenuNotAvailableText = "The menu can not be entered: this menu type is not available.";
constexpr const char* kBadSizeText = "The menu can not be entered: its width and height must be greater than 0.";
constexpr const char* kNotInitializedText =
    "TA_EnterMenuSession: Must call TA_Initialize before calling this function.";

CFont* g_sessionFont = nullptr;

void LoadSharedResources()
{
    InstallFrameImageModel();
    FrameFolderCollection& frames = GetFrameCollection();
    frames.LoadFromFolder("Frames", kResources, 0);
    ScanTrueTypeFonts();
    GetFontLibrary().LoadFromFolder("Fonts", kResources, 0);
    GetSequenceCollection().LoadFromFolder("Sequences", kResources, 0);
    GetSequenceCollection().CheckDuplicateNames();
    frames.AppendSources(GetDefaultFrameProcess());
    SkinLibrary::Get().Scan(kResources, 0);
    FontLibrary& fonts = GetFontLibrary();
    g_sessionFont = fonts.GetFont(fonts.FindRequired(kSessionFontName, -1));
    SetToolkitPictureSets(&frames, &frames);
}

// The back buffer and the screen window for the host's area; kept while the area's size stays.
void BuildSessionObjects(ArcadeState& state, int width, int height)
{
    const MenuLayout layout = ComputeMenuLayout(width, height);
    state.MenuWidth = width;
    state.MenuHeight = height;
    state.Scale = layout.scale;
    state.OffsetX = layout.offsetX;
    state.OffsetY = layout.offsetY;
    if (state.ScreenWindow) state.ScreenWindow->Close();
    state.ScreenWindow = nullptr;
    state.ScreenSurface = std::make_unique<CDirtyRectFrame>();
    state.ScreenSurface->SetHistoryCount(1);
    state.ScreenSurface->Create(layout.layoutWidth, layout.layoutHeight, GetDisplayBitDepth());
    state.ScreenWindow = new CScreenWindow(state.ScreenSurface.get(), g_sessionFont);
    MouseState::Get().SetCursor(RequiredSequence("MousePointer"), true, false);
}

void CloseSessionForms()
{
    if (FormManager* manager = FormManager::GetCurrent()) {
        manager->CloseAllPages();
        manager->RequestClose();
    }
}

}  // namespace

CFont* GetSessionFont() { return g_sessionFont; }

void ForgetSessionFont() { g_sessionFont = nullptr; }

TA_ResultCode16 TA_EnterMenuSession(std::int16_t menuType, int menuWidthInPixels, int menuHeightInPixels)
{
    ArcadeState& state = GetArcadeState();
    GetAPIState().lastErrorText = nullptr;
    ReportAPIUsageError(menuType == kMenuTypeReferral, "TA_EnterMenuSession: Invalid 'MenuType' parameter.");
    ReportAPIUsageError(menuWidthInPixels > 0, "TA_EnterMenuSession: Invalid 'MenuWidthInPixels' parameter.");
    ReportAPIUsageError(menuHeightInPixels > 0, "TA_EnterMenuSession: Invalid 'MenuHeightInPixels' parameter.");
    ReportAPIUsageError(state.Initialized, kNotInitializedText);
    state.SessionEntered = true;
    state.AnySessionEntered = true;
    if (menuType != kMenuTypeReferral) return FailWith(TA_ERROR_CODE_MENU_NOT_AVAILABLE, kMenuNotAvailableText);
    // An empty area has no layout, and without a successful start the shared resources cannot be loaded: the
    // host stays on its own pages.
    if (menuWidthInPixels <= 0 || menuHeightInPixels <= 0)
        return FailWith(TA_ERROR_CODE_MENU_NOT_AVAILABLE, kBadSizeText);
    if (!state.Initialized || !state.InitializeSucceeded)
        return FailWith(TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL, kNotInitializedText);

    if (state.FirstSessionPending) {
        state.FirstSessionPending = false;
        LoadSharedResources();
    }
    state.MenuType = menuType;
    state.FirstFrameBuffer = nullptr;
    state.HostWindowKnown = false;
    if (!state.ScreenSurface || menuWidthInPixels != state.MenuWidth || menuHeightInPixels != state.MenuHeight)
        BuildSessionObjects(state, menuWidthInPixels, menuHeightInPixels);
    MouseState::Get().HideSystemCursor();
    MouseState::Get().SetSoftwareCursor(true);

    state.closeSessionForms = CloseSessionForms;
    auto* panel = new CJSkinnedPanel(kSessionPanelSkin);
    auto* window = new MenuSessionWindow(panel, menuType, state.Scale);
    state.ScreenWindow->AddChild(window, kPlaceAtPosition, nullptr, 0, 0, 0);
    delete panel;
    state.SessionRunning = true;
    return TA_ERROR_CODE_NONE;
}

TA_Bool8 TA_IsTheMenuSessionComplete()
{
    ArcadeState& state = GetArcadeState();
    ReportAPIUsageError(state.Initialized,
                        "TA_IsTheMenuSessionComplete: Must call TA_Initialize before calling this function.");
    if (state.SessionRunning) return 0;
    MouseState::Get().ShowSystemCursor();
    MouseState::Get().SetSoftwareCursor(false);
    state.SessionEntered = false;
    return 1;
}
