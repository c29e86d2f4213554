#include "blit/DirtyGrid.h"

#include <algorithm>

void DirtyGrid::Resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_columns = (m_width + m_cellWidth - 1) >> m_shiftX;
    m_rows = (m_height + m_cellHeight - 1) >> m_shiftY;
    m_rowTable.resize(static_cast<std::size_t>(m_rows));
    for (int row = 0; row < m_rows; ++row) m_rowTable[row] = row * m_columns;
    m_cells.assign(static_cast<std::size_t>(m_columns) * m_rows, DirtyCell{});
}

int DirtyGrid::IsCellDirty(int column, int row) const
{
    const DirtyCell* cell = GetCell(column, row);
    return cell ? cell->dirty : 0;
}

void DirtyGrid::MarkAll()
{
    const DirtyCell full{1, 0, 0, static_cast<std::int8_t>(m_cellWidth), static_cast<std::int8_t>(m_cellHeight)};
    std::fill(m_cells.begin(), m_cells.end(), full);
}

void DirtyGrid::MarkRect(int left, int top, int right, int bottom)
{
    const platform::Rect area = platform::Rect{left, top, right, bottom}.Intersected(
        platform::Rect::OfSize(m_columns << m_shiftX, m_rows << m_shiftY));
    if (area.IsEmpty()) return;
    auto clampX = [this](int v) { return static_cast<std::int8_t>(std::clamp(v, 0, m_cellWidth)); };
    auto clampY = [this](int v) { return static_cast<std::int8_t>(std::clamp(v, 0, m_cellHeight)); };
    for (int row = area.top >> m_shiftY; row <= (area.bottom - 1) >> m_shiftY; ++row) {
        const int cy = row << m_shiftY;
        for (int column = area.left >> m_shiftX; column <= (area.right - 1) >> m_shiftX; ++column) {
            const int cx = column << m_shiftX;
            DirtyCell& cell = m_cells[m_rowTable[row] + column];
            const bool was = cell.dirty != 0;
            cell.x0 = clampX(was ? std::min<int>(cell.x0, area.left - cx) : area.left - cx);
            cell.y0 = clampY(was ? std::min<int>(cell.y0, area.top - cy) : area.top - cy);
            cell.x1 = clampX(was ? std::max<int>(cell.x1, area.right - cx) : area.right - cx);
            cell.y1 = clampY(was ? std::max<int>(cell.y1, area.bottom - cy) : area.bottom - cy);
            cell.dirty = 1;
        }
    }
}

void DirtyGrid::CopyFrom(const DirtyGrid& other)
{
    if (SameSize(other)) m_cells = other.m_cells;
}

void DirtyGrid::Merge(const DirtyGrid& other)
{
    if (!SameSize(other)) return;
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        DirtyCell& cell = m_cells[i];
        const DirtyCell& theirs = other.m_cells[i];
        if (!theirs.dirty) continue;
        if (!cell.dirty) {
            cell = theirs;
            continue;
        }
        cell.x0 = std::min(cell.x0, theirs.x0);
        cell.y0 = std::min(cell.y0, theirs.y0);
        cell.x1 = std::max(cell.x1, theirs.x1);
        cell.y1 = std::max(cell.y1, theirs.y1);
    }
}

void DirtyGrid::ClearAll()
{
    for (DirtyCell& cell : m_cells) cell.dirty = 0;
}
