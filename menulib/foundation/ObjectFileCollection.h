// A process-wide collection of the objects of one persistent class, one property file per item, found by a
// search for one extension under a folder and read on first use.
#pragma once
#include "foundation/FolderCollection.h"
#include "foundation/Object.h"

template <typename T>
class ObjectFileCollection : public FolderCollection {
public:
    // Registers with the roster, which gives it the folder when the library starts.
    ObjectFileCollection(const char* displayName, const char* folder, const char* extension)
        : FolderCollection(extension)
    {
        SetListName(displayName);
        PersistentObjectList::Instance().Add(displayName, folder, this, nullptr, 0);
    }

    T* GetOrLoad(int i) { return static_cast<T*>(FolderCollection::GetOrLoad(i)); }

protected:
    void LoadItem(int i) override
    {
        const char* name = ItemAt(i).name.GetText();
        std::unique_ptr<CObject> object(OpenItemFile(GetItemFolder().GetText(), name, m_pendingFlags));
        // A file of another class is not an item of this collection.
        if (object && !object->IsKindOf(T::GetStaticClassInfo())) object.reset();
        ItemAt(i).object = std::move(object);
    }
    ClassInfo* ItemClass() const override { return T::GetStaticClassInfo(); }
    const char* CacheKind() const override { return "property"; }
};
