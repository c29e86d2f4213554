#include "foundation/PersistentObjectList.h"

#include <algorithm>

#include "foundation/Object.h"
#include "foundation/ProcessWide.h"
#include "platform/win32_time.h"

void ItemUseRecord::Touch()
{
    lastUse = GetTickCount();
    ++uses;
    ++recentUses;
}

namespace {
std::vector<PersistentObjectList::FileNameHook>& FileNameHooks()
{
    static auto* hooks = NewProcessWide<std::vector<PersistentObjectList::FileNameHook>>(ReleaseStage::Objects);
    return *hooks;
}
std::vector<PersistentObjectList::SaveHook>& SaveHooks()
{
    static auto* hooks = NewProcessWide<std::vector<PersistentObjectList::SaveHook>>(ReleaseStage::Objects);
    return *hooks;
}
}  // namespace

PersistentObjectList& PersistentObjectList::Instance()
{
    // Lives until the library is unloaded: collections that are static objects take themselves out in their
    // destructors.
    static PersistentObjectList* roster = [] {
        auto* made = new PersistentObjectList;
        KeepUntilUnload(
            ReleaseStage::Objects, [](void* kept) { delete static_cast<PersistentObjectList*>(kept); }, made);
        return made;
    }();
    return *roster;
}

const char* PersistentObjectList::ItemNameText(int i) const
{
    if (i < 0 || i >= Count()) return nullptr;
    return m_entries[i].displayName.GetText();
}

void PersistentObjectList::GetItemName(CString& out, int i) const { out = m_entries[i].displayName; }

int PersistentObjectList::Add(const char* displayName, const char* folder, PersistentCollection* collection,
                              LoadGuardFactory guardFactory, int value)
{
    // The roster's own hook goes in once, even when the roster has been emptied since.
    static const bool hookAdded = (AddFileNameHook(&FindInCollections), true);
    (void)hookAdded;
    m_entries.push_back({CString(displayName), CString(folder), collection, guardFactory, value});
    return Count() - 1;
}

void PersistentObjectList::Remove(PersistentCollection* collection)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [&](const Entry& entry) { return entry.collection == collection; }),
                    m_entries.end());
}

int PersistentObjectList::IndexOf(const PersistentCollection* collection) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[i].collection == collection) return i;
    return kNoIndex;
}

void PersistentObjectList::Rename(int i, const char* displayName, LoadGuardFactory guardFactory)
{
    m_entries[i].displayName = displayName;
    m_entries[i].guardFactory = guardFactory;
}

void PersistentObjectList::LoadAll()
{
    for (const Entry& entry : m_entries)
        if (entry.folder.IsNotEmpty()) entry.collection->LoadFromFolder(nullptr, entry.folder.GetText(), 0);
}

void PersistentObjectList::ShutDown()
{
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        PersistentCollection* collection = entry->collection;
        if (!collection->NeedsSave()) continue;
        for (int i = 0; i < collection->GetItemCount(); ++i)
            if (collection->IsItemModified(i)) collection->SaveItem(i);
    }
}

bool PersistentObjectList::FindInCollections(const CObject* object, CString& path)
{
    for (const Entry& entry : Instance().m_entries)
        if (entry.collection->GetObjectFileName(object, path)) return true;
    return false;
}

void PersistentObjectList::AddFileNameHook(FileNameHook hook) { FileNameHooks().push_back(hook); }
void PersistentObjectList::AddSaveHook(SaveHook hook) { SaveHooks().push_back(hook); }

bool PersistentObjectList::FindObjectFileName(const CObject* object, CString& path)
{
    for (FileNameHook hook : FileNameHooks())
        if (hook(object, path)) return true;
    return false;
}

bool PersistentObjectList::SaveObject(const CObject* object)
{
    bool result = false;
    for (SaveHook hook : SaveHooks())
        if (hook(object, result)) return result;
    CString path;
    if (!FindObjectFileName(object, path)) return false;
    return object->SaveToFile(path.GetText(), 0);
}
