// The game variables: the values that interface controls show and change, by the low 16 bits of a kind-13 ID.
// The values of the player slots, the mission lists, the top list and the online account join the table
// with the parts of the game that keep them.
#include <algorithm>

#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_NameServer.h"

namespace {

constexpr std::uint32_t kVariableKind = 13;
constexpr std::size_t kFirstKeyVariable = 35;
constexpr std::size_t kFirstSlotSelectedVariable = 54;

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
    variables[112] = &PutResults;
    variables[113] = &account.eMailKnown;
    variables[115] = &zeroFlag;
}

void* CGP_GameMainFrame::GetVariable(std::uint32_t id)
{
    if (id == 0xFFFFFFFF) return nullptr;
    const std::size_t index = id & 0xFFFF;
    return index < variables.size() ? variables[index] : nullptr;
}
