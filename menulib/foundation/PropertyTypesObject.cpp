// The owned object pointer descriptor: a class-name line and the object's block in text, the class name and
// the object's binary form in binary, and the inline form whose lines belong to the pointed object.
#include <strings.h>

#include "foundation/BitStream.h"
#include "foundation/FatalMessage.h"
#include "foundation/Object.h"
#include "foundation/PropertyStream.h"
#include "foundation/PropertyTypes.h"

namespace {
CObject* GetHeldPointer(void* holder) { return *static_cast<CObject**>(holder); }
void SetHeldPointer(void* holder, CObject* object) { *static_cast<CObject**>(holder) = object; }

// Skips the brace block that may follow the current line; without one the stream goes back.
void SkipBlock(PropertyStream& stream)
{
    const int position = stream.Tell();
    CString line;
    if (!stream.ReadNonBlankLine(line) || SkipBlanks(line.GetText())[0] != '{') {
        stream.Seek(position);
        return;
    }
    SkipRestOfBlock(stream);
}
}  // namespace

PointerAccess PointerHolderValue() { return {&GetHeldPointer, &SetHeldPointer}; }

ObjectPointerPropertyInfo::ObjectPointerPropertyInfo(const char* name, PointerAccess member, ClassInfo* required,
                                                     ClassInfo* defaultClass, Setter setter, int flags)
    : PropertyInfo(name, nullptr, nullptr, sizeof(CObject*), flags),
      m_access(member),
      m_required(required),
      m_defaultClass(defaultClass),
      m_setter(setter)
{
}

void ObjectPointerPropertyInfo::Replace(void* holder, CObject* object) const
{
    CObject* old = Get(holder);
    if (old != object) delete old;
    if (m_setter && m_access.get != &GetHeldPointer)
        m_setter(static_cast<CObject*>(holder), object);
    else
        m_access.set(holder, object);
}

void ObjectPointerPropertyInfo::ConstructMember(void* holder) const
{
    new (holder) CObject*(nullptr);
    ResetToDefault(holder);
}

void ObjectPointerPropertyInfo::RelocateMember(void* to, void* from) const { new (to) CObject*(GetHeldPointer(from)); }

void ObjectPointerPropertyInfo::ReleaseMember(void* holder) const
{
    delete Get(holder);
    m_access.set(holder, nullptr);
}

void ObjectPointerPropertyInfo::ResetToDefault(void* holder) const
{
    CObject* object = nullptr;
    if (m_defaultClass) {
        object = m_defaultClass->CreateInstance(0, -1);
        if (object) object->ResetToDefaults();
    }
    Replace(holder, object);
}

void ObjectPointerPropertyInfo::CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const
{
    auto* from = dynamic_cast<const ObjectPointerPropertyInfo*>(sourceInfo);
    if (!from) return;
    const CObject* object = from->Get(source);
    Replace(target, object ? object->Clone(0, -1) : nullptr);
}

void ObjectPointerPropertyInfo::CopyInto(const void* holder, void* target) const { CopyValue(target, holder, this); }

bool ObjectPointerPropertyInfo::IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const
{
    auto* from = dynamic_cast<const ObjectPointerPropertyInfo*>(otherInfo);
    if (!from) return false;
    const CObject* a = Get(holder);
    const CObject* b = from->Get(other);
    if (!a || !b) return a == b;
    const ClassInfo* record = a->GetClassInfo();
    if (record != b->GetClassInfo()) return false;
    for (int i = 0; i < record->Count(); ++i) {
        const PropertyInfo* property = record->GetProperty(i);
        if (!property->IsEqual(HolderOf(a), HolderOf(b), property)) return false;
    }
    return true;
}

void ObjectPointerPropertyInfo::ValueToText(const void* holder, CString& out) const
{
    const CObject* object = Get(holder);
    out = object ? object->GetClassInfo()->GetName() : "";
}

void ObjectPointerPropertyInfo::WriteValue(const void* holder, PropertyStream& stream) const
{
    const CObject* object = Get(holder);
    if (object)
        object->WriteText(stream, true);
    else
        stream.WriteLine("");
}

void ObjectPointerPropertyInfo::SetFromText(void* holder, const CString& text, PropertyStream* stream) const
{
    ReadProperty(holder, GetName(), text, stream, stream ? stream->Tell() : 0);
}

bool ObjectPointerPropertyInfo::ClaimsName(const char* text) const
{
    return m_required && m_required->Count() >= 2 && ::strcasecmp(m_required->ItemNameText(1), text) == 0;
}

void ObjectPointerPropertyInfo::ReadBlock(CObject* target, PropertyStream& stream, bool nested, int lineStart) const
{
    target->BeforeLoad();
    target->ResetToDefaults();
    CString referrer(LastFileOpened());
    referrer.Append(":");
    referrer.Append(GetName());
    {
        LastFileOpenedScope scope(referrer);
        if (nested) stream.Seek(lineStart);
        target->ParseText(stream, nested);
    }
}

void ObjectPointerPropertyInfo::ReadProperty(void* holder, const CString& nameAsWritten, const CString& text,
                                             PropertyStream* stream, int lineStart) const
{
    if (!HasName(nameAsWritten.GetText())) {
        // The inline form: the line belongs to the pointed object.
        CObject* object = Get(holder);
        if (!object && m_required) {
            object = m_required->CreateInstance(0, -1);
            if (object) object->ResetToDefaults();
            Replace(holder, object);
        }
        if (object && stream) {
            ReadBlock(object, *stream, true, lineStart);
            AfterLoad(holder, stream->ReferencesDisabled());
        }
        return;
    }
    if (text.IsEmpty()) {
        Replace(holder, nullptr);
        return;
    }
    CObject* object = Get(holder);
    if (!object || text.CompareNoCase(object->GetClassInfo()->GetName()) != 0) {
        Replace(holder, nullptr);
        const ClassInfo* record = ClassRegistry::Instance().Find(text.GetText());
        const char* required = m_required ? m_required->GetName() : "";
        const char* file = LastFileOpened().GetText();
        if (!record)
            FatalMessageAndExitF("Invalid class type",
                                 "Tried to use an unknown class \"%s\" for a \"%s\" (%s). Last file opened = \"%s\"",
                                 text.GetText(), GetName().GetText(), required, file);
        if (!record->IsDerivedFrom(m_required))
            FatalMessageAndExitF("Invalid class type",
                                 "Tried to use a %s for a %s when a %s is expected. Last file opened = \"%s\"",
                                 text.GetText(), GetName().GetText(), required, file);
        if (record->IsAbstract())
            FatalMessageAndExitF("Invalid class type",
                                 "Tried to use the abstract class \"%s\" for a \"%s\" (%s). Last file opened = \"%s\"",
                                 text.GetText(), GetName().GetText(), required, file);
        object = ClassRegistry::Instance().CreateObject(text.GetText(), 0, -1);
        if (!object) {
            if (stream) SkipBlock(*stream);
            return;
        }
        Replace(holder, object);
    }
    if (!stream) return;
    ReadBlock(object, *stream, false, lineStart);
    AfterLoad(holder, stream->ReferencesDisabled());
}

void ObjectPointerPropertyInfo::WriteBinary(const void* holder, PropertyStream& stream) const
{
    const CObject* object = Get(holder);
    stream.WriteString(object ? object->GetClassInfo()->GetName() : "");
    if (object) object->WriteBinary(stream);
}

bool ObjectPointerPropertyInfo::ReadBinary(void* holder, PropertyStream& stream) const
{
    CString name;
    if (!stream.ReadString(name)) return false;
    if (name.IsEmpty()) {
        Replace(holder, nullptr);
        return true;
    }
    CObject* object = Get(holder);
    if (!object || name.CompareNoCase(object->GetClassInfo()->GetName()) != 0) {
        // Data that names a class this member cannot hold is damaged: the read fails.
        const ClassInfo* record = ClassRegistry::Instance().Find(name.GetText());
        if (!record || record->IsAbstract() || !record->IsDerivedFrom(m_required)) return false;
        object = record->CreateInstance(0, -1);
        Replace(holder, object);
        if (!object) return false;
    }
    return object->ReadBinary(stream);
}

void ObjectPointerPropertyInfo::WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const
{
    const CObject* object = Get(holder);
    stream.WriteBit(object != nullptr);
    if (!object) return;
    const CObject* baseObject = base ? Get(base) : nullptr;
    const bool sameClass = baseObject && baseObject->GetClassInfo() == object->GetClassInfo();
    stream.WriteBit(sameClass);
    if (!sameClass) {
        const bool required = object->GetClassInfo() == m_required;
        stream.WriteBit(required);
        if (!required)
            stream.WriteIndexedString(ClassRegistry::Instance().IndexOf(object->GetClassInfo()),
                                      ClassRegistry::Instance());
    }
    object->WriteDelta(stream, sameClass ? baseObject : nullptr);
}

const ClassInfo* ObjectPointerPropertyInfo::ReadSentClass(BitStream& stream) const
{
    if (stream.ReadBit()) return m_required;
    ClassRegistry& registry = ClassRegistry::Instance();
    const int index = stream.ReadIndexedString(registry);
    return index < registry.Count() ? registry.Get(index) : nullptr;
}

void ObjectPointerPropertyInfo::ReadDeltaBits(void* holder, BitStream& stream) const
{
    const bool present = stream.ReadBit();
    const bool sameClass = present && stream.ReadBit();
    if (stream.IsDamaged()) return;
    if (!present) return Replace(holder, nullptr);
    CObject* object = Get(holder);
    if (!sameClass) {
        const ClassInfo* record = ReadSentClass(stream);
        const bool usable = record && !stream.IsDamaged() && record->IsDerivedFrom(m_required);
        object = usable ? record->CreateInstance(0, -1) : nullptr;
        if (object) Replace(holder, object);
    }
    // A class this member cannot hold, or a base object the receiver lacks: the bits that follow cannot be read.
    if (!object) return stream.SetDamaged();
    // The object holds the base's values (or its defaults when it was just made).
    object->ReadDelta(stream);
}

CObject* ObjectPointerPropertyInfo::GetDynamicValue(const CObject* object) const
{
    void* value = FindDynamicValue(object);
    return value ? GetHeldPointer(value) : nullptr;
}

void ObjectPointerPropertyInfo::SetDynamicValue(CObject* object, CObject* value) const
{
    Replace(GetOrCreateDynamicValue(object), value);
}
