// Configured values by name: the name/value files of the groups "Application", "Channel" and "Arcade", and the
// one lookup list built from them in which the application's group wins over the channel's and the channel's
// over the portal's.
#pragma once
#include <vector>

#include "foundation/CString.h"
#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"

class CNameValuePair : public CObject {
    DECLARE_PERSISTENT_CLASS(CNameValuePair)
public:
    CNameValuePair() { ConstructOwnMembers(); }
    ~CNameValuePair() override { DestroyOwnMembers(); }

    CString m_Name;
    CString m_Value;
};

class CNameValuePairList : public CObject {
    DECLARE_PERSISTENT_CLASS(CNameValuePairList)
public:
    CNameValuePairList() { ConstructOwnMembers(); }
    ~CNameValuePairList() override { DestroyOwnMembers(); }

    int GetCount() const { return m_List.count; }
    // Pair i; null for an empty slot.
    CNameValuePair* GetPair(int i) const;

    RawArray m_List;  // of owned CNameValuePair*
};

// References to the pairs of the three groups' records; it owns none of them.
class NameValueLookup {
public:
    // The list, built on the first call after the library started (or started again).
    static NameValueLookup& Instance();
    // Forgets the list, so that the next Instance builds it again from the records as they are then.
    static void Invalidate();

    // True and the value text of the first pair whose name equals name without regard to case.
    bool Find(const char* name, CString& value) const;
    int GetCount() const { return static_cast<int>(m_pairs.size()); }

private:
    void Build();
    void AddGroup(const char* group);
    bool Holds(const CString& name) const;

    std::vector<const CNameValuePair*> m_pairs;
};
