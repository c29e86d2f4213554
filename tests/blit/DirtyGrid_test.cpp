#include <gtest/gtest.h>

#include "blit/DirtyGrid.h"

namespace {

std::vector<int> Extent(const DirtyGrid& grid, int column, int row)
{
    const DirtyCell* cell = grid.GetCell(column, row);
    if (!cell || !cell->dirty) return {};
    return {cell->x0, cell->y0, cell->x1, cell->y1};
}

TEST(DirtyGridTest, SizesCountPartialCells)
{
    DirtyGrid grid;
    EXPECT_EQ(grid.GetColumns(), 0);
    EXPECT_EQ(grid.GetCell(0, 0), nullptr);
    grid.Resize(1000, 700);
    EXPECT_EQ(grid.GetColumns(), 32);
    EXPECT_EQ(grid.GetRows(), 22);
    EXPECT_EQ(31 * grid.GetCellWidth(), 992);
    grid.Resize(100, 70);
    EXPECT_EQ(grid.GetColumns(), 4);
    EXPECT_EQ(grid.GetRows(), 3);
}

TEST(DirtyGridTest, MarkingKeepsTheExtentInsideEachCell)
{
    DirtyGrid grid;
    grid.Resize(100, 70);
    grid.MarkRect(30, 0, 40, 5);
    EXPECT_EQ(Extent(grid, 0, 0), (std::vector<int>{30, 0, 32, 5}));
    EXPECT_EQ(Extent(grid, 1, 0), (std::vector<int>{0, 0, 8, 5}));
    EXPECT_EQ(grid.IsCellDirty(2, 0), 0);

    grid.ClearAll();
    grid.MarkRect(0, 0, 10, 10);
    grid.MarkRect(20, 20, 25, 25);
    EXPECT_EQ(Extent(grid, 0, 0), (std::vector<int>{0, 0, 25, 25}));

    grid.ClearAll();
    grid.MarkRect(-50, -50, 2, 3);  // clipped
    EXPECT_EQ(Extent(grid, 0, 0), (std::vector<int>{0, 0, 2, 3}));
    grid.ClearAll();
    grid.MarkRect(500, 0, 600, 10);  // outside
    grid.MarkRect(-10, -10, -1, -1);
    grid.MarkRect(10, 10, 10, 20);  // empty
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column) EXPECT_EQ(grid.IsCellDirty(column, row), 0);
    grid.MarkPoint(127, 95);  // the last pixel of the cells, past the 100 x 70 area
    EXPECT_EQ(Extent(grid, 3, 2), (std::vector<int>{31, 31, 32, 32}));
    EXPECT_EQ(grid.IsCellDirty(-1, 0), 0);
    EXPECT_EQ(grid.IsCellDirty(4, 0), 0);
}

TEST(DirtyGridTest, MergeTakesTheUnionAndCopiesCleanCells)
{
    DirtyGrid a, b;
    a.Resize(100, 70);
    b.Resize(100, 70);
    a.MarkRect(4, 4, 8, 8);
    b.MarkRect(2, 6, 6, 12);
    b.MarkRect(40, 40, 41, 41);
    a.Merge(b);
    EXPECT_EQ(Extent(a, 0, 0), (std::vector<int>{2, 4, 8, 12}));
    EXPECT_EQ(Extent(a, 1, 1), (std::vector<int>{8, 8, 9, 9}));
    EXPECT_EQ(a.IsCellDirty(2, 2), 0);

    DirtyGrid other;
    other.Resize(10, 10);
    other.MarkAll();
    a.Merge(other);  // another size: nothing
    a.CopyFrom(other);
    EXPECT_EQ(a.IsCellDirty(3, 2), 0);
    b.MarkAll();
    a.CopyFrom(b);
    EXPECT_EQ(Extent(a, 3, 2), (std::vector<int>{0, 0, 32, 32}));
}

}  // namespace
