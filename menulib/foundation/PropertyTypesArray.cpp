// Array, item array and dynamic property list descriptors.
#include <cstdlib>
#include <cstring>

#include "foundation/ArrayGrowth.h"
#include "foundation/BitStream.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"
#include "foundation/SmallBlockPool.h"

namespace {

// name=value of a line after its leading blanks; false when it has no '='.
bool SplitLine(const CString& line, CString& name, CString& value)
{
    const char* text = SkipBlanks(line.GetText());
    const char* equals = std::strchr(text, '=');
    if (!equals) return false;
    name.Assign(text, static_cast<int>(equals - text));
    value = equals + 1;
    return true;
}

// A count read from a file may not ask for more entries than the bytes the file has left.
int BoundedCount(int count, int bytesLeft) { return count < 0 ? 0 : (count > bytesLeft ? bytesLeft : count); }

// Elements that send no bits of their own (pairs, items of a one-item list) are not bounded by the bits a delta
// has left; an array may grow by this many of them in one delta.
constexpr std::int64_t kDeltaGrowthWithoutBits = 1 << 16;

// A delta's element count: every new element that sends bits needs at least one of the bits left.
bool IsPlausibleDeltaCount(std::int32_t count, int baseCount, const BitStream& stream)
{
    const std::int64_t bitsLeft = stream.BitsLeft();
    const std::int64_t growth = bitsLeft > kDeltaGrowthWithoutBits ? bitsLeft : kDeltaGrowthWithoutBits;
    return count >= 0 && count <= baseCount + growth;
}

}  // namespace

// ---- Array

ArrayPropertyInfo::ArrayPropertyInfo(const char* name, MemberRef<RawArray> member, const PropertyInfo& element,
                                     int elementSize, bool hasCapacity, int flags)
    : PropertyInfo(name, nullptr, member.access, sizeof(RawArray), flags),
      m_element(element.Clone()),
      m_elementSize(elementSize),
      m_hasCapacity(hasCapacity)
{
    m_element->SetListed(false);
}

ArrayPropertyInfo::ArrayPropertyInfo(const ArrayPropertyInfo& other)
    : PropertyInfo(other),
      m_element(other.m_element->Clone()),
      m_elementSize(other.m_elementSize),
      m_hasCapacity(other.m_hasCapacity)
{
}

void* ArrayPropertyInfo::Element(const void* holder, int i) const
{
    return static_cast<char*>(Array(holder).block) + static_cast<std::size_t>(i) * m_elementSize;
}

void ArrayPropertyInfo::Resize(void* holder, int count, int position) const
{
    RawArray& array = Array(holder);
    const int old = array.count;
    if (count < 0) count = 0;
    if (position < 0 || position > old) position = count > old ? old : count;
    const int added = count > old ? count - old : 0;
    const int removed = old > count ? old - count : 0;
    if (removed > old - position) return;  // nothing to remove past the end

    int capacity = array.capacity;
    if (!m_hasCapacity)
        capacity = count;
    else if (count > capacity)
        capacity = 2 * count;
    else if (count < capacity / 16 && capacity > 20)
        capacity = count + count / 16;

    auto slot = [&](void* block, int i) {
        return static_cast<char*>(block) + static_cast<std::size_t>(i) * m_elementSize;
    };
    for (int i = position; i < position + removed; ++i) m_element->DestroyMember(slot(array.block, i));
    void* block = array.block;
    if (capacity != array.capacity)
        block = capacity > 0 ? PoolAlloc(static_cast<std::size_t>(capacity) * m_elementSize) : nullptr;
    // Move the elements before the gap (only into a new block) and after it, then build the new ones.
    if (block != array.block)
        for (int i = 0; i < position; ++i) m_element->RelocateMember(slot(block, i), slot(array.block, i));
    if (added > 0) {
        for (int i = old - 1; i >= position; --i)
            m_element->RelocateMember(slot(block, i + added), slot(array.block, i));
    } else {
        for (int i = position + removed; i < old; ++i)
            m_element->RelocateMember(slot(block, i - removed), slot(array.block, i));
    }
    for (int i = position; i < position + added; ++i) m_element->ConstructMember(slot(block, i));
    if (block != array.block && array.block)
        PoolFree(array.block, static_cast<std::size_t>(array.capacity) * m_elementSize);
    array.block = block;
    array.count = count;
    array.capacity = capacity;
}

void ArrayPropertyInfo::RelocateMember(void* to, void* from) const { new (At(to)) RawArray(Array(from)); }

void ArrayPropertyInfo::ReleaseMember(void* holder) const
{
    Resize(holder, 0);
    RawArray& array = Array(holder);
    if (array.block) PoolFree(array.block, static_cast<std::size_t>(array.capacity) * m_elementSize);
    array = RawArray();
}

void ArrayPropertyInfo::CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const
{
    auto* from = dynamic_cast<const ArrayPropertyInfo*>(sourceInfo);
    if (!from) return;
    const int count = from->Array(source).count;
    Resize(target, 0);
    Resize(target, count);
    for (int i = 0; i < count; ++i) m_element->CopyValue(Element(target, i), from->Element(source, i), from->m_element);
}

bool ArrayPropertyInfo::IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const
{
    auto* from = dynamic_cast<const ArrayPropertyInfo*>(otherInfo);
    if (!from || Array(holder).count != from->Array(other).count) return false;
    for (int i = 0; i < Array(holder).count; ++i)
        if (!m_element->IsEqual(Element(holder, i), from->Element(other, i), from->m_element)) return false;
    return true;
}

void ArrayPropertyInfo::ValueToText(const void*, CString& out) const { out = "Array"; }

void ArrayPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    const RawArray& array = Array(holder);
    stream.WriteLine("Array");
    stream.WriteLine("{");
    stream.Indent();
    CString count;
    count.Format("Item Count=%d", array.count);
    stream.WriteLine(count);
    for (int i = 0; i < array.count; ++i) {
        m_element->WriteName(Element(holder, i), stream);
        m_element->WriteValue(Element(holder, i), stream);
    }
    stream.Unindent();
    stream.WriteLine("}");
}

void ArrayPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    ReadProperty(holder, GetName(), text, stream, stream ? stream->Tell() : 0);
}

void ArrayPropertyInfo::ReadProperty(void* holder, const CString& nameAsWritten, const CString& text,
                                     PropertyStream* stream, int lineStart) const
{
    if (!stream) {
        Resize(holder, BoundedCount(std::atoi(text.GetText()), 1 << 20));
        return;
    }
    if (!HasName(nameAsWritten.GetText()) || text.CompareNoCase("Array") != 0) {
        const int index = Array(holder).count;
        Resize(holder, index + 1);
        m_element->ReadProperty(Element(holder, index), nameAsWritten, text, stream, lineStart);
        return;
    }
    ReadBlock(holder, *stream);
}

void ArrayPropertyInfo::ReadBlock(void* holder, PropertyStream& stream) const
{
    Resize(holder, 0);
    int next = 0;
    int depth = 0;
    CString line, name, value;
    while (true) {
        const int lineStart = stream.Tell();
        if (!stream.ReadNonBlankLine(line)) return;
        const char first = SkipBlanks(line.GetText())[0];
        if (first == '{') {
            ++depth;
            continue;
        }
        if (first == '}') {
            if (--depth <= 0) return;
            continue;
        }
        if (depth != 1 || !SplitLine(line, name, value)) continue;
        if (name.CompareNoCase("Item Count") == 0 || name.CompareNoCase("Array Count") == 0) {
            Resize(holder, BoundedCount(std::atoi(value.GetText()), stream.BytesLeft()));
        } else if (m_element->HasName(name.GetText())) {
            if (next >= Array(holder).count) Resize(holder, next + 1);
            m_element->ReadProperty(Element(holder, next), name, value, &stream, lineStart);
            ++next;
        }
    }
}

void ArrayPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteInt(Array(holder).count);
    for (int i = 0; i < Array(holder).count; ++i) m_element->WriteBinary(Element(holder, i), stream);
}

bool ArrayPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    Resize(holder, 0);
    std::int32_t count;
    if (!stream.ReadInt(count) || count < 0 || count > stream.BytesLeft()) return false;
    Resize(holder, count);
    for (int i = 0; i < count; ++i)
        if (!m_element->ReadBinary(Element(holder, i), stream)) return false;
    return true;
}

void ArrayPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const
{
    const int count = Array(holder).count;
    const int baseCount = base ? Array(base).count : 0;
    stream.WriteBit(count == baseCount);
    if (count != baseCount) stream.WriteInt(count);
    for (int i = 0; i < count; ++i) {
        if (i < baseCount) {
            const bool equal = m_element->IsEqual(Element(holder, i), Element(base, i), m_element);
            stream.WriteBit(equal);
            if (!equal) m_element->WriteDeltaBits(Element(holder, i), stream, Element(base, i));
        } else {
            m_element->WriteDeltaBits(Element(holder, i), stream, nullptr);
        }
    }
}

void ArrayPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const int baseCount = Array(holder).count;
    std::int32_t count = baseCount;
    const bool sameCount = stream.ReadBit();
    if (!sameCount && stream.ReadInt(count) && !IsPlausibleDeltaCount(count, baseCount, stream)) stream.SetDamaged();
    if (stream.IsDamaged()) return;
    Resize(holder, count);
    for (int i = 0; i < count && !stream.IsDamaged(); ++i) {
        const bool equal = i < baseCount && stream.ReadBit();
        if (!equal && !stream.IsDamaged()) m_element->ReadDeltaBits(Element(holder, i), stream);
    }
}

// ---- ItemArray

ItemArrayPropertyInfo::ItemArrayPropertyInfo(const char* name, MemberRef<ObjectArray> member, ClassInfo* itemClass,
                                             int flags, Growth growth)
    : TypedPropertyInfo(name, nullptr, member, flags), m_itemClass(itemClass), m_growth(growth)
{
}

CObject* ItemArrayPropertyInfo::Item(const void* holder, int i) const
{
    return m_itemClass->ArrayElement(Ref(holder).first, i);
}

void ItemArrayPropertyInfo::ReleaseMember(void* holder) const
{
    m_itemClass->DestroyArray(Ref(holder).first);
    Ref(holder) = ObjectArray();
}

void ItemArrayPropertyInfo::Recreate(void* holder, int count) const
{
    ReleaseMember(holder);
    ObjectArray& array = Ref(holder);
    array.first = count > 0 ? m_itemClass->CreateArray(0, -1, count) : nullptr;
    array.count = array.first ? count : 0;
    array.capacity = array.count;
}

CObject* ItemArrayPropertyInfo::Append(void* holder) const
{
    ObjectArray& array = Ref(holder);
    if (array.count + 1 > array.capacity) {
        const int needed = array.count + 1;
        const int capacity = m_growth == Growth::TwiceTheCount
                                 ? 2 * needed
                                 : static_cast<int>(GrownCapacity(static_cast<std::uint32_t>(needed),
                                                                  static_cast<std::uint32_t>(array.capacity)));
        CObject* first = m_itemClass->CreateArray(0, -1, capacity);
        if (!first) return nullptr;
        for (int i = 0; i < array.count; ++i) Item(holder, i)->CopyTo(m_itemClass->ArrayElement(first, i));
        m_itemClass->DestroyArray(array.first);
        array.first = first;
        array.capacity = capacity;
    }
    return Item(holder, array.count++);
}

void ItemArrayPropertyInfo::Assign(void* holder, const ObjectArray& value) const
{
    Recreate(holder, value.count);
    for (int i = 0; i < Ref(holder).count; ++i) m_itemClass->ArrayElement(value.first, i)->CopyTo(Item(holder, i));
}

void ItemArrayPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    stream.WriteLine("Array");
    stream.WriteLine("{");
    stream.Indent();
    CString count;
    count.Format("Array Count=%u", static_cast<unsigned>(Ref(holder).count));
    stream.WriteLine(count);
    for (int i = 0; i < Ref(holder).count; ++i) {
        stream.WriteText("Array Item=");
        Item(holder, i)->WriteText(stream, true);
    }
    stream.Unindent();
    stream.WriteLine("}");
}

void ItemArrayPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    Recreate(holder, 0);
    // Only the value "Array" is followed by a block.
    if (!stream || text.CompareNoCase("Array") != 0) return;
    int filled = 0;
    bool counted = false;
    int depth = 0;
    CString line, name, value;
    while (stream->ReadNonBlankLine(line)) {
        const char* text = SkipBlanks(line.GetText());
        if (text[0] == '{') {
            ++depth;
            continue;
        }
        if (text[0] == '}') {
            if (--depth <= 0) return;
            continue;
        }
        if (!SplitLine(line, name, value)) continue;
        if (name.CompareNoCase("Array Count") == 0 || name.CompareNoCase("Item Count") == 0) {
            const int count = BoundedCount(std::atoi(value.GetText()), stream->BytesLeft());
            if (count != Ref(holder).count || count != Ref(holder).capacity) Recreate(holder, count);
            counted = true;
            filled = 0;
        } else if (name.CompareNoCase("Array Item") == 0) {
            CObject* item = counted && filled < Ref(holder).count ? Item(holder, filled) : Append(holder);
            ++filled;
            if (!item) return;
            item->BeforeLoad();
            item->ResetToDefaults();
            item->ParseText(*stream, false);
        }
    }
}

void ItemArrayPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    stream.WriteInt(Ref(holder).count);
    for (int i = 0; i < Ref(holder).count; ++i) Item(holder, i)->WriteBinary(stream);
}

bool ItemArrayPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    std::int32_t count;
    // Every item takes at least its 8-byte marker and version.
    if (!stream.ReadInt(count) || count < 0 || count > stream.BytesLeft() / 8) return false;
    Recreate(holder, count);
    for (int i = 0; i < Ref(holder).count; ++i)
        if (!Item(holder, i)->ReadBinary(stream)) return false;
    return Ref(holder).count == count;
}

// ---- DynamicProperties

DynamicPropertiesPropertyInfo::DynamicPropertiesPropertyInfo(const char* name, MemberRef<DynamicPropertyList*> member,
                                                             int flags)
    : TypedPropertyInfo(name, nullptr, member, flags)
{
}

void DynamicPropertiesPropertyInfo::ReleaseMember(void* holder) const
{
    delete Ref(holder);
    Ref(holder) = nullptr;
}

bool DynamicPropertiesPropertyInfo::Equal(DynamicPropertyList* const& a, DynamicPropertyList* const& b) const
{
    const int count = a ? a->Count() : 0;
    if (count != (b ? b->Count() : 0)) return false;
    for (int i = 0; i < count; ++i) {
        const PropertyInfo* info = a->GetInfo(i);
        const void* other = b->Find(info);
        if (!other || !info->IsEqual(a->GetValue(i), other, info)) return false;
    }
    return true;
}

void DynamicPropertiesPropertyInfo::Assign(void* holder, DynamicPropertyList* const& value) const
{
    if (value == Ref(holder)) return;
    ReleaseMember(holder);
    if (!value || value->Count() == 0) return;
    auto* list = new DynamicPropertyList;
    for (int i = 0; i < value->Count(); ++i)
        value->GetInfo(i)->CopyInto(value->GetValue(i), list->GetOrCreate(value->GetInfo(i)));
    Ref(holder) = list;
}

bool DynamicPropertiesPropertyInfo::IsSaved(const void* holder) const
{
    return Ref(holder) && Ref(holder)->Count() > 0;
}

void DynamicPropertiesPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    out.Format("%d", Ref(holder) ? Ref(holder)->Count() : 0);
}

void DynamicPropertiesPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    CString count;
    ValueToText(holder, count);
    stream.WriteLine(count);
    const DynamicPropertyList* list = Ref(holder);
    if (!list || list->Count() == 0) return;
    stream.WriteLine("{");
    stream.Indent();
    for (int i = 0; i < list->Count(); ++i) {
        list->GetInfo(i)->WriteName(list->GetValue(i), stream);
        list->GetInfo(i)->WriteValue(list->GetValue(i), stream);
    }
    stream.Unindent();
    stream.WriteLine("}");
}

void DynamicPropertiesPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    ReleaseMember(holder);
    if (std::atoi(text.GetText()) == 0 || !stream) return;
    CObject* object = static_cast<CObject*>(holder);
    const PropertyList& attached = object->GetClassInfo()->GetAttachedProperties();
    CString line, name, value;
    while (stream->ReadNonBlankLine(line)) {
        const char first = SkipBlanks(line.GetText())[0];
        if (first == '}') return;
        if (!SplitLine(line, name, value)) continue;
        if (const PropertyInfo* info = attached.FindByName(name.GetText()))
            info->SetFromText(info->GetOrCreateDynamicValue(object), value, stream);
        else
            object->ReadCustomProperties(name, value, *stream);
    }
}

void DynamicPropertiesPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    const DynamicPropertyList* list = Ref(holder);
    stream.WriteInt(list ? list->Count() : 0);
    for (int i = 0; list && i < list->Count(); ++i) {
        stream.WriteString(list->GetInfo(i)->GetName().GetText());
        list->GetInfo(i)->WriteBinary(list->GetValue(i), stream);
    }
}

bool DynamicPropertiesPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    ReleaseMember(holder);
    std::int32_t count;
    if (!stream.ReadInt(count) || count < 0 || count > stream.BytesLeft()) return false;
    CObject* object = static_cast<CObject*>(holder);
    const PropertyList& attached = object->GetClassInfo()->GetAttachedProperties();
    CString name;
    for (int i = 0; i < count; ++i) {
        if (!stream.ReadString(name)) return false;
        const PropertyInfo* info = attached.FindByName(name.GetText());
        if (!info || !info->ReadBinary(info->GetOrCreateDynamicValue(object), stream)) return false;
    }
    return true;
}

void DynamicPropertiesPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void*) const
{
    const DynamicPropertyList* list = Ref(holder);
    const bool present = list && list->Count() > 0;
    stream.WriteBit(present);
    if (!present) return;
    stream.WriteInt(list->Count());
    for (int i = 0; i < list->Count(); ++i) {
        stream.WriteString(list->GetInfo(i)->GetName().GetText());
        list->GetInfo(i)->WriteDeltaBits(list->GetValue(i), stream, nullptr);
    }
}

void DynamicPropertiesPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const bool present = stream.ReadBit();
    if (stream.IsDamaged()) return;
    ReleaseMember(holder);
    std::int32_t count = 0;
    // Every entry sends at least its name's terminating zero.
    if (present && stream.ReadInt(count) && (count < 0 || count > stream.BytesLeft())) stream.SetDamaged();
    CObject* object = static_cast<CObject*>(holder);
    const PropertyList& attached = object->GetClassInfo()->GetAttachedProperties();
    CString name;
    for (int i = 0; i < count && !stream.IsDamaged(); ++i) {
        const PropertyInfo* info = stream.ReadString(name) ? attached.FindByName(name.GetText()) : nullptr;
        if (info)
            info->ReadDeltaBits(info->GetOrCreateDynamicValue(object), stream);
        else
            stream.SetDamaged();
    }
}
