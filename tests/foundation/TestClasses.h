// Persistent classes declared by the foundation tests, with members of every property type.
#pragma once
#include "foundation/NamedList.h"
#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"

class CTestA : public CObject {
    DECLARE_PERSISTENT_CLASS(CTestA)
public:
    CTestA() { ConstructOwnMembers(); }
    ~CTestA() override { DestroyOwnMembers(); }
    std::int32_t m_count = 0;
    CString m_name;
};

class CTestB : public CTestA {
    DECLARE_PERSISTENT_CLASS(CTestB)
public:
    CTestB() { ConstructOwnMembers(); }
    ~CTestB() override { DestroyOwnMembers(); }
    float m_ratio = 0.0f;
};

class CTestAbstract : public CTestA {
    DECLARE_PERSISTENT_CLASS(CTestAbstract)
};

// The list the collection item properties choose from: "Red", "Green", "Blue".
NamedList& TestColours();

class CTestEveryType : public CObject {
    DECLARE_PERSISTENT_CLASS(CTestEveryType)
public:
    CTestEveryType() { ConstructOwnMembers(); }
    ~CTestEveryType() override { DestroyOwnMembers(); }
    enum Flags {
        kVisible = 1,
        kLocked = 4
    };
    std::int32_t m_ranged = 0;  // 0..5
    std::int32_t m_width = 0;   // units "Pixels"
    std::int32_t m_align = 0;   // enum with names
    float m_scale = 0.0f;       // named value "Natural" = 1
    bool m_enabled = false;
    std::int32_t m_flags = 0;  // two flag properties
    CString m_title;           // may hold line breaks
    char* m_note = nullptr;
    std::int32_t m_colour = 0;  // item of TestColours
    IntPair m_origin;
    CTestA* m_child = nullptr;  // requires CTestA
    RawArray m_numbers;         // integers
    RawArray m_words;           // strings
    ObjectArray m_items;        // CTestA by value
};
