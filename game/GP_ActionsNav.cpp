// The handlers that move between forms: plain navigation, quitting, the in-game menu, the end of the start-up
// screen, the help pages, the top list, the version text, the hall of fame and the menu-library session.
#include <cstdio>
#include <string>
#include <vector>

#include "GP_Actions.h"
#include "GP_AppBase.h"
#include "GP_Effects.h"
#include "GP_FontCache.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_GameMainFrame.h"
#include "GP_GameObject.h"
#include "GP_GameState.h"
#include "GP_GraphServer.h"
#include "GP_Main.h"
#include "GP_MenuLibrary.h"
#include "GP_MouseCursor.h"
#include "GP_NameServer.h"
#include "GP_Online.h"
#include "GP_PlayField.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "GP_SoundSource.h"
#include "GP_TopList.h"
#include "GP_WindowProc.h"
#include "platform/win32_version.h"
#include "platform/win32_window.h"

namespace {

constexpr std::uint32_t kHelpPages = 3;
constexpr int kTopListRows = TopListGroup::EntryCount;
constexpr int kTopListDateColumn = 10;
constexpr int kTopListScoreColumn = 20;
constexpr int kTopListRankColumn = 30;
constexpr int kTopListCampaign = 40;
constexpr int kScreenCentreX = 320;
constexpr int kScreenCentreY = 240;
constexpr int kSessionWidth = 640;
constexpr int kSessionHeight = 480;
constexpr std::int16_t kCatalogMenu = 1;
constexpr const char* kProgramFile = "/Velmorine";

// The version text, built once per opening of the version form.
char VersionText[20] = {};

int TopListGroups(const CGP_GameMainFrame* frame)
{
    return frame && frame->topList ? static_cast<int>(frame->topList->groups.size()) : 0;
}

}  // namespace

// Navigation through the shared first step.
bool CGP_Actions::OnShowForm1(CGP_Control* control)
{
    ClickFirstStep(control);
    ShowForm(GP_QuitForm);
    return true;
}

bool CGP_Actions::OnMainMenu(CGP_Control* control)
{
    ClickFirstStep(control);
    ShowForm(GP_MainMenuForm);
    return true;
}

bool CGP_Actions::OnShowForm3(CGP_Control* control)
{
    ClickFirstStep(control);
    ShowForm(GP_PlayerForm);
    return true;
}

bool CGP_Actions::OnShowForm2(CGP_Control* control)
{
    ClickFirstStep(control);
    ShowForm(GP_OptionsForm);
    return true;
}

bool CGP_Actions::OnShowForm2b(CGP_Control* control) { return OnShowForm2(control); }

bool CGP_Actions::OnShowForm9(CGP_Control* control)
{
    PlaySound(*control->GetClickSound());
    ShowForm(GP_TopListFormID);
    return true;
}

bool CGP_Actions::OnShowMainMenu3(CGP_Control* control)
{
    PlaySound(*control->GetClickSound());
    ShowForm(GP_MainMenuForm);
    return true;
}

bool CGP_Actions::OnShowMainMenu2(CGP_Control*)
{
    ShowForm(GP_MainMenuForm);
    return true;
}

bool CGP_Actions::OnBack(CGP_Control* control)
{
    ClickFirstStep(control);
    if (GP_State.LevelSuspended)
        GP_State.RequestEnterCampaign = true;
    else
        ShowForm(GP_MainMenuForm);
    return true;
}

bool CGP_Actions::OnQuit(CGP_Control* control)
{
    if (!mainFrame || !mainFrame->app) return true;
    if (control->enableVariable) {
        if (*control->enableVariable) mainFrame->app->quitting = 1;
        return true;
    }
    PlaySound(*control->GetClickSound());
    if (CGP_Form* form = GP_FormOf(control)) {
        form->Draw();
        GP_FadeOut();
    }
    mainFrame->currentForm = nullptr;
    mainFrame->app->quitting = 1;
    return true;
}

bool CGP_Actions::OnAbortGame(CGP_Control* control)
{
    if (!mainFrame) return true;
    mainFrame->ClearOverlay();
    PlaySound(*control->GetClickSound());
    mainFrame->EndStage();
    mainFrame->state = 0;
    mainFrame->TypedKeys[GP_KeyEscape] = 0;  // the question's no key
    mainFrame->PlayMusic(GP_TitleMusic);
    mainFrame->ReloadImages();
    GP_FadeOut();
    mainFrame->currentForm = nullptr;
    ShowForm(GP_MainMenuForm, false);
    GP_State.InGameMenu = false;
    GP_State.SkipPlayStep = true;
    return true;
}

bool CGP_Actions::OnResumeGame(CGP_Control* control)
{
    if (!mainFrame) return true;
    PlaySound(*control->GetClickSound());
    GP_State.InGameMenu = false;
    CGP_Form* form = mainFrame->currentForm;
    mainFrame->currentForm = nullptr;
    CGP_GameObject* ship = mainFrame->scene ? mainFrame->scene->player : nullptr;
    if (mainFrame->mouseCursor) mainFrame->mouseCursor->player = ship;
    if (CGP_SoundPlayer* player = mainFrame->GetSoundPlayer())
        player->SetListener(dynamic_cast<CGP_SoundSource*>(ship));
    GP_State.Paused = false;
    mainFrame->ClearOverlay();
    if (form) form->ReleaseSurfaces();
    return true;
}

void CGP_Actions::ReloadCursor() const
{
    if (mainFrame->mouseCursor) mainFrame->mouseCursor->ReloadImages(mainFrame->servers.get());
}

void CGP_Actions::ClearForms() const
{
    mainFrame->FreeServerSurfaces(false);
    mainFrame->ResetForms();
    mainFrame->currentForm = nullptr;
    ReloadCursor();
}

// Every picture of the graphics server goes, the fonts' too, so the fonts take theirs again at once.
bool CGP_Actions::OnEndScreenDone(CGP_Control*)
{
    if (!mainFrame) return false;
    GP_FadeOut();
    mainFrame->FreeServerSurfaces(true);
    if (mainFrame->fonts) mainFrame->fonts->LoadImages(mainFrame->servers.get());
    mainFrame->currentForm = nullptr;
    ReloadCursor();
    mainFrame->ResetForms();
    const GP_NameEntry* player = names ? names->GetEntry(GP_PlayerForm & 0xFFFF, GP_PlayerForm >> 16) : nullptr;
    if (player && player->locator != GP_NoLocator) mainFrame->LoadForm(GP_PlayerForm);
    ShowForm(GP_MainMenuForm, false);
    GP_State.StartupTimerOn = false;
    mainFrame->pointerX = kScreenCentreX;
    mainFrame->pointerY = kScreenCentreY;
    if (CGP_MouseCursor* cursor = mainFrame->mouseCursor.get()) {
        cursor->visible = 1;
        cursor->x = kScreenCentreX;
        cursor->y = kScreenCentreY;
    }
    return false;
}

bool CGP_Actions::OnHelpOpen(CGP_Control* control)
{
    ClickFirstStep(control);
    if (!mainFrame) return false;
    ClearForms();
    ShowForm(GP_FirstHelpForm, false);
    HelpPage = 1;
    return false;
}

bool CGP_Actions::OnShowHelpLast(CGP_Control* control)
{
    ClickFirstStep(control);
    if (!mainFrame) return false;
    ClearForms();
    if (GP_State.LevelSuspended)
        GP_State.RequestEnterCampaign = true;
    else
        ShowForm(GP_MainMenuForm);
    return false;
}

bool CGP_Actions::OnTabPanelOpen(CGP_Control* control)
{
    PlaySound(*control->GetClickSound());
    if (!mainFrame) return false;
    ClearForms();
    mainFrame->ClearOverlay();
    ShowForm(GP_TabPanelForm);
    return false;
}

bool CGP_Actions::OnReturnFromForm(CGP_Control* control)
{
    PlaySound(*control->GetClickSound());
    if (!mainFrame) return false;
    ClearForms();
    ShowForm(GP_MainMenuForm);
    return false;
}

// The three help pages cycle both ways; HelpPage is 1 + the index of the page shown.
bool CGP_Actions::OnHelpNext(CGP_Control* control)
{
    if (GP_KindOf(control) == GP_KindLabel) *GP_ActiveByte(control) = 0, *GP_ChangedByte(control) = 1;
    PlaySound(*control->GetClickSound());
    if (HelpPage < 0 || HelpPage >= static_cast<std::int32_t>(kHelpPages)) HelpPage = 0;
    ShowForm(GP_FirstHelpForm + HelpPage);
    HelpPage += 1;
    return true;
}

bool CGP_Actions::OnHelpPrev(CGP_Control* control)
{
    if (GP_KindOf(control) == GP_KindLabel) *GP_ActiveByte(control) = 0, *GP_ChangedByte(control) = 1;
    PlaySound(*control->GetClickSound());
    if (HelpPage <= 1 || HelpPage > static_cast<std::int32_t>(kHelpPages)) HelpPage = kHelpPages + 1;
    ShowForm(GP_FirstHelpForm - 2 + HelpPage);
    HelpPage -= 1;
    return true;
}

void CGP_Actions::ShowTopListPage(CGP_Form* form, int page) const
{
    const int groups = TopListGroups(mainFrame);
    if (!form || groups == 0 || page < 0 || page >= groups) return;
    const TopListGroup& group = *mainFrame->topList->groups[page];
    GP_SetLabelText(form->GetControl(kTopListCampaign), group.campaignName);
    for (int row = 0; row < kTopListRows; ++row) {
        const TopListEntry& entry = group.entries[row];
        GP_SetLabelText(form->GetControl(kTopListRankColumn + row),
                        entry.IsEmpty() ? std::string() : std::to_string(row + 1) + ".");
        GP_SetLabelText(form->GetControl(row), entry.playerName);
        GP_SetLabelText(form->GetControl(kTopListDateColumn + row), entry.dateText);
        GP_SetLabelText(form->GetControl(kTopListScoreColumn + row), entry.scoreText);
    }
}

void CGP_Actions::SetTopListArrows() const
{
    GP_State.TopListPrevEnabled = TopListPage > 0;
    GP_State.TopListNextEnabled = TopListPage < TopListGroups(mainFrame) - 1;
}

bool CGP_Actions::OnTopListOpen(CGP_Control* control)
{
    TopListPage = 0;
    ShowTopListPage(GP_FormOf(control), 0);
    GP_State.TopListPrevEnabled = 0;
    GP_State.TopListNextEnabled = TopListGroups(mainFrame) > 1;
    return true;
}

bool CGP_Actions::OnTopListPrev(CGP_Control* control)
{
    if (TopListPage <= 0 || TopListGroups(mainFrame) == 0) return true;
    PlaySound(*control->GetClickSound());
    TopListPage -= 1;
    SetTopListArrows();
    ShowTopListPage(GP_FormOf(control), TopListPage);
    return true;
}

bool CGP_Actions::OnTopListNext(CGP_Control* control)
{
    const int groups = TopListGroups(mainFrame);
    if (groups == 0 || TopListPage >= groups - 1) return true;
    PlaySound(*control->GetClickSound());
    TopListPage += 1;
    SetTopListArrows();
    ShowTopListPage(GP_FormOf(control), TopListPage);
    return true;
}

// The file version of the program in the start-up folder: major, minor and build.
bool CGP_Actions::OnVersionFormOpen(CGP_Control* control)
{
    const std::string path = GP_WorkingFolder + kProgramFile;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return true;
    std::vector<unsigned char> block(size);
    void* value = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), handle, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return true;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    std::snprintf(VersionText, sizeof VersionText, "%d. %d. %d", static_cast<int>(info->dwFileVersionMS >> 16),
                  static_cast<int>(info->dwFileVersionMS & 0xFFFF), static_cast<int>(info->dwFileVersionLS >> 16));
    CGP_Form* form = GP_FormOf(control);
    GP_SetLabelText(form ? form->GetControl(0) : nullptr, VersionText);
    return true;
}

bool CGP_Actions::OnMenuSession(CGP_Control* control)
{
    ClickFirstStep(control);
    if (!mainFrame) return true;
    if (!mainFrame->menuSessionSurface && mainFrame->display) {
        auto surface = std::make_unique<CGP_Surface>();
        if (surface->Create(mainFrame->display.get(), GP_SurfaceSystem, kSessionWidth, kSessionHeight) == GP_SurfaceOk)
            mainFrame->menuSessionSurface = std::move(surface);
    }
    GP_State.MenuSessionSurface = mainFrame->menuSessionSurface.get();
    if (TA_EnterMenu(kCatalogMenu, kSessionWidth, kSessionHeight) != TA_Ok) {
        GP_State.MenuSessionActive = false;
        return true;
    }
    GP_State.MenuSessionActive = true;
    GP_State.CatalogSession = true;
    return true;
}

bool CGP_Actions::OnEMailPrompt(CGP_Control* control)
{
    ClickFirstStep(control);
    if (!mainFrame) return true;
    ShowWindow(mainFrame->handle, SW_HIDE);
    ShowCursor(TRUE);
    mainFrame->PromptEMail(true);
    ShowCursor(FALSE);
    ShowWindow(mainFrame->handle, SW_SHOW);
    return true;
}

bool CGP_Actions::OnHallOfFamePage(CGP_Control* control)
{
    ClickFirstStep(control);
    GP_OpenHallOfFamePage();
    return true;
}
