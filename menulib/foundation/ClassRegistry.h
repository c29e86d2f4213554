// The run-time record of each persistent class, the registry that finds classes by name and creates their
// objects, and the static registrar that adds a class at library load.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/NamedList.h"
#include "foundation/PropertyInfo.h"

class CObject;
class ClassInfo;

using ClassFactory = CObject* (*)(int arg1, int arg2);
// The array factory of a class: makes, reaches and destroys arrays of its objects held by value.
struct ClassArrayFactory {
    CObject* (*create)(int count);
    void (*destroy)(CObject* first);
    CObject* (*element)(CObject* first, int i);
};
using ClassDeclaration = void (*)(ClassInfo* record);

// The parent argument that means "no parent" (only the root class uses it).
inline ClassInfo* const kNoParentClass = reinterpret_cast<ClassInfo*>(static_cast<std::intptr_t>(-1));

class ClassInfo : public NamedList {
public:
    // parent null means the record of CObject. The record is stored into *slot before the schema is built,
    // so that the declaration can reach it through the class's getter.
    ClassInfo(ClassInfo** slot, const char* name, float version, ClassInfo* parent, int size, bool abstract,
              ClassFactory factory, const ClassArrayFactory* arrayFactory, ClassDeclaration declaration);
    ~ClassInfo() override = default;

    const char* ItemNameText(int i) const override;
    void GetItemName(CString& out, int i) const override;
    int Count() const override { return static_cast<int>(m_properties.size()); }
    virtual CObject* CreateInstance(int arg1, int arg2) const;
    virtual CObject* CreateArray(int arg1, int arg2, int count) const;
    void DestroyArray(CObject* first) const;
    CObject* ArrayElement(CObject* first, int i) const;

    int AddProperty(PropertyInfo* property);  // the record takes the property over
    PropertyInfo* GetLastProperty() const { return m_properties.empty() ? nullptr : m_properties.back().get(); }
    PropertyInfo* GetProperty(int i) const { return m_properties[i].get(); }
    PropertyInfo* FindProperty(const char* name, int* index = nullptr) const;
    PropertyInfo* FindPropertyByClaim(const char* text) const;
    bool IsDerivedFrom(const ClassInfo* ancestor) const;
    CString GetDisplayName() const;
    void AddSubclass(ClassInfo* sub);
    void AttachProperty(PropertyInfo* property, int argument);
    void SetDescription(const char* text) { m_description = text; }

    const char* GetName() const { return m_name; }
    float GetVersion() const { return m_version; }
    ClassInfo* GetParent() const { return m_parent; }
    int GetParentPropertyCount() const { return m_parentPropertyCount; }
    int GetInstanceSize() const { return m_instanceSize; }
    bool IsAbstract() const { return m_abstract; }
    const CString& GetDescription() const { return m_description; }
    const CString& GetCategory() const { return m_category; }
    const CString& GetPath() const { return m_path; }
    const PropertyList& GetAttachedProperties() const { return m_attached; }
    const std::vector<ClassInfo*>& GetSubclasses() const { return m_subclasses; }
    void* GetModule() const { return m_module; }
    void SetModule(void* module) { m_module = module; }

private:
    std::vector<std::unique_ptr<PropertyInfo>> m_properties;  // clones of the parent's, then the class's own
    const char* m_name;
    float m_version;
    CString m_description;
    CString m_category;
    CString m_path;
    void* m_module = nullptr;
    ClassInfo* m_parent = nullptr;
    std::vector<ClassInfo*> m_subclasses;
    PropertyList m_attached{false};
    std::int32_t m_parentPropertyCount = 0;
    bool m_abstract;
    std::int32_t m_instanceSize;
    ClassFactory m_factory;
    const ClassArrayFactory* m_arrayFactory;
};

class ClassRegistry : public NamedList {
public:
    static ClassRegistry& Instance();

    const char* ItemNameText(int i) const override;
    int Count() const override { return static_cast<int>(m_records.size()); }
    void RemoveAt(int i) override;

    bool Add(ClassInfo* record, void* module);
    ClassInfo* Find(const char* name, int* index = nullptr) const;
    CObject* CreateObject(const char* name, int arg1, int arg2) const;
    int IndexOf(const ClassInfo* record) const;
    ClassInfo* Get(int i) const { return m_records[i]; }
    void SetSorted(bool sorted) { m_sorted = sorted; }

private:
    ClassRegistry() = default;
    ~ClassRegistry() override;  // deletes the records it holds
    int FindExact(const char* name) const;

    std::vector<ClassInfo*> m_records;
};

// A static object per class: adds the class to the registry at library load.
class ClassRegistrar {
public:
    explicit ClassRegistrar(ClassInfo* record) { ClassRegistry::Instance().Add(record, nullptr); }
};

template <typename T>
inline const ClassArrayFactory ObjectArrayOf = {
    [](int count) -> CObject* { return count > 0 ? new T[count] : nullptr; },
    [](CObject* first) { delete[] static_cast<T*>(first); },
    [](CObject* first, int i) -> CObject* { return static_cast<T*>(first) + i; },
};

// Pieces of a persistent class. In the class body:
//     DECLARE_PERSISTENT_CLASS(CFoo)
// and in its source file, with the declaration routine that adds the class's own properties:
//     IMPLEMENT_PERSISTENT_CLASS(CFoo, CParent, 1.0f, DeclareFoo)          (a class that can be created)
//     IMPLEMENT_ABSTRACT_CLASS(CFoo, CParent, 1.0f, DeclareFoo)            (a class that cannot)
// Each constructor calls ConstructOwnMembers() and each destructor DestroyOwnMembers().
#define DECLARE_PERSISTENT_CLASS(ClassName)                                   \
public:                                                                       \
    static ClassInfo* GetStaticClassInfo();                                   \
    ClassInfo* GetClassInfo() const override { return GetStaticClassInfo(); } \
                                                                              \
private:

#define VEL_IMPLEMENT_CLASS_RECORD(ClassName, Parent, Version, Declaration, Abstract, Factory, ArrayFactory)       \
    ClassInfo* ClassName::GetStaticClassInfo()                                                                     \
    {                                                                                                              \
        static ClassInfo* record = nullptr;                                                                        \
        if (!record)                                                                                               \
            new ClassInfo(&record, #ClassName, Version, Parent::GetStaticClassInfo(), sizeof(ClassName), Abstract, \
                          Factory, ArrayFactory, Declaration);                                                     \
        return record;                                                                                             \
    }                                                                                                              \
    static ClassRegistrar ClassName##_registrar(ClassName::GetStaticClassInfo());

#define IMPLEMENT_PERSISTENT_CLASS(ClassName, Parent, Version, Declaration)                                 \
    VEL_IMPLEMENT_CLASS_RECORD(                                                                             \
        ClassName, Parent, Version, Declaration, false, [](int, int) -> CObject* { return new ClassName; }, \
        &ObjectArrayOf<ClassName>)

#define IMPLEMENT_ABSTRACT_CLASS(ClassName, Parent, Version, Declaration) \
    VEL_IMPLEMENT_CLASS_RECORD(ClassName, Parent, Version, Declaration, true, nullptr, nullptr)
