// The root of every persistent class: the generic operations that walk a class's property schema, and the
// dynamic property list that holds the values of properties attached to a class from outside.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/ClassRegistry.h"
#include "foundation/SmallBlockPool.h"

class PropertyStream;
class BitStream;

// The values of attached properties of one object: (descriptor, value block) pairs.
class DynamicPropertyList {
public:
    DynamicPropertyList() = default;
    ~DynamicPropertyList() { Clear(); }
    DynamicPropertyList(const DynamicPropertyList&) = delete;
    DynamicPropertyList& operator=(const DynamicPropertyList&) = delete;
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const PropertyInfo* GetInfo(int i) const { return m_entries[i].info; }
    void* GetValue(int i) const { return m_entries[i].value; }
    void* Find(const PropertyInfo* info) const;
    void* GetOrCreate(const PropertyInfo* info);
    bool Remove(const PropertyInfo* info);
    void Clear();

private:
    struct Entry {
        const PropertyInfo* info;
        void* value;
    };
    // A pool block that grows to the larger of count + 1 and 1.2 times its room.
    std::vector<Entry, PoolAllocator<Entry>> m_entries;
};

// Stores an object into a pointer only when it is of the required class; with the record of
// CClassThatCanNotBeConstructedOrDerivedFrom it never does.
class ReferenceSlot {
public:
    ReferenceSlot(CObject** slot, const ClassInfo* required) : m_slot(slot), m_required(required) {}
    ReferenceSlot& operator=(CObject* object);

private:
    CObject** m_slot;
    const ClassInfo* m_required;
};

class CObject {
public:
    static ClassInfo* GetStaticClassInfo();

    CObject();
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject();
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);
    static void* operator new[](std::size_t size);
    static void operator delete[](void* block, std::size_t size);

    virtual void PrepareCopy(const CObject* source) {}
    virtual ClassInfo* GetClassInfo() const { return GetStaticClassInfo(); }
    virtual void InitMembers();
    virtual void CopyTo(CObject* target) const;
    virtual void WriteCustomProperties(PropertyStream& stream) const {}
    virtual bool UseIndentation() const { return true; }
    virtual void ReadCustomProperties(const CString& name, const CString& value, PropertyStream& stream);
    virtual void WriteCustomTagged(PropertyStream& stream) const {}
    virtual void WriteCustomBinary(PropertyStream& stream) const {}
    virtual bool ReadCustomBinary(PropertyStream& stream) { return true; }
    virtual void WriteDelta(BitStream& stream, const CObject* base) const;
    // Reads a delta into this object, which holds the base values. False when the message is damaged (no data,
    // cut short, nested too deep, a class or count it cannot hold); what was read before stays.
    virtual bool ReadDelta(BitStream& stream);
    virtual void BeforeLoad() {}
    virtual void AfterLoad(ReferenceSlot* references) {}
    virtual void ResetToDefaults();
    virtual void CopyCommonProperties(const CObject* source);
    virtual int InstanceSize() const { return GetClassInfo()->GetInstanceSize(); }
    virtual void GetDescription(CString& out, const char* word) const;

    bool IsKindOf(const ClassInfo* record) const { return GetClassInfo()->IsDerivedFrom(record); }
    CObject* Clone(int arg1, int arg2) const;
    DynamicPropertyList* GetDynamicProperties() const { return m_dynamicProperties; }
    DynamicPropertyList* GetOrCreateDynamicProperties();

    // Text property files (PropertyFiles.cpp).
    void WriteText(PropertyStream& stream, bool withClassLine = true) const;
    bool ParseText(PropertyStream& stream, bool nested);
    bool ReadFromStream(PropertyStream& stream);
    bool LoadFromFile(const char* path, int flags);
    bool SaveToFile(const char* path, int flags) const;
    static CObject* CreateFromFile(const char* path, int flags, bool saveBack, CObject** out);
    void WriteTagged(PropertyStream& stream) const;

    // The binary form (ObjectBinary.cpp).
    void WriteBinary(PropertyStream& stream) const;
    bool ReadBinary(PropertyStream& stream);

protected:
    // Called by every class's constructor and destructor for the members that class declares.
    void ConstructOwnMembers();
    void DestroyOwnMembers();

private:
    friend void DeclareObjectClass(ClassInfo* record);
    DynamicPropertyList* m_dynamicProperties = nullptr;
};

// Attaches a property to a class and all its sub-classes; its values live in each object's dynamic list.
void AttachProperty(PropertyInfo* property, ClassInfo* record, int argument, const char* helpText);

// The class that nothing can be made of; a ReferenceSlot that requires it never accepts an object.
class CClassThatCanNotBeConstructedOrDerivedFrom : public CObject {
    DECLARE_PERSISTENT_CLASS(CClassThatCanNotBeConstructedOrDerivedFrom)
};

// The attached "Comment" property every object accepts.
PropertyInfo* CommentProperty();
