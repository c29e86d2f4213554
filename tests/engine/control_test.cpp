#include <gtest/gtest.h>

#include "GP_Button.h"
#include "GP_Control.h"
#include "InterfaceHostFixture.h"

using namespace interfacehost;

namespace {

struct Step {
    int x, y;
    bool down;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    const char* events;  // e enter, l leave, p press, c click
    std::uint32_t finalState;
};

}  // namespace

// The control covers 10..19 x 10..19; (5, 5) is outside, (15, 15) inside.
TEST(ControlTest, MouseStateMachine)
{
    const Case cases[] = {
        {"hover in and out", {{15, 15, false}, {15, 16, false}, {5, 5, false}}, "el", GP_MouseOutside},
        {"click inside", {{15, 15, false}, {15, 15, true}, {16, 16, true}, {16, 16, false}}, "epc", GP_MouseOver},
        {"press outside, drag over, release", {{5, 5, true}, {15, 15, true}, {15, 15, false}}, "e", GP_MouseOver},
        {"press inside, leave, release outside",
         {{15, 15, false}, {15, 15, true}, {5, 5, true}, {5, 5, false}},
         "epl",
         GP_MouseOutside},
        {"press inside, out and back, release",
         {{15, 15, false}, {15, 15, true}, {5, 5, true}, {15, 15, true}, {15, 15, false}},
         "eple",
         GP_MouseOver},
        {"right edge is outside", {{20, 15, false}, {19, 19, false}, {10, 20, false}}, "el", GP_MouseOutside},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMainFrame frame;
        FakeActions actions;
        CGP_MouseCursor cursor(&frame, nullptr, nullptr);
        CGP_Control control(nullptr, &cursor);
        Place(control, 10, 10, 10, 10);
        UseLoggingActions(control);
        control.Bind(&actions);
        for (const Step& s : c.steps) {
            Point(cursor, s.x, s.y, s.down);
            EXPECT_TRUE(control.Update(16));
        }
        EXPECT_EQ(actions.log, c.events);
        EXPECT_EQ(control.mouseState, c.finalState);
    }
}

TEST(ControlTest, AClickNeedsTheLastHeldPositionInside)
{
    FakeMainFrame frame;
    FakeActions actions;
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    CGP_Control control(nullptr, &cursor);
    Place(control, 10, 10, 10, 10);
    UseLoggingActions(control);
    control.Bind(&actions);
    Point(cursor, 15, 15, false);
    control.Update(16);
    Point(cursor, 15, 15, true);
    control.Update(16);
    // The button came up within the frame the cursor jumped in: the last held position is outside.
    cursor.leftHeld = {5, 5};
    Point(cursor, 15, 15, false);
    control.Update(16);
    EXPECT_EQ(actions.log, "epe");
}

TEST(ControlTest, BindingTakesHandlersAndTheEnablingVariable)
{
    FakeMainFrame frame;
    FakeActions actions;
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    CGP_Button button(nullptr, &cursor);
    *button.GetEnterAction() = 0;  // 0 binds nothing, like -1
    *button.GetClickAction() = Click;
    *button.GetEnableVariableID() = 0xD0001;
    frame.Variable<std::uint8_t>(0xD0001) = 0;
    button.Bind(&actions);
    EXPECT_EQ(*button.GetEnterHandler(), nullptr);
    EXPECT_NE(*button.GetClickHandler(), nullptr);
    EXPECT_FALSE(button.IsEnabled());
    EXPECT_EQ(button.frameIndex, GP_ButtonDisabled);
    frame.Variable<std::uint8_t>(0xD0001) = 1;
    EXPECT_TRUE(button.IsEnabled());
}

TEST(ControlTest, ButtonFramesFollowTheMouseState)
{
    FakeMainFrame frame;
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    CGP_Button button(nullptr, &cursor);
    Place(button, 0, 0, 10, 10);
    EXPECT_EQ(*button.GetFrameCount(), 4);
    button.Bind(nullptr);
    const struct {
        Step step;
        int frame;
    } steps[] = {{{5, 5, false}, GP_ButtonHover}, {{5, 5, true}, GP_ButtonPressed}, {{50, 5, true}, GP_ButtonNormal}};
    for (const auto& s : steps) {
        Point(cursor, s.step.x, s.step.y, s.step.down);
        button.Update(16);
        EXPECT_EQ(button.frameIndex, s.frame);
    }
}
