#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "GP_Animation.h"
#include "GP_CheckBox.h"
#include "GP_ImageControl.h"
#include "GP_Label.h"
#include "GP_Slider.h"
#include "GP_TextInput.h"
#include "InterfaceHostFixture.h"

using namespace interfacehost;

namespace {

constexpr std::uint32_t ValueID = 0xD0001;
constexpr std::uint32_t EnableID = 0xD0002;

class KindsTest : public ::testing::Test {
protected:
    void SetUp() override { GP_Interface() = GP_InterfaceState{}; }
    void TearDown() override { GP_KeyNames = nullptr; }

    FakeMainFrame frame;
    CGP_MouseCursor cursor{&frame, nullptr, nullptr};
};

}  // namespace

TEST_F(KindsTest, CheckBoxFramesByValueEnablingAndHover)
{
    struct Case {
        int value;    // -1: no value variable
        int enabled;  // -1: no enabling variable
        bool hover;
        int frame;
    };
    const Case cases[] = {
        {0, -1, false, 0}, {1, -1, false, 1}, {0, -1, true, 2}, {1, -1, true, 3},  {0, 0, false, 4},
        {1, 0, false, 5},  {1, 0, true, 5},   {1, 1, true, 3},  {-1, -1, true, 0}, {-1, 0, false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "value " << c.value << " enabled " << c.enabled << " hover " << c.hover);
        FakeMainFrame host;
        CGP_MouseCursor mouse(&host, nullptr, nullptr);
        CGP_CheckBox box(nullptr, &mouse);
        Place(box, 0, 0, 10, 10);
        if (c.value >= 0) {
            box.Block<GP_CheckBoxBlock>()->valueVariable = ValueID;
            host.Variable<std::uint8_t>(ValueID) = static_cast<std::uint8_t>(c.value);
        }
        if (c.enabled >= 0) {
            *box.GetEnableVariableID() = EnableID;
            host.Variable<std::uint8_t>(EnableID) = static_cast<std::uint8_t>(c.enabled);
        }
        box.Bind(nullptr);
        Point(mouse, c.hover ? 5 : 50, 5, false);
        box.Update(16);
        EXPECT_EQ(box.frameIndex, c.frame);
    }
}

namespace {

// A slider 10 wide at y 50 over the x positions, its value in a variable.
std::unique_ptr<CGP_Slider> MakeSlider(CGP_MouseCursor& cursor, int lowPos, int highPos, int lowValue, int highValue)
{
    auto slider = std::make_unique<CGP_Slider>(nullptr, &cursor);
    Place(*slider, 0, 50, 10, 10);
    GP_SliderBlock& f = *slider->Block<GP_SliderBlock>();
    f.valueVariable = ValueID;
    f.lowestPosition = lowPos, f.highestPosition = highPos;
    f.lowestValue = lowValue, f.highestValue = highValue;
    slider->Bind(nullptr);
    return slider;
}

}  // namespace

TEST_F(KindsTest, SliderPlacesItsKnobAndDraggingWritesTheValue)
{
    frame.Variable<std::int32_t>(ValueID) = 50;
    auto slider = MakeSlider(cursor, 100, 300, 0, 100);
    Point(cursor, 0, 0, false);
    slider->Update(16);
    EXPECT_FLOAT_EQ(slider->Block<GP_SliderBlock>()->x, 200);

    Point(cursor, 205, 55, false);  // over the knob
    slider->Update(16);
    Point(cursor, 205, 55, true);  // pressed: dragging starts here
    slider->Update(16);
    EXPECT_TRUE(slider->dragging);
    Point(cursor, 204, 80, true);  // one pixel left, and off the knob: still dragging
    slider->Update(16);
    EXPECT_EQ(frame.Variable<std::int32_t>(ValueID), 49);
    EXPECT_EQ(slider->frameIndex, 1);
    Point(cursor, 900, 80, true);  // far right: the knob stops at the highest position
    slider->Update(16);
    EXPECT_EQ(frame.Variable<std::int32_t>(ValueID), 100);
    Point(cursor, 900, 80, false);
    slider->Update(16);
    EXPECT_FALSE(slider->dragging);
}

TEST_F(KindsTest, SliderWhoseRangesSpanNothingKeepsItsKnobAtTheLowestPosition)
{
    for (auto [lowPos, highPos, lowValue, highValue] : {std::tuple{100, 100, 0, 100}, std::tuple{100, 300, 7, 7}}) {
        frame.Variable<std::int32_t>(ValueID) = 7;
        auto slider = MakeSlider(cursor, lowPos, highPos, lowValue, highValue);
        Point(cursor, 0, 0, false);
        slider->Update(16);
        EXPECT_FLOAT_EQ(slider->Block<GP_SliderBlock>()->x, 100);
        Point(cursor, 105, 55, false);
        slider->Update(16);
        Point(cursor, 105, 55, true);
        slider->Update(16);
        Point(cursor, 95, 55, true);
        slider->Update(16);
        EXPECT_FLOAT_EQ(slider->Block<GP_SliderBlock>()->x, 100);
        EXPECT_EQ(frame.Variable<std::int32_t>(ValueID), 7);
    }
}

TEST_F(KindsTest, NumericDisplayDigitsAndPlaces)
{
    struct Case {
        int places;
        bool zeros, right;
        std::int32_t value;
        std::vector<std::pair<int, int>> digits;  // digit, x in digit widths
    };
    const Case cases[] = {
        {6, false, false, 42, {{4, 0}, {2, 1}}},
        {6, true, false, 42, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {4, 4}, {2, 5}}},
        {6, false, true, 42, {{4, 3}, {2, 4}}},  // shifted by places - digits - 1
        {6, false, false, 0, {{0, 0}}},
        {3, false, false, -5, {{0, 0}}},
        {3, false, false, 1234567, {{9, 0}, {9, 1}, {9, 2}}},
        {12,
         false,
         false,
         2147483647,
         {{2, 0}, {1, 1}, {4, 2}, {7, 3}, {4, 4}, {8, 5}, {3, 6}, {6, 7}, {4, 8}, {7, 9}}},
        {0, false, false, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in " << c.places);
        CGP_ImageControl display(nullptr, &cursor);
        *display.GetPlaces() = c.places;
        *display.GetLeadingZeros() = c.zeros;
        *display.GetRightAlign() = c.right;
        *display.GetDigitWidth() = 7;
        std::vector<std::pair<int, int>> got;
        for (const auto& d : display.PlaceDigits(c.value)) got.push_back({d.digit, d.x / 7});
        EXPECT_EQ(got, c.digits);
    }
}

namespace {

class TextEntryTest : public KindsTest {
protected:
    void SetUp() override
    {
        KindsTest::SetUp();
        entry.Block<GP_TextInputBlock>()->targetVariable = ValueID;
        frame.Variable<char>(ValueID) = 0;
        entry.Bind(nullptr);
        entry.editing = 1;
    }
    void Type(const char* keys)
    {
        for (const char* k = keys; *k; ++k) frame.TypedKeys[static_cast<unsigned char>(*k)] = 1;
        entry.Update(16);
    }
    std::string Target() { return reinterpret_cast<const char*>(frame.variables[ValueID].data()); }

    CGP_TextInput entry{nullptr, &cursor, nullptr};
};

}  // namespace

TEST_F(TextEntryTest, CharactersTypedInOneFrameAreAllKeptInOrder)
{
    Type("cab");
    EXPECT_STREQ(entry.editBuffer, "abc|");
    for (char c : std::string("abc")) EXPECT_EQ(frame.TypedKeys[static_cast<unsigned char>(c)], 0);
    Type(" 9");
    EXPECT_STREQ(entry.editBuffer, "abc 9|");
}

// The target is a player's 12-byte name: the entry takes eleven characters, all of which Enter keeps, and
// nothing past the NUL is written.
TEST_F(TextEntryTest, ElevenCharactersStopTypingButNotBackspaceOrEnter)
{
    std::vector<std::uint8_t>& target = frame.variables[ValueID];
    std::fill(target.begin(), target.end(), 0x7F);
    Type("abcdefghij");
    Type("xyz");  // only one fits: x
    EXPECT_EQ(entry.TextWithoutCaret(), "abcdefghijx");
    Type("q");
    EXPECT_EQ(entry.TextWithoutCaret(), "abcdefghijx");
    EXPECT_EQ(frame.TypedKeys['q'], 1);  // left for others
    frame.TypedKeys['q'] = 0;
    Type("\r");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.data()), 12), std::string("abcdefghijx\0", 12));
    EXPECT_EQ(target[12], 0x7F);
    EXPECT_EQ(entry.editing, 0);
    EXPECT_EQ(entry.editBuffer[0], 0);
    EXPECT_EQ(frame.TypedKeys[GP_KeyEnter], 0);
    entry.editing = 1;
    Type("abcdefghijk");
    Type("\b");
    EXPECT_EQ(entry.TextWithoutCaret(), "abcdefghij");
}

TEST_F(TextEntryTest, EnterOnAnEmptyEntryKeepsEditingAndEscapeDropsTheText)
{
    Type("\r");
    EXPECT_EQ(entry.editing, 1);
    EXPECT_EQ(frame.TypedKeys[GP_KeyEnter], 1);
    frame.TypedKeys[GP_KeyEnter] = 0;
    Type("ab");
    Type("\x1b");
    EXPECT_EQ(entry.editing, 0);
    EXPECT_EQ(entry.editBuffer[0], 0);
    EXPECT_EQ(Target(), "");
}

TEST_F(TextEntryTest, TheCaretBlinksEvery250Milliseconds)
{
    entry.Update(16);  // the timer starts at 0, so the caret shows at once
    EXPECT_STREQ(entry.editBuffer, "|");
    entry.Update(249);
    EXPECT_STREQ(entry.editBuffer, "|");
    entry.Update(2);
    EXPECT_STREQ(entry.editBuffer, "");
    entry.Update(251);
    EXPECT_STREQ(entry.editBuffer, "|");
}

TEST_F(KindsTest, HintLabelShowsTheHintTextOrNothing)
{
    CGP_HintLabel label(nullptr, &cursor, nullptr);
    label.text = "old";
    GP_Interface().HintTextId = GP_NoImage;
    GP_Interface().HintChanged = 1;
    label.changed = 0;
    label.Update(16);
    EXPECT_EQ(label.text, "");
    EXPECT_EQ(label.changed, 1);
    EXPECT_EQ(GP_Interface().HintChanged, 0);
}

TEST_F(KindsTest, KeyLabelTakesTheNextKeyButNotEscape)
{
    const char* names[256] = {};
    names['A'] = " A";
    names['Q'] = " Q";
    names[13] = " Enter";
    GP_KeyNames = names;
    CGP_KeyLabel label(nullptr, &cursor, nullptr);
    label.Block<GP_KeyLabelBlock>()->keyVariable = ValueID;
    frame.Variable<std::uint8_t>(ValueID) = 'Q';
    label.Bind(nullptr);
    EXPECT_EQ(label.text, " Q");

    label.Block<GP_KeyLabelBlock>()->active = 1;  // waiting
    frame.GameKeys.codes[2] = 'A';
    frame.lastKeyDown = GP_KeyEscape;
    label.Update(16);
    EXPECT_EQ(label.Block<GP_KeyLabelBlock>()->active, 1);
    EXPECT_EQ(frame.lastKeyDown, 0u);

    frame.lastKeyDown = 'A';
    label.Update(16);
    EXPECT_EQ(frame.Variable<std::uint8_t>(ValueID), 'A');
    EXPECT_EQ(label.text, " A");
    EXPECT_EQ(frame.GameKeys.codes[2], 0);
    EXPECT_EQ(label.Block<GP_KeyLabelBlock>()->active, 0);

    label.Block<GP_KeyLabelBlock>()->active = 1;
    frame.TypedKeys[GP_KeyEnter] = 1;
    frame.lastKeyDown = GP_KeyEnter;
    label.Update(16);
    EXPECT_EQ(label.text, " Enter");
    EXPECT_EQ(frame.TypedKeys[GP_KeyEnter], 0);
}

TEST_F(KindsTest, AnimationWrapsAtHalfAFramePastTheEnds)
{
    CGP_Animation animation(nullptr, &cursor);
    *animation.GetFrameCount() = 4;
    animation.Block<GP_AnimationBlock>()->rate = 0.01f;  // a frame every 100 ms
    const struct {
        float step;
        int frame;
    } steps[] = {{100, 1}, {200, 3}, {49, 3}, {2, 0}, {100, 0}, {60, 1}};
    for (const auto& s : steps) {
        animation.Update(s.step);
        EXPECT_EQ(animation.frameIndex, s.frame) << "after " << s.step;
    }
    animation.Block<GP_AnimationBlock>()->rate = -0.01f;
    animation.position = -0.4f;
    animation.Update(20);
    EXPECT_EQ(animation.frameIndex, 3);
}
