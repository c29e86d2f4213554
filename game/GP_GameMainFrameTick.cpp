// The main frame's per-frame work: the frame tick, the interface step with the requests of the form handlers,
// the start of a level, and the input and activation slots.
#include <algorithm>

#include "GP_AppBase.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_Label.h"
#include "GP_Main.h"
#include "GP_MenuLibrary.h"
#include "GP_Music.h"
#include "GP_PlayField.h"
#include "GP_Players.h"
#include "GP_Scene.h"
#include "GP_SoundPlayer.h"
#include "GP_Surface.h"
#include "GP_Timer.h"

namespace {

constexpr std::uint32_t kEndScreenDoneAction = 0x10000 + 51;
constexpr std::uint32_t kPlayerForm = 0xA0003;
constexpr std::uint32_t kNoStage = 0xFFFFFFFF;
constexpr std::uint32_t kGetReadyText = 0x50002;
constexpr std::uint32_t kPausedText = 0x50004;
constexpr std::uint32_t kFirstMissionMusic = 0x190001;
constexpr std::uint8_t kPauseKey = 19;
constexpr std::int16_t kBuffer565 = 2;
constexpr std::int16_t kBufferOther = 1;

void CopyWhole(CGP_Surface* picture, CGP_Surface* destination, int x, int y)
{
    if (picture && destination) picture->BltFast(destination, x, y, 0, 0, picture->width, picture->height);
}

}  // namespace

TA_UpdateRect GP_ClipUpdateRect(const TA_UpdateRect& rect)
{
    return TA_UpdateRect{std::clamp(rect.left, 0, 640), std::clamp(rect.top, 0, 480), std::clamp(rect.right, 0, 640),
                         std::clamp(rect.bottom, 0, 480)};
}

void CGP_GameMainFrame::FrameTick(bool active, float elapsed)
{
    if (app->quitting || !active) return;
    GP_State.TotalTime += elapsed;
    if (mouseCursor) mouseCursor->Update(elapsed);
    if (state == 0) {
        InterfaceStep(elapsed);
        formGraveyard.clear();
        if (state == 1) return;  // a level starts: its first play step is the next frame
    } else if (state == 1) {
        PlayStep(elapsed);
        formGraveyard.clear();
    }
    if (!display) return;
    if (GP_State.HiddenMode || showFrameRate) display->DrawFps(display->backSurface.get(), 10, 10);
    if (!GP_State.ResultsShown) display->Present(1);
}

void CGP_GameMainFrame::InterfaceStep(float elapsed)
{
    CGP_Surface* back = display ? display->backSurface.get() : nullptr;
    if (GP_State.MenuSessionActive) return MenuSessionStep();
    if (GP_State.StartupTimerOn) {
        GP_State.StartupTime -= elapsed;
        if (GP_State.StartupTime < 0) return EndStartupScreen();
    }
    if (currentForm && !currentForm->Update(elapsed)) return;
    if (app->quitting) return;
    CopyWhole(backgroundSurface, back, 0, 0);
    if (GP_State.OverlayBelowForm) CopyWhole(ShownOverlay(), back, overlayX, overlayY);
    if (GP_State.RequestEnterCampaign && ServeEnterCampaign()) return;
    if (GP_State.RequestLeaveCampaign) ServeLeaveCampaign();
    if (players && players->CommitNames()) GP_SavePlayersFile(*players, GP_WorkingFolder);
    if (soundPlayer) soundPlayer->Update();
    if (GP_State.MusicVolumeLive && music) music->SetVolume(MusicVolume);
    if (state == 1) return StartLevel(elapsed);
    DrawForm(app->active != 0);
    if (!GP_State.OverlayBelowForm) CopyWhole(ShownOverlay(), back, overlayX, overlayY);
    if (mouseCursor) mouseCursor->Draw();
}

// A failed lock skips the library's drawing but still copies its rectangles.
void CGP_GameMainFrame::MenuSessionStep()
{
    CGP_Surface* session = GP_State.MenuSessionSurface;
    if (session && session->Lock() == GP_SurfaceOk) {
        TA_DrawNextFrame(session->pixels, session->pitch, GP_Is565 ? kBuffer565 : kBufferOther, 0);
        session->Unlock();
    }
    const int count = TA_GetRectCount();
    for (int i = 0; i < count; ++i) {
        TA_UpdateRect rect{};
        TA_GetRect(rect, i);
        const TA_UpdateRect clipped = GP_ClipUpdateRect(rect);
        if (!session || !display || clipped.right <= clipped.left || clipped.bottom <= clipped.top) continue;
        session->BltFast(display->backSurface.get(), clipped.left, clipped.top, clipped.left, clipped.top,
                         clipped.right, clipped.bottom);
    }
    if (!TA_IsMenuComplete()) return;
    GP_State.CatalogSession = false;
    GP_State.MenuSessionActive = false;
}

// The end-screen action does the switch; without an action table the main menu is shown here the same way.
void CGP_GameMainFrame::EndStartupScreen()
{
    GP_State.StartupTimerOn = false;
    if (GP_ActionHandler done = actions ? actions->GetHandler(kEndScreenDoneAction) : nullptr) {
        done(*actions, currentForm);
        return;
    }
    GP_FadeOut();
    currentForm = nullptr;
    ShowForm(GP_MainMenuForm, false, false);
    pointerX = 320;
    pointerY = 240;
    if (!mouseCursor) return;
    mouseCursor->visible = 1;
    mouseCursor->x = 320;
    mouseCursor->y = 240;
}

bool CGP_GameMainFrame::ServeEnterCampaign()
{
    if (currentForm) currentForm->Draw();
    GP_FadeOut();
    EnterCampaign();
    currentForm = nullptr;
    GP_State.RequestEnterCampaign = false;
    if (!GP_State.LevelSuspended) {
        ShowForm(GP_MainMenuForm, true, true);
        return false;
    }
    ResumeLevel();
    GP_State.LevelSuspended = false;
    GP_FadeIn();
    return true;
}

void CGP_GameMainFrame::ServeLeaveCampaign()
{
    if (currentForm) currentForm->Draw();
    GP_FadeOut();
    LeaveCampaign();
    ResetForms();
    ReloadImages();
    currentForm = nullptr;
    ShowForm(kPlayerForm, true, true);
    GP_State.RequestLeaveCampaign = false;
}

void CGP_GameMainFrame::StartLevel(float elapsed)
{
    GP_State.ShipReady = false;
    if (!stageList) {
        state = 0;
        return;
    }
    stageList->Rewind();
    if (GP_State.LevelSuspended) {
        GP_State.LevelSuspended = false;
        return;
    }
    if (currentForm) currentForm->Draw();
    ReleaseFormSurfaces();
    currentForm = nullptr;
    GP_FadeOut();
    if (display) display->backSurface->Clear(0);
    BuildLevelHud();
    if (levelDisplay->messageLabel) {
        ShowCentreMessage(kGetReadyText);
        levelDisplay->messageLabel->Draw();
        HideMessage();
    }
    if (display) display->Present(1);
    GP_State.StageNumber = 1;
    std::fill(std::begin(GP_State.WeaponCounts), std::end(GP_State.WeaponCounts), 0);
    GP_State.GameOver = false;
    GP_State.MissionComplete = false;
    levelDisplay->SetWeaponIndicator(-1);
    if (mouseCursor) mouseCursor->Update(elapsed);
    if (const std::uint32_t stage = stageList->Next(); stage != kNoStage) StartStage(stage);
    if (GlobalDirectMusicEnabled && GlobalMusicEnabled) PlayMusic(kFirstMissionMusic + GP_State.MissionIndex);
    if (scene && scene->playField) scene->playField->Draw();
    GP_FadeIn();
    TypedKeys[kPauseKey] = 0;
}

void CGP_GameMainFrame::OnKeyUp(CGP_Window*, std::uint32_t key, std::uint32_t)
{
    for (int i = 0; i < GP_GameKeys::Count; ++i) {
        if (GameKeys.codes[i] != key) continue;
        GameKeys.pressed[i] = 0;
        return;
    }
}

void CGP_GameMainFrame::OnMouseMove(CGP_Window*, std::uint32_t, int x, int y)
{
    pointerX = x;
    pointerY = y;
}

void CGP_GameMainFrame::OnMouseDown(CGP_Window*, WPARAM buttons, int x, int y)
{
    const bool levelEnding = GP_State.MissionComplete || GP_State.GameOver || GP_State.ResultsShown;
    if ((state == 1 && levelEnding) || GP_State.FinalFormShown) return OnKeyDown(this, GP_KeyEscape, 0, 0);
    pointerX = x;
    pointerY = y;
    SetPointerButtons(static_cast<std::uint32_t>(buttons));
    for (int button = 0; button < 2; ++button) {
        if (buttons & (1u << button)) pressedAt[button] = GP_CursorPoint{x, y};
    }
}

void CGP_GameMainFrame::OnMouseUp(CGP_Window*, WPARAM buttons, int x, int y)
{
    pointerX = x;
    pointerY = y;
    SetPointerButtons(static_cast<std::uint32_t>(buttons));
    for (int button = 0; button < 2; ++button) {
        if (!(buttons & (1u << button))) releasedAt[button] = GP_CursorPoint{x, y};
    }
}

void CGP_GameMainFrame::OnActivate(CGP_Window*)
{
    app->active = 1;
    if (music) music->Play(static_cast<DWORD>(-1));
    if (frameTimer) frameTimer->Resume();
}

void CGP_GameMainFrame::OnDeactivate(CGP_Window*)
{
    if (frameTimer) frameTimer->Pause();
    app->active = 0;
    if (music) music->Stop();
    GP_State.Paused = true;
    // The message is the level's: its text lives in the campaign's data, which a level suspended for help or
    // options has given back, so it is shown only over a level in play.
    if (state == 1 && !GP_State.GameOver && !GP_State.InGameMenu) ShowCentreMessage(kPausedText);
}

std::int32_t CGP_GameMainFrame::GetLives() const { return GP_State.Lives; }
bool CGP_GameMainFrame::IsLevelSuspended() const { return GP_State.LevelSuspended; }

void GP_RestoreOverlayPicture(CGP_Surface* surface, void* mainFrame)
{
    auto* frame = static_cast<CGP_GameMainFrame*>(mainFrame);
    if (!frame || !frame->display || !surface) return;
    CGP_Display& display = *frame->display;
    if (!display.IsModeValid()) {
        if (!frame->app->active) {
            display.surfacesLost = 1;
            return;
        }
        frame->OnDeactivate(frame);
        GP_State.Paused = true;
        return;
    }
    if (!frame->backgroundSurface || !frame->OverlayPicture) return;
    CGP_Surface* back = display.backSurface.get();
    CopyWhole(frame->backgroundSurface, back, 0, 0);
    const int x = frame->overlayX, y = frame->overlayY, width = surface->width, height = surface->height;
    if (back->Lock() == GP_SurfaceOk) {
        GP_BlendRect(x, y, width, height, 0, 0, 0);
        back->Unlock();
    }
    back->Blt(frame->OverlayPicture.get(), x, y, x + width, y + height, 0, 0, width, height);
}
