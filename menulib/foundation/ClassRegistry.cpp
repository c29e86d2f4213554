#include "foundation/ClassRegistry.h"
#include "foundation/LocalizedString.h"

#include <strings.h>

#include <cstring>

#include "foundation/FatalMessage.h"
#include "foundation/Object.h"
#include "foundation/ProcessWide.h"

ClassInfo::ClassInfo(ClassInfo** slot, const char* name, float version, ClassInfo* parent, int size, bool abstract,
                     ClassFactory factory, const ClassArrayFactory* arrayFactory, ClassDeclaration declaration)
    : m_name(name),
      m_version(version),
      m_abstract(abstract),
      m_instanceSize(size),
      m_factory(factory),
      m_arrayFactory(arrayFactory)
{
    if (!parent) parent = CObject::GetStaticClassInfo();
    if (parent != kNoParentClass) {
        m_parent = parent;
        parent->AddSubclass(this);
        m_category = parent->m_path;
        m_path = parent->m_path;
    } else {
        m_category = "Miscellaneous";
        m_path = "Miscellaneous";
    }
    *slot = this;
    if (m_parent) {
        m_parentPropertyCount = m_parent->Count();
        m_properties.reserve(m_parentPropertyCount);
        for (const std::unique_ptr<PropertyInfo>& property : m_parent->m_properties)
            m_properties.emplace_back(property->Clone());
    }
    if (declaration) declaration(this);
    const std::uint32_t own = static_cast<std::uint32_t>(Count() - m_parentPropertyCount);
    m_version += 7.0f * static_cast<float>(own);
    if (m_parent) m_version = 3.0f * m_parent->m_version + m_version;
}

const char* ClassInfo::ItemNameText(int i) const
{
    if (i < 0 || i >= Count()) return nullptr;
    return m_properties[i]->GetName().GetText();
}

void ClassInfo::GetItemName(CString& out, int i) const { out = ItemNameText(i); }

CObject* ClassInfo::CreateInstance(int arg1, int arg2) const { return m_factory ? m_factory(arg1, arg2) : nullptr; }

CObject* ClassInfo::CreateArray(int, int, int count) const
{
    return m_arrayFactory ? m_arrayFactory->create(count) : nullptr;
}

void ClassInfo::DestroyArray(CObject* first) const
{
    if (first && m_arrayFactory) m_arrayFactory->destroy(first);
}

CObject* ClassInfo::ArrayElement(CObject* first, int i) const { return m_arrayFactory->element(first, i); }

int ClassInfo::AddProperty(PropertyInfo* property)
{
    m_properties.emplace_back(property);
    return Count();
}

namespace {
// One hint for every class: a file read in schema order finds each property at the first probe.
int g_propertyHint = 0;
}  // namespace

PropertyInfo* ClassInfo::FindProperty(const char* name, int* index) const
{
    const int count = Count();
    if (g_propertyHint >= count) g_propertyHint = 0;
    if (count > 0 && ::strcasecmp(m_properties[g_propertyHint]->GetName().GetText(), name) == 0) {
        if (index) *index = g_propertyHint;
        return m_properties[g_propertyHint++].get();
    }
    for (int i = 0; i < count; ++i)
        if (::strcasecmp(m_properties[i]->GetName().GetText(), name) == 0) {
            if (index) *index = i;
            g_propertyHint = i + 1;
            return m_properties[i].get();
        }
    for (int i = 0; i < count; ++i) {
        const CString& alternative = m_properties[i]->GetAlternativeName();
        if (alternative.IsNotEmpty() && alternative.CompareNoCase(name) == 0) {
            if (index) *index = i;
            return m_properties[i].get();
        }
    }
    if (index) *index = kNoIndex;
    return nullptr;
}

PropertyInfo* ClassInfo::FindPropertyByClaim(const char* text) const
{
    for (const std::unique_ptr<PropertyInfo>& property : m_properties)
        if (property->ClaimsName(text)) return property.get();
    return nullptr;
}

bool ClassInfo::IsDerivedFrom(const ClassInfo* ancestor) const
{
    for (const ClassInfo* record = this; record; record = record->m_parent)
        if (record == ancestor) return true;
    return ancestor == nullptr;
}

CString ClassInfo::GetDisplayName() const
{
    if (m_name[0] == 'C' && m_name[1] >= 'A' && m_name[1] <= 'Z') return CString(m_name + 1);
    return CString(m_name);
}

void ClassInfo::AddSubclass(ClassInfo* sub)
{
    m_subclasses.push_back(sub);
    for (int i = 0; i < m_attached.Count(); ++i) sub->AttachProperty(m_attached.Get(i), m_attached.GetArgument(i));
}

void ClassInfo::AttachProperty(PropertyInfo* property, int argument)
{
    m_attached.Add(property, argument);
    for (ClassInfo* sub : m_subclasses) sub->AttachProperty(property, argument);
}

// ---- ClassRegistry

ClassRegistry& ClassRegistry::Instance()
{
    // Lives until the library is unloaded: class records stay valid for static objects that outlive any exit-time
    // destructor of the library.
    static ClassRegistry* registry = [] {
        auto* made = new ClassRegistry;
        KeepUntilUnload(
            ReleaseStage::Records, [](void* kept) { delete static_cast<ClassRegistry*>(kept); }, made);
        return made;
    }();
    return *registry;
}

ClassRegistry::~ClassRegistry()
{
    for (ClassInfo* record : m_records) delete record;
}

const char* ClassRegistry::ItemNameText(int i) const
{
    if (i < 0 || i >= Count()) return nullptr;
    return m_records[i]->GetName();
}

int ClassRegistry::FindExact(const char* name) const
{
    if (m_sorted) return FindSorted(name, -1);
    int found = kNoIndex;
    for (int i = 0; i < Count(); ++i)
        if (::strcasecmp(m_records[i]->GetName(), name) == 0) found = i;
    return found;
}

ClassInfo* ClassRegistry::Find(const char* name, int* index) const
{
    int found = name ? FindExact(name) : kNoIndex;
    // Names may leave out the leading "C" (a lower-case 'c' does not count as one). The composed name must
    // stay within 99 characters.
    if (found < 0 && name && name[0] != 'C' && std::strlen(name) + 1 <= 99) {
        CString withC("C");
        withC.Append(name);
        found = FindExact(withC.GetText());
    }
    if (index) *index = found;
    return found >= 0 ? m_records[found] : nullptr;
}

bool ClassRegistry::Add(ClassInfo* record, void* module)
{
    int existing = kNoIndex;
    const ClassInfo* old = Find(record->GetName(), &existing);
    if (old) {
        if (record->GetVersion() <= old->GetVersion()) return false;
        RemoveAt(existing);
    }
    record->SetModule(module);
    m_records.push_back(record);
    m_sorted = false;
    return true;
}

void ClassRegistry::RemoveAt(int i)
{
    if (i < 0 || i >= Count()) return;
    // No class of this library comes from another module, so there is no module to free.
    m_records[i]->SetModule(nullptr);
    m_records.erase(m_records.begin() + i);
}

int ClassRegistry::IndexOf(const ClassInfo* record) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_records[i] == record) return i;
    return kNoIndex;
}

LocalizedString CorruptedProgramTitle("FATAL ERROR!", "title of the message shown for a corrupted program", 0);
LocalizedString CorruptedProgramText(
    "The executable or data file appears to have become corrupted. Please reinstall "
    "the product, or contact the vendor for assistance.",
    "message shown when a data file names a class the program lacks", 0);

CObject* ClassRegistry::CreateObject(const char* name, int arg1, int arg2) const
{
    const ClassInfo* record = Find(name);
    if (!record || record->IsAbstract())
        FatalMessageAndExit(CorruptedProgramTitle.GetText().GetText(), CorruptedProgramText.GetText().GetText());
    return record->CreateInstance(arg1, arg2);
}
