#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "blit/BlitType.h"
#include "foundation/Clipboard.h"
#include "foundation/Messages.h"
#include "ui/EditBox.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

std::uint32_t g_now = 0;
std::uint32_t FakeTicks() { return g_now; }

// Script codes that hold and let go of the left shift key between keys.
constexpr int kShiftDown = -1;
constexpr int kShiftUp = -2;

class ErrorSounds : public IMessageReceiver {
public:
    ErrorSounds() { MessageDispatcher::Instance().AddReceiver(this); }
    ~ErrorSounds() override { MessageDispatcher::Instance().RemoveReceiver(this); }
    bool ReceiveMessage(const MessageBase& message) override
    {
        if (message.GetTypeId() != CPlaySoundMessage::TypeId()) return false;
        if (static_cast<const CPlaySoundMessage&>(message).soundName == "Player Error.wav") ++count;
        return true;
    }
    int count = 0;
};

// A screen over a 320 x 100 frame on a fake clock holding one focused edit box at (10, 10), 120 pixels wide, with
// a parent that counts the box's change notices.
class EditBoxTest : public testing::Test {
protected:
    class Parent : public CJWindow {
    public:
        Parent() : CJWindow(nullptr, "parent") {}
        void OnChildNotify(CJWindow* child, int code) override
        {
            if (code == CJEditBox::kNotifyTextChanged) ++changes;
            CJWindow::OnChildNotify(child, code);
        }
        int changes = 0;
    };

    void SetUp() override
    {
        g_now = 1000;
        SetToolkitTickSource(&FakeTicks);
        MouseState::Get().Reset();
        KeyboardState::Get().Reset();
        CJEditBox::SetInsertOn(true);
        output.Create(320, 100, 16);
        screen = std::make_unique<CScreenWindow>(&output, DefaultTestFont());
        parent = new Parent;
        parent->SetRect(Rect::OfSize(320, 100));
        screen->AddChild(parent, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        box = new CJEditBox(nullptr, "");
        box->SetRect(Rect::At(10, 10, 120, box->GetHeight()));
        parent->AddChild(box, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    }
    void TearDown() override
    {
        screen.reset();
        SetToolkitTickSource(nullptr);
        KeyboardState::Get().Reset();
        CJEditBox::SetInsertOn(true);
    }
    void Frame()
    {
        g_now += 16;
        screen->Update(0.016f);
    }
    // Each key goes through the screen's pump as the player would type it.
    void Keys(std::initializer_list<int> codes)
    {
        for (int code : codes) {
            if (code == kShiftDown || code == kShiftUp) {
                code == kShiftDown ? KeyboardState::Get().KeyDown(kScanLeftShift)
                                   : KeyboardState::Get().KeyUp(kScanLeftShift);
                continue;
            }
            KeyboardState::Get().PutTyped(code);
            Frame();
        }
    }
    void Type(const char* text)
    {
        for (; *text; ++text) Keys({static_cast<unsigned char>(*text)});
    }
    int Width(const char* text) { return DefaultTestFont()->MeasureWidth(text); }
    // The screen x of the boundary after the first n characters of the box's text.
    int BoundaryX(int n)
    {
        return box->GetScreenRect().left + box->GetTextArea().left - box->GetScroll() +
               DefaultTestFont()->MeasureWidth(box->GetText(), n);
    }
    std::string Text() const { return box->GetTextChars(); }

    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
    Parent* parent = nullptr;
    CJEditBox* box = nullptr;
    ErrorSounds sounds;
};

TEST(EditBoxSize, FitsItsTextWithRoomToTypeAndKeepsAWidthItWasGiven)
{
    CFont* font = DefaultTestFont();
    CJEditBox empty(nullptr, "");
    EXPECT_EQ(empty.GetWidth(), font->MeasureWidth("XXXXXXXXXXXX"));
    EXPECT_EQ(empty.GetHeight(), font->GetLineHeight() + 2 * empty.GetMargin() + 2);
    CJEditBox named(nullptr, "Name");
    EXPECT_EQ(named.GetWidth(), font->MeasureWidth("Name") + named.GetMargin() + font->MeasureWidth("XXXX") + 1);
    EXPECT_EQ(named.GetCaret(), 4);
    EXPECT_EQ(named.GetAnchor(), 0) << "a new box has all of its text selected";
    CJEditBox ampersand(nullptr, "Fish & Chips");
    EXPECT_STREQ(ampersand.GetTextChars(), "Fish & Chips") << "an edit box's '&' is text, not a shortcut mark";
}

struct KeyCase {
    const char* name;
    const char* initial;
    std::vector<int> keys;
    const char* text;
    int caret;
    int anchor;
};

TEST_F(EditBoxTest, EditingKeysMoveTheCaretSelectAndDelete)
{
    const std::string thirty(30, 'a');
    const KeyCase cases[] = {
        {"typing replaces the selected text", "abc", {'x', 'y'}, "xy", 2, 2},
        {"Home then typing inserts in front", "abc", {kKeyHome, 'x'}, "xabc", 1, 1},
        {"Left stops at the start", "ab", {kKeyHome, kKeyLeft}, "ab", 0, 0},
        {"Right stops at the end", "ab", {kKeyEnd, kKeyRight}, "ab", 2, 2},
        {"shift+Left grows the selection", "abcd", {kKeyEnd, kShiftDown, kKeyLeft, kKeyLeft, kShiftUp}, "abcd", 2, 4},
        {"shift+Home selects to the start", "abcd", {kKeyEnd, kKeyLeft, kShiftDown, kKeyHome, kShiftUp}, "abcd", 0, 3},
        {"a plain move collapses the selection", "abcd", {kKeyLeft}, "abcd", 3, 3},
        {"Backspace at the start does nothing", "abc", {kKeyHome, kKeyBackspace}, "abc", 0, 0},
        {"Backspace removes the character before", "abc", {kKeyEnd, kKeyBackspace}, "ab", 2, 2},
        {"Backspace with a selection removes only it",
         "abcd",
         {kKeyEnd, kShiftDown, kKeyLeft, kKeyLeft, kShiftUp, kKeyBackspace},
         "ab",
         2,
         2},
        {"Delete removes the character after", "abc", {kKeyHome, kKeyDelete}, "bc", 0, 0},
        {"Delete at the end does nothing", "abc", {kKeyEnd, kKeyDelete}, "abc", 3, 3},
        {"Page Up moves twenty at most", thirty.c_str(), {kKeyEnd, kKeyPageUp}, thirty.c_str(), 10, 10},
        {"Page Up stops at the start", thirty.c_str(), {kKeyEnd, kKeyPageUp, kKeyPageUp}, thirty.c_str(), 0, 0},
        {"Page Down stops at the end", thirty.c_str(), {kKeyHome, kKeyPageDown, kKeyPageDown}, thirty.c_str(), 30, 30},
        {"Ctrl+A selects everything", "abc", {kKeyHome, kKeyCtrlA}, "abc", 3, 0},
        {"Insert toggles to overwriting", "abc", {kKeyHome, kKeyInsert, 'x', 'y'}, "xyc", 2, 2},
        {"overwriting at the end appends", "ab", {kKeyEnd, kKeyInsert, 'c'}, "abc", 3, 3},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        CJEditBox::SetInsertOn(true);
        box->SetText(c.initial);
        for (int key : c.keys) Keys({key});
        EXPECT_EQ(Text(), c.text);
        EXPECT_EQ(box->GetCaret(), c.caret);
        EXPECT_EQ(box->GetAnchor(), c.anchor);
    }
    EXPECT_EQ(sounds.count, 0);
}

TEST_F(EditBoxTest, RestrictionsRefuseCharactersWithTheErrorSound)
{
    struct Case {
        const char* name;
        void (*restrict)(CJEditBox&);
        const char* typed;
        const char* text;
        int errors;
    };
    const Case cases[] = {
        {"numbers only", [](CJEditBox& b) { b.SetNumbersOnly(true); }, "a-1.5b", "-1.5", 2},
        {"upper case", [](CJEditBox& b) { b.SetUpperCase(true); }, "ab1", "AB1", 0},
        {"excluded characters", [](CJEditBox& b) { b.SetExcludedCharacters("x/"); }, "ax/b", "ab", 2},
        {"a full box", [](CJEditBox& b) { b.SetMaxLength(3); }, "abcd", "abc", 1},
        {"a range", [](CJEditBox& b) { b.SetRange(1.0f, 10.0f); }, "0", "", 1},
        {"a range, inside then past it", [](CJEditBox& b) { b.SetRange(1.0f, 10.0f); }, "55", "5", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* fresh = new CJEditBox(nullptr, "");
        c.restrict(*fresh);
        delete box;
        box = fresh;
        parent->AddChild(box, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        const int before = sounds.count;
        Type(c.typed);
        EXPECT_EQ(Text(), c.text);
        EXPECT_EQ(sounds.count - before, c.errors);
    }
}

TEST_F(EditBoxTest, AFullBoxStillReplacesASelectionAndOverwrites)
{
    box->SetMaxLength(3);
    box->SetText("abc");
    Type("z");
    EXPECT_EQ(Text(), "z") << "the selection made room";
    Type("yx");
    Keys({kKeyHome, kKeyInsert, 'q'});
    EXPECT_EQ(Text(), "qyx");
    EXPECT_EQ(sounds.count, 0);
}

TEST_F(EditBoxTest, ARefusedNumberBringsBackTheWholeTextCaretAndSelection)
{
    // A text longer than any maximum length, set from outside, survives a key that the range refuses.
    const std::string digits(300, '7');
    box->SetRange(1.0f, 10.0f);
    box->SetText(digits.c_str());
    Keys({kKeyEnd, kKeyLeft, '1'});
    EXPECT_EQ(Text(), digits);
    EXPECT_EQ(box->GetCaret(), 299);
    EXPECT_EQ(box->GetAnchor(), 299);
    EXPECT_EQ(sounds.count, 1);
    EXPECT_EQ(parent->changes, 0);
}

TEST_F(EditBoxTest, AnUneditableBoxTakesKeysButChangesNothing)
{
    box->SetText("keep");
    box->SetEditable(false);
    Clipboard::Instance().CopyText("pasted");
    Keys({'x', kKeyDelete, kKeyEnd, kKeyBackspace, kKeyCtrlV, kKeyCtrlX});
    EXPECT_EQ(Text(), "keep");
    EXPECT_EQ(parent->changes, 0);
}

// A box whose key handler the test calls directly, to see which keys it leaves to the screen.
struct KeyProbeBox : CJEditBox {
    KeyProbeBox() : CJEditBox(nullptr, "abc") {}
    using CJEditBox::OnKey;
};

TEST_F(EditBoxTest, InsertWithShiftOrControlIsLeftToTheScreenForTheClipboard)
{
    struct Case {
        int scan;
        bool editable;
        bool taken;
    };
    for (const Case& c : {Case{kScanLeftShift, true, false}, Case{kScanLeftShift, false, true},
                          Case{kScanRightControl, true, false}, Case{0, true, true}}) {
        SCOPED_TRACE(c.scan);
        KeyboardState::Get().Reset();
        if (c.scan) KeyboardState::Get().KeyDown(c.scan);
        KeyProbeBox probe;
        probe.SetEditable(c.editable);
        CJEditBox::SetInsertOn(true);
        EXPECT_EQ(probe.OnKey(kKeyInsert), c.taken);
        EXPECT_EQ(CJEditBox::IsInsertOn(), c.scan != 0) << "only a plain Insert toggles the mode";
    }
    KeyboardState::Get().Reset();
    KeyProbeBox probe;
    for (int code : {int(kKeyTab), int(kKeyEnter), int(kKeyEscape), int(kKeyCtrlV)})
        EXPECT_FALSE(probe.OnKey(code)) << code;
}

TEST_F(EditBoxTest, CutCopyAndPasteGoThroughTheClipboardKeys)
{
    box->SetText("hello world");
    Keys({kKeyEnd, kShiftDown, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kKeyLeft, kShiftUp, kKeyCtrlC});
    EXPECT_STREQ(Clipboard::Instance().PasteText(), "world");
    Keys({kKeyCtrlX});
    EXPECT_EQ(Text(), "hello ");
    Keys({kKeyHome, kKeyCtrlV});
    EXPECT_EQ(Text(), "worldhello ");
    EXPECT_EQ(box->GetCaret(), 5);
    // Shift+Insert pastes over the selection; Ctrl+Insert copies.
    Keys({kKeyCtrlA});
    KeyboardState::Get().KeyDown(kScanLeftShift);
    Keys({kKeyInsert});
    KeyboardState::Get().KeyUp(kScanLeftShift);
    EXPECT_EQ(Text(), "world");
    EXPECT_GE(parent->changes, 3);
}

TEST_F(EditBoxTest, PasteObeysTheRestrictionsAndSkipsControlCharacters)
{
    box->SetText("ab");
    Keys({kKeyEnd});
    Clipboard::Instance().CopyText("x\x01y\bz");
    EXPECT_TRUE(box->Paste(1));
    EXPECT_EQ(Text(), "abxyz") << "control characters neither select all nor delete";
    box->SetNumbersOnly(true);
    box->SetMaxLength(8);
    Clipboard::Instance().CopyText("1a2b3c4");
    EXPECT_TRUE(box->Paste(1));
    EXPECT_EQ(Text(), "abxyz123") << "refused letters are dropped and the box stops at its length";
}

TEST_F(EditBoxTest, ClipboardOperationsAnswerWhetherTheyCouldRun)
{
    box->SetText("abc");
    Keys({kKeyEnd});
    EXPECT_FALSE(box->Copy(1)) << "nothing selected";
    EXPECT_FALSE(box->Cut(1));
    EXPECT_TRUE(box->Clear(1)) << "clearing always answers true";
    EXPECT_EQ(Text(), "abc");
    box->SetClipboardEnabled(false);
    Keys({kKeyCtrlA});
    Clipboard::Instance().CopyText("new");
    EXPECT_FALSE(box->Copy(1));
    EXPECT_FALSE(box->Cut(1));
    EXPECT_FALSE(box->Paste(1));
    EXPECT_EQ(Text(), "abc");
    box->SetClipboardEnabled(true);
    EXPECT_TRUE(box->Copy(0)) << "asking changes nothing";
    EXPECT_STREQ(Clipboard::Instance().PasteText(), "new");
}

TEST_F(EditBoxTest, TheMousePlacesTheCaretAndADragSelects)
{
    box->SetText("abcdef");
    const int y = box->GetScreenRect().top + 5;
    MouseState& mouse = MouseState::Get();
    mouse.StorePosition(BoundaryX(2) + 1, y);
    mouse.PressButton(0);
    Frame();
    EXPECT_EQ(box->GetCaret(), 2);
    EXPECT_EQ(box->GetAnchor(), 2);
    mouse.StorePosition(BoundaryX(5) + 1, y);
    Frame();
    EXPECT_EQ(box->GetCaret(), 5);
    EXPECT_EQ(box->GetAnchor(), 2);
    // Past the right edge the drag reaches the end, not the start.
    mouse.StorePosition(box->GetScreenRect().right + 40, y);
    Frame();
    EXPECT_EQ(box->GetCaret(), 6);
    mouse.ReleaseButton(0);
    Frame();
    Type("Z");
    EXPECT_EQ(Text(), "abZ");

    // A shift-click extends from the anchor.
    Keys({kKeyHome});
    KeyboardState::Get().KeyDown(kScanLeftShift);
    mouse.StorePosition(BoundaryX(2) + 1, y);
    mouse.PressButton(0);
    Frame();
    mouse.ReleaseButton(0);
    Frame();
    EXPECT_EQ(box->GetCaret(), 2);
    EXPECT_EQ(box->GetAnchor(), 0);
    EXPECT_EQ(box->CharacterAt(-5), 0);
}

TEST(EditBoxScroll, ScrollToShowKeepsTheSpanInView)
{
    struct Case {
        int scroll;
        int from;
        int to;
        int textWidth;
        int expected;
    };
    // A view 100 wide.
    const Case cases[] = {
        {0, 50, 51, 200, 0},      // already in view
        {0, 150, 151, 200, 52},   // right of the view: its right edge comes in
        {80, 20, 21, 200, 20},    // left of the view
        {90, 120, 121, 150, 50},  // the text ends inside the view: the scroll shrinks to fit it
        {0, 99, 100, 100, 1},     // the caret after the last pixel
        {90, 20, 21, 50, 0},      // a text shorter than the view is never pushed right
    };
    CJEditBox box(nullptr, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        box.ScrollToShow(0, 1, 100, 1000);
        box.ScrollToShow(c.scroll, c.scroll + 99, 100, 1000);
        ASSERT_EQ(box.GetScroll(), c.scroll);
        box.ScrollToShow(c.from, c.to, 100, c.textWidth);
        EXPECT_EQ(box.GetScroll(), c.expected);
    }
}

TEST_F(EditBoxTest, DrawingScrollsALongTextToTheCaretAndBack)
{
    box->SetText("the quick brown fox jumps over the lazy dog");
    Keys({kKeyEnd});
    screen->DrawToBackBuffer();
    const int area = box->GetTextArea().Width();
    const int caretX = Width("the quick brown fox jumps over the lazy dog") - box->GetScroll();
    EXPECT_GT(box->GetScroll(), 0);
    EXPECT_GE(caretX, 0);
    EXPECT_LT(caretX, area);
    Keys({kKeyHome});
    screen->DrawToBackBuffer();
    EXPECT_EQ(box->GetScroll(), 0);
}

TEST_F(EditBoxTest, TheCaretBlinksAndBecomesABlockWhenOverwriting)
{
    box->SetText("");
    box->SetTextColorRGB(255, 255, 255);
    const Rect area = box->GetTextArea().Offset(box->GetScreenRect().left, box->GetScreenRect().top);
    auto pixelAt = [&](int x) {
        Color c;
        output.GetPixelColor(x, area.top + area.Height() - 2, c);
        return c.R > 200 && c.G > 200 && c.B > 200;
    };
    g_now = 256;
    screen->DrawToBackBuffer();
    EXPECT_TRUE(pixelAt(area.left)) << "on for 256 ms";
    g_now = 512;
    screen->DrawToBackBuffer();
    EXPECT_FALSE(pixelAt(area.left)) << "off for the next 256";

    box->SetText("WW");
    box->SetBackgroundColorRGB(0, 0, 0);
    Keys({kKeyHome, kKeyInsert});
    g_now = 256;
    screen->DrawToBackBuffer();
    EXPECT_TRUE(pixelAt(area.left + Width("W") - 2)) << "the block covers the character under the caret";
}

TEST_F(EditBoxTest, ADisabledBoxPutsBackTheOpacitiesItFound)
{
    BlitType* mask = GetBlitTypeList().GetType(kBlitTransparentMask);
    ASSERT_NE(mask, nullptr);
    mask->SetOpacity(0.7f);
    box->SetEnabled(false);
    screen->DrawToBackBuffer();
    EXPECT_FLOAT_EQ(mask->GetOpacity(), 0.7f);
    mask->SetOpacity(1.0f);
}

TEST_F(EditBoxTest, GainingTheFocusSelectsEverything)
{
    auto* other = new CJWindow(nullptr, "other");
    parent->AddChild(other, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    box->SetText("abc");
    Keys({kKeyHome});
    parent->ActivateChild(other);
    parent->ActivateChild(box);
    EXPECT_EQ(box->GetCaret(), 3);
    EXPECT_EQ(box->GetAnchor(), 0);
}

}  // namespace
