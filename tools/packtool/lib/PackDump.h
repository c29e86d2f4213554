// Lists what a pack holds, reading it as the game does: the trailer, then the name table through Load, and the
// texts through the manager's OpenRead and the text server.
#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace packtool {

struct DumpOptions {
    std::vector<std::string> texts;  // IDs ("0x40001" or "group|name") of texts to print in the four languages
    bool allTexts = false;           // print every text of the pack
};

// Throws std::runtime_error for a file that is no pack, the engine's CGP_FatalExeption for a damaged table.
void DumpPack(const std::filesystem::path& pack, const DumpOptions& options, std::ostream& out);

}  // namespace packtool
