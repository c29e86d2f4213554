#include "foundation/FileSearch.h"

#include <cstring>
#include <string>

#include "foundation/FatalMessage.h"
#include "foundation/FileFlags.h"
#include "foundation/FileState.h"
#include "foundation/VirtualFileTree.h"
#include "platform/win32_files.h"

FileSearchSpec::FileSearchSpec(const char* folder, const char* extension, int recursion)
{
    Set(folder, extension);
    m_recursion = recursion;
}

void FileSearchSpec::Set(const char* folder, const char* extension)
{
    m_folder = folder;
    m_kind = kFiles;
    m_namePrefix = "";
    m_extensionCount = 0;
    AddExtension(extension);
}

void FileSearchSpec::SetFolders(const char* folder, bool dashedOnly)
{
    m_folder = folder;
    m_kind = kFolders;
    m_namePrefix = dashedOnly ? "-" : "";
    m_extensionCount = 0;
    AddExtension("");
}

void FileSearchSpec::AddExtension(const char* extension)
{
    if (m_extensionCount >= kMaxExtensions) return;
    if (extension && *extension == '.') ++extension;
    m_extensions[m_extensionCount++] = extension;
}

// --- receivers -------------------------------------------------------------------------------------------------

FixedNameArray::FixedNameArray(char* names, std::int32_t* sizes, int slotWidth, int maxCount)
    : m_names(names), m_sizes(sizes), m_slotWidth(slotWidth), m_maxCount(maxCount)
{
}

void FixedNameArray::Add(const char* name, const FileInfo& info)
{
    const int length = static_cast<int>(std::strlen(name));
    if (length > m_slotWidth - 1)
        FatalMessageAndExitF("Illegal file name",
                             "\"%s\" is an illegal file name because it is more than %d characters long", name,
                             m_slotWidth - 1);
    if (m_count >= m_maxCount) return;
    std::memcpy(m_names + static_cast<std::size_t>(m_count) * m_slotWidth, name, length + 1);
    if (m_sizes) m_sizes[m_count] = info.size;
    ++m_count;
}

bool FixedNameArray::IsListed(const char* name)
{
    for (int i = 0; i < m_count; ++i)
        if (CString(m_names + static_cast<std::size_t>(i) * m_slotWidth).CompareNoCase(name) == 0) return true;
    return false;
}

void FileEnumerator::Add(const char* name, const FileInfo& info)
{
    m_entries.push_back({CString(name), info.size, info.time});
    m_names.insert(m_entries.back().name);
}

bool FileEnumerator::IsListed(const char* name) { return m_names.count(CString(name)) != 0; }

void FileEnumerator::Clear()
{
    m_entries.clear();
    m_names.clear();
}

int FileEnumerator::Scan(const FileSearchSpec& wanted, int flags)
{
    Clear();
    return EnumerateFiles(*this, wanted, flags);
}

// --- searches --------------------------------------------------------------------------------------------------

namespace {

bool IsSingleZipSearch(const FileSearchSpec& wanted)
{
    return wanted.GetKind() == FileSearchSpec::kFiles && wanted.GetExtensionCount() == 1 &&
           wanted.GetExtension(0).CompareNoCase("ZIP") == 0;
}

std::int64_t LastWriteTime(const WIN32_FIND_DATAA& found)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                     found.ftLastWriteTime.dwLowDateTime);
}

// Tells the receiver every entry of the scan folder of the wanted kind that matches the pattern.
void ReportMatches(FileSearchReceiver& receiver, const FileSearchSpec& wanted, const std::string& pattern,
                   const std::string& reported)
{
    const bool wantFolders = wanted.GetKind() == FileSearchSpec::kFolders;
    WIN32_FIND_DATAA found;
    const platform::SearchHandle search = platform::StartSearch(pattern.c_str(), &found);
    if (!search) return;
    do {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder != wantFolders || found.cFileName[0] == '.') continue;
        const std::string name =
            wanted.GetNameForm() == FileSearchSpec::kBareNames ? found.cFileName : reported + found.cFileName;
        if (receiver.IsListed(name.c_str())) continue;
        FileInfo info;
        info.size = static_cast<std::int32_t>(found.nFileSizeLow);
        info.time = LastWriteTime(found);
        receiver.Add(name.c_str(), info);
    } while (FindNextFileA(search.get(), &found));
}

// The sub-folders of the scan folder that the search goes on into, each ending in '/'.
std::vector<std::string> FoldersToEnter(const FileSearchSpec& wanted, const std::string& scanFolder)
{
    std::vector<std::string> folders;
    WIN32_FIND_DATAA found;
    const platform::SearchHandle search = platform::StartSearch((scanFolder + "*.").c_str(), &found);
    if (!search) return folders;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.') continue;
        if (found.cFileName[0] == '-' && wanted.GetRecursion() == FileSearchSpec::kSkipDashedFolders) continue;
        if (CString(found.cFileName).CompareNoCase("cache") == 0 && IsSingleZipSearch(wanted)) continue;
        folders.push_back(scanFolder + found.cFileName + "/");
    } while (FindNextFileA(search.get(), &found));
    return folders;
}

void ScanDisk(FileSearchReceiver& receiver, const FileSearchSpec& wanted, std::size_t relativeStart)
{
    std::string scanFolder = wanted.GetFolder();
    const std::size_t cut = scanFolder.find_last_of("/\\");
    scanFolder = cut == std::string::npos ? "" : scanFolder.substr(0, cut + 1);
    const std::string reported = relativeStart < scanFolder.size() ? scanFolder.substr(relativeStart) : "";

    for (int e = 0; e < wanted.GetExtensionCount(); ++e) {
        const CString& extension = wanted.GetExtension(e);
        const std::string pattern = scanFolder + wanted.GetNamePrefix() + "*." +
                                    (extension.IsEmpty() ? std::string("*") : std::string(extension.GetText()));
        ReportMatches(receiver, wanted, pattern, reported);
    }

    if (wanted.GetRecursion() == FileSearchSpec::kNoDescent) return;
    for (const std::string& folder : FoldersToEnter(wanted, scanFolder)) {
        FileSearchSpec inner = wanted;
        inner.SetFolder(folder.c_str());
        ScanDisk(receiver, inner, relativeStart);
    }
}

}  // namespace

int EnumerateFiles(FileSearchReceiver& receiver, const FileSearchSpec& wanted, int flags)
{
    CString folder;
    std::size_t relativeStart = 0;
    if (flags & kFileAbsolute) {
        folder = wanted.GetFolder();
    } else {
        const CString& base = FileState().baseFolder;
        folder.SetPath(base.GetText(), wanted.GetFolder());
        if (base.IsNotEmpty() && base.GetAt(base.GetLength() - 1) != '/')
            relativeStart = base.GetLength() + 1;
        else
            relativeStart = base.GetLength();
    }
    FileSearchSpec disk = wanted;
    disk.SetFolder(folder.GetText());
    ScanDisk(receiver, disk, relativeStart);
    if (FileState().archivesMounted) VirtualFileTree::Instance().Enumerate(receiver, wanted);
    return receiver.Count();
}

int EnumerateFiles(const FileSearchSpec& wanted, FileSearchReceiver& receiver)
{
    return EnumerateFiles(receiver, wanted, 0);
}

namespace {
class FileCounter : public FileSearchReceiver {
public:
    int Count() override { return m_count; }
    void Add(const char*, const FileInfo&) override { ++m_count; }
    bool IsListed(const char*) override { return false; }

private:
    int m_count = 0;
};
}  // namespace

int CountFiles(const FileSearchSpec& wanted, int flags)
{
    FileCounter counter;
    return EnumerateFiles(counter, wanted, flags);
}

int ListFileNames(const FileSearchSpec& wanted, char* names, std::int32_t* sizes, int slotWidth, int maxCount,
                  int flags)
{
    FixedNameArray array(names, sizes, slotWidth, maxCount);
    return EnumerateFiles(array, wanted, flags);
}
