// The base of every list the library looks things up in by name, its fatal diagnostics for a missing or a
// doubled name, and three small lists: a static table, a key/value list and a folder tree over another list.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CString.h"

class CObject;

// The file (or peer) whose data is being read at the moment; fatal data messages quote it.
CString& LastFileOpened();

// Sets LastFileOpened for the life of the object and restores the previous text afterwards.
class LastFileOpenedScope {
public:
    explicit LastFileOpenedScope(const CString& text);
    explicit LastFileOpenedScope(const char* text) : LastFileOpenedScope(CString(text)) {}
    ~LastFileOpenedScope();
    LastFileOpenedScope(const LastFileOpenedScope&) = delete;
    LastFileOpenedScope& operator=(const LastFileOpenedScope&) = delete;

private:
    CString m_previous;
};

// The part of a path after its last '/' (the whole text when there is none).
const char* FileNamePart(const char* path);

class NamedList {
public:
    NamedList() = default;
    virtual ~NamedList() = default;
    NamedList(const NamedList&) = delete;
    NamedList& operator=(const NamedList&) = delete;

    virtual const char* ItemNameText(int i) const = 0;
    virtual void GetItemName(CString& out, int i) const;
    virtual CObject* ItemObject(int i);
    virtual const CString& ItemValue(int i) const;
    virtual CString& GetItemNameCopy(CString& out, int i) const;
    virtual void SetItemValue(int i, const CString& text);
    virtual int Find(const CString& name, int hint = -1) const;
    virtual int Find(const char* name, int hint = -1) const;
    virtual int FindOrFail(const CString& name, int hint = -1) const;
    virtual int FindOrFail(const char* name, int hint = -1) const;
    virtual void GetListName(CString& out) const;
    virtual const char* FolderName() const;
    virtual void Clear();
    virtual int Add(const CString& name);
    virtual int Add(const char* name);
    virtual void RemoveAt(int i);
    virtual void Swap(int i, int j);
    virtual int Count() const = 0;
    virtual bool ItemFlag(int i) const;
    virtual void SetItemFlag(int i, bool value);
    virtual bool IsItemListed(int i) const;
    int FindSorted(const CString& name, int hint = -1) const;
    int FindSorted(const char* name, int hint = -1) const;
    int FindSortedOrByFileName(const CString& name, int hint = -1) const;
    int FindSortedOrByFileName(const char* name, int hint = -1) const;
    int FindByFileName(const CString& name) const;
    int FindByFileName(const char* name) const;

    // The name the collection callers of the later subsystems use for FindOrFail.
    int FindRequired(const char* name, int hint = -1) const { return FindOrFail(name, hint); }
    int FindRequired(const CString& name, int hint = -1) const { return FindOrFail(name, hint); }

    int GetListId();
    bool IsSorted() const { return m_sorted; }
    // Ends the process with the duplicate diagnostic when two items share a file name.
    void CheckDuplicateNames() const;
    // Ends the process with the missing-item diagnostic for name.
    [[noreturn]] void FailMissing(const char* name) const;
    // The missing-item diagnostic's text.
    CString MissingItemText(const char* name) const;

protected:
    int FindLinear(const char* name, int hint) const;
    bool m_sorted = false;

private:
    std::int32_t m_listId = -1;
};

// A named list over a static table of (alternative name, name, value) records ended by a null name.
struct StaticNamedListRecord {
    const char* alternativeName;
    const char* name;
    const void* value;
};

class StaticNamedList : public NamedList {
public:
    explicit StaticNamedList(const StaticNamedListRecord* table);
    const char* ItemNameText(int i) const override { return m_table[i].name; }
    void GetItemName(CString& out, int i) const override { out = m_table[i].name; }
    int Find(const CString& name, int hint = -1) const override;
    int Find(const char* name, int hint = -1) const override;
    int Count() const override { return m_count; }
    const void* ItemData(int i) const { return m_table[i].value; }

private:
    const StaticNamedListRecord* m_table;
    int m_count = 0;
};

// A list that owns its entries: name, value text, flag and an integer value.
class KeyedValueList : public NamedList {
public:
    KeyedValueList() = default;
    ~KeyedValueList() override;

    const char* ItemNameText(int i) const override;
    void GetItemName(CString& out, int i) const override;
    const CString& ItemValue(int i) const override { return m_entries[i]->valueText; }
    void SetItemValue(int i, const CString& text) override { m_entries[i]->valueText = text; }
    int Find(const CString& name, int hint = -1) const override;
    int Find(const char* name, int hint = -1) const override;
    void Clear() override;
    int Add(const CString& name) override { return Add(name, 0); }
    int Add(const char* name) override { return Add(CString(name), 0); }
    int Add(const CString& name, int value);
    void RemoveAt(int i) override;
    void Swap(int i, int j) override;
    int Count() const override { return static_cast<int>(m_entries.size()); }
    bool ItemFlag(int i) const override { return m_entries[i]->flag != 0; }
    void SetItemFlag(int i, bool value) override { m_entries[i]->flag = value ? 1 : 0; }
    int GetValue(int i) const { return m_entries[i]->value; }

private:
    struct Entry {
        CString name;
        CString valueText;
        std::uint8_t flag = 1;
        std::int32_t value = 0;
        static void* operator new(std::size_t size);
        static void operator delete(void* block, std::size_t size);
    };
    std::vector<std::unique_ptr<Entry>> m_entries;
};

// A folder tree over a list whose item names hold '/'.
struct FolderTreeNode {
    CString name;
    std::vector<std::unique_ptr<FolderTreeNode>> children;
    std::vector<int> items;
    FolderTreeNode* parent = nullptr;
};

class NamedListIndex {
public:
    NamedListIndex() = default;
    NamedListIndex(const NamedListIndex&) = delete;
    NamedListIndex& operator=(const NamedListIndex&) = delete;

    void Assign(const NamedList* list);

    // Entry handles: a value below the source count is an item index, any other value is a node.
    using Entry = std::intptr_t;
    Entry Root() const { return ToEntry(&m_root); }
    bool IsItem(Entry entry) const { return entry >= 0 && entry < m_sourceCount; }
    const FolderTreeNode* NodeOf(Entry entry) const;
    CString DisplayName(Entry entry) const;
    bool ItemFlag(Entry entry) const;
    bool IsItemListed(Entry entry) const;
    int ChildCount(Entry entry) const;
    Entry Child(Entry entry, int k) const;

private:
    static Entry ToEntry(const FolderTreeNode* node) { return reinterpret_cast<Entry>(node); }
    static const FolderTreeNode* ToNode(Entry entry) { return reinterpret_cast<const FolderTreeNode*>(entry); }

    const NamedList* m_source = nullptr;
    int m_sourceCount = 0;
    FolderTreeNode m_root;
    std::vector<const FolderTreeNode*> m_itemNodes;  // the node of each source item
};
