// The check every pack of the game passes before it is used: what its trailer says of it (major and minor
// version, title, file name) against what group 0 of its name table says, written to the session log.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

class CGP_NameServer;

struct GP_PackTrailer {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::string title;
    std::string fileName;
};

constexpr std::uint16_t GP_PackMajorVersion = 100;
constexpr const char* GP_LogDashes = "---------------------------------------------------------";  // 57

// Reads the trailer at offset trailer: false when the file ends inside it or a text is longer than 1023
// characters.
bool GP_ReadPackTrailer(std::FILE* stream, std::uint32_t trailer, GP_PackTrailer& out);
// Writes the "NT: " and "CN: " lines, then whether the pack is accepted: its trailer is whole, its major
// version is 100 and equals name 3, its title equals name 2, and its file name, name 8 and expectedFileName are
// one text. Missing names are empty and match nothing.
bool GP_CheckPack(const CGP_NameServer& names, bool trailerWhole, const GP_PackTrailer& trailer,
                  const std::string& expectedFileName);
