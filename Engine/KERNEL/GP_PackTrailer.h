// The trailer of a resource pack and where it lies. A pack starts with a u32 holding the trailer's offset; the
// trailer holds the pack's major and minor version (u16 each) and its title and file name as zero-terminated
// texts, and the scrambled name table follows it to the end of the file.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// The names of group 0 of a pack's own name table that hold the trailer's facts as texts (the versions as
// decimal numbers); the pack builders write the trailer from them.
enum GP_PackFactName : std::uint16_t {
    GP_PackTitleName = 2,
    GP_PackMajorVersionName = 3,
    GP_PackMinorVersionName = 4,
    GP_PackFileNameName = 8,
};

struct GP_PackTrailer {
    // Bytes of the two versions; the texts begin after them, and CGP_NameServer::Load with skipHeader starts there.
    static constexpr long VersionsSize = 2 * sizeof(std::uint16_t);

    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::string title;
    std::string fileName;

    // Reads the trailer at the stream's position and leaves the stream at the name table; false when the stream
    // ends first or a text has no terminator within CGP_NameServer::MaxTextLength characters.
    bool Read(std::FILE* stream);
    // Writes the trailer at the stream's position; false when the stream does not take it all.
    bool Write(std::FILE* stream) const;
};

// The trailer's offset, from the u32 at the start of the pack; false when the pack is shorter than that.
bool GP_ReadPackTrailerOffset(std::FILE* pack, std::uint32_t& offset);
// Writes the trailer's offset into the u32 at the start of the pack; false when that fails.
bool GP_WritePackTrailerOffset(std::FILE* pack, std::uint32_t offset);
// Positions the pack at its name table the way the game reads it (at the trailer's offset plus its versions),
// for CGP_NameServer::Load with skipHeader; false when the pack has no trailer offset or the seek fails.
bool GP_SeekPackNameTable(std::FILE* pack);
