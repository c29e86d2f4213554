// The main frame's key-down slot and the end of a level: typed keys for the forms and game keys for the ship,
// pause, the in-game menu, help and options over a suspended level, the tray, quitting, and the way out of a
// finished level with the player's progress, the top list and the posted result.
#include <cstdlib>
#include <string>

#include "GP_Campaigns.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameObject.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_GraphServer.h"
#include "GP_IDList.h"
#include "GP_Label.h"
#include "GP_Log.h"
#include "GP_Online.h"
#include "GP_PlayField.h"
#include "GP_Players.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "GP_Surface.h"
#include "GP_TopList.h"
#include "platform/win32_window.h"

namespace {

constexpr std::uint32_t kPauseKey = 19;
constexpr std::uint32_t kF1 = 0x70;
constexpr std::uint32_t kF8 = 0x77;
constexpr std::uint32_t kF11 = 0x7A;
constexpr std::uint32_t kF12 = 0x7B;
constexpr std::uint32_t kShift = 1;
constexpr std::uint32_t kQuestionForm = 0xA0001;
constexpr std::uint32_t kInGameMenuForm = 0xA0010;
constexpr std::uint32_t kHelpForm = 0xA0006;
constexpr std::uint32_t kOptionsForm = 0xA0002;
constexpr std::uint32_t kFinalForm = 0xA000F;
constexpr std::uint32_t kPausedText = 0x50004;
constexpr std::uint32_t kSendingText = 0x5003C;
constexpr std::uint32_t kSentText = 0x5003D;
constexpr std::uint32_t kThanksText = 0x5003E;
constexpr float kMessageTime = 4000.0f;

struct AnswerKeys {
    std::uint32_t yes, no;
};

AnswerKeys AnswerKeysOf(std::uint32_t language)
{
    switch (language) {
    case GP_LanguageGerman: return {'J', 'N'};
    case GP_LanguageFrench: return {'O', 'N'};
    case GP_LanguageRussian: return {'L', 'Y'};
    default: return {'Y', 'N'};
    }
}

// The decimal number after the first character of the campaign's mission-count text.
std::int32_t MissionCount(const CampaignFile* campaign)
{
    if (!campaign || campaign->missionCountText.size() < 2) return 0;
    return std::atoi(campaign->missionCountText.c_str() + 1);
}

}  // namespace

// Keys of 256 and above name no typed key and are not recorded.
void CGP_GameMainFrame::OnKeyDown(CGP_Window*, std::uint32_t key, std::uint32_t modifiers, std::uint8_t extended)
{
    const bool levelOver = GP_State.MissionComplete || GP_State.GameOver || GP_State.ResultsShown;
    if (state == 1 && levelOver) key = GP_KeyEscape;
    if (GP_State.FinalFormShown) {
        GP_FadeOut();
        FreeServerSurfaces(false);
        currentForm = nullptr;
        if (mouseCursor) mouseCursor->ReloadImages(servers.get());
        ResetForms();
        GP_State.FinalFormShown = false;
        ShowForm(GP_MainMenuForm, false, true);
        return;
    }
    if (!extended) {
        const bool letter = key >= 0x41 && key <= 0x7A && !(modifiers & kShift);
        const std::uint32_t typed = letter ? key + 0x20 : key;
        if (typed < 256) TypedKeys[typed] = 1;
    }
    if (currentForm && (*currentForm->GetFormID() == kQuestionForm || *currentForm->GetFormID() == kInGameMenuForm)) {
        const AnswerKeys answers = AnswerKeysOf(InterfaceLanguage);
        if (key == answers.yes) {
            TypedKeys[GP_KeyEnter] = 1;
            key = GP_KeyEnter;
        } else if (key == answers.no) {
            TypedKeys[GP_KeyEscape] = 1;
            key = GP_KeyEscape;
        }
    }
    if (state == 1 && key != 0) {
        for (int i = 0; i < GP_GameKeys::Count; ++i) {
            if (GameKeys.codes[i] != key) continue;
            GameKeys.pressed[i] = 1;
            break;
        }
    }
    if (TypedKeys[kPauseKey]) {
        if (!GP_State.ShipReady) return;
        if (state == 1 && !GP_State.InGameMenu && !GP_State.GameOver) {
            if (!GP_State.Paused) {
                GP_State.Paused = true;
                ShowCentreMessage(kPausedText);
                if (soundPlayer) soundPlayer->StopAll();
            } else {
                GP_State.Paused = false;
                HideMessage();
                if (scene && scene->player && scene->player->stateBlock)
                    scene->player->stateBlock->targetX = static_cast<std::int32_t>(*scene->player->x);
            }
        }
        TypedKeys[kPauseKey] = 0;
        return;
    }
    switch (key) {
    case GP_KeyEscape:
        if (state == 1 && (GP_State.MissionComplete || GP_State.GameOver)) return EndLevel();
        if (state == 0 || GP_State.InGameMenu) return;
        if (GP_State.Paused) {
            HideMessage();
            PlayStep(0);
        }
        DetachPlay();
        TypedKeys[GP_KeyEscape] = 0;
        ResetForms();
        ReloadImages();
        GP_State.Paused = true;
        ShowForm(kInGameMenuForm, false, false);
        GP_State.InGameMenu = true;
        pointerX = 320;
        pointerY = 240;
        if (mouseCursor) {
            mouseCursor->x = 320;
            mouseCursor->y = 240;
        }
        return;
    case kF1:
    case kF8:
        if (state != 1 || GP_State.InGameMenu) return;
        GP_State.LevelSuspended = true;
        TypedKeys[key] = 0;
        GP_State.Paused = true;
        if (levelDisplay->messageLabel) {
            ShowMessage(kPausedText, static_cast<float>(480 + *levelDisplay->messageLabel->GetHeight()) / 2);
            GP_State.MessageTime = kMessageTime;
        }
        if (soundPlayer) soundPlayer->StopAll();
        if (servers && servers->graphics) servers->graphics->FreeSurfaces(true);
        GP_FadeOut();
        LeaveCampaign();
        DetachPlay();
        ResetForms();
        ReloadImages();
        currentForm = nullptr;
        ShowForm(key == kF1 ? kHelpForm : kOptionsForm, false, true);
        state = 0;
        return;
    case kF11:
        if (state == 0 || (state == 1 && GP_State.ShipReady)) HideToTray();
        return;
    case kF12: PostQuitMessage(0); return;
    default: return;
    }
}

// Without a progress record for the campaign nothing is posted and the campaign does not count as finished.
void CGP_GameMainFrame::EndLevel()
{
    const std::int32_t missions = MissionCount(GP_State.CurrentCampaign);
    const CampaignRecord* progress = CurrentProgress();
    const std::int32_t reached = progress ? progress->mission : -1;
    const std::int32_t mission = static_cast<std::int32_t>(GP_State.MissionIndex);
    const bool firstFinish =
        progress && mission + 1 == missions && reached == missions && GP_State.BestMissionBefore < missions;
    if (!GP_State.ResultsShown && GP_State.MissionComplete) GP_State.CampaignFinished = firstFinish;
    const bool post = (GP_State.MissionComplete && firstFinish) ||
                      (GP_State.GameOver && progress && reached == mission && reached != missions);
    if (account.eMailKnown && PutResults && !GP_State.ResultsShown && post) {
        CGP_Surface* back = display ? display->backSurface.get() : nullptr;
        const float height =
            levelDisplay->messageLabel ? static_cast<float>(*levelDisplay->messageLabel->GetHeight()) : 0.0f;
        const float centre = (480 - height) / 2;
        if (levelDisplay->messageLabel) {
            ShowMessage(kSendingText, centre + 1.5f * height);
            GP_State.MessageTime = kMessageTime;
            levelDisplay->messageLabel->Draw();
            if (display) display->Present(1);
        }
        const std::string email = account.playerEMail.value_or("");
        if (GP_PostScore(email, GP_State.Score, GP_State.CurrentCampaign->title, GP_State.HiddenMode)) {
            if (scene && scene->playField) scene->playField->Draw();
            if (levelDisplay->messageLabel) {
                ShowMessage(kSentText, centre - height);
                levelDisplay->messageLabel->Draw();
                ShowMessage(kThanksText, centre + height);
                levelDisplay->messageLabel->Draw();
            }
            GP_State.MessageTime = kMessageTime;
            if (display && back) display->Present(1);
            GP_State.ResultsShown = true;
            GP_State.EndTimer = 0;
            return;
        }
    }
    GP_State.ResultsShown = false;
    TypedKeys[GP_KeyEscape] = 0;
    EndStage();
    ReloadImages();
    state = 0;
    ShowForm(GP_State.CampaignFinished ? kFinalForm : GP_MainMenuForm, false, true);
    GP_State.FinalFormShown = GP_State.CampaignFinished;
    GP_State.CampaignFinished = false;
    PlayMusic(GP_TitleMusic);
    GP_State.MissionComplete = 0;
}

// Finishing a mission behind the player's frontier, or without a progress record, changes nothing but the log.
void CGP_GameMainFrame::EndMission()
{
    CampaignRecord* progress = CurrentProgress();
    const std::int32_t mission = static_cast<std::int32_t>(GP_State.MissionIndex);
    const bool frontier = progress && progress->mission == mission;
    if (frontier) {
        progress->score = GP_State.Score;
        progress->lives = GP_State.Lives;
        GP_State.BestMissionBefore = progress->mission;
        progress->mission = mission + 1;
        if (!GP_State.HiddenMode) ++GP_State.MissionsDone;
        if (static_cast<std::size_t>(progress->mission) == idLists.size() && topList) {
            topList->Insert(GP_State.CurrentCampaign->title, players->profiles[GP_State.PlayerSlot].name,
                            GP_DateTimeText(false), GP_State.Score, GP_State.HiddenMode);
            SaveTopList();
        }
    }
    SavePlayers();
    char line[128];
    std::snprintf(line, sizeof line, "%s %u %d %d %s", frontier ? "ENM" : "EOM", GP_State.MissionIndex + 1,
                  GP_State.Lives, GP_State.Score, GP_DateTimeText(true).c_str());
    GP_LogWrite(line);
    GP_LogWrite("\n");
}
