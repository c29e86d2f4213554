#include <gtest/gtest.h>

#include "platform/dinput.h"
#include "platform/input_testing.h"
#include "window/headless_script.h"

namespace {

template <typename T>
struct Released {
    T* object = nullptr;
    ~Released()
    {
        if (object) object->Release();
    }
};

class DirectInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::ResetHeadlessInput();
        ASSERT_EQ(DirectInputCreateA(nullptr, DIRECTINPUT_VERSION, &input.object, nullptr), DI_OK);
    }
    void TearDown() override { platform::ResetHeadlessInput(); }

    // The first joystick enumerated, as IDirectInputDevice2A with the game's range and dead zone; null without.
    IDirectInputDevice2A* OpenJoystick()
    {
        IDirectInputDeviceA* first = nullptr;
        struct Finder {
            IDirectInputA* input;
            IDirectInputDeviceA** device;
        } finder{input.object, &first};
        EXPECT_EQ(input.object->EnumDevices(
                      DIDEVTYPE_JOYSTICK,
                      [](LPCDIDEVICEINSTANCEA instance, LPVOID ref) -> BOOL {
                          auto* f = static_cast<Finder*>(ref);
                          f->input->CreateDevice(instance->guidInstance, f->device, nullptr);
                          return DIENUM_STOP;
                      },
                      &finder, DIEDFL_ATTACHEDONLY),
                  DI_OK);
        if (!first) return nullptr;
        IDirectInputDevice2A* joystick = nullptr;
        EXPECT_EQ(first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&joystick)), S_OK);
        first->Release();
        joystick->SetDataFormat(&c_dfDIJoystick);
        for (DWORD axis : {DIJOFS_X, DIJOFS_Y}) {
            DIPROPRANGE range{{sizeof(DIPROPRANGE), sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET}, -1000, 1000};
            DIPROPDWORD zone{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), axis, DIPH_BYOFFSET}, 1000};
            EXPECT_EQ(joystick->SetProperty(DIPROP_RANGE, &range.diph), DI_OK);
            EXPECT_EQ(joystick->SetProperty(DIPROP_DEADZONE, &zone.diph), DI_OK);
        }
        return joystick;
    }

    Released<IDirectInputA> input;
};

}  // namespace

TEST(JoystickAxis, RawValuesMapOntoTheRangeOutsideTheDeadZone)
{
    struct Case {
        int raw;
        LONG expected;
    };
    const Case cases[] = {
        {0, 0},        {3276, 0},       {-3276, 0},  // inside 10 %
        {32767, 1000}, {-32768, -1000},              // full deflection reaches the ends
        {16384, 444},  {-16384, -444},               // half way: (0.5 - 0.1) / 0.9
        {3604, 11},                                  // just past the edge
    };
    for (const Case& c : cases) EXPECT_EQ(platform::ScaleJoystickAxis(c.raw, -1000, 1000, 1000), c.expected) << c.raw;
    EXPECT_EQ(platform::ScaleJoystickAxis(0, 0, 65535, 0), 32768);
    EXPECT_EQ(platform::ScaleJoystickAxis(20000, -1000, 1000, 10000), 0);  // a dead zone of the whole range
}

TEST_F(DirectInputTest, TheMouseReportsMotionSinceTheLastReadAndItsButtons)
{
    Released<IDirectInputDeviceA> mouse;
    ASSERT_EQ(input.object->CreateDevice(GUID_SysMouse, &mouse.object, nullptr), DI_OK);
    ASSERT_EQ(mouse.object->SetDataFormat(&c_dfDIMouse), DI_OK);
    ASSERT_EQ(mouse.object->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    DIMOUSESTATE state{};
    EXPECT_EQ(mouse.object->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED);
    ASSERT_EQ(mouse.object->Acquire(), DI_OK);

    platform::HeadlessMouseMotion(5, -3);
    platform::HeadlessMouseMotion(2, 1);
    platform::HeadlessMouseButton(0, true);
    ASSERT_EQ(mouse.object->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 7);
    EXPECT_EQ(state.lY, -2);
    EXPECT_EQ(state.rgbButtons[0], 0x80);
    EXPECT_EQ(state.rgbButtons[1], 0);
    ASSERT_EQ(mouse.object->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 0);

    DIJOYSTATE wrong{};
    EXPECT_EQ(mouse.object->GetDeviceState(sizeof wrong, &wrong), DIERR_INVALIDPARAM);
    platform::SetInputFailure(platform::InputCall::GetDeviceState, DIERR_INPUTLOST);
    EXPECT_EQ(mouse.object->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST);
}

TEST_F(DirectInputTest, AJoystickIsEnumeratedOnlyWhileAttachedAndFollowsPlugging)
{
    EXPECT_EQ(OpenJoystick(), nullptr);
    platform::HeadlessJoystickAttached(true);
    Released<IDirectInputDevice2A> joystick{OpenJoystick()};
    ASSERT_NE(joystick.object, nullptr);
    ASSERT_EQ(joystick.object->Acquire(), DI_OK);
    platform::HeadlessJoystickAxes(32767, -16384);
    platform::HeadlessJoystickButton(1, true);
    DIJOYSTATE state{};
    ASSERT_EQ(joystick.object->Poll(), DI_OK);
    ASSERT_EQ(joystick.object->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 1000);
    EXPECT_EQ(state.lY, -444);
    EXPECT_EQ(state.rgbButtons[0], 0);
    EXPECT_EQ(state.rgbButtons[1], 0x80);

    platform::HeadlessJoystickAttached(false);
    EXPECT_EQ(joystick.object->Poll(), DIERR_INPUTLOST);
    EXPECT_EQ(joystick.object->Acquire(), DIERR_INPUTLOST);
    platform::HeadlessJoystickAttached(true);
    EXPECT_EQ(joystick.object->Acquire(), DI_OK);
    EXPECT_EQ(joystick.object->Poll(), DI_OK);
}

TEST(HeadlessScript, ReadsMouseMotionAndJoystickEventsForTheDevicesOnly)
{
    const platform::ParsedScript script = platform::ParseHeadlessScript(
        "1 mouse motion 15 -4\n"
        "2 joystick attach\n"
        "3 joystick axes 32767 -5\n"
        "4 joystick down 1\n"
        "5 joystick detach\n"
        "6 joystick axes 40000 0\n"
        "6 joystick down 2\n"
        "6 mouse motion x 1\n");
    ASSERT_EQ(script.errors.size(), 3u);
    ASSERT_EQ(script.events.size(), 6u);
    for (const platform::ScriptEvent& e : script.events) EXPECT_TRUE(e.deviceOnly);
    EXPECT_EQ(script.events[0].event.motion.xrel, 15);
    EXPECT_EQ(script.events[0].event.motion.yrel, -4);
    EXPECT_EQ(script.events[1].event.type, SDL_JOYDEVICEADDED);
    EXPECT_EQ(script.events[3].event.jaxis.axis, 1);
    EXPECT_EQ(script.events[3].event.jaxis.value, -5);
    EXPECT_EQ(script.events[4].event.jbutton.button, 1);
    EXPECT_EQ(script.events[5].event.type, SDL_JOYDEVICEREMOVED);
}
