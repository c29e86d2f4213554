// The main frame as the host of the level's play: the object lists and hit groups the behaviours ask for, their
// sounds and listener, and the level display's centre message and weapon choice.
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

constexpr std::uint32_t kMessageFont = 0x160000;
constexpr float kMessageTime = 4000.0f;
constexpr int kMessageWidth = 640;
constexpr int kMessageHeight = 16;
constexpr std::int32_t kCentred = 1;

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

void CGP_GameMainFrame::ResetWeaponDisplay() { selectedWeapon = -1; }

void CGP_GameMainFrame::SelectWeapon(std::int32_t index) { selectedWeapon = index; }

void CGP_GameMainFrame::ShowSlowMotionIcon() { slowMotionBlink = 0; }

// The centre-message label: full width, out of sight above the screen and without text until a message comes.
void CGP_GameMainFrame::BuildLevelHud()
{
    if (!messageLabel) {
        messageLabel = std::make_unique<CGP_Label>(nullptr, mouseCursor.get(), fonts.get());
        GP_LabelBlock& fields = *messageLabel->Block<GP_LabelBlock>();
        fields.x = 0;
        fields.y = -kMessageHeight;
        fields.width = kMessageWidth;
        fields.height = kMessageHeight;
        fields.imageID = GP_NoImage;
        fields.fontID = kMessageFont;
        fields.disabledFontID = kMessageFont;
        fields.horizontalAlignment = kCentred;
        fields.verticalAlignment = kCentred;
        messageLabel->servers = servers.get();
        messageLabel->CreateFrames(servers.get());
        messageLabel->Bind(actions);
        return;
    }
    messageLabel->servers = servers.get();
    messageLabel->ReloadImages(servers.get());
    messageLabel->Bind(actions);
}

void CGP_GameMainFrame::DrawLevelHud(float) {}

void CGP_GameMainFrame::ShowMessage(std::uint32_t textID, float y)
{
    if (!messageLabel) return;
    GP_LabelBlock& fields = *messageLabel->Block<GP_LabelBlock>();
    fields.textID = textID;
    fields.y = y;
    const char* text = servers && servers->text ? servers->text->GetText(textID) : nullptr;
    messageLabel->text = text ? text : "";
    messageLabel->changed = 1;
}

void CGP_GameMainFrame::ShowCentreMessage(std::uint32_t textID)
{
    if (!messageLabel) return;
    ShowMessage(textID, static_cast<float>(480 - *messageLabel->GetHeight()) / 2);
    GP_State.MessageTime = kMessageTime;
}

void CGP_GameMainFrame::HideMessage()
{
    if (messageLabel) messageLabel->Block<GP_LabelBlock>()->y = static_cast<float>(-*messageLabel->GetHeight());
}
