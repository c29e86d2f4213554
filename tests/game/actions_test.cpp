#include <gtest/gtest.h>

#include <set>

#include "ActionsFixture.h"
#include "GP_Effects.h"
#include "GP_FormKinds.h"
#include "GP_SoundSettings.h"

namespace actionstest {
namespace {

TEST_F(ActionsTest, EveryBoundActionHasAHandlerAndNoOtherIDDoes)
{
    const std::set<std::uint32_t> unbound = {40, 53, 71, 73, 74, 75};
    EXPECT_EQ(table->Count(), 77u);
    for (std::uint32_t index = 0; index < 77; ++index)
        EXPECT_EQ(table->GetHandler(GP_ActionID(index)) == nullptr, unbound.count(index) == 1) << index;
    EXPECT_EQ(table->GetHandler(GP_NoID), nullptr);
    EXPECT_EQ(table->GetHandler(GP_ActionID(77)), nullptr);  // past the table
    EXPECT_EQ(table->GetHandler(0x20000 + 7), nullptr);      // a name of another kind
    EXPECT_EQ(table->GetHandler(0x50000 + 7), nullptr);      // no such group
    EXPECT_EQ(table->GetHandler(GP_ActionID(7)), table->GetHandler(GP_ActionID(7)));
    table->SetHandler(0x20000 + 3, nullptr);  // ignored: not an action
    EXPECT_NE(table->GetHandler(GP_ActionID(3)), nullptr);
}

// Only the handlers that tidy the screen away say false; every handler runs on a bare form without failing.
TEST_F(ActionsTest, OnlyTheHandlersThatReplaceTheFormReturnFalse)
{
    const std::set<std::uint32_t> replacing = {51, 57, 60, 61, 63};
    const std::set<std::uint32_t> skipped = {40, 53, 70, 71, 72, 73, 74, 75, 76};  // none, or they leave the game
    GP_TransitionsEnabled = 0;
    CGP_Button* button = Add<CGP_Button>();
    for (std::uint32_t index = 0; index < 77; ++index) {
        if (skipped.count(index)) continue;
        EXPECT_EQ(table->Run(index, button), replacing.count(index) == 0) << index;
    }
    GP_TransitionsEnabled = 1;
}

TEST_F(ActionsTest, ButtonVisualsFollowTheEnablingVariable)
{
    struct Case {
        int variable;  // -1: none
        std::uint32_t action;
        std::int32_t frame;
        std::uint32_t sound;  // 0: none
    };
    const Case cases[] = {
        {-1, 1, GP_ButtonPressed, kPressSound},
        {1, 1, GP_ButtonPressed, kPressSound},
        {0, 1, GP_ButtonDisabled, 0},
        {-1, 2, GP_ButtonNormal, 0},
        {1, 2, GP_ButtonNormal, 0},
        {0, 2, GP_ButtonDisabled, 0},
        {-1, 3, GP_ButtonHover, kHoverSound},
        {1, 3, GP_ButtonHover, kHoverSound},
        {0, 3, GP_ButtonDisabled, kHoverSound},  // the hover sound plays all the same
        {0, 12, GP_ButtonPressed, kPressSound},
        {0, 13, GP_ButtonNormal, kReleaseSound},
        {0, 14, GP_ButtonHover, kHoverSound},  // the plain kind ignores the variable
    };
    CGP_Button* button = Add<CGP_Button>();
    std::uint8_t variable = 0;
    for (const Case& c : cases) {
        variable = static_cast<std::uint8_t>(c.variable);
        button->enableVariable = c.variable < 0 ? nullptr : &variable;
        button->frameIndex = 9;
        table->sounds.clear();
        EXPECT_TRUE(table->Run(c.action, button));
        EXPECT_EQ(button->frameIndex, c.frame) << "action " << c.action << " variable " << c.variable;
        EXPECT_EQ(table->sounds, c.sound ? std::vector<std::uint32_t>{c.sound} : std::vector<std::uint32_t>{})
            << "action " << c.action << " variable " << c.variable;
    }
}

TEST_F(ActionsTest, CheckBoxesShowTheirValueAndOnlyAnEnabledClickTogglesIt)
{
    struct Case {
        int value;  // -1: the box has none
        bool enabled;
        std::uint32_t action;
        std::int32_t frame;
        int valueAfter;
        std::uint32_t sound;
    };
    const Case cases[] = {
        {0, true, 9, 2, 0, kPressSound},
        {1, true, 9, 3, 1, kPressSound},
        {0, false, 9, 4, 0, 0},
        {1, false, 9, 5, 1, 0},
        {0, true, 10, 0, 0, kReleaseSound},
        {1, true, 10, 1, 1, kReleaseSound},
        {0, false, 10, 4, 0, 0},
        {1, false, 10, 5, 1, 0},
        {0, true, 11, 1, 1, kClickSound},
        {1, true, 11, 0, 0, kClickSound},
        {0, false, 11, 4, 0, kClickSound},
        {1, false, 11, 5, 1, kClickSound},
        {-1, true, 11, 4, -1, 0},
        {-1, false, 11, 4, -1, 0},
    };
    CGP_CheckBox* box = Add<CGP_CheckBox>();
    std::uint8_t value = 0;
    std::uint8_t enabled = 0;
    for (const Case& c : cases) {
        value = static_cast<std::uint8_t>(c.value);
        enabled = c.enabled;
        box->value = c.value < 0 ? nullptr : &value;
        box->enableVariable = &enabled;
        box->frameIndex = 0;
        table->sounds.clear();
        table->Run(c.action, box);
        const std::string name = "action " + std::to_string(c.action) + " value " + std::to_string(c.value) +
                                 (c.enabled ? " enabled" : " disabled");
        EXPECT_EQ(box->frameIndex, c.frame) << name;
        if (c.value >= 0) {
            EXPECT_EQ(value, c.valueAfter) << name;
        }
        EXPECT_EQ(table->sounds, c.sound ? std::vector<std::uint32_t>{c.sound} : std::vector<std::uint32_t>{}) << name;
    }
}

TEST_F(ActionsTest, HintItemsShowTheirTextWhileThePointerIsOverThem)
{
    CGP_Label* item = AddLabel();
    item->Block<GP_ControlBlock>()->hintTextID = 0x40012;
    table->Run(4, item);
    EXPECT_EQ(item->Block<GP_LabelBlock>()->active, 1);
    EXPECT_EQ(GP_Interface().HintTextId, 0x40012u);
    EXPECT_EQ(GP_Interface().HintChanged, 1);
    EXPECT_EQ(table->sounds, std::vector<std::uint32_t>{kPressSound});
    GP_Interface().HintChanged = 0;
    item->changed = 0;
    table->Run(5, item);
    EXPECT_EQ(item->Block<GP_LabelBlock>()->active, 0);
    EXPECT_EQ(item->changed, 1);
    EXPECT_EQ(GP_Interface().HintTextId, GP_HintNone);
    EXPECT_EQ(GP_Interface().HintChanged, 1);
}

TEST_F(ActionsTest, VolumesStepWithinTheirBoundsOnlyThroughAnEnabledButton)
{
    struct Case {
        std::uint32_t action;
        std::int32_t before;
        int variable;  // -1: none
        std::int32_t after;
        bool sound;
    };
    const Case cases[] = {
        {27, -3000, 1, -3000, false}, {27, -2950, 1, -3000, false}, {26, 0, 1, 0, false},
        {26, -50, 1, 0, false},       {26, -500, 1, -400, false},   {26, -500, 0, -500, false},
        {26, -500, -1, -500, true},   {28, 1000, 1, 1000, false},   {28, 900, 1, 1000, false},
        {29, -3000, 1, -3000, false}, {29, 0, 1, -100, false},
    };
    CGP_Button* button = Add<CGP_Button>();
    std::uint8_t variable = 0;
    for (const Case& c : cases) {
        std::int32_t& volume = c.action <= 27 ? GP_EffectsVolume : MusicVolume;
        const std::int32_t kept = volume;
        volume = c.before;
        variable = static_cast<std::uint8_t>(c.variable);
        button->enableVariable = c.variable < 0 ? nullptr : &variable;
        table->sounds.clear();
        table->Run(c.action, button);
        EXPECT_EQ(volume, c.after) << "action " << c.action << " from " << c.before;
        EXPECT_EQ(table->sounds.size(), c.sound ? 1u : 0u) << "action " << c.action << " from " << c.before;
        volume = kept;
    }
}

TEST_F(ActionsTest, AtMostOneKeyLabelWaitsForAKeyAndTheResetRestoresTheDefaults)
{
    CGP_KeyLabel* keys[3] = {Add<CGP_KeyLabel>(static_cast<CGP_FontCache*>(nullptr)),
                             Add<CGP_KeyLabel>(static_cast<CGP_FontCache*>(nullptr)),
                             Add<CGP_KeyLabel>(static_cast<CGP_FontCache*>(nullptr))};
    CGP_Button* reset = Add<CGP_Button>();
    table->Run(39, keys[0]);
    frame->TypedKeys['A'] = 1;
    table->Run(39, keys[2]);
    EXPECT_EQ(keys[0]->Block<GP_LabelBlock>()->active, 0);
    EXPECT_EQ(keys[1]->Block<GP_LabelBlock>()->active, 0);
    EXPECT_EQ(keys[2]->Block<GP_LabelBlock>()->active, 1);
    EXPECT_EQ(frame->TypedKeys['A'], 0);  // a key typed before the choice is not taken

    frame->GameKeys.codes[0] = 'Z';
    frame->GameKeys.codes[3] = 'X';
    table->Run(41, reset);
    const std::uint16_t defaults[4] = {37, 39, 32, 38};
    for (int key = 0; key < 4; ++key) EXPECT_EQ(frame->GameKeys.codes[key], defaults[key]);
    for (CGP_KeyLabel* key : keys) EXPECT_EQ(key->Block<GP_LabelBlock>()->active, 0);
    EXPECT_EQ(table->sounds.back(), kClickSound);
}

TEST_F(ActionsTest, SoundSwitchesOnlyWithAWorkingDevice)
{
    CGP_CheckBox* box = Add<CGP_CheckBox>();
    const std::uint8_t keptSound = GlobalSoundEnabled;
    box->value = &GlobalSoundEnabled;
    GlobalSoundEnabled = 1;
    GlobalDirectSoundEnabled = 0;
    table->Run(24, box);
    EXPECT_EQ(GlobalSoundEnabled, 1);
    GlobalDirectSoundEnabled = 1;
    table->Run(24, box);
    EXPECT_EQ(GlobalSoundEnabled, 0);
    GlobalSoundEnabled = keptSound;
}

// Without a music layer to create, switching music on turns music off for the run.
TEST_F(ActionsTest, MusicThatCannotStartSwitchesItselfOff)
{
    CGP_CheckBox* box = Add<CGP_CheckBox>();
    box->value = &GlobalMusicEnabled;
    GlobalMusicEnabled = 0;
    GlobalDirectMusicEnabled = 1;
    table->Run(25, box);
    EXPECT_EQ(GlobalMusicEnabled, 0);
    EXPECT_EQ(GlobalDirectMusicEnabled, 0);
    EXPECT_EQ(table->sounds, std::vector<std::uint32_t>{kClickSound});
}

}  // namespace
}  // namespace actionstest
