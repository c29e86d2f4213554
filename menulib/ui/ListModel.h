// The items a list box shows, read only through virtual operations: how many there are, the text of each, which
// items hold others (a tree of folders), which may be selected and which carry a hint. Items are numbered from 0;
// the top level of the tree is every item without a parent, in number order, or the root alone when one is asked
// for. SimpleListModel keeps texts and parents in memory.
#pragma once
#include <vector>

#include "foundation/CString.h"

class IListModel {
public:
    virtual ~IListModel() = default;

    virtual int Count() const = 0;
    virtual CString ItemText(int item) const = 0;
    // The item that holds the item, -1 at the top level.
    virtual int ParentOf(int item) const { return -1; }
    virtual int ChildCount(int item) const { return 0; }
    virtual int ChildAt(int item, int index) const { return -1; }
    virtual int TopCount() const { return Count(); }
    virtual int TopItemAt(int index) const { return index; }
    // The item shown alone at the top when the list asks for its root; -1 when the model has none.
    virtual int Root() const { return -1; }
    virtual bool IsSelectable(int item) const { return true; }
    virtual CString ItemHint(int item) const { return CString(); }
};

class SimpleListModel : public IListModel {
public:
    // Appends an item under parent (-1: at the top); its number.
    int Add(const char* text, int parent = -1);
    void SetSelectable(int item, bool on);
    void SetHint(int item, const char* hint);
    void SetRoot(int item) { m_root = item; }
    void Clear();

    int Count() const override { return static_cast<int>(m_items.size()); }
    CString ItemText(int item) const override;
    int ParentOf(int item) const override;
    int ChildCount(int item) const override;
    int ChildAt(int item, int index) const override;
    int TopCount() const override { return static_cast<int>(m_top.size()); }
    int TopItemAt(int index) const override;
    int Root() const override { return m_root; }
    bool IsSelectable(int item) const override;
    CString ItemHint(int item) const override;

private:
    struct Item {
        CString text;
        CString hint;
        int parent = -1;
        bool selectable = true;
        std::vector<int> children;
    };
    bool IsItem(int item) const { return item >= 0 && item < Count(); }

    std::vector<Item> m_items;
    std::vector<int> m_top;
    int m_root = -1;
};
