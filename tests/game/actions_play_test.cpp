#include <gtest/gtest.h>

#include <cstring>

#include "ActionsFixture.h"
#include "GP_Campaigns.h"
#include "GP_Log.h"
#include "GP_Players.h"
#include "GP_Surface.h"

namespace actionstest {
namespace {

class PlayerFormTest : public ActionsTest {
protected:
    void SetUp() override
    {
        ActionsTest::SetUp();
        frame->players = std::make_unique<CGP_Players>("- empty -", GP_State.SlotInUse);
        frame->players->SetDefaults();
        std::fill(std::begin(SlotSelected), std::end(SlotSelected), 0);
        SlotSelected[0] = 1;
    }
    void TearDown() override
    {
        Campaigns.clear();
        CampaignCount = 0;
        ActionsTest::TearDown();
    }

    void MakeCampaigns(int count, const char* missions = "/5")
    {
        Campaigns.clear();
        for (int i = 0; i < count; ++i) {
            auto campaign = std::make_unique<CampaignFile>();
            campaign->title = "Campaign " + std::to_string(i);
            campaign->missionCountText = missions;
            Campaigns.push_back(std::move(campaign));
        }
        CampaignCount = static_cast<std::uint32_t>(count);
    }
    // The player form: slot labels, row buttons, row labels, name entries bound to the slots' names,
    // mission-count labels, the arrows with their variables, the campaign's name and description.
    void MakePlayerForm()
    {
        for (int i = 0; i < 10; ++i) slots[i] = AddLabel();
        for (int i = 0; i < 4; ++i) rows[i] = Add<CGP_Button>();
        for (int i = 0; i < 4; ++i) rowLabels[i] = AddLabel();
        for (int i = 0; i < 10; ++i) {
            entries[i] = AddEntry();
            entries[i]->target = frame->players->profiles[i].name;
        }
        for (int i = 0; i < 10; ++i) AddLabel();
        down = Add<CGP_Button>();
        down->enableVariable = &GP_State.CampaignScrollDown;
        up = Add<CGP_Button>();
        up->enableVariable = &GP_State.CampaignScrollUp;
        name = AddLabel();
        description = AddLabel();
    }
    int CurrentIndex() const
    {
        for (std::size_t i = 0; i < Campaigns.size(); ++i)
            if (Campaigns[i].get() == GP_State.CurrentCampaign) return static_cast<int>(i);
        return -1;
    }
    int SelectedRow() const
    {
        for (int row = 0; row < 4; ++row)
            if (GP_State.CampaignRowSelected[row]) return row;
        return -1;
    }

    CGP_Label* slots[10] = {};
    CGP_Button* rows[4] = {};
    CGP_Label* rowLabels[4] = {};
    CGP_TextInput* entries[10] = {};
    CGP_Label* name = nullptr;
    CGP_Label* description = nullptr;
    CGP_Button* down = nullptr;
    CGP_Button* up = nullptr;
};

TEST_F(PlayerFormTest, TheCampaignListScrollsAndKeepsItsSelection)
{
    struct Case {
        int count;
        const char* steps;  // d down, u up, s slot 0 clicked, r row 2 clicked
        int top, up, down, row, campaign;
    };
    const Case cases[] = {
        {1, "", 0, 0, 0, 0, 0},     {3, "", 0, 0, 0, 0, 0},         {3, "d", 0, 0, 0, 0, 0},  {4, "", 0, 0, 0, 0, 0},
        {4, "s", 0, 1, 0, 0, 0},    {5, "", 0, 0, 1, 0, 0},         {5, "dd", 1, 1, 0, 0, 1}, {7, "ddd", 3, 1, 0, 0, 3},
        {7, "dddu", 2, 1, 1, 1, 3}, {7, "dddduuuu", 0, 0, 1, 3, 3}, {7, "r", 0, 0, 1, 2, 2},  {7, "dr", 1, 1, 1, 2, 3},
        {2, "r", 0, 0, 0, 0, 0},  // a row past the campaigns does nothing
    };
    MakePlayerForm();
    for (const Case& c : cases) {
        MakeCampaigns(c.count);
        GP_State.CampaignListTop = 0;
        table->Run(36, form.get());
        for (const char* step = c.steps; *step; ++step) {
            switch (*step) {
            case 'd': table->Run(48, down); break;
            case 'u': table->Run(49, up); break;
            case 's': table->Run(33, slots[0]); break;
            case 'r': table->Run(47, rows[2]); break;
            }
        }
        const std::string name = std::to_string(c.count) + " campaigns, steps \"" + c.steps + "\"";
        EXPECT_EQ(GP_State.CampaignListTop, c.top) << name;
        EXPECT_EQ(GP_State.CampaignScrollUp, c.up) << name;
        EXPECT_EQ(GP_State.CampaignScrollDown, c.down) << name;
        EXPECT_EQ(SelectedRow(), c.row) << name;
        EXPECT_EQ(CurrentIndex(), c.campaign) << name;
        EXPECT_EQ(rowLabels[0]->text, "Campaign " + std::to_string(c.top)) << name;
    }
    EXPECT_EQ(this->name->text, "Campaign 0");
}

TEST_F(PlayerFormTest, ASlotShowsTheCampaignItLastPlayedOrTheFirstWhenThatOneIsGone)
{
    MakeCampaigns(6);
    MakePlayerForm();
    PlayerProfile& profile = frame->players->profiles[2];
    profile.newFlag = 0;
    profile.records = {{"Campaign 5", 700, 3, 2}, {"Campaign 1", 40, 1, 3}};
    profile.currentRecord = 0;
    table->Run(36, form.get());
    table->Run(33, slots[2]);
    EXPECT_EQ(CurrentIndex(), 5);
    EXPECT_EQ(GP_State.CampaignListTop, 2);
    EXPECT_EQ(SelectedRow(), 3);
    EXPECT_EQ(GP_State.SlotScore[2], 700);
    EXPECT_EQ(GP_State.SlotLevelReached[2], 3);
    EXPECT_EQ(GP_State.PlayerSlot, 2u);
    EXPECT_EQ(GP_State.SlotInUse[0], 1);

    profile.records[0].campaignName = "Vanished";
    table->Run(33, slots[2]);
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_EQ(GP_State.CampaignListTop, 0);
    EXPECT_EQ(GP_State.SlotScore[2], 0);
}

// With no slot selected, the menus work on slot 0 rather than on an eleventh slot.
TEST_F(PlayerFormTest, NoSelectedSlotMeansSlotZero)
{
    MakeCampaigns(2);
    MakePlayerForm();
    frame->players->profiles[0].records = {{"Campaign 0", 55, 2, 3}};
    std::fill(std::begin(SlotSelected), std::end(SlotSelected), 0);
    GP_State.SlotLevelReached[9] = 77;
    table->Run(47, rows[0]);
    EXPECT_EQ(GP_State.SlotScore[0], 55);
    EXPECT_EQ(GP_State.SlotLevelReached[0], 2);
    EXPECT_EQ(GP_State.SlotLevelReached[9], 77);
    table->Run(32, rows[0]);
    EXPECT_EQ(GP_State.PlayerSlot, 0u);
    EXPECT_EQ(GP_State.MissionsDone, 3);
}

TEST_F(PlayerFormTest, AnEditedNameIsCommittedWithoutItsCaretAndAtMostElevenCharacters)
{
    struct Case {
        const char* buffer;
        bool caretShown;
        const char* name;
    };
    const Case cases[] = {
        {"|", true, "Before"},
        {"Ann|", true, "Ann"},
        {"", false, "Before"},
        {"Bo", false, "Bo"},
        {"ABCDEFGHIJKL|", true, "ABCDEFGHIJK"},
        {"ABCDEFGHIJKLMNOPQRSTU", false, "ABCDEFGHIJK"},
    };
    MakeCampaigns(1);
    MakePlayerForm();
    PlayerProfile& profile = frame->players->profiles[0];
    for (const Case& c : cases) {
        profile.SetName("Before");
        profile.newFlag = 1;
        CGP_TextInput& entry = *entries[0];
        std::memset(entry.editBuffer, 0, sizeof entry.editBuffer);
        std::memcpy(entry.editBuffer, c.buffer, std::strlen(c.buffer));
        entry.editing = 1;
        entry.caretShown = c.caretShown;
        table->Run(64, description);
        EXPECT_STREQ(profile.name, c.name) << c.buffer;
        EXPECT_EQ(profile.newFlag, 1) << c.buffer;  // the byte after the name is untouched
        EXPECT_EQ(entry.editing, 0);
        EXPECT_EQ(entry.editBuffer[0], '\0');
    }
    EXPECT_EQ(table->shown.back(), GP_MainMenuForm);
}

TEST_F(PlayerFormTest, OnlyANewSlotCanBeNamedAndResettingASlotStartsItsName)
{
    MakeCampaigns(1);
    MakePlayerForm();
    table->Run(34, entries[0]);  // "Player 1" is a named player
    EXPECT_EQ(entries[0]->editing, 0);
    entries[3]->Block<GP_ControlBlock>()->hintTextID = 0x40033;
    std::strcpy(entries[3]->editBuffer, "old");
    table->Run(34, entries[3]);
    EXPECT_EQ(entries[3]->editing, 1);
    EXPECT_EQ(entries[3]->editBuffer[0], '\0');
    EXPECT_EQ(GP_Interface().HintTextId, 0x40033u);

    GP_State.PlayerSlot = 0;
    table->Run(35, rows[0]);
    EXPECT_EQ(frame->players->profiles[0].newFlag, 1);
    EXPECT_STREQ(frame->players->profiles[0].name, "- empty -");
    EXPECT_EQ(entries[0]->editing, 1);
    EXPECT_EQ(GP_State.SlotInUse[0], 0);
}

TEST_F(PlayerFormTest, TheHiddenNameOpensEveryMissionAndOnlyTheExactName)
{
    struct Case {
        const char* name;
        bool hidden;
        int missionsDone;
    };
    const Case cases[] = {{"Trevolin", true, 9}, {"trevolin", false, 3}, {"Trevolin ", false, 3}, {"Ann", false, 3}};
    MakeCampaigns(1, "/9");
    MakePlayerForm();
    for (const Case& c : cases) {
        frame->players->profiles[0].SetName(c.name);
        frame->players->profiles[0].records = {{"Campaign 0", 10, 2, 3}};
        table->Run(36, form.get());
        table->Run(32, rows[0]);
        EXPECT_EQ(GP_State.HiddenMode, c.hidden) << c.name;
        EXPECT_EQ(GP_State.MissionsDone, c.missionsDone) << c.name;
        EXPECT_TRUE(GP_State.RequestEnterCampaign);
        EXPECT_EQ(frame->ShownOverlay(), nullptr);
    }
}

// The campaign's picture is shown as the overlay but stays the campaign's: clearing the overlay frees nothing.
TEST_F(PlayerFormTest, TheCampaignsPictureIsShownButNeverFreedByTheMenus)
{
    MakeCampaigns(2);
    Campaigns[1]->picture = std::make_unique<CGP_Surface>();
    MakePlayerForm();
    table->Run(47, rows[1]);
    EXPECT_EQ(frame->ShownOverlay(), Campaigns[1]->picture.get());
    EXPECT_EQ(frame->OverlayPicture, nullptr);
    table->Run(64, description);
    EXPECT_EQ(frame->ShownOverlay(), nullptr);
    EXPECT_TRUE(GP_State.OverlayBelowForm);
    EXPECT_NE(Campaigns[1]->picture, nullptr);  // freed with the campaign list, once
}

TEST_F(PlayerFormTest, TheMenusValuesAreGameVariables)
{
    frame->BindVariables();
    const std::pair<std::uint32_t, const void*> cases[] = {
        {13, frame->players->profiles[0].name},
        {22, frame->players->profiles[9].name},
        {23, &GP_State.SlotScore[0]},
        {32, &GP_State.SlotScore[9]},
        {39, &GP_State.LevelLit[0]},
        {53, &GP_State.LevelLit[14]},
        {64, &GP_State.CampaignRowSelected[0]},
        {67, &GP_State.CampaignRowSelected[3]},
        {68, &GP_State.CampaignScrollDown},
        {69, &GP_State.CampaignScrollUp},
        {70, &GP_State.SlotLevelReached[0]},
        {79, &GP_State.SlotLevelReached[9]},
        {80, &GP_State.LevelAvailable[1]},
        {93, &GP_State.LevelAvailable[14]},
        {94, &GP_State.LockedLevelHint},
        {95, &GP_State.LevelHover[0]},
        {109, &GP_State.LevelHover[14]},
        {110, &GP_State.TopListPrevEnabled},
        {111, &GP_State.TopListNextEnabled},
        {114, &frame->account.offerAccount},
    };
    for (const auto& [index, value] : cases) EXPECT_EQ(frame->GetVariable(0x170000 + index), value) << index;
}

class MissionFormTest : public PlayerFormTest {
protected:
    void SetUp() override
    {
        PlayerFormTest::SetUp();
        log = std::make_unique<CGP_Log>((folder / "Exception.log").c_str());
        log->Open();
        MakeCampaigns(1, "/5");
        GP_State.CurrentCampaign = Campaigns[0].get();
        for (CGP_Button*& button : missions) button = Add<CGP_Button>();
    }
    void TearDown() override
    {
        log.reset();
        PlayerFormTest::TearDown();
    }
    std::string Log() const { return testsupport::ReadFile(folder / "Exception.log"); }

    std::unique_ptr<CGP_Log> log;
    CGP_Button* missions[16] = {};
};

TEST_F(MissionFormTest, StartingAMissionAddsTheCampaignsRecordAndLogsWhereItStarts)
{
    GP_State.MissionsDone = 2;
    table->Run(50, form.get());
    EXPECT_EQ(GP_State.LevelAvailable[1], 1);
    EXPECT_EQ(GP_State.LevelAvailable[2], 0);

    table->Run(46, missions[3]);  // locked
    EXPECT_EQ(GP_Interface().HintTextId, GP_HintLockedMission);
    EXPECT_EQ(GP_State.LockedLevelHint, 1);
    EXPECT_EQ(frame->state, 0u);

    table->Run(46, missions[0]);
    const PlayerProfile& profile = frame->players->profiles[0];
    ASSERT_EQ(profile.records.size(), 1u);
    EXPECT_EQ(profile.records[0].campaignName, "Campaign 0");
    EXPECT_EQ(profile.records[0].lives, 3);
    EXPECT_EQ(frame->state, 1u);
    EXPECT_EQ(GP_State.Lives, 3);
    EXPECT_EQ(GP_State.Score, 0);
    EXPECT_NE(Log().find("BNM 1 3 0 "), std::string::npos) << Log();

    frame->players->profiles[0].records[0] = {"Campaign 0", 900, 0, 2};
    table->Run(46, missions[1]);
    EXPECT_EQ(profile.records.size(), 1u);
    EXPECT_EQ(GP_State.MissionIndex, 1u);
    EXPECT_NE(Log().find("BOM 2 3 0 "), std::string::npos) << Log();
    EXPECT_EQ(GP_State.BestMissionBefore, 0);
}

TEST_F(MissionFormTest, ContinuingPlaysTheMissionReachedOrTheFirstOfAFinishedCampaign)
{
    GP_State.MissionsDone = 5;
    frame->players->profiles[0].records = {{"Campaign 0", 300, 3, 2}};
    table->Run(43, missions[9]);
    EXPECT_EQ(GP_State.MissionIndex, 3u);
    EXPECT_EQ(GP_State.Score, 300);
    EXPECT_EQ(GP_State.Lives, 2);
    frame->players->profiles[0].records[0].mission = 5;
    table->Run(43, missions[9]);
    EXPECT_EQ(GP_State.MissionIndex, 0u);
}

// The tables hold sixteen missions: a button past them does nothing, and a record that names a mission the form
// has no button for continues at the first.
TEST_F(MissionFormTest, ButtonsPastTheSixteenMissionsAreIgnored)
{
    CGP_Button* extra = Add<CGP_Button>();
    GP_State.MissionsDone = 17;
    table->Run(50, form.get());
    const auto tables = [] {
        std::vector<std::uint8_t> bytes;
        for (const std::uint8_t* levels : {GP_State.LevelAvailable, GP_State.LevelHover, GP_State.LevelLit})
            bytes.insert(bytes.end(), levels, levels + 16);
        bytes.push_back(GP_State.LockedLevelHint);
        return bytes;
    };
    const std::vector<std::uint8_t> before = tables();
    table->Run(44, extra);
    table->Run(46, extra);
    table->Run(45, extra);
    EXPECT_EQ(tables(), before);
    EXPECT_EQ(frame->state, 0u);
    EXPECT_TRUE(frame->players->profiles[0].records.empty());
    EXPECT_TRUE(table->sounds.empty());

    frame->players->profiles[0].records = {{"Campaign 0", 40, 70, 1}};
    table->Run(43, missions[4]);
    EXPECT_EQ(frame->state, 1u);
    EXPECT_EQ(GP_State.MissionIndex, 0u);
}

}  // namespace
}  // namespace actionstest
