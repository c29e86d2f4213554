// One group of the name table and the entries it holds. A name ID is group << 16 | index.
#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "GP_PagedTable.h"

// Locator of a name whose data the pack does not hold.
constexpr std::uint32_t GP_NoLocator = 0xFFFFFFFF;
// The name ID that means no resource.
constexpr std::uint32_t GP_NoID = 0xFFFFFFFF;

constexpr std::uint16_t GP_GroupOf(std::uint32_t id) { return static_cast<std::uint16_t>(id >> 16); }
constexpr std::uint16_t GP_IndexOf(std::uint32_t id) { return static_cast<std::uint16_t>(id & 0xFFFF); }
constexpr std::uint32_t GP_MakeID(std::uint32_t group, std::uint32_t index) { return group << 16 | index; }

struct GP_NameEntry {
    std::string text;
    std::uint32_t locator = GP_NoLocator;  // byte offset of the data within its pack
};

// Storage of a group: which pack holds its data.
constexpr std::uint32_t GP_StorageFirstPack = 1;
constexpr std::uint32_t GP_StorageSecondPack = 2;

struct GP_NameGroup {
    GP_NameGroup(const char* name, const char* mask, const char* directory);
    GP_NameGroup(const GP_NameGroup&) = delete;
    GP_NameGroup& operator=(const GP_NameGroup&) = delete;

    // Appends a name; ignored once the group holds CGP_PagedTable::MaxEntries.
    void AddName(const char* text, std::uint32_t locator);

    GP_NameEntry* GetEntry(std::uint32_t index) const { return static_cast<GP_NameEntry*>(names.Get(index)); }
    std::uint16_t GetCount() const { return names.GetCount(); }

    std::string name;
    std::string mask;       // file mask of the loose files, empty when none
    std::string directory;  // folder of the loose files ending in a separator, empty when none
    std::uint32_t resourceKind = 0;
    std::uint32_t storage = GP_StorageFirstPack;
    CGP_PagedTable names;  // GP_NameEntry pointers in index order, into entries

private:
    std::deque<GP_NameEntry> entries;  // owns the names; a deque never moves what it holds
};
