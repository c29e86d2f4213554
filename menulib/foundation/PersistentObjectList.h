// The roster of the collections whose items are loaded from folders of property files: loaded together when
// the library starts, their modified items saved when it shuts down; and the hooks through which any object
// can be saved to the file it came from.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CString.h"
#include "foundation/NamedList.h"

class CObject;
class FolderCollection;
class LoadGuard;

// Makes the per-use handle of item index of a collection (FolderCollection.h).
using LoadGuardFactory = LoadGuard* (*)(FolderCollection& collection, int index);

// What the roster asks of a registered collection.
class PersistentCollection {
public:
    virtual ~PersistentCollection() = default;
    virtual void LoadFromFolder(const char* name, const char* folder, int flags) = 0;
    virtual bool NeedsSave() = 0;
    virtual bool IsItemModified(int i) = 0;
    virtual void SaveItem(int i) = 0;
    virtual int GetItemCount() = 0;
    // True when the object is one of the collection's items, with the item's file.
    virtual bool GetObjectFileName(const CObject* object, CString& path) = 0;
};

// The use record of one folder-loaded item.
struct ItemUseRecord {
    std::uint32_t lastUse = 0;  // tick count of the last access
    std::int32_t uses = 0;
    std::int32_t recentUses = 0;
    std::uint8_t flags[3] = {0, 0, 0};  // the second marks a modified item

    void Clear() { *this = ItemUseRecord(); }
    void Touch();
    void ResetUse()
    {
        lastUse = 0;
        uses = 0;
    }
    void ClearFlags()
    {
        flags[0] = flags[1] = flags[2] = 0;
        recentUses = 0;
    }
    bool IsModified() const { return flags[1] != 0; }
};

class PersistentObjectList : public NamedList {
public:
    using FileNameHook = bool (*)(const CObject* object, CString& path);
    using SaveHook = bool (*)(const CObject* object, bool& result);

    static PersistentObjectList& Instance();

    const char* ItemNameText(int i) const override;
    void GetItemName(CString& out, int i) const override;
    int Count() const override { return static_cast<int>(m_entries.size()); }

    // guardFactory: the collection's load guard factory, null for collections without one.
    int Add(const char* displayName, const char* folder, PersistentCollection* collection,
            LoadGuardFactory guardFactory, int value);
    // Takes a collection out of the roster (a collection that is destroyed before the process ends).
    void Remove(PersistentCollection* collection);
    // The entry of a registered collection, kNoIndex when it is not registered.
    int IndexOf(const PersistentCollection* collection) const;
    // Gives a registered collection's entry a new display name and guard factory.
    void Rename(int i, const char* displayName, LoadGuardFactory guardFactory);
    void LoadAll();
    void ShutDown();
    PersistentCollection* GetCollection(int i) const { return m_entries[i].collection; }
    LoadGuardFactory GetGuardFactory(int i) const { return m_entries[i].guardFactory; }

    static void AddFileNameHook(FileNameHook hook);
    static void AddSaveHook(SaveHook hook);
    static bool FindObjectFileName(const CObject* object, CString& path);
    static bool SaveObject(const CObject* object);

private:
    PersistentObjectList() = default;
    ~PersistentObjectList() override = default;
    static bool FindInCollections(const CObject* object, CString& path);

    struct Entry {
        CString displayName;
        CString folder;
        PersistentCollection* collection;
        LoadGuardFactory guardFactory;
        std::int32_t value;
    };
    std::vector<Entry> m_entries;
};

// The name the later subsystems use for the file of an object.
inline bool FindFileNameForObject(const CObject* object, CString& path)
{
    return PersistentObjectList::FindObjectFileName(object, path);
}
inline bool SaveObject(const CObject* object) { return PersistentObjectList::SaveObject(object); }
