// The list box's rows: the model turned into rows, expanding and collapsing, sorting, the page, the selection and
// the scroll bar.
#include "ui/ListBox.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "ui/Font.h"
#include "ui/Header.h"
#include "ui/ListModel.h"
#include "ui/ScrollBar.h"

namespace {

// The last-child mask holds depths 0 to 31; deeper rows draw no tree lines for their deeper levels.
constexpr int kMaskDepths = 32;
constexpr char kNumberCharacters[] = "0123456789.";

std::uint32_t DepthBit(int depth) { return depth >= 0 && depth < kMaskDepths ? 1u << depth : 0u; }

// The field of a row's text between the column-th tab and the next, without leading blanks.
CString FieldOf(const CString& text, int column)
{
    int start = 0;
    for (int i = 0; i < column && start >= 0; ++i) {
        start = text.FindChar('\t', start);
        if (start >= 0) ++start;
    }
    if (start < 0) return CString();
    int end = text.FindChar('\t', start);
    if (end < 0) end = text.GetLength();
    while (start < end) {
        const std::uint16_t c = text.GetAt(start);
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
        ++start;
    }
    return text.Mid(start, end - start);
}

// The whole number at the start of a numeric field, held at the int limits instead of overflowing.
long long SaturatedNumber(const CString& field)
{
    long long value = 0;
    for (int i = 0; i < field.GetLength(); ++i) {
        const std::uint16_t c = field.GetAt(i);
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return value;
}

}  // namespace

int ApproachWithin(int value, int target, int step)
{
    constexpr int kSmoothStep = 4;
    if (target - value > step) return target - step;
    if (value - target > step) return target + step;
    if (std::abs(target - value) <= kSmoothStep) return target;
    return value + (target > value ? kSmoothStep : -kSmoothStep);
}

CJListBox::CJListBox(CJWindow* parent, IListModel* model, std::uint32_t flags, int widthUnits, int sortMode)
    : CJWindow(parent, "~CJListBox"), m_sortMode(sortMode), m_widthUnits(widthUnits)
{
    SetModel(model, flags);
    Construct();
}

CJListBox::CJListBox(CJWindow* parent, IListModel& model, std::uint32_t flags, int widthUnits, int sortMode)
    : CJListBox(parent, &model, flags, widthUnits, sortMode)
{
}

CJListBox::~CJListBox() = default;

void CJListBox::Construct()
{
    SetTabStop(true);
    // The rows carry hints although the scroll bar is a child.
    SetHintWithChildren(true);
    SetSize(NaturalWidth(), GetRowHeight() * m_rowsPerPage + 2 * DialogUnit() + 2);
}

int CJListBox::NaturalWidth() const
{
    const int unit = DialogUnit();
    const long long unitsWide = static_cast<long long>(m_widthUnits) * unit;
    return static_cast<int>(std::min<long long>(m_contentWidth, unitsWide)) + 2 * unit + 3;
}

int CJListBox::GetMargin() const { return DialogUnit() + 1; }

int CJListBox::GetRowHeight() const
{
    CFont* font = GetFont();
    const int height = font ? font->GetHeight() + 2 * DialogUnit() : 0;
    return std::max(height, 1);
}

int CJListBox::GetIndent() const { return GetRowHeight(); }

int CJListBox::GetLargestScrollOffset() const
{
    const int hidden = GetRowCount() - m_rowsPerPage;
    return hidden > 0 ? GetRowHeight() * hidden : 0;
}

int CJListBox::GetRowAreaWidth() const { return GetWidth() - (m_scrollBar ? m_scrollBar->GetWidth() : 0); }

CString CJListBox::GetRowText(int row) const
{
    if (!m_model || row < 0 || row >= GetRowCount()) return CString();
    return m_model->ItemText(m_rows[row].item);
}

int CJListBox::GetCurrentItem() const { return m_currentRow >= 0 ? m_rows[m_currentRow].item : -1; }

int CJListBox::FindRow(int item) const
{
    for (int row = 0; row < GetRowCount(); ++row)
        if (m_rows[row].item == item) return row;
    return -1;
}

// The model.

void CJListBox::SetModel(IListModel* model, std::uint32_t flags)
{
    m_flags = flags;
    m_model = model;
    m_scrollOffset = m_targetScroll = 0;
    m_currentRow = -1;
    m_tree = false;
    m_rows.clear();
    m_typed.Empty();
    Rebuild();
}

void CJListBox::Rebuild()
{
    if (m_model && (m_flags & kListShowRoot) && m_model->Root() >= 0) {
        ListRow root;
        root.item = m_model->Root();
        root.hasChildren = true;
        root.lastChildMask = DepthBit(0);
        m_rows.push_back(root);
        ExpandRow(0);
    } else if (m_model) {
        ListRow top;
        top.parent = -1;
        const int count = m_model->TopCount();
        for (int i = 0; i < count; ++i) {
            top.item = m_model->TopItemAt(i);
            top.hasChildren = m_model->ChildCount(top.item) > 0;
            top.lastChildMask = i == count - 1 ? DepthBit(0) : 0u;
            m_rows.push_back(top);
        }
        SortRows(m_rows);
    }
    m_tree = !(m_flags & kListNoTreeBoxes) &&
             std::any_of(m_rows.begin(), m_rows.end(), [](const ListRow& row) { return row.hasChildren; });
    MeasureContentWidth();
    UpdatePage();
}

void CJListBox::MeasureContentWidth()
{
    m_contentWidth = 0;
    CFont* font = GetFont();
    if (!font) return;
    for (int row = 0; row < GetRowCount(); ++row)
        m_contentWidth = std::max(m_contentWidth, font->MeasureWidth(GetRowText(row)));
    if (m_tree) m_contentWidth += GetTreeMargin() + 4 * GetIndent();
}

std::vector<ListRow> CJListBox::ChildRows(const ListRow& parent) const
{
    std::vector<ListRow> rows;
    const int count = m_model ? m_model->ChildCount(parent.item) : 0;
    for (int i = 0; i < count; ++i) {
        ListRow child;
        child.item = m_model->ChildAt(parent.item, i);
        child.hasChildren = m_model->ChildCount(child.item) > 0;
        child.depth = parent.depth + 1;
        child.parent = parent.item;
        child.lastChildMask = parent.lastChildMask | (i == count - 1 ? DepthBit(child.depth) : 0u);
        rows.push_back(child);
    }
    SortRows(rows);
    return rows;
}

void CJListBox::ExpandRow(int row)
{
    if (row < 0 || row >= GetRowCount() || !m_rows[row].hasChildren || m_rows[row].expanded) return;
    m_rows[row].expanded = true;
    const std::vector<ListRow> children = ChildRows(m_rows[row]);
    m_rows.insert(m_rows.begin() + row + 1, children.begin(), children.end());
    if (m_currentRow > row) m_currentRow += static_cast<int>(children.size());
    UpdatePage();
    CentreCurrentRow();
}

void CJListBox::CollapseRow(int row)
{
    if (row < 0 || row >= GetRowCount() || !m_rows[row].expanded) return;
    m_rows[row].expanded = false;
    int end = row + 1;
    while (end < GetRowCount() && m_rows[end].depth > m_rows[row].depth) ++end;
    const int removed = end - row - 1;
    m_rows.erase(m_rows.begin() + row + 1, m_rows.begin() + end);
    // A current row that went with the folder's contents falls back to the folder.
    if (m_currentRow > row && m_currentRow < end)
        m_currentRow = row;
    else if (m_currentRow >= end)
        m_currentRow -= removed;
    UpdatePage();
    CentreCurrentRow();
}

// Sorting.

void CJListBox::SortRows(std::vector<ListRow>& rows) const
{
    if (m_sortMode != kSortRows || rows.size() < 2) return;
    // A merge sort stays inside the rows even when a creator's compare function is inconsistent.
    std::stable_sort(rows.begin(), rows.end(),
                     [this](const ListRow& a, const ListRow& b) { return CompareRows(a, b) < 0; });
}

int CJListBox::CompareRows(const ListRow& a, const ListRow& b) const
{
    CString textA = m_model->ItemText(a.item);
    CString textB = m_model->ItemText(b.item);
    const int column = m_header ? m_header->GetSortColumn() : 0;
    const HeaderColumn* field = m_header ? m_header->GetColumn(column) : nullptr;
    const bool numeric = field && !field->sortAsText;
    if (field) {
        textA = FieldOf(textA, column);
        textB = FieldOf(textB, column);
        if (numeric) {
            textA.KeepOnly(kNumberCharacters);
            textB.KeepOnly(kNumberCharacters);
        }
    }
    int result = 0;
    if (m_compare) {
        result = m_compare(column, textA, textB, m_model, a.item, b.item);
    } else if (numeric) {
        const long long x = SaturatedNumber(textA);
        const long long y = SaturatedNumber(textB);
        result = x < y ? -1 : x > y ? 1 : 0;
    } else {
        result = textA.CompareNoCase(textB);
    }
    return field && field->descending ? -result : result;
}

void CJListBox::Resort()
{
    const int current = GetCurrentItem();
    // Each level is sorted within its parent: collapse to the top, sort, and expand the same folders again.
    std::vector<int> expanded;
    for (const ListRow& row : m_rows)
        if (row.expanded) expanded.push_back(row.item);
    m_rows.clear();
    m_currentRow = -1;
    Rebuild();
    for (int row = 0; row < GetRowCount(); ++row)
        if (!m_rows[row].expanded && std::find(expanded.begin(), expanded.end(), m_rows[row].item) != expanded.end())
            ExpandRow(row);
    m_currentRow = FindRow(current);
    CentreCurrentRow();
}

// The page and the selection.

void CJListBox::UpdatePage()
{
    m_rowsPerPage = std::min(m_pageSize, GetRowCount());
    UpdateScrollBar();
}

void CJListBox::SetRowsPerPage(int rows)
{
    // The page is no taller than a window can be.
    m_pageSize = std::clamp(rows, 0, kTallestList / GetRowHeight());
    m_rowsPerPage = std::min(m_pageSize, GetRowCount());
    SetHeight(2 * GetMargin() + m_pageSize * GetRowHeight());
    UpdateScrollBar();
}

void CJListBox::SetCurrentRow(int row, bool notify)
{
    if (m_rows.empty() || row < 0) {
        m_currentRow = -1;
        return;
    }
    // A row past the end names nothing and is refused like an item that may not be selected.
    if (row >= GetRowCount() || !IsSelectableRow(row)) return;
    m_currentRow = row;
    ScrollToCurrentRow();
    if (notify) NotifyParent(kNotifyListSelection);
}

void CJListBox::ScrollToCurrentRow()
{
    if (m_currentRow < 0) return;
    const int top = m_currentRow * GetRowHeight();
    const int bottom = top + GetRowHeight();
    const int shown = std::max(GetHeight() - 2 * GetMargin(), 0);
    if (top < m_targetScroll)
        SetTargetScroll(top);
    else if (bottom > m_targetScroll + shown)
        SetTargetScroll(bottom - shown);
}

void CJListBox::SetTargetScroll(int offset)
{
    m_targetScroll = std::clamp(offset, 0, GetLargestScrollOffset());
    if (m_scrollBar) m_scrollBar->SetPosition(static_cast<float>(m_targetScroll), true);
}

void CJListBox::CentreCurrentRow()
{
    if (m_currentRow < 0) return;
    const int first = std::clamp(m_currentRow - m_rowsPerPage / 2, 0, std::max(GetRowCount() - m_rowsPerPage, 0));
    SetTargetScroll(first * GetRowHeight());
    m_scrollOffset = m_targetScroll;
}

void CJListBox::SelectItem(int item, bool notify)
{
    if (!m_model || item < 0 || item >= m_model->Count()) return;
    if (FindRow(item) < 0) {
        // Open the folders that hold the item, from the outermost in.
        std::vector<int> folders;
        for (int parent = m_model->ParentOf(item); parent >= 0 && static_cast<int>(folders.size()) <= m_model->Count();
             parent = m_model->ParentOf(parent))
            folders.push_back(parent);
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) ExpandRow(FindRow(*folder));
    }
    const int row = FindRow(item);
    if (row >= 0) SetCurrentRow(row, notify);
}

bool CJListBox::IsSelectableRow(int row) const
{
    return row >= 0 && row < GetRowCount() && m_model && m_model->IsSelectable(m_rows[row].item);
}

// The scroll bar and the list's size.

void CJListBox::UpdateScrollBar()
{
    const int rows = GetRowCount();
    const bool wanted = !(m_flags & kListNoScrollBar) && m_rowsPerPage < rows && rows > 1 && m_rowsPerPage > 1;
    if (!wanted) {
        delete m_scrollBar;
        m_scrollBar = nullptr;
        m_targetScroll = std::min(m_targetScroll, GetLargestScrollOffset());
        m_scrollOffset = std::min(m_scrollOffset, GetLargestScrollOffset());
        return;
    }
    if (!m_scrollBar) {
        m_scrollBar = CreateScrollBar();
        AddChild(m_scrollBar, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    }
    PlaceScrollBar();
    m_scrollBar->SetRange(0.0f, static_cast<float>(GetLargestScrollOffset()));
    m_scrollBar->SetLineStep(static_cast<float>(GetRowHeight()));
    m_scrollBar->SetPageStep(static_cast<float>(GetHeight()));
    SetTargetScroll(m_targetScroll);
}

void CJListBox::PlaceScrollBar()
{
    if (!m_scrollBar) return;
    const int thickness = m_scrollBar->GetWidth();
    m_scrollBar->SetRect({GetWidth() - thickness, 0, GetWidth(), GetHeight()});
}

CJScrollBar* CJListBox::CreateScrollBar()
{
    // The list scrolls its rows itself from the bar's notices, so the bar has no owner to scroll.
    // It looks like the list: the same theme, font and background.
    auto* bar = new CJScrollBar(nullptr, kVerticalBar);
    bar->SetTheme(GetTheme());
    bar->SetFont(GetFont());
    bar->SetBackgroundColor(GetBackgroundColor());
    return bar;
}

void CJListBox::OnChildNotify(CJWindow* child, int code)
{
    if (child && child == m_scrollBar) {
        if (code == kNotifyScrollPosition)
            m_scrollOffset = m_targetScroll = static_cast<int>(m_scrollBar->GetPosition());
        return;
    }
    CJWindow::OnChildNotify(child, code);
}

void CJListBox::SetRect(const platform::Rect& rect)
{
    CJWindow::SetRect(rect);
    if (m_flags & kListPageFromHeight) {
        m_pageSize = std::max(GetHeight() - 2 * GetMargin(), 0) / GetRowHeight();
        m_rowsPerPage = std::min(m_pageSize, GetRowCount());
        UpdateScrollBar();
    }
    PlaceScrollBar();
    if (m_scrollBar) m_scrollBar->SetPageStep(static_cast<float>(GetHeight()));
    CentreCurrentRow();
}
