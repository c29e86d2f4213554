#include "foundation/PropertyInfo.h"

#include <cstring>

#include "foundation/Object.h"
#include "foundation/ProcessWide.h"
#include "foundation/PropertyStream.h"
#include "foundation/SmallBlockPool.h"

PropertyInfo::PropertyInfo(const char* declaredName, const char* units, MemberAccess access, int memberSize, int flags)
    : m_access(access), m_memberSize(memberSize), m_flags(flags), m_units(units)
{
    const char* slash = declaredName ? std::strchr(declaredName, '/') : nullptr;
    if (slash) {
        m_group.Assign(declaredName, static_cast<int>(slash - declaredName));
        m_name = slash + 1;
    } else {
        m_name = declaredName;
    }
    m_displayName = m_name;
}

void PropertyInfo::PropertyInfoCopy(const PropertyInfo& other)
{
    m_alwaysSave = other.m_alwaysSave;
    m_name = other.m_name;
    m_helpText = other.m_helpText;
    m_group = other.m_group;
    m_access = other.m_access;
    m_memberSize = other.m_memberSize;
    m_displayName = other.m_displayName;
    m_listed = other.m_listed;
    m_flags = other.m_flags;
    m_alternativeName = other.m_alternativeName;
    m_units = other.m_units;
    m_attached = other.m_attached;
}

bool PropertyInfo::HasName(const char* name) const
{
    return m_name.CompareNoCase(name) == 0 ||
           (m_alternativeName.IsNotEmpty() && m_alternativeName.CompareNoCase(name) == 0);
}

void PropertyInfo::ReadProperty(void* holder, const CString&, const CString& text, PropertyStream* stream, int) const
{
    SetFromText(holder, text, stream);
}

void PropertyInfo::WriteName(const void*, PropertyStream& stream) const
{
    stream.WriteText(m_name);
    stream.WriteText("=");
}

void PropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    CString text;
    ValueToText(holder, text);
    stream.WriteLine(text);
}

void PropertyInfo::WriteValueRaw(const void* holder, PropertyStream& stream) const
{
    CString text;
    ValueToText(holder, text);
    stream.WriteText(text);
}

CString PropertyInfo::MakeSafeTagName(const CString& name)
{
    CString tag(name);
    for (char ch : {' ', '?', '&', '\''}) tag.ReplaceChar(ch, '_');
    return tag;
}

void PropertyInfo::WriteTagged(const void* holder, PropertyStream& stream) const
{
    const CString tag = MakeSafeTagName(m_name);
    stream.WriteText("<");
    stream.WriteText(tag);
    stream.WriteText(">");
    WriteValueRaw(holder, stream);
    stream.WriteText("</");
    stream.WriteText(tag);
    stream.WriteLine(">");
}

void* PropertyInfo::AllocValue() const { return PoolAlloc(m_memberSize); }
void PropertyInfo::FreeValue(void* block) const { PoolFree(block, m_memberSize); }

bool PropertyInfo::HasDynamicValue(const CObject* object) const { return FindDynamicValue(object) != nullptr; }

void* PropertyInfo::FindDynamicValue(const CObject* object) const
{
    const DynamicPropertyList* list = object->GetDynamicProperties();
    return list ? list->Find(this) : nullptr;
}

void* PropertyInfo::GetOrCreateDynamicValue(CObject* object) const
{
    return object->GetOrCreateDynamicProperties()->GetOrCreate(this);
}

bool PropertyInfo::RemoveDynamicValue(CObject* object) const
{
    DynamicPropertyList* list = object->GetDynamicProperties();
    return list && list->Remove(this);
}

// ---- PropertyList

PropertyList::~PropertyList()
{
    if (m_owning)
        for (Entry& entry : m_entries) delete entry.info;
}

const char* PropertyList::ItemNameText(int i) const
{
    if (i < 0 || i >= Count()) return nullptr;
    return m_entries[i].info->GetName().GetText();
}

PropertyList& PropertyList::Everything()
{
    static PropertyList* list = NewProcessWide<PropertyList>(ReleaseStage::Records, true);
    return *list;
}

void PropertyList::Add(PropertyInfo* info, int argument)
{
    m_entries.push_back({info, argument});
    if (!m_owning && Everything().IndexOf(info) < 0) Everything().Add(info, 0);
}

PropertyInfo* PropertyList::FindByName(const char* name) const
{
    const int index = Find(name);
    if (index >= 0) return m_entries[index].info;
    for (const Entry& entry : m_entries)
        if (entry.info->GetAlternativeName().IsNotEmpty() && entry.info->GetAlternativeName().CompareNoCase(name) == 0)
            return entry.info;
    return nullptr;
}

int PropertyList::IndexOf(const PropertyInfo* info) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_entries[i].info == info) return i;
    return -1;
}
