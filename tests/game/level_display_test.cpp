// The level display on a headless screen: its elements where the layout puts them, refreshed without being made
// again, and drawn from the play values: the counters' digits, the pictures, the selected weapon's charges and
// the indicator, the slow-motion icon's last-second blink and the centre message's time.
#include <memory>

#include "BehaviourWorld.h"
#include "GP_Display.h"
#include "GP_GraphServer.h"
#include "GP_IOManager.h"
#include "GP_LevelDisplay.h"
#include "GP_MouseCursor.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"

namespace behaviourtest {
namespace {

constexpr std::uint16_t TextGroup = 5, PictureGroup = 12;
constexpr std::uint32_t WeaponPickup = 0x20013;
constexpr std::uint16_t DigitColour = 0x0841;  // digit d is drawn in DigitColour * (d + 1)
constexpr std::uint16_t IconColour = 0xFFFF;   // the icons' sprites have no picture: white boxes

class Frame : public CGP_InterfaceHost {
public:
    Frame() : CGP_InterfaceHost(nullptr) {}
    void* GetVariable(std::uint32_t id) override
    {
        if (id == CGP_LevelDisplay::ScoreVariable) return &score;
        if (id == CGP_LevelDisplay::SpareCounterVariable) return &spare;
        return nullptr;
    }
    std::int32_t score = 0;
    std::int32_t spare = 0;
};

class LevelDisplay : public World {
protected:
    LevelDisplay()
    {
        display = std::make_unique<CGP_Display>();
        EXPECT_EQ(display->Init(), GP_DisplayOk);
        EXPECT_EQ(display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(display.get());
        AddNames(TextGroup, CGP_TextServer::TextKind, 0x41);
        AddNames(PictureGroup, CGP_GraphServer::PictureKind, 0x22);
        io = std::make_unique<CGP_IOManager>(nullptr, nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
        host.servers = servers.get();
        Text(CGP_LevelDisplay::TopRightText, "STAGE");
        for (std::uint32_t mission = 0; mission < 3; ++mission)
            Text(CGP_LevelDisplay::FirstMissionText + mission, "MISSION " + std::to_string(mission + 1));
        Picture(CGP_LevelDisplay::ReservePanelImage, 162, 57, {0x1000});
        Picture(CGP_LevelDisplay::LivesImage, 39, 33, {0x2000});
        Picture(CGP_LevelDisplay::BottomLeftImage, 16, 10, {0x3000});
        Picture(CGP_LevelDisplay::SlowMotionImage, 29, 29, {0x4000});
        std::vector<std::uint16_t> indicator;
        for (int k = 0; k < 9; ++k) indicator.push_back(static_cast<std::uint16_t>(0x5000 + k));
        Picture(CGP_LevelDisplay::WeaponIndicatorImage, 34, 34, indicator);
        std::vector<std::uint16_t> digits;
        for (int d = 0; d < 10; ++d) digits.push_back(static_cast<std::uint16_t>(DigitColour * (d + 1)));
        Picture(CGP_LevelDisplay::DigitStrip, 14, 17, digits);
        for (int i = 0; i < CGP_LevelDisplay::WeaponIcons; ++i) {
            GP_SpriteRecord icon = Sprite(WeaponPickup, 0x30010, 20, 20);
            icon.states[1].frameCount = 4;
            icon.states[1].animRate = 0.01f;
            Define(CGP_LevelDisplay::FirstWeaponIcon + static_cast<std::uint32_t>(i), icon);
        }
        sources.servers = servers.get();
        sources.cursor = &cursor;
        sources.play = &host;
        sources.stageNumber = &stage;
        sources.lives = &lives;
    }
    ~LevelDisplay() override { GP_DisplayPtr = nullptr; }

    void AddNames(std::uint16_t group, std::uint32_t kind, int count)
    {
        names.GetGroup(group)->resourceKind = kind;
        for (int i = static_cast<int>(names.GetGroup(group)->GetCount()); i < count; ++i)
            names.AddName(("N" + std::to_string(group) + "_" + std::to_string(i)).c_str(), group, 0);
    }
    void Text(std::uint32_t id, const std::string& text)
    {
        auto copy = std::make_unique<char[]>(text.size() + 1);
        std::copy(text.c_str(), text.c_str() + text.size() + 1, copy.get());
        servers->text->slots.at(names.GetIndex(id)) = std::move(copy);
    }
    // A picture of frames side by side, each of one colour.
    void Picture(std::uint32_t id, int width, int height, const std::vector<std::uint16_t>& frames)
    {
        auto surface = std::make_unique<CGP_Surface>();
        ASSERT_EQ(surface->Create(display.get(), GP_SurfaceSystem, width * static_cast<int>(frames.size()), height),
                  GP_SurfaceOk);
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const int left = width * static_cast<int>(f);
            surface->FillRect(left, 0, left + width, height, frames[f]);
        }
        GP_GraphSlot& slot = servers->graphics->slots.at(names.GetIndex(id));
        slot.id = id;
        slot.surface = std::move(surface);
    }
    std::uint16_t PixelAt(int x, int y) const
    {
        CGP_Surface& back = *display->backSurface;
        back.Lock();
        const std::uint16_t p = back.PixelRow(y)[x];
        back.Unlock();
        return p;
    }
    void DrawOnBlack(float elapsed, bool paused = false)
    {
        display->backSurface->Clear(0);
        hud.Draw(elapsed, play, paused);
    }
    static std::uint16_t Digit(int d) { return static_cast<std::uint16_t>(DigitColour * (d + 1)); }

    std::unique_ptr<CGP_Display> display;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
    Frame frame;
    CGP_MouseCursor cursor{&frame, nullptr, nullptr};
    std::int32_t stage = 1;
    std::int32_t lives = 0;
    GP_LevelDisplaySources sources;
    CGP_LevelDisplay hud;
    GP_PlayState& play = host.PlayState();
};

struct Placed {
    const char* name;
    CGP_Element* element;
    float x, y;
    int width, height;
};

void ExpectPlaces(const std::vector<Placed>& places)
{
    for (const Placed& p : places) {
        SCOPED_TRACE(p.name);
        ASSERT_NE(p.element, nullptr);
        const GP_ObjectBlock& block = *p.element->Block<GP_ObjectBlock>();
        EXPECT_EQ(block.x, p.x);
        EXPECT_EQ(block.y, p.y);
        EXPECT_EQ(block.width, p.width);
        EXPECT_EQ(block.height, p.height);
    }
}

TEST_F(LevelDisplay, TheFirstBuildMakesEveryElementInItsPlace)
{
    hud.Build(sources);
    ExpectPlaces({
        {"top-right caption", hud.topRightCaption.get(), 481, 23, 110, 16},
        {"mission caption", hud.missionCaption.get(), 520, 8, 110, 16},
        {"message label", hud.messageLabel.get(), 0, -16, 640, 16},
        {"ten-digit counter", hud.scoreCounter.get(), 285, 10, 0, 0},
        {"stage counter", hud.stageCounter.get(), 601, 25, 28, 17},
        {"lives counter", hud.livesCounter.get(), 242, 10, 42, 17},
        {"reserve panel", hud.reservePanel.get(), 10, 10, 162, 57},
        {"lives picture", hud.livesPicture.get(), 200, 0, 39, 33},
        {"weapon indicator", hud.weaponIndicator.get(), 14, 29, 34, 34},
        {"bottom-left picture", hud.bottomLeftPicture.get(), 10, 460, 16, 10},
        {"slow-motion icon", hud.slowMotionIcon.get(), 600, 440, 29, 29},
        {"bottom-right counter", hud.spareCounter.get(), 600, 460, 130, 0},
    });
    EXPECT_EQ(hud.topRightCaption->text, "STAGE");
    EXPECT_EQ(hud.missionCaption->text, "MISSION 1");
    EXPECT_EQ(hud.topRightCaption->Block<GP_LabelBlock>()->horizontalAlignment, 2);
    EXPECT_EQ(hud.topRightCaption->Block<GP_LabelBlock>()->verticalAlignment, 1);
    EXPECT_EQ(hud.messageLabel->Block<GP_LabelBlock>()->horizontalAlignment, 1);
    EXPECT_EQ(hud.messageLabel->Block<GP_LabelBlock>()->textID, GP_NoID);
    EXPECT_EQ(hud.messageLabel->Block<GP_LabelBlock>()->fontID, CGP_LevelDisplay::HudFont);
    EXPECT_EQ(hud.scoreCounter->value, &frame.score);
    EXPECT_EQ(hud.spareCounter->value, &frame.spare);
    EXPECT_EQ(hud.stageCounter->value, &stage);
    EXPECT_EQ(hud.livesCounter->value, &lives);
    EXPECT_EQ(*hud.scoreCounter->GetPlaces(), 10);
    EXPECT_EQ(*hud.livesCounter->GetPlaces(), 3);
    EXPECT_EQ(*hud.weaponIndicator->GetFrameCount(), 9);
    EXPECT_EQ(hud.weaponIndicator->frameIndex, -1);
    EXPECT_EQ(*hud.bottomLeftPicture->GetUseColorKey(), 0u);
    EXPECT_EQ(*hud.reservePanel->GetUseColorKey(), 1u);
    EXPECT_FALSE(hud.slowMotionIcon->visible);
    for (int i = 0; i < CGP_LevelDisplay::WeaponIcons; ++i) {
        SCOPED_TRACE(i);
        CGP_GameObject* icon = hud.weaponIcons[i].get();
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(*icon->spriteID, CGP_LevelDisplay::FirstWeaponIcon + i);
        EXPECT_EQ(icon->behaviour, host.table.Get(WeaponPickup & 0xFFFF));
        EXPECT_EQ(icon->state, 1) << "settled by its first update";
        EXPECT_EQ(*icon->y, 18.0f);
        EXPECT_EQ(*icon->vx + *icon->vy, 0.0f);
        EXPECT_TRUE(icon->visible);
    }
}

TEST_F(LevelDisplay, ALaterBuildMakesNothingNewAndPutsTheChangingValuesBack)
{
    hud.Build(sources);
    const CGP_Label* caption = hud.missionCaption.get();
    const CGP_GameObject* icon = hud.weaponIcons[4].get();
    hud.livesCounter->Block<GP_ObjectBlock>()->x = 5;
    hud.livesPicture->Block<GP_ObjectBlock>()->x = 7;
    hud.ShowSlowMotionIcon();
    hud.SelectWeapon(3);
    sources.missionIndex = 2;
    hud.Build(sources);
    EXPECT_EQ(hud.missionCaption.get(), caption);
    EXPECT_EQ(hud.weaponIcons[4].get(), icon);
    EXPECT_EQ(hud.missionCaption->text, "MISSION 3");
    EXPECT_EQ(hud.livesCounter->Block<GP_ObjectBlock>()->x, 242.0f);
    EXPECT_EQ(hud.livesPicture->Block<GP_ObjectBlock>()->x, 200.0f);
    EXPECT_FALSE(hud.slowMotionIcon->visible);
    EXPECT_EQ(hud.weaponIndicator->frameIndex, 3) << "only a new indicator starts without selection";
}

TEST_F(LevelDisplay, ItDrawsTheCountersPicturesAndTheSelectedWeaponsCharges)
{
    hud.Build(sources);
    frame.score = 1234;
    stage = 2;
    lives = 3;
    play.ReserveShown = 1;
    play.WeaponCounts[1] = 2;
    hud.SelectWeapon(1);
    DrawOnBlack(20);

    EXPECT_EQ(PixelAt(286, 11), Digit(1));
    EXPECT_EQ(PixelAt(300, 11), Digit(2));
    EXPECT_EQ(PixelAt(328, 26), Digit(4));
    EXPECT_EQ(PixelAt(602, 26), Digit(2)) << "the stage, its leading zero left out";
    EXPECT_EQ(PixelAt(243, 11), Digit(3)) << "the lives";
    EXPECT_EQ(PixelAt(210, 5), 0x2000);
    EXPECT_EQ(PixelAt(12, 462), 0x3000);
    EXPECT_EQ(PixelAt(60, 25), IconColour) << "first charge";
    EXPECT_EQ(PixelAt(90, 25), IconColour) << "second charge, 30.5 pixels on";
    EXPECT_EQ(PixelAt(120, 25), 0x1000) << "no third charge: the reserve panel";
    EXPECT_EQ(PixelAt(20, 40), 0x5001) << "the indicator's frame of weapon 1";
    EXPECT_EQ(PixelAt(610, 450), 0) << "no slow motion";

    play.ReserveShown = 0;
    hud.SetWeaponIndicator(-1);
    DrawOnBlack(20);
    EXPECT_EQ(PixelAt(60, 25), 0);
    EXPECT_EQ(PixelAt(286, 11), Digit(1));
}

TEST_F(LevelDisplay, TheSelectedIconAnimatesOnlyAtFullChargeAndAWeaponWithoutIconDrawsNone)
{
    hud.Build(sources);
    play.ReserveShown = 1;
    hud.SelectWeapon(2);
    play.WeaponCounts[2] = 4;
    DrawOnBlack(150);
    EXPECT_GT(hud.weaponIcons[2]->frameIndex, 0);
    EXPECT_EQ(PixelAt(146, 25), IconColour) << "four charges";
    play.WeaponCounts[2] = 3;
    DrawOnBlack(150);
    EXPECT_EQ(hud.weaponIcons[2]->frameIndex, 0);

    hud.weaponIcons[2]->frameIndex = 2;
    hud.weaponIcons[2]->stateBlock->animPos = 2;
    hud.reservePanel->Block<GP_ObjectBlock>()->x = 300;
    hud.ResetWeaponDisplay();
    EXPECT_EQ(hud.weaponIcons[2]->frameIndex, 0);
    EXPECT_EQ(hud.weaponIcons[2]->stateBlock->animPos, 0.0f);
    EXPECT_EQ(hud.weaponIndicator->frameIndex, -1);
    EXPECT_EQ(hud.reservePanel->Block<GP_ObjectBlock>()->x, 10.0f);  // the boss-start reset's two elements
    EXPECT_EQ(*hud.weaponIcons[2]->x, 52.0f);

    hud.SelectWeapon(9);  // the tenth weapon has neither icon nor indicator frame
    play.WeaponCounts[9] = 4;
    hud.RewindWeaponIcon(9);
    DrawOnBlack(20);
    EXPECT_EQ(PixelAt(60, 25), 0x1000);
    EXPECT_EQ(PixelAt(20, 40), 0x1000);
}

TEST_F(LevelDisplay, TheSlowMotionIconBlinksOnlyInTheBonussLastSecond)
{
    hud.Build(sources);
    hud.ShowSlowMotionIcon();
    play.SlowMotion = 1;
    play.SlowMotionTime = 5000;
    for (int i = 0; i < 10; ++i) DrawOnBlack(50);
    EXPECT_EQ(PixelAt(610, 450), 0x4000);

    play.SlowMotionTime = 900;
    std::vector<int> hiddenAfter;
    for (int i = 1; i <= 10; ++i) {
        DrawOnBlack(50);
        if (PixelAt(610, 450) == 0) hiddenAfter.push_back(i);
    }
    EXPECT_EQ(hiddenAfter, (std::vector<int>{5, 6, 7, 8, 9})) << "a blink every 200 ms";
}

TEST_F(LevelDisplay, TheMessageTimeRunsDownOnlyWhileTheLevelGoesOn)
{
    hud.Build(sources);
    hud.ShowMessage(CGP_LevelDisplay::TopRightText, 100);
    EXPECT_EQ(hud.messageLabel->text, "STAGE");
    EXPECT_EQ(hud.messageLabel->Block<GP_ObjectBlock>()->y, 100.0f);
    struct Case {
        const char* when;
        bool paused;
        bool gameOver;
        bool complete;
        float left;
    };
    for (const Case& c : {Case{"playing", false, false, false, 3980}, Case{"paused", true, false, false, 4000},
                          Case{"game over", false, true, false, 4000}, Case{"complete", false, false, true, 4000}}) {
        SCOPED_TRACE(c.when);
        play.MessageTime = 4000;
        play.GameOver = c.gameOver;
        play.MissionComplete = c.complete;
        DrawOnBlack(20, c.paused);
        EXPECT_EQ(play.MessageTime, c.left);
    }
    hud.HideMessage();
    EXPECT_EQ(hud.messageLabel->Block<GP_ObjectBlock>()->y, -16.0f);
}

}  // namespace
}  // namespace behaviourtest
