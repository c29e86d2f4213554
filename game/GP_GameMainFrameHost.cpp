// The main frame as the host of the level's play: the object lists and hit groups the behaviours ask for, their
// sounds and listener, and the level display with its centre message.
#include <algorithm>

#include "GP_FontCache.h"
#include "GP_GameMainFrame.h"
#include "GP_GameObject.h"
#include "GP_GameState.h"
#include "GP_Label.h"
#include "GP_ObjectList.h"
#include "GP_ServerSet.h"
#include "GP_SoundPlayer.h"
#include "GP_TextServer.h"

namespace {

constexpr float kMessageTime = 4000.0f;

}  // namespace

CGP_ObjectList* CGP_GameMainFrame::GetObjectList(std::uint16_t kindIndex)
{
    return kindIndex < objectLists.size() ? objectLists[kindIndex].get() : nullptr;
}

bool CGP_GameMainFrame::IsIdInList(std::uint16_t listIndex, std::uint32_t id)
{
    if (listIndex >= IDGroups.size()) return false;
    const std::vector<std::uint32_t>& group = IDGroups[listIndex];
    return std::find(group.begin(), group.end(), id) != group.end();
}

void CGP_GameMainFrame::PlaySound(CGP_GameObject* object, std::uint32_t soundID, bool looping, bool positioned,
                                  bool follow)
{
    if (soundPlayer) soundPlayer->Play(object, soundID, looping, positioned, follow);
}

void CGP_GameMainFrame::SetSoundListener(CGP_GameObject* object)
{
    if (soundPlayer) soundPlayer->SetListener(object);
}

// Without loaded data there is nothing to build the display from.
void CGP_GameMainFrame::BuildLevelHud()
{
    if (!servers) return;
    GP_LevelDisplaySources sources;
    sources.servers = servers.get();
    sources.fonts = fonts.get();
    sources.cursor = mouseCursor.get();
    sources.actions = actions;
    sources.play = this;
    sources.missionIndex = GP_State.MissionIndex;
    sources.stageNumber = &GP_State.StageNumber;
    sources.lives = &GP_State.Lives;
    levelDisplay->Build(sources);
}

void CGP_GameMainFrame::ShowMessage(std::uint32_t textID, float y) { levelDisplay->ShowMessage(textID, y); }

void CGP_GameMainFrame::ShowCentreMessage(std::uint32_t textID)
{
    CGP_Label* label = levelDisplay->messageLabel.get();
    if (!label) return;
    ShowMessage(textID, static_cast<float>(480 - *label->GetHeight()) / 2);
    GP_State.MessageTime = kMessageTime;
}

void CGP_GameMainFrame::HideMessage() { levelDisplay->HideMessage(); }
