// A campaign's layer resource (name ID 0 of its pack): the ID groups of the level's object lists and the order in
// which the lists are drawn, as little-endian u32 values.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

struct GP_LayerRecord {
    static constexpr std::size_t MaxGroupEntries = 65534;  // further IDs of a group are read and dropped

    std::vector<std::vector<std::uint32_t>> groups;  // one per object list; those the resource leaves out are empty
    std::vector<std::uint32_t> drawOrder;            // object-list name IDs, first drawn first
};

enum GP_LayerReadResult : int {
    GP_LayerRead = 0,
    GP_LayerCut = 1,            // the stream ended before the counts it gave were read
    GP_LayerTooManyGroups = 2,  // more ID groups than object lists
};

// Reads N, N groups (M, then M IDs), K and K IDs into record, which gets listCount groups. A group's count is
// taken whole, however large: the stream's end bounds what is read.
GP_LayerReadResult GP_ReadLayerRecord(std::FILE* stream, std::uint32_t listCount, GP_LayerRecord& record);
