#include "foundation/NamedList.h"

#include <strings.h>

#include <cstring>

#include "foundation/FatalMessage.h"
#include "foundation/ProcessWide.h"
#include "foundation/SmallBlockPool.h"

CString& LastFileOpened()
{
    // Lives to the library's unload: static objects read it in their own destructors.
    static CString* text = NewProcessWide<CString>(ReleaseStage::Objects, "Program.EXE");
    return *text;
}

LastFileOpenedScope::LastFileOpenedScope(const CString& text) : m_previous(LastFileOpened())
{
    LastFileOpened() = text;
}

LastFileOpenedScope::~LastFileOpenedScope() { LastFileOpened() = m_previous; }

const char* FileNamePart(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

namespace {

bool SameName(const char* a, const char* b) { return a && b && ::strcasecmp(a, b) == 0; }

int g_nextListId = 0;

}  // namespace

void NamedList::GetItemName(CString& out, int i) const { out = ItemNameText(i); }
CObject* NamedList::ItemObject(int) { return nullptr; }

const CString& NamedList::ItemValue(int) const
{
    static const CString* empty = NewProcessWide<CString>(ReleaseStage::Objects);
    return *empty;
}

CString& NamedList::GetItemNameCopy(CString& out, int i) const
{
    GetItemName(out, i);
    return out;
}

void NamedList::SetItemValue(int, const CString&) {}

int NamedList::FindLinear(const char* name, int hint) const
{
    const int count = Count();
    if (hint >= 0 && hint < count && SameName(ItemNameText(hint), name)) return hint;
    for (int i = 0; i < count; ++i)
        if (SameName(ItemNameText(i), name)) return i;
    return FindByFileName(name);
}

int NamedList::Find(const CString& name, int hint) const
{
    if (m_sorted) return FindSortedOrByFileName(name, hint);
    return FindLinear(name.GetText(), hint);
}

int NamedList::Find(const char* name, int hint) const
{
    if (m_sorted) return FindSortedOrByFileName(name, hint);
    return Find(CString(name), hint);
}

int NamedList::FindOrFail(const CString& name, int hint) const
{
    const int index = Find(name, hint);
    if (index < 0) FailMissing(name.GetText());
    return index;
}

int NamedList::FindOrFail(const char* name, int hint) const
{
    const int index = Find(name, hint);
    if (index < 0) FailMissing(name ? name : "");
    return index;
}

void NamedList::GetListName(CString& out) const { out.Empty(); }
const char* NamedList::FolderName() const { return nullptr; }
void NamedList::Clear() {}
int NamedList::Add(const CString&) { return kNoIndex; }
int NamedList::Add(const char*) { return kNoIndex; }
void NamedList::RemoveAt(int) {}
void NamedList::Swap(int, int) {}
bool NamedList::ItemFlag(int) const { return true; }
void NamedList::SetItemFlag(int, bool) {}
bool NamedList::IsItemListed(int) const { return true; }

int NamedList::FindSorted(const char* name, int hint) const
{
    const int count = Count();
    if (!name || count <= 0) return kNoIndex;
    int lo = 0;
    int hi = count - 1;
    // A hint outside the list means no hint.
    int probe = name[0] == '!' ? 0 : (hint >= 0 && hint < count ? hint : (count - 1) / 2);
    while (hi >= lo) {
        const char* item = ItemNameText(probe);
        const int order = ::strcasecmp(item ? item : "", name);
        if (order == 0) return probe;
        if (order < 0)
            lo = probe + 1;
        else
            hi = probe - 1;
        probe = (lo + hi) / 2;
    }
    return kNoIndex;
}

int NamedList::FindSorted(const CString& name, int hint) const { return FindSorted(name.GetText(), hint); }

int NamedList::FindSortedOrByFileName(const CString& name, int hint) const
{
    const int index = FindSorted(name, hint);
    return index >= 0 ? index : FindByFileName(name);
}

int NamedList::FindSortedOrByFileName(const char* name, int hint) const
{
    const int index = FindSorted(name, hint);
    return index >= 0 ? index : FindByFileName(name);
}

int NamedList::FindByFileName(const CString& name) const
{
    const char* file = FileNamePart(name.GetText());
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const char* item = ItemNameText(i);
        if (item && ::strcasecmp(FileNamePart(item), file) == 0) return i;
    }
    return kNoIndex;
}

int NamedList::FindByFileName(const char* name) const { return FindByFileName(CString(name)); }

int NamedList::GetListId()
{
    if (m_listId < 0) m_listId = g_nextListId++;
    return m_listId;
}

namespace {

// The " which should be in ..." / " located in ..." part shared by both diagnostics' list naming.
void AppendFolderClause(CString& text, const CString& listName, const char* folder)
{
    if (folder && *folder && listName.CompareNoCase(folder) != 0)
        text.AppendFormat(" located in the \"%s\" folder", folder);
}

}  // namespace

CString NamedList::MissingItemText(const char* name) const
{
    CString listName;
    GetListName(listName);
    const char* folder = FolderName();
    CString text;
    text.Format(
        "The game is looking for some data or a file but can not find it.  The item we are looking for is "
        "\"%s\"",
        name);
    if (listName.IsNotEmpty()) {
        text.AppendFormat(" which should be in the \"%s\" list", listName.GetText());
        AppendFolderClause(text, listName, folder);
    } else if (folder && *folder) {
        text.AppendFormat(" which should be in the \"%s\" folder", folder);
    }
    const int count = Count();
    if (count > 0) {
        text.AppendFormat("\r\n\r\nThat list does contain the following items but \"%s\" is missing:", name);
        for (int i = 0; i < count; ++i) {
            if (i == 10) {
                text.Append("\r\n ...");
                break;
            }
            const char* item = ItemNameText(i);
            text.AppendFormat("\r\n %d) %s", i, item ? item : "");
        }
    } else {
        text.Append("\r\n\r\n***List contains no items*** ");
    }
    const CString referrer = LastFileOpened();
    if (referrer.IsEmpty())
        text.Append("\r\n\r\nThe item was referenced by an unknown source");
    else
        text.AppendFormat("\r\n\r\nThe item was referenced by \"%s\"", referrer.GetText());
    const char* by = referrer.GetText();
    text.Append("\r\n\r\nThis could mean:");
    text.AppendFormat(
        "\r\n\r\n   A) You recently got a new file, some art or a new proram EXE, possible \"%s\", and the "
        "new file requires some other new file, \"%s\", to make them work.  You should be able to get "
        "these other files by doing a get.  It is also possable that someone else did not check these "
        "files in yet.  If doing a get doesn't fix the problem them find out who changed \"%s\" and "
        "ask them to add the new \"%s\" files.",
        by, name, by, name);
    text.Append("\r\n\r\n or");
    text.AppendFormat(
        "\r\n\r\n   B) You (or someone else) deleted \"%s\" but it is being used by \"%s\".  You need "
        "to un-delete \"%s\" or manually edit the text for \"%s\" to make it no longer reference "
        "\"%s\"",
        name, by, name, by, name);
    return text;
}

void NamedList::FailMissing(const char* name) const
{
    const CString text = MissingItemText(name);
    FatalMessageAndExit("Fatal Not Found Error", text.GetText());
}

void NamedList::CheckDuplicateNames() const
{
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const char* first = ItemNameText(i);
        for (int j = i + 1; j < count; ++j) {
            const char* second = ItemNameText(j);
            if (!first || !second || ::strcasecmp(FileNamePart(first), FileNamePart(second)) != 0) continue;
            CString text("Found two items with the same name.\r\n\r\n");
            text.Append(first);
            text.Append("\r\n");
            text.Append(second);
            CString listName;
            GetListName(listName);
            if (listName.IsNotEmpty()) {
                text.AppendFormat("\r\n\r\nThe problem is in the \"%s\" list", listName.GetText());
                AppendFolderClause(text, listName, FolderName());
            }
            FatalMessageAndExit("Fatal Error", text.GetText());
        }
    }
}

// ---- StaticNamedList

StaticNamedList::StaticNamedList(const StaticNamedListRecord* table) : m_table(table)
{
    while (m_table[m_count].name) ++m_count;
}

int StaticNamedList::Find(const CString&, int) const { return kNoIndex; }

int StaticNamedList::Find(const char* name, int hint) const
{
    if (hint >= 0 && hint < m_count && SameName(m_table[hint].name, name)) return hint;
    for (int i = 0; i < m_count; ++i)
        if (SameName(m_table[i].name, name)) return i;
    for (int i = 0; i < m_count; ++i)
        if (SameName(m_table[i].alternativeName, name)) return i;
    return FindByFileName(name);
}

// ---- KeyedValueList

void* KeyedValueList::Entry::operator new(std::size_t size) { return PoolAlloc(size); }
void KeyedValueList::Entry::operator delete(void* block, std::size_t size) { PoolFree(block, size); }

KeyedValueList::~KeyedValueList() { KeyedValueList::Clear(); }

const char* KeyedValueList::ItemNameText(int i) const
{
    if (i < 0 || i >= Count()) return nullptr;
    return m_entries[i]->name.GetText();
}

void KeyedValueList::GetItemName(CString& out, int i) const { out = m_entries[i]->name; }

int KeyedValueList::Find(const CString& name, int hint) const { return FindLinear(name.GetText(), hint); }
int KeyedValueList::Find(const char* name, int hint) const { return FindLinear(name, hint); }

void KeyedValueList::Clear()
{
    // The entries are freed last first.
    while (!m_entries.empty()) m_entries.pop_back();
}

int KeyedValueList::Add(const CString& name, int value)
{
    auto entry = std::make_unique<Entry>();
    entry->name = name;
    entry->value = value;
    m_entries.push_back(std::move(entry));
    return Count() - 1;
}

void KeyedValueList::RemoveAt(int i)
{
    if (i < 0 || i >= Count()) return;
    m_entries.erase(m_entries.begin() + i);
}

void KeyedValueList::Swap(int i, int j)
{
    if (i < 0 || j < 0 || i >= Count() || j >= Count()) return;
    std::swap(m_entries[i], m_entries[j]);
}

// ---- NamedListIndex

// The child of node named by the length bytes at part (compared without regard to case); made when missing.
static FolderTreeNode* ChildFolder(FolderTreeNode* node, const char* part, int length)
{
    for (const std::unique_ptr<FolderTreeNode>& child : node->children)
        if (child->name.GetLength() == length && ::strncasecmp(child->name.GetText(), part, length) == 0)
            return child.get();
    auto child = std::make_unique<FolderTreeNode>();
    child->name.Assign(part, length);
    child->parent = node;
    node->children.push_back(std::move(child));
    return node->children.back().get();
}

// The folder node of an item name: one level for each part before the last '/'.
static FolderTreeNode* FolderOf(FolderTreeNode* root, const char* name)
{
    FolderTreeNode* node = root;
    const char* end = name ? std::strrchr(name, '/') : nullptr;
    for (const char* part = name; end && part < end;) {
        const char* slash = static_cast<const char*>(std::memchr(part, '/', end - part));
        const char* partEnd = slash ? slash : end;
        node = ChildFolder(node, part, static_cast<int>(partEnd - part));
        part = partEnd + 1;
    }
    return node;
}

void NamedListIndex::Assign(const NamedList* list)
{
    m_root.children.clear();
    m_source = list;
    m_sourceCount = list ? list->Count() : 0;
    m_root.items.clear();
    m_itemNodes.assign(m_sourceCount, &m_root);
    if (!list) return;
    list->GetListName(m_root.name);
    for (int i = 0; i < m_sourceCount; ++i) {
        FolderTreeNode* node = FolderOf(&m_root, list->ItemNameText(i));
        node->items.push_back(i);
        m_itemNodes[i] = node;
    }
}

const FolderTreeNode* NamedListIndex::NodeOf(Entry entry) const
{
    return IsItem(entry) ? m_itemNodes[entry] : ToNode(entry);
}

CString NamedListIndex::DisplayName(Entry entry) const
{
    if (IsItem(entry)) return CString(FileNamePart(m_source->ItemNameText(static_cast<int>(entry))));
    return ToNode(entry)->name;
}

bool NamedListIndex::ItemFlag(Entry entry) const
{
    return IsItem(entry) ? m_source->ItemFlag(static_cast<int>(entry)) : true;
}

bool NamedListIndex::IsItemListed(Entry entry) const
{
    return IsItem(entry) ? m_source->IsItemListed(static_cast<int>(entry)) : true;
}

int NamedListIndex::ChildCount(Entry entry) const
{
    if (IsItem(entry)) return 0;
    const FolderTreeNode* node = ToNode(entry);
    return static_cast<int>(node->items.size() + node->children.size());
}

NamedListIndex::Entry NamedListIndex::Child(Entry entry, int k) const
{
    const FolderTreeNode* node = ToNode(entry);
    const int items = static_cast<int>(node->items.size());
    if (k < items) return node->items[k];
    return ToEntry(node->children[k - items].get());
}
