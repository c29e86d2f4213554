// The level's flow on the main frame with a fake clock: a cleared stage waits before the next one, the last
// stage completes the mission and the player's progress, the game over enters the top list only on the
// player's frontier mission, the end of a level takes the player back to the forms, and keys while a level runs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GP_AppBase.h"
#include "GP_Campaigns.h"
#include "GP_Display.h"
#include "GP_Effects.h"
#include "GP_Form.h"
#include "GP_GameMainFrame.h"
#include "GP_GameObject.h"
#include "GP_GameState.h"
#include "GP_Globals.h"
#include "GP_IDList.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_Players.h"
#include "GP_Scene.h"
#include "GP_Surface.h"
#include "GP_TopList.h"
#include "LoopbackHttpServer.h"
#include "StageLists.h"
#include "TempDir.h"

namespace {

// A main frame whose stages are recorded instead of loaded.
class StageFrame : public CGP_GameMainFrame {
public:
    using CGP_GameMainFrame::CGP_GameMainFrame;
    void StartStage(std::uint32_t stage) override { stages.push_back(stage); }
    std::vector<std::uint32_t> stages;
};

class PlayFlowTest : public ::testing::Test {
protected:
    static constexpr int Lists = 16;
    static constexpr std::uint32_t Slot = 3;

    void SetUp() override
    {
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        savedFolder = GP_WorkingFolder;
        GP_WorkingFolder = folder.path().string();
        GP_State = GP_GameState{};
        GP_State.StartupTimerOn = false;
        GP_TransitionsEnabled = 0;
        frame = std::make_unique<StageFrame>(&app);
        frame->display = std::make_unique<CGP_Display>();
        ASSERT_EQ(frame->display->Init(), GP_DisplayOk);
        ASSERT_EQ(frame->display->SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(frame->display.get());
        for (int i = 0; i < Lists; ++i) frame->objectLists.push_back(std::make_unique<CGP_ObjectList>(frame.get()));
        stages = StageList({0x40001, 0x40002});
        frame->stageList = stages.get();
        frame->stageList->Rewind();
        frame->stageList->Next();  // the first stage is in play
        frame->state = 1;

        campaign.title = "Demo";
        campaign.missionCountText = "/2";
        GP_State.CurrentCampaign = &campaign;
        GP_State.PlayerSlot = Slot;
        frame->players = std::make_unique<CGP_Players>("", nullptr);
        PlayerProfile& profile = frame->players->profiles[Slot];
        profile.SetName("Ada");
        profile.records.push_back(CampaignRecord{"Other", 5, 9, 1});
        profile.records.push_back(CampaignRecord{"Demo", 100, 0, 3});
        frame->topList = std::make_unique<CGP_TopList>();
        frame->idLists.resize(2);
    }

    void TearDown() override
    {
        frame.reset();
        GP_DisplayPtr = nullptr;
        GP_State = GP_GameState{};
        GP_TransitionsEnabled = 1;
        GP_WorkingFolder = savedFolder;
    }

    CGP_GameObject* Put(std::uint16_t list, std::int32_t behaviourState = 0)
    {
        auto* object = new CGP_GameObject(nullptr, nullptr, frame.get());
        object->state = 1;
        object->stateBlock = std::make_unique<GP_BehaviourState>();
        object->stateBlock->state = behaviourState;
        frame->objectLists[list]->Add(object);
        return object;
    }
    void Steps(int count, float elapsed)
    {
        for (int i = 0; i < count; ++i) frame->PlayStep(elapsed);
    }
    CampaignRecord& Progress() { return frame->players->profiles[Slot].records[1]; }
    std::size_t TopListEntries() const
    {
        const TopListGroup* group = frame->topList->Find("Demo");
        return group ? static_cast<std::size_t>(group->UsedCount()) : 0;
    }

    testsupport::TempDir folder;
    // The session log of the test, read back whole.
    struct Log {
        explicit Log(const std::filesystem::path& file) : path(file), log(file.c_str()) { log.Open(); }
        bool Contains(const std::string& text) const
        {
            std::ifstream in(path);
            std::stringstream all;
            all << in.rdbuf();
            return all.str().find(text) != std::string::npos;
        }
        std::filesystem::path path;
        CGP_Log log;
    } log{folder / "Exception.log"};
    std::string savedFolder;
    CGP_AppBase app;
    CampaignFile campaign;
    std::unique_ptr<CGP_IDList> stages;
    std::unique_ptr<StageFrame> frame;
};

TEST_F(PlayFlowTest, AClearedStageWaitsMoreThanASecondAndAnyRequiredObjectRestartsTheWait)
{
    CGP_GameObject* enemy = Put(0);
    CGP_GameObject* holder = Put(12, 1);
    Steps(10, 200);
    EXPECT_EQ(GP_State.EndTimer, 0);
    enemy->state = GP_StateGone;
    Steps(3, 200);
    EXPECT_EQ(GP_State.EndTimer, 0) << "a list-12 object in a busy state holds the stage open";
    holder->stateBlock->state = 0;
    Steps(4, 200);
    EXPECT_EQ(GP_State.EndTimer, 800);
    CGP_GameObject* block = Put(15);
    frame->PlayStep(200);
    EXPECT_EQ(GP_State.EndTimer, 0) << "an object in a required list restarts the wait";
    block->state = GP_StateGone;
    Steps(5, 200);
    EXPECT_TRUE(frame->stages.empty()) << "1000 ms are not above the wait";
    frame->PlayStep(1);
    ASSERT_EQ(frame->stages, std::vector<std::uint32_t>{0x40002});
    EXPECT_EQ(GP_State.StageNumber, 1);  // the test's level started at 0
    EXPECT_EQ(GP_State.EndTimer, 0);
    EXPECT_FALSE(GP_State.MissionComplete);
}

TEST_F(PlayFlowTest, APausedOrMenuCoveredLevelDoesNotEndItsStage)
{
    GP_State.Paused = true;
    GP_State.MessageTime = 4000;
    Steps(20, 200);
    EXPECT_EQ(GP_State.EndTimer, 0);
    EXPECT_TRUE(frame->stages.empty());
    GP_State.Paused = false;
    GP_State.InGameMenu = true;
    Steps(20, 200);
    EXPECT_TRUE(frame->stages.empty());
}

TEST_F(PlayFlowTest, TheLastStageCompletesTheMissionOnceAndEscapeFollowsAfterFiveSeconds)
{
    frame->stageList->Next();  // the last stage is in play
    GP_State.Score = 1234;
    GP_State.Lives = 2;
    Steps(6, 200);
    ASSERT_TRUE(GP_State.MissionComplete);
    EXPECT_EQ(Progress().mission, 1);
    EXPECT_EQ(Progress().score, 1234);
    EXPECT_EQ(Progress().lives, 2);
    EXPECT_EQ(GP_State.BestMissionBefore, 0);
    EXPECT_EQ(GP_State.MissionsDone, 2);
    EXPECT_EQ(TopListEntries(), 0u) << "one mission of two is not the campaign";
    EXPECT_TRUE(log.Contains("ENM 1 2 1234 "));
    Steps(25, 200);
    EXPECT_EQ(frame->state, 1u) << "the end of the level waits for more than 5000 ms";
    Steps(1, 1);
    EXPECT_EQ(frame->state, 0u);
    EXPECT_FALSE(GP_State.MissionComplete);
    EXPECT_EQ(GP_State.EndTimer, 5001);
}

TEST_F(PlayFlowTest, FinishingTheFrontierMissionOfTheCampaignEntersTheTopListAndABehindMissionOnlyLogs)
{
    GP_State.MissionIndex = 1;
    Progress().mission = 1;
    GP_State.Score = 900;
    frame->EndMission();
    EXPECT_EQ(Progress().mission, 2);
    EXPECT_EQ(TopListEntries(), 1u);
    EXPECT_TRUE(log.Contains("ENM 2 0 900 "));

    GP_State.MissionIndex = 0;
    GP_State.Score = 5;
    frame->EndMission();
    EXPECT_EQ(Progress().mission, 2);
    EXPECT_EQ(Progress().score, 900) << "a finished mission behind the frontier changes nothing";
    EXPECT_EQ(TopListEntries(), 1u);
    EXPECT_TRUE(log.Contains("EOM 1 0 5 "));

    frame->players->profiles[Slot].records.clear();
    frame->EndMission();  // no progress record: nothing to update, no crash
    EXPECT_TRUE(log.Contains("EOM 1 0 5 "));
}

TEST_F(PlayFlowTest, OnlyAFirstFinishOfTheLastMissionWithAProgressRecordShowsTheFinalForm)
{
    struct Case {
        bool record;
        std::uint32_t bestBefore;
        bool finalForm;
    } cases[] = {{true, 1, true}, {true, 2, false}, {false, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.record << " " << c.bestBefore);
        if (!c.record) frame->players->profiles[Slot].records.pop_back();
        frame->state = 1;
        GP_State.FinalFormShown = false;
        GP_State.MissionIndex = 1;
        GP_State.MissionComplete = 1;
        GP_State.BestMissionBefore = c.bestBefore;
        if (c.record) Progress().mission = 2;
        frame->OnKeyDown(frame.get(), GP_KeyEscape, 0, 0);
        EXPECT_EQ(frame->state, 0u);
        EXPECT_EQ(GP_State.FinalFormShown, c.finalForm);
        EXPECT_FALSE(GP_State.CampaignFinished);
    }
}

// The end of a level: only a first finish of the campaign or a game over on the player's frontier mission is
// posted; the results screen shows only when the service took the result, and goes after 10 seconds.
TEST_F(PlayFlowTest, TheEndOfALevelPostsOnlyWhatCountsAndShowsTheResultsOnlyWhenTaken)
{
    testsupport::LoopbackHttpServer server;
    ::setenv("VEL_HALL_OF_FAME", server.Base().c_str(), 1);
    const std::uint8_t keptPutResults = PutResults;
    PutResults = 1;
    frame->account.eMailKnown = 1;
    frame->account.playerEMail = "ada@example.org";
    const std::string taken = "0AAAAAAAAAAA", refused = "1AAAAAAAAAAA0";
    struct Case {
        const char* name;
        bool complete;
        std::uint32_t mission;
        std::int32_t reached;
        std::uint32_t bestBefore;
        const std::string* reply;  // null: nothing may be posted
        bool results;
    } cases[] = {
        {"first finish of the campaign, taken", true, 1, 2, 1, &taken, true},
        {"first finish of the campaign, refused", true, 1, 2, 1, &refused, false},
        {"the campaign was finished before", true, 1, 2, 2, nullptr, false},
        {"a mission before the last", true, 0, 1, 0, nullptr, false},
        {"game over on the frontier mission", false, 1, 1, 1, &taken, true},
        {"game over behind the frontier", false, 0, 1, 0, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame->state = 1;
        GP_State.FinalFormShown = false;
        GP_State.MissionComplete = c.complete;
        GP_State.GameOver = !c.complete;
        GP_State.MissionIndex = c.mission;
        GP_State.BestMissionBefore = c.bestBefore;
        Progress().mission = c.reached;
        const std::size_t postsBefore = server.Targets().size();
        if (c.reply) server.Push({*c.reply});
        frame->OnKeyDown(frame.get(), GP_KeyEscape, 0, 0);
        EXPECT_EQ(server.Targets().size() - postsBefore, c.reply ? 1u : 0u);
        EXPECT_EQ(GP_State.ResultsShown, c.results);
        EXPECT_EQ(frame->state, c.results ? 1u : 0u);
        if (!c.results) continue;
        frame->OnDeactivate(frame.get());  // the focus lost and regained over the results changes nothing
        frame->OnActivate(frame.get());
        Steps(500, 20);  // 10 seconds
        EXPECT_EQ(frame->state, 1u);
        Steps(1, 20);
        EXPECT_EQ(frame->state, 0u);
        EXPECT_FALSE(GP_State.ResultsShown);
        EXPECT_EQ(server.Targets().size() - postsBefore, 1u) << "posted once only";
    }
    PutResults = keptPutResults;
    ::unsetenv("VEL_HALL_OF_FAME");
}

// The key that leaves the final form frees the graphics server's pictures and forgets the background picture,
// one of them, with them, so that the next interface frame does not draw a freed picture.
TEST_F(PlayFlowTest, LeavingTheFinalFormForgetsTheFreedBackgroundPicture)
{
    CGP_Surface background;
    frame->state = 0;
    frame->backgroundSurface = &background;
    GP_State.FinalFormShown = true;
    frame->OnKeyDown(frame.get(), 'A', 0, 0);
    EXPECT_FALSE(GP_State.FinalFormShown);
    EXPECT_EQ(frame->backgroundSurface, nullptr);
}

// The next enemy shot comes one to two fire periods later; a period below a millisecond has no random part.
TEST_F(PlayFlowTest, TheRandomEnemyFireWaitsItsPeriodAndAPeriodOfZeroDividesNothing)
{
    Put(0)->state = GP_StateGone;
    Put(0);
    frame->scene = std::make_unique<CGP_Scene>(frame.get());
    struct Case {
        float period, least, most;
    } cases[] = {{1500, 1500, 3000}, {1.5f, 1.5f, 2.5f}, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, {-20, -20, -20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        frame->scene->parameters->enemyFirePeriod = c.period;
        for (int i = 0; i < 20; ++i) {
            GP_State.EnemyFireTimer = 0.5f;
            frame->PlayStep(1);
            EXPECT_GE(GP_State.EnemyFireTimer, c.least);
            EXPECT_LE(GP_State.EnemyFireTimer, c.most);
        }
    }
}

TEST_F(PlayFlowTest, SlowMotionSlowsTheEnemyFireAndEndsWhenItsTimeRunsOut)
{
    Put(0);
    GP_State.EnemyFireTimer = 1000;
    GP_State.SlowMotion = 1;
    GP_State.SlowMotionTime = 150;
    frame->PlayStep(100);
    EXPECT_FLOAT_EQ(GP_State.EnemyFireTimer, 990);
    EXPECT_TRUE(GP_State.SlowMotion);
    frame->PlayStep(100);
    EXPECT_FALSE(GP_State.SlowMotion);
    EXPECT_FLOAT_EQ(GP_State.EnemyFireTimer, 890);
    GP_State.GameOver = 1;
    frame->PlayStep(100);
    EXPECT_FLOAT_EQ(GP_State.EnemyFireTimer, 890) << "nobody fires once the game is over";
}

TEST_F(PlayFlowTest, AStageStartsWithNoSpecialKillsOrLaunchedObjectLeftAndEndsWithNoObjectLeft)
{
    CGP_GameObject* launched = Put(1);
    GP_State.SpecialKillsA = 5;
    GP_State.SpecialKillsB = 7;
    GP_State.FrameSharedDone = 0;
    GP_State.LaunchedObject = launched;
    frame->CGP_GameMainFrame::StartStage(0x40002);
    ASSERT_NE(frame->scene, nullptr);
    EXPECT_EQ(GP_State.SpecialKillsA, 0);
    EXPECT_EQ(GP_State.SpecialKillsB, 0);
    EXPECT_EQ(GP_State.FrameSharedDone, 1);
    EXPECT_EQ(GP_State.LaunchedObject, nullptr);

    GP_State.LaunchedObject = Put(1);
    frame->EndStage();
    EXPECT_EQ(frame->scene, nullptr);
    for (const auto& list : frame->objectLists) EXPECT_EQ(list->Count(), 0u);
    EXPECT_EQ(GP_State.LaunchedObject, nullptr);
}

TEST_F(PlayFlowTest, GameOverEntersTheTopListOnlyOnTheFrontierMission)
{
    struct Case {
        std::uint32_t mission;
        bool record;
        std::size_t entries;
    } cases[] = {{0, true, 1}, {1, true, 0}, {0, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mission);
        frame->topList = std::make_unique<CGP_TopList>();
        if (!c.record) frame->players->profiles[Slot].records.pop_back();
        GP_State.MissionIndex = c.mission;
        GP_State.Score = 77;
        GP_State.GameOver = 0;
        frame->GameOver();
        EXPECT_TRUE(GP_State.GameOver);
        EXPECT_EQ(GP_State.EndTimer, 0);
        EXPECT_EQ(TopListEntries(), c.entries);
        EXPECT_TRUE(log.Contains("GO " + std::to_string(c.mission + 1) + " 77 "));
    }
}

TEST_F(PlayFlowTest, AfterTheGameOverEveryKeyOrClickLeavesTheLevelForTheForms)
{
    frame->GameOver();
    frame->OnKeyDown(frame.get(), 'A', 0, 0);
    EXPECT_EQ(frame->state, 0u);
    EXPECT_FALSE(GP_State.ResultsShown);

    frame->state = 1;
    GP_State.GameOver = 1;
    frame->OnMouseDown(frame.get(), 1, 10, 10);
    EXPECT_EQ(frame->state, 0u);
}

TEST_F(PlayFlowTest, TypedKeysAreStoredLowerCaseAndOutOfRangeOrExtendedKeysAreNot)
{
    frame->state = 0;
    struct Case {
        std::uint32_t key, modifiers;
        std::uint8_t extended;
        int index;  // -1 nothing recorded
    } cases[] = {{'A', 0, 0, 'a'}, {'A', 1, 0, 'A'}, {0x70, 0, 0, 0x90}, {0x26, 0, 1, -1}, {300, 0, 0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::fill(std::begin(frame->TypedKeys), std::end(frame->TypedKeys), 0);
        frame->OnKeyDown(frame.get(), c.key, c.modifiers, c.extended);
        int set = -1;
        for (int i = 0; i < 256; ++i)
            if (frame->TypedKeys[i]) set = i;
        EXPECT_EQ(set, c.index);
    }
}

TEST_F(PlayFlowTest, AQuestionTakesTheYesAndNoLettersOfTheInterfaceLanguageAsEnterAndEscape)
{
    frame->state = 0;
    CGP_Form question(nullptr, nullptr, frame.get());
    *question.GetFormID() = 0xA0001;
    frame->currentForm = &question;
    const std::uint32_t savedLanguage = InterfaceLanguage;
    struct Case {
        std::uint32_t language, key;
        int answer;  // the key it stands for, or -1 for none
    } cases[] = {{GP_LanguageGerman, 'J', GP_KeyEnter},
                 {GP_LanguageGerman, 'N', GP_KeyEscape},
                 {GP_LanguageGerman, 'Y', -1},
                 {GP_LanguageFrench, 'O', GP_KeyEnter},
                 {GP_LanguageFrench, 'N', GP_KeyEscape},
                 {GP_LanguageRussian, 'L', GP_KeyEnter},
                 {GP_LanguageRussian, 'Y', GP_KeyEscape},
                 {GP_LanguageEnglish, 'Y', GP_KeyEnter},
                 {GP_LanguageEnglish, 'N', GP_KeyEscape},
                 {GP_LanguageEnglish, 'J', -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " " << static_cast<char>(c.key));
        InterfaceLanguage = c.language;
        std::fill(std::begin(frame->TypedKeys), std::end(frame->TypedKeys), 0);
        frame->OnKeyDown(frame.get(), c.key, 0, 0);
        EXPECT_EQ(frame->TypedKeys[GP_KeyEnter], c.answer == GP_KeyEnter);
        EXPECT_EQ(frame->TypedKeys[GP_KeyEscape], c.answer == GP_KeyEscape);
    }
    frame->currentForm = nullptr;
    InterfaceLanguage = savedLanguage;
}

TEST_F(PlayFlowTest, PauseBeforeTheShipIsReadyWaitsForTheNextKey)
{
    frame->OnKeyDown(frame.get(), 19, 0, 0);
    EXPECT_FALSE(GP_State.Paused);
    GP_State.ShipReady = 1;
    frame->OnKeyDown(frame.get(), 'X', 0, 0);
    EXPECT_TRUE(GP_State.Paused);
    EXPECT_EQ(frame->TypedKeys[19], 0);
    frame->OnKeyDown(frame.get(), 19, 0, 0);
    EXPECT_FALSE(GP_State.Paused);
}

TEST_F(PlayFlowTest, EscapeInPlayOpensTheInGameMenuOverThePausedLevel)
{
    frame->OnKeyDown(frame.get(), GP_KeyEscape, 0, 0);
    EXPECT_EQ(frame->state, 1u);
    EXPECT_TRUE(GP_State.Paused);
    EXPECT_TRUE(GP_State.InGameMenu);
    EXPECT_EQ(frame->pointerX, 320);
    EXPECT_EQ(frame->pointerY, 240);
    frame->OnKeyDown(frame.get(), GP_KeyEscape, 0, 0);  // the menu's own handlers take it from here
    EXPECT_TRUE(GP_State.InGameMenu);
}

TEST_F(PlayFlowTest, HelpOrOptionsSuspendTheLevelAndResumingTakesItUpAgain)
{
    for (std::uint32_t key : {0x70u, 0x77u}) {
        SCOPED_TRACE(key);
        frame->state = 1;
        GP_State.Paused = false;
        frame->OnKeyDown(frame.get(), key, 0, 0);
        EXPECT_EQ(frame->state, 0u);
        EXPECT_TRUE(GP_State.LevelSuspended);
        EXPECT_TRUE(GP_State.Paused);
        frame->ResumeLevel();
        EXPECT_EQ(frame->state, 1u);
        GP_State.LevelSuspended = false;
    }
    GP_State.InGameMenu = true;
    frame->OnKeyDown(frame.get(), 0x70, 0, 0);
    EXPECT_EQ(frame->state, 1u) << "not while the in-game menu is up";
}

}  // namespace
