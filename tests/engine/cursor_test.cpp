#include <gtest/gtest.h>

#include <string>

#include "GP_Behaviour.h"
#include "GP_DirectInput.h"
#include "GP_GameObject.h"
#include "GP_MouseCursor.h"
#include "InterfaceHostFixture.h"
#include "platform/input_testing.h"

using namespace interfacehost;

namespace {

// Logs the events a ship receives: "m dx dy" for motion, "1" and "2" for the fire events, "wk" for the choice
// of weapon k.
class ShipLog : public CGP_Behaviour {
public:
    void Event3(CGP_GameObject*, std::int32_t dx, std::int32_t dy, float) override
    {
        log += "m " + std::to_string(dx) + " " + std::to_string(dy) + ";";
    }
    void Event4(CGP_GameObject*) override { log += "1;"; }
    std::int32_t Event5(CGP_GameObject*) override
    {
        log += "2;";
        return 0;
    }
    void Event6(CGP_GameObject*) override { log += "w0;"; }
    void Event8(CGP_GameObject*) override { log += "w2;"; }
    void Event14(CGP_GameObject*) override { log += "w8;"; }
    std::string log;
};

class CursorTest : public ::testing::Test {
protected:
    CursorTest() { ship.behaviour = &behaviour; }
    void SetUp() override { platform::ResetHeadlessInput(); }
    void TearDown() override { platform::ResetHeadlessInput(); }

    std::unique_ptr<CGP_DirectInput> MakeInput()
    {
        auto input = std::make_unique<CGP_DirectInput>();
        EXPECT_EQ(input->Create(nullptr, nullptr), GP_InputOk);
        input->SetMouseRect(0, 0, 640, 480);
        return input;
    }

    FakeMainFrame frame;
    ShipLog behaviour;
    CGP_GameObject ship{nullptr};
};

}  // namespace

TEST_F(CursorTest, WithoutDirectInputThePointerMovesCursorAndShipFromTheCentre)
{
    frame.pointerX = 320, frame.pointerY = 240;
    CGP_MouseCursor cursor(&frame, nullptr, &ship);
    frame.pointerX = 330, frame.pointerY = 235;
    cursor.Update(20);
    EXPECT_EQ(cursor.x, 330);
    EXPECT_EQ(cursor.y, 235);
    EXPECT_EQ(behaviour.log, "m 10 -5;");
    EXPECT_FLOAT_EQ(cursor.Block<GP_ElementBlock>()->x, 330);
}

TEST_F(CursorTest, TheCursorStaysOnTheScreenHoweverLargeTheMotion)
{
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    for (auto [px, py, x, y] : {std::tuple{100000, -100000, 639, 0}, std::tuple{-100000, 100000, 0, 479}}) {
        frame.pointerX = px, frame.pointerY = py;
        cursor.Update(20);
        EXPECT_EQ(cursor.x, x);
        EXPECT_EQ(cursor.y, y);
    }
}

TEST_F(CursorTest, KeysAndButtonsSteerAndFireUnlessTheLevelIsSuspended)
{
    frame.pointerX = 320, frame.pointerY = 240;
    CGP_MouseCursor cursor(&frame, nullptr, &ship);
    frame.GameKeys.pressed[0] = 1;  // left
    frame.GameKeys.pressed[3] = 1;  // fire 2
    frame.pointerButtons = 1;       // left button: fire 1
    cursor.Update(20);
    EXPECT_EQ(behaviour.log, "m -640 0;1;2;");
    EXPECT_EQ(cursor.leftDown, 1);
    EXPECT_EQ(cursor.leftHeld.x, 320);
    frame.pointerButtons = 0;
    frame.pointerX = 321;
    cursor.Update(20);
    EXPECT_EQ(cursor.leftDown, 0);
    EXPECT_EQ(cursor.leftReleased.x, 321);
    EXPECT_EQ(cursor.leftHeld.x, 320);

    behaviour.log.clear();
    frame.levelSuspended = true;
    cursor.Update(20);
    EXPECT_EQ(behaviour.log, "");
}

TEST_F(CursorTest, APressReleasedWithinOneFrameStillGivesOneFrameWithTheButtonDown)
{
    frame.pointerX = 320, frame.pointerY = 240;
    CGP_MouseCursor cursor(&frame, nullptr, &ship);
    frame.SetPointerButtons(2);  // right pressed and released between two frames, left held throughout
    frame.SetPointerButtons(0);
    cursor.Update(20);
    EXPECT_EQ(cursor.rightDown, 1);
    EXPECT_EQ(behaviour.log, "m 0 0;2;");
    cursor.Update(20);
    EXPECT_EQ(cursor.rightDown, 0);
    frame.SetPointerButtons(1);
    cursor.Update(20);
    cursor.Update(20);
    EXPECT_EQ(cursor.leftDown, 1);  // a held button stays down
}

TEST_F(CursorTest, TheExtraKeysThreeToNineZeroAndVChooseTheWeaponsZeroToEight)
{
    frame.pointerX = 320, frame.pointerY = 240;
    CGP_MouseCursor cursor(&frame, nullptr, &ship);
    frame.GameKeys.pressed[4] = 1;   // "3"
    frame.GameKeys.pressed[6] = 1;   // "5"
    frame.GameKeys.pressed[12] = 1;  // "V"
    frame.GameKeys.pressed[13] = 1;  // "E" chooses nothing
    cursor.Update(20);
    EXPECT_EQ(behaviour.log, "m 0 0;w0;w2;w8;");
}

TEST_F(CursorTest, DirectInputMotionMovesTheCursorAndTheJoystickSteers)
{
    platform::HeadlessJoystickAttached(true);
    auto input = MakeInput();
    ASSERT_EQ(input->joystickPresent, 1);
    frame.pointerX = 100, frame.pointerY = 100;
    CGP_MouseCursor cursor(&frame, input.get(), &ship);
    struct Step {
        int motionX, motionY, axisX;
        bool button0;
        const char* events;
    };
    const Step steps[] = {
        {5, -2, 0, false, "m 5 -2;"},        // at rest the joystick adds nothing
        {0, 0, 32767, false, "m 16 0;"},     // full deflection adds 16
        {0, 0, -32768, true, "m -16 0;1;"},  // and full left takes 16; button 0 is fire 1
        {0, 0, 2000, false, "m 0 0;"},       // inside the dead zone
    };
    for (const Step& s : steps) {
        behaviour.log.clear();
        platform::HeadlessMouseMotion(s.motionX, s.motionY);
        platform::HeadlessJoystickAxes(s.axisX, 0);
        platform::HeadlessJoystickButton(0, s.button0);
        cursor.Update(20);
        EXPECT_EQ(behaviour.log, s.events);
    }
    EXPECT_EQ(cursor.x, 105);
    EXPECT_EQ(cursor.y, 98);
}

TEST_F(CursorTest, AFailedPollReportsNoMotionAndNoButtons)
{
    auto input = MakeInput();
    platform::HeadlessMouseMotion(7, 7);
    platform::HeadlessMouseButton(0, true);
    input->Poll();
    EXPECT_EQ(input->mouseMotionX, 7);
    EXPECT_EQ(input->mousePressed[0], 1);
    platform::HeadlessMouseMotion(7, 7);
    platform::SetInputFailure(platform::InputCall::GetDeviceState, DIERR_INPUTLOST);
    input->Poll();
    EXPECT_EQ(input->mouseMotionX, 0);
    EXPECT_EQ(input->mouseHeld[0], 0);
    platform::ClearInputFailures();
    input->Poll();
    EXPECT_EQ(input->mousePressed[0], 1);  // down again after the failed poll
}

TEST_F(CursorTest, EachFailingSetUpStepGivesItsResultCode)
{
    const struct {
        platform::InputCall call;
        GP_InputError result;
    } cases[] = {
        {platform::InputCall::Create, GP_ErrInputCreate},
        {platform::InputCall::EnumDevices, GP_ErrJoystickEnum},
        {platform::InputCall::QueryInterface, GP_ErrJoystickInterface},
        {platform::InputCall::SetProperty, GP_ErrJoystickProperty},
        {platform::InputCall::AcquireJoystick, GP_ErrJoystickAcquire},
    };
    for (const auto& c : cases) {
        platform::ResetHeadlessInput();
        platform::HeadlessJoystickAttached(true);
        platform::SetInputFailure(c.call, E_FAIL);
        CGP_DirectInput input;
        EXPECT_EQ(input.Create(nullptr, nullptr), c.result);
        EXPECT_EQ(input.joystickPresent, 0);
    }
    platform::ResetHeadlessInput();
    platform::SetInputFailure(platform::InputCall::AcquireMouse, E_FAIL);
    CGP_DirectInput input;
    EXPECT_EQ(input.Create(nullptr, nullptr), GP_InputOk);  // no mouse, no joystick: still set up
    EXPECT_EQ(input.mousePresent, 0);
    EXPECT_EQ(input.keptValue, 300);
}

TEST_F(CursorTest, AJoystickPulledOutReadsAtRestAndOnePluggedInLaterIsFound)
{
    auto input = MakeInput();
    EXPECT_EQ(input->joystickPresent, 0);
    platform::HeadlessJoystickAttached(true);
    platform::HeadlessJoystickAxes(32767, 0);
    input->Poll();
    EXPECT_EQ(input->joystickPresent, 1);
    EXPECT_EQ(input->joystickX, 1000);
    platform::HeadlessJoystickAttached(false);
    input->Poll();
    EXPECT_EQ(input->joystickX, 0);
    platform::HeadlessJoystickAttached(true);
    platform::HeadlessJoystickAxes(-32768, 0);
    input->Poll();
    input->Poll();
    EXPECT_EQ(input->joystickX, -1000);
}

TEST_F(CursorTest, TheAnimationStepsEvery75MillisecondsAndWraps)
{
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    *cursor.GetFrameCount() = 3;
    cursor.frames = std::make_unique<CGP_SurfaceFrames>();
    for (int i = 0; i < 3; ++i) cursor.frames->Add(nullptr, 0, 0, 1, 1);
    frame.pointerX = 320, frame.pointerY = 240;
    const struct {
        float step;
        int frame;
    } steps[] = {{75, 0}, {1, 1}, {76, 2}, {76, 0}};
    for (const auto& s : steps) {
        cursor.Update(s.step);
        EXPECT_EQ(cursor.frameIndex, s.frame);
    }
}
