#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "frames/Sequence.h"
#include "ui/Button.h"
#include "ui/CheckButton.h"
#include "ui/ImageButton.h"
#include "ui/InputState.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

namespace {

constexpr char kAction[] = "UI/Button Action.wav";
constexpr char kSwitch[] = "UI/Button Switch.wav";

// A parent that counts the click notices of children without actions.
class NoticeCounter : public CJWindow {
public:
    NoticeCounter() : CJWindow(nullptr, "panel") {}
    void OnChildNotify(CJWindow* child, int code) override
    {
        if (code == 0) ++clicks;
        CJWindow::OnChildNotify(child, code);
    }
    int clicks = 0;
};

// A 32-bit picture whose left half is opaque and right half transparent.
std::unique_ptr<CFrame> HalfOpaque(int width, int height)
{
    auto picture = std::make_unique<CFrame>();
    picture->Create(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x) picture->SetPixel(x, y, MakeColor(200, 10, 10, 255));
    return picture;
}

class Buttons : public ScreenDriven {
protected:
    CJButton* AddButton(const char* text, const Rect& rect, CJButton* ring = nullptr)
    {
        return Add(new CJButton(nullptr, text, ring), rect);
    }
    int runs = 0;
};

TEST_F(Buttons, APressAndReleaseInsideClicksOnceAndAReleaseOutsideNever)
{
    CJButton* button = AddButton("OK", Rect::At(10, 10, 50, 20));
    button->SetClickAction(Counting(&runs));
    ClickAt(20, 15);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(button->TakeClicked());
    EXPECT_FALSE(button->TakeClicked()) << "taken once";
    EXPECT_EQ(recorder.sounds, (std::vector<std::string>{kAction}));

    Press(20, 15);
    PointAt(150, 100);  // dragged off, released outside
    Frame();
    Release();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(button->IsPressedByMouse());

    // Pressed outside, released inside: no click either.
    Press(150, 100);
    PointAt(20, 15);
    Frame();
    Release();
    EXPECT_EQ(runs, 1);
}

TEST_F(Buttons, WithoutAnActionAClickNoticesTheParentAndTheRightButtonRunsItsOwnAction)
{
    auto* panel = Add(new NoticeCounter, Rect::At(0, 0, 200, 150));
    auto* button = new CJButton(panel, "Go", nullptr);
    button->SetRect(Rect::At(10, 10, 50, 20));
    panel->AddChild(button, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    ClickAt(20, 15);
    EXPECT_EQ(panel->clicks, 1);

    int rightRuns = 0;
    button->SetRightClickAction(Counting(&rightRuns));
    Press(20, 15, 1);
    Release(1);
    EXPECT_EQ(rightRuns, 1);
    EXPECT_EQ(panel->clicks, 1) << "the right button clicks nothing";
}

TEST_F(Buttons, AnAutoRepeatingButtonClicksOncePerRepeatAndNotAgainOnRelease)
{
    CJButton* button = AddButton("+", Rect::At(10, 10, 20, 20));
    button->SetClickAction(Counting(&runs));
    button->SetAutoRepeat(true);
    Press(15, 15);
    EXPECT_EQ(runs, 0);
    Frame(RepeatDelayMs() + 1);
    EXPECT_EQ(runs, 1);
    Frame(RepeatIntervalMs() + 1);
    EXPECT_EQ(runs, 2);
    Release();
    EXPECT_EQ(runs, 2) << "the release after a repeat clicks no more";

    // A quick press and release before the first repeat is an ordinary click.
    Press(15, 15);
    Release();
    EXPECT_EQ(runs, 3);
}

TEST_F(Buttons, APressOnATransparentPixelOfTheHitPictureIsNotTaken)
{
    CJButton* button = AddButton("", Rect::At(10, 10, 40, 20));
    const auto picture = HalfOpaque(40, 20);
    button->SetHitPicture(picture.get());
    button->SetClickAction(Counting(&runs));
    ClickAt(40, 15);  // right half: transparent
    EXPECT_EQ(runs, 0);
    ClickAt(15, 15);
    EXPECT_EQ(runs, 1);
}

TEST_F(Buttons, TheHoverActionsRunOnEnteringAndLeavingAndTheHandCursorShowsOverIt)
{
    CJButton* button = AddButton("Hover", Rect::At(10, 10, 50, 20));
    int entered = 0;
    int left = 0;
    button->SetHoverEnterAction(Counting(&entered));
    button->SetHoverLeaveAction(Counting(&left));
    PointAt(20, 15);
    Frame();
    PointAt(22, 16);
    Frame();
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(button->IsPointerInside());
    PointAt(150, 100);
    Frame();
    EXPECT_EQ(left, 1);

    CSequence hand;
    SetToolkitCursor(kHandCursorSlot, &hand);
    button->SetHandCursor(true);
    EXPECT_EQ(button->GetCursorForPoint(1, 1), &hand);
    button->SetEnabled(false);
    EXPECT_NE(button->GetCursorForPoint(1, 1), &hand) << "only while enabled";
    SetToolkitCursor(kHandCursorSlot, nullptr);
}

TEST_F(Buttons, SpaceAndTheShortcutLetterClickTheFocusedOrNamedButton)
{
    CJButton* button = AddButton("&Save", Rect::At(10, 10, 50, 20));
    button->SetClickAction(Counting(&runs));
    Type(' ');
    EXPECT_EQ(runs, 1);
    KeyboardState::Get().KeyDown(kScanLeftAlt);
    Type('s');
    KeyboardState::Get().KeyUp(kScanLeftAlt);
    EXPECT_EQ(runs, 2);
    button->SetEnabled(false);
    EXPECT_FALSE(button->Activate());
    EXPECT_EQ(runs, 2);
}

// A draggable button whose drag handler counts the drags started (the press itself, without motion, is no drag).
class DragButton : public CJButton {
public:
    DragButton() : CJButton(nullptr, "drag", nullptr) { SetDraggable(true); }
    int drags = 0;

protected:
    bool OnButtonPress(int, int, int dx, int dy, std::uint32_t, CSequence*&) override
    {
        if (dx == 0 && dy == 0) return false;
        ++drags;
        return true;
    }
};

TEST_F(Buttons, ADraggableButtonStartsADragBeyondFourPixelsAndThenDoesNotClick)
{
    auto* button = Add(new DragButton, Rect::At(10, 10, 60, 30));
    button->SetClickAction(Counting(&runs));
    Press(20, 20);
    PointAt(24, 20);  // 4 pixels: not yet
    Frame();
    EXPECT_EQ(button->drags, 0);
    EXPECT_TRUE(button->IsPressedByMouse());
    PointAt(25, 20);
    Frame();
    EXPECT_EQ(button->drags, 1);
    EXPECT_FALSE(button->IsPressedByMouse());
    Release();
    EXPECT_EQ(runs, 0);
}

// Radio rings of check buttons: a, b, c, linked in that order.
class Rings : public Buttons {
protected:
    void SetUp() override
    {
        Buttons::SetUp();
        a = Add(new CJCheckButton(nullptr, "a", nullptr), Rect::At(10, 10, 40, 20));
        b = Add(new CJCheckButton(nullptr, "b", a), Rect::At(10, 40, 40, 20));
        c = Add(new CJCheckButton(nullptr, "c", b), Rect::At(10, 70, 40, 20));
    }
    CJCheckButton* a = nullptr;
    CJCheckButton* b = nullptr;
    CJCheckButton* c = nullptr;
};

TEST_F(Rings, CheckingOneUnchecksTheOthersAndMovesTheTabStop)
{
    EXPECT_TRUE(a->IsTabStop());
    EXPECT_FALSE(b->IsTabStop());
    EXPECT_EQ(a->GetNextInRing(), b);
    EXPECT_EQ(c->GetNextInRing(), a);
    ClickAt(20, 45);  // b
    EXPECT_TRUE(b->GetChecked());
    EXPECT_TRUE(b->IsTabStop());
    ClickAt(20, 75);  // c
    EXPECT_FALSE(b->GetChecked());
    EXPECT_FALSE(b->IsTabStop());
    EXPECT_TRUE(c->GetChecked());
    ClickAt(20, 75);
    EXPECT_TRUE(c->GetChecked()) << "the checked member of a ring stays checked";
    EXPECT_EQ(recorder.sounds, (std::vector<std::string>{kSwitch, kSwitch}));
}

TEST_F(Rings, TheArrowKeysWalkTheRingRoundItsEnds)
{
    c->SetChecked(1);
    screen->ActivateChild(c);
    Type(kKeyRight);
    EXPECT_TRUE(a->GetChecked()) << "right on the last goes to the first";
    EXPECT_FALSE(c->GetChecked());
    EXPECT_EQ(screen->GetFirstChild(), a);
    Type(kKeyLeft);
    EXPECT_TRUE(c->GetChecked()) << "left finds the button whose next is this one";
}

TEST_F(Rings, ADeletedButtonLeavesItsRing)
{
    delete b;
    EXPECT_EQ(a->GetNextInRing(), c);
    a->SetChecked(1);
    c->SetChecked(1);
    EXPECT_FALSE(a->GetChecked());
    delete c;
    EXPECT_EQ(a->GetNextInRing(), nullptr) << "alone again";
    a->SetChecked(1);
    screen->ActivateChild(a);
    Type(kKeyRight);
    Type(kKeyLeft);
    EXPECT_TRUE(a->GetChecked());
}

TEST_F(Buttons, ACheckButtonTogglesMirrorsItsFlagAndSizesRoundItsBox)
{
    auto* check = new CJCheckButton(nullptr, "Sound", nullptr);
    screen->AddChildFront(check, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    CFont* font = check->GetFont();
    EXPECT_EQ(check->GetBoxSide(), font->GetHeight() + 2);
    EXPECT_EQ(check->GetWidth(), font->MeasureWidth(CString("Sound")) + check->GetBoxSide() + 1);
    EXPECT_EQ(check->GetHeight(), std::max(check->GetBoxSide(), font->GetLineHeight() + 2));
    check->SetRect(Rect::At(10, 10, 60, 20));
    bool flag = false;
    check->SetMirrorFlag(&flag);
    check->SetClickAction(Counting(&runs));
    ClickAt(15, 15);
    EXPECT_TRUE(check->GetChecked());
    EXPECT_TRUE(flag);
    ClickAt(15, 15);
    EXPECT_FALSE(check->GetChecked());
    EXPECT_FALSE(flag);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(recorder.sounds, (std::vector<std::string>{kSwitch, kSwitch}));
}

TEST_F(Buttons, AnImageButtonPicksItsPictureByStateAndFallsBackToTheNormalOne)
{
    auto* image = Add(new CJImageButton(nullptr, "img", nullptr), Rect::At(10, 10, 4, 4));
    CFrame normal, pressed, disabled;
    normal.Create(20, 10, 16);
    normal.Fill(MakeColor(0, 0, 255));
    pressed.Create(30, 12, 16);
    pressed.Fill(MakeColor(255, 0, 0));
    disabled.Create(20, 10, 16);
    disabled.Fill(MakeColor(0, 255, 0));
    image->SetNormalPicture(&normal);
    image->SetPressedPicture(&pressed);
    image->SetDisabledPicture(&disabled);
    EXPECT_EQ(image->GetWidth(), 30);
    EXPECT_EQ(image->GetHeight(), 12);
    EXPECT_EQ(image->GetState(), kImageNormal);

    const struct {
        bool enabled;
        bool inside;
        bool held;
        int checked;
        int state;
    } cases[] = {
        {false, true, false, 0, kImageDisabled}, {true, true, false, 0, kImageHover},
        {true, true, true, 0, kImagePressed},    {true, true, false, 1, kImagePressed},
        {true, false, false, 0, kImageNormal},   {true, false, false, 1, kImagePressed},
    };
    for (const auto& c : cases) {
        image->SetEnabled(c.enabled);
        image->SetChecked(c.checked);
        PointAt(150, 100);
        Frame();
        PointAt(c.inside ? 15 : 160, c.inside ? 15 : 110);
        Frame();
        if (c.held) Press(15, 15);
        EXPECT_EQ(image->ComputeState(), c.state) << c.enabled << c.inside << c.held << c.checked;
        if (!c.held) continue;
        Release();
        screen->Draw(&output);  // the click shows pressed for this drawing only
    }

    // Just clicked: pressed for one drawing. Without a hover picture the normal one shows under the pointer.
    image->SetChecked(0);
    image->SetEnabled(true);
    ClickAt(15, 15);
    EXPECT_EQ(image->ComputeState(), kImagePressed);
    screen->Draw(&output);
    EXPECT_EQ(image->ComputeState(), kImageHover);
    screen->Draw(&output);
    EXPECT_EQ(output.GetPixelValue(25, 16), normal.GetPixelValue(0, 0));
}

}  // namespace
