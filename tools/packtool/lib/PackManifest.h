// The text manifest from which a pack is built: the pack's kind, its groups, and in each group its names with
// the content of each resource.
#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace packtool {

class ManifestError : public std::runtime_error {
public:
    ManifestError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message)
    {
    }
};

struct ManifestLine {
    int number = 0;
    std::vector<std::string> tokens;
};

// One name of a group: its keyword says how its resource is made ("name" for a name without data).
struct ManifestEntry {
    int line = 0;
    std::string keyword;
    std::string name;
    std::vector<std::string> args;     // the tokens after the name
    std::vector<ManifestLine> fields;  // the lines that follow the entry and belong to it
};

struct ManifestGroup {
    int line = 0;
    std::string name;
    std::string mask;
    std::string directory;
    std::uint32_t kind = 0;
    std::uint32_t storage = 0;
    std::vector<ManifestEntry> entries;
};

struct Manifest {
    std::uint32_t storage = 0;     // 1: a campaign pack, 2: the interface pack
    std::filesystem::path folder;  // relative source files are found from here
    std::vector<ManifestGroup> groups;
};

// Throws ManifestError with the line of the fault.
Manifest ParseManifest(const std::string& text, const std::filesystem::path& folder);
// Reads the file and parses it with the file's folder; throws ManifestError (line 0) when it cannot be read.
Manifest LoadManifest(const std::filesystem::path& file);

// The blank-separated tokens of a line; "..." quotes a token ("" inside it is one quote), # starts a comment.
std::vector<std::string> SplitManifestLine(const std::string& line, int number);
// A decimal or 0x-prefixed number of 32 bits.
std::uint32_t ParseNumber(const std::string& token, int line);

}  // namespace packtool
