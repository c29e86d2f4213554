#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "frames/Sequence.h"
#include "platform/win32_desktop.h"
#include "platform/win32_window.h"
#include "ui/PointerOffset.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

std::uint32_t g_now = 0;
std::uint32_t FakeTicks() { return g_now; }

// A screen over a 200 x 150 16-bit frame with a fake clock and fresh input records, and two recording windows:
// A (front, focused, 0..50 x 0..50) and B (60..110 x 0..50).
class Screen : public testing::Test {
protected:
    void SetUp() override
    {
        g_now = 1000;
        SetToolkitTickSource(&FakeTicks);
        MouseState::Get().Reset();
        KeyboardState::Get().Reset();
        output.Create(200, 150, 16);
        screen = std::make_unique<CScreenWindow>(&output, DefaultTestFont());
        b = AddWindow("B", Rect::At(60, 0, 50, 50));
        a = AddWindow("A", Rect::At(0, 0, 50, 50));
        screen->ActivateChild(a);
    }
    void TearDown() override
    {
        screen.reset();
        SetToolkitTickSource(nullptr);
        SetPointerOffset(0, 0);
    }
    RecordingWindow* AddWindow(const char* name, const Rect& rect)
    {
        auto* w = new RecordingWindow(nullptr, name, &log);
        w->SetRect(rect);
        screen->AddChildFront(w, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        return w;
    }
    void Frame(int advanceMs = 16)
    {
        g_now += static_cast<std::uint32_t>(advanceMs);
        screen->Update(advanceMs / 1000.0f);
    }
    void PointAt(int x, int y) { MouseState::Get().StorePosition(x, y); }

    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
    RecordingWindow* a = nullptr;
    RecordingWindow* b = nullptr;
    std::vector<std::string> log;
};

TEST_F(Screen, TenCodesTypedBeforeAFrameLoseTheFirstAndDeliverNineInOrder)
{
    a->takeKeys = true;
    KeyboardState& keys = KeyboardState::Get();
    keys.PutTyped(0);
    for (int code = 'a'; code < 'a' + 10; ++code) keys.PutTyped(code);
    EXPECT_EQ(keys.GetTypedCount(), 9);
    Frame();
    std::vector<std::string> expected;
    for (int code = 'b'; code < 'a' + 10; ++code) expected.push_back("A key " + std::to_string(code));
    EXPECT_EQ(log, expected);
}

TEST_F(Screen, ADoubleClickTakenWithoutPressTooMakesNoPressAndNoRelease)
{
    PointAt(10, 10);
    a->takeDoubleClick = true;
    MouseState::Get().DoubleClickButton(0);
    Frame();
    MouseState::Get().ReleaseButton(0);
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"A double"}));

    log.clear();
    a->takeDoubleClick = false;
    MouseState::Get().DoubleClickButton(0);
    Frame();
    MouseState::Get().ReleaseButton(0);
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"A double", "A press 0,0", "A down", "A up"}));
}

TEST_F(Screen, APressAndReleaseBetweenTwoFramesStillClick)
{
    PointAt(10, 10);
    MouseState::Get().PressButton(0);
    MouseState::Get().ReleaseButton(0);
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"A press 0,0", "A down", "A up"}));
    log.clear();
    Frame();
    EXPECT_TRUE(log.empty()) << "one click, delivered once";
}

TEST_F(Screen, AHeldButtonRepeatsAfterTheDelayThenEveryIntervalOnlyOverItsWindow)
{
    a->requestRepeat = true;
    PointAt(10, 10);
    MouseState::Get().PressButton(0);
    Frame();  // press at 1016: next 1116
    EXPECT_FALSE(a->HasRepeatFired());
    Frame(99);
    EXPECT_EQ(a->repeats, 0);
    Frame(2);
    EXPECT_EQ(a->repeats, 1);
    EXPECT_TRUE(a->HasRepeatFired());
    Frame(51);
    EXPECT_EQ(a->repeats, 2);
    PointAt(150, 100);
    Frame(51);
    EXPECT_EQ(a->repeats, 2) << "off the window the timer runs but nothing fires";
    PointAt(10, 10);
    Frame(51);
    EXPECT_EQ(a->repeats, 3);
}

TEST_F(Screen, AWindowDeletedWhileItsButtonIsHeldGetsNoMoreRepeats)
{
    a->requestRepeat = true;
    PointAt(10, 10);
    MouseState::Get().PressButton(0);
    Frame();
    bool deleted = false;
    a->deletedFlag = &deleted;
    delete a;
    ASSERT_TRUE(deleted);
    log.clear();
    Frame(500);
    Frame(500);
    EXPECT_TRUE(log.empty());
}

TEST_F(Screen, RepeatTimesComeFromTheKeyboardSettingsAndSurviveTheTickWrap)
{
    platform::SetKeyboardRepeatSettings(0, 31);
    EXPECT_FLOAT_EQ(RepeatDelaySeconds(), 0.25f);
    EXPECT_NEAR(RepeatIntervalSeconds(), 1.0f / 30.0f, 1e-6);
    platform::SetKeyboardRepeatSettings(3, 0);
    EXPECT_FLOAT_EQ(RepeatDelaySeconds(), 1.0f);
    EXPECT_NEAR(RepeatIntervalSeconds(), 0.4f, 1e-6);
    platform::SetKeyboardRepeatSettings(1, 31);

    g_now = 0xFFFFFFC0u;
    a->requestRepeat = true;
    PointAt(10, 10);
    MouseState::Get().PressButton(0);
    Frame();  // the deadline, 100 ms on, lies past the wrap of the tick count
    Frame(10);
    EXPECT_EQ(a->repeats, 0) << "a deadline past the wrap is not earlier than now";
    Frame(50);
    EXPECT_EQ(a->repeats, 0);
    Frame(60);
    EXPECT_EQ(a->repeats, 1);
}

TEST_F(Screen, RootKeysTable)
{
    a->takeKeys = false;
    struct Case {
        int code;
        int modifier;  // scan code held, 0 for none
        const char* logged;
        bool taken;
    } cases[] = {
        {kKeyInsert, kScanLeftShift, "A paste", true},
        {kKeyInsert, kScanRightControl, "A copy", true},
        {kKeyInsert, 0, nullptr, false},
        {kKeyDelete, kScanRightShift, "A cut", true},
        {kKeyDelete, 0, "A clear", true},
        {kKeyCtrlV, 0, "A paste", true},
        {kKeyCtrlX, 0, "A cut", true},
        {kKeyCtrlC, 0, "A copy", true},
        {kKeyCtrlD, 0, "A copy", true},
        {kKeyF5, 0, nullptr, false},
    };
    for (const Case& c : cases) {
        KeyboardState::Get().Reset();
        if (c.modifier) KeyboardState::Get().KeyDown(c.modifier);
        log.clear();
        KeyboardState::Get().PutTyped(c.code);
        Frame();
        std::vector<std::string> clipboard;
        for (const std::string& line : log)
            if (line.find(" key ") == std::string::npos) clipboard.push_back(line);
        const std::vector<std::string> expected =
            c.logged ? std::vector<std::string>{c.logged} : std::vector<std::string>{};
        EXPECT_EQ(clipboard, expected) << "code " << c.code;
    }
}

TEST_F(Screen, AltLettersReachTheShortcutsBeforeTheKeyHandling)
{
    a->takeKeys = true;
    b->SetText("&Go");
    b->SetTabStop(true);
    KeyboardState::Get().KeyDown(kScanLeftAlt);
    KeyboardState::Get().PutTyped('g');
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"Go activate"}));
    KeyboardState::Get().Reset();
    screen->ActivateChild(a);
    log.clear();
    KeyboardState::Get().PutTyped('g');
    Frame();
    EXPECT_EQ(log, (std::vector<std::string>{"A key 103"}));
}

TEST_F(Screen, TheHintStaysOnScreenAndIsNotRebuiltForTheSameText)
{
    Rect box;
    EXPECT_FALSE(screen->GetHintRect(box));
    a->PopUpText(0, "A hint near the edge", 190, 10);
    ASSERT_TRUE(screen->GetHintRect(box));
    EXPECT_EQ(box.right, 200 - 3 + 1) << "moved left to keep 3 pixels";
    const Rect first = box;
    a->PopUpText(0, "A hint near the edge", 20, 20);
    screen->GetHintRect(box);
    EXPECT_EQ(box, first) << "the same text is not laid out again";
    a->PopUpText(0, "Low", 0, 149);
    screen->GetHintRect(box);
    EXPECT_EQ(box.left, 2 - 1);
    EXPECT_EQ(box.bottom, 150 - 3 + 1);
    screen->RequestHint(0, 0);
    EXPECT_FALSE(screen->GetHintRect(box));
}

TEST_F(Screen, PopUpAtThePointerOpensLeftAtTheEdgeAndMovesThePointerWithTheWindow)
{
    auto* popup = new CJWindow(nullptr, "popup");
    popup->SetRect(Rect::OfSize(40, 30));
    PointAt(190, 20);
    screen->AddChild(popup, 22, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(popup->GetRect(), (Rect{150, 21, 190, 51}));

    auto* wide = new CJWindow(nullptr, "wide");
    wide->SetRect(Rect::OfSize(300, 30));
    PointAt(20, 20);
    screen->AddChild(wide, 22, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(wide->GetRect().left, 0);
    int x = 0, y = 0;
    MouseState::Get().GetPosition(x, y);
    EXPECT_EQ(x, 0) << "the pointer follows the window's correction";
    EXPECT_EQ(y, 20);
}

TEST_F(Screen, ThePointerWarpAddsTheLetterboxOffsets)
{
    SetPointerOffset(160, 0);
    MouseState::Get().SetPosition(10, 12);
    POINT point{};
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 170);
    EXPECT_EQ(point.y, 12);
}

TEST_F(Screen, EscapeCancelsACaptureAndPutsThePointerBackWhereThePressWas)
{
    b->capturePress = true;
    PointAt(70, 20);
    MouseState::Get().PressButton(0);
    Frame();
    ASSERT_EQ(b->GetCaptureMask(), 1u);
    PointAt(150, 120);
    Frame();
    KeyboardState::Get().PutTyped(kKeyEscape);
    Frame();
    EXPECT_EQ(b->GetCaptureMask(), 0u);
    POINT point{};
    GetCursorPos(&point);
    EXPECT_EQ(point.x, 70);
    EXPECT_EQ(point.y, 20);
    log.clear();
    MouseState::Get().ReleaseButton(0);
    Frame();
    for (const std::string& line : log) EXPECT_NE(line, "B release") << "the cancelled capture gets no release";
}

TEST(CursorRuleTest, TheSystemCursorHidesOnlyForASoftwareCursorThatIsSetAndNotShown)
{
    CSequence picture;
    MouseState& mouse = MouseState::Get();
    struct Case {
        bool software;
        bool shown;
        bool cursorSet;
        bool hidden;
    } cases[] = {
        {true, false, true, true},  {true, false, false, false}, {true, true, true, false},
        {true, true, false, false}, {false, false, true, true},  {false, false, false, true},
        {false, true, true, false}, {false, true, false, false},
    };
    for (const Case& c : cases) {
        mouse.Reset();
        mouse.SetCursor(c.cursorSet ? &picture : nullptr, true, false);
        if (c.shown)
            mouse.ShowSystemCursor();
        else
            mouse.HideSystemCursor();
        mouse.SetSoftwareCursor(c.software);
        mouse.ApplySystemCursor();
        HCURSOR current = SetCursor(nullptr);
        SetCursor(current);
        EXPECT_EQ(current == nullptr, c.hidden)
            << "software " << c.software << " shown " << c.shown << " set " << c.cursorSet;
    }
    mouse.Reset();
}

}  // namespace
