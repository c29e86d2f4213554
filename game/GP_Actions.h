// The action table: turns the action IDs that the interface forms name into the game's handlers. Each handler
// takes the control whose event fired; false means it replaced or tidied away the current form, so the control
// must not touch itself afterwards. The handlers are grouped by the forms they serve: the shared control
// visuals here, game start and player slots in GP_ActionsPlay.cpp, options in GP_ActionsOptions.cpp and
// navigation, help, the top list and the menu-library session in GP_ActionsNav.cpp.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "GP_InterfaceHost.h"

class CGP_Form;
class CGP_GameMainFrame;
class CGP_NameServer;
class CGP_TextInput;

// The game's actions are the names of the first kind-9 group: ID 0x10000 + index.
constexpr std::uint32_t GP_ActionKind = 9;
constexpr std::uint32_t GP_ActionID(std::uint32_t index) { return 0x10000 + index; }

// Hint text IDs with a meaning of their own.
constexpr std::uint32_t GP_HintNone = 0xFFFFFFFF;
constexpr std::uint32_t GP_HintLockedMission = 0xFFFFFFFE;

// The forms the handlers show.
enum GP_FormID : std::uint32_t {
    GP_QuitForm = 0xA0001,
    GP_OptionsForm = 0xA0002,
    GP_PlayerForm = 0xA0003,
    GP_TabPanelForm = 0xA0004,
    GP_FirstHelpForm = 0xA0006,
    GP_TopListFormID = 0xA0009,
};

// Button visuals by the picture strip's order (normal, pressed, hover, disabled) and check box visuals.
enum GP_CheckBoxFrame : std::int32_t {
    GP_CheckOff = 0,
    GP_CheckOn = 1,
    GP_CheckPressedStep = 2,
    GP_CheckDisabledStep = 4,
};

class CGP_Actions : public CGP_ActionLookup {
public:
    using Handler = bool (CGP_Actions::*)(CGP_Control*);

    static constexpr int MissionButtons = 16;

    // Binds every action the game knows; the table has one entry per kind-9 name of the main frame's names.
    explicit CGP_Actions(CGP_GameMainFrame* mainFrame);
    ~CGP_Actions() override;
    CGP_Actions(const CGP_Actions&) = delete;
    CGP_Actions& operator=(const CGP_Actions&) = delete;

    virtual void Bind();
    // Null for -1, for an ID whose group is not of the action kind, and for an index past the table.
    GP_ActionHandler GetHandler(std::uint32_t id) override;
    // An ID that GetHandler would not answer is ignored; always true.
    virtual bool SetHandler(std::uint32_t id, GP_ActionHandler handler);

    std::uint32_t Count() const { return count; }

    // Menu state of the handlers: the help page shown (1 to 3) and the top-list group shown.
    std::int32_t HelpPage = 1;
    std::int32_t TopListPage = 0;

protected:
    // Shared control visuals and sounds.
    bool OnButtonPress(CGP_Control* control);
    bool OnButtonLeave(CGP_Control* control);
    bool OnButtonEnter(CGP_Control* control);
    bool OnPlainPress(CGP_Control* control);
    bool OnPlainLeave(CGP_Control* control);
    bool OnPlainEnter(CGP_Control* control);
    bool OnCheckPress(CGP_Control* control);
    bool OnCheckLeave(CGP_Control* control);
    bool OnCheckClick(CGP_Control* control);
    bool OnHintEnter(CGP_Control* control);
    bool OnHintLeave(CGP_Control* control);
    bool OnClickSound(CGP_Control* control);
    bool OnNothing(CGP_Control* control);

    // Game start, player slots, campaigns and missions.
    bool OnEntryClick(CGP_Control* control);
    bool OnStartPlay(CGP_Control* control);
    bool OnSlotClick(CGP_Control* control);
    bool OnNameEntryClick(CGP_Control* control);
    bool OnResetSlot(CGP_Control* control);
    bool OnSlotFormOpen(CGP_Control* control);
    bool OnNewGame(CGP_Control* control);
    bool OnContinue(CGP_Control* control);
    bool OnLevelEnter(CGP_Control* control);
    bool OnLevelLeave(CGP_Control* control);
    bool OnLevelClick(CGP_Control* control);
    bool OnCampaignRowClick(CGP_Control* control);
    bool OnCampaignScrollDown(CGP_Control* control);
    bool OnCampaignScrollUp(CGP_Control* control);
    bool OnLevelFormOpen(CGP_Control* control);
    bool OnNamesDone(CGP_Control* control);

    // Options, keys, volumes, music and panels.
    bool OnOptionsOpen(CGP_Control* control);
    bool OnOptionsClose(CGP_Control* control);
    bool OnSoundToggle(CGP_Control* control);
    bool OnMusicToggle(CGP_Control* control);
    bool OnSoundVolumeUp(CGP_Control* control);
    bool OnSoundVolumeDown(CGP_Control* control);
    bool OnMusicVolumeUp(CGP_Control* control);
    bool OnMusicVolumeDown(CGP_Control* control);
    bool OnKeyFieldClick(CGP_Control* control);
    bool OnResetKeys(CGP_Control* control);
    bool OnPanelFormOpenA(CGP_Control* control);
    bool OnPanelFormOpenB(CGP_Control* control);
    bool OnPanelFormOpenC(CGP_Control* control);

    // Navigation, help pages, the top list, the version text and the menu-library session.
    bool OnShowForm1(CGP_Control* control);
    bool OnMainMenu(CGP_Control* control);
    bool OnShowForm3(CGP_Control* control);
    bool OnShowForm2(CGP_Control* control);
    bool OnShowForm2b(CGP_Control* control);
    bool OnShowForm9(CGP_Control* control);
    bool OnShowMainMenu2(CGP_Control* control);
    bool OnShowMainMenu3(CGP_Control* control);
    bool OnBack(CGP_Control* control);
    bool OnQuit(CGP_Control* control);
    bool OnAbortGame(CGP_Control* control);
    bool OnResumeGame(CGP_Control* control);
    bool OnEndScreenDone(CGP_Control* control);
    bool OnHelpOpen(CGP_Control* control);
    bool OnHelpPrev(CGP_Control* control);
    bool OnHelpNext(CGP_Control* control);
    bool OnShowHelpLast(CGP_Control* control);
    bool OnTabPanelOpen(CGP_Control* control);
    bool OnReturnFromForm(CGP_Control* control);
    bool OnTopListOpen(CGP_Control* control);
    bool OnTopListPrev(CGP_Control* control);
    bool OnTopListNext(CGP_Control* control);
    bool OnVersionFormOpen(CGP_Control* control);
    bool OnMenuSession(CGP_Control* control);
    bool OnEMailPrompt(CGP_Control* control);
    bool OnHallOfFamePage(CGP_Control* control);

    // Helpers the handlers share. Every sound and form switch of the handlers goes through the first two.
    virtual void PlaySound(std::uint32_t id) const;
    // Clears the control's active byte, marks it changed and plays its click sound.
    void ClickFirstStep(CGP_Control* control) const;
    // Shows the form with the fades, or without them.
    virtual void ShowForm(std::uint32_t formID, bool transition = true) const;
    void CommitTextEntries(CGP_Form* form) const;
    void RefreshCampaignView(CGP_Form* form) const;
    void RefreshSlotView(CGP_Form* form) const;
    void ShowCampaignRows(CGP_Form* form) const;
    void ShowTopListPage(CGP_Form* form, int page) const;
    void SetTopListArrows() const;
    // The key labels of the form wait for no key; the typed keys are forgotten.
    void StopKeyLabels(CGP_Form* form) const;
    // The panel behind the form of the control: width and height less shrinkW and shrinkH, shifted by shiftX.
    enum class PanelBackground {
        Load,
        Keep,
        None
    };
    void BuildPanel(CGP_Control* control, int shrinkW, int shrinkH, int shiftX, PanelBackground background,
                    bool band) const;
    void ReloadCursor() const;
    // Lights the control, plays its press sound and shows its hint.
    void LightWithHint(CGP_Control* control);
    // Frees the server's pictures and every form, and reloads the cursor, so that a form can be shown afresh.
    void ClearForms() const;

    CGP_GameMainFrame* mainFrame = nullptr;
    CGP_NameServer* names = nullptr;

private:
    template <Handler H>
    static bool Call(CGP_ActionLookup& table, CGP_Control* control)
    {
        return (static_cast<CGP_Actions&>(table).*H)(control);
    }
    template <Handler H>
    void Set(std::uint32_t index)
    {
        SetHandler(GP_ActionID(index), &Call<H>);
    }
    // The entry of an action ID, -1 for any other.
    std::int32_t EntryOf(std::uint32_t id) const;
    bool ChangeVolume(CGP_Control* control, std::int32_t& volume, std::int32_t step, std::int32_t low,
                      std::int32_t high) const;
    bool SetLevel(CGP_Control* control, bool enter);

    std::unique_ptr<GP_ActionHandler[]> handlers;
    std::uint32_t count = 0;
};

// What the handlers use of a control, by its kind: the active byte of labels and the changed byte of labels and
// text entries (null for the kinds without them); the form a control belongs to; a control's position in its
// form (-1 when it is not there).
std::uint8_t* GP_ActiveByte(CGP_Control* control);
std::uint8_t* GP_ChangedByte(CGP_Control* control);
CGP_Form* GP_FormOf(CGP_Control* control);
int GP_PositionOf(CGP_Form* form, CGP_Control* control);
std::uint32_t GP_KindOf(const CGP_Control* control);
// Starts editing a text entry; with clear, the edit buffer is emptied.
void GP_StartEditing(CGP_TextInput& entry, bool clear);
// Copies an editing entry's text to its target (at most 11 characters, always terminated) and stops editing.
void GP_CommitEntry(CGP_TextInput& entry);
// The text of a label (kinds 5, 22, 23) becomes text and is redrawn; other kinds are left alone.
void GP_SetLabelText(CGP_Control* control, const std::string& text);
