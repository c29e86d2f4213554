#include <cmath>
#include <vector>

#include "PumpedScreen.h"
#include "ui/ScrollBar.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

namespace {

// A window with 1000 pixels of content in 100 that records the codes its children send it.
class ContentWindow : public CJWindow {
public:
    ContentWindow() : CJWindow(nullptr, "content") {}
    void OnChildNotify(CJWindow* child, int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

// On the screen: the content window at (0, 0, 100, 100) and, beside it, a vertical bar that scrolls it, 15 wide
// and 130 high, so that its track is 100 pixels long (15 to 115).
class ScrollBarTest : public PumpedScreen {
protected:
    void SetUp() override
    {
        PumpedScreen::SetUp();
        owner = Add(new ContentWindow, Rect::At(0, 0, 100, 100));
        owner->SetVirtualSize(100, 1000);
        bar = new CJScrollBar(owner, kVerticalBar);
        bar->SetRange(0.0f, 100.0f);
        Add(bar, Rect::At(200, 0, 15, 130));
        bar->SetLineStep(2.0f);
    }
    ContentWindow* owner = nullptr;
    CJScrollBar* bar = nullptr;
};

TEST_F(ScrollBarTest, TheThumbShrinksWithTheRangeAndFillsTheTrackWhenThereIsNothingToScroll)
{
    struct Case {
        float maximum;
        int thumb;
        float pixelsPerUnit;
    };
    const Case cases[] = {{100.0f, 50, 0.5f}, {100000.0f, 4, 96.0f / 100000.0f}, {0.0f, 100, 0.0f}, {-5.0f, 100, 0.0f}};
    for (const Case& c : cases) {
        bar->SetRange(0.0f, c.maximum);
        EXPECT_EQ(bar->GetThumbRect().Height(), c.thumb) << c.maximum;
        EXPECT_FLOAT_EQ(bar->GetPixelsPerUnit(), c.pixelsPerUnit) << c.maximum;
        EXPECT_EQ(bar->GetTrackRect(), (Rect{0, 15, 15, 115}));
    }
    bar->SetRange(0.0f, 100.0f);
    bar->SetPosition(50.0f, true);
    EXPECT_EQ(bar->GetThumbRect().top, 15 + 25);
    bar->SetRange(0.0f, 20.0f);
    EXPECT_EQ(bar->GetPosition(), 20.0f) << "a smaller range clamps the position";
}

TEST_F(ScrollBarTest, APositionBeyondTheRangeIsClampedButStillNotifiesAndScrollsTheOwner)
{
    CJScrollBar standalone(owner, kVerticalBar);
    ContentWindow parent;
    parent.AddChild(&standalone, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    standalone.SetPosition(2000.0f, false);
    EXPECT_EQ(standalone.GetPosition(), 1000.0f);
    EXPECT_EQ(parent.codes, std::vector<int>{kNotifyScrollPosition});
    EXPECT_EQ(owner->GetScrollY(), 900) << "scrolled as far as the content goes";
    standalone.SetPosition(1000.0f, false);
    EXPECT_EQ(parent.codes.size(), 1u) << "an equal position does nothing";
    standalone.SetPosition(NAN, false);
    EXPECT_EQ(standalone.GetPosition(), 1000.0f) << "not a number is refused";
    parent.RemoveChild(&standalone);
}

TEST_F(ScrollBarTest, ArrowsStepByLinesAndTheTrackByPagesOnEachSideOfTheThumb)
{
    bar->SetPosition(50.0f, true);  // thumb 40..90 on the screen
    struct Case {
        int y;
        float expected;
        int part;
    };
    const Case cases[] = {{5, 48.0f, kBarPartFirstArrow},
                          {125, 52.0f, kBarPartSecondArrow},
                          {20, 40.0f, kBarPartTrackBefore},
                          {100, 60.0f, kBarPartTrackAfter}};
    for (const Case& c : cases) {
        bar->SetPosition(50.0f, true);
        Press(207, c.y);
        EXPECT_EQ(bar->GetPosition(), c.expected) << c.y;
        EXPECT_EQ(bar->GetPressedPart(), c.part) << c.y;
        Release();
        EXPECT_EQ(bar->GetPressedPart(), kBarPartNone);
    }
    EXPECT_EQ(owner->GetScrollY(), 60) << "the last step scrolled the owner";
    Press(207, 5, 1);
    EXPECT_EQ(bar->GetPosition(), 60.0f) << "the right button is taken and ignored";
    Release(1);
}

TEST_F(ScrollBarTest, HoldingAnArrowKeepsSteppingAtTheRepeatRateUntilReleased)
{
    Press(207, 125);
    EXPECT_EQ(bar->GetPosition(), 2.0f);
    Frame(200);
    EXPECT_EQ(bar->GetPosition(), 2.0f) << "the first repeat waits 250 ms";
    Frame(60);
    EXPECT_EQ(bar->GetPosition(), 4.0f);
    Frame(34);
    Frame(34);
    EXPECT_EQ(bar->GetPosition(), 8.0f);
    Release();
    Frame(300);
    EXPECT_EQ(bar->GetPosition(), 8.0f);
}

TEST_F(ScrollBarTest, DraggingTheThumbAddsThePointerMovementInUnits)
{
    Press(207, 20);  // thumb 15..65
    EXPECT_EQ(bar->GetPressedPart(), kBarPartThumb);
    EXPECT_EQ(bar->GetPosition(), 0.0f) << "grabbing the thumb does not move it";
    PointAt(300, 30);
    EXPECT_EQ(bar->GetPosition(), 20.0f) << "10 pixels at half a pixel per unit";
    PointAt(300, 500);
    EXPECT_EQ(bar->GetPosition(), 100.0f);
    Release();
    PointAt(207, 20);
    EXPECT_EQ(bar->GetPosition(), 100.0f) << "after the release the pointer drags nothing";

    bar->SetRange(0.0f, 0.0f);
    Press(207, 60);
    PointAt(207, 90);
    EXPECT_EQ(bar->GetPosition(), 0.0f) << "a bar with nothing to scroll ignores drags";
    EXPECT_FALSE(std::isnan(bar->GetPosition()));
    Release();
}

TEST_F(ScrollBarTest, AWheelStepMovesTwelveLinesAgainstItsSign)
{
    bar->SetPosition(50.0f, true);
    MouseState::Get().StorePosition(207, 60);
    MouseState::Get().AddWheel(1.0f);
    Frame();
    EXPECT_EQ(bar->GetPosition(), 50.0f - 12 * 2.0f);
}

TEST_F(ScrollBarTest, SynchronisingTakesTheContentRangeOrNothingWhenItFits)
{
    owner->ScrollToY(300);
    bar->SyncWithContent(owner);
    EXPECT_EQ(bar->GetMaximum(), 900.0f);
    EXPECT_EQ(bar->GetPosition(), 300.0f);
    EXPECT_EQ(bar->GetPageStep(), 100.0f);
    EXPECT_EQ(bar->GetLineStep(), 10.0f);

    owner->SetVirtualSize(100, 350);
    owner->ScrollToY(250);
    owner->SetVirtualSize(100, 300);
    bar->SyncWithContent(owner);
    EXPECT_EQ(owner->GetScrollY(), 200) << "content that shrank under the offset is scrolled back";

    owner->SetVirtualSize(100, 80);
    bar->SyncWithContent(owner);
    EXPECT_EQ(bar->GetMaximum(), 0.0f);
    EXPECT_EQ(bar->GetPosition(), 0.0f);
    EXPECT_EQ(bar->GetThumbRect(), bar->GetTrackRect());
}

TEST_F(ScrollBarTest, ABarInsideItsOwnerDocksAlongTheRightEdgeAndFollowsTheOwnersSize)
{
    auto* docked = new CJScrollBar(owner, kVerticalBar);
    owner->AddChild(docked, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(docked->GetRect(), (Rect{85, 0, 100, 100}));
    EXPECT_EQ(docked->GetMaximum(), 900.0f) << "docking synchronised it with the content";
    owner->SetSize(120, 200);
    EXPECT_EQ(docked->GetRect(), (Rect{105, 0, 120, 200}));
    EXPECT_EQ(docked->GetMaximum(), 800.0f);
    docked->SetPosition(400.0f, false);
    EXPECT_EQ(owner->GetScrollY(), 400);
    EXPECT_EQ(docked->GetScreenRect(), (Rect{105, 0, 120, 200})) << "it stays in view while the content scrolls";

    auto* horizontal = new CJScrollBar(owner, kHorizontalBar);
    owner->AddChild(horizontal, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(horizontal->GetScreenRect(), (Rect{0, 185, 120, 200}));
    EXPECT_EQ(horizontal->GetMaximum(), 0.0f) << "the content is no wider than the owner";
}

TEST_F(ScrollBarTest, ClipRectTrimsAlongTheBarAndRefusesRectanglesThatMissIt)
{
    Rect r{0, -50, 30, 60};
    EXPECT_TRUE(bar->ClipRect(r, 200, 0));
    EXPECT_EQ(r, (Rect{0, 0, 30, 60}));
    Rect away{0, 0, 10, 10};
    EXPECT_FALSE(bar->ClipRect(away, 0, 0));
}

TEST_F(ScrollBarTest, ANewBarIsFifteenTimesTheScaleThickAndDrawsWithoutFault)
{
    SetToolkitScale(2.0f);
    CJScrollBar horizontal(nullptr, kHorizontalBar);
    SetToolkitScale(1.0f);
    EXPECT_EQ(horizontal.GetRect(), (Rect{0, 0, 415, 30}));
    EXPECT_EQ(horizontal.GetSecondArrowRect(), (Rect{385, 0, 415, 30}));
    bar->SetBackgroundColorRGB(120, 120, 120);
    Press(207, 5);
    Draw();
    Release();
    Color thumb;
    ASSERT_TRUE(output.GetPixelColor(207, 40, thumb));
    Color track;
    ASSERT_TRUE(output.GetPixelColor(207, 100, track));
    EXPECT_NE(thumb.R, track.R) << "the thumb and the shaded track look different";
}

}  // namespace
