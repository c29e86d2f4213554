// The schema entry of one persistent member: its name, how to reach the member, and how to reset, compare,
// copy, print, parse and transfer it. The typed descriptors are in PropertyTypes.h.
//
// Members are ordinary C++ members, built and destroyed by their classes' constructors and destructors. A
// descriptor reaches a member through an accessor function made from a pointer-to-member (Member<&C::m>()),
// which casts the holder to its class and takes the member's address; the holder of an attached property's
// value or of an array element is the storage itself (HolderValue<T>()).
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CString.h"
#include "foundation/NamedList.h"

class CObject;
class PropertyStream;
class BitStream;

// The address of a member inside its holder (an object, an attached value block or an array element).
using MemberAccess = void* (*)(void* holder);

template <typename T>
struct MemberRef {
    MemberAccess access;
};

namespace member_detail {
template <typename M>
struct Traits;
template <typename C, typename T>
struct Traits<T C::*> {
    using Class = C;
    using Type = T;
};
template <auto M>
void* Access(void* holder)
{
    using C = typename Traits<decltype(M)>::Class;
    return &(static_cast<C*>(static_cast<CObject*>(holder))->*M);
}
template <typename T>
void* Itself(void* holder)
{
    return holder;
}
}  // namespace member_detail

// A member of a class derived from CObject; the holder passed to the descriptor is the object as a CObject*.
template <auto M>
constexpr MemberRef<typename member_detail::Traits<decltype(M)>::Type> Member()
{
    return {&member_detail::Access<M>};
}

// A value that is its holder's whole storage: attached property values and array elements.
template <typename T>
constexpr MemberRef<T> HolderValue()
{
    return {&member_detail::Itself<T>};
}

// The holder argument of descriptors for an object's own members.
inline void* HolderOf(CObject* object) { return object; }
inline const void* HolderOf(const CObject* object) { return object; }

class PropertyInfo {
public:
    PropertyInfo(const char* declaredName, const char* units, MemberAccess access, int memberSize, int flags);
    virtual ~PropertyInfo() = default;
    PropertyInfo& operator=(const PropertyInfo&) = delete;

    virtual PropertyInfo* Clone() const = 0;
    virtual bool IsScalar() const { return true; }
    virtual void CopyValue(void* target, const void* source, const PropertyInfo* sourceInfo) const = 0;
    virtual bool IsEqual(const void* holder, const void* other, const PropertyInfo* otherInfo) const { return true; }
    // Build the member in raw storage (an attached value block or an array element), at its default.
    virtual void ConstructMember(void* holder) const = 0;
    // Free what the member owns and end its life in raw storage.
    virtual void DestroyMember(void* holder) const = 0;
    // Move the member from one raw slot into another (array storage), ending its life in the old slot.
    virtual void RelocateMember(void* to, void* from) const = 0;
    // Free what a member built by its class's constructor owns, leaving it empty for its C++ destructor.
    virtual void ReleaseMember(void* holder) const {}
    virtual void ResetToDefault(void* holder) const = 0;
    virtual void AfterLoad(void* holder, bool referencesDisabled) const {}
    virtual void ValueToText(const void* holder, CString& out) const = 0;
    virtual void SetFromText(void* holder, const CString& text, PropertyStream* stream) const = 0;
    virtual void ReadProperty(void* holder, const CString& nameAsWritten, const CString& text, PropertyStream* stream,
                              int lineStart) const;
    virtual bool IsSaved(const void* holder) const { return true; }
    virtual bool IsAtDefault(const void* holder) const { return false; }
    virtual void WriteName(const void* holder, PropertyStream& stream) const;
    virtual void WriteValue(const void* holder, PropertyStream& stream) const;
    virtual void WriteTagged(const void* holder, PropertyStream& stream) const;
    virtual void WriteValueRaw(const void* holder, PropertyStream& stream) const;
    virtual void WriteBinary(const void* holder, PropertyStream& stream) const = 0;
    virtual bool ReadBinary(void* holder, PropertyStream& stream) const = 0;
    virtual void WriteDeltaBits(const void* holder, BitStream& stream, const void* base) const {}
    virtual void ReadDeltaBits(void* holder, BitStream& stream) const {}
    virtual bool ClaimsName(const char* text) const { return false; }
    virtual void InitMember(void* holder) const {}
    virtual void CopyInto(const void* holder, void* target) const {}
    void* AllocValue() const;
    void FreeValue(void* block) const;

    void PropertyInfoCopy(const PropertyInfo& other);
    void SetHelpText(const char* text) { m_helpText = text; }
    void SetAlternativeName(const char* text) { m_alternativeName = text; }
    void SetListed(bool listed) { m_listed = listed; }
    void SetAttached(bool attached) { m_attached = attached; }
    void SetAlwaysSave(bool always) { m_alwaysSave = always ? 1 : 0; }

    const CString& GetName() const { return m_name; }
    const CString& GetAlternativeName() const { return m_alternativeName; }
    const CString& GetGroup() const { return m_group; }
    const CString& GetHelpText() const { return m_helpText; }
    const CString& GetDisplayName() const { return m_displayName; }
    const CString& GetUnits() const { return m_units; }
    int GetFlags() const { return m_flags; }
    int GetMemberSize() const { return m_memberSize; }
    bool IsListed() const { return m_listed; }
    bool IsAttached() const { return m_attached; }
    bool AlwaysSave() const { return m_alwaysSave != 0; }
    bool HasName(const char* name) const;  // the name or the alternative name, without regard to case

    // Attached properties keep their values in the object's dynamic property list.
    bool HasDynamicValue(const CObject* object) const;
    bool RemoveDynamicValue(CObject* object) const;
    void* FindDynamicValue(const CObject* object) const;
    void* GetOrCreateDynamicValue(CObject* object) const;

    // The tag name: the name with ' ', '?', '&' and the apostrophe replaced by '_'.
    static CString MakeSafeTagName(const CString& name);

protected:
    PropertyInfo(const PropertyInfo& other) = default;
    void* At(void* holder) const { return m_access(holder); }
    const void* At(const void* holder) const { return m_access(const_cast<void*>(holder)); }

    std::int32_t m_alwaysSave = 1;
    CString m_name;
    CString m_helpText;
    CString m_group;
    MemberAccess m_access;
    std::int32_t m_memberSize;
    CString m_displayName;
    bool m_listed = true;
    std::int32_t m_flags;
    CString m_alternativeName;
    CString m_units;
    bool m_attached = false;
};

// A list of (descriptor, argument) pairs. An owning list deletes its descriptors; descriptors put into a
// list that does not own them are kept by one process-wide owning list.
class PropertyList : public NamedList {
public:
    explicit PropertyList(bool owning) : m_owning(owning) {}
    ~PropertyList() override;

    const char* ItemNameText(int i) const override;
    int Count() const override { return static_cast<int>(m_entries.size()); }

    void Add(PropertyInfo* info, int argument);
    PropertyInfo* Get(int i) const { return m_entries[i].info; }
    int GetArgument(int i) const { return m_entries[i].argument; }
    PropertyInfo* FindByName(const char* name) const;
    int IndexOf(const PropertyInfo* info) const;

    // The process-wide owning list. It lives to the end of the process: class records and the objects of
    // static collections use its descriptors in their own destructors.
    static PropertyList& Everything();

private:
    struct Entry {
        PropertyInfo* info;
        std::int32_t argument;
    };
    std::vector<Entry> m_entries;
    bool m_owning;
};
