#include "PackBuilder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PagedTable.h"
#include "ResourceWriters.h"

namespace packtool {

namespace {

// The working folder for the scope: loose paths ("RESOURCE\...") are relative to it.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous;
};

std::string WithBackslashes(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void FillNameTable(const Manifest& manifest, CGP_NameServer& names)
{
    for (const ManifestGroup& group : manifest.groups) {
        if (names.GetGroupCount() >= CGP_PagedTable::MaxEntries) throw ManifestError(group.line, "too many groups");
        names.AddGroup(group.name.c_str(), group.mask.c_str(), group.directory.c_str());
        const auto number = static_cast<std::uint16_t>(names.GetGroupCount() - 1);
        names.GetGroup(number)->resourceKind = group.kind;
        names.GetGroup(number)->storage = group.storage;
        for (const ManifestEntry& entry : group.entries) {
            if (!FindResourceKind(entry.keyword))
                throw ManifestError(entry.line, "unknown resource kind \"" + entry.keyword + "\"");
            if (names.GetGroup(number)->GetCount() >= CGP_PagedTable::MaxEntries)
                throw ManifestError(entry.line, "too many names in one group");
            names.AddName(entry.name.c_str(), number, GP_NoLocator);
        }
    }
}

// A resource with content is written where the pack builder reads it: its group folder must be "RESOURCE\<folder>\".
void CheckLoosePlace(const ManifestGroup& group, const ManifestEntry& entry)
{
    const std::string path = WithBackslashes(group.directory + entry.name);
    std::unique_ptr<char[]> loose(CGP_IOManager::LoosePath(path.c_str()));
    if (!loose || path != loose.get())
        throw ManifestError(entry.line,
                            "a resource with content needs a group dir of the form RESOURCE\\<folder>\\ "
                            "and a name without separators");
}

// Two resources whose loose files share a path (names alike in groups of one folder, in any case) would leave
// the pack with one's data under both names.
void CheckLooseFileIsNew(std::map<std::string, int>& written, const ManifestGroup& group, const ManifestEntry& entry)
{
    std::string path = WithBackslashes(group.directory + entry.name);
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto [first, isNew] = written.emplace(path, entry.line);
    if (!isNew)
        throw ManifestError(entry.line, "the loose file " + group.directory + entry.name +
                                            " is written already, at line " + std::to_string(first->second));
}

void WriteLooseFiles(const Manifest& manifest, CGP_NameServer& names, const std::filesystem::path& sourceFolder)
{
    CGP_IOManager io(nullptr, nullptr, &names, nullptr);
    const WriteContext context{names, sourceFolder};
    std::map<std::string, int> written;
    for (std::size_t g = 0; g < manifest.groups.size(); ++g) {
        const ManifestGroup& group = manifest.groups[g];
        for (std::size_t n = 0; n < group.entries.size(); ++n) {
            const ManifestEntry& entry = group.entries[n];
            const ResourceWriter write = FindResourceKind(entry.keyword)->write;
            if (!write) continue;
            CheckLoosePlace(group, entry);
            CheckLooseFileIsNew(written, group, entry);
            std::string folder = group.directory;
            std::replace(folder.begin(), folder.end(), '\\', '/');
            std::filesystem::create_directories(folder);
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(
                io.OpenWrite(GP_MakeID(static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(n))), std::fclose);
            write(entry, context, out.get());
            if (std::fclose(out.release()) != 0)
                throw std::runtime_error("cannot write the loose file of " + entry.name);
        }
    }
}

}  // namespace

void BuildPackFromManifest(const Manifest& manifest, const std::filesystem::path& output,
                           const std::filesystem::path& work)
{
    CGP_NameServer names;
    FillNameTable(manifest, names);
    const std::filesystem::path sourceFolder =
        manifest.folder.empty() ? std::filesystem::current_path() : std::filesystem::absolute(manifest.folder);
    const std::filesystem::path pack = std::filesystem::absolute(output);
    std::filesystem::create_directories(work);
    std::filesystem::remove_all(work / "RESOURCE");
    WorkingFolder inWork(work);
    WriteLooseFiles(manifest, names, sourceFolder);
    CGP_IOManager io(nullptr, nullptr, &names, nullptr);
    if (manifest.storage == 2)
        io.BuildInterfacePack(pack.string().c_str());
    else
        io.BuildPack(pack.string().c_str());
}

}  // namespace packtool
