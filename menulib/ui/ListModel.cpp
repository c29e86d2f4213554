#include "ui/ListModel.h"

int SimpleListModel::Add(const char* text, int parent)
{
    const int item = Count();
    Item entry;
    entry.text = text;
    entry.parent = IsItem(parent) ? parent : -1;
    m_items.push_back(std::move(entry));
    if (IsItem(parent))
        m_items[parent].children.push_back(item);
    else
        m_top.push_back(item);
    return item;
}

void SimpleListModel::SetSelectable(int item, bool on)
{
    if (IsItem(item)) m_items[item].selectable = on;
}

void SimpleListModel::SetHint(int item, const char* hint)
{
    if (IsItem(item)) m_items[item].hint = hint;
}

void SimpleListModel::Clear()
{
    m_items.clear();
    m_top.clear();
    m_root = -1;
}

CString SimpleListModel::ItemText(int item) const { return IsItem(item) ? m_items[item].text : CString(); }

int SimpleListModel::ParentOf(int item) const { return IsItem(item) ? m_items[item].parent : -1; }

int SimpleListModel::ChildCount(int item) const
{
    return IsItem(item) ? static_cast<int>(m_items[item].children.size()) : 0;
}

int SimpleListModel::ChildAt(int item, int index) const
{
    if (index < 0 || index >= ChildCount(item)) return -1;
    return m_items[item].children[index];
}

int SimpleListModel::TopItemAt(int index) const { return index >= 0 && index < TopCount() ? m_top[index] : -1; }

bool SimpleListModel::IsSelectable(int item) const { return IsItem(item) && m_items[item].selectable; }

CString SimpleListModel::ItemHint(int item) const { return IsItem(item) ? m_items[item].hint : CString(); }
