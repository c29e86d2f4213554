#include <algorithm>

#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "ui/Button.h"
#include "ui/EditBox.h"
#include "ui/FrameWindow.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

class TestDialog : public CJDialogWindow {
public:
    using CJDialogWindow::CJDialogWindow;
    using CJDialogWindow::OnKey;
};

class TestFrame : public CJFrameWindow {
public:
    using CJFrameWindow::CJFrameWindow;
    using CJFrameWindow::OnMouseDown;
};

TEST(FrameWindowTest, ACaptionGrowsTheFrameAndSetsItsInset)
{
    CFont* font = DefaultTestFont();
    CJFrameWindow bare(nullptr, "");
    EXPECT_EQ(bare.GetTopInset(), 0);
    EXPECT_EQ(bare.GetRect(), Rect{});
    EXPECT_EQ(bare.GetMinimumWidth(), 10);
    EXPECT_EQ(bare.GetMinimumHeight(), 10);

    CJFrameWindow titled(nullptr, "Options");
    const int height = font->GetHeight();
    EXPECT_EQ(titled.GetWidth(), font->MeasureWidth("Options") + 3);
    EXPECT_EQ(titled.GetHeight(), height);
    EXPECT_EQ(titled.GetTopInset(), height + height / 5 * 4 + 2);
    EXPECT_EQ(titled.GetBevelWidth(), 2 * (height / 5));
}

class DialogKeys : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultTestFont();
        dialog.SetFocus(true);
        dialog.SetRect(Rect::OfSize(200, 100));
        okButton = Add("OK");
        cancel = Add("Cancel");
        edit = Add("Edit");
        edit->activateAnswer = false;
        dialog.SetDefaultButton(okButton);
    }
    RecordingWindow* Add(const char* name)
    {
        auto* w = new RecordingWindow(nullptr, name, &log);
        w->SetTabStop(true);
        dialog.AddChildFront(w, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        return w;
    }

    TestDialog dialog{nullptr, "Dialog"};
    RecordingWindow* okButton = nullptr;
    RecordingWindow* cancel = nullptr;
    RecordingWindow* edit = nullptr;
    std::vector<std::string> log;
};

TEST_F(DialogKeys, EnterPressesTheFrontChildOrElseTheDefaultButton)
{
    dialog.ActivateChild(cancel);
    EXPECT_TRUE(dialog.OnKey(kKeyEnter));
    EXPECT_EQ(log.back(), "Cancel activate");
    dialog.ActivateChild(edit);
    log.clear();
    EXPECT_TRUE(dialog.OnKey(kKeyEnter));
    EXPECT_EQ(log, (std::vector<std::string>{"Edit key 13", "Edit activate", "OK activate"}));
    log.clear();
    EXPECT_TRUE(dialog.OnKey(kKeyDefaultAction));
    EXPECT_EQ(log.back(), "OK activate");
}

// Enter in a real edit box leaves its text alone and clicks the real default button.
TEST(DialogKeysTest, EnterInAnEditBoxClicksTheDefaultButtonAndTypesNothing)
{
    DefaultTestFont();
    TestDialog dialog(nullptr, "Dialog");
    dialog.SetFocus(true);
    dialog.SetRect(Rect::OfSize(200, 100));
    auto* ok = new CJButton(nullptr, "OK", nullptr);
    dialog.AddChild(ok, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    dialog.SetDefaultButton(ok);
    auto* box = new CJEditBox(nullptr, "abc");
    dialog.AddChildFront(box, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    ASSERT_TRUE(box->HasFocus());
    EXPECT_TRUE(dialog.OnKey(kKeyEnter));
    EXPECT_STREQ(box->GetTextChars(), "abc");
    EXPECT_TRUE(ok->TakeClicked());
}

TEST_F(DialogKeys, EscapeNeedsACancelButtonAndArrowsMoveTheFocus)
{
    EXPECT_FALSE(dialog.OnKey(kKeyEscape)) << "not taken: it goes on to the screen";
    dialog.SetCancelButton(cancel);
    EXPECT_TRUE(dialog.OnKey(kKeyEscape));
    EXPECT_EQ(log.back(), "Cancel activate");
    ASSERT_EQ(dialog.GetFirstChild(), edit);
    EXPECT_TRUE(dialog.OnKey(kKeyDown));
    EXPECT_TRUE(cancel->HasFocus());
    EXPECT_TRUE(dialog.OnKey(kKeyUp));
    EXPECT_TRUE(edit->HasFocus());
}

TEST(FrameWindowTest, PressesOnTheFrameAreConsumedAndALeftDragMovesIt)
{
    CFrame output;
    output.Create(200, 150, 16);
    MouseState::Get().Reset();
    CScreenWindow screen(&output, DefaultTestFont());
    std::vector<std::string> log;
    auto* behind = new RecordingWindow(nullptr, "behind", &log);
    behind->SetRect(Rect::OfSize(200, 150));
    screen.AddChild(behind, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* frame = new TestFrame(nullptr, "");
    frame->SetRect(Rect::At(20, 20, 60, 40));
    screen.AddChildFront(frame, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* dialog = new TestDialog(nullptr, "");
    dialog->SetRect(Rect::At(100, 20, 60, 40));
    screen.AddChildFront(dialog, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);

    MouseState& mouse = MouseState::Get();
    auto drag = [&](int fromX, int fromY, int dx, int dy) {
        mouse.StorePosition(fromX, fromY);
        screen.Update(0.0f);
        mouse.PressButton(0);
        screen.Update(0.0f);
        mouse.StorePosition(fromX + dx, fromY + dy);
        screen.Update(0.0f);
        mouse.ReleaseButton(0);
        screen.Update(0.0f);
    };
    // Activation turns the sibling ring, so the dialog, in front, goes first.
    drag(110, 30, 7, 5);
    EXPECT_EQ(std::count(log.begin(), log.end(), "behind down"), 0);
    EXPECT_EQ(dialog->GetRect(), (Rect{100, 20, 160, 60})) << "a dialog is not dragged";
    drag(30, 30, 7, 5);
    EXPECT_TRUE(std::none_of(log.begin(), log.end(), [](const std::string& l) { return l != "behind up"; }))
        << "the window behind saw no press";
    EXPECT_EQ(frame->GetRect(), (Rect{27, 25, 87, 65}));

    dialog->PopUpText(0, "hint", 10, 10);
    Rect hint;
    ASSERT_TRUE(screen.GetHintRect(hint));
    delete frame;
    EXPECT_FALSE(screen.GetHintRect(hint)) << "destroying a frame hides the hint";
}

TEST(DialogClientTest, ABorrowedClientLeavesItsParentAndGoesHomeWhenTheDialogEnds)
{
    DefaultTestFont();
    CJWindow home(nullptr, "home");
    home.SetFocus(true);
    home.SetRect(Rect::OfSize(100, 100));
    auto* sibling = new CJWindow(nullptr, "sibling");
    home.AddChild(sibling, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* client = new CJWindow(nullptr, "client");
    client->SetRect(Rect::At(5, 6, 30, 20));
    home.AddChild(client, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    {
        CJDialogWindow dialog(nullptr, "dialog");
        dialog.SetClient(client);
        EXPECT_EQ(home.GetLastChild(), sibling) << "the client left its old parent";
        EXPECT_EQ(sibling->GetNextSibling(), nullptr);
        EXPECT_FALSE(client->IsVisible());
        client->SetRect(Rect::At(50, 50, 10, 10));
    }
    EXPECT_EQ(home.GetFirstChild(), client);
    EXPECT_EQ(client->GetRect(), (Rect{5, 6, 35, 26}));
    EXPECT_TRUE(client->IsVisible());

    // Without a parent to go back to, the dialog deletes its client.
    bool deleted = false;
    {
        CJDialogWindow dialog(nullptr, "dialog");
        auto* orphan = new RecordingWindow(nullptr, "orphan", nullptr);
        orphan->deletedFlag = &deleted;
        dialog.SetClient(orphan);
    }
    EXPECT_TRUE(deleted);
}

TEST(FramePainterTest, AClassicFrameWithoutCaptionDrawsNoSeparators)
{
    CFont* font = DefaultTestFont();
    SetDisplayBitDepth(16);
    CFrame output;
    output.Create(80, 60, 16);
    const int separator = font->GetHeight() + font->GetHeight() / 5 * 4 + 1;
    for (const char* caption : {"", "Title"}) {
        output.Fill(MakeColor(100, 100, 100));
        const std::uint32_t grey = output.GetPixelValue(40, separator);
        CJFrameWindow frame(nullptr, caption);
        frame.SetRect(Rect::OfSize(80, 60));
        frame.Draw(&output);
        EXPECT_GT(output.GetPixelValue(0, 30), grey) << "the raised bevel's left line is light";
        EXPECT_EQ(output.GetPixelValue(40, separator) != grey, *caption != 0) << '"' << caption << '"';
    }
}

}  // namespace
