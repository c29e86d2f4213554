#include "PackDump.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "GP_TextServer.h"
#include "ResourceWriters.h"
#include "TextColumns.h"
#include "platform/files.h"

namespace packtool {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

void PrintText(CGP_IOManager& io, const CGP_NameServer& names, std::uint32_t id, std::ostream& out)
{
    const char* name = names.GetName(GP_IndexOf(id), GP_GroupOf(id));
    out << "text " << Hex(id) << " \"" << (name ? name : "") << "\"\n";
    for (std::size_t column = 0; column < LanguageColumns.size(); ++column) {
        CGP_TextServer texts(&io, LanguageColumns[column].language);
        std::string text;
        try {
            text = DecodeColumn(texts.GetText(id), static_cast<int>(column));
        } catch (const CGP_FatalExeption& e) {
            // The manager's errors carry a text of their own making (FormatNew), which nobody else frees.
            delete[] e.text;
            text = "(not in the pack)";
        }
        out << "  " << LanguageColumns[column].key << ": " << text << "\n";
    }
}

}  // namespace

void DumpPack(const std::filesystem::path& path, const DumpOptions& options, std::ostream& out)
{
    File pack(platform::OpenFile(path.string(), "rb"), std::fclose);
    if (!pack) throw std::runtime_error("cannot read " + path.string());
    std::uint32_t trailerOffset = 0;
    if (!GP_ReadPackTrailerOffset(pack.get(), trailerOffset) || std::fseek(pack.get(), trailerOffset, SEEK_SET) != 0)
        throw std::runtime_error(path.string() + " is no resource pack");
    GP_PackTrailer trailer;
    if (!trailer.Read(pack.get())) throw std::runtime_error("the trailer is damaged");

    CGP_NameServer names;
    GP_SeekPackNameTable(pack.get());
    names.Load(pack.get(), true);

    out << "pack " << path.string() << "\n";
    out << "trailer at " << trailerOffset << ": version " << trailer.major << "." << trailer.minor << ", title \""
        << trailer.title << "\", file \"" << trailer.fileName << "\"\n";
    out << names.GetGroupCount() << " groups\n";
    for (std::uint32_t g = 0; g < names.GetGroupCount(); ++g) {
        const GP_NameGroup* group = names.GetGroup(g);
        out << "group " << g << " \"" << group->name << "\": kind " << group->resourceKind << ", storage "
            << group->storage << ", mask \"" << group->mask << "\", dir \"" << group->directory << "\", "
            << group->GetCount() << " names\n";
        for (std::uint32_t n = 0; n < group->GetCount(); ++n) {
            const GP_NameEntry* entry = group->GetEntry(n);
            out << "  " << Hex(GP_MakeID(g, n)) << "  "
                << (entry->locator == GP_NoLocator ? std::string("no data") : "at " + Hex(entry->locator)) << "  \""
                << entry->text << "\"\n";
        }
    }

    CGP_IOManager io(pack.get(), pack.get(), &names, nullptr);
    for (const std::string& token : options.texts) PrintText(io, names, ResolveID(names, token, 0), out);
    if (options.allTexts)
        for (std::uint32_t dense = 0; dense < names.GetCount(CGP_TextServer::TextKind); ++dense)
            PrintText(io, names, names.GetID(static_cast<std::int32_t>(dense), CGP_TextServer::TextKind), out);
}

}  // namespace packtool
