// Resource packs: the data of many resources back to back, then a trailer with the pack's versions and texts and
// the scrambled name table. The manager turns a name ID into a pack stream positioned at that resource's data;
// its tool side writes loose resource files and builds packs from them.
#pragma once
#include <cstdint>
#include <cstdio>

class CGP_NameServer;
class CGP_GameMainFrame;

class CGP_IOManager {
public:
    // Neither the streams nor the name table are owned.
    CGP_IOManager(std::FILE* pack1, std::FILE* pack2, CGP_NameServer* names, CGP_GameMainFrame* owner);
    virtual ~CGP_IOManager() = default;

    // Makes the stream the first pack (the campaign pack); the caller closes the old one.
    void SetPackFile(std::FILE* stream);
    // The pack stream holding the resource, positioned at its data; null without a name table. Throws
    // CGP_FatalExeption for an ID that no open pack holds.
    std::FILE* OpenRead(std::uint32_t id);
    // Tool side: creates the loose file of the resource (see LoosePath); the caller closes it.
    std::FILE* OpenWrite(std::uint32_t id);
    // The file mask of the ID's group, null when the group does not exist.
    const char* GetGroupMask(std::uint32_t id) const;

    // "RESOURCE\" + the last folder of the path + "\" + its file name, as a new text (delete[]); null when the
    // path has fewer than two separators ("\" or "/").
    static char* LoosePath(const char* fullPath);
    // Tool side: writes a pack from the loose files of the groups of storage 1, or of storage 2.
    void BuildPack(const char* path);
    void BuildInterfacePack(const char* path);

    std::uint8_t packShared = 0;  // the streams handed out belong to the packs: users must not close them
    CGP_NameServer* names = nullptr;
    std::FILE* pack1 = nullptr;  // the campaign pack
    std::FILE* pack2 = nullptr;  // the interface pack
    CGP_GameMainFrame* owner = nullptr;

private:
    void BuildPackOf(const char* path, std::uint32_t storage);
};
