// The list box's input: tree and navigation keys, type-ahead search, double clicks, selecting by the pointer, the
// wheel and the hint of a cut cell.
#include <algorithm>

#include "foundation/Messages.h"
#include "ui/Font.h"
#include "ui/Header.h"
#include "ui/ListBox.h"
#include "ui/ListModel.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitKeys.h"

namespace {

constexpr char kErrorSound[] = "Player Error.wav";
constexpr int kFirstTyped = 32;
constexpr int kLastTyped = 126;

enum TreeKey : int {
    kKeyExpandAll = '*',
    kKeyPlus = '+',
    kKeyMinus = '-',
    kKeySlash = '/',
};

// The part of an item's name after its last '/'.
CString NamePart(const CString& name)
{
    const int slash = name.FindChar('/', name.GetLength() - 1, false);
    return slash >= 0 ? name.Mid(slash + 1) : name;
}

}  // namespace

// Keys.

bool CJListBox::OnKey(int code)
{
    if (CJWindow::OnKey(code)) return true;
    if (m_tree && OnTreeKey(code)) return true;
    return OnNavigationKey(code);
}

bool CJListBox::OnTreeKey(int code)
{
    const bool current = m_currentRow >= 0;
    switch (code) {
    case kKeyLeft:
        if (current && m_rows[m_currentRow].expanded)
            CollapseRow(m_currentRow);
        else if (current)
            SelectItem(m_rows[m_currentRow].parent, false);
        break;
    case kKeyRight:
    case kKeyPlus: ExpandRow(m_currentRow); break;
    case kKeyExpandAll:
        // Rows that an expansion appends are visited too.
        for (int row = 0; row < GetRowCount(); ++row) ExpandRow(row);
        break;
    case kKeyMinus: CollapseRow(m_currentRow); break;
    case kKeySlash:
        for (int row = 0; row < GetRowCount(); ++row) CollapseRow(row);
        break;
    default: return false;
    }
    m_typed.Empty();
    ScrollToCurrentRow();
    return true;
}

int CJListBox::FirstSelectable(int from, int step) const
{
    for (int row = from; row >= 0 && row < GetRowCount(); row += step)
        if (IsSelectableRow(row)) return row;
    return -1;
}

bool CJListBox::OnNavigationKey(int code)
{
    const int rows = GetRowCount();
    const int last = FirstSelectable(rows - 1, -1);
    const int first = FirstSelectable(0, 1);
    int target = m_currentRow;
    switch (code) {
    case kKeyUp:
        if (m_currentRow < 0)
            target = first;
        else if (m_currentRow > 0)
            target = FirstSelectable(m_currentRow - 1, -1);
        break;
    case kKeyDown:
        if (m_currentRow < 0)
            target = first;
        else if (m_currentRow != last)
            target = FirstSelectable(m_currentRow + 1, 1);
        break;
    case kKeyPageUp:
        target = m_currentRow >= m_rowsPerPage ? FirstSelectable(m_currentRow - m_rowsPerPage, 1) : first;
        break;
    case kKeyPageDown:
        if (m_currentRow < 0)
            target = first;
        else if (m_currentRow + m_rowsPerPage < rows)
            target = FirstSelectable(m_currentRow + m_rowsPerPage, -1);
        else
            target = last;
        break;
    case kKeyHome: target = first; break;
    case kKeyEnd: target = last; break;
    case kKeyTab:
        if (m_typed.IsEmpty()) return false;
        m_typedTime = ToolkitTicks();
        Search(m_currentRow + 1);
        return true;
    case kKeySlash:
        if (!m_tree && m_currentRow >= 0) {
            const CString text = GetRowText(m_currentRow);
            const int slash = text.FindChar('/', m_typed.GetLength());
            if (text.GetLength() > m_typed.GetLength() && slash >= 0) m_typed = text.Left(slash);
        }
        return TypeAhead(code);
    default: return TypeAhead(code);
    }
    if (target >= 0 && target != m_currentRow) SetCurrentRow(target, false);
    m_typed.Empty();
    return true;
}

// Type-ahead.

bool CJListBox::TypeAhead(int code)
{
    if ((code < kFirstTyped || code > kLastTyped) && code != kKeyBackspace) {
        m_typed.Empty();
        return false;
    }
    const std::uint32_t now = ToolkitTicks();
    if (now - m_typedTime > static_cast<std::uint32_t>(kTypeAheadMs)) m_typed.Empty();
    m_typedTime = now;
    const CString before = m_typed;
    if (code == kKeyBackspace) {
        if (m_typed.IsEmpty()) return false;
        m_typed.Delete(m_typed.GetLength() - 1, 1);
        if (m_typed.IsEmpty()) return true;
    } else {
        m_typed += static_cast<char>(code);
    }
    if (Search(0) || before.IsEmpty()) return true;
    // Nothing matches: the text keeps its last matching form.
    m_typed = before;
    if (m_flags & kListErrorSound) PlayErrorSound();
    return true;
}

bool CJListBox::Search(int start)
{
    int row = SearchRows(start, true, true);
    if (row < 0) row = SearchRows(start, true, false);
    if (row < 0) row = SearchRows(start, false, false);
    if (row >= 0) {
        SetCurrentRow(row, false);
        return true;
    }
    return SearchModel(m_currentRow);
}

int CJListBox::SearchRows(int start, bool skipFolders, bool prefix)
{
    const int rows = GetRowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = (std::max(start, 0) + i) % rows;
        if ((skipFolders && m_rows[row].hasChildren) || !IsSelectableRow(row)) continue;
        const CString text = GetRowText(row);
        const int found =
            prefix ? (text.CompareNoCase(m_typed, m_typed.GetLength()) == 0 ? 0 : -1) : text.FindNoCase(m_typed);
        if (found < 0) continue;
        m_matchOffset = found;
        return row;
    }
    return -1;
}

bool CJListBox::SearchModel(int start)
{
    const int count = m_model ? m_model->Count() : 0;
    if (!count) return false;
    const int from = start >= 0 && start < GetRowCount() ? m_rows[start].item : 0;
    for (int i = 0; i < count; ++i) {
        const int item = (from + i) % count;
        if (!m_model->IsSelectable(item)) continue;
        if (NamePart(m_model->ItemText(item)).CompareNoCase(m_typed, m_typed.GetLength()) != 0) continue;
        SelectItem(item, false);
        if (GetCurrentItem() != item) continue;
        m_matchOffset = 0;
        return true;
    }
    return false;
}

void CJListBox::PlayErrorSound() const { MessageDispatcher::Instance().Dispatch(CPlaySoundMessage(kErrorSound)); }

// The mouse.

int CJListBox::RowAtPoint(int x, int y) const
{
    const int localX = x - GetScreenRect().left;
    const int localY = y - GetScreenRect().top;
    const int margin = GetMargin();
    if (localX < 0 || localX >= GetRowAreaWidth() || localY < margin || localY >= GetHeight() - margin) return -1;
    const int row = (m_scrollOffset + localY - DialogUnit()) / GetRowHeight();
    // Below the last row of a short list lies no row.
    return row >= 0 && row < GetRowCount() ? row : -1;
}

bool CJListBox::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    if (CJWindow::OnDoubleClick(button, x, y, pressToo)) return true;
    const int row = button == 0 ? RowAtPoint(x, y) : -1;
    if (row < 0) return false;
    if (m_rows[row].expanded)
        CollapseRow(row);
    else
        ExpandRow(row);
    NotifyParent(kNotifyListActivated);
    return true;
}

bool CJListBox::OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor)
{
    if (!(buttons & 1u)) return false;
    const bool selects = m_rowsPerPage > 1 || (m_rowsPerPage == 1 && m_currentRow < 0);
    const int row = RowAtPoint(x, y);
    if (selects && row >= 0 && row != m_currentRow) SetCurrentRow(row, true);
    return true;
}

bool CJListBox::OnWheel(int steps, int x, int y)
{
    if (m_rowsPerPage < 2) return OnNavigationKey(steps >= 1 ? kKeyUp : kKeyDown);
    SetTargetScroll(m_targetScroll - steps * GetRowHeight());
    return true;
}

bool CJListBox::RequestHint(int x, int y)
{
    const int row = RowAtPoint(x, y);
    if (row < 0 || !m_model) return CJWindow::RequestHint(x, y);
    const CString hint = m_model->ItemHint(m_rows[row].item);
    if (hint.IsNotEmpty()) return PopUpText(0, hint, -1, 0) != 0;
    CFont* font = GetFont();
    CString cell = GetRowText(row);
    int left = 0;
    int width = GetRowAreaWidth();
    if (m_header && m_header->GetColumnCount() > 1) {
        const int column = m_header->ColumnAt(x - GetScreenRect().left);
        const HeaderColumn* field = m_header->GetColumn(column);
        if (!field) return CJWindow::RequestHint(x, y);
        int start = 0;
        for (int i = 0; i < column && start >= 0; ++i)
            if ((start = cell.FindChar('\t', start)) >= 0) ++start;
        const int end = start >= 0 ? cell.FindChar('\t', start) : -1;
        cell = start < 0 ? CString() : end < 0 ? cell.Mid(start) : cell.Mid(start, end - start);
        left = field->left;
        width = field->width;
    }
    if (!font || cell.IsEmpty() || font->MeasureWidth(cell) <= width) return CJWindow::RequestHint(x, y);
    const int top = GetScreenRect().top + GetMargin() + row * GetRowHeight() - m_scrollOffset;
    return PopUpText(0, cell, GetScreenRect().left + left, top) != 0;
}
