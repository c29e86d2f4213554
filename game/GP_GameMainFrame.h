// The main frame: the one object that holds the running game. It is the main window, owns the engine servers,
// the display, sound, music, input devices, the interface forms and the frame timer, and keeps the user's
// settings in the registry.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "GP_AccountDialog.h"
#include "GP_BehaviourHost.h"
#include "GP_BehaviourTable.h"
#include "GP_InterfaceHost.h"
#include "GP_LevelDisplay.h"
#include "GP_MenuLibraryExports.h"
#include "GP_MouseCursor.h"
#include "GP_Registry.h"
#include "GP_Surface.h"
#include "platform/shell_tray.h"

class CGP_Actions;
class CGP_AppBase;
class CGP_Display;
class CGP_DirectInput;
class CGP_DirectMusic;
class CGP_DirectSound;
class CGP_FontCache;
class CGP_Form;
class CGP_GameTimer;
class CGP_IDList;
class CGP_IOManager;
class CGP_Label;
struct CampaignRecord;
class CGP_Music;
class CGP_NameServer;
class CGP_ObjectList;
class CGP_Players;
class CGP_Scene;
class CGP_ServerSet;
class CGP_SoundPlayer;
class CGP_SpriteManager;
class CGP_TopList;

// An object list in drawing order: the dense index of its kind-11 name and the list.
struct GP_DrawOrderEntry {
    std::int32_t index = 0;
    CGP_ObjectList* list = nullptr;
};

// The main frame is also the host of the level's play: its object lists, sprites and behaviours.
class CGP_GameMainFrame : public CGP_InterfaceHost, public CGP_BehaviourHost {
public:
    explicit CGP_GameMainFrame(CGP_AppBase* application);
    ~CGP_GameMainFrame() override;

    // Passes the time on to the current form.
    virtual void UpdateForm(float elapsed);
    // Draws the current form when the game is active.
    virtual void DrawForm(bool active);

    void ReadSettings();
    void WriteSettings();
    // 0, the display's own failure code, or GP_ErrDisplaySetUp.
    int InitDisplay();
    bool InitSound();
    void CreateTimer();
    // Game keys 4 to 13 take the keys 3 to 9, 0, V and E; no game key is pressed.
    void ResetExtraKeys();
    // Loads what the interface needs once the window and the display exist: the interface pack with its checks,
    // the engine servers, the game variables and the keys. Throws the fatal exception of a missing, damaged or
    // mismatched interface pack.
    void Init();
    // Opens the interface pack at path, loads its name table into names and checks it against its trailer; the
    // open stream, or the fatal exception that ends the game.
    std::FILE* OpenInterfacePack(const std::string& path);

    // The campaign list: every accepted "*.tdf" of the RESOURCE folder; throws when none is.
    void LoadCampaigns();
    // The mission lists of the active pack, one per kind-15 name; GetIDList gives the list of an index (low 16
    // bits), null past them.
    void LoadIDLists();
    CGP_IDList* GetIDList(std::uint32_t index);
    // The level's object lists, one per kind-11 name, their ID groups and their drawing order, from the active
    // pack's layer resource; throws the campaign's fatal exception when that resource is missing or damaged.
    void LoadLevelLists();

    // Makes the form current: the old form's leave handler, an optional fade out, the new form's enter handler,
    // its hint, an optional fade in. 0xA0000 with a campaign open is the form of the missions done so far. A form
    // the active pack does not name is refused (logged) and the current form stays.
    void ShowForm(std::uint32_t formID, bool fadeOut, bool fadeIn);
    std::unique_ptr<CGP_Form> LoadForm(std::uint32_t formID);
    // One empty slot per kind-8 name of the active pack; the current form is the caller's to set.
    void ResetForms();
    void ReleaseFormSurfaces();
    // The graphics server's pictures go (the fonts' too when asked); the background picture, one of them, is
    // forgotten with them.
    void FreeServerSurfaces(bool withFonts);
    // After the graphics server was reset or the display restored: fonts, background, cursor and forms.
    void ReloadImages();

    // Starts the music piece of the name ID, over and over, when music is on and its device works; a device that
    // cannot be set up again turns music off for the run.
    void PlayMusic(std::uint32_t nameId);

    // The player profiles and the top list in the start-up folder: a missing or damaged file gives the defaults,
    // a save replaces the file whole or not at all.
    void LoadPlayers();
    void SavePlayers();
    void LoadTopList();
    void SaveTopList();
    // Reads the stored e-mail address; asks for it when ask is set or nothing was stored or declined before.
    void PromptEMail(bool ask);

    // Hides the game behind its tray icon; whether the icon could be added.
    bool HideToTray();

    // The frame timer's callback: the interface step in state 0, the play step in state 1, then the frame is
    // shown. Nothing happens while the game is inactive or closing.
    void FrameTick(bool active, float elapsed);
    // One interface frame: the menu-library session or the start-up screen, the current form, the requests the
    // form handlers left, and the start of a level a handler asked for.
    void InterfaceStep(float elapsed);
    // One frame of the level in play.
    virtual void PlayStep(float elapsed);
    // The campaign switches, the return into a suspended level and the start of a stage, as the frame tick
    // carries out the handlers' requests.
    virtual void EnterCampaign();
    virtual void LeaveCampaign();
    virtual void ResumeLevel();
    virtual void StartStage(std::uint32_t stageID);
    // The behaviour table of the active pack: one instance per behaviour ID.
    void CreateBehaviours();
    // A stage is over or the level is left: the scene, the sounds, the objects and the sprite definitions go.
    void EndStage();
    // The sound listener and the pointer no longer follow the player's ship.
    void DetachPlay();
    // The last ship is lost: the message, the top list on the player's frontier mission and the log line.
    void GameOver() override;
    // The mission's last stage is done: the player's progress, the top list when the campaign is finished, the
    // players file and the log line.
    void EndMission();
    // Records typed keys and the game keys, pauses, opens the in-game menu, suspends the level for help or
    // options, hides to the tray, quits, and takes the player out of a finished level.
    void OnKeyDown(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers, std::uint8_t extended) override;
    // The level display: made on the first call, its pictures and texts reloaded from the current data after.
    void BuildLevelHud();
    // The centre message: the text of the ID with its top at y.
    void ShowMessage(std::uint32_t textID, float y) override;
    // The text of the ID centred on the screen, for 4000 ms.
    void ShowCentreMessage(std::uint32_t textID);
    // The centre message moves out of sight.
    void HideMessage();

    void OnKeyUp(CGP_Window* sender, std::uint32_t key, std::uint32_t modifiers) override;
    void OnMouseMove(CGP_Window* sender, std::uint32_t buttons, int x, int y) override;
    // At the end of a level or on the final form a press is the Escape key.
    void OnMouseDown(CGP_Window* sender, WPARAM buttons, int x, int y) override;
    void OnMouseUp(CGP_Window* sender, WPARAM buttons, int x, int y) override;
    // Losing the focus or being minimised stops the game's time and pauses the level until it comes back.
    void OnActivate(CGP_Window* sender) override;
    void OnDeactivate(CGP_Window* sender) override;

    // The play host.
    CGP_ServerSet* GetServers() override { return servers.get(); }
    CGP_SpriteManager* GetSpriteManager() override { return sprites; }
    CGP_ObjectList* GetObjectList(std::uint16_t kindIndex) override;
    CGP_Behaviour* GetBehaviour(std::uint16_t behaviourIndex) override { return behaviours.Get(behaviourIndex); }
    void SetPlayer(CGP_GameObject* player) override;
    CGP_Scene* GetScene() override { return scene.get(); }
    bool IsIdInList(std::uint16_t listIndex, std::uint32_t id) override;
    void PlaySound(CGP_GameObject* object, std::uint32_t soundID, bool looping, bool positioned, bool follow) override;
    void ResetWeaponDisplay() override { levelDisplay->ResetWeaponDisplay(); }
    void SelectWeapon(std::int32_t index) override { levelDisplay->SelectWeapon(index); }
    void SetWeaponIndicator(std::int32_t selection) override { levelDisplay->SetWeaponIndicator(selection); }
    std::int32_t GetSelectedWeapon() override { return levelDisplay->GetSelectedWeapon(); }
    void RewindWeaponIcon(std::int32_t index) override { levelDisplay->RewindWeaponIcon(index); }
    void ShowSlowMotionIcon() override { levelDisplay->ShowSlowMotionIcon(); }
    void SetSoundListener(CGP_GameObject* object) override;
    CGP_Behaviour* GetDefaultBehaviour() override { return behaviours.Default(); }

    std::int32_t GetLives() const override;
    bool IsLevelSuspended() const override;
    CGP_SoundPlayer* GetSoundPlayer() override { return soundPlayer.get(); }
    CGP_FontCache* GetFontCache() override { return fonts.get(); }

    // The game variables: one address per kind-13 name, at least 116 (GP_VariableCount).
    void BindVariables();
    void BindMenuVariables();
    void* GetVariable(std::uint32_t id) override;

    std::unique_ptr<CGP_IOManager> ioManager;
    std::unique_ptr<CGP_SoundPlayer> soundPlayer;
    std::unique_ptr<CGP_MouseCursor> mouseCursor;
    std::unique_ptr<CGP_Music> music;
    std::unique_ptr<CGP_DirectMusic> directMusic;
    std::unique_ptr<CGP_NameServer> names;
    std::unique_ptr<CGP_ServerSet> servers;
    CGP_ActionLookup* actions = nullptr;       // the action table
    std::unique_ptr<CGP_Actions> actionTable;  // the game's own, made by Init and held by actions
    CGP_SpriteManager* sprites = nullptr;
    std::unique_ptr<CGP_FontCache> fonts;
    std::unique_ptr<CGP_Scene> scene;  // the stage in play; null between stages
    std::unique_ptr<CGP_Players> players;
    std::unique_ptr<CGP_TopList> topList;
    GP_OnlineAccount account;  // the hall-of-fame account: its e-mail address and whether one is known
    std::uint32_t state = 0;   // 0 interface, 1 level in play
    std::unique_ptr<CGP_DirectInput> directInput;
    std::unique_ptr<CGP_GameTimer> frameTimer;
    std::unique_ptr<CGP_Display> display;
    std::unique_ptr<CGP_DirectSound> directSound;
    std::uint8_t bitsPerPixel = 16;
    std::uint32_t windowed = 0;  // the game always runs full screen
    // The colour key handed to the graphics server with the interface background.
    std::unique_ptr<GP_ColorKeyRecord> backgroundColorKey;
    std::vector<std::unique_ptr<CGP_Form>> forms;  // one slot per kind-8 name, loaded on first show
    // Forms dropped by ResetForms while a handler of theirs may still be running; freed after the frame's step.
    std::vector<std::unique_ptr<CGP_Form>> formGraveyard;
    CGP_Form* currentForm = nullptr;
    std::vector<void*> variables;
    std::vector<std::unique_ptr<CGP_IDList>> idLists;
    std::vector<std::unique_ptr<CGP_ObjectList>> objectLists;  // by the dense index of their kind-11 name
    std::vector<std::vector<std::uint32_t>> IDGroups;          // the IDs of each object list's group
    std::vector<GP_DrawOrderEntry> drawOrder;
    NOTIFYICONDATAA trayIcon{};
    std::unique_ptr<CGP_Registry> settingsKey;

    CGP_Surface* backgroundSurface = nullptr;  // the interface background, image 0xF0026
    // A panel picture built by the handlers, drawn at its position below or above the form.
    std::unique_ptr<CGP_Surface> OverlayPicture;
    // A picture shown as the overlay without being owned (the current campaign's); the owned one goes first.
    CGP_Surface* borrowedOverlay = nullptr;
    CGP_Surface* ShownOverlay() const { return OverlayPicture ? OverlayPicture.get() : borrowedOverlay; }
    // No overlay: an owned picture is deleted, a borrowed one only forgotten.
    void ClearOverlay()
    {
        OverlayPicture.reset();
        borrowedOverlay = nullptr;
    }
    // The picture the menu library's session draws into, made by the first session.
    std::unique_ptr<CGP_Surface> menuSessionSurface;
    std::int32_t overlayX = 0;
    std::int32_t overlayY = 0;
    CGP_IDList* stageList = nullptr;  // the stages of the mission in play
    CGP_BehaviourTable behaviours;
    std::unique_ptr<CGP_SpriteManager> spriteManager;  // sprites points to it
    std::unique_ptr<CGP_LevelDisplay> levelDisplay = std::make_unique<CGP_LevelDisplay>();
    // Where each button was last pressed and released (0 left, 1 right).
    GP_CursorPoint pressedAt[2];
    GP_CursorPoint releasedAt[2];

    // The frame rate is drawn in every frame, not only in the hidden mode (VEL_SHOW_FPS=1, as `make play` runs).
    bool showFrameRate = false;
    // Cleared when the run was cut short: the destructor then frees everything but writes nothing back.
    bool writeOnExit = true;

    // Level and interface values.
    std::int32_t unusedCounter = 0;  // game variable 8, kept at 0
    std::uint8_t unusedFlag = 1;     // game variable 2, read by nothing
    std::uint8_t zeroFlag = 0;       // game variable 115, stays 0

private:
    // Draws the library's frame into the session surface and copies its update rectangles to the back buffer.
    void MenuSessionStep();
    // The start-up screen's time is out: the main menu replaces it.
    void EndStartupScreen();
    // True when a suspended level was resumed, which ends the interface step.
    bool ServeEnterCampaign();
    void ServeLeaveCampaign();
    // A handler started play in this frame: the first stage of the mission and its music.
    void StartLevel(float elapsed);
    // The play step's parts: the objects' updates and the random enemy shot, the drawing, and the wait of a
    // cleared stage before the next stage or the end of the mission.
    void UpdatePlay(float elapsed);
    void FireRandomEnemy();
    void DrawPlay(float elapsed);
    void CheckStageEnd(float elapsed);
    // Escape after the mission was completed or lost: the results posted when asked, then back to the forms.
    void EndLevel();
    // The player's progress record of the running campaign, null when the profile has none.
    CampaignRecord* CurrentProgress();
    void CloseDataFiles();
    // Gives the desktop back before a fatal exception about the data.
    void LeaveFullScreen();
    // A language that no setting gave is the system's; any but the four of the game is English.
    void ResolveLanguage();
    void ReadSlotSelected();
    void LoadCampaign(const std::string& folder, const std::string& fileName);
    // Gives the desktop back and ends the game with the campaign's fatal error for a pack that cannot be read.
    [[noreturn]] void FailCorruptedCampaign(const char* path);
};

// The interface pack, open for the whole run, and the campaign pack beside it (null while none is open).
extern std::FILE* GP_InterfacePackStream;
extern std::FILE* GP_CampaignPackStream;
// Set while the interface pack's name table is the active one.
extern std::uint8_t GP_InterfacePackActive;

// The main frame of the run; null before it is made and after it is gone.
extern CGP_GameMainFrame* GP_MainFrame;

// The restore handler of the overlay picture (data: the main frame): once the display is back in its mode, the
// overlay again holds the background behind it darkened by half; a display that lost its mode pauses the game.
void GP_RestoreOverlayPicture(CGP_Surface* surface, void* mainFrame);

// A rectangle the menu library asks to update, cut to the 640 x 480 screen; an empty one (right <= left or
// bottom <= top) copies nothing.
TA_UpdateRect GP_ClipUpdateRect(const TA_UpdateRect& rect);

constexpr std::size_t GP_VariableCount = 116;
constexpr std::uint32_t GP_LevelListKind = 11;  // the names of the level's object lists
constexpr std::uint32_t GP_MainMenuForm = 0xA0000;
constexpr std::uint32_t GP_StartupForm = 0xA0005;
constexpr std::uint32_t GP_BackgroundImage = 0xF0026;

// The form to show for formID: with a campaign open, the main menu is the form of the missions done so far
// (0x9FFFF + the smaller of MissionsDone and the campaign's mission count, never below 0xA0000).
std::uint32_t GP_MissionFormID(std::uint32_t formID);
constexpr std::uint32_t GP_TitleMusic = 0x190000;  // then 0x190001 + the mission
constexpr const char* GP_SettingsPath = "Software\\Morvadel\\Velmorine\\";
