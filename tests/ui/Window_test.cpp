#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "foundation/Messages.h"
#include "ui/PtrArray.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

namespace {

// Four recording windows A (front) to D (back) under a root, each 20 x 20, side by side.
class WindowTree : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultTestFont();
        root = std::make_unique<TestRoot>();
        root->SetRect(Rect::OfSize(200, 100));
        root->SetFocus(true);
        const char* names[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i) {
            auto* w = new RecordingWindow(nullptr, names[i], &log);
            w->SetRect(Rect::At(i * 30, 0, 20, 20));
            root->AddChild(w, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
            windows[i] = w;
        }
    }

    std::string Order() const
    {
        std::string order;
        for (CJWindow* w = root->GetFirstChild(); w; w = w->GetNextSibling()) order += w->GetTextChars();
        return order;
    }

    std::vector<std::string> log;
    std::unique_ptr<TestRoot> root;
    RecordingWindow* windows[4] = {};
};

TEST(PtrArrayTest, AppendsGrowByAFifthAndRemovalKeepsTheBlock)
{
    PtrArray array;
    std::vector<std::uint32_t> capacities;
    int values[22];
    for (int& v : values) {
        array.Append(&v);
        if (capacities.empty() || capacities.back() != array.GetCapacity()) capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 19, 22}));
    array.RemoveAt(0);
    array.RemoveAt(99);
    EXPECT_EQ(array.GetCount(), 21u);
    EXPECT_EQ(array[0], &values[1]);
    EXPECT_EQ(array.GetCapacity(), 22u);
    array.Grow(23);
    EXPECT_EQ(array.GetCapacity(), 26u);
    array.Free();
    EXPECT_EQ(array.GetCount(), 0u);
    EXPECT_EQ(array.GetCapacity(), 0u);
}

TEST(WindowTextTest, AmpersandsMarkTheShortcut)
{
    DefaultTestFont();
    struct Case {
        const char* given;
        const char* text;
        int index;
        int length;
        int letter;
    } cases[] = {
        {"Save &As", "Save As", 5, 1, 'A'}, {"&Op&en", "Open", 0, 2, 0},      {"Plain", "Plain", kNoShortcut, 0, 0},
        {"&\x01x", "x", 0, 1, 'X'},         {nullptr, "", kNoShortcut, 0, 0},
    };
    for (const Case& c : cases) {
        CJWindow window(nullptr, "old");
        window.SetText(c.given);
        EXPECT_STREQ(window.GetTextChars(), c.text);
        EXPECT_EQ(window.GetShortcutIndex(), c.index) << c.text;
        EXPECT_EQ(window.GetShortcutLength(), c.length) << c.text;
        EXPECT_EQ(window.GetShortcutLetter(), c.letter) << c.text;
    }
}

TEST_F(WindowTree, ActivatingTurnsTheRingAndHandsTheFocusOver)
{
    EXPECT_TRUE(windows[0]->HasFocus());
    root->ActivateChild(windows[2]);
    EXPECT_EQ(Order(), "CDAB");
    EXPECT_TRUE(windows[2]->HasFocus());
    EXPECT_FALSE(windows[0]->HasFocus());
    EXPECT_EQ(root->GetLastChild(), windows[1]);
    EXPECT_EQ(windows[1]->GetNextSibling(), nullptr);

    auto* front = new RecordingWindow(nullptr, "E", &log);
    root->AddChildFront(front, 0, nullptr, kDefaultGap, kDefaultGap, 0);
    EXPECT_TRUE(front->HasFocus());
    EXPECT_FALSE(windows[2]->HasFocus());
    root->RemoveChild(front);
    EXPECT_FALSE(front->HasFocus());
    EXPECT_TRUE(windows[2]->HasFocus()) << "the new front takes the focus";
    EXPECT_EQ(front->GetParent(), nullptr);
    delete front;
}

TEST_F(WindowTree, HidingWithNotifyHandsTheFocusToTheNextSibling)
{
    root->ActivateChild(windows[1]);  // B C D A
    windows[1]->Show(false, true);
    EXPECT_TRUE(windows[2]->HasFocus());
    EXPECT_EQ(Order(), "CDAB");
}

TEST_F(WindowTree, AModalFrontChildTakesPressesOutsideEveryChild)
{
    windows[0]->SetModal(true);
    EXPECT_TRUE(root->OnMouseDown(0, 150, 80));
    EXPECT_EQ(log, (std::vector<std::string>{"A press 0,0", "A down"}));
}

// Three windows over one another, none taking the press: each is asked once, though the press brings the second
// to the front and so moves the first behind the third.
TEST_F(WindowTree, APressThatTurnsTheRingAsksEveryWindowOnce)
{
    for (int i = 0; i < 3; ++i) {
        windows[i]->SetRect(Rect::At(0, 0, 20, 20));
        windows[i]->takeDown = false;
    }
    EXPECT_FALSE(root->OnMouseDown(0, 5, 5));
    EXPECT_EQ(Order(), "BCDA");
    const std::vector<std::string> once = {"A press 0,0", "A down", "B press 0,0", "B down", "C press 0,0", "C down"};
    EXPECT_EQ(log, once);
}

TEST_F(WindowTree, AModalChildBehindTheFrontHidesTheWindowsBehindIt)
{
    windows[1]->SetModal(true);
    EXPECT_FALSE(root->OnMouseDown(0, 65, 5)) << "C lies behind the modal B";
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(root->OnMouseDown(0, 5, 5));
    EXPECT_EQ(log.back(), "A down");
}

TEST_F(WindowTree, ACapturedButtonsReleaseGoesToTheCapturer)
{
    windows[2]->capturePress = true;
    EXPECT_TRUE(root->OnMouseDown(0, 65, 5));
    EXPECT_EQ(Order(), "CDAB") << "the pressed child comes to the front";
    EXPECT_EQ(windows[2]->GetCaptureMask(), 1u);
    CSequence* cursor = nullptr;
    root->OnMouseMove(150, 90, 85, 85, cursor);
    EXPECT_EQ(log.back(), "C press 85,85") << "a drag goes to the capturer wherever the pointer is";
    windows[0]->SetModal(true);
    EXPECT_TRUE(root->OnMouseUp(0, 150, 90));
    EXPECT_EQ(log.back(), "C release");
    EXPECT_EQ(windows[2]->GetCaptureMask(), 0u);
}

TEST_F(WindowTree, TabMovesTheFocusOnlyBetweenSeveralStops)
{
    for (auto* w : windows) w->SetTabStop(true);
    EXPECT_TRUE(root->OnKey(kKeyTab));
    EXPECT_TRUE(windows[1]->HasFocus());
    EXPECT_TRUE(toolkit::IsKeyboardNavigation());
    TestRoot lone;
    lone.SetFocus(true);
    lone.AddChild(new RecordingWindow(nullptr, "only", nullptr), 0, nullptr, kDefaultGap, kDefaultGap, 1);
    EXPECT_FALSE(lone.OnKey(kKeyTab));
}

class SoundCounter : public IMessageReceiver {
public:
    SoundCounter() { MessageDispatcher::Instance().AddReceiver(this); }
    ~SoundCounter() override { MessageDispatcher::Instance().RemoveReceiver(this); }
    bool ReceiveMessage(const MessageBase& message) override
    {
        if (message.GetTypeId() != CPlaySoundMessage::TypeId()) return false;
        sounds.push_back(static_cast<const CPlaySoundMessage&>(message).soundName.GetText());
        return true;
    }
    std::vector<std::string> sounds;
};

TEST_F(WindowTree, ShortcutLettersActivateTheirWindowOrComplainWhenDisabled)
{
    SoundCounter counter;
    windows[3]->SetText("&Disabled");
    windows[3]->SetEnabled(false);
    windows[3]->SetTabStop(true);
    EXPECT_TRUE(root->OnChar('d'));
    EXPECT_EQ(counter.sounds, (std::vector<std::string>{"Player Error.wav"}));
    EXPECT_FALSE(root->OnChar('z')) << "a letter nobody bears is not consumed";

    // A label without tab stop hands its letter to the next tab stop behind it.
    windows[1]->SetText("&Name:");
    windows[2]->SetTabStop(true);
    log.clear();
    EXPECT_TRUE(root->OnChar('n'));
    EXPECT_EQ(log, (std::vector<std::string>{"C activate"}));
    EXPECT_EQ(root->GetFirstChild(), windows[2]);
}

TEST(WindowDrawTest, BevelsDrawOneRingPerFifthOfTheFontHeight)
{
    SetDisplayBitDepth(16);
    CFrame frame;
    frame.Create(64, 64, 16);
    auto font = MakeFont(12.0f);
    ASSERT_GE(font->GetHeight(), 10);
    ASSERT_LT(font->GetHeight(), 15);
    frame.Fill(MakeColor(100, 100, 100));
    const std::uint32_t grey = frame.GetPixelValue(0, 0);
    CJWindow::DrawBevel(font.get(), &frame, Rect::OfSize(20, 20), kBevelSunken, kEdgeAll, false);
    EXPECT_LT(frame.GetPixelValue(0, 5), grey) << "the outer ring's left line is dark";
    EXPECT_LT(frame.GetPixelValue(1, 5), grey) << "the second ring";
    EXPECT_EQ(frame.GetPixelValue(2, 5), grey) << "no third ring";
    EXPECT_GT(frame.GetPixelValue(19, 5), grey) << "the right line is light";
    auto tiny = MakeFont(3.0f);
    ASSERT_LT(tiny->GetHeight(), 5);
    frame.Fill(MakeColor(100, 100, 100));
    CJWindow::DrawBevel(tiny.get(), &frame, Rect::OfSize(20, 20), kBevelRaised, kEdgeAll, false);
    EXPECT_EQ(frame.GetPixelValue(0, 5), grey);
}

TEST(WindowDrawTest, ChildrenDrawClippedToTheirParentAndNotAtAllOutsideIt)
{
    DefaultTestFont();
    CFrame frame;
    frame.Create(64, 64, 16);
    TestRoot root;
    root.SetRect(Rect::OfSize(64, 64));
    auto* panel = new RecordingWindow(nullptr, "panel", nullptr);
    panel->SetRect(Rect::At(10, 10, 20, 20));
    root.AddChild(panel, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* inner = new RecordingWindow(nullptr, "inner", nullptr);
    inner->SetRect(Rect::At(15, 15, 20, 20));
    panel->AddChild(inner, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* outside = new RecordingWindow(nullptr, "outside", nullptr);
    outside->SetRect(Rect::At(25, 25, 5, 5));
    panel->AddChild(outside, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(inner->GetVisibleRect(), (Rect{25, 25, 30, 30}));
    EXPECT_EQ(outside->GetVisibleRect(), Rect{});
    root.Draw(&frame);
    EXPECT_EQ(inner->drawCount, 1);
    EXPECT_EQ(outside->drawCount, 0);
    EXPECT_EQ(frame.GetPixelValue(29, 29), 0xFFFFu);
    EXPECT_EQ(frame.GetPixelValue(30, 30), 0u) << "the inner window stops at its parent's edge";
    EXPECT_EQ(frame.GetPixelValue(9, 9), 0u);
}

}  // namespace
