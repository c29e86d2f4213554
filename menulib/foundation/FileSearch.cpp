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
        FatalMessageAndExitF("Illegal file name", "\"%s\" is an illegal file name because it is more than %d characters long",
                             name, m_slotWidth - 1);
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

int FileEnumerator::Scan(const FileSearchSpec& spec, int flags)
{
    Clear();
    return EnumerateFiles(*this, spec, flags);
}

// --- searches --------------------------------------------------------------------------------------------------

namespace {

bool IsSingleZipSearch(const FileSearchSpec& spec)
{
    return spec.GetKind() == FileSearchSpec::kFiles && spec.GetExtensionCount() == 1 &&
           spec.GetExtension(0).CompareNoCase("ZIP") == 0;
}

void ScanDisk(FileSearchReceiver& receiver, const FileSearchSpec& spec, std::size_t relativeStart)
{
    std::string scanFolder = spec.GetFolder();
    const std::size_t cut = scanFolder.find_last_of("/\\");
    scanFolder = cut == std::string::npos ? "" : scanFolder.substr(0, cut + 1);
    const std::string reported = relativeStart < scanFolder.size() ? scanFolder.substr(relativeStart) : "";
    const bool wantFolders = spec.GetKind() == FileSearchSpec::kFolders;

    for (int e = 0; e < spec.GetExtensionCount(); ++e) {
        const CString& extension = spec.GetExtension(e);
        const std::string pattern = scanFolder + spec.GetNamePrefix() + "*." +
                                    (extension.IsEmpty() ? std::string("*") : std::string(extension.GetText()));
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder != wantFolders || found.cFileName[0] == '.') continue;
            const std::string name =
                spec.GetNameForm() == FileSearchSpec::kBareNames ? found.cFileName : reported + found.cFileName;
            if (receiver.IsListed(name.c_str())) continue;
            FileInfo info;
            info.size = static_cast<std::int32_t>(found.nFileSizeLow);
            info.time = static_cast<std::int64_t>((static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                                  found.ftLastWriteTime.dwLowDateTime);
            receiver.Add(name.c_str(), info);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }

    if (spec.GetRecursion() == FileSearchSpec::kNoDescent) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((scanFolder + "*.").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> folders;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.') continue;
        if (found.cFileName[0] == '-' && spec.GetRecursion() == FileSearchSpec::kSkipDashedFolders) continue;
        if (CString(found.cFileName).CompareNoCase("cache") == 0 && IsSingleZipSearch(spec)) continue;
        folders.push_back(scanFolder + found.cFileName + "/");
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& folder : folders) {
        FileSearchSpec inner = spec;
        inner.SetFolder(folder.c_str());
        ScanDisk(receiver, inner, relativeStart);
    }
}

}  // namespace

int EnumerateFiles(FileSearchReceiver& receiver, const FileSearchSpec& spec, int flags)
{
    CString folder;
    std::size_t relativeStart = 0;
    if (flags & kFileAbsolute) {
        folder = spec.GetFolder();
    } else {
        const CString& base = FileState().baseFolder;
        folder.SetPath(base.GetText(), spec.GetFolder());
        if (base.IsNotEmpty() && base.GetAt(base.GetLength() - 1) != '/') relativeStart = base.GetLength() + 1;
        else relativeStart = base.GetLength();
    }
    FileSearchSpec disk = spec;
    disk.SetFolder(folder.GetText());
    ScanDisk(receiver, disk, relativeStart);
    if (FileState().archivesMounted) VirtualFileTree::Instance().Enumerate(receiver, spec);
    return receiver.Count();
}

int EnumerateFiles(const FileSearchSpec& spec, FileSearchReceiver& receiver) { return EnumerateFiles(receiver, spec, 0); }

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

int CountFiles(const FileSearchSpec& spec, int flags)
{
    FileCounter counter;
    return EnumerateFiles(counter, spec, flags);
}

int ListFileNames(const FileSearchSpec& spec, char* names, std::int32_t* sizes, int slotWidth, int maxCount, int flags)
{
    FixedNameArray array(names, sizes, slotWidth, maxCount);
    return EnumerateFiles(array, spec, flags);
}
