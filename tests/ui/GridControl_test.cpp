#include <utility>
#include <vector>

#include "PumpedScreen.h"
#include "frames/GridControl.h"
#include "ui/Header.h"
#include "ui/ScrollBar.h"
#include "ui/ToolkitKeys.h"

using namespace ui_test;
using platform::Rect;

namespace {

// A grid that records the cells it is asked to draw and its hooks.
class CountingGrid : public CJGridControl {
public:
    using CJGridControl::CJGridControl;
    void DrawCell(int row, int column, CFrameInterface* frame, const Rect&) override
    {
        cells.emplace_back(row, column);
        clips.push_back(frame->GetBounds());
    }
    void OnSelectionChanged(int row) override { selections.push_back(row); }
    void OnActivate(int row) override { activated.push_back(row); }
    void OnColumnsChanged() override { ++columnChanges; }

    std::vector<std::pair<int, int>> cells;
    std::vector<Rect> clips;
    std::vector<int> selections;
    std::vector<int> activated;
    int columnChanges = 0;
};

// A parent that keeps the codes its children send.
class NoticeParent : public CJWindow {
public:
    NoticeParent() : CJWindow(nullptr, "parent") {}
    void OnChildNotify(CJWindow* child, int code) override
    {
        if (dynamic_cast<CJGridControl*>(child)) codes.push_back(code);
    }
    std::vector<int> codes;
};

// A parent at (20, 20) holding a header of columns 40 and 60 at its top and, under it at (0, 20), a 100 x 50 grid
// of 10 rows of 12 pixels: four rows fit, so the grid has its own scroll bar.
class GridTest : public PumpedScreen {
protected:
    void SetUp() override
    {
        PumpedScreen::SetUp();
        parent = Add(new NoticeParent, Rect::At(20, 20, 200, 150));
        header = new CJHeader(nullptr);
        header->AddColumn("Name", 40, nullptr, 0, true, false);
        header->AddColumn("Size", 60, nullptr, 0, true, false);
        grid = new CountingGrid(nullptr, header);
        grid->SetRowHeight(12);
        grid->SetRect(Rect::At(0, 20, 100, 50));
        // The grid goes first, so that the header outlives it when the parent deletes its children.
        parent->AddChild(grid, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        parent->AddChild(header, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        grid->SetRowCount(10);
    }
    // The screen y of the middle of a row while the view is at the top.
    int RowY(int row) const { return 40 + row * 12 + 6; }

    NoticeParent* parent = nullptr;
    CJHeader* header = nullptr;
    CountingGrid* grid = nullptr;
};

TEST_F(GridTest, TheSelectionIsKeptToTheRowsAndTellsWhenAsked)
{
    struct Case {
        int row;
        int selected;
    };
    // Rows below -1 compare as large unsigned numbers: they end on the last row as rows past the end do.
    for (const Case& c : {Case{3, 3}, Case{25, 9}, Case{-1, -1}, Case{-5, 9}, Case{0, 0}}) {
        SCOPED_TRACE(c.row);
        grid->SetSelectedRow(c.row, true);
        EXPECT_EQ(grid->GetSelectedRow(), c.selected);
    }
    EXPECT_TRUE(parent->codes.empty()) << "silent changes tell nobody";
    EXPECT_EQ(grid->selections, (std::vector<int>{3, 9, -1, 9, 0}));

    grid->SetSelectedRow(2, false);
    grid->SetSelectedRow(2, false);
    EXPECT_EQ(parent->codes, (std::vector<int>{CJGridControl::kNotifySelectionChanged})) << "the same row is no change";

    grid->SetSelectedRow(9, true);
    grid->SetRowCount(4);
    EXPECT_EQ(grid->GetSelectedRow(), 3) << "fewer rows take the selection with them";
    grid->SetRowCount(0);
    EXPECT_EQ(grid->GetSelectedRow(), -1);
    grid->SetSelectedRow(4, false);
    EXPECT_EQ(grid->GetSelectedRow(), -1) << "with no rows nothing can be selected";
}

TEST_F(GridTest, KeysMoveTheSelectionWithinTheRowsAndEnterActivates)
{
    struct Case {
        int from;
        int key;
        int to;
    };
    const Case cases[] = {{9, kKeyDown, 9}, {0, kKeyUp, 0},   {-1, kKeyDown, 0}, {-1, kKeyUp, 0},
                          {4, kKeyUp, 3},   {4, kKeyHome, 0}, {4, kKeyEnd, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from * 100 + c.key);
        grid->SetSelectedRow(c.from, true);
        Key(c.key);
        EXPECT_EQ(grid->GetSelectedRow(), c.to);
    }
    parent->codes.clear();
    grid->SetSelectedRow(6, true);
    Key(kKeyEnter);
    EXPECT_EQ(grid->activated, (std::vector<int>{6}));
    EXPECT_EQ(parent->codes, (std::vector<int>{CJGridControl::kNotifyRowActivated}));
}

TEST_F(GridTest, TheScrollBarComesWhenRowsOverflowAndTakesItsWidthFromTheRows)
{
    const int bar = CJScrollBar::Thickness();
    ASSERT_NE(grid->GetScrollBar(), nullptr);
    EXPECT_EQ(grid->GetScrollBar()->GetRect().left, 100 - bar) << "along the grid's right edge, inside it";
    EXPECT_FLOAT_EQ(grid->GetScrollBar()->GetMaximum(), 120.0f - 50.0f);
    EXPECT_FLOAT_EQ(grid->GetScrollBar()->GetPageStep(), 50.0f);
    EXPECT_FLOAT_EQ(grid->GetScrollBar()->GetLineStep(), 12.0f);
    Draw();
    ASSERT_FALSE(grid->clips.empty());
    for (const Rect& clip : grid->clips) EXPECT_LE(clip.right, 100 - bar) << "cells stop at the bar";

    grid->SetRowCount(3);
    EXPECT_EQ(grid->GetScrollBar(), nullptr) << "all rows fit";
    EXPECT_EQ(grid->GetWidth(), 100);
    grid->SetRowCount(10);
    EXPECT_NE(grid->GetScrollBar(), nullptr);
    EXPECT_EQ(grid->GetWidth(), 100) << "rows that come and go never narrow the grid";

    // Where one row or none fits, a bar would not help.
    grid->SetRowCount(3);
    grid->SetSize(100, 20);
    grid->SetRowCount(10);
    EXPECT_EQ(grid->GetScrollBar(), nullptr);
}

TEST_F(GridTest, TheWheelMovesTheTargetAndTheViewGlidesAfterIt)
{
    PointAt(30, RowY(1));
    MouseState::Get().AddWheel(-2.0f);
    Frame();
    EXPECT_EQ(grid->GetScrollTarget(), 50);
    std::vector<int> offsets;
    for (int i = 0; i < 5; ++i) {
        Draw();
        offsets.push_back(grid->GetScrollY());
        EXPECT_LE(grid->GetScrollTarget() - grid->GetScrollY(), 12) << "never more than a row behind";
    }
    EXPECT_EQ(offsets, (std::vector<int>{38, 42, 46, 50, 50}));
    EXPECT_FLOAT_EQ(grid->GetScrollBar()->GetPosition(), 50.0f) << "the bar follows the view";

    MouseState::Get().AddWheel(-3.0f);
    Frame();
    EXPECT_EQ(grid->GetScrollTarget(), 70) << "the target stays inside the content";
}

TEST_F(GridTest, SelectingARowScrollsItIntoViewFromEitherSide)
{
    grid->SetSelectedRow(8, true);
    EXPECT_EQ(grid->GetScrollTarget(), 8 * 12 + 12 - 50);
    EXPECT_FLOAT_EQ(grid->GetScrollBar()->GetPosition(), 58.0f);
    grid->SetSelectedRow(1, true);
    EXPECT_EQ(grid->GetScrollTarget(), 12);
    grid->SetScrollTarget(-40);
    EXPECT_EQ(grid->GetScrollTarget(), 0);
}

TEST_F(GridTest, OnlyTheVisibleRowsDrawTheirCells)
{
    Draw();
    std::vector<std::pair<int, int>> expected;
    for (int row = 0; row <= 4; ++row)
        for (int column = 0; column < 2; ++column) expected.emplace_back(row, column);
    EXPECT_EQ(grid->cells, expected);

    grid->SetScrollTarget(70);
    for (int i = 0; i < 10; ++i) Draw();
    grid->cells.clear();
    Draw();
    ASSERT_FALSE(grid->cells.empty());
    EXPECT_EQ(grid->cells.front().first, 70 / 12);
    EXPECT_EQ(grid->cells.back().first, 9);
}

TEST_F(GridTest, ThePointerSelectsActivatesAndDragsTheView)
{
    Click(30, RowY(2));
    EXPECT_EQ(grid->GetSelectedRow(), 2);
    EXPECT_EQ(parent->codes, (std::vector<int>{CJGridControl::kNotifySelectionChanged}));
    MouseState::Get().DoubleClickButton(0);
    Frame();
    Release();
    EXPECT_EQ(grid->activated, (std::vector<int>{2}));

    // The middle button drags the content along with the pointer.
    MouseState::Get().StorePosition(30, RowY(3));
    MouseState::Get().PressButton(2);
    Frame();
    PointAt(30, RowY(3) - 20);
    Release(2);
    EXPECT_EQ(grid->GetScrollY(), 20);
}

TEST_F(GridTest, RowsKeepAHeightAndAResizedHeaderReachesOnlyALiveGrid)
{
    grid->SetRowHeight(0);
    EXPECT_EQ(grid->GetRowHeight(), 1u);
    EXPECT_EQ(grid->RowAtPoint(0, 45), 5);

    // Dragging the first column's right edge (screen x 59) widens it and tells the grid.
    Press(59, 25);
    PointAt(69, 25);
    Release();
    EXPECT_EQ(grid->columnChanges, 1);
    delete grid;
    Press(69, 25);
    PointAt(79, 25);
    Release();
    EXPECT_EQ(header->GetColumn(0)->width, 60) << "the header goes on alone";
}

TEST(GridControl, AGridWithoutRowsOrAHeaderDrawsAndAnswersNoRow)
{
    CFrame frame;
    frame.Create(40, 40, 16);
    DefaultTestFont();
    CountingGrid grid(nullptr, nullptr);
    grid.SetRect(Rect::OfSize(40, 40));
    grid.Draw(&frame);
    EXPECT_TRUE(grid.cells.empty());
    EXPECT_EQ(grid.RowAtPoint(5, 5), CJGridControl::kNoRow);
}

}  // namespace
