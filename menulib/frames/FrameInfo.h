// The frame placements of a ".Sequence" file: each frame's rectangle inside the strip picture and its origin,
// and the list of them with the sequence's options.
#pragma once
#include <cstdint>

#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"

class CFrameInfo : public CObject {
    DECLARE_PERSISTENT_CLASS(CFrameInfo)
public:
    CFrameInfo() { ConstructOwnMembers(); }
    ~CFrameInfo() override { DestroyOwnMembers(); }

    std::int32_t m_left = 0;
    std::int32_t m_top = 0;
    std::int32_t m_right = 0;
    std::int32_t m_bottom = 0;
    std::int32_t m_upperLeftXOffset = 0;
    std::int32_t m_upperLeftYOffset = 0;
};

class CSequenceFrameInfoList : public CObject {
    DECLARE_PERSISTENT_CLASS(CSequenceFrameInfoList)
public:
    CSequenceFrameInfoList() { ConstructOwnMembers(); }
    ~CSequenceFrameInfoList() override { DestroyOwnMembers(); }

    int GetCount() const { return m_childList.count; }
    // The info of slot i; null for an empty slot.
    CFrameInfo* GetInfo(int i) const;
    // Appends a slot holding info (owned) or none.
    void Append(CFrameInfo* info);

    bool m_wasRle = false;
    std::int32_t m_flags = 0;
    std::int32_t m_blitType = 0;
    float m_fps = 0.0f;
    RawArray m_childList;
};
