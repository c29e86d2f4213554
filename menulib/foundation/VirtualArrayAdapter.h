// Shows a flat named list as a one-level tree to code that browses trees: the root holds one entry per item,
// and an entry is the item's index.
#pragma once
#include "foundation/CString.h"

class NamedList;

class VirtualArrayAdapter {
public:
    static constexpr int kRoot = -1;

    explicit VirtualArrayAdapter(NamedList* list) : m_list(list) {}
    virtual ~VirtualArrayAdapter() = default;
    VirtualArrayAdapter(const VirtualArrayAdapter&) = delete;
    VirtualArrayAdapter& operator=(const VirtualArrayAdapter&) = delete;

    virtual int Root() const { return kRoot; }
    // Every entry's parent is the root.
    virtual int Parent(int) const { return kRoot; }
    // The root's name is the list's name, an entry's the item's name.
    virtual void GetName(CString& out, int entry) const;
    virtual CString& GetNameCopy(CString& out, int entry) const;
    // The parent's path, "/" and the entry's name; empty for the root.
    virtual void GetPath(CString& out, int entry) const;
    // The root has one child per item, an entry none.
    virtual int ChildCount(int entry) const;
    // Child i of the root is entry i; kNoIndex for an entry and for an i outside the items.
    virtual int Child(int entry, int i) const;
    virtual NamedList* GetList() const { return m_list; }
    // The item's flags of the list; true for the root.
    virtual bool ItemFlag(int entry) const;
    virtual bool IsItemListed(int entry) const;

private:
    bool IsEntry(int entry) const;

    NamedList* m_list;  // not owned
};
