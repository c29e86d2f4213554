#include <climits>
#include <string>
#include <vector>

#include "PumpedScreen.h"
#include "blit/BlitType.h"
#include "foundation/Messages.h"
#include "ui/Header.h"
#include "ui/ListBox.h"
#include "ui/ListModel.h"
#include "ui/ScrollBar.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

class SoundCounter : public IMessageReceiver {
public:
    SoundCounter() { MessageDispatcher::Instance().AddReceiver(this); }
    ~SoundCounter() override { MessageDispatcher::Instance().RemoveReceiver(this); }
    bool ReceiveMessage(const MessageBase& message) override
    {
        if (message.GetTypeId() == CPlaySoundMessage::TypeId()) ++count;
        return false;
    }
    int count = 0;
};

// The parent of the lists under test: it records the codes they send.
class ListParent : public CJWindow {
public:
    ListParent() : CJWindow(nullptr, "parent") {}
    void OnChildNotify(CJWindow* child, int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

// A fixture with a flat model of ten fruits (row 3 "Abacus" and row 6 "lemon" may not be selected) and a tree:
// Fruit (apple, pear), Nuts (Shelled (almond), walnut), readme.
class ListBoxTest : public PumpedScreen {
protected:
    void SetUp() override
    {
        PumpedScreen::SetUp();
        for (const char* name :
             {"apple", "Banana", "cherry", "Abacus", "grape", "kiwi", "lemon", "mango", "melon", "peach"})
            fruits.Add(name);
        fruits.SetSelectable(3, false);
        fruits.SetSelectable(6, false);
        const int fruit = tree.Add("Fruit");
        tree.Add("apple", fruit);
        tree.Add("pear", fruit);
        const int nuts = tree.Add("Nuts");
        const int shelled = tree.Add("Shelled", nuts);
        tree.Add("almond", shelled);
        tree.Add("walnut", nuts);
        tree.Add("readme");
        parent = Add(new ListParent, Rect::At(0, 0, 320, 240));
    }
    CJListBox* MakeList(IListModel* model, int rowsPerPage, std::uint32_t flags = 0)
    {
        auto* list = new CJListBox(parent, model, flags, 60, 0);
        list->SetRowsPerPage(rowsPerPage);
        list->MoveTo(10, 10);
        parent->AddChild(list, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        parent->ActivateChild(list);
        return list;
    }
    // The screen point in the middle of a row that is shown.
    int RowY(const CJListBox& list, int row) const
    {
        return list.GetScreenRect().top + list.DialogUnit() + row * list.GetRowHeight() - list.GetScrollOffset() +
               list.GetRowHeight() / 2;
    }
    std::vector<std::string> Texts(const CJListBox& list) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetRowCount(); ++row) texts.push_back(list.GetRowText(row).GetText());
        return texts;
    }
    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c) Key(*c);
    }

    SimpleListModel fruits;
    SimpleListModel tree;
    ListParent* parent = nullptr;
};

TEST_F(ListBoxTest, EmptyAndOneItemListsStayInsideTheirRows)
{
    SimpleListModel empty;
    CJListBox* list = MakeList(&empty, 5);
    EXPECT_EQ(list->GetRowsPerPage(), 0);
    for (int key : {int(kKeyDown), int(kKeyUp), int(kKeyEnd), int(kKeyPageDown), int('a')}) Key(key);
    EXPECT_EQ(list->GetCurrentRow(), -1);
    list->SetCurrentRow(0, true);
    EXPECT_EQ(list->GetCurrentRow(), -1);
    Click(20, RowY(*list, 0));
    Draw();
    EXPECT_EQ(list->GetCurrentRow(), -1);
    EXPECT_EQ(list->GetScrollBar(), nullptr);

    SimpleListModel one;
    one.Add("only");
    list->SetModel(&one, 0);
    list->SetCurrentRow(5, true);
    EXPECT_EQ(list->GetCurrentRow(), -1) << "a row past the end is refused";
    Key(kKeyDown);
    EXPECT_EQ(list->GetCurrentRow(), 0);
    Key(kKeyDown);
    EXPECT_EQ(list->GetCurrentRow(), 0);
    EXPECT_EQ(list->GetScrollBar(), nullptr);
    list->SetRowsPerPage(2000000000);
    EXPECT_GT(list->GetHeight(), 0) << "a huge page is held to the tallest list";
}

TEST_F(ListBoxTest, ItemsAndSortColumnsThatDoNotExistChangeNothing)
{
    CJListBox* list = MakeList(&fruits, 4);
    list->SelectItem(2, false);
    for (int item : {-1, 10, 1000, INT_MAX}) {
        list->SelectItem(item, true);
        EXPECT_EQ(list->GetCurrentItem(), 2) << item;
    }
    CJHeader header(nullptr);
    header.AddColumn("Name", 40, nullptr, kJustifyLeft, true, false);
    list->SetHeader(&header);
    list->SetSortMode(CJListBox::kSortRows);
    for (int column : {-1, 1, 7}) {
        header.SetSortColumn(column);
        list->Resort();
        EXPECT_EQ(list->GetRowText(0).GetText(), std::string("Abacus")) << "column " << column;
        EXPECT_EQ(list->GetCurrentItem(), 2) << column;
    }
    list->SetHeader(nullptr);
}

TEST_F(ListBoxTest, NavigationKeysSkipRowsThatMayNotBeSelected)
{
    CJListBox* list = MakeList(&fruits, 4);
    struct Step {
        int key;
        int row;
    };
    const Step steps[] = {{kKeyDown, 0},   {kKeyUp, 0},     {kKeyDown, 1},     {kKeyDown, 2},
                          {kKeyDown, 4},   {kKeyUp, 2},     {kKeyPageDown, 5}, {kKeyPageDown, 9},
                          {kKeyPageUp, 5}, {kKeyPageUp, 1}, {kKeyEnd, 9},      {kKeyDown, 9},
                          {kKeyHome, 0},   {kKeyUp, 0},     {kKeyPageDown, 4}, {kKeyPageUp, 0}};
    for (const Step& step : steps) {
        Key(step.key);
        EXPECT_EQ(list->GetCurrentRow(), step.row) << "key " << step.key;
    }
    EXPECT_TRUE(parent->codes.empty()) << "keys move the selection without notices";
}

TEST_F(ListBoxTest, DownOnTheLastRowKeepsItAndClearsTheTypedText)
{
    CJListBox* list = MakeList(&fruits, 4);
    Type("pe");
    EXPECT_EQ(list->GetCurrentRow(), 9);
    EXPECT_STREQ(list->GetTypeAheadText().GetText(), "pe");
    Key(kKeyDown);
    EXPECT_EQ(list->GetCurrentRow(), 9);
    EXPECT_TRUE(list->GetTypeAheadText().IsEmpty());
}

TEST_F(ListBoxTest, TypeAheadGathersCharactersWithinTwoSecondsAndStartsAfreshLater)
{
    SoundCounter sounds;
    CJListBox* list = MakeList(&fruits, 4, kListErrorSound);
    Type("me");
    EXPECT_EQ(list->GetCurrentRow(), 8) << "melon begins with \"me\"";
    Advance(3000);
    Type("b");
    EXPECT_EQ(list->GetCurrentRow(), 1) << "\"b\" alone, case aside";
    Type("x");
    EXPECT_STREQ(list->GetTypeAheadText().GetText(), "b") << "a character that matches nothing is dropped";
    EXPECT_EQ(sounds.count, 1);
    Type("an");
    EXPECT_EQ(list->GetCurrentRow(), 1);
    Key(kKeyBackspace);
    EXPECT_STREQ(list->GetTypeAheadText().GetText(), "ba");

    Advance(3000);
    Type("an");
    EXPECT_EQ(list->GetCurrentRow(), 1) << "Banana holds \"an\"";
    EXPECT_EQ(list->GetMatchOffset(), 1);
    Key(kKeyTab);
    EXPECT_EQ(list->GetCurrentRow(), 7) << "Tab goes on to the next row holding it: mango";
    Advance(3000);
    Type("q");
    EXPECT_EQ(sounds.count, 1) << "a first character that matches nothing plays no sound";
    Key(kKeyF4);
    EXPECT_TRUE(list->GetTypeAheadText().IsEmpty()) << "other keys clear the text";
}

TEST_F(ListBoxTest, NumericColumnsSortByValueTextColumnsWithoutCaseAndDescendingReversed)
{
    SimpleListModel runs;
    for (const char* text : {"b\t10 km", "C\t9 km", "a\t99999999999999999999 km", "d\t100 km"}) runs.Add(text);
    CJHeader header(nullptr);
    header.AddColumn("Name", 40, nullptr, kJustifyLeft, true, false);
    header.AddColumn("Distance", 60, nullptr, kJustifyRight, false, false);
    CJListBox* list = MakeList(&runs, 4);
    list->SetHeader(&header);
    list->SetSortMode(CJListBox::kSortRows);
    header.SetSortColumn(1);
    list->Resort();
    EXPECT_EQ(Texts(*list),
              (std::vector<std::string>{"C\t9 km", "b\t10 km", "d\t100 km", "a\t99999999999999999999 km"}));
    header.GetColumn(1)->descending = true;
    list->Resort();
    EXPECT_EQ(list->GetRowText(0).GetText(), std::string("a\t99999999999999999999 km"));
    header.SetSortColumn(0);
    list->Resort();
    EXPECT_EQ(Texts(*list),
              (std::vector<std::string>{"a\t99999999999999999999 km", "b\t10 km", "C\t9 km", "d\t100 km"}));
    list->SetCompare(
        [](int, const CString& a, const CString& b, const IListModel*, int, int) { return b.CompareNoCase(a); });
    list->Resort();
    EXPECT_EQ(list->GetRowText(0).GetText(), std::string("d\t100 km")) << "a creator's compare decides";
    list->SetHeader(nullptr);
    parent->RemoveChild(list);
    delete list;
}

TEST_F(ListBoxTest, FoldersExpandAndCollapseByKeysAndSelectItemOpensTheWayToAnItem)
{
    CJListBox* list = MakeList(&tree, 6);
    EXPECT_TRUE(list->IsTree());
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Fruit", "Nuts", "readme"}));
    Key(kKeyDown);
    Key(kKeyRight);
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Fruit", "apple", "pear", "Nuts", "readme"}));
    EXPECT_EQ(list->GetRow(1).depth, 1);
    Key(kKeyDown);
    Key(kKeyLeft);
    EXPECT_EQ(list->GetCurrentRow(), 0) << "Left on a leaf selects its folder";
    Key(kKeyLeft);
    EXPECT_EQ(list->GetRowCount(), 3) << "Left on an open folder closes it";
    Key('*');
    EXPECT_EQ(list->GetRowCount(), 8) << "'*' opens every folder, the ones it uncovers too";
    Key('/');
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Fruit", "Nuts", "readme"}));

    list->SelectItem(5, true);
    EXPECT_EQ(list->GetCurrentItem(), 5);
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Fruit", "Nuts", "Shelled", "almond", "walnut", "readme"}));
    EXPECT_EQ(list->GetRow(3).lastChildMask, 0b100u) << "Nuts and Shelled are not last; almond is an only child";
    list->CollapseRow(1);
    EXPECT_EQ(list->GetCurrentRow(), 1) << "the current row inside a closed folder falls back to the folder";
    Advance(3000);
    Type("alm");
    EXPECT_EQ(list->GetCurrentItem(), 5) << "type-ahead finds items in closed folders through the model";
}

// Opening or closing a folder keeps the current row in view in the middle of the page: the first shown row
// becomes current - rows per page / 2, kept to the rows.
TEST_F(ListBoxTest, OpeningAndClosingAFolderCentresTheCurrentRow)
{
    SimpleListModel two;
    for (const char* folder : {"A", "B"}) {
        const int parentItem = two.Add(folder);
        for (int i = 0; i < 10; ++i) two.Add((std::string(folder) + std::to_string(i)).c_str(), parentItem);
    }
    CJListBox* list = MakeList(&two, 4);
    Key('*');
    ASSERT_EQ(list->GetRowCount(), 22);
    list->SetCurrentRow(17, false);  // B5
    const int rowHeight = list->GetRowHeight();
    EXPECT_EQ(list->GetTargetScrollOffset(), 14 * rowHeight) << "selecting scrolls just enough";
    list->CollapseRow(0);
    ASSERT_EQ(list->GetCurrentRow(), 7);
    EXPECT_EQ(list->GetTargetScrollOffset(), 5 * rowHeight);
    list->ExpandRow(0);
    ASSERT_EQ(list->GetCurrentRow(), 17);
    EXPECT_EQ(list->GetTargetScrollOffset(), 15 * rowHeight);
    list->SetCurrentRow(21, false);
    list->CollapseRow(11);
    ASSERT_EQ(list->GetCurrentRow(), 11);
    EXPECT_EQ(list->GetTargetScrollOffset(), 8 * rowHeight) << "at most row count - rows per page";
}

TEST_F(ListBoxTest, AShownRootIsTheOnlyTopRowAndStartsOpen)
{
    tree.SetRoot(3);
    CJListBox* list = MakeList(&tree, 6, kListShowRoot);
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Nuts", "Shelled", "walnut"}));
    EXPECT_TRUE(list->GetRow(0).expanded);
}

TEST_F(ListBoxTest, SlashCompletesTheTypedTextToTheCurrentRowsFolder)
{
    SimpleListModel paths;
    for (const char* path : {"sky", "docs/a", "maps/sea/one", "maps/sky"}) paths.Add(path);
    CJListBox* list = MakeList(&paths, 4);
    Type("ma");
    EXPECT_EQ(list->GetCurrentRow(), 2);
    Type("/sk");
    EXPECT_STREQ(list->GetTypeAheadText().GetText(), "maps/sk");
    EXPECT_EQ(list->GetCurrentRow(), 3);
}

TEST_F(ListBoxTest, RowsShowTheirModelHintOrTheirWholeTextWhenItIsCut)
{
    SimpleListModel hinted;
    hinted.Add("short");
    hinted.Add("a row text far too long for the narrow list that shows it");
    hinted.SetHint(0, "the first row");
    CJListBox* list = MakeList(&hinted, 4);
    list->SetWidth(60);
    PointAt(20, RowY(*list, 0));
    EXPECT_STREQ(screen->GetHintText().GetText(), "the first row");
    PointAt(20, RowY(*list, 1));
    EXPECT_STREQ(screen->GetHintText().GetText(), "a row text far too long for the narrow list that shows it");
}

TEST_F(ListBoxTest, ADoubleClickTogglesAFolderAndNotifiesTheParent)
{
    CJListBox* list = MakeList(&tree, 6);
    MouseState::Get().StorePosition(20, RowY(*list, 1));
    MouseState::Get().DoubleClickButton(0);
    Frame();
    Release();
    EXPECT_EQ(Texts(*list), (std::vector<std::string>{"Fruit", "Nuts", "Shelled", "walnut", "readme"}));
    EXPECT_EQ(parent->codes, std::vector<int>{kNotifyListActivated});
    MouseState::Get().DoubleClickButton(0);
    Frame();
    Release();
    EXPECT_EQ(list->GetRowCount(), 3);
}

TEST_F(ListBoxTest, PressingAndDraggingSelectsRowsButNothingBelowTheLastRow)
{
    SimpleListModel few;
    few.Add("one");
    few.Add("two");
    CJListBox* list = MakeList(&few, 6);
    Press(20, RowY(*list, 0));
    EXPECT_EQ(list->GetCurrentRow(), 0);
    PointAt(20, RowY(*list, 1));
    EXPECT_EQ(list->GetCurrentRow(), 1);
    PointAt(20, RowY(*list, 4));
    EXPECT_EQ(list->GetCurrentRow(), 1) << "the rows below the last are empty";
    Release();
    EXPECT_EQ(parent->codes, (std::vector<int>{kNotifyListSelection, kNotifyListSelection}));
}

TEST_F(ListBoxTest, ManyRowsGetAScrollBarThatScrollsThemAndGoesWhenAllFit)
{
    CJListBox* list = MakeList(&fruits, 4);
    CJScrollBar* bar = list->GetScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(list->GetRowAreaWidth(), list->GetWidth() - bar->GetWidth());
    EXPECT_EQ(bar->GetRect().right, list->GetWidth());
    EXPECT_EQ(bar->GetMaximum(), 6.0f * list->GetRowHeight());
    const int rowHeight = list->GetRowHeight();

    Click(list->GetScreenRect().right - 5, list->GetScreenRect().bottom - 5);
    EXPECT_EQ(list->GetScrollOffset(), rowHeight) << "the bar's arrow moves the rows by one";

    MouseState::Get().StorePosition(40, RowY(*list, 1));
    MouseState::Get().AddWheel(-2.0f);
    Frame();
    EXPECT_EQ(list->GetTargetScrollOffset(), 3 * rowHeight);
    EXPECT_EQ(list->GetScrollOffset(), rowHeight) << "the shown rows follow when drawn";
    Draw();
    EXPECT_EQ(list->GetScrollOffset(), 2 * rowHeight);
    for (int i = 0; i < 10; ++i) Draw();
    EXPECT_EQ(list->GetScrollOffset(), 3 * rowHeight);

    Key(kKeyHome);
    EXPECT_EQ(list->GetTargetScrollOffset(), 0) << "the current row is kept in view";
    list->SetRowsPerPage(10);
    EXPECT_EQ(list->GetScrollBar(), nullptr);
    EXPECT_EQ(list->GetRowAreaWidth(), list->GetWidth());
}

TEST_F(ListBoxTest, OneRowListsTakeTheWheelAsArrowKeys)
{
    CJListBox* list = MakeList(&fruits, 1);
    list->SetCurrentRow(2, false);
    MouseState::Get().StorePosition(20, RowY(*list, 2));
    MouseState::Get().AddWheel(-1.0f);
    Frame();
    EXPECT_EQ(list->GetCurrentRow(), 4);
    MouseState::Get().AddWheel(1.0f);
    Frame();
    EXPECT_EQ(list->GetCurrentRow(), 2);
}

TEST_F(ListBoxTest, ListsOfEverySizeDrawWithTreesColumnsAndTheDisabledLook)
{
    CJListBox* list = MakeList(&tree, 6, kListBevel);
    list->SetSelectColorRGB(200, 40, 40);
    Key('*');
    list->SetCurrentRow(3, false);
    Draw();
    Color marker;
    const int rowsRight = list->GetScreenRect().left + list->GetRowAreaWidth();
    ASSERT_TRUE(output.GetPixelColor(rowsRight - 3, RowY(*list, 3), marker));
    EXPECT_NEAR(marker.R, 200, 8) << "the current row's marker";

    SimpleListModel deep;
    int item = -1;
    for (int depth = 0; depth < 40; ++depth) item = deep.Add("level\tcell", item);
    CJHeader header(nullptr);
    header.AddColumn("A", 30, nullptr, kJustifyCentre, true, false);
    header.AddColumn("B", 30, nullptr, kJustifyRight, false, false);
    list->SetHeader(&header);
    list->SetModel(&deep, 0);
    Key('*');
    EXPECT_EQ(list->GetRowCount(), 40);
    list->SetEnabled(false);
    list->SetCurrentRow(39, false);
    Draw();
    EXPECT_FLOAT_EQ(GetBlitTypeList().GetType(kBlitTransparentMask)->GetOpacity(), 1.0f)
        << "the disabled look gives the opacity back";
    list->SetHeader(nullptr);
}

TEST_F(ListBoxTest, TheHeaderSortsOnClicksAndResizesColumnsFromTheirEdges)
{
    auto* header = Add(new CJHeader(parent), Rect::At(0, 200, 200, 16));
    header->AddColumn("Name", 60, nullptr, kJustifyLeft, true, false);
    header->AddColumn("Size", 60, nullptr, kJustifyRight, false, false);
    int clicks = 0;
    int resizes = 0;
    header->SetClickListener([&](CJHeader&, int) { ++clicks; });
    header->SetResizeListener([&](CJHeader&, int) { ++resizes; });

    Click(90, 205);
    EXPECT_EQ(header->GetSortColumn(), 1);
    EXPECT_FALSE(header->GetColumn(1)->descending);
    Click(90, 205);
    EXPECT_TRUE(header->GetColumn(1)->descending) << "a second click reverses";
    Press(90, 205);
    PointAt(20, 205);
    Release();
    EXPECT_EQ(clicks, 2) << "a release on another column is no click";

    Press(58, 205);
    PointAt(78, 205);
    PointAt(88, 205);
    Release();
    EXPECT_EQ(header->GetColumn(0)->width, 90);
    EXPECT_EQ(header->GetColumn(1)->left, 90);
    EXPECT_EQ(resizes, 2);
    Press(88, 205);
    PointAt(-400, 205);
    Release();
    EXPECT_EQ(header->GetColumn(0)->width, 1) << "a column keeps at least one pixel";
    EXPECT_EQ(clicks, 2);
    header->SetTotalWidth(200);
    header->LayOutColumns();
    EXPECT_EQ(header->GetColumn(1)->width, 199) << "the last column reaches the total width";
    Draw();
}

}  // namespace
