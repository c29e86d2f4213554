// The game variables: the values that interface controls show and change, by the low 16 bits of a kind-13 ID.
// The values of the player slots, the mission lists, the top list and the online account join the table
// with the parts of the game that keep them.
#include <algorithm>

#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_NameServer.h"
#include "GP_Players.h"

namespace {

constexpr std::uint32_t kVariableKind = 13;
constexpr std::size_t kFirstKeyVariable = 35;
constexpr std::size_t kFirstSlotSelectedVariable = 54;
constexpr std::size_t kFirstSlotNameVariable = 13;
constexpr std::size_t kFirstSlotScoreVariable = 23;
constexpr std::size_t kFirstLevelLitVariable = 39;
constexpr std::size_t kFirstCampaignRowVariable = 64;
constexpr std::size_t kFirstSlotLevelVariable = 70;
constexpr std::size_t kFirstLevelAvailableVariable = 80;  // mission 1: mission 0 is always open
constexpr std::size_t kFirstLevelHoverVariable = 95;
constexpr std::size_t kMissionVariables = 15;

}  // namespace

void CGP_GameMainFrame::BindVariables()
{
    // The table has at least the entries filled here, however few variables the pack names.
    const std::size_t named = names ? names->GetCount(kVariableKind) : 0;
    variables.assign(std::max(named, GP_VariableCount), nullptr);
    variables[1] = &GlobalShadowEnabled;
    variables[2] = &unusedFlag;
    variables[3] = &GP_EffectsVolume;
    variables[4] = &MusicVolume;
    variables[6] = &GlobalSoundEnabled;
    variables[7] = &GlobalMusicEnabled;
    variables[8] = &unusedCounter;
    variables[9] = &GP_SoundChannelCount;
    variables[10] = &GlobalDirectSoundEnabled;
    variables[11] = &GlobalDirectMusicEnabled;
    variables[12] = &GP_State.Score;
    for (std::size_t key = 0; key < 4; ++key) variables[kFirstKeyVariable + key] = &GameKeys.codes[key];
    for (std::size_t slot = 0; slot < GP_PlayerSlots; ++slot)
        variables[kFirstSlotSelectedVariable + slot] = &SlotSelected[slot];
    variables[33] = &GP_State.SlotInUse[0];
    variables[34] = &GP_State.SlotInUse[1];
    BindMenuVariables();
    variables[112] = &PutResults;
    variables[113] = &account.eMailKnown;
    variables[114] = &account.offerAccount;
    variables[115] = &zeroFlag;
}

// The values of the player form and the mission forms.
void CGP_GameMainFrame::BindMenuVariables()
{
    for (std::size_t slot = 0; slot < GP_PlayerSlots; ++slot) {
        if (players) variables[kFirstSlotNameVariable + slot] = players->profiles[slot].name;
        variables[kFirstSlotScoreVariable + slot] = &GP_State.SlotScore[slot];
        variables[kFirstSlotLevelVariable + slot] = &GP_State.SlotLevelReached[slot];
    }
    for (std::size_t mission = 0; mission < kMissionVariables; ++mission) {
        variables[kFirstLevelLitVariable + mission] = &GP_State.LevelLit[mission];
        variables[kFirstLevelHoverVariable + mission] = &GP_State.LevelHover[mission];
        if (mission > 0) variables[kFirstLevelAvailableVariable + mission - 1] = &GP_State.LevelAvailable[mission];
    }
    for (std::size_t row = 0; row < 4; ++row)
        variables[kFirstCampaignRowVariable + row] = &GP_State.CampaignRowSelected[row];
    variables[68] = &GP_State.CampaignScrollDown;
    variables[69] = &GP_State.CampaignScrollUp;
    variables[94] = &GP_State.LockedLevelHint;
    variables[110] = &GP_State.TopListPrevEnabled;
    variables[111] = &GP_State.TopListNextEnabled;
}

void* CGP_GameMainFrame::GetVariable(std::uint32_t id)
{
    if (id == 0xFFFFFFFF) return nullptr;
    const std::size_t index = id & 0xFFFF;
    return index < variables.size() ? variables[index] : nullptr;
}
