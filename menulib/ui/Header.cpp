#include "ui/Header.h"

#include <algorithm>

#include "frames/FrameInterface.h"
#include "ui/ClipScope.h"
#include "ui/Font.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

CJHeader::CJHeader(CJWindow* parent) : CJWindow(parent, "~CJHeader")
{
    const int height = GetFont() ? GetFont()->GetRoundedPointSize() + 1 : 1;
    SetSize(kInitialWidth, height);
}

int CJHeader::AddColumn(const char* title, int width, CFont* font, int justification, bool sortAsText, bool descending)
{
    HeaderColumn column;
    column.left = m_columns.empty() ? 0 : m_columns.back().left + m_columns.back().width;
    column.width = std::max(width, 1);
    column.widthFraction = GetWidth() > 0 ? static_cast<float>(column.width) / GetWidth() : 0.0f;
    column.title = title ? title : "";
    column.font = font ? font : GetFont();
    column.justification = std::clamp(justification, 0, 2);
    column.sortAsText = sortAsText;
    column.fixedDigits = !sortAsText;
    column.descending = descending;
    m_columns.push_back(column);
    return GetColumnCount() - 1;
}

void CJHeader::LayOutColumns()
{
    int left = 0;
    for (HeaderColumn& column : m_columns) {
        column.left = left;
        left += column.width;
    }
    if (m_columns.empty() || m_totalWidth <= left) return;
    m_columns.back().width += m_totalWidth - left;
}

const HeaderColumn* CJHeader::GetColumn(int index) const
{
    return index >= 0 && index < GetColumnCount() ? &m_columns[index] : nullptr;
}

HeaderColumn* CJHeader::GetColumn(int index)
{
    return index >= 0 && index < GetColumnCount() ? &m_columns[index] : nullptr;
}

void CJHeader::SetColumnWidth(int index, int width)
{
    HeaderColumn* column = GetColumn(index);
    if (!column) return;
    column->width = std::max(width, 1);
    column->widthFraction = GetWidth() > 0 ? static_cast<float>(column->width) / GetWidth() : 0.0f;
    LayOutColumns();
}

int CJHeader::ColumnAt(int x) const
{
    for (int i = 0; i < GetColumnCount(); ++i)
        if (x >= m_columns[i].left && x < m_columns[i].left + m_columns[i].width) return i;
    return -1;
}

int CJHeader::EdgeAt(int x) const
{
    for (int i = 0; i < GetColumnCount(); ++i) {
        const HeaderColumn& column = m_columns[i];
        const int edge = column.left + column.width;
        if (column.resizable && x >= edge - kEdgeGrip && x <= edge + kEdgeGrip) return i;
    }
    return -1;
}

// The mouse: a press near an edge drags it; a press and release on one column sorts by it.

bool CJHeader::OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor)
{
    if (!(buttons & 1u)) return false;
    const int localX = x - GetScreenRect().left;
    if (!GetCaptureMask()) {
        m_resizedColumn = EdgeAt(localX);
        m_pressedColumn = m_resizedColumn < 0 ? ColumnAt(localX) : -1;
        if (m_resizedColumn >= 0) cursor = GetToolkitCursor(kDragCursor);
        return m_resizedColumn >= 0 || m_pressedColumn >= 0;
    }
    if (m_resizedColumn < 0 || dx == 0) return true;
    cursor = GetToolkitCursor(kDragCursor);
    SetColumnWidth(m_resizedColumn, m_columns[m_resizedColumn].width + dx);
    NotifyParent(kNotifyHeaderResized);
    if (m_resizeListener) m_resizeListener(*this, m_resizedColumn);
    return true;
}

void CJHeader::OnButtonRelease(std::uint32_t buttons, int x, int y)
{
    const int pressed = m_pressedColumn;
    m_pressedColumn = m_resizedColumn = -1;
    if (pressed < 0 || ColumnAt(x - GetScreenRect().left) != pressed) return;
    if (pressed == m_sortColumn)
        m_columns[pressed].descending = !m_columns[pressed].descending;
    else
        m_sortColumn = pressed;
    NotifyParent(kNotifyHeaderSorted);
    if (m_clickListener) m_clickListener(*this, pressed);
}

CSequence* CJHeader::GetCursorForPoint(int x, int y)
{
    if (m_resizedColumn >= 0) return GetToolkitCursor(kDragCursor);
    return EdgeAt(x) >= 0 ? GetToolkitCursor(kEdgeCursor) : CJWindow::GetCursorForPoint(x, y);
}

// Drawing.

void CJHeader::Draw(CFrameInterface* frame)
{
    for (const HeaderColumn& column : m_columns) DrawColumn(frame, column);
    frame->FillRect({0, GetHeight() - 1, GetWidth(), GetHeight()}, m_lineColor);
}

void CJHeader::DrawColumn(CFrameInterface* frame, const HeaderColumn& column)
{
    const Rect cell{column.left, 0, column.left + column.width, GetHeight()};
    if (column.resizable) frame->FillRect({cell.right - 1, 0, cell.right, cell.bottom}, m_lineColor);
    const ClipScope clip(frame, cell);
    if (column.picture) {
        const Rect bounds = column.picture->GetBounds();
        frame->BlitAt(column.picture, cell.left + (cell.Width() - bounds.Width()) / 2,
                      (cell.Height() - bounds.Height()) / 2, nullptr);
        return;
    }
    CFont* font = column.font;
    if (!font || column.title.IsEmpty()) return;
    const int y = (cell.Height() - font->GetHeight()) / 2;
    const int x = column.justification == kJustifyCentre  ? cell.left + cell.Width() / 2
                  : column.justification == kJustifyRight ? cell.right - kTextMargin
                                                          : cell.left + kTextMargin;
    font->DrawText(frame, x, y, column.title, column.justification);
}
