#include "front/NameValuePairs.h"

#include <memory>

#include "foundation/ArrayGrowth.h"
#include "front/ArcadeState.h"
#include "front/CatalogRecords.h"
#include "front/RecordLists.h"

namespace {

void DeclareNameValuePair(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name", Member<&CNameValuePair::m_Name>()));
    record->AddProperty(new StringPropertyInfo("Value", Member<&CNameValuePair::m_Value>()));
}

void DeclareNameValuePairList(ClassInfo* record)
{
    record->AddProperty(new ArrayPropertyInfo(
        "Name Value Pair List", Member<&CNameValuePairList::m_List>(),
        ObjectPointerPropertyInfo("Name Value Pair", PointerHolderValue(), CNameValuePair::GetStaticClassInfo()),
        sizeof(CObject*)));
}

// The list of this load. A list asked for before the library started is built for that one request and not
// kept: its collections had no folder yet.
std::unique_ptr<NameValueLookup>& Kept()
{
    static std::unique_ptr<NameValueLookup> lookup;
    return lookup;
}

}  // namespace

IMPLEMENT_PERSISTENT_CLASS(CNameValuePair, CObject, 0.0f, DeclareNameValuePair)
IMPLEMENT_PERSISTENT_CLASS(CNameValuePairList, CObject, 0.0f, DeclareNameValuePairList)

CNameValuePair* CNameValuePairList::GetPair(int i) const { return ObjectListEntry<CNameValuePair>(m_List, i); }

NameValueLookup& NameValueLookup::Instance()
{
    std::unique_ptr<NameValueLookup>& kept = Kept();
    if (kept) return *kept;
    static NameValueLookup unkept;
    if (!GetArcadeState().Initialized) {
        unkept.Build();
        return unkept;
    }
    kept = std::make_unique<NameValueLookup>();
    kept->Build();
    return *kept;
}

void NameValueLookup::Invalidate() { Kept().reset(); }

void NameValueLookup::Build()
{
    m_pairs.clear();
    for (const char* group : {"Application", "Channel", "Arcade"}) AddGroup(group);
}

void NameValueLookup::AddGroup(const char* group)
{
    auto& files = GetNameValuePairListFiles();
    const int index = files.FindIndex(group);
    if (index < 0) return;
    const CNameValuePairList* list = files.GetOrLoad(index);
    if (!list) return;
    for (int i = 0; i < list->GetCount(); ++i) {
        const CNameValuePair* pair = list->GetPair(i);
        if (pair && !Holds(pair->m_Name)) AppendGrowing(m_pairs, pair);
    }
}

bool NameValueLookup::Holds(const CString& name) const
{
    for (const CNameValuePair* pair : m_pairs)
        if (pair->m_Name.CompareNoCase(name) == 0) return true;
    return false;
}

bool NameValueLookup::Find(const char* name, CString& value) const
{
    for (const CNameValuePair* pair : m_pairs)
        if (pair->m_Name.CompareNoCase(name ? name : "") == 0) {
            value = pair->m_Value;
            return true;
        }
    return false;
}
