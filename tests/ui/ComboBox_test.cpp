#include <string>
#include <vector>

#include "PumpedScreen.h"
#include "foundation/Messages.h"
#include "ui/ComboBox.h"
#include "ui/ListModel.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

class ComboParent : public CJWindow {
public:
    ComboParent() : CJWindow(nullptr, "parent") {}
    void OnChildNotify(CJWindow* child, int code) override { codes.push_back(code); }
    int CountChildren() const
    {
        int count = 0;
        for (const CJWindow* child = GetFirstChild(); child; child = child->GetNextSibling()) ++count;
        return count;
    }
    std::vector<int> codes;
};

// A combo box over six colours in a 320 x 240 parent, with "green" (item 1) chosen, and a tree of two folders.
class ComboBoxTest : public PumpedScreen {
protected:
    void SetUp() override
    {
        PumpedScreen::SetUp();
        for (const char* name : {"red", "green", "blue", "amber", "violet", "cyan"}) colours.Add(name);
        const int warm = folders.Add("warm");
        folders.Add("orange", warm);
        folders.Add("cold");
        parent = Add(new ComboParent, Rect::At(0, 0, 320, 240));
        combo = MakeCombo(&colours, 10, 10);
        combo->SelectItem(1, false);
    }
    CJComboBox* MakeCombo(IListModel* model, int x, int y)
    {
        auto* made = new CJComboBox(parent, model, 0, 30);
        made->MoveTo(x, y);
        parent->AddChild(made, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        parent->ActivateChild(made);
        return made;
    }
    void ClickArrow(CJComboBox* which)
    {
        const Rect arrow = which->GetArrowButton()->GetScreenRect();
        Click(arrow.left + 3, arrow.top + 3);
    }
    // The screen point in the middle of a drop-down row.
    int DropRowY(int row) const
    {
        const CJDropDownList* list = combo->GetDropDown();
        return list->GetScreenRect().top + list->DialogUnit() + row * list->GetRowHeight() - list->GetScrollOffset() +
               list->GetRowHeight() / 2;
    }

    SimpleListModel colours;
    SimpleListModel folders;
    ComboParent* parent = nullptr;
    CJComboBox* combo = nullptr;
};

// The arrow is the toolkit's button: it shows the hover, sounds its click and opens the list.
TEST_F(ComboBoxTest, TheArrowIsAButtonThatSoundsItsClick)
{
    struct ClickSounds : IMessageReceiver {
        ClickSounds() { MessageDispatcher::Instance().AddReceiver(this); }
        ~ClickSounds() override { MessageDispatcher::Instance().RemoveReceiver(this); }
        bool ReceiveMessage(const MessageBase& message) override
        {
            if (message.GetTypeId() == CPlaySoundMessage::TypeId() &&
                static_cast<const CPlaySoundMessage&>(message).soundName == "UI/Button Action.wav")
                ++count;
            return false;
        }
        int count = 0;
    } sounds;
    CJButton* arrow = combo->GetArrowButton();
    const std::uint16_t down = 0x25BC;
    EXPECT_STREQ(arrow->GetText().EncodeUnicodeHex().GetText(), CString(&down, 1).EncodeUnicodeHex().GetText());
    EXPECT_FALSE(arrow->IsTabStop());
    const Rect box = arrow->GetScreenRect();
    PointAt(box.left + 3, box.top + 3);
    EXPECT_TRUE(arrow->IsPointerInside());
    ClickArrow(combo);
    EXPECT_EQ(sounds.count, 1);
    EXPECT_TRUE(combo->IsOpen());
}

TEST_F(ComboBoxTest, TheArrowOpensASortedDropDownBelowWithTheChosenItemCurrent)
{
    EXPECT_EQ(combo->GetArrowButton()->GetRect().right, combo->GetWidth());
    EXPECT_EQ(combo->GetArrowButton()->GetHeight(), combo->GetHeight());
    ClickArrow(combo);
    CJDropDownList* list = combo->GetDropDown();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetParent(), parent);
    EXPECT_EQ(list->GetRect().top, combo->GetRect().bottom);
    EXPECT_EQ(list->GetRect().left, combo->GetRect().left);
    EXPECT_GE(list->GetWidth(), combo->GetWidth());
    EXPECT_EQ(list->GetRowsPerPage(), 6);
    EXPECT_EQ(list->GetRowText(0).GetText(), std::string("amber")) << "the drop-down sorts its rows";
    EXPECT_EQ(list->GetCurrentItem(), 1);
    EXPECT_TRUE(list->HasFocus());
    Draw();
}

TEST_F(ComboBoxTest, ChoosingAnItemOutsideTheModelKeepsTheChoice)
{
    for (int item : {-1, 6, 99}) {
        combo->SelectItem(item, true);
        EXPECT_EQ(combo->GetChosenItem(), 1) << item;
    }
}

TEST_F(ComboBoxTest, EscapeGoesBackToTheItemBeforeAndEnterKeepsTheNewChoice)
{
    ClickArrow(combo);
    Key(kKeyDown);
    EXPECT_EQ(combo->GetChosenItem(), 1) << "keys in the drop-down choose nothing yet";
    Key(kKeyEscape);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->GetChosenItem(), 1);
    Frame();
    EXPECT_EQ(parent->CountChildren(), 1) << "the closed drop-down went at the next update";
    EXPECT_TRUE(combo->HasFocus());
    EXPECT_TRUE(parent->codes.empty());

    ClickArrow(combo);
    Key(kKeyDown);
    Key(kKeyEnter);
    Frame();
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->GetChosenItem(), 0) << "red follows green in sorted order";
    EXPECT_EQ(parent->codes, std::vector<int>{kNotifyListSelection});
}

TEST_F(ComboBoxTest, ClosedCombosOpenByArrowKeysAndF4AndTypeIntoTheirListPart)
{
    Key(kKeyDown);
    ASSERT_TRUE(combo->IsOpen());
    EXPECT_EQ(combo->GetDropDown()->GetCurrentItem(), 0) << "Down went on to the drop-down: green, then red";
    Key(kKeyEscape);
    Frame();
    Key(kKeyF4);
    EXPECT_TRUE(combo->IsOpen());
    Key(kKeyF4);
    Frame();
    EXPECT_FALSE(combo->IsOpen()) << "F4 with a current item closes it";

    Key('c');
    EXPECT_EQ(combo->GetChosenItem(), 5) << "typing chooses in the closed combo box";
    Key(kKeyEnter);
    EXPECT_TRUE(parent->codes.size() == 1) << "only the F4 choice notified; Enter notifies when asked to";
    combo->SetEnterNotifies(true);
    Key(kKeyEnter);
    EXPECT_EQ(parent->codes.back(), kNotifyListActivated);
}

TEST_F(ComboBoxTest, APressElsewhereClosesWithoutTheChoiceAndAReleaseOnARowKeepsIt)
{
    ClickArrow(combo);
    Press(20, DropRowY(4));
    EXPECT_EQ(combo->GetChosenItem(), 0) << "the press shows its row in the list part";
    PointAt(300, 200);
    Release();
    EXPECT_TRUE(combo->IsOpen()) << "a release off the rows chooses nothing";
    Click(300, 200);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->GetChosenItem(), 1) << "a press outside went back to green";
    Frame();

    ClickArrow(combo);
    Click(20, DropRowY(5));
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(combo->GetChosenItem(), 4);
}

TEST_F(ComboBoxTest, ADropDownWithoutRoomBelowOpensAboveAndATreeOneOpensFoldersOnRelease)
{
    CJComboBox* low = MakeCombo(&colours, 200, 200);
    ClickArrow(low);
    ASSERT_TRUE(low->IsOpen());
    EXPECT_EQ(low->GetDropDown()->GetRect().bottom, low->GetRect().top);
    Key(kKeyEscape);
    Frame();

    CJComboBox* tree = MakeCombo(&folders, 10, 60);
    ClickArrow(tree);
    CJDropDownList* list = tree->GetDropDown();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetPageSize(), 20) << "a tree keeps room for its folders";
    EXPECT_EQ(list->GetRect().top, 0) << "neither below nor above: at the parent's bottom, held at its top";
    const int y = list->GetScreenRect().top + list->DialogUnit() + list->GetRowHeight() * 3 / 2;
    Click(list->GetScreenRect().left + 5, y);
    EXPECT_TRUE(tree->IsOpen()) << "a folder opens instead of choosing";
    EXPECT_EQ(list->GetRowCount(), 3);
    EXPECT_LE(list->GetRect().right, parent->GetWidth()) << "kept inside the parent";
}

TEST_F(ComboBoxTest, OnlyTheSecondVariantOpensWhenItsListPartIsClicked)
{
    const Rect part = combo->GetListPart()->GetScreenRect();
    Click(part.left + 5, part.top + 5);
    EXPECT_FALSE(combo->IsOpen());
    combo->SetOpenOnListClick(true);
    Click(part.left + 5, part.top + 5);
    EXPECT_TRUE(combo->IsOpen());
}

TEST_F(ComboBoxTest, ACombosDropDownOutlivingItChangesNothing)
{
    ClickArrow(combo);
    delete combo;
    combo = nullptr;
    Key(kKeyEnter);
    Frame();
    EXPECT_EQ(parent->CountChildren(), 0);
}

}  // namespace
