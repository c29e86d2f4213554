// The name table: gives every name ID its name, its group, the group's resource kind and where its data lies,
// and turns IDs into dense slot indices per kind for the servers.
#pragma once
#include <cstdint>
#include <cstdio>
#include <deque>

#include "GP_NameGroup.h"
#include "GP_PagedTable.h"

class CGP_NameServer {
public:
    static constexpr std::size_t MaxImageLength = 65535;
    static constexpr std::size_t MaxTextLength = 1023;

    CGP_NameServer();
    CGP_NameServer(const CGP_NameServer&) = delete;
    CGP_NameServer& operator=(const CGP_NameServer&) = delete;
    virtual ~CGP_NameServer();

    // Reads a scrambled table from the stream's position to its end (at most MaxImageLength bytes) and adds its
    // groups; the table must be empty. skipHeader first skips the two texts of a pack trailer. A damaged table
    // leaves the table empty and throws CGP_FatalExeption.
    void Load(std::FILE* stream, bool skipHeader);
    // Tool side: Clear, then Load of a whole file.
    void LoadFile(const char* path);
    // Tool side: write the table scrambled; throws when it cannot be stored or written.
    void Save(std::FILE* stream) const;
    void SaveFile(const char* path) const;

    // A group of kind 0 and storage 1 with copies of the texts (null mask or directory: empty).
    void AddGroup(const char* name, const char* mask, const char* directory);
    // Appends a name to an existing group; ignored for a group that does not exist.
    void AddName(const char* text, std::uint16_t group, std::uint32_t locator);
    // Tool side: the three groups of binary, bitmap and sound files.
    void AddDefaultGroups();

    // The name; "none" for (0xFFFF, 0xFFFF); null when the group or the index does not exist.
    const char* GetName(std::uint16_t index, std::uint16_t group) const;
    // The entry, or the "none" entry (locator GP_NoLocator) for anything absent.
    const GP_NameEntry* GetEntry(std::uint16_t index, std::uint16_t group) const;
    // A new copy (delete[]) of the name in out; null when absent.
    void CopyName(char*& out, std::uint16_t index, std::uint16_t group) const;
    // A new text (delete[]) of the group's directory followed by the name in out; null when absent.
    void GetPath(char*& out, std::uint32_t id) const;
    // The ID of the first name of the group equal to name (case-sensitive), 0 when there is none.
    std::uint32_t FindID(const char* name, std::uint16_t group) const;
    bool Contains(const char* name, std::uint16_t group) const;

    // Names in all groups of the kind.
    std::uint32_t GetCount(std::uint32_t kind) const;
    // The dense index of an ID among the names of its group's kind; -1 for -1 and for names that do not exist.
    std::int32_t GetIndex(std::uint32_t id) const;
    // The ID of a dense index of the kind, -1 beyond the kind's names.
    std::uint32_t GetID(std::int32_t denseIndex, std::uint32_t kind) const;

    // The group record, null when the group does not exist.
    GP_NameGroup* GetGroup(std::uint32_t group) const { return static_cast<GP_NameGroup*>(groups.Get(group)); }
    std::uint16_t GetGroupCount() const { return groups.GetCount(); }

    // Frees every group and name; the group table keeps its pages.
    void Clear();

private:
    void Parse(const std::uint8_t* image, std::size_t length);

    CGP_PagedTable groups;                  // GP_NameGroup pointers in group order, into groupRecords
    std::deque<GP_NameGroup> groupRecords;  // owns the groups
};
