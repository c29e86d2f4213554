// The action table and the handlers every form shares: button and check-box visuals, hint items, sounds.
#include "GP_Actions.h"

#include <cstring>

#include "GP_Button.h"
#include "GP_CheckBox.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_GameMainFrame.h"
#include "GP_Label.h"
#include "GP_NameServer.h"
#include "GP_Players.h"
#include "GP_SoundPlayer.h"
#include "GP_TextInput.h"

std::uint32_t GP_KindOf(const CGP_Control* control) { return control->Block<GP_ObjectBlock>()->type; }

namespace {

bool IsLabelKind(std::uint32_t kind)
{
    return kind == GP_KindLabel || kind == GP_KindHintLabel || kind == GP_KindKeyLabel;
}

}  // namespace

std::uint8_t* GP_ActiveByte(CGP_Control* control)
{
    return control && IsLabelKind(GP_KindOf(control)) ? &control->Block<GP_LabelBlock>()->active : nullptr;
}

std::uint8_t* GP_ChangedByte(CGP_Control* control)
{
    if (!control) return nullptr;
    const std::uint32_t kind = GP_KindOf(control);
    if (IsLabelKind(kind)) return static_cast<CGP_Label*>(control)->GetChanged();
    if (kind == GP_KindTextInput) return &static_cast<CGP_TextInput*>(control)->changed;
    return nullptr;
}

CGP_Form* GP_FormOf(CGP_Control* control)
{
    CGP_Object* object = control;
    while (object && object->Block<GP_ObjectBlock>()->type != GP_TypeForm) object = object->parent;
    return static_cast<CGP_Form*>(object);
}

int GP_PositionOf(CGP_Form* form, CGP_Control* control)
{
    if (!form) return -1;
    for (std::size_t i = 0; i < form->ControlCount(); ++i)
        if (form->GetControl(i) == control) return static_cast<int>(i);
    return -1;
}

void GP_StartEditing(CGP_TextInput& entry, bool clear)
{
    entry.editing = 1;
    entry.caretTimer = -1.0f;
    entry.caretShown = 0;
    if (clear) std::memset(entry.editBuffer, 0, CGP_TextInput::EditBufferSize);
}

// With the caret shown the buffer's last character is the caret; a buffer of the caret alone changes nothing.
void GP_CommitEntry(CGP_TextInput& entry)
{
    std::size_t length = strnlen(entry.editBuffer, CGP_TextInput::EditBufferSize - 1);
    if (entry.caretShown && length > 0) --length;
    if (length > 0 && entry.target) {
        constexpr std::size_t limit = PlayerProfile::NameSize - 1;
        const std::size_t kept = length < limit ? length : limit;
        std::memcpy(entry.target, entry.editBuffer, kept);
        entry.target[kept] = '\0';
    }
    std::memset(entry.editBuffer, 0, CGP_TextInput::EditBufferSize);
    entry.caretShown = 0;
    entry.editing = 0;
    entry.caretTimer = 0;
    entry.changed = 1;
}

void GP_SetLabelText(CGP_Control* control, const std::string& text)
{
    if (!control || !IsLabelKind(GP_KindOf(control))) return;
    auto* label = static_cast<CGP_Label*>(control);
    label->text = text;
    label->changed = 1;
}

CGP_Actions::CGP_Actions(CGP_GameMainFrame* mainFrame)
    : mainFrame(mainFrame), names(mainFrame ? mainFrame->names.get() : nullptr)
{
    count = names ? names->GetCount(GP_ActionKind) : 0;
    handlers = std::make_unique<GP_ActionHandler[]>(count);
    Bind();
}

CGP_Actions::~CGP_Actions() = default;

// A name of another kind has a dense index of its own kind, which must not reach an action's entry.
std::int32_t CGP_Actions::EntryOf(std::uint32_t id) const
{
    if (id == GP_NoID || !names) return -1;
    const GP_NameGroup* group = names->GetGroup(id >> 16);
    if (!group || group->resourceKind != GP_ActionKind) return -1;
    const std::int32_t index = names->GetIndex(id);
    return index >= 0 && static_cast<std::uint32_t>(index) < count ? index : -1;
}

GP_ActionHandler CGP_Actions::GetHandler(std::uint32_t id)
{
    const std::int32_t index = EntryOf(id);
    return index < 0 ? nullptr : handlers[index];
}

bool CGP_Actions::SetHandler(std::uint32_t id, GP_ActionHandler handler)
{
    if (const std::int32_t index = EntryOf(id); index >= 0) handlers[index] = handler;
    return true;
}

void CGP_Actions::Bind()
{
    Set<&CGP_Actions::OnShowForm1>(0);
    Set<&CGP_Actions::OnButtonPress>(1);
    Set<&CGP_Actions::OnButtonLeave>(2);
    Set<&CGP_Actions::OnButtonEnter>(3);
    Set<&CGP_Actions::OnHintEnter>(4);
    Set<&CGP_Actions::OnHintLeave>(5);
    Set<&CGP_Actions::OnQuit>(6);
    Set<&CGP_Actions::OnMainMenu>(7);
    Set<&CGP_Actions::OnShowForm3>(8);
    Set<&CGP_Actions::OnCheckPress>(9);
    Set<&CGP_Actions::OnCheckLeave>(10);
    Set<&CGP_Actions::OnCheckClick>(11);
    Set<&CGP_Actions::OnPlainPress>(12);
    Set<&CGP_Actions::OnPlainLeave>(13);
    Set<&CGP_Actions::OnPlainEnter>(14);
    for (std::uint32_t index : {15u, 16u, 17u, 19u}) SetHandler(GP_ActionID(index), &Call<&CGP_Actions::OnNothing>);
    Set<&CGP_Actions::OnEntryClick>(18);
    Set<&CGP_Actions::OnShowForm2>(20);
    Set<&CGP_Actions::OnBack>(21);
    Set<&CGP_Actions::OnOptionsOpen>(22);
    Set<&CGP_Actions::OnOptionsClose>(23);
    Set<&CGP_Actions::OnSoundToggle>(24);
    Set<&CGP_Actions::OnMusicToggle>(25);
    Set<&CGP_Actions::OnSoundVolumeUp>(26);
    Set<&CGP_Actions::OnSoundVolumeDown>(27);
    Set<&CGP_Actions::OnMusicVolumeUp>(28);
    Set<&CGP_Actions::OnMusicVolumeDown>(29);
    Set<&CGP_Actions::OnAbortGame>(30);
    Set<&CGP_Actions::OnResumeGame>(31);
    Set<&CGP_Actions::OnStartPlay>(32);
    Set<&CGP_Actions::OnSlotClick>(33);
    Set<&CGP_Actions::OnNameEntryClick>(34);
    Set<&CGP_Actions::OnResetSlot>(35);
    Set<&CGP_Actions::OnSlotFormOpen>(36);
    Set<&CGP_Actions::OnClickSound>(37);
    Set<&CGP_Actions::OnShowForm2b>(38);
    Set<&CGP_Actions::OnKeyFieldClick>(39);
    Set<&CGP_Actions::OnResetKeys>(41);
    Set<&CGP_Actions::OnNewGame>(42);
    Set<&CGP_Actions::OnContinue>(43);
    Set<&CGP_Actions::OnLevelEnter>(44);
    Set<&CGP_Actions::OnLevelLeave>(45);
    Set<&CGP_Actions::OnLevelClick>(46);
    Set<&CGP_Actions::OnCampaignRowClick>(47);
    Set<&CGP_Actions::OnCampaignScrollDown>(48);
    Set<&CGP_Actions::OnCampaignScrollUp>(49);
    Set<&CGP_Actions::OnLevelFormOpen>(50);
    Set<&CGP_Actions::OnEndScreenDone>(51);
    Set<&CGP_Actions::OnShowMainMenu2>(52);
    Set<&CGP_Actions::OnPanelFormOpenA>(54);
    Set<&CGP_Actions::OnPanelFormOpenB>(55);
    Set<&CGP_Actions::OnPanelFormOpenC>(56);
    Set<&CGP_Actions::OnHelpOpen>(57);
    Set<&CGP_Actions::OnHelpPrev>(58);
    Set<&CGP_Actions::OnHelpNext>(59);
    Set<&CGP_Actions::OnShowHelpLast>(60);
    Set<&CGP_Actions::OnTabPanelOpen>(61);
    Set<&CGP_Actions::OnVersionFormOpen>(62);
    Set<&CGP_Actions::OnReturnFromForm>(63);
    Set<&CGP_Actions::OnNamesDone>(64);
    Set<&CGP_Actions::OnShowForm9>(65);
    Set<&CGP_Actions::OnShowMainMenu3>(66);
    Set<&CGP_Actions::OnTopListOpen>(67);
    Set<&CGP_Actions::OnTopListPrev>(68);
    Set<&CGP_Actions::OnTopListNext>(69);
    Set<&CGP_Actions::OnEMailPrompt>(70);
    Set<&CGP_Actions::OnHallOfFamePage>(72);
    Set<&CGP_Actions::OnMenuSession>(76);
}

void CGP_Actions::PlaySound(std::uint32_t id) const
{
    CGP_SoundPlayer* player = mainFrame ? mainFrame->GetSoundPlayer() : nullptr;
    if (player && id != GP_NoID) player->Play(nullptr, id, false, false, false);
}

void CGP_Actions::ClickFirstStep(CGP_Control* control) const
{
    if (std::uint8_t* active = GP_ActiveByte(control)) *active = 0;
    if (std::uint8_t* changed = GP_ChangedByte(control)) *changed = 1;
    PlaySound(*control->GetClickSound());
}

void CGP_Actions::ShowForm(std::uint32_t formID, bool transition) const
{
    if (mainFrame) mainFrame->ShowForm(formID, transition, transition);
}

bool CGP_Actions::OnButtonPress(CGP_Control* control)
{
    if (!control->IsEnabled()) {
        control->frameIndex = GP_ButtonDisabled;
        return true;
    }
    control->frameIndex = GP_ButtonPressed;
    PlaySound(*control->GetPressSound());
    return true;
}

bool CGP_Actions::OnButtonLeave(CGP_Control* control)
{
    control->frameIndex = control->IsEnabled() ? GP_ButtonNormal : GP_ButtonDisabled;
    return true;
}

bool CGP_Actions::OnButtonEnter(CGP_Control* control)
{
    control->frameIndex = control->IsEnabled() ? GP_ButtonHover : GP_ButtonDisabled;
    PlaySound(*control->GetHoverSound());
    return true;
}

bool CGP_Actions::OnPlainPress(CGP_Control* control)
{
    control->frameIndex = GP_ButtonPressed;
    PlaySound(*control->GetPressSound());
    return true;
}

bool CGP_Actions::OnPlainLeave(CGP_Control* control)
{
    control->frameIndex = GP_ButtonNormal;
    PlaySound(*control->GetReleaseSound());
    return true;
}

bool CGP_Actions::OnPlainEnter(CGP_Control* control)
{
    control->frameIndex = GP_ButtonHover;
    PlaySound(*control->GetHoverSound());
    return true;
}

namespace {

// A check box's value, null for another kind or a box without one.
std::uint8_t* CheckValue(CGP_Control* control)
{
    return GP_KindOf(control) == GP_KindCheckBox ? static_cast<CGP_CheckBox*>(control)->value : nullptr;
}

}  // namespace

bool CGP_Actions::OnCheckPress(CGP_Control* control)
{
    if (const std::uint8_t* value = CheckValue(control))
        control->frameIndex = (*value ? GP_CheckOn : GP_CheckOff) + GP_CheckPressedStep;
    if (!control->IsEnabled()) {
        control->frameIndex += GP_CheckPressedStep;
        return true;
    }
    PlaySound(*control->GetPressSound());
    return true;
}

bool CGP_Actions::OnCheckLeave(CGP_Control* control)
{
    const std::uint8_t* value = CheckValue(control);
    control->frameIndex = value && *value ? GP_CheckOn : GP_CheckOff;
    if (!control->IsEnabled()) {
        control->frameIndex += GP_CheckDisabledStep;
        return true;
    }
    PlaySound(*control->GetReleaseSound());
    return true;
}

bool CGP_Actions::OnCheckClick(CGP_Control* control)
{
    std::uint8_t* value = CheckValue(control);
    if (!value) {
        control->frameIndex = GP_CheckOff + GP_CheckDisabledStep;
        return true;
    }
    if (control->IsEnabled()) *value = *value ? 0 : 1;
    control->frameIndex = *value ? GP_CheckOn : GP_CheckOff;
    if (!control->IsEnabled()) control->frameIndex += GP_CheckDisabledStep;
    PlaySound(*control->GetClickSound());
    return true;
}

bool CGP_Actions::OnHintEnter(CGP_Control* control)
{
    LightWithHint(control);
    return true;
}

void CGP_Actions::LightWithHint(CGP_Control* control)
{
    if (std::uint8_t* active = GP_ActiveByte(control)) *active = 1;
    if (std::uint8_t* changed = GP_ChangedByte(control)) *changed = 1;
    PlaySound(*control->GetPressSound());
    GP_Interface().HintTextId = control->Block<GP_ControlBlock>()->hintTextID;
    GP_Interface().HintChanged = 1;
}

bool CGP_Actions::OnHintLeave(CGP_Control* control)
{
    if (std::uint8_t* active = GP_ActiveByte(control)) *active = 0;
    if (std::uint8_t* changed = GP_ChangedByte(control)) *changed = 1;
    GP_Interface().HintTextId = GP_HintNone;
    GP_Interface().HintChanged = 1;
    return true;
}

bool CGP_Actions::OnClickSound(CGP_Control* control)
{
    ClickFirstStep(control);
    return true;
}

bool CGP_Actions::OnNothing(CGP_Control*) { return true; }
