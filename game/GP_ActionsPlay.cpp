// The handlers of the player form and the mission forms: player slots and their names, the campaign list, the
// missions, and the start of play.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "GP_Actions.h"
#include "GP_Campaigns.h"
#include "GP_Exception.h"
#include "GP_Form.h"
#include "GP_FormKinds.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_Log.h"
#include "GP_Online.h"
#include "GP_Players.h"
#include "GP_TextInput.h"

namespace {

// Player form positions.
constexpr int kFirstRowButton = 10;
constexpr int kFirstRowLabel = 14;
constexpr int kFirstNameEntry = 18;
constexpr int kFirstMissionCountLabel = 28;
constexpr int kVisibleRows = 4;
constexpr std::int32_t kOverlayX = 357;
constexpr std::int32_t kOverlayY = 37;
constexpr std::int32_t kStartLives = 3;
constexpr const char* kHiddenName = "Trevolin";

// The first selected slot; with none selected, slot 0, so that no table is read or written past its ten slots.
int SelectedSlot()
{
    for (int slot = 0; slot < GP_PlayerSlots; ++slot)
        if (SlotSelected[slot]) return slot;
    return 0;
}

void SelectOnly(int slot)
{
    std::fill(std::begin(SlotSelected), std::end(SlotSelected), 0);
    SlotSelected[slot] = 1;
}

int CampaignTotal() { return static_cast<int>(std::min<std::size_t>(Campaigns.size(), CampaignCount)); }

CampaignFile* CampaignAt(int index) { return index >= 0 && index < CampaignTotal() ? Campaigns[index].get() : nullptr; }

// The number after the first character of the mission-count text; 0 without digits.
int MissionCount(const CampaignFile& campaign)
{
    return campaign.missionCountText.size() > 1 ? std::atoi(campaign.missionCountText.c_str() + 1) : 0;
}

CGP_TextInput* EntryAt(CGP_Form* form, int position)
{
    CGP_Control* control = form ? form->GetControl(position) : nullptr;
    return control && GP_KindOf(control) == GP_KindTextInput ? static_cast<CGP_TextInput*>(control) : nullptr;
}

int SelectedRow()
{
    for (int row = 0; row < kVisibleRows; ++row)
        if (GP_State.CampaignRowSelected[row]) return row;
    return -1;
}

void SelectRow(int row)
{
    std::fill(std::begin(GP_State.CampaignRowSelected), std::end(GP_State.CampaignRowSelected), 0);
    if (row >= 0 && row < kVisibleRows) GP_State.CampaignRowSelected[row] = 1;
}

// The record of the campaign in the profile, or -1.
int RecordOf(const PlayerProfile& profile, const CampaignFile& campaign)
{
    for (std::size_t i = 0; i < profile.records.size(); ++i)
        if (profile.records[i].campaignName == campaign.title) return static_cast<int>(i);
    return -1;
}

std::uint32_t HintOf(CGP_Control* control) { return control->Block<GP_ControlBlock>()->hintTextID; }

void SetHint(std::uint32_t id)
{
    GP_Interface().HintTextId = id;
    GP_Interface().HintChanged = 1;
}

}  // namespace

void CGP_Actions::CommitTextEntries(CGP_Form* form) const
{
    if (!form) return;
    for (std::size_t i = 0; i < form->ControlCount(); ++i) {
        CGP_TextInput* entry = EntryAt(form, static_cast<int>(i));
        if (entry && entry->editing) GP_CommitEntry(*entry);
    }
}

void CGP_Actions::RefreshCampaignView(CGP_Form* form) const
{
    const int k = SelectedSlot();
    GP_State.SlotScore[k] = 0;
    GP_State.SlotLevelReached[k] = 0;
    const CampaignFile* campaign = GP_State.CurrentCampaign;
    if (!campaign) return;
    if (mainFrame && mainFrame->players) {
        const PlayerProfile& profile = mainFrame->players->profiles[k];
        if (const int record = RecordOf(profile, *campaign); record >= 0) {
            GP_State.SlotScore[k] = profile.records[record].score;
            GP_State.SlotLevelReached[k] = profile.records[record].mission;
        }
    }
    if (form) {
        GP_SetLabelText(form->GetControl(kFirstMissionCountLabel + k), campaign->missionCountText);
        const std::size_t elements = form->ControlCount();
        if (elements >= 2) {
            GP_SetLabelText(form->GetControl(elements - 1), campaign->description ? campaign->description.get() : "");
            GP_SetLabelText(form->GetControl(elements - 2), campaign->title);
        }
    }
    if (!mainFrame) return;
    mainFrame->ClearOverlay();
    mainFrame->borrowedOverlay = campaign->picture.get();
}

void CGP_Actions::ShowCampaignRows(CGP_Form* form) const
{
    const int rows = std::min(CampaignTotal(), kVisibleRows);
    for (int row = 0; row < rows; ++row)
        if (const CampaignFile* campaign = CampaignAt(GP_State.CampaignListTop + row))
            GP_SetLabelText(form ? form->GetControl(kFirstRowLabel + row) : nullptr, campaign->title);
}

void CGP_Actions::RefreshSlotView(CGP_Form* form) const
{
    const int k = SelectedSlot();
    const int count = CampaignTotal();
    int c = 0;
    if (mainFrame && mainFrame->players) {
        const PlayerProfile& profile = mainFrame->players->profiles[k];
        if (profile.newFlag) {
            GP_State.SlotScore[k] = 0;
            GP_State.CampaignListTop = 0;
        } else if (!profile.records.empty() && profile.currentRecord >= 0 &&
                   static_cast<std::size_t>(profile.currentRecord) < profile.records.size() && count > 0) {
            const std::string& name = profile.records[profile.currentRecord].campaignName;
            while (c < count && CampaignAt(c)->title != name) ++c;
            if (c == count) {
                c = 0;
                GP_State.CampaignListTop = 0;
            }
        }
    }
    SelectRow(-1);
    GP_State.CurrentCampaign = CampaignAt(c);
    if (c > GP_State.CampaignListTop + 3) GP_State.CampaignListTop = c - 3;
    if (c < GP_State.CampaignListTop) GP_State.CampaignListTop = c;
    ShowCampaignRows(form);
    SelectRow(c - GP_State.CampaignListTop);
    const int rows = std::min(count, kVisibleRows);
    if (GP_State.CampaignListTop == 0) GP_State.CampaignScrollUp = 0, GP_State.CampaignScrollDown = 1;
    if (GP_State.CampaignListTop == count - 4) GP_State.CampaignScrollUp = 1, GP_State.CampaignScrollDown = 0;
    if (rows < 4) GP_State.CampaignScrollUp = 0, GP_State.CampaignScrollDown = 0;
    RefreshCampaignView(form);
}

bool CGP_Actions::OnSlotFormOpen(CGP_Control* control)
{
    CGP_Form* form = GP_FormOf(control);
    if (mainFrame) {
        mainFrame->ClearOverlay();
        mainFrame->overlayX = kOverlayX;
        mainFrame->overlayY = kOverlayY;
        std::fill(std::begin(mainFrame->TypedKeys), std::end(mainFrame->TypedKeys), 0);
    }
    GP_State.OverlayBelowForm = false;
    const int k = SelectedSlot();
    const bool inUse = mainFrame && mainFrame->players && !mainFrame->players->profiles[k].newFlag;
    GP_State.SlotInUse[0] = GP_State.SlotInUse[1] = inUse ? 1 : 0;
    for (int slot = 0; slot < GP_PlayerSlots; ++slot) {
        SelectOnly(slot);
        RefreshSlotView(form);
    }
    GP_State.PlayerSlot = static_cast<std::uint32_t>(k);
    SelectOnly(k);
    RefreshSlotView(form);
    const int count = CampaignTotal();
    GP_State.CampaignScrollDown = count >= 5 && GP_State.CampaignListTop < count - 4;
    GP_State.CampaignScrollUp = count >= 5 && GP_State.CampaignListTop > 0;
    CGP_TextInput* first = EntryAt(form, kFirstNameEntry);
    if (FirstRun && first) {
        GP_StartEditing(*first, true);
        if (first->target)
            std::memcpy(first->editBuffer, first->target, strnlen(first->target, CGP_TextInput::MaxLength));
    }
    return true;
}

bool CGP_Actions::OnSlotClick(CGP_Control* control)
{
    CGP_Form* form = GP_FormOf(control);
    const int slot = GP_PositionOf(form, control);
    if (slot < 0 || slot >= GP_PlayerSlots) return true;
    for (std::size_t i = 0; i < form->ControlCount(); ++i) {
        CGP_Control* element = form->GetControl(i);
        if (GP_KindOf(element) != GP_KindLabel) continue;
        *GP_ActiveByte(element) = 0;
        *GP_ChangedByte(element) = 1;
    }
    if (std::uint8_t* active = GP_ActiveByte(control)) *active = 1;
    if (std::uint8_t* changed = GP_ChangedByte(control)) *changed = 1;
    PlaySound(*control->GetHoverSound());
    GP_State.PlayerSlot = static_cast<std::uint32_t>(slot);
    const bool inUse = mainFrame && mainFrame->players && !mainFrame->players->profiles[slot].newFlag;
    GP_State.SlotInUse[0] = GP_State.SlotInUse[1] = inUse ? 1 : 0;
    SelectOnly(slot);
    for (std::size_t i = 0; i < form->ControlCount(); ++i) {
        CGP_TextInput* entry = EntryAt(form, static_cast<int>(i));
        if (entry && entry->editing && static_cast<int>(i) != kFirstNameEntry + slot) GP_CommitEntry(*entry);
    }
    RefreshSlotView(form);
    return true;
}

bool CGP_Actions::OnEntryClick(CGP_Control* control)
{
    if (GP_KindOf(control) != GP_KindTextInput) return true;
    auto* entry = static_cast<CGP_TextInput*>(control);
    if (!entry->editing) GP_StartEditing(*entry, false);
    return true;
}

bool CGP_Actions::OnNameEntryClick(CGP_Control* control)
{
    if (GP_KindOf(control) != GP_KindTextInput) return true;
    const int slot = GP_PositionOf(GP_FormOf(control), control) - kFirstNameEntry;
    if (slot < 0 || slot >= GP_PlayerSlots || !mainFrame || !mainFrame->players) return true;
    if (!mainFrame->players->profiles[slot].newFlag) return true;
    auto* entry = static_cast<CGP_TextInput*>(control);
    if (!entry->editing) GP_StartEditing(*entry, true);
    SetHint(HintOf(control));
    return true;
}

bool CGP_Actions::OnResetSlot(CGP_Control* control)
{
    if (GP_KindOf(control) == GP_KindLabel) {
        *GP_ChangedByte(control) = 1;
        PlaySound(*control->GetClickSound());
    }
    CGP_Form* form = GP_FormOf(control);
    const int k = static_cast<int>(std::min<std::uint32_t>(GP_State.PlayerSlot, GP_PlayerSlots - 1));
    GP_State.SlotInUse[0] = GP_State.SlotInUse[1] = 0;
    if (mainFrame && mainFrame->players) mainFrame->players->ResetSlot(k);
    if (CGP_TextInput* entry = EntryAt(form, kFirstNameEntry + k)) {
        entry->changed = 1;
        GP_StartEditing(*entry, true);
    }
    RefreshSlotView(form);
    return true;
}

bool CGP_Actions::OnCampaignRowClick(CGP_Control* control)
{
    CGP_Form* form = GP_FormOf(control);
    const int row = GP_PositionOf(form, control) - kFirstRowButton;
    if (row < 0 || row >= kVisibleRows || row >= CampaignTotal()) return true;
    CampaignFile* campaign = CampaignAt(GP_State.CampaignListTop + row);
    if (!campaign) return true;
    SelectRow(row);
    GP_State.CurrentCampaign = campaign;
    RefreshCampaignView(form);
    return true;
}

bool CGP_Actions::OnCampaignScrollDown(CGP_Control* control)
{
    if (!control->IsEnabled()) return true;
    CGP_Form* form = GP_FormOf(control);
    const int count = CampaignTotal();
    const int top = GP_State.CampaignListTop + 1;
    if (top > 0) GP_State.CampaignScrollUp = 1;
    if (top > count - 4) return true;
    if (top == count - 4) GP_State.CampaignScrollDown = 0;
    GP_State.CampaignListTop = top;
    const int row = SelectedRow();
    if (row > 0) {
        SelectRow(row - 1);
    } else if (row == 0) {
        GP_State.CurrentCampaign = CampaignAt(top);
        RefreshCampaignView(form);
    }
    ShowCampaignRows(form);
    return true;
}

bool CGP_Actions::OnCampaignScrollUp(CGP_Control* control)
{
    if (!control->IsEnabled()) return true;
    CGP_Form* form = GP_FormOf(control);
    const int count = CampaignTotal();
    const int top = GP_State.CampaignListTop - 1;
    if (top < count - 4) GP_State.CampaignScrollDown = 1;
    if (top < 0) {
        GP_State.CampaignListTop = 0;
        return true;
    }
    if (top == 0) GP_State.CampaignScrollUp = 0;
    GP_State.CampaignListTop = top;
    const int row = SelectedRow();
    if (row >= 0 && row < kVisibleRows - 1) {
        SelectRow(row + 1);
    } else if (row == kVisibleRows - 1) {
        GP_State.CurrentCampaign = CampaignAt(top + kVisibleRows - 1);
        RefreshCampaignView(form);
    }
    ShowCampaignRows(form);
    return true;
}

bool CGP_Actions::OnStartPlay(CGP_Control* control)
{
    if (GP_KindOf(control) == GP_KindLabel) {
        *GP_ActiveByte(control) = 0;
        *GP_ChangedByte(control) = 1;
    }
    PlaySound(*control->GetClickSound());
    CommitTextEntries(GP_FormOf(control));
    const int k = SelectedSlot();
    const char* name = mainFrame && mainFrame->players ? mainFrame->players->profiles[k].name : "";
    GP_State.HiddenMode = std::strncmp(name, kHiddenName, PlayerProfile::NameSize) == 0;
    GP_State.MissionsDone = GP_State.SlotLevelReached[k] + 1;
    GP_State.PlayerSlot = static_cast<std::uint32_t>(k);
    if (GP_State.HiddenMode && GP_State.CurrentCampaign)
        GP_State.MissionsDone = MissionCount(*GP_State.CurrentCampaign);
    if (mainFrame) mainFrame->ClearOverlay();
    GP_State.RequestEnterCampaign = true;
    FirstRun = 0;
    if (mainFrame) mainFrame->SavePlayers();
    return true;
}

bool CGP_Actions::OnNamesDone(CGP_Control* control)
{
    ClickFirstStep(control);
    CommitTextEntries(GP_FormOf(control));
    if (mainFrame) mainFrame->ClearOverlay();
    GP_State.OverlayBelowForm = true;
    ShowForm(GP_MainMenuForm);
    return true;
}

bool CGP_Actions::OnNewGame(CGP_Control* control)
{
    if (GP_KindOf(control) == GP_KindLabel) *GP_ChangedByte(control) = 1;
    PlaySound(*control->GetClickSound());
    GP_State.RequestLeaveCampaign = true;
    return true;
}

bool CGP_Actions::OnLevelFormOpen(CGP_Control* control)
{
    std::fill(std::begin(GP_State.LevelAvailable), std::end(GP_State.LevelAvailable), 0);
    std::fill(std::begin(GP_State.LevelHover), std::end(GP_State.LevelHover), 0);
    std::fill(std::begin(GP_State.LevelLit), std::end(GP_State.LevelLit), 0);
    const int open = std::clamp(GP_State.MissionsDone, 0, MissionButtons);
    for (int i = 0; i < open; ++i) GP_State.LevelAvailable[i] = 1;
    SetHint(HintOf(control));
    return true;
}

// The mission of a button is its position; buttons past the sixteen missions are ignored.
bool CGP_Actions::OnLevelEnter(CGP_Control* control)
{
    const int i = GP_PositionOf(GP_FormOf(control), control);
    if (i < 0 || i >= MissionButtons) return true;
    if (GP_State.LevelAvailable[i]) {
        GP_State.LevelLit[i] = 1;
        PlaySound(*control->GetPressSound());
    }
    GP_State.LevelHover[i] = 1;
    SetHint(HintOf(control));
    GP_State.LockedLevelHint = 0;
    return true;
}

bool CGP_Actions::OnLevelLeave(CGP_Control* control)
{
    const int i = GP_PositionOf(GP_FormOf(control), control);
    if (i < 0 || i >= MissionButtons) return true;
    GP_State.LevelLit[i] = 0;
    GP_State.LevelHover[i] = 0;
    SetHint(GP_HintNone);
    GP_State.LockedLevelHint = 0;
    return true;
}

bool CGP_Actions::OnLevelClick(CGP_Control* control)
{
    const int i = GP_PositionOf(GP_FormOf(control), control);
    if (i < 0 || i >= MissionButtons) return true;
    if (i > GP_State.MissionsDone - 1) {
        SetHint(GP_HintLockedMission);
        GP_State.LockedLevelHint = 1;
        return true;
    }
    CampaignFile* campaign = GP_State.CurrentCampaign;
    if (!mainFrame || !mainFrame->players || !campaign) return true;
    GP_State.MissionIndex = static_cast<std::uint32_t>(i);
    mainFrame->stageList = mainFrame->GetIDList(static_cast<std::uint32_t>(i));
    if (mainFrame->stageList) PlaySound(*control->GetClickSound());
    PlayerProfile& profile = mainFrame->players->profiles[std::min<std::uint32_t>(GP_State.PlayerSlot, 9)];
    int record = RecordOf(profile, *campaign);
    if (record >= 0) {
        profile.currentRecord = record;
    } else {
        profile.records.push_back(CampaignRecord{campaign->title, 0, 0, kStartLives});
        record = static_cast<int>(profile.records.size()) - 1;
    }
    const CampaignRecord reached = profile.records[record];
    GP_State.Paused = false;
    GP_State.InGameMenu = false;
    GP_State.ResultsShown = false;
    GP_State.CampaignFinished = false;
    GP_State.FinalFormShown = false;
    mainFrame->state = 1;
    const bool fromReached = reached.mission == i;
    GP_State.Score = fromReached ? reached.score : 0;
    GP_State.Lives = fromReached ? reached.lives : kStartLives;
    std::unique_ptr<char[]> line(FormatNew(fromReached ? "BNM %d %d %d %s\n" : "BOM %d %d %d %s\n", i + 1,
                                           GP_State.Lives, GP_State.Score, GP_DateTimeText(true).c_str()));
    GP_LogWrite(line.get());
    GP_State.BestMissionBefore = reached.mission;
    return true;
}

bool CGP_Actions::OnContinue(CGP_Control* control)
{
    const CampaignFile* campaign = GP_State.CurrentCampaign;
    CGP_Form* form = GP_FormOf(control);
    if (!campaign || !form) return true;
    int reached = 0;
    if (mainFrame && mainFrame->players) {
        const PlayerProfile& profile = mainFrame->players->profiles[std::min<std::uint32_t>(GP_State.PlayerSlot, 9)];
        if (const int record = RecordOf(profile, *campaign); record >= 0) reached = profile.records[record].mission;
    }
    const int position = reached != MissionCount(*campaign) ? reached : 0;
    CGP_Control* button = form->GetControl(position);
    if (!button) button = form->GetControl(0);
    return button ? OnLevelClick(button) : true;
}
