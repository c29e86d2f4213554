// The grid of 32 x 32-pixel cells that records which parts of an area changed, each dirty cell with the exact
// changed extent inside it.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/rect.h"

// A cell: the dirty flag, then the changed extent relative to the cell's top-left corner (x1 and y1 exclusive),
// each in 0 .. 32. The extent of a clean cell means nothing.
struct DirtyCell {
    std::uint8_t dirty;
    std::int8_t x0, y0, x1, y1;
};
static_assert(sizeof(DirtyCell) == 5, "a cell is five bytes");

class DirtyGrid {
public:
    static constexpr int kShift = 5;
    static constexpr int kCellSize = 1 << kShift;

    DirtyGrid() { Resize(0, 0); }
    virtual ~DirtyGrid() = default;

    // Sizes the grid to cover width x height pixels (a partial last column or row counts), every cell clean.
    void Resize(int width, int height);
    // The flag; 0 outside the grid.
    int IsCellDirty(int column, int row) const;
    // The cell; null outside the grid. Inline: the walks over the grid ask for every cell of it each frame.
    const DirtyCell* GetCell(int column, int row) const
    {
        if (static_cast<unsigned>(column) >= static_cast<unsigned>(m_columns) ||
            static_cast<unsigned>(row) >= static_cast<unsigned>(m_rows))
            return nullptr;
        return &m_cells[m_rowTable[row] + column];
    }
    // Every cell dirty with the full extent.
    void MarkAll();
    void MarkPoint(int x, int y) { MarkRect(x, y, x + 1, y + 1); }
    // Marks the rectangle (right and bottom exclusive), clipped to the grid's cells.
    void MarkRect(int left, int top, int right, int bottom);
    void MarkRect(const platform::Rect& rect) { MarkRect(rect.left, rect.top, rect.right, rect.bottom); }
    // Every cell copied from a grid of the same size (nothing when the sizes differ).
    void CopyFrom(const DirtyGrid& other);
    // The cell-wise union with a grid of the same size (nothing when the sizes differ).
    void Merge(const DirtyGrid& other);
    // Every flag 0; extents kept.
    void ClearAll();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    int GetCellWidth() const { return m_cellWidth; }
    int GetCellHeight() const { return m_cellHeight; }

private:
    bool SameSize(const DirtyGrid& other) const { return m_columns == other.m_columns && m_rows == other.m_rows; }

    int m_width = 0;
    int m_height = 0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<int> m_rowTable;
    std::vector<DirtyCell> m_cells;
    int m_cellWidth = kCellSize;
    int m_cellHeight = kCellSize;
    int m_shiftX = kShift;
    int m_shiftY = kShift;
};
