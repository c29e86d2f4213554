#include <gtest/gtest.h>

#include <cstdlib>

#include "ActionsFixture.h"
#include "DistDir.h"
#include "GP_Main.h"
#include "GP_TopList.h"

namespace actionstest {
namespace {

TEST_F(ActionsTest, TheHelpPagesCycleBothWays)
{
    CGP_Button* next = Add<CGP_Button>();
    table->HelpPage = 1;
    for (int i = 0; i < 4; ++i) table->Run(59, next);
    EXPECT_EQ(table->shown, (std::vector<std::uint32_t>{0xA0007, 0xA0008, 0xA0006, 0xA0007}));
    table->shown.clear();
    table->HelpPage = 1;
    for (int i = 0; i < 4; ++i) table->Run(58, next);
    EXPECT_EQ(table->shown, (std::vector<std::uint32_t>{0xA0008, 0xA0007, 0xA0006, 0xA0008}));
}

TEST_F(ActionsTest, TheTopListPagesThroughItsGroupsAndShowsNoRankForAnEmptyRow)
{
    std::vector<CGP_Label*> labels;
    for (int i = 0; i < 41; ++i) labels.push_back(AddLabel());
    CGP_Button* arrow = Add<CGP_Button>();
    frame->topList = std::make_unique<CGP_TopList>();
    table->Run(67, form.get());
    EXPECT_EQ(GP_State.TopListPrevEnabled, 0);
    EXPECT_EQ(GP_State.TopListNextEnabled, 0);
    table->Run(69, arrow);
    EXPECT_EQ(table->TopListPage, 0);
    EXPECT_TRUE(table->sounds.empty());  // no groups: the arrows do nothing

    frame->topList->Insert("Alpha", "Ann", "1.1.01", 500, false);
    frame->topList->Insert("Alpha", "Bob", "2.1.01", 900, false);
    table->Run(67, form.get());
    EXPECT_EQ(GP_State.TopListNextEnabled, 0);  // one group
    EXPECT_EQ(labels[40]->text, "Alpha");
    EXPECT_EQ(labels[0]->text, "Bob");
    EXPECT_EQ(labels[21]->text, "500");
    EXPECT_EQ(labels[31]->text, "2.");
    EXPECT_EQ(labels[32]->text, "");

    frame->topList->Insert("Beta", "Cy", "3.1.01", 70, false);
    frame->topList->Insert("Gamma", "Di", "4.1.01", 80, false);
    table->Run(67, form.get());
    EXPECT_EQ(GP_State.TopListNextEnabled, 1);
    table->Run(69, arrow);
    table->Run(69, arrow);
    EXPECT_EQ(table->TopListPage, 2);
    EXPECT_EQ(labels[40]->text, "Gamma");
    EXPECT_EQ(GP_State.TopListPrevEnabled, 1);
    EXPECT_EQ(GP_State.TopListNextEnabled, 0);
    table->Run(69, arrow);
    EXPECT_EQ(table->TopListPage, 2);
    table->Run(68, arrow);
    EXPECT_EQ(labels[40]->text, "Beta");
    EXPECT_EQ(labels[0]->text, "Cy");
    EXPECT_EQ(GP_State.TopListNextEnabled, 1);
}

TEST_F(ActionsTest, TheVersionFormShowsTheProgramsFileVersion)
{
    CGP_Label* text = AddLabel();
    text->text = "?";
    table->Run(62, form.get());  // no program in the start-up folder: the text stays
    EXPECT_EQ(text->text, "?");
    GP_WorkingFolder = testsupport::DistDir();
    table->Run(62, form.get());
    EXPECT_EQ(text->text, "1. 1. 7");
}

TEST_F(ActionsTest, QuitAndBackFollowTheirVariablesAndTheSuspendedLevel)
{
    CGP_Button* button = Add<CGP_Button>();
    std::uint8_t variable = 0;
    button->enableVariable = &variable;
    table->Run(6, button);
    EXPECT_EQ(app.quitting, 0);
    variable = 1;
    table->Run(6, button);
    EXPECT_EQ(app.quitting, 1);
    EXPECT_TRUE(table->sounds.empty());
    app.quitting = 0;
    button->enableVariable = nullptr;
    table->Run(6, button);
    EXPECT_EQ(app.quitting, 1);
    EXPECT_EQ(table->sounds, std::vector<std::uint32_t>{kClickSound});
    app.quitting = 0;

    table->Run(21, button);
    EXPECT_EQ(table->shown, std::vector<std::uint32_t>{GP_MainMenuForm});
    GP_State.LevelSuspended = true;
    table->Run(21, button);
    EXPECT_TRUE(GP_State.RequestEnterCampaign);
    EXPECT_EQ(table->shown.size(), 1u);
}

// The in-game menu: abort ends the stage and goes back to the main menu with no answer key left over; resume
// takes the level up again where it was.
TEST_F(ActionsTest, TheInGameMenuAbortsToTheMainMenuOrResumesTheLevel)
{
    CGP_Button* button = Add<CGP_Button>();
    frame->state = 1;
    GP_State.InGameMenu = true;
    GP_State.Paused = true;
    frame->TypedKeys[GP_KeyEscape] = 1;  // the no key answered the question
    frame->OverlayPicture = std::make_unique<CGP_Surface>();
    table->Run(30, button);
    EXPECT_EQ(frame->state, 0u);
    EXPECT_EQ(frame->TypedKeys[GP_KeyEscape], 0);
    EXPECT_FALSE(GP_State.InGameMenu);
    EXPECT_TRUE(GP_State.SkipPlayStep);
    EXPECT_EQ(frame->OverlayPicture, nullptr);
    EXPECT_EQ(table->shown, std::vector<std::uint32_t>{GP_MainMenuForm});
    EXPECT_EQ(table->sounds, std::vector<std::uint32_t>{kClickSound});

    frame->state = 1;
    GP_State.InGameMenu = true;
    frame->currentForm = form.get();
    frame->OverlayPicture = std::make_unique<CGP_Surface>();
    table->Run(31, button);
    EXPECT_EQ(frame->state, 1u);
    EXPECT_FALSE(GP_State.InGameMenu);
    EXPECT_FALSE(GP_State.Paused);
    EXPECT_EQ(frame->currentForm, nullptr);
    EXPECT_EQ(frame->OverlayPicture, nullptr);
    EXPECT_EQ(table->shown.size(), 1u);
}

}  // namespace
}  // namespace actionstest
