// The typed property descriptors that classes declare their members with. Each fixes how its member is reset,
// compared, printed into a property file, parsed back, written in binary and sent as delta bits.
#pragma once
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "foundation/ClassRegistry.h"
#include "foundation/PropertyInfo.h"

class DynamicPropertyList;

// The member layouts of the composite types.
struct IntPair {
    std::int32_t first = 0;
    std::int32_t second = 0;
    bool operator==(const IntPair& other) const { return first == other.first && second == other.second; }
};

// A growable array of elements built in raw storage by an element descriptor.
struct RawArray {
    void* block = nullptr;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
};

// An array of objects of one class held by value, made by the class's array factory.
struct ObjectArray {
    CObject* first = nullptr;
    std::int32_t count = 0;
    std::int32_t capacity = 0;
};

// The range-to-bits rule of integers, enums and string-table indices.
void WriteRangeBits(BitStream& stream, std::uint32_t value, std::int32_t min, std::int32_t max);
std::int32_t ReadRangeBits(BitStream& stream, std::int32_t min, std::int32_t max);
// The number of bits the rule spends on value (32 when min == max).
int RangeBitCount(std::int32_t value, std::int32_t min, std::int32_t max);

// The shared part of the descriptors of one member type T.
template <typename T, typename Derived>
class TypedPropertyInfo : public PropertyInfo {
public:
    TypedPropertyInfo(const char* name, const char* units, MemberRef<T> member, int flags)
        : PropertyInfo(name, units, member.access, sizeof(T), flags)
    {
    }
    PropertyInfo* Clone() const override { return new Derived(static_cast<const Derived&>(*this)); }
    void ConstructMember(void* holder) const override
    {
        new (At(holder)) T();
        ResetToDefault(holder);
    }
    void DestroyMember(void* holder) const override
    {
        ReleaseMember(holder);
        Ref(holder).~T();
    }
    void RelocateMember(void* to, void* from) const override
    {
        new (At(to)) T(std::move(Ref(from)));
        Ref(from).~T();
    }
    void CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const override
    {
        if (auto* from = dynamic_cast<const Derived*>(sourceInfo)) Assign(target, from->Ref(source));
    }
    void CopyInto(const void* holder, void* target) const override { Assign(target, Ref(holder)); }
    bool IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const override
    {
        auto* from = dynamic_cast<const Derived*>(otherInfo);
        return from && static_cast<const Derived*>(this)->Equal(Ref(holder), from->Ref(other));
    }
    bool Equal(const T& a, const T& b) const { return a == b; }
    virtual void Assign(void* holder, const T& value) const { Ref(holder) = value; }

    T& Ref(void* holder) const { return *static_cast<T*>(At(holder)); }
    const T& Ref(const void* holder) const { return *static_cast<const T*>(At(holder)); }

protected:
    TypedPropertyInfo(const TypedPropertyInfo&) = default;
};

// A number with a default, a range (min == max: none) and an optional setter that receives parsed values.
template <typename T, typename Derived>
class NumberPropertyInfo : public TypedPropertyInfo<T, Derived> {
public:
    using Setter = void (*)(CObject* object, T value);
    NumberPropertyInfo(const char* name, const char* units, MemberRef<T> member, T defaultValue, T min, T max,
                       Setter setter, int flags)
        : TypedPropertyInfo<T, Derived>(name, units, member, flags),
          m_min(min),
          m_max(max),
          m_default(defaultValue),
          m_setter(setter)
    {
    }
    void ResetToDefault(void* holder) const override { this->Ref(holder) = m_default; }
    bool IsAtDefault(const void* holder) const override { return this->Ref(holder) == m_default; }
    void Assign(void* holder, const T& value) const override
    {
        if (m_setter)
            m_setter(static_cast<CObject*>(holder), value);
        else
            this->Ref(holder) = value;
    }

protected:
    T m_min, m_max;
    T m_default;
    Setter m_setter;
};

// Names for some values of a number, written in place of the number.
template <typename T>
struct NamedValueList {
    struct Entry {
        CString name;
        T value;
    };
    void Add(T value, const char* name) { entries.push_back({CString(name), value}); }
    const Entry* FindValue(T value) const
    {
        for (const Entry& entry : entries)
            if (entry.value == value) return &entry;
        return nullptr;
    }
    const Entry* FindName(const CString& name) const
    {
        for (const Entry& entry : entries)
            if (entry.name.CompareNoCase(name) == 0) return &entry;
        return nullptr;
    }
    std::vector<Entry> entries;
};

// The numbers below take their settings by position or by name; the named form reads
// new IntegerPropertyInfo("Width", Member<&CFoo::m_width>(), {.defaultValue = 640, .units = "Pixels"}).
// Every form (text, binary, delta) applies the same range rule to what it reads (InRange).
class IntegerPropertyInfo : public NumberPropertyInfo<std::int32_t, IntegerPropertyInfo> {
public:
    struct Options {
        std::int32_t defaultValue = 0;
        std::int32_t min = 0;
        std::int32_t max = 0;  // min == max: no range
        Setter setter = nullptr;
        int flags = 0;
        const char* units = nullptr;
    };
    IntegerPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t defaultValue = 0,
                        std::int32_t min = 0, std::int32_t max = 0, Setter setter = nullptr, int flags = 0);
    IntegerPropertyInfo(const char* name, MemberRef<std::int32_t> member, const Options& options);
    // The same with a units text such as "Pixels".
    static IntegerPropertyInfo* IntegerPropertyInfoWithUnits(const char* name, const char* units,
                                                             MemberRef<std::int32_t> member,
                                                             std::int32_t defaultValue = 0, std::int32_t min = 0,
                                                             std::int32_t max = 0, Setter setter = nullptr,
                                                             int flags = 0);
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    // The value clamped into min..max when there is a range.
    std::int32_t InRange(std::int32_t value) const;
};

class EnumPropertyInfo : public NumberPropertyInfo<std::int32_t, EnumPropertyInfo> {
public:
    struct Options {
        std::int32_t defaultValue = 0;
        std::int32_t min = 0;
        std::int32_t max = 0;
        Setter setter = nullptr;
        int flags = 0;
    };
    // A declared min == max is kept as the range 0 .. 0xFFFFFFFF.
    EnumPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t defaultValue = 0,
                     std::int32_t min = 0, std::int32_t max = 0, Setter setter = nullptr, int flags = 0);
    EnumPropertyInfo(const char* name, MemberRef<std::int32_t> member, const Options& options);
    EnumPropertyInfo* AddNamedValue(std::int32_t value, const char* valueName);
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    bool UsesAllBits() const { return m_min == m_max || static_cast<std::uint32_t>(m_max) > 0x7FFFFFFEu; }
    // A named value as it is; any other value clamped into min..max, compared without sign.
    std::int32_t InRange(std::int32_t value) const;

private:
    NamedValueList<std::int32_t> m_namedValues;
};

class FloatPropertyInfo : public NumberPropertyInfo<float, FloatPropertyInfo> {
public:
    struct Options {
        float defaultValue = 0.0f;
        float min = 0.0f;
        float max = 0.0f;  // min == max: no range
        float scale = 1.0f;
        Setter setter = nullptr;
        int flags = 0;
        float step = 0.0f;
        const char* units = nullptr;
    };
    FloatPropertyInfo(const char* name, MemberRef<float> member, float defaultValue = 0.0f, float min = 0.0f,
                      float max = 0.0f, float scale = 1.0f, Setter setter = nullptr, int flags = 0, float step = 0.0f,
                      const char* units = nullptr);
    FloatPropertyInfo(const char* name, MemberRef<float> member, const Options& options);
    FloatPropertyInfo* AddNamedValue(float value, const char* valueName);
    float GetStep() const { return m_step; }
    float GetScale() const { return m_scale; }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    // With a range: a named value as it is, not-a-number as min, any other value clamped into min..max.
    float InRange(float value) const;

private:
    float m_scale;
    float m_step;
    NamedValueList<float> m_namedValues;
};

class BoolPropertyInfo : public TypedPropertyInfo<bool, BoolPropertyInfo> {
public:
    using Callback = void (*)(CObject* object, bool value);
    BoolPropertyInfo(const char* name, MemberRef<bool> member, bool defaultValue = false, Callback callback = nullptr,
                     int flags = 0);
    void ResetToDefault(void* holder) const override { Ref(holder) = m_default; }
    bool IsAtDefault(const void* holder) const override { return Ref(holder) == m_default; }
    bool IsSaved(const void* holder) const override { return AlwaysSave() || !IsAtDefault(holder); }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    void Assign(void* holder, const bool& value) const override;

private:
    Callback m_callback;
    bool m_default;
};

// One bit of a 32-bit member.
class FlagPropertyInfo : public TypedPropertyInfo<std::int32_t, FlagPropertyInfo> {
public:
    using Setter = void (*)(CObject* object, bool value);
    FlagPropertyInfo(const char* name, MemberRef<std::int32_t> member, std::int32_t mask, bool defaultOn = false,
                     Setter setter = nullptr, int flags = 0);
    void ResetToDefault(void* holder) const override { Set(holder, m_defaultOn); }
    bool IsAtDefault(const void* holder) const override { return Get(holder) == m_defaultOn; }
    void CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const override;
    void CopyInto(const void* holder, void* target) const override { Set(target, Get(holder)); }
    bool IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const override;
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    bool Get(const void* holder) const { return (Ref(holder) & m_mask) != 0; }
    void Set(void* holder, bool on) const;

private:
    std::int32_t m_mask;
    bool m_defaultOn;
    Setter m_setter;
};

class IntPairPropertyInfo : public TypedPropertyInfo<IntPair, IntPairPropertyInfo> {
public:
    IntPairPropertyInfo(const char* name, MemberRef<IntPair> member, IntPair defaultValue = {}, int flags = 0);
    void ResetToDefault(void* holder) const override { Ref(holder) = m_default; }
    bool IsAtDefault(const void* holder) const override { return Ref(holder) == m_default; }
    // Pairs always count as equal and send nothing in deltas.
    bool IsEqual(const void*, const void*, const PropertyInfo*) const override { return true; }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;

private:
    IntPair m_default;
};

class StringPropertyInfo : public TypedPropertyInfo<CString, StringPropertyInfo> {
public:
    StringPropertyInfo(const char* name, MemberRef<CString> member, const char* defaultText = nullptr, int flags = 0);
    void ResetToDefault(void* holder) const override { Ref(holder) = m_default; }
    bool IsAtDefault(const void* holder) const override { return Ref(holder) == m_default; }
    bool IsSaved(const void* holder) const override { return AlwaysSave() || Ref(holder).IsNotEmpty(); }
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void ValueToText(const void* holder, CString& out) const override { out = Ref(holder); }
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;

private:
    CString m_default;
};

// A text that is shown translated: the source text as written in files, and the text displayed, which is the
// source's translation (LocalizedString.h) refreshed on every change.
struct LocalizableText {
    CString source;
    CString displayed;
    bool operator==(const LocalizableText& other) const { return source == other.source; }
};

class LocalizableStringPropertyInfo : public TypedPropertyInfo<LocalizableText, LocalizableStringPropertyInfo> {
public:
    LocalizableStringPropertyInfo(const char* name, MemberRef<LocalizableText> member,
                                  const char* defaultText = nullptr, int flags = 0);
    void ResetToDefault(void* holder) const override { SetSource(holder, m_default); }
    bool IsAtDefault(const void* holder) const override { return Ref(holder).source == m_default; }
    bool IsSaved(const void* holder) const override { return AlwaysSave() || Ref(holder).source.IsNotEmpty(); }
    void Assign(void* holder, const LocalizableText& value) const override { SetSource(holder, value.source); }
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void ValueToText(const void* holder, CString& out) const override { out = Ref(holder).source; }
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    void SetSource(void* holder, const CString& source) const;

private:
    CString m_default;
};

// A heap C text owned by the member (null for none).
class CharPointerPropertyInfo : public TypedPropertyInfo<char*, CharPointerPropertyInfo> {
public:
    using Setter = void (*)(CObject* object, const char* text);
    CharPointerPropertyInfo(const char* name, MemberRef<char*> member, const char* defaultText = nullptr,
                            Setter setter = nullptr, int flags = 0);
    void ReleaseMember(void* holder) const override;
    void ResetToDefault(void* holder) const override { Assign(holder, m_default); }
    bool IsAtDefault(const void* holder) const override;
    bool Equal(char* const& a, char* const& b) const;
    void Assign(void* holder, char* const& value) const override;
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;

private:
    char* m_default;  // a static text, not owned
    Setter m_setter;
};

// The index of an item of a named list, written as the item's name.
class CollectionItemPropertyInfo : public TypedPropertyInfo<std::int32_t, CollectionItemPropertyInfo> {
public:
    using Setter = void (*)(CObject* object, std::int32_t index);
    using CollectionGetter = NamedList* (*)(const void* holder);
    CollectionItemPropertyInfo(const char* name, MemberRef<std::int32_t> member, CollectionGetter getter,
                               const char* defaultItem = nullptr, Setter setter = nullptr, int flags = 0);
    virtual NamedList* GetCollection(const void* holder) const { return m_getter(holder); }
    void ResetToDefault(void* holder) const override;
    bool IsAtDefault(const void* holder) const override;
    bool IsSaved(const void* holder) const override { return AlwaysSave() || !IsAtDefault(holder); }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;

protected:
    // The index of a named item; a name the list lacks ends the process naming the file and this property.
    int IndexOfName(const void* holder, const CString& name) const;
    int DefaultIndex(const void* holder) const;
    void Store(void* holder, std::int32_t index) const;
    const char* m_defaultItem;
    CollectionGetter m_getter;
    Setter m_setter;
};

// The same over one list fixed at declaration, with an optional filter of the items that may be chosen.
class FixedCollectionItemPropertyInfo : public CollectionItemPropertyInfo {
public:
    using Filter = bool (*)(const NamedList* list, int index);
    FixedCollectionItemPropertyInfo(const char* name, MemberRef<std::int32_t> member, NamedList* list,
                                    const char* defaultItem = nullptr, Setter setter = nullptr, Filter filter = nullptr,
                                    int flags = 0);
    PropertyInfo* Clone() const override { return new FixedCollectionItemPropertyInfo(*this); }
    NamedList* GetCollection(const void*) const override { return m_list; }
    bool AcceptsItem(int index) const { return !m_filter || m_filter(m_list, index); }

private:
    NamedList* m_list;
    Filter m_filter;
};

// An owned pointer to an object of a required class.
struct PointerAccess {
    CObject* (*get)(void* holder);
    void (*set)(void* holder, CObject* object);  // the object is of the required class
};

namespace member_detail {
template <auto M>
CObject* GetPointer(void* holder)
{
    return static_cast<typename Traits<decltype(M)>::Class*>(static_cast<CObject*>(holder))->*M;
}
template <auto M>
void SetPointer(void* holder, CObject* object)
{
    using Pointer = typename Traits<decltype(M)>::Type;
    static_cast<typename Traits<decltype(M)>::Class*>(static_cast<CObject*>(holder))->*M = static_cast<Pointer>(object);
}
}  // namespace member_detail

template <auto M>
constexpr PointerAccess PointerMember()
{
    return {&member_detail::GetPointer<M>, &member_detail::SetPointer<M>};
}
// A CObject* that is its holder's whole storage (attached values).
PointerAccess PointerHolderValue();

class ObjectPointerPropertyInfo : public PropertyInfo {
public:
    using Setter = void (*)(CObject* object, CObject* value);
    ObjectPointerPropertyInfo(const char* name, PointerAccess member, ClassInfo* required,
                              ClassInfo* defaultClass = nullptr, Setter setter = nullptr, int flags = 0);
    PropertyInfo* Clone() const override { return new ObjectPointerPropertyInfo(*this); }
    void CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const override;
    void CopyInto(const void* holder, void* target) const override;
    bool IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const override;
    void ConstructMember(void* holder) const override;
    void DestroyMember(void* holder) const override { ReleaseMember(holder); }
    void RelocateMember(void* to, void* from) const override;
    void ReleaseMember(void* holder) const override;
    void ResetToDefault(void* holder) const override;
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void ReadProperty(void* holder, const CString& nameAsWritten, const CString& text, PropertyStream* stream,
                      int lineStart) const override;
    bool IsSaved(const void* holder) const override { return AlwaysSave() || Get(holder); }
    bool IsAtDefault(const void* holder) const override { return !m_defaultClass && !Get(holder); }
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
    bool ClaimsName(const char* text) const override;

    CObject* Get(const void* holder) const { return m_access.get(const_cast<void*>(holder)); }
    // Replaces the object (deleting the old one) through the setter when there is one.
    void Replace(void* holder, CObject* object) const;
    const ClassInfo* GetRequiredClass() const { return m_required; }
    // The value of this property attached to an object: null when absent; setting deletes the old one.
    CObject* GetDynamicValue(const CObject* object) const;
    void SetDynamicValue(CObject* object, CObject* value) const;

private:
    void ReadBlock(CObject* target, PropertyStream& stream, bool nested, int lineStart) const;
    // The class of a delta's new object: the required class, or one named through the registry's string table.
    const ClassInfo* ReadSentClass(BitStream& stream) const;
    PointerAccess m_access;
    ClassInfo* m_required;
    ClassInfo* m_defaultClass;
    Setter m_setter;
};

// A growable array of elements described by an element descriptor that addresses one element slot.
class ArrayPropertyInfo : public PropertyInfo {
public:
    // The element descriptor is cloned; elementSize is its slot size. With hasCapacity the capacity field of the
    // member is used (grows to twice the count), else the block holds exactly count elements.
    ArrayPropertyInfo(const char* name, MemberRef<RawArray> member, const PropertyInfo& element, int elementSize,
                      bool hasCapacity = true, int flags = 0);
    ArrayPropertyInfo(const ArrayPropertyInfo& other);
    ~ArrayPropertyInfo() override { delete m_element; }
    PropertyInfo* Clone() const override { return new ArrayPropertyInfo(*this); }
    bool IsScalar() const override { return false; }
    void CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const override;
    void CopyInto(const void* holder, void* target) const override { CopyValue(target, holder, this); }
    bool IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const override;
    void ConstructMember(void* holder) const override { new (At(holder)) RawArray(); }
    void DestroyMember(void* holder) const override { ReleaseMember(holder); }
    void RelocateMember(void* to, void* from) const override;
    void ReleaseMember(void* holder) const override;
    void ResetToDefault(void* holder) const override { Resize(holder, 0); }
    void ValueToText(const void* holder, CString& out) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void ReadProperty(void* holder, const CString& nameAsWritten, const CString& text, PropertyStream* stream,
                      int lineStart) const override;
    bool IsSaved(const void* holder) const override { return AlwaysSave() || Array(holder).count != 0; }
    bool IsAtDefault(const void* holder) const override { return Array(holder).count == 0; }
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;

    // Resizes to count elements, removing or inserting at position (-1: the end).
    void Resize(void* holder, int count, int position = -1) const;
    void* Element(const void* holder, int i) const;
    const PropertyInfo& GetElement() const { return *m_element; }
    RawArray& Array(void* holder) const { return *static_cast<RawArray*>(At(holder)); }
    const RawArray& Array(const void* holder) const { return *static_cast<const RawArray*>(At(holder)); }

private:
    void ReadBlock(void* holder, PropertyStream& stream) const;
    PropertyInfo* m_element;
    int m_elementSize;
    bool m_hasCapacity;
};

// An array of objects of one class held by value.
class ItemArrayPropertyInfo : public TypedPropertyInfo<ObjectArray, ItemArrayPropertyInfo> {
public:
    // How a full array grows when an item is appended: to twice the new count, or by the lists' rule of
    // ArrayGrowth.h.
    enum class Growth {
        TwiceTheCount,
        ByAFifth
    };
    ItemArrayPropertyInfo(const char* name, MemberRef<ObjectArray> member, ClassInfo* itemClass, int flags = 0,
                          Growth growth = Growth::TwiceTheCount);
    bool IsScalar() const override { return false; }
    void ReleaseMember(void* holder) const override;
    void ResetToDefault(void* holder) const override { ReleaseMember(holder); }
    void Assign(void* holder, const ObjectArray& value) const override;
    // Item arrays always count as equal and send nothing in deltas.
    bool IsEqual(const void*, const void*, const PropertyInfo*) const override { return true; }
    bool Equal(const ObjectArray&, const ObjectArray&) const { return true; }
    bool IsAtDefault(const void* holder) const override { return Ref(holder).count == 0; }
    void ValueToText(const void* holder, CString& out) const override { out = "Array"; }
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;

    CObject* Item(const void* holder, int i) const;
    // Appends one default item, growing a full array by the property's rule.
    CObject* Append(void* holder) const;

private:
    void Recreate(void* holder, int count) const;
    ClassInfo* m_itemClass;
    Growth m_growth;
};

// The object's list of attached values: "Dynamic Properties".
class DynamicPropertiesPropertyInfo : public TypedPropertyInfo<DynamicPropertyList*, DynamicPropertiesPropertyInfo> {
public:
    DynamicPropertiesPropertyInfo(const char* name, MemberRef<DynamicPropertyList*> member, int flags);
    void ReleaseMember(void* holder) const override;
    void ResetToDefault(void* holder) const override { ReleaseMember(holder); }
    void Assign(void* holder, DynamicPropertyList* const& value) const override;
    bool Equal(DynamicPropertyList* const& a, DynamicPropertyList* const& b) const;
    bool IsSaved(const void* holder) const override;
    bool IsAtDefault(const void* holder) const override { return !IsSaved(holder); }
    void ValueToText(const void* holder, CString& out) const override;
    void WriteValue(const void* holder, PropertyStream& stream) const override;
    void SetFromText(void* holder, const CString& text, PropertyStream* stream) const override;
    void WriteBinary(const void* holder, PropertyStream& stream) const override;
    bool ReadBinary(void* holder, PropertyStream& stream) const override;
    void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const override;
    void ReadDeltaBits(void* holder, BitStream& stream) const override;
};
