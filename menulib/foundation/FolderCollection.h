// Collections whose items are found by a search under a folder (on disk and in the mounted archives) and whose
// objects are loaded on first use: the sequence collection ("-Name" folders with "Properties.txt"), the frame
// collection ("TGA" files) and the collections of property files of one class (ObjectFileCollection.h).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CString.h"
#include "foundation/NamedList.h"
#include "foundation/PersistentObjectList.h"

class CObject;
class ClassInfo;
class CFrameInterface;
class FileEnumerator;
class FrameProcess;

struct FolderCollectionItem {
    CString name;                     // path below the collection folder, without extension and without the '-'
    std::unique_ptr<CObject> object;  // null until loaded
    bool loading = false;             // set while the object is being loaded
    ItemUseRecord state;
    bool initialised = false;
    bool keep = false;  // set by MarkUsed

    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);
};

class FolderCollection : public NamedList, public PersistentCollection {
public:
    // extension: the items' file extension without the dot ("" for the sequence collection's item folders).
    explicit FolderCollection(const char* extension);
    ~FolderCollection() override;

    // NamedList
    const char* ItemNameText(int i) const override;
    int Count() const override;
    int Find(const CString& name, int hint = -1) const override { return FindIndex(name.GetText(), hint); }
    int Find(const char* name, int hint = -1) const override { return FindIndex(name, hint); }
    void GetListName(CString& out) const override { out = m_name; }
    const char* FolderName() const override { return m_folder.GetText(); }
    CObject* ItemObject(int i) override { return GetOrLoad(i); }
    void Clear() override;

    // The roster's operations. SaveItem unloads the item.
    void LoadFromFolder(const char* name, const char* source, int flags) override;
    bool NeedsSave() override { return !m_loadPending; }
    bool IsItemModified(int i) override { return m_items[i]->state.IsModified(); }
    void SaveItem(int i) override { Unload(i); }
    int GetItemCount() override { return GetCount(); }
    bool GetObjectFileName(const CObject* object, CString& path) override;

    // Item i's object, loaded on first use. An index outside the items selects item 0; null when empty.
    CObject* GetOrLoad(int i);
    // The item an index selects after a pending load: an index outside the items selects item 0; kNoIndex when empty.
    int ResolveIndex(int i);
    void Unload(int i);
    void MarkUsed(int i);
    int GetCount();
    const char* GetName(int i);
    CString GetNameCopy(int i);
    const NamedListIndex* GetIndex();
    int FindObject(const CObject* object);
    // The exact name (the hint first), then the last path component, then the second name list; else kNoIndex.
    int FindIndex(const char* name, int hint = -1) const;
    int AddItem(const char* name);
    int AddLoadedObject(const char* path);
    // The file item i is saved to, in the collection folder (never under "Cache").
    virtual CString GetItemFilePath(int i);
    // The object of folder/name.extension, read from its property file.
    CObject* OpenItemFile(const char* folder, const char* name, int flags);
    KeyedValueList& SecondNames() { return m_secondNames; }
    const FolderCollectionItem& Item(int i) const { return *m_items[i]; }
    bool IsLoaded() const { return m_loaded; }
    bool IsLoadPending() const { return m_loadPending; }
    // The folder the items were found in: the collection folder, or its copy under "Cache".
    const CString& GetItemFolder() const { return m_itemFolder; }
    const CString& GetItemExtension() const { return m_itemExtension; }

protected:
    // Loads item i's object into it; the loading flag is set around the call.
    virtual void LoadItem(int i) = 0;
    // The class of the item objects.
    virtual ClassInfo* ItemClass() const = 0;
    // The class of the objects the collection makes for new items (the item class unless a kind of it).
    virtual ClassInfo* NewObjectClass() const { return ItemClass(); }
    // The file kind of cached items under "Cache".
    virtual const char* CacheKind() const = 0;
    // Item folders whose names begin with '-' instead of files.
    virtual bool FindsFolders() const { return false; }
    // The factory of the load guards of the items, registered with the collection's name; none by default.
    virtual LoadGuardFactory GuardFactory() const { return nullptr; }
    // The load pipeline, made on first use; the default pipeline is copied in once.
    FrameProcess* Pipeline(FrameProcess* defaults);
    void SetPipelineCopied() { m_pipelineCopied = true; }
    // folder/name plus the extension; the '-' form of the name's last part when only that file exists.
    CString ItemFile(const char* folder, const char* name, const CString& extension) const;
    void RunPendingLoad();
    FolderCollectionItem& ItemAt(int i) { return *m_items[i]; }
    // The name the collection is registered under, which its diagnostics name as the list.
    void SetListName(const char* name) { m_name = name; }
    [[noreturn]] void FailSelfReference(int i) const;

    CString m_extension;
    int m_pendingFlags = 0;

private:
    void Search(FileEnumerator& found, const CString& folder, const char* extension, bool folders);
    void SortAndDropDuplicates();

    KeyedValueList m_secondNames;
    // Destroys a load pipeline through the image model that made it.
    struct DestroyPipeline {
        void operator()(FrameProcess* pipeline) const;
    };

    std::vector<std::unique_ptr<FolderCollectionItem>> m_items;
    CString m_folder;
    CString m_sourceFolder;
    CString m_name;
    std::unique_ptr<NamedListIndex> m_index;
    bool m_loaded = false;
    bool m_loadPending = false;
    CString m_pendingSource;
    std::unique_ptr<FrameProcess, DestroyPipeline> m_pipeline;
    bool m_pipelineCopied = false;
    CString m_itemFolder;
    CString m_itemExtension;
};

// The per-use handle a frame or sequence reference resolves into: it loads the item when needed.
class LoadGuard {
public:
    LoadGuard(FolderCollection& collection, int index);
    virtual ~LoadGuard() = default;
    virtual void Draw(CFrameInterface* target, int x, int y) = 0;
    virtual void Advance(float seconds) {}
    CObject* GetObject() const { return m_object; }
    int GetIndex() const { return m_index; }
    float GetPosition() const { return m_position; }

protected:
    FolderCollection& m_owner;
    int m_index;
    CObject* m_object;
    float m_position = 0.0f;
};

// Items are "-Name" folders; their objects are sequences read from their cache files.
class SequenceFolderCollection : public FolderCollection {
public:
    SequenceFolderCollection() : FolderCollection("") {}
    CString GetItemFilePath(int i) override;
    // A new sequence object read from the cache file of folder/name.
    bool LoadSequence(const char* folder, const char* name, CObject** object);

protected:
    void LoadItem(int i) override;
    ClassInfo* ItemClass() const override;
    const char* CacheKind() const override;
    bool FindsFolders() const override { return true; }
    LoadGuardFactory GuardFactory() const override;
};

// Items are "TGA" files, each optionally described by a text file of the same name.
class FrameFolderCollection : public FolderCollection {
public:
    FrameFolderCollection() : FolderCollection("TGA") {}
    CString GetItemFilePath(int i) override;
    // Null when the frame cannot be read.
    CObject* GetOrLoad(int i) { return FolderCollection::GetOrLoad(i); }
    void AppendSources(const FrameProcess& steps);
    CObject* LoadFrame(const char* folder, const char* name);

protected:
    void LoadItem(int i) override;
    ClassInfo* ItemClass() const override;
    ClassInfo* NewObjectClass() const override;
    const char* CacheKind() const override;
    LoadGuardFactory GuardFactory() const override;
};

// The two process-wide collections, built on first use and destroyed at exit.
SequenceFolderCollection& GetSequenceCollection();
FrameFolderCollection& GetFrameCollection();
LoadGuardFactory GetSequenceGuardFactory();
LoadGuardFactory GetFrameGuardFactory();
