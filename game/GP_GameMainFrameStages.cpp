// The level's data and stages on the main frame: the campaign pack made the active pack and left again, a stage
// started from its scene and ended, a suspended level taken up again, and the game over.
#include <cstdio>

#include "GP_BinaryServer.h"
#include "GP_Campaigns.h"
#include "GP_Exception.h"
#include "GP_FontCache.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_GraphServer.h"
#include "GP_IOManager.h"
#include "GP_Label.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"
#include "GP_Online.h"
#include "GP_PlayField.h"
#include "GP_Players.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "GP_SoundServer.h"
#include "GP_SpriteManager.h"
#include "GP_TextServer.h"
#include "GP_Timer.h"
#include "GP_TopList.h"
#include "GP_Weapon.h"
#include "platform/files.h"

namespace {

constexpr const char* kModule = "GP_GameMainFrame";
constexpr std::uint32_t kGameOverText = 0x50005;
constexpr std::uint16_t kFieldColumns = 10;
constexpr std::uint16_t kFieldRows = 10;

// The pack's name table, from the offset its first word gives; false when the pack is too short to hold one.
bool LoadPackNames(std::FILE* pack, CGP_NameServer& names)
{
    std::uint32_t trailer = 0;
    if (std::fseek(pack, 0, SEEK_SET) != 0 || std::fread(&trailer, sizeof trailer, 1, pack) != 1) return false;
    names.Clear();
    if (std::fseek(pack, static_cast<long>(trailer) + 4, SEEK_SET) != 0) return false;
    names.Load(pack, true);
    return true;
}

}  // namespace

// A campaign pack that cannot be opened or read any more ends the game before anything was reset.
void CGP_GameMainFrame::EnterCampaign()
{
    if (CampaignFile* campaign = GP_State.CurrentCampaign) {
        std::FILE* stream = platform::OpenFile(campaign->path, "rb");
        if (!stream) FailCorruptedCampaign(campaign->path.c_str());
        if (GP_CampaignPackStream) std::fclose(GP_CampaignPackStream);
        GP_CampaignPackStream = stream;
        if (ioManager) ioManager->SetPackFile(stream);
    }
    if (GP_CampaignPackStream && names && !LoadPackNames(GP_CampaignPackStream, *names))
        FailCorruptedCampaign(GP_State.CurrentCampaign ? GP_State.CurrentCampaign->path.c_str() : "");
    OverlayPicture.reset();
    backgroundSurface = nullptr;
    if (servers && servers->graphics) servers->graphics->Reset();
    if (fonts) fonts->Reset();
    if (!spriteManager && names) {
        spriteManager = std::make_unique<CGP_SpriteManager>(this, names.get());
        sprites = spriteManager.get();
    }
    if (sprites) sprites->Reset();
    if (servers && servers->weapons) servers->weapons->Reset();
    if (servers && servers->sound) servers->sound->Reset();
    if (servers && servers->text) servers->text->Reset();
    ResetForms();
    if (mouseCursor) mouseCursor->ReloadImages(servers.get());
    if (!GP_State.LevelSuspended) {
        CreateBehaviours();
        LoadLevelLists();
        LoadIDLists();
    }
    GP_InterfacePackActive = 0;
}

// The callers stop the sounds, reset the forms and reload the images.
void CGP_GameMainFrame::LeaveCampaign()
{
    if (GP_CampaignPackStream) std::fclose(GP_CampaignPackStream);
    GP_CampaignPackStream = nullptr;
    if (ioManager) ioManager->SetPackFile(nullptr);
    if (GP_InterfacePackStream && names && !LoadPackNames(GP_InterfacePackStream, *names)) {
        LeaveFullScreen();
        throw CGP_FatalExeption(kModule, __LINE__, "The interface data file can no longer be read", nullptr, 0);
    }
    if (servers && servers->graphics) servers->graphics->Reset();
    if (fonts) fonts->Reset();
    if (servers && servers->text) servers->text->Reset();
    if (servers && servers->sound) servers->sound->Reset();
    GP_InterfacePackActive = 1;
}

void CGP_GameMainFrame::CreateBehaviours() { behaviours.Create(this); }

void CGP_GameMainFrame::StartStage(std::uint32_t stageID)
{
    scene.reset();
    scene = std::make_unique<CGP_Scene>(this);
    scene->playField = std::make_unique<CGP_PlayField>(this, kFieldColumns, kFieldRows);
    if (frameTimer) frameTimer->Pause();
    for (auto& list : objectLists) list->SetPlayField(scene->playField.get());
    if (servers && servers->binary && servers->binary->OpenRead(stageID)) scene->Load(servers.get(), true, true);
    GP_State.EnemyFireTimer = scene->parameters->enemyFirePeriod;
    BuildLevelHud();
    if (GP_State.SlowMotion) ShowSlowMotionIcon();
    GP_State.FrameSharedDone = 1;
    // A special weapon's kills left over from the last stage never pay a bonus in this one.
    GP_State.SpecialKillsA = 0;
    GP_State.SpecialKillsB = 0;
    GP_State.LaunchedObject = nullptr;
    if (frameTimer) frameTimer->Resume();
}

void CGP_GameMainFrame::EndStage()
{
    scene.reset();
    if (soundPlayer) soundPlayer->StopAll();
    DetachPlay();
    if (servers && servers->graphics) servers->graphics->FreeSurfaces(false);
    for (auto& list : objectLists) list->DeleteAll();
    if (sprites) sprites->Clear(false);
    GP_State.LaunchedObject = nullptr;
}

void CGP_GameMainFrame::DetachPlay()
{
    if (soundPlayer) soundPlayer->SetListener(nullptr);
    if (mouseCursor) mouseCursor->player = nullptr;
}

void CGP_GameMainFrame::ResumeLevel()
{
    if (sprites && scene) {
        sprites->ReloadImages(servers.get());
        for (std::uint16_t i = 0; i < scene->spriteIDs.GetCount(); ++i)
            sprites->GetDefinition(GP_EntryToID(scene->spriteIDs.Get(i)), true);
        for (auto& list : objectLists) list->ReloadDefinitions(sprites);
        scene->playField->ReloadImages(servers.get());
        SetPlayer(scene->player);
    }
    BuildLevelHud();
    state = 1;
}

void CGP_GameMainFrame::SetPlayer(CGP_GameObject* player)
{
    if (soundPlayer) soundPlayer->SetListener(player);
    if (mouseCursor) mouseCursor->player = player;
}

void CGP_GameMainFrame::GameOver()
{
    ShowCentreMessage(kGameOverText);
    if (scene && scene->player) {
        if (scene->player->state != GP_StateGone) scene->player->state = GP_StateGone;
        GP_State.Lives = 0;
    }
    GP_State.GameOver = 1;
    GP_State.EndTimer = 0;
    const CampaignRecord* progress = CurrentProgress();
    if (progress && progress->mission == static_cast<std::int32_t>(GP_State.MissionIndex) && topList) {
        const PlayerProfile& profile = players->profiles[GP_State.PlayerSlot];
        topList->Insert(GP_State.CurrentCampaign->title, profile.name, GP_DateTimeText(false), GP_State.Score,
                        GP_State.HiddenMode);
        SaveTopList();
    }
    char line[128];
    std::snprintf(line, sizeof line, "GO %u %d %s", GP_State.MissionIndex + 1, GP_State.Score,
                  GP_DateTimeText(true).c_str());
    GP_LogWrite(line);
    GP_LogWrite("\n");
}

CampaignRecord* CGP_GameMainFrame::CurrentProgress()
{
    if (!players || !GP_State.CurrentCampaign || GP_State.PlayerSlot >= CGP_Players::SlotCount) return nullptr;
    for (CampaignRecord& record : players->profiles[GP_State.PlayerSlot].records) {
        if (record.campaignName == GP_State.CurrentCampaign->title) return &record;
    }
    return nullptr;
}
