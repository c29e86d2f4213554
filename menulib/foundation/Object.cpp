#include "foundation/Object.h"

#include <algorithm>
#include <cstring>

#include "foundation/BitStream.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"
#include "foundation/SmallBlockPool.h"

// ---- the class records of the root classes

void DeclareObjectClass(ClassInfo* record)
{
    record->AddProperty(
        new DynamicPropertiesPropertyInfo("Dynamic Properties", Member<&CObject::m_dynamicProperties>(), 1));
}

ClassInfo* CObject::GetStaticClassInfo()
{
    static ClassInfo* record = nullptr;
    if (!record)
        new ClassInfo(&record, "CObject", 0.0f, kNoParentClass, sizeof(CObject), true, nullptr, nullptr,
                      DeclareObjectClass);
    return record;
}

static ClassRegistrar CObject_registrar(CObject::GetStaticClassInfo());

IMPLEMENT_ABSTRACT_CLASS(CClassThatCanNotBeConstructedOrDerivedFrom, CObject, 0.0f, nullptr)

PropertyInfo* CommentProperty()
{
    static PropertyInfo* comment = new StringPropertyInfo("Comment", HolderValue<CString>(), nullptr, 1);
    return comment;
}

namespace {
const bool g_commentAttached = (AttachProperty(CommentProperty(), CObject::GetStaticClassInfo(), 0, nullptr), true);
}  // namespace

void AttachProperty(PropertyInfo* property, ClassInfo* record, int argument, const char* helpText)
{
    property->SetAttached(true);
    if (helpText) property->SetHelpText(helpText);
    record->AttachProperty(property, argument);
}

// ---- DynamicPropertyList

void* DynamicPropertyList::operator new(std::size_t size) { return PoolAlloc(size); }
void DynamicPropertyList::operator delete(void* block, std::size_t size) { PoolFree(block, size); }

void* DynamicPropertyList::Find(const PropertyInfo* info) const
{
    for (const Entry& entry : m_entries)
        if (entry.info == info) return entry.value;
    return nullptr;
}

void* DynamicPropertyList::GetOrCreate(const PropertyInfo* info)
{
    if (void* value = Find(info)) return value;
    if (m_entries.size() == m_entries.capacity())
        m_entries.reserve(std::max(m_entries.size() + 1, m_entries.capacity() * 6 / 5));
    void* value = info->AllocValue();
    info->ConstructMember(value);
    m_entries.push_back({info, value});
    return value;
}

bool DynamicPropertyList::Remove(const PropertyInfo* info)
{
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.info == info; });
    if (entry == m_entries.end()) return false;
    info->DestroyMember(entry->value);
    info->FreeValue(entry->value);
    m_entries.erase(entry);
    return true;
}

void DynamicPropertyList::Clear()
{
    while (!m_entries.empty()) Remove(m_entries.back().info);
}

// ---- ReferenceSlot

ReferenceSlot& ReferenceSlot::operator=(CObject* object)
{
    *m_slot = object && m_required && object->IsKindOf(m_required) ? object : nullptr;
    return *this;
}

// ---- CObject

namespace {
// Reads a class-name line (it begins with 'C' and holds no '=') and the brace block after it; false when the
// lines are not that.
bool SkipClassBlock(PropertyStream& stream)
{
    CString line;
    if (!stream.ReadLine(line)) return false;
    const char* text = SkipBlanks(line.GetText());
    if (text[0] != 'C' || std::strchr(text, '=')) return false;
    if (!stream.ReadLine(line) || SkipBlanks(line.GetText())[0] != '{') return false;
    SkipRestOfBlock(stream);
    return true;
}
}  // namespace

CObject::CObject() { ConstructOwnMembers(); }

CObject::~CObject() { DestroyOwnMembers(); }

void* CObject::operator new(std::size_t size) { return PoolAlloc(size); }
void CObject::operator delete(void* block, std::size_t size) { PoolFree(block, size); }
void* CObject::operator new[](std::size_t size) { return PoolAlloc(size); }
void CObject::operator delete[](void* block, std::size_t size) { PoolFree(block, size); }

void CObject::ConstructOwnMembers()
{
    const ClassInfo* record = GetClassInfo();
    for (int i = record->GetParentPropertyCount(); i < record->Count(); ++i)
        record->GetProperty(i)->ResetToDefault(HolderOf(this));
}

void CObject::DestroyOwnMembers()
{
    const ClassInfo* record = GetClassInfo();
    for (int i = record->GetParentPropertyCount(); i < record->Count(); ++i)
        record->GetProperty(i)->ReleaseMember(HolderOf(this));
}

DynamicPropertyList* CObject::GetOrCreateDynamicProperties()
{
    if (!m_dynamicProperties) m_dynamicProperties = new DynamicPropertyList;
    return m_dynamicProperties;
}

void CObject::InitMembers()
{
    const ClassInfo* record = GetClassInfo();
    for (int i = 0; i < record->Count(); ++i) record->GetProperty(i)->InitMember(HolderOf(this));
}

void CObject::CopyTo(CObject* target) const
{
    target->PrepareCopy(this);
    const ClassInfo* record = GetClassInfo();
    for (int i = 0; i < record->Count(); ++i) record->GetProperty(i)->CopyInto(HolderOf(this), HolderOf(target));
}

void CObject::ResetToDefaults()
{
    const ClassInfo* record = GetClassInfo();
    for (int i = 0; i < record->Count(); ++i) record->GetProperty(i)->ResetToDefault(HolderOf(this));
}

CObject* CObject::Clone(int arg1, int arg2) const
{
    CObject* copy = GetClassInfo()->CreateInstance(arg1, arg2);
    if (copy) copy->CopyCommonProperties(this);
    return copy;
}

void CObject::ReadCustomProperties(const CString& name, const CString& value, PropertyStream& stream)
{
    const PropertyInfo* attached = GetClassInfo()->GetAttachedProperties().FindByName(name.GetText());
    if (attached && value.IsNotEmpty() && value.Compare("0") != 0) {
        attached->SetFromText(attached->GetOrCreateDynamicValue(this), value, &stream);
        return;
    }
    // Skip what may belong to the line: a class-name line and its brace block.
    const int position = stream.Tell();
    if (!SkipClassBlock(stream)) stream.Seek(position);
}

void CObject::CopyCommonProperties(const CObject* source)
{
    const ClassInfo* mine = GetClassInfo();
    const ClassInfo* common = source->GetClassInfo();
    while (common && !IsKindOf(common) && !common->IsDerivedFrom(mine)) common = common->GetParent();
    if (!common) return;
    const ClassInfo* theirs = source->GetClassInfo();
    const int shared = common->Count() < mine->Count() ? common->Count() : mine->Count();
    for (int i = 0; i < shared; ++i)
        mine->GetProperty(i)->CopyValue(HolderOf(this), HolderOf(source), theirs->GetProperty(i));
    for (int i = shared; i < mine->Count(); ++i) mine->GetProperty(i)->ResetToDefault(HolderOf(this));
}

void CObject::WriteDelta(BitStream& stream, const CObject* base) const
{
    const ClassInfo* record = GetClassInfo();
    for (int i = 0; i < record->Count(); ++i) {
        const PropertyInfo* property = record->GetProperty(i);
        const bool equal = base && property->IsEqual(HolderOf(this), HolderOf(base), property);
        stream.WriteBit(equal);
        if (!equal) property->WriteDeltaBits(HolderOf(this), stream, base ? HolderOf(base) : nullptr);
    }
}

bool CObject::ReadDelta(BitStream& stream)
{
    // Every object sends at least one bit, and peers may send anything: an empty message or a chain of objects
    // deeper than any stack could follow is refused before it is read.
    const ObjectNesting nesting;
    if (nesting.TooDeep() || stream.BitsLeft() == 0) stream.SetDamaged();
    const ClassInfo* record = GetClassInfo();
    for (int i = 0; i < record->Count() && !stream.IsDamaged(); ++i) {
        const bool equal = stream.ReadBit();
        if (!equal && !stream.IsDamaged()) record->GetProperty(i)->ReadDeltaBits(HolderOf(this), stream);
    }
    return !stream.IsDamaged();
}

void CObject::GetDescription(CString& out, const char* word) const
{
    const ClassInfo* record = GetClassInfo();
    out = record->GetDisplayName();
    if (word && *word && out.Compare(word) != 0) {
        const int length = static_cast<int>(std::strlen(word));
        if (out.GetLength() >= length && out.Mid(out.GetLength() - length).CompareNoCase(word) == 0)
            out.Delete(out.GetLength() - length, length);
        else if (const int at = out.Find(word); at >= 0)
            out.Delete(at, length);
    }
    out.Append(" ");
    int described = 0;
    for (int i = 0; i < record->Count() && described < 2; ++i) {
        const PropertyInfo* property = record->GetProperty(i);
        if (property->GetFlags() == 0) continue;
        CString value;
        property->ValueToText(HolderOf(this), value);
        out.Append(value);
        out.Append(" ");
        ++described;
    }
}
