// The game's process-wide state on the game thread: counters and timers of the level and the interface, and the
// requests that the form handlers leave for the next interface step.
#pragma once
#include <cstdint>

#include "GP_PlayState.h"

class CGP_Surface;
struct CampaignFile;

// The play values (score, lives, level flags, weapon charges, the centre message's time, the behaviours' shared
// fields) are the behaviours' GP_PlayState, so that the frame, the forms and the behaviours read the same values.
struct GP_GameState : GP_PlayState {
    float TotalTime = 0;  // active milliseconds since start; stamps the sounds
    bool Paused = false;
    std::int32_t StageNumber = 0;
    std::int32_t MissionsDone = 1;
    CampaignFile* CurrentCampaign = nullptr;
    std::uint32_t MissionIndex = 0;  // within the campaign, from 0
    std::uint8_t SlotInUse[2] = {};  // both 1 while the selected player slot holds a named player
    std::int32_t EndTimer = 0;       // whole milliseconds a cleared stage or the end of a level has been waiting
    bool LevelSuspended = false;     // a level was left for a form and goes on when the campaign is entered again
    bool InGameMenu = false;
    bool SkipPlayStep = false;
    bool RequestEnterCampaign = false;
    bool RequestLeaveCampaign = false;
    bool ResultsShown = false;  // nothing is presented until the player leaves
    bool FinalFormShown = false;
    bool StartupTimerOn = true;
    float StartupTime = 5000;  // the start-up screen's remaining time
    bool OverlayBelowForm = true;
    bool MusicVolumeLive = false;  // the music follows the volume setting every interface frame
    bool MenuSessionActive = false;
    CGP_Surface* MenuSessionSurface = nullptr;  // 640 x 480, the menu library draws into it
    bool CatalogSession = false;

    // The menus' state: the player slot chosen, what each slot reached in the campaign shown, the campaign list's
    // scrolling, and the mission buttons' open, hover and lit flags.
    std::uint32_t PlayerSlot = 0;
    std::int32_t SlotScore[10] = {};
    std::int32_t SlotLevelReached[10] = {};
    std::int32_t CampaignListTop = 0;
    std::uint8_t CampaignRowSelected[5] = {};
    std::uint8_t CampaignScrollUp = 0;
    std::uint8_t CampaignScrollDown = 0;
    std::int32_t BestMissionBefore = 0;  // the slot's mission reached when the mission in play started
    std::uint8_t LevelAvailable[16] = {};
    std::uint8_t LevelHover[16] = {};
    std::uint8_t LevelLit[16] = {};
    std::uint8_t LockedLevelHint = 0;
    std::uint8_t TopListPrevEnabled = 0;
    std::uint8_t TopListNextEnabled = 0;
    bool CampaignFinished = false;  // the campaign was completed for the first time
    float EnemyFireTimer = 0;       // time until a random enemy fires
};

extern GP_GameState GP_State;
