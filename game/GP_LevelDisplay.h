// The level display: the elements drawn over a level in play. The captions, the counters of score, stage and
// reserve ships, the pictures of the lives and of the selected special weapon with its charges, the nine weapon
// icons, the slow-motion icon and the centre-message label. Built once and refreshed at every level and stage
// start from the data then loaded; the play step draws it every frame.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "GP_GameObject.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"

class CGP_ActionLookup;
class CGP_FontCache;
class CGP_MouseCursor;
class CGP_PlayHost;
class CGP_ServerSet;
struct GP_PlayState;

// What the level display takes from the main frame when it builds or refreshes its elements.
struct GP_LevelDisplaySources {
    CGP_ServerSet* servers = nullptr;  // of the data loaded now
    CGP_FontCache* fonts = nullptr;
    CGP_MouseCursor* cursor = nullptr;  // owns the labels and counters, and finds their game variables
    CGP_ActionLookup* actions = nullptr;
    CGP_PlayHost* play = nullptr;  // the sprite manager and the behaviours of the weapon icons
    std::uint32_t missionIndex = 0;
    std::int32_t* stageNumber = nullptr;
    std::int32_t* lives = nullptr;
};

class CGP_LevelDisplay {
public:
    static constexpr int WeaponIcons = 9;
    static constexpr std::uint32_t FirstWeaponIcon = 0x1B0000;
    static constexpr std::uint32_t HudFont = 0x160000;
    static constexpr std::uint32_t DigitStrip = 0xC0021;
    static constexpr std::uint32_t TopRightText = 0x50032, FirstMissionText = 0x50034;
    static constexpr std::uint32_t ScoreVariable = 0x17000C, SpareCounterVariable = 0x170008;
    static constexpr std::uint32_t LivesImage = 0xC0000, BottomLeftImage = 0xC0009, SlowMotionImage = 0xC0010,
                                   ReservePanelImage = 0xC001A, WeaponIndicatorImage = 0xC001C;
    static constexpr float IconsX = 54.0f, IconStep = 30.5f, IconsY = 18.0f;
    static constexpr float LivesPictureX = 200.0f, LivesCounterX = 242.0f;
    // Where the boss-start reset puts the reserve panel and the selected weapon's icon back.
    static constexpr float ReservePanelX = 10.0f, ResetIconX = 52.0f;
    static constexpr float SlowMotionBlink = 200.0f;  // milliseconds per blink in the bonus's last second
    static constexpr float SlowMotionWarning = 1000.0f;
    static constexpr int NoSelection = -1;

    CGP_LevelDisplay();
    ~CGP_LevelDisplay();

    // Creates the elements the display does not have yet and reloads the others from the sources' servers;
    // the mission caption, the lives picture and counter and the slow-motion icon are set again.
    void Build(const GP_LevelDisplaySources& sources);
    // The display over the drawn level: the weapon panel with the selected weapon's charges while the reserve
    // is shown, the counters and captions, the blinking slow-motion icon and the centre message, whose time
    // runs down unless the level is paused or over.
    void Draw(float elapsed, GP_PlayState& play, bool paused);

    // The centre message shows the text of the ID with its top at y; HideMessage moves it above the screen.
    void ShowMessage(std::uint32_t textID, float y);
    void HideMessage();
    // The weapon becomes the selected one and the indicator's.
    void SelectWeapon(std::int32_t weapon);
    void SetWeaponIndicator(std::int32_t selection);
    std::int32_t GetSelectedWeapon() const { return selectedWeapon; }
    // The icon back at its first frame; nothing for an index without icon.
    void RewindWeaponIcon(std::int32_t index);
    // A boss fight starts: the selected icon at its first frame and at x 52, the reserve panel back at x 10, no
    // weapon shown by the indicator.
    void ResetWeaponDisplay();
    void ShowSlowMotionIcon();

    std::unique_ptr<CGP_Label> topRightCaption;
    std::unique_ptr<CGP_Label> missionCaption;
    std::unique_ptr<CGP_Label> messageLabel;
    std::unique_ptr<CGP_ImageControl> scoreCounter;
    std::unique_ptr<CGP_ImageControl> stageCounter;
    std::unique_ptr<CGP_ImageControl> livesCounter;
    std::unique_ptr<CGP_Element> reservePanel;
    std::array<std::unique_ptr<CGP_GameObject>, WeaponIcons> weaponIcons;
    std::unique_ptr<CGP_Element> livesPicture;
    std::unique_ptr<CGP_Element> weaponIndicator;  // its frame is the selection, -1 none
    std::unique_ptr<CGP_Element> bottomLeftPicture;
    std::unique_ptr<CGP_Element> slowMotionIcon;
    std::unique_ptr<CGP_ImageControl> spareCounter;  // built, never drawn
    std::int32_t selectedWeapon = 0;
    float slowMotionBlinkTime = 0;

private:
    struct LabelLook {
        float x, y;
        int width, height;
        std::int32_t horizontal, vertical;
    };
    struct CounterLook {
        float x, y;
        int width, height;
        std::int32_t places;
        std::uint32_t variable;
    };
    struct PictureLook {
        float x, y;
        int width, height;
        std::uint32_t image;
        std::int32_t frames;
        bool colorKey;
    };
    void BuildLabel(std::unique_ptr<CGP_Label>& label, const LabelLook& look, std::uint32_t textID,
                    const GP_LevelDisplaySources& sources);
    void BuildCounter(std::unique_ptr<CGP_ImageControl>& counter, const CounterLook& look,
                      const GP_LevelDisplaySources& sources);
    static void BuildPicture(std::unique_ptr<CGP_Element>& picture, const PictureLook& look,
                             const GP_LevelDisplaySources& sources);
    static void BuildWeaponIcon(std::unique_ptr<CGP_GameObject>& icon, std::uint32_t spriteID,
                                const GP_LevelDisplaySources& sources);
    void DrawWeaponPanel(float elapsed, const GP_PlayState& play);
    void DrawSlowMotionIcon(float elapsed, const GP_PlayState& play);
    void DrawMessage(float elapsed, GP_PlayState& play, bool paused);
    CGP_GameObject* SelectedIcon() const;
};
