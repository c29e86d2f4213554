#include "foundation/FolderCollection.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "foundation/FatalMessage.h"
#include "foundation/FileFlags.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileSearch.h"
#include "foundation/Object.h"
#include "foundation/PathHelpers.h"
#include "foundation/SmallBlockPool.h"
#include "frames/ImageModel.h"

void* FolderCollectionItem::operator new(std::size_t size) { return PoolAlloc(size); }
void FolderCollectionItem::operator delete(void* block, std::size_t size) { PoolFree(block, size); }

FolderCollection::FolderCollection(const char* extension) : m_extension(extension) {}

void FolderCollection::DestroyPipeline::operator()(FrameProcess* pipeline) const
{
    if (ImageModel::Installed()) ImageModel::Installed()->DestroyFrameProcess(pipeline);
}

FolderCollection::~FolderCollection()
{
    FolderCollection::Clear();
    m_index.reset();
    m_pipeline.reset();
    PersistentObjectList::Instance().Remove(this);
}

void FolderCollection::Clear()
{
    // From the last item to the first, each item's object before the item.
    while (!m_items.empty()) {
        m_items.back()->object.reset();
        m_items.pop_back();
    }
}

const char* FolderCollection::ItemNameText(int i) const
{
    const_cast<FolderCollection*>(this)->RunPendingLoad();
    if (i < 0 || i >= static_cast<int>(m_items.size())) return nullptr;
    return m_items[i]->name.GetText();
}

int FolderCollection::Count() const
{
    const_cast<FolderCollection*>(this)->RunPendingLoad();
    return static_cast<int>(m_items.size());
}

int FolderCollection::GetCount() { return Count(); }

const char* FolderCollection::GetName(int i) { return ItemNameText(i); }

CString FolderCollection::GetNameCopy(int i) { return CString(ItemNameText(i)); }

const NamedListIndex* FolderCollection::GetIndex()
{
    RunPendingLoad();
    return m_index.get();
}

void FolderCollection::LoadFromFolder(const char* name, const char* source, int flags)
{
    m_loadPending = true;
    m_pendingSource = source;
    m_pendingFlags = flags;
    if (name) {
        m_name = name;
        // A collection is on the roster once: a second named load renames its entry.
        PersistentObjectList& roster = PersistentObjectList::Instance();
        const int entry = roster.IndexOf(this);
        if (entry >= 0)
            roster.Rename(entry, name, GuardFactory());
        else
            roster.Add(name, nullptr, this, GuardFactory(), 0);
    }
}

void FolderCollection::Search(FileEnumerator& found, const CString& folder, const char* extension, bool folders)
{
    FileSearchSpec wanted;
    if (folders)
        wanted.SetFolders(folder.GetText(), true);
    else
        wanted.Set(folder.GetText(), extension);
    wanted.SetFlags(FileSearchSpec::kSkipDashedFolders);
    wanted.SetNameForm(FileSearchSpec::kRelativePaths);
    found.Scan(wanted, m_pendingFlags);
}

void FolderCollection::RunPendingLoad()
{
    if (!m_loadPending) return;
    m_loadPending = false;
    m_loaded = true;
    m_itemExtension.Empty();
    if (m_extension.IsNotEmpty()) {
        m_itemExtension = ".";
        m_itemExtension.Append(m_extension);
    }
    Clear();
    m_folder = m_pendingSource;
    m_sourceFolder = m_pendingSource;
    m_sourceFolder.ReplaceChar('|', '/');
    const int bar = m_pendingSource.FindChar('|');
    if (bar >= 0) m_folder = m_pendingSource.Left(bar);

    FileEnumerator found;
    CString searchFolder(m_sourceFolder);
    searchFolder.Append("/");
    Search(found, searchFolder, m_extension.GetText(), FindsFolders());
    m_itemFolder = m_folder;
    if (found.Count() == 0) {
        // Nothing in the folder: the converted items under "Cache".
        CString cacheFolder(GetCacheFolderName());
        cacheFolder.Append("/");
        cacheFolder.Append(m_sourceFolder);
        cacheFolder.Append("/");
        const char* kind = CacheKind();
        Search(found, cacheFolder, kind, false);
        m_itemExtension = ".";
        m_itemExtension.Append(kind);
        m_itemFolder = GetCacheFolderName();
        m_itemFolder.Append("/");
        m_itemFolder.Append(m_folder);
    }
    CString prefix(m_itemFolder);
    prefix.Append("/");
    for (int i = 0; i < found.Count(); ++i) {
        CString name = found.GetName(i);
        name.StripPrefixNoCase(prefix);
        if (m_itemExtension.IsNotEmpty()) name.StripSuffixNoCase(m_itemExtension);
        const int slash = name.FindChar('/', name.GetLength() - 1, false);
        if (name.GetAt(slash + 1) == '-') name.Delete(slash + 1, 1);
        AddItem(name.GetText());
    }
    SortAndDropDuplicates();
    if (!m_index) m_index = std::make_unique<NamedListIndex>();
    m_index->Assign(this);
}

void FolderCollection::SortAndDropDuplicates()
{
    if (m_items.size() >= 2)
        std::stable_sort(m_items.begin(), m_items.end(),
                         [](const auto& a, const auto& b) { return a->name.CompareNoCase(b->name) < 0; });
    m_sorted = true;
    for (int i = static_cast<int>(m_items.size()) - 1; i > 0; --i)
        if (m_items[i]->name.CompareNoCase(m_items[i - 1]->name) == 0) m_items.erase(m_items.begin() + i);
}

int FolderCollection::AddItem(const char* name)
{
    auto item = std::make_unique<FolderCollectionItem>();
    item->name = name;
    m_items.push_back(std::move(item));
    m_sorted = false;
    return static_cast<int>(m_items.size()) - 1;
}

int FolderCollection::FindIndex(const char* name, int hint) const
{
    if (!name) return kNoIndex;
    const int count = Count();
    if (hint >= 0 && hint < count && m_items[hint]->name.CompareNoCase(name) == 0) return hint;
    for (int i = 0; i < count; ++i)
        if (m_items[i]->name.CompareNoCase(name) == 0) return i;
    const int byFileName = FindByFileName(name);
    if (byFileName >= 0) return byFileName;
    return m_secondNames.Find(name);
}

int FolderCollection::ResolveIndex(int i)
{
    RunPendingLoad();
    const int count = static_cast<int>(m_items.size());
    if (count == 0) return kNoIndex;
    // An index outside the items (a failed lookup's kNoIndex as well as one past the end) selects the first item.
    return i < 0 || i >= count ? 0 : i;
}

void FolderCollection::FailSelfReference(int i) const
{
    CString text("Got stuck in an infinite loop while trying to load \"");
    text.Append(m_items[i]->name);
    text.Append(
        "\".  This is usually caused by that file refering to itself.  The actions in this file need to be "
        "re-scripted to go through a canned object or relay or some other indirect method");
    FatalMessageAndExit("Fatal Error", text.GetText());
}

CObject* FolderCollection::GetOrLoad(int i)
{
    i = ResolveIndex(i);
    if (i < 0) return nullptr;
    FolderCollectionItem& item = *m_items[i];
    if (item.loading) FailSelfReference(i);
    if (!item.object) {
        item.loading = true;
        LoadItem(i);
        item.loading = false;
    }
    item.state.Touch();
    return item.object.get();
}

void FolderCollection::Unload(int i)
{
    if (i < 0 || i >= static_cast<int>(m_items.size())) return;
    FolderCollectionItem& item = *m_items[i];
    item.object.reset();
    item.state.Clear();
    item.loading = false;
}

void FolderCollection::MarkUsed(int i)
{
    i = ResolveIndex(i);
    if (i < 0) return;
    m_items[i]->keep = true;
    CObject* object = GetOrLoad(i);
    if (object && !m_items[i]->initialised) {
        m_items[i]->initialised = true;
        object->InitMembers();
    }
}

int FolderCollection::FindObject(const CObject* object)
{
    if (m_loadPending) return 0;
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        if (m_items[i]->object.get() == object) return i;
    return kNoIndex;
}

bool FolderCollection::GetObjectFileName(const CObject* object, CString& path)
{
    if (m_loadPending || !object) return false;
    const ClassInfo* itemClass = ItemClass();
    if (!itemClass || !object->IsKindOf(itemClass)) return false;
    const int i = FindObject(object);
    if (i < 0) return false;
    path = GetItemFilePath(i);
    return true;
}

int FolderCollection::AddLoadedObject(const char* path)
{
    // A pending load would drop the new item; it also settles the items' extension.
    RunPendingLoad();
    CString name(path);
    if (m_itemExtension.IsNotEmpty()) name.StripSuffixNoCase(m_itemExtension);
    const int i = AddItem(name.GetText());
    ClassInfo* objectClass = NewObjectClass();
    CObject* object = objectClass ? objectClass->CreateInstance(0, -1) : nullptr;
    if (object) object->InitMembers();
    m_items[i]->object.reset(object);
    if (!m_index) m_index = std::make_unique<NamedListIndex>();
    m_index->Assign(this);
    // The roster saves the new object to the item's file.
    if (object) PersistentObjectList::SaveObject(object);
    return i;
}

CString FolderCollection::ItemFile(const char* folder, const char* name, const CString& extension) const
{
    CString path(folder);
    path.Append("/");
    path.Append(name);
    path.Append(extension);
    if (FileExists(path.GetText())) return path;
    // The item's name lost the '-' of its file name: the file is folder/.../-name.
    CString dashed;
    dashed.SetPathWithSubpath(folder, name, extension.GetText());
    return FileExists(dashed.GetText()) ? dashed : path;
}

// The item's own file in the collection folder, also for an item found among the converted files under "Cache":
// saving through it must not write into the cache.
CString FolderCollection::GetItemFilePath(int i)
{
    CString extension;
    if (m_extension.IsNotEmpty()) {
        extension = ".";
        extension.Append(m_extension);
    }
    return ItemFile(m_folder.GetText(), m_items[i]->name.GetText(), extension);
}

CObject* FolderCollection::OpenItemFile(const char* folder, const char* name, int flags)
{
    return CObject::CreateFromFile(ItemFile(folder, name, m_itemExtension).GetText(), flags, true, nullptr);
}

FrameProcess* FolderCollection::Pipeline(FrameProcess* defaults)
{
    ImageModel* model = ImageModel::Installed();
    if (!model) return nullptr;
    if (!m_pipeline) m_pipeline.reset(model->CreateFrameProcess());
    if (!m_pipelineCopied && defaults) {
        model->CopyStepsTo(*defaults, *m_pipeline);
        m_pipelineCopied = true;
    }
    return m_pipeline.get();
}

// ---- load guards

LoadGuard::LoadGuard(FolderCollection& collection, int index)
    : m_owner(collection), m_index(collection.ResolveIndex(index))
{
    m_object = m_index >= 0 ? collection.GetOrLoad(m_index) : nullptr;
}

namespace {

class SequenceLoadGuard : public LoadGuard {
public:
    using LoadGuard::LoadGuard;
    void Advance(float seconds) override
    {
        ImageModel* model = ImageModel::Installed();
        if (!m_object || !model) return;
        // A sequence without frames leaves the position as it is.
        const int frames = model->GetFrameCount(m_object);
        if (frames <= 0) return;
        m_position += seconds * model->GetFrameRate(m_object);
        // The remainder in one step: a position too large for subtracting to change it would never wrap.
        if (m_position >= static_cast<float>(frames)) m_position = std::fmod(m_position, static_cast<float>(frames));
        if (!std::isfinite(m_position)) m_position = 0.0f;
    }
    void Draw(CFrameInterface* target, int x, int y) override
    {
        ImageModel* model = ImageModel::Installed();
        if (!m_object || !model) return;
        model->BeginAccess(m_object);
        if (CObject* frame = model->SelectFrame(m_object, static_cast<int>(m_position)))
            model->BlitAt(target, frame, x, y, model->GetSequenceBlitType(m_object));
        model->EndAccess(m_object);
    }
};

class FrameLoadGuard : public LoadGuard {
public:
    using LoadGuard::LoadGuard;
    void Draw(CFrameInterface* target, int x, int y) override
    {
        ImageModel* model = ImageModel::Installed();
        if (!m_object || !model) return;
        const bool standAlone = m_object->IsKindOf(model->GetStandAloneFrameClassInfo());
        model->BlitAt(target, m_object, x, y,
                      standAlone ? model->GetFrameBlitType(m_object) : model->GetDefaultBlitType());
    }
};

}  // namespace

LoadGuardFactory GetSequenceGuardFactory()
{
    return
        [](FolderCollection& collection, int index) -> LoadGuard* { return new SequenceLoadGuard(collection, index); };
}

LoadGuardFactory GetFrameGuardFactory()
{
    return [](FolderCollection& collection, int index) -> LoadGuard* { return new FrameLoadGuard(collection, index); };
}

// ---- the sequence collection

CString SequenceFolderCollection::GetItemFilePath(int i)
{
    CString path;
    path.SetPathWithSubpathAndFile(FolderName(), ItemAt(i).name.GetText(), "Properties.txt", nullptr);
    return path;
}

ClassInfo* SequenceFolderCollection::ItemClass() const
{
    return ImageModel::Installed() ? ImageModel::Installed()->GetSequenceClassInfo() : nullptr;
}

const char* SequenceFolderCollection::CacheKind() const
{
    return ImageModel::Installed() ? ImageModel::Installed()->GetSequenceFileKind() : "SEQUENCE";
}

LoadGuardFactory SequenceFolderCollection::GuardFactory() const { return GetSequenceGuardFactory(); }

bool SequenceFolderCollection::LoadSequence(const char* folder, const char* name, CObject** object)
{
    *object = nullptr;
    ImageModel* model = ImageModel::Installed();
    ClassInfo* sequenceClass = ItemClass();
    if (!model || !sequenceClass) return false;
    FrameProcess* pipeline = Pipeline(model->GetDefaultSequenceProcess());
    std::unique_ptr<CObject> sequence(sequenceClass->CreateInstance(0, -1));
    if (!sequence || !model->LoadSequenceFile(sequence.get(), folder, name, *pipeline)) return false;
    *object = sequence.release();
    return true;
}

void SequenceFolderCollection::LoadItem(int i)
{
    CObject* sequence = nullptr;
    LoadSequence(GetItemFolder().GetText(), ItemAt(i).name.GetText(), &sequence);
    ItemAt(i).object.reset(sequence);
}

// ---- the frame collection

CString FrameFolderCollection::GetItemFilePath(int i)
{
    CString path(FolderName());
    path.Append("/");
    path.Append(ItemAt(i).name);
    path.Append(".txt");
    return path;
}

ClassInfo* FrameFolderCollection::ItemClass() const
{
    return ImageModel::Installed() ? ImageModel::Installed()->GetFrameClassInfo() : nullptr;
}

ClassInfo* FrameFolderCollection::NewObjectClass() const
{
    return ImageModel::Installed() ? ImageModel::Installed()->GetStandAloneFrameClassInfo() : nullptr;
}

const char* FrameFolderCollection::CacheKind() const
{
    return ImageModel::Installed() ? ImageModel::Installed()->GetFrameFileKind() : "FRAME";
}

LoadGuardFactory FrameFolderCollection::GuardFactory() const { return GetFrameGuardFactory(); }

void FrameFolderCollection::AppendSources(const FrameProcess& steps)
{
    ImageModel* model = ImageModel::Installed();
    FrameProcess* pipeline = Pipeline(nullptr);
    if (!model || !pipeline) return;
    model->CopyStepsTo(steps, *pipeline);
    SetPipelineCopied();
}

CObject* FrameFolderCollection::LoadFrame(const char* folder, const char* name)
{
    ImageModel* model = ImageModel::Installed();
    if (!model) return nullptr;
    FrameProcess* pipeline = Pipeline(model->GetDefaultFrameProcess());
    CString folderWithSeparator(folder);
    folderWithSeparator.Append("/");
    return model->LoadFrameDescription(folderWithSeparator.GetText(), name, *pipeline, 1, 0, NewObjectClass());
}

void FrameFolderCollection::LoadItem(int i)
{
    ItemAt(i).object.reset(LoadFrame(GetItemFolder().GetText(), ItemAt(i).name.GetText()));
}

SequenceFolderCollection& GetSequenceCollection()
{
    static SequenceFolderCollection collection;
    return collection;
}

FrameFolderCollection& GetFrameCollection()
{
    static FrameFolderCollection collection;
    return collection;
}
