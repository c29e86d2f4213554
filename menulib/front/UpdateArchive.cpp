// The rebuilt archive of one part of the library: its current archive with the downloaded members over it.
#include <string>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/FileFlags.h"
#include "foundation/FileSearch.h"
#include "foundation/PathHelpers.h"
#include "foundation/VirtualFileTree.h"
#include "front/LibraryUpdate.h"
#include "front/LibraryUpdateFiles.h"
#include "front/StoredZipWriter.h"

namespace {

// The whole member of the mounted archives into data.
bool ReadMember(const char* path, std::vector<std::uint8_t>* data)
{
    CFile member;
    if (!member.Attach(VirtualFileTree::Instance().Open(path, kFileRead), kFileRead)) return false;
    const int size = member.GetSize();
    if (size < 0) return false;
    data->resize(static_cast<std::size_t>(size));
    return member.Read(data->data(), size) == size;
}

// The library file of the merged tree as "Update/" + its name.
bool StageLibraryFile(const char* mountedPath)
{
    std::vector<std::uint8_t> library;
    if (!ReadMember(mountedPath, &library)) return false;
    const std::string staged = std::string("Update/") + kLibraryFileName;
    CFile file;
    const bool written =
        file.Open(staged.c_str(), kFileAbsolute | kFileCreate | kFileWrite | kFileMakeFolders) &&
        file.Write(library.data(), static_cast<int>(library.size())) == static_cast<int>(library.size());
    if (file.Close() && written) return true;
    DeleteLibraryFile(staged);
    return false;
}

bool IsLibraryFile(const std::string& name) { return CString(name.c_str()).CompareNoCase(kLibraryFileName) == 0; }

}  // namespace

// The two mounts stay for the rest of the process, as every mount of the library does; the host loads the library
// again once an update is staged.
bool BuildUpdateArchive(const char* part, bool includeLibraryFile)
{
    const std::string prefix = std::string(part) + "UniquePrefix123/";
    const std::string current = std::string(part) + ".dat", downloaded = "Update/" + std::string(part) + ".qxd";
    VirtualFileTree& tree = VirtualFileTree::Instance();
    tree.Add(current.c_str(), true, false, prefix.c_str(), false, kFileAbsolute);
    if (!tree.Add(downloaded.c_str(), true, false, prefix.c_str(), false, kFileAbsolute)) return true;

    const std::string mountedLibrary = prefix + kLibraryFileName;
    if (includeLibraryFile && tree.HoldsMember(mountedLibrary.c_str()) && !StageLibraryFile(mountedLibrary.c_str()))
        return false;

    FileEnumerator files;
    tree.Enumerate(files, FileSearchSpec(prefix.c_str(), "", FileSearchSpec::kEverySubFolder));
    if (files.Count() == 0) return false;

    const std::string target = "Update/" + std::string(part) + ".dat";
    StoredZipWriter writer;
    if (!writer.Create(target.c_str())) return false;
    bool written = true;
    std::vector<std::uint8_t> data;
    for (int i = 0; written && i < files.Count(); ++i) {
        const std::string name = std::string(files.GetNameText(i)).substr(prefix.size());
        if (IsLibraryFile(name)) continue;
        std::uint16_t date = 0, time = 0;
        FileTimeToDos(files.GetFileTime(i), &date, &time);
        written = ReadMember(files.GetNameText(i), &data) &&
                  writer.AddMember(name, data.data(), static_cast<std::uint32_t>(data.size()), time, date);
    }
    const bool finished = writer.Finish();
    if (written && finished) return true;
    DeleteLibraryFile(target);
    return false;
}
