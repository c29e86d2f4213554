#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "GP_AppBase.h"
#include "GP_DirectMusic.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_GameMainFrame.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_MenuLibrary.h"
#include "GP_Music.h"
#include "GP_Surface.h"
#include "GP_Timer.h"
#include "StageLists.h"
#include "TempDir.h"
#include "platform/display_testing.h"
#include "platform/win32_time.h"

namespace {

// A main frame whose level and campaign work is recorded instead of done.
class RecordingFrame : public CGP_GameMainFrame {
public:
    using CGP_GameMainFrame::CGP_GameMainFrame;

    void PlayStep(float elapsed) override { calls.push_back("play " + std::to_string(static_cast<int>(elapsed))); }
    void EnterCampaign() override { calls.push_back("enter"); }
    void LeaveCampaign() override { calls.push_back("leave"); }
    void ResumeLevel() override
    {
        calls.push_back("resume");
        state = 1;
    }
    void StartStage(std::uint32_t stage) override { calls.push_back("stage " + std::to_string(stage)); }
    void OnKeyDown(CGP_Window*, std::uint32_t key, std::uint32_t, std::uint8_t) override
    {
        calls.push_back("key " + std::to_string(key));
    }

    std::vector<std::string> calls;
};

class FrameTickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        GP_State = GP_GameState{};
        GP_State.StartupTimerOn = false;
        GP_TransitionsEnabled = 0;
        frame = std::make_unique<RecordingFrame>(&app);
        frame->display = std::make_unique<CGP_Display>();
        ASSERT_EQ(frame->display->Init(), GP_DisplayOk);
        ASSERT_EQ(frame->display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(frame->display.get());
        frame->display->Present(1);
    }

    void TearDown() override
    {
        frame.reset();
        GP_DisplayPtr = nullptr;
        GP_State = GP_GameState{};
        GP_TransitionsEnabled = 1;
    }

    // Paints the back buffer and tells whether a tick showed it.
    bool TickPresents(bool active = true, float elapsed = 16)
    {
        CGP_Display& display = *frame->display;
        display.primarySurface->Clear(0);
        display.backSurface->Clear(0x1234);
        frame->FrameTick(active, elapsed);
        display.primarySurface->Lock();
        const bool shown = display.primarySurface->PixelRow(300)[300] == 0x1234;
        display.primarySurface->Unlock();
        return shown;
    }

    testsupport::TempDir folder;
    CGP_AppBase app;
    std::unique_ptr<RecordingFrame> frame;
};

TEST_F(FrameTickTest, AnInactiveOrClosingGameChangesNothingNotEvenItsTime)
{
    EXPECT_FALSE(TickPresents(false));
    app.quitting = 1;
    EXPECT_FALSE(TickPresents(true));
    EXPECT_EQ(GP_State.TotalTime, 0);
    app.quitting = 0;
    EXPECT_TRUE(TickPresents(true, 12));
    EXPECT_TRUE(TickPresents(true, 8));
    EXPECT_EQ(GP_State.TotalTime, 20);
}

TEST_F(FrameTickTest, PlayStartedInTheInterfaceStepStartsTheLevelAndIsNotPresentedUntilTheNextFrame)
{
    const auto stages = StageList({0x30004, 0x30005});
    frame->stageList = stages.get();
    GP_State.WeaponCounts[3] = 4;
    GP_State.GameOver = true;
    frame->TypedKeys[19] = 1;
    frame->state = 1;  // as a handler does during the form's update
    frame->InterfaceStep(16);
    EXPECT_EQ(frame->calls, (std::vector<std::string>{"stage " + std::to_string(0x30004)}));
    EXPECT_EQ(GP_State.StageNumber, 1u);
    EXPECT_EQ(GP_State.WeaponCounts[3], 0);
    EXPECT_FALSE(GP_State.GameOver);
    EXPECT_EQ(frame->TypedKeys[19], 0);

    frame->calls.clear();
    EXPECT_TRUE(TickPresents(true, 10));  // the play step runs and its frame is shown
    EXPECT_EQ(frame->calls, (std::vector<std::string>{"play 10"}));

    frame->state = 0;
    frame->stageList = nullptr;
    frame->calls.clear();
    GP_State.StageNumber = 0;
    frame->state = 1;
    frame->InterfaceStep(16);  // no mission to play: back to the interface
    EXPECT_EQ(frame->state, 0u);
    EXPECT_TRUE(frame->calls.empty());
    EXPECT_EQ(GP_State.StageNumber, 0u);
}

TEST_F(FrameTickTest, WhileTheResultsAreShownNothingIsPresented)
{
    GP_State.ResultsShown = true;
    EXPECT_FALSE(TickPresents());
    frame->state = 1;
    EXPECT_FALSE(TickPresents());
    GP_State.ResultsShown = false;
    EXPECT_TRUE(TickPresents());
}

TEST_F(FrameTickTest, EnteringACampaignWithASuspendedLevelResumesItWithoutStartingItAgain)
{
    const auto stages = StageList({0x30004});
    frame->stageList = stages.get();
    GP_State.RequestEnterCampaign = true;
    GP_State.LevelSuspended = true;
    EXPECT_FALSE(TickPresents());
    EXPECT_EQ(frame->calls, (std::vector<std::string>{"enter", "resume"}));
    EXPECT_FALSE(GP_State.RequestEnterCampaign);
    EXPECT_FALSE(GP_State.LevelSuspended);
    EXPECT_EQ(frame->state, 1u);
    EXPECT_EQ(frame->currentForm, nullptr);
}

TEST_F(FrameTickTest, EnteringOrLeavingACampaignServesTheRequestOnce)
{
    GP_State.RequestEnterCampaign = true;
    GP_State.RequestLeaveCampaign = true;
    EXPECT_TRUE(TickPresents());
    EXPECT_TRUE(TickPresents());
    EXPECT_EQ(frame->calls, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_FALSE(GP_State.RequestEnterCampaign);
    EXPECT_FALSE(GP_State.RequestLeaveCampaign);
    EXPECT_EQ(frame->state, 0u);
}

// An action table that knows only the end-screen action and counts its calls.
class EndScreenActions : public CGP_ActionLookup {
public:
    GP_ActionHandler GetHandler(std::uint32_t id) override { return id == 0x10000 + 51 ? &EndScreenDone : nullptr; }
    static bool EndScreenDone(CGP_ActionLookup& table, CGP_Control*)
    {
        ++static_cast<EndScreenActions&>(table).calls;
        return false;
    }
    int calls = 0;
};

TEST_F(FrameTickTest, TheStartUpScreenEndsWhenItsTimeRunsOut)
{
    GP_State.StartupTimerOn = true;
    GP_State.StartupTime = 30;
    frame->FrameTick(true, 20);
    EXPECT_TRUE(GP_State.StartupTimerOn);
    frame->FrameTick(true, 20);
    EXPECT_FALSE(GP_State.StartupTimerOn);
    EXPECT_EQ(frame->pointerX, 320);  // without an action table the main frame shows the main menu itself
    EXPECT_EQ(frame->pointerY, 240);

    EndScreenActions actions;
    frame->actions = &actions;
    frame->pointerX = 5;
    GP_State.StartupTimerOn = true;
    GP_State.StartupTime = 10;
    frame->FrameTick(true, 20);
    frame->FrameTick(true, 20);
    EXPECT_EQ(actions.calls, 1);  // the end-screen action does the switch, once
    EXPECT_EQ(frame->pointerX, 5);
    frame->actions = nullptr;
}

TEST_F(FrameTickTest, AMousePressAtTheEndOfALevelIsEscape)
{
    struct Case {
        std::uint32_t state;
        bool missionComplete, gameOver, resultsShown, finalForm;
        bool escape;
    };
    const Case cases[] = {
        {1, true, false, false, false, true}, {1, false, true, false, false, true},
        {1, false, false, true, false, true}, {0, false, false, false, true, true},
        {0, true, true, true, false, false},  {1, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        GP_State.MissionComplete = c.missionComplete;
        GP_State.GameOver = c.gameOver;
        GP_State.ResultsShown = c.resultsShown;
        GP_State.FinalFormShown = c.finalForm;
        frame->state = c.state;
        frame->calls.clear();
        frame->pointerButtons = 0;
        frame->OnMouseDown(frame.get(), 1, 50, 60);
        EXPECT_EQ(frame->calls == std::vector<std::string>{"key 27"}, c.escape) << &c - cases;
        EXPECT_EQ(frame->pointerButtons, c.escape ? 0u : 1u) << &c - cases;
    }
}

TEST_F(FrameTickTest, ButtonsKeepWhereTheyWerePressedAndReleased)
{
    frame->OnMouseDown(frame.get(), 3, 10, 20);
    frame->OnMouseUp(frame.get(), 2, 30, 40);  // left released, right still down
    frame->OnMouseUp(frame.get(), 0, 50, 60);
    EXPECT_EQ(frame->pressedAt[0].x, 10);
    EXPECT_EQ(frame->pressedAt[1].y, 20);
    EXPECT_EQ(frame->releasedAt[0].x, 50);
    EXPECT_EQ(frame->releasedAt[1].x, 50);
    EXPECT_EQ(frame->pointerButtons, 0u);
    EXPECT_EQ(frame->pointerX, 50);
}

TEST_F(FrameTickTest, AKeyReleaseClearsTheFirstGameKeyWithItsCode)
{
    frame->GameKeys.codes[2] = 'X';
    frame->GameKeys.codes[9] = 'X';
    frame->GameKeys.pressed[2] = 1;
    frame->GameKeys.pressed[9] = 1;
    frame->OnKeyUp(frame.get(), 'X', 0);
    EXPECT_EQ(frame->GameKeys.pressed[2], 0);
    EXPECT_EQ(frame->GameKeys.pressed[9], 1);
}

TEST_F(FrameTickTest, LosingTheFocusPausesTheLevelAndStopsTheTime)
{
    const bool wasFake = platform::IsFakeClock();
    platform::UseFakeClock(1000);
    frame->CreateTimer();
    platform::AdvanceFakeClock(10);
    frame->frameTimer->Tick(true);
    EXPECT_EQ(GP_State.TotalTime, 10);
    frame->OnDeactivate(frame.get());
    EXPECT_TRUE(GP_State.Paused);
    EXPECT_EQ(app.active, 0);
    platform::AdvanceFakeClock(5000);
    frame->frameTimer->Tick(false);  // away: no frame at all
    EXPECT_EQ(GP_State.TotalTime, 10);
    frame->OnActivate(frame.get());
    EXPECT_EQ(app.active, 1);
    platform::AdvanceFakeClock(7);
    frame->frameTimer->Tick(true);
    EXPECT_EQ(GP_State.TotalTime, 17) << "the time away counted";
    EXPECT_TRUE(GP_State.Paused);  // the player resumes the level
    if (!wasFake) platform::UseRealClock();
}

// Music that cannot start (no sound device to play through) is off for good, sound effects untouched.
TEST_F(FrameTickTest, MusicThatCannotStartIsSwitchedOffForGood)
{
    const std::uint8_t kept[] = {GlobalDirectSoundEnabled, GlobalDirectMusicEnabled, GlobalMusicEnabled};
    GlobalDirectSoundEnabled = GlobalDirectMusicEnabled = GlobalMusicEnabled = 1;
    frame->directMusic = std::make_unique<CGP_DirectMusic>();
    frame->music = std::make_unique<CGP_Music>(frame.get(), nullptr, frame->directMusic.get(), nullptr);
    frame->PlayMusic(GP_TitleMusic);
    EXPECT_EQ(GlobalDirectMusicEnabled, 0);
    EXPECT_EQ(GlobalMusicEnabled, 0);
    EXPECT_EQ(GlobalDirectSoundEnabled, 1);
    frame->music.reset();
    frame->directMusic.reset();
    GlobalDirectSoundEnabled = kept[0];
    GlobalDirectMusicEnabled = kept[1];
    GlobalMusicEnabled = kept[2];
}

TEST_F(FrameTickTest, ARestoredOverlayHoldsTheBackgroundBehindItDarkened)
{
    CGP_Surface background;
    ASSERT_EQ(background.Create(frame->display.get(), GP_SurfaceSystem, 640, 480), GP_SurfaceOk);
    background.Clear(0xF800);
    background.FillRect(100, 50, 120, 70, 0x001F);
    frame->backgroundSurface = &background;
    frame->OverlayPicture = std::make_unique<CGP_Surface>();
    ASSERT_EQ(frame->OverlayPicture->Create(frame->display.get(), GP_SurfaceSystem, 40, 40), GP_SurfaceOk);
    frame->OverlayPicture->Clear(0xFFFF);
    frame->overlayX = 100;
    frame->overlayY = 50;
    GP_RestoreOverlayPicture(frame->OverlayPicture.get(), frame.get());
    CGP_Surface& overlay = *frame->OverlayPicture;
    overlay.Lock();
    EXPECT_EQ(overlay.PixelRow(0)[0], 0x000F);    // blue half as bright
    EXPECT_EQ(overlay.PixelRow(39)[39], 0x7800);  // red outside the blue block, half as bright
    overlay.Unlock();

    platform::SetForeignDisplayMode(true);  // the display lost its mode while the game was active
    GP_RestoreOverlayPicture(frame->OverlayPicture.get(), frame.get());
    EXPECT_TRUE(GP_State.Paused);
    EXPECT_EQ(app.active, 0);
    GP_State.Paused = false;
    GP_RestoreOverlayPicture(frame->OverlayPicture.get(), frame.get());  // inactive: restored later
    EXPECT_EQ(frame->display->surfacesLost, 1);
    EXPECT_FALSE(GP_State.Paused);
    platform::SetForeignDisplayMode(false);
    frame->backgroundSurface = nullptr;
}

// The rectangles a session's library names, reaching off the screen as far as they like.
const TA_UpdateRect kSessionRects[] = {
    {600, 470, 2000000000, 481}, {-2147483647 - 1, 0, -10, 10}, {700, 500, 800, 600}, {10, 20, 30, 40}};
constexpr std::uint16_t kSessionColour = 0x07E0;

// A frame of a menu-library session: the library draws into the session surface and names its changed
// rectangles; each is copied to the same place of the back buffer, cut to the screen.
TEST_F(FrameTickTest, TheLibrarysRectanglesAreCopiedCutToTheScreen)
{
    const TA_Binding kept = TA_State;
    TA_State = TA_Binding{};
    TA_State.entered = true;
    TA_State.entry.DrawNextFrameIntoBuffer = [](void* buffer, int pitch, std::int16_t, std::int16_t, std::uint8_t,
                                                std::uint8_t) {
        for (int y = 0; y < 480; ++y) {
            auto* row = reinterpret_cast<std::uint16_t*>(static_cast<char*>(buffer) + y * pitch);
            std::fill(row, row + 640, kSessionColour);
        }
    };
    TA_State.entry.GetNumberOfRectsToUpdate = [] { return static_cast<int>(std::size(kSessionRects)); };
    TA_State.entry.GetUpdateRect = [](int index) { return kSessionRects[index]; };
    TA_State.entry.IsTheMenuSessionComplete = []() -> std::uint8_t { return 0; };
    CGP_Surface session;
    ASSERT_EQ(session.Create(frame->display.get(), GP_SurfaceSystem, 640, 480), GP_SurfaceOk);
    GP_State.MenuSessionActive = true;
    GP_State.MenuSessionSurface = &session;
    frame->OnDeactivate(frame.get());  // the focus lost and regained during the session changes nothing
    frame->OnActivate(frame.get());
    CGP_Surface& back = *frame->display->backSurface;
    back.Clear(0);
    frame->InterfaceStep(16);
    back.Lock();
    EXPECT_EQ(back.PixelRow(470)[600], kSessionColour);
    EXPECT_EQ(back.PixelRow(479)[639], kSessionColour);
    EXPECT_EQ(back.PixelRow(39)[29], kSessionColour);
    EXPECT_EQ(back.PixelRow(469)[600], 0);
    EXPECT_EQ(back.PixelRow(5)[5], 0);
    EXPECT_EQ(back.PixelRow(100)[100], 0);
    back.Unlock();
    EXPECT_TRUE(GP_State.MenuSessionActive);
    GP_State.MenuSessionSurface = nullptr;
    TA_State = kept;
}

}  // namespace
