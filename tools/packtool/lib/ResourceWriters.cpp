#include "ResourceWriters.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <vector>

#include "GP_IDList.h"
#include "GP_NameServer.h"
#include "InterfaceWriters.h"
#include "PlayWriters.h"
#include "TextColumns.h"
#include "ToolFiles.h"

namespace packtool {

namespace {

void Put(std::FILE* out, const std::string& bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), bytes.size(), 1, out) != 1)
        throw std::runtime_error("cannot write a loose file");
}

void RequireNoFields(const ManifestEntry& entry)
{
    if (!entry.fields.empty())
        throw ManifestError(entry.fields.front().number, "\"" + entry.keyword + "\" takes no indented lines");
}

// file "<name>" "<source>": the bytes of a file, relative to the manifest's folder.
void WriteFileResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    RequireNoFields(entry);
    if (entry.args.size() != 1) throw ManifestError(entry.line, "file needs one source file");
    try {
        Put(out, ReadWholeFile(context.sourceFolder / entry.args[0]));
    } catch (const std::runtime_error& e) {
        throw ManifestError(entry.line, e.what());
    }
}

// text "<name>", then indented lines "ru|en|fr|de <text>": a text record of the columns up to the last given.
void WriteTextResource(const ManifestEntry& entry, const WriteContext&, std::FILE* out)
{
    if (!entry.args.empty()) throw ManifestError(entry.line, "the languages of a text go on indented lines");
    std::array<std::string, 4> columns;
    std::array<bool, 4> given{};
    int columnCount = 0;
    for (const ManifestLine& field : entry.fields) {
        int column = 0;
        while (column < 4 && field.tokens[0] != LanguageColumns[column].key) ++column;
        if (column == 4) throw ManifestError(field.number, "a text's language is ru, en, fr or de");
        if (field.tokens.size() != 2) throw ManifestError(field.number, "write the text in quotes after its language");
        if (given[column]) throw ManifestError(field.number, "this language was given already");
        try {
            columns[column] = EncodeColumn(field.tokens[1], column);
        } catch (const std::runtime_error& e) {
            throw ManifestError(field.number, e.what());
        }
        given[column] = true;
        columnCount = std::max(columnCount, column + 1);
    }
    Put(out, TextRecord(std::vector<std::string>(columns.begin(), columns.begin() + columnCount)));
}

// idlist "<name>" <id>..., with more IDs on indented lines.
void WriteIDListResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    CGP_IDList list(nullptr);
    std::size_t count = 0;
    auto add = [&](const std::string& token, int line) {
        if (++count > CGP_PtrList::MaxEntries) throw ManifestError(line, "an ID list holds at most 65534 IDs");
        list.list->Append(GP_IDToEntry(ResolveID(context.names, token, line)));
    };
    for (const std::string& token : entry.args) add(token, entry.line);
    for (const ManifestLine& field : entry.fields)
        for (const std::string& token : field.tokens) add(token, field.number);
    if (!list.Write(out)) throw std::runtime_error("cannot write a loose file");
}

const ResourceKind Kinds[] = {
    {"name", nullptr},
    {"file", WriteFileResource},
    {"text", WriteTextResource},
    {"idlist", WriteIDListResource},
    {"form", WriteFormResource},
    {"font", WriteFontResource},
    {"sprite", WriteSpriteResource},
    {"weapon", WriteWeaponResource},
    {"scene", WriteSceneResource},
    {"levels", WriteLevelsResource},
};

}  // namespace

const ResourceKind* FindResourceKind(const std::string& keyword)
{
    for (const ResourceKind& kind : Kinds)
        if (keyword == kind.keyword) return &kind;
    return nullptr;
}

std::uint32_t ResolveID(const CGP_NameServer& names, const std::string& token, int line)
{
    if (!token.empty() && std::isdigit(static_cast<unsigned char>(token[0]))) return ParseNumber(token, line);
    const std::size_t bar = token.rfind('|');
    if (bar == std::string::npos) throw ManifestError(line, "write an ID as a number or as \"group|name\": " + token);
    const std::string groupName = token.substr(0, bar);
    const std::string name = token.substr(bar + 1);
    for (std::uint32_t g = 0; g < names.GetGroupCount(); ++g) {
        if (names.GetGroup(g)->name != groupName) continue;
        const auto group = static_cast<std::uint16_t>(g);
        if (!names.Contains(name.c_str(), group)) break;
        return names.FindID(name.c_str(), group);
    }
    throw ManifestError(line, "no such name: " + token);
}

}  // namespace packtool
