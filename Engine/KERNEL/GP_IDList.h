// A list of name IDs read from a resource and walked with a cursor (for instance the stage scenes of a mission).
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>

#include "GP_PtrList.h"

class CGP_GameMainFrame;

class CGP_IDList {
public:
    explicit CGP_IDList(CGP_GameMainFrame* owner);
    CGP_IDList(const CGP_IDList&) = delete;
    CGP_IDList& operator=(const CGP_IDList&) = delete;
    ~CGP_IDList() = default;

    // u16 count, then that many u32 IDs, appended; throws CGP_FatalExeption when the stream ends early.
    void Read(std::FILE* stream);
    // Tool side: u16 count and the u32 IDs; false when the stream takes less.
    bool Write(std::FILE* stream) const;
    // The next ID, -1 once the cursor is past the last.
    std::uint32_t Next();
    void Rewind() { cursor = -1; }

    std::unique_ptr<CGP_PtrList> list;
    CGP_GameMainFrame* owner = nullptr;
    std::int32_t cursor = -1;
};
