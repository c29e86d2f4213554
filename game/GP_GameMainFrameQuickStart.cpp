// The quick start: VEL_START_MISSION=<campaign>,<mission> (both counted from 0) takes the player of slot 0
// straight from the start-up screen into that mission, as the game-start forms would, with a fresh record of
// score 0 and 3 reserve ships. It lets a scripted run play a mission without walking the menus.
#include <cstdio>
#include <cstdlib>

#include "GP_Campaigns.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_IDList.h"
#include "GP_Log.h"
#include "GP_Players.h"

namespace {

constexpr std::int32_t kStartLives = 3;

}  // namespace

bool CGP_GameMainFrame::QuickStart()
{
    const char* wanted = std::getenv("VEL_START_MISSION");
    unsigned campaign = 0, mission = 0;
    if (!wanted || std::sscanf(wanted, "%u,%u", &campaign, &mission) != 2) return false;
    if (campaign >= Campaigns.size() || !players) {
        GP_LogWrite("VEL_START_MISSION names no campaign\n");
        return false;
    }
    GP_State.CurrentCampaign = Campaigns[campaign].get();
    GP_State.PlayerSlot = 0;
    GP_State.MissionIndex = mission;
    GP_State.Score = 0;
    GP_State.Lives = kStartLives;
    GP_State.MissionsDone = static_cast<std::int32_t>(mission) + 1;
    CampaignRecord* progress = CurrentProgress();
    if (!progress) {
        players->profiles[0].records.push_back(CampaignRecord{GP_State.CurrentCampaign->title, 0, 0, kStartLives});
        progress = &players->profiles[0].records.back();
    }
    GP_State.BestMissionBefore = progress->mission;
    EnterCampaign();
    currentForm = nullptr;
    stageList = GetIDList(mission);
    if (!stageList) {
        GP_LogWrite("VEL_START_MISSION names no mission of the campaign\n");
        return false;
    }
    state = 1;
    StartLevel(0);
    return true;
}
