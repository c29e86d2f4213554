#include <algorithm>

#include "ui/ComboBox.h"
#include "ui/ScrollBar.h"
#include "ui/ToolkitKeys.h"

CJDropDownList::CJDropDownList(CJComboBox* combo, IListModel* model, std::uint32_t flags, int rowStyle)
    : CJListBox(combo, model, flags, kWidthUnits, kSortRows), m_combo(combo)
{
    SetRowStyle(rowStyle);
    // Modal: a press anywhere else in the parent reaches the list first, and closes it.
    SetModal(true);
    const int rows =
        IsTree() ? std::min(GetRowCount() + kTreeExtraRows, kMostRows) : std::min(GetRowCount(), kMostRows);
    SetRowsPerPage(rows);
    FitWidth();
}

CJDropDownList::~CJDropDownList()
{
    if (m_combo && !m_closing) m_combo->OnDropDownClosed(this, false, false);
}

void CJDropDownList::CloseList(bool keepChoice) { Finish(keepChoice, true); }

void CJDropDownList::Finish(bool keepChoice, bool takeFocus)
{
    if (m_closing) return;
    m_closing = true;
    // The list leaves at the next update, out of any routing or focus change that is running now; until then it
    // is hidden and no longer stops the routing among its siblings.
    Show(false, false);
    SetModal(false);
    if (m_combo) m_combo->OnDropDownClosed(this, keepChoice, takeFocus);
    RequestClose();
}

void CJDropDownList::FitWidth()
{
    MeasureContentWidth();
    const int bar = GetScrollBar() ? GetScrollBar()->GetWidth() : 0;
    const int comboWidth = m_combo ? m_combo->GetWidth() : 0;
    const int width = std::max({NaturalWidth() + bar, comboWidth, GetWidth()});
    int left = GetRect().left;
    if (const CJWindow* parent = GetParent(); parent && left + width > parent->GetWidth())
        left = std::max(parent->GetWidth() - width, 0);
    SetRect(platform::Rect::At(left, GetRect().top, width, GetHeight()));
}

void CJDropDownList::SetFocus(bool on)
{
    const bool had = HasFocus();
    CJListBox::SetFocus(on);
    if (had && !on) Finish(true, false);
}

void CJDropDownList::NotifyParent(int code)
{
    if (m_combo) m_combo->OnChildNotify(this, code);
}

void CJDropDownList::ExpandRow(int row)
{
    CJListBox::ExpandRow(row);
    if (m_combo) FitWidth();
}

bool CJDropDownList::OnMouseDown(int button, int x, int y)
{
    if (m_closing) return false;
    if (!IsUnder(x, y)) {
        CloseList(false);
        return true;
    }
    return CJListBox::OnMouseDown(button, x, y);
}

bool CJDropDownList::OnMouseUp(int button, int x, int y)
{
    const bool taken = CJListBox::OnMouseUp(button, x, y);
    const int row = button == 0 && !m_closing ? RowAtPoint(x, y) : -1;
    if (row < 0) return taken;
    if (GetRow(row).hasChildren) {
        if (GetRow(row).expanded)
            CollapseRow(row);
        else
            ExpandRow(row);
        return true;
    }
    SetCurrentRow(row, true);
    if (GetCurrentRow() == row) CloseList(true);
    return true;
}

bool CJDropDownList::OnKey(int code)
{
    switch (code) {
    case kKeyF4:
    case kKeyEnter:
        if (GetCurrentRow() < 0) break;
        CloseList(true);
        return true;
    case kKeyEscape: CloseList(false); return true;
    default: break;
    }
    return CJListBox::OnKey(code);
}
