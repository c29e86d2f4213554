#include "ui/SkinLibrary.h"

#include <algorithm>

#include "foundation/FatalMessage.h"
#include "foundation/FileSearch.h"
#include "foundation/Object.h"
#include "foundation/Timing.h"

namespace {

constexpr const char* kFallbackExtension = "property";

}  // namespace

SkinLibrary& SkinLibrary::Get()
{
    static SkinLibrary library;
    return library;
}

void SkinLibrary::Scan(const char* folderList, int mode)
{
    m_items.clear();
    m_folderList = folderList;
    m_mode = mode;
    m_rescanNeeded = false;
    const int bar = m_folderList.FindChar('|');
    m_folder = bar < 0 ? m_folderList : m_folderList.Left(bar);
    AddFound(m_folder, kExtension, mode);
    if (m_items.empty()) {
        m_folder.Empty();
        AddFound(m_folder, kExtension, mode);
        AddFound(m_folder, kFallbackExtension, mode);
    }
    std::stable_sort(m_items.begin(), m_items.end(),
                     [](const auto& a, const auto& b) { return a->name.CompareNoCase(b->name) < 0; });
    auto same = [](const auto& a, const auto& b) { return a->name.CompareNoCase(b->name) == 0; };
    m_items.erase(std::unique(m_items.begin(), m_items.end(), same), m_items.end());
}

void SkinLibrary::AddFound(const CString& folder, const char* extension, int mode)
{
    CString searched(folder);
    if (searched.IsNotEmpty()) searched.Append("/");
    FileEnumerator found;
    found.Scan(FileSearchSpec(searched.GetText(), extension, mode), 0);
    CString suffix(".");
    suffix.Append(extension);
    for (int i = 0; i < found.Count(); ++i) {
        auto item = std::make_unique<Item>();
        item->file = found.GetName(i);
        CString name(item->file);
        name.StripPrefixNoCase(searched);
        name.StripSuffixNoCase(suffix);
        const int slash = name.FindChar('/', name.GetLength() - 1, false);
        if (name.GetAt(slash + 1) == '-') name.Delete(slash + 1, 1);
        item->name = name;
        m_items.push_back(std::move(item));
    }
}

void SkinLibrary::RunPendingScan()
{
    if (m_rescanNeeded) Scan(m_folderList.GetText(), m_mode);
}

int SkinLibrary::GetCount()
{
    RunPendingScan();
    return Count();
}

const char* SkinLibrary::GetName(int i)
{
    RunPendingScan();
    return i >= 0 && i < Count() ? m_items[i]->name.GetText() : "";
}

int SkinLibrary::Find(const CString& name, int) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[i]->name.CompareNoCase(name) == 0) return i;
    return -1;
}

CObject* SkinLibrary::Load(int index)
{
    RunPendingScan();
    if (m_items.empty()) return nullptr;
    if (static_cast<unsigned>(index) >= m_items.size()) index = 0;
    Item& item = *m_items[index];
    if (item.loading) {
        CString text("Got stuck in an infinite loop while trying to load \"");
        text.Append(item.name);
        text.Append(
            "\".  This is usually caused by that file refering to itself.  The actions in this file need to be "
            "re-scripted to go through a canned object or relay or some other indirect method");
        FatalMessageAndExit("Fatal Error", text.GetText());
    }
    if (!item.object) {
        item.loading = true;
        item.object.reset(CObject::CreateFromFile(item.file.GetText(), 0, false, nullptr));
        item.loading = false;
    }
    item.lastUse = GetTicks();
    return item.object.get();
}

void SkinLibrary::Preload(int index)
{
    CObject* object = Load(index);
    if (!object) return;
    const int resolved = static_cast<unsigned>(index) >= m_items.size() ? 0 : index;
    Item& item = *m_items[resolved];
    item.keep = true;
    if (!item.started) {
        item.started = true;
        object->InitMembers();
    }
}

void SkinLibrary::Unload(int index)
{
    if (index < 0 || index >= Count()) return;
    Item& item = *m_items[index];
    item.object.reset();
    item.loading = item.started = item.keep = false;
}

int SkinLibrary::AddName(const char* name)
{
    auto item = std::make_unique<Item>();
    item->name = name;
    m_items.push_back(std::move(item));
    const int index = Count() - 1;
    m_items[index]->file = GetPath(index);
    return index;
}

CString SkinLibrary::GetPath(int index) const
{
    CString path(m_folder);
    if (path.IsNotEmpty()) path.Append("/");
    if (index >= 0 && index < Count()) path.Append(m_items[index]->name);
    path.Append(".");
    path.Append(kExtension);
    return path;
}

CObject* SkinLibrary::CreateSkin(const char* name) { return Load(Find(name)); }
