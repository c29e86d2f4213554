// The game's process-wide state on the game thread: counters and timers of the level and the interface.
#pragma once
#include <cstdint>

struct CampaignFile;

struct GP_GameState {
    std::int32_t MissionsDone = 1;
    CampaignFile* CurrentCampaign = nullptr;
    std::int32_t Score = 0;
    std::int32_t EndTimer = 0;  // whole milliseconds a cleared stage or the end of a level has been waiting
};

extern GP_GameState GP_State;
