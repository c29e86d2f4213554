// What a window draws of its own (the arrow, cross and shortcut texts, the focus and idle outlines), how motion
// and the wheel find their windows, and the software cursor's animation and drawing.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "blit/BlitType.h"
#include "frames/Sequence.h"
#include "ui/InputState.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

namespace {

std::uint32_t Value565(int r, int g, int b) { return MakeColor(r, g, b).value565; }

const std::uint32_t kHighlight = Value565(63, 154, 255);

class TextWindow : public CJWindow {
public:
    explicit TextWindow(const char* text) : CJWindow(nullptr, text) { SetRect(Rect::OfSize(80, 40)); }
};

TEST(WindowTextTest, ArrowsAndTheCrossArePixelsInTheHighlightColour)
{
    DefaultTestFont();
    struct Case {
        const char* text;
        std::vector<std::pair<int, int>> lit;
        std::vector<std::pair<int, int>> dark;
    };
    // Drawn at (10, 10).
    const Case cases[] = {
        {"/\\", {{10, 8}, {10, 9}, {10, 10}, {10, 11}, {9, 9}, {11, 9}}, {{10, 12}, {9, 10}, {11, 10}, {10, 7}}},
        {"\\/", {{10, 8}, {10, 11}, {9, 10}, {11, 10}}, {{9, 9}, {11, 9}, {10, 12}}},
        {"><", {{7, 8}, {11, 12}, {11, 8}, {7, 12}, {9, 10}}, {{9, 8}, {9, 12}, {12, 10}}},
    };
    for (const Case& c : cases) {
        TextWindow window(c.text);
        CFrame frame;
        frame.Create(20, 20, 16);
        window.DrawText(&frame, 10, 10, kJustifyLeft);
        for (auto [x, y] : c.lit) EXPECT_EQ(frame.GetPixelValue(x, y), kHighlight) << c.text << " " << x << "," << y;
        for (auto [x, y] : c.dark) EXPECT_EQ(frame.GetPixelValue(x, y), 0u) << c.text << " " << x << "," << y;
    }
}

// The underline runs under the shortcut span from one pixel in to one pixel short, below the line; a disabled
// window draws none and gives the shared opacities back.
TEST(WindowTextTest, TheShortcutIsUnderlinedOnlyWithTheNormalLook)
{
    CFont* font = DefaultTestFont();
    struct Case {
        const char* text;
        const char* before;
        const char* span;
    };
    const Case cases[] = {{"&Open", "", "O"}, {"Save &As", "Save ", "A"}, {"&Op&en", "", "Op"}};
    for (const Case& c : cases) {
        TextWindow window(c.text);
        const int x = 4, y = 2;
        const int from = x + font->MeasureWidth(c.before) + 1;
        const int to = x + font->MeasureWidth(c.before) + font->MeasureWidth(c.span) - 1;
        const int lineY = std::min(y + font->GetLineHeight() + window.GetBevelWidth() / 2, window.GetHeight() - 1);
        for (bool enabled : {true, false}) {
            window.SetEnabled(enabled);
            CFrame frame;
            frame.Create(80, 40, 16);
            window.DrawText(&frame, x, y, kJustifyLeft);
            EXPECT_EQ(frame.GetPixelValue(from, lineY) == kHighlight, enabled) << c.text;
            EXPECT_EQ(frame.GetPixelValue(to - 1, lineY) == kHighlight, enabled) << c.text;
            EXPECT_NE(frame.GetPixelValue(from - 1, lineY), kHighlight) << c.text;
            EXPECT_NE(frame.GetPixelValue(to, lineY), kHighlight) << c.text;
        }
    }
    EXPECT_FLOAT_EQ(TransparentMaskBlitType().GetOpacity(), 1.0f);
    EXPECT_FLOAT_EQ(BlendBlackBiasType().GetOpacity(), 1.0f);
}

// A focused tab stop is outlined in its parent's outline colour only while the keyboard moves the focus; an
// always-outlined window shows the idle outline colour otherwise.
TEST(WindowOutlineTest, FocusOutlinesNeedKeyboardNavigationAndIdleOutlinesShowOtherwise)
{
    DefaultTestFont();
    TestRoot root;
    root.SetRect(Rect::OfSize(64, 64));
    root.SetFocus(true);
    root.SetOutlineColorRGB(255, 0, 0);
    root.SetIdleOutlineColorRGB(0, 255, 0);
    auto* child = new RecordingWindow(nullptr, "child", nullptr);
    child->SetRect(Rect::At(10, 10, 20, 20));
    root.AddChild(child, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    ASSERT_TRUE(child->HasFocus());
    const std::uint32_t red = Value565(255, 0, 0), green = Value565(0, 255, 0);
    struct Case {
        bool tabStop, alwaysOutlined, navigation;
        std::uint32_t outline;
    };
    const Case cases[] = {
        {true, false, true, red}, {true, false, false, 0},    {false, true, false, green},
        {true, true, true, red},  {true, true, false, green}, {false, false, true, 0},
    };
    for (const Case& c : cases) {
        child->SetTabStop(c.tabStop);
        child->SetAlwaysOutlined(c.alwaysOutlined);
        toolkit::SetKeyboardNavigation(c.navigation);
        CFrame frame;
        frame.Create(64, 64, 16);
        root.Draw(&frame);
        for (auto [x, y] : {std::pair{9, 9}, {30, 30}, {9, 20}, {20, 30}})
            EXPECT_EQ(frame.GetPixelValue(x, y), c.outline)
                << c.tabStop << c.alwaysOutlined << c.navigation << " at " << x << "," << y;
        EXPECT_EQ(frame.GetPixelValue(8, 8), 0u);
        EXPECT_EQ(frame.GetPixelValue(31, 31), 0u);
    }
    toolkit::SetKeyboardNavigation(false);
}

// A window that records the motion, hints and wheel steps it is given, and takes none of them.
class MotionWindow : public CJWindow {
public:
    MotionWindow(const char* name, std::vector<std::string>* log) : CJWindow(nullptr, name), m_log(log) {}
    bool RequestHint(int, int) override
    {
        m_log->push_back(std::string(GetTextChars()) + " hint");
        return false;
    }

    bool OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor) override
    {
        m_log->push_back(std::string(GetTextChars()) + " move");
        return CJWindow::OnMouseMove(x, y, dx, dy, cursor);
    }
    bool OnWheel(int steps, int x, int y) override
    {
        m_log->push_back(std::string(GetTextChars()) + " wheel");
        return CJWindow::OnWheel(steps, x, y);
    }

private:
    std::vector<std::string>* m_log;
};

// Front A and B behind it over the same square, C beside them, D beside C but disabled.
class Routing : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultTestFont();
        root.SetRect(Rect::OfSize(100, 40));
        root.SetFocus(true);
        const char* names[] = {"A", "B", "C", "D"};
        const int lefts[] = {0, 0, 30, 60};
        for (int i = 0; i < 4; ++i) {
            windows[i] = new MotionWindow(names[i], &log);
            windows[i]->SetRect(Rect::At(lefts[i], 0, 20, 20));
            root.AddChild(windows[i], 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        }
        windows[3]->SetEnabled(false);
    }

    std::vector<std::string> log;
    MotionWindow root{"root", &log};
    MotionWindow* windows[4] = {};
};

TEST_F(Routing, TheHoverWindowHidesTheWindowsBehindItFromMotion)
{
    CSequence* cursor = nullptr;
    EXPECT_FALSE(root.OnMouseMove(5, 5, 1, 0, cursor));
    EXPECT_EQ(log, (std::vector<std::string>{"root move", "A hint", "A move", "C move"}));
    log.clear();
    windows[3]->SetTracksMouseWhenDisabled(true);
    EXPECT_FALSE(root.OnMouseMove(65, 5, 1, 0, cursor));
    EXPECT_EQ(log, (std::vector<std::string>{"root move", "A move", "B move", "C move", "D hint", "D move"}));
    log.clear();
    EXPECT_FALSE(root.OnMouseMove(90, 30, 1, 0, cursor));
    EXPECT_EQ(log.back(), "root hint") << "over no child the window asks for its own hint";
}

TEST_F(Routing, TheWheelGoesToTheWindowsUnderThePointAndTheFocusedOne)
{
    ASSERT_TRUE(windows[0]->HasFocus());
    EXPECT_FALSE(root.OnWheel(1, 35, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"root wheel", "A wheel", "C wheel"}));
    log.clear();
    EXPECT_FALSE(root.OnWheel(1, 65, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"root wheel", "A wheel"})) << "a disabled window gets no wheel";
}

// Three 2 x 2 cursor frames of their own colour at two frames a second.
std::unique_ptr<CSequence> ThreeCursorFrames() { return RedFrames({80, 160, 240}, 2, 2); }

TEST(SoftwareCursorTest, TheAnimationLoopsOrStopsForwardAndBackward)
{
    auto cursor = ThreeCursorFrames();
    MouseState& mouse = MouseState::Get();
    struct Case {
        bool loop, reverse;
        float start, elapsed, position;
        bool finished;
    };
    const Case cases[] = {
        {true, false, 0.0f, 0.5f, 1.0f, false},  {true, false, 0.0f, 1.25f, 0.0f, true},
        {false, false, 0.0f, 1.25f, 2.0f, true}, {true, true, 2.0f, 0.5f, 1.0f, false},
        {true, true, 2.0f, 1.25f, 2.0f, true},   {false, true, 2.0f, 1.25f, 0.0f, true},
    };
    for (const Case& c : cases) {
        mouse.Reset();
        mouse.SetCursor(cursor.get(), c.loop, c.reverse);
        EXPECT_FLOAT_EQ(mouse.GetAnimationPosition(), c.start);
        mouse.Advance(c.elapsed);
        EXPECT_FLOAT_EQ(mouse.GetAnimationPosition(), c.position) << c.loop << c.reverse << c.elapsed;
        EXPECT_EQ(mouse.IsFinished(), c.finished) << c.loop << c.reverse << c.elapsed;
    }
    CSequence single;
    auto frame = std::make_unique<CFrame>();
    frame->Create(1, 1, 16);
    single.AddFrame(std::move(frame));
    mouse.Reset();
    mouse.SetCursor(&single, true, false);
    mouse.Advance(0.01f);
    EXPECT_TRUE(mouse.IsFinished()) << "one frame is finished at once";
    mouse.Reset();
}

// The frame under the rounded-down position is drawn at the pointer, over the under-picture drawn at its own
// opacity; nothing is drawn with the software cursor off.
TEST(SoftwareCursorTest, TheCurrentFrameIsDrawnAtThePointerOverTheUnderPicture)
{
    auto cursor = ThreeCursorFrames();
    CFrame under;
    under.Create(4, 4, 16);
    under.Fill(MakeColor(0, 0, 248));
    MouseState& mouse = MouseState::Get();
    mouse.Reset();
    mouse.SetCursor(cursor.get(), true, false);
    mouse.StorePosition(5, 6);
    mouse.Advance(0.9f);  // position 1.8: the second frame
    mouse.SetUnderPicture(&under, 0.5f);
    CFrame frame;
    frame.Create(16, 16, 16);
    mouse.SetSoftwareCursor(false);
    mouse.Draw(&frame);
    EXPECT_EQ(frame.GetPixelValue(5, 6), 0u);
    Rect rect;
    EXPECT_FALSE(mouse.GetCursorRect(rect));

    mouse.SetSoftwareCursor(true);
    mouse.Draw(&frame);
    EXPECT_EQ(frame.GetPixelValue(5, 6), Value565(160, 0, 0));
    EXPECT_EQ(frame.GetPixelValue(6, 7), Value565(160, 0, 0));
    Color half;
    ASSERT_TRUE(frame.GetPixelColor(8, 9, half));
    EXPECT_NEAR(half.B, 124, 8) << "the under-picture at half opacity";
    EXPECT_EQ(frame.GetPixelValue(9, 10), 0u);
    EXPECT_FLOAT_EQ(NormalBlitType().GetOpacity(), 1.0f);
    ASSERT_TRUE(mouse.GetCursorRect(rect));
    EXPECT_EQ(rect, (Rect{5, 6, 7, 8}));
    mouse.Reset();
}

}  // namespace
