#include "frames/GridControl.h"

#include <algorithm>

#include "frames/FrameInterface.h"
#include "ui/ClipScope.h"
#include "ui/Font.h"
#include "ui/Header.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

constexpr const char* kGridName = "Grid Control";
constexpr int kLeftButton = 0;
constexpr std::uint32_t kLeftButtonBit = 1u << 0;
constexpr std::uint32_t kMiddleButtonBit = 1u << 2;
constexpr int kMiddleDragCursor = 10;

}  // namespace

CJGridControl::CJGridControl(CJWindow* parent, CJHeader* header) : CJWindow(parent, kGridName), m_header(header)
{
    SetTabStop(true);
    if (CFont* font = GetFont()) m_rowHeight = static_cast<unsigned>(std::max(1, font->GetRoundedPointSize() + 2));
    if (m_header) {
        m_gridLineColor = m_header->GetLineColor();
        m_header->SetResizeListener([this](CJHeader&, int) { OnColumnsChanged(); });
        LayOutHeader();
    }
    m_laidOut = true;
}

CJGridControl::~CJGridControl()
{
    // The header outlives the grid: it must not call back into it.
    if (m_header) m_header->SetResizeListener(nullptr);
}

// Rows and selection.

void CJGridControl::SetRowHeight(unsigned pixels)
{
    // Rows of no height would divide every point by zero.
    m_rowHeight = std::max(1u, pixels);
}

void CJGridControl::SetRowCount(unsigned count)
{
    m_rowCount = count;
    const ScrollInfo* info = GetScrollInfo();
    const int width = info && info->contentWidth ? info->contentWidth : GetContentWidth();
    SetVirtualSize(width, count ? static_cast<int>(count * m_rowHeight) : 1);
    if (m_selectedRow >= static_cast<int>(count)) m_selectedRow = static_cast<int>(count) - 1;
    const int contentHeight = GetScrollInfo() ? GetScrollInfo()->contentHeight : GetHeight();
    if (GetScrollY() + VisibleHeight() > contentHeight) ScrollToY(std::max(0, contentHeight - VisibleHeight()));
    SetScrollTarget(m_scrollTarget);
    UpdateScrollBar();
}

void CJGridControl::SetSelectedRow(int row, bool silent)
{
    // Any row but none is kept to the rows, compared unsigned: with no rows nothing is selected.
    if (row != kNoRow && static_cast<unsigned>(row) >= m_rowCount) row = static_cast<int>(m_rowCount) - 1;
    if (row != m_selectedRow) {
        m_selectedRow = row;
        if (!silent) NotifyParent(kNotifySelectionChanged);
        if (row != kNoRow) ScrollRowIntoView(row);
        OnSelectionChanged(row);
    }
    if (m_scrollBar) m_scrollBar->SetPosition(static_cast<float>(m_scrollTarget), true);
}

int CJGridControl::RowAtPoint(int, int y) const
{
    if (m_rowCount == 0) return kNoRow;
    return (y + GetScrollY() - GetScreenRect().top) / static_cast<int>(m_rowHeight);
}

// Scrolling.

void CJGridControl::SetScrollTarget(int offset)
{
    const int contentHeight = GetScrollInfo() ? GetScrollInfo()->contentHeight : GetHeight();
    const int range = contentHeight - VisibleHeight();
    m_scrollTarget = range <= 0 ? 0 : std::clamp(offset, 0, range);
}

void CJGridControl::ScrollRowIntoView(int row)
{
    const int top = row * static_cast<int>(m_rowHeight);
    const int bottom = (row + 1) * static_cast<int>(m_rowHeight) - 1;
    if (top < m_scrollTarget) m_scrollTarget = top;
    if (bottom >= m_scrollTarget + VisibleHeight()) m_scrollTarget = bottom - VisibleHeight() + 1;
}

int CJGridControl::BarWidth() const { return m_scrollBar && !m_externalScrollBar ? m_scrollBar->GetWidth() : 0; }

void CJGridControl::SetExternalScrollBar(CJScrollBar* bar)
{
    if (m_scrollBar && !m_externalScrollBar) RemoveScrollBar();
    m_scrollBar = bar;
    m_externalScrollBar = bar != nullptr;
    UpdateScrollBar();
}

CJScrollBar* CJGridControl::CreateScrollBar() { return new CJScrollBar(this, kVerticalBar); }

void CJGridControl::UpdateScrollBar()
{
    if (GetWidth() <= 0 || GetHeight() <= 0) return;
    const unsigned fitting = std::min(static_cast<unsigned>(VisibleHeight()) / m_rowHeight, m_rowCount);
    if (fitting < m_rowCount && m_rowCount > 1 && fitting > 1) {
        EnsureScrollBar();
        SetBarRange();
        return;
    }
    if (m_externalScrollBar) {
        m_scrollBar->SetRange(0.0f, 0.0f);
        m_scrollBar->SetPageStep(0.0f);
        m_scrollBar->SetLineStep(0.0f);
        return;
    }
    RemoveScrollBar();
}

void CJGridControl::EnsureScrollBar()
{
    if (m_externalScrollBar) return;
    if (!m_scrollBar) {
        m_laidOut = false;
        m_scrollBar = CreateScrollBar();
        AddChild(m_scrollBar, 0, nullptr, 0, 0, kPlaceNoSpacing);
        m_laidOut = true;
        LayOutHeader();
    }
    // Inside the grid's right edge, level with the view: the rows give up the bar's width.
    m_scrollBar->SetRect(
        Rect::At(GetWidth() - m_scrollBar->GetWidth(), GetScrollY(), m_scrollBar->GetWidth(), GetHeight()));
}

void CJGridControl::RemoveScrollBar()
{
    if (!m_scrollBar || m_externalScrollBar) return;
    CJScrollBar* bar = m_scrollBar;
    m_scrollBar = nullptr;
    delete bar;
    LayOutHeader();
}

void CJGridControl::SetBarRange()
{
    const int contentHeight = GetScrollInfo() ? GetScrollInfo()->contentHeight : GetHeight();
    m_scrollBar->SetRange(0.0f, static_cast<float>(std::max(0, contentHeight - VisibleHeight())));
    m_scrollBar->SetPageStep(static_cast<float>(VisibleHeight()));
    m_scrollBar->SetLineStep(static_cast<float>(m_rowHeight));
}

void CJGridControl::LayOutHeader()
{
    if (!m_header) return;
    m_header->SetTotalWidth(RowsWidth() + 1);
    m_header->LayOutColumns();
}

void CJGridControl::SetRect(const Rect& rect)
{
    CJWindow::SetRect(rect);
    if (!m_laidOut) return;
    m_laidOut = false;
    LayOutHeader();
    if (m_scrollBar && !m_externalScrollBar) m_scrollBar->MoveTo(GetWidth() - m_scrollBar->GetWidth(), GetScrollY());
    m_scrollTarget = GetScrollY();
    m_laidOut = true;
    UpdateScrollBar();
}

void CJGridControl::OnChildNotify(CJWindow* child, int code)
{
    if (code != kNotifyScrollPosition) {
        CJWindow::OnChildNotify(child, code);
        return;
    }
    if (!m_scrollBar || child != m_scrollBar) return;
    m_scrollTarget = static_cast<int>(m_scrollBar->GetPosition());
    ScrollToY(m_scrollTarget);
}

void CJGridControl::Glide()
{
    const int current = GetScrollY();
    if (current == m_scrollTarget) return;
    const int next = ApproachWithin(current, m_scrollTarget, static_cast<int>(m_rowHeight));
    // Moving the view lays the window out again, which would take the target to the view: not while gliding.
    m_laidOut = false;
    ScrollToY(next);
    m_laidOut = true;
    // The bar follows without telling: its notice would make the target jump to this step and end the glide.
    if (m_scrollBar) m_scrollBar->SetPosition(static_cast<float>(GetScrollY()), true);
}

// Drawing.

void CJGridControl::DrawSelectedRowBackground(int, CFrameInterface* frame, const Rect& rowRect)
{
    frame->FillRect(rowRect, GetSelectColor());
}

void CJGridControl::Draw(CFrameInterface* frame)
{
    if (m_rowCount > 0) {
        const Rect clip = frame->GetBounds();
        const int height = static_cast<int>(m_rowHeight);
        const int first = std::max(0, clip.top / height);
        const int last = std::min(static_cast<int>(m_rowCount) - 1, clip.bottom / height);
        for (int row = first; row <= last; ++row) DrawRow(row, frame);
    }
    DrawColumnLines(frame);
    CJWindow::Draw(frame);
    Glide();
}

void CJGridControl::DrawRow(int row, CFrameInterface* frame)
{
    const int height = static_cast<int>(m_rowHeight);
    const Rect rowRect{0, row * height, RowsWidth(), (row + 1) * height};
    if (row == m_selectedRow) DrawSelectedRowBackground(row, frame, rowRect);
    const int columns = m_header ? m_header->GetColumnCount() : 0;
    for (int column = 0; column < columns; ++column) {
        const HeaderColumn* info = m_header->GetColumn(column);
        const Rect cell = Rect{info->left, rowRect.top, info->left + info->width, rowRect.bottom}
                              .Intersected({rowRect.left, rowRect.top, rowRect.right, rowRect.bottom})
                              .Intersected(frame->GetBounds());
        if (cell.IsEmpty()) continue;
        const ClipScope clip(frame, cell);
        DrawCell(row, column, frame, rowRect);
    }
    frame->FillRect({0, rowRect.bottom - 1, RowsWidth(), rowRect.bottom}, m_gridLineColor);
}

void CJGridControl::DrawColumnLines(CFrameInterface* frame)
{
    const int columns = m_header ? m_header->GetColumnCount() : 0;
    int right = 0;
    const int top = GetScrollY();
    for (int column = 0; column < columns; ++column) {
        right += m_header->GetColumn(column)->width;
        frame->FillRect({right - 1, top, right, top + GetHeight()}, m_gridLineColor);
    }
}

// Input.

bool CJGridControl::OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor)
{
    if (!m_inDoubleClick) {
        if (buttons & kMiddleButtonBit) {
            cursor = GetToolkitCursor(kMiddleDragCursor);
            ScrollBy(0, -dy);
            m_scrollTarget = GetScrollY();
            return true;
        }
        if ((buttons & kLeftButtonBit) && GetVisibleRect().Contains(x, y)) {
            const int row = RowAtPoint(x, y);
            if (m_rowCount > 0 && row != kNoRow) SetSelectedRow(row, false);
            return true;
        }
    }
    return CJWindow::OnButtonPress(x, y, dx, dy, buttons, cursor);
}

bool CJGridControl::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    if (button != kLeftButton) return false;
    m_inDoubleClick = true;
    const bool taken = CJWindow::OnMouseDown(button, x, y);
    m_inDoubleClick = false;
    if (taken) {
        pressToo = true;
        return true;
    }
    Activate(m_selectedRow);
    return true;
}

void CJGridControl::Activate(int row)
{
    NotifyParent(kNotifyRowActivated);
    OnActivate(row);
}

bool CJGridControl::OnWheel(int steps, int, int)
{
    SetScrollTarget(m_scrollTarget - kWheelPixels * steps);
    return true;
}

bool CJGridControl::OnKey(int code)
{
    const int last = static_cast<int>(m_rowCount) - 1;
    int row = m_selectedRow;
    switch (code) {
    case kKeyUp:
        if (row == 0) return true;
        row = row == kNoRow ? 0 : row - 1;
        break;
    case kKeyDown: row = row == kNoRow ? 0 : row + 1; break;
    case kKeyHome: row = 0; break;
    case kKeyEnd: row = last; break;
    case kKeyEnter: Activate(m_selectedRow); return true;
    default: return CJWindow::OnKey(code);
    }
    SetSelectedRow(row, false);
    return true;
}
