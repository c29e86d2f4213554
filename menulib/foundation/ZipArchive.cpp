#include "foundation/ZipArchive.h"

#include <algorithm>
#include <cstring>

#include "foundation/CFile.h"
#include "foundation/FatalMessage.h"
#include "foundation/FileSearch.h"
#include "foundation/FileState.h"
#include "foundation/PathHelpers.h"
#include "foundation/ZipMemberReader.h"
#include "platform/win32_files.h"

namespace {

CString ArchivePath(const char* path)
{
    CString normal(path);
    normal.ReplaceChar('\\', '/');
    return normal;
}

// The folder part of a path: up to and including its last '/'.
int FolderLength(const CString& path)
{
    const int length = path.GetLength();
    return length ? path.FindChar('/', length - 1, false) + 1 : 0;
}

// The bytes a member's data takes: the larger of its two sizes, so that neither reads past it.
long long DataExtent(const ZipMember& member)
{
    return std::max<long long>(member.body.compressedSize, member.body.size);
}

bool ReadExactly(CFile& file, void* data, long long n) { return n >= 0 && file.Read(data, static_cast<int>(n)) == n; }

// Archives whose end record is not in the last 22 bytes: walk the local headers from the start of the file to
// the first central header, then count central headers up to an end record.
bool ScanForDirectory(CFile& file, long long fileSize, std::uint32_t* directoryOffset, std::uint32_t* count)
{
    long long position = 0;
    std::uint8_t bytes[kZipCentralHeaderSize];
    for (;;) {
        if (position + kZipSignatureSize > fileSize || !file.Seek(static_cast<int>(position)) ||
            !ReadExactly(file, bytes, kZipSignatureSize))
            return false;
        const std::uint32_t signature = ZipGet32(bytes);
        if (signature == kZipCentralSignature) break;
        if (signature != kZipLocalSignature ||
            !ReadExactly(file, bytes + kZipSignatureSize, kZipLocalHeaderSize - kZipSignatureSize))
            return false;
        ZipLocalHeader header;
        header.Parse(bytes);
        position += header.DataOffset() + header.compressedSize;
    }
    *directoryOffset = static_cast<std::uint32_t>(position);
    *count = 0;
    for (;;) {
        if (!ReadExactly(file, bytes + kZipSignatureSize, kZipCentralBodySize)) return false;
        ++*count;
        ZipCentralBody body;
        body.Parse(bytes + kZipSignatureSize);
        position += body.RecordSize();
        if (position + kZipSignatureSize > fileSize || !file.Seek(static_cast<int>(position)) ||
            !ReadExactly(file, bytes, kZipSignatureSize))
            return false;
        const std::uint32_t signature = ZipGet32(bytes);
        if (IsZipEndSignature(signature)) return true;
        if (signature != kZipCentralSignature) return false;
    }
}

// The end record in the last 22 bytes, when it is there.
bool ReadEndRecord(CFile& file, long long fileSize, ZipEndRecord* end)
{
    std::uint8_t bytes[kZipEndRecordSize];
    if (fileSize < kZipEndRecordSize || !file.Seek(static_cast<int>(fileSize - kZipEndRecordSize)) ||
        !ReadExactly(file, bytes, kZipEndRecordSize))
        return false;
    end->Parse(bytes);
    return IsZipEndSignature(end->signature);
}

bool BeginsWithNoCase(const CString& text, const CString& prefix)
{
    return prefix.IsEmpty() || text.CompareNoCase(prefix, prefix.GetLength()) == 0;
}

// Reports a name unless it is the one reported just before (folders of members in a row repeat).
void ReportOnce(const CString& reported, FileSearchReceiver& receiver, CString& lastReported)
{
    if (reported.CompareNoCase(lastReported) == 0) return;
    lastReported = reported;
    if (!receiver.IsListed(reported.GetText())) receiver.Add(reported.GetText(), FileInfo{});
}

// A folder search: the folders on the way from the searched folder down to the member (rest is the member's
// name below that folder, which takes folderLength characters of it).
void ReportFolders(const ZipMember& member, int folderLength, const CString& rest, const FileSearchSpec& wanted,
                   FileSearchReceiver& receiver, CString& lastReported)
{
    const CString namePrefix(wanted.GetNamePrefix());
    const int restFolder = FolderLength(rest);
    for (int at = 0; at < restFolder;) {
        const int slash = rest.FindChar('/', at);
        const CString component = rest.Mid(at, slash - at);
        if (component.IsNotEmpty() && BeginsWithNoCase(component, namePrefix)) {
            const bool bare = wanted.GetNameForm() == FileSearchSpec::kBareNames;
            ReportOnce(bare ? component : member.name.Left(folderLength + slash), receiver, lastReported);
        }
        if (wanted.GetRecursion() == FileSearchSpec::kNoDescent) break;
        if (wanted.GetRecursion() == FileSearchSpec::kSkipDashedFolders && component.GetAt(0) == '-') break;
        at = slash + 1;
    }
}

// Whether a folder of the name below the searched folder begins with '-' (the member lies in an item folder).
bool InsideItemFolder(const CString& rest)
{
    for (int at = 0, slash; (slash = rest.FindChar('/', at)) >= 0; at = slash + 1)
        if (rest.GetAt(at) == '-') return true;
    return false;
}

// A file search: the member when its extension matches; the receiver's answer marks it listed or not.
void ReportFile(ZipMember& member, const CString& rest, const CString& extension, const FileSearchSpec& wanted,
                FileSearchReceiver& receiver)
{
    if (extension.IsNotEmpty()) {
        CString dotExtension(".");
        dotExtension.Append(extension);
        if (member.name.Right(dotExtension.GetLength()).CompareNoCase(dotExtension) != 0) return;
    }
    if (wanted.GetRecursion() == FileSearchSpec::kSkipDashedFolders && InsideItemFolder(rest)) return;
    const CString reported =
        wanted.GetNameForm() == FileSearchSpec::kBareNames ? CString(FindFileName(member.name.GetText())) : member.name;
    const bool added = !receiver.IsListed(reported.GetText());
    if (added) {
        FileInfo info;
        info.size = static_cast<std::int32_t>(member.body.size);
        info.time = DosToFileTime(member.body.date, member.body.time);
        receiver.Add(reported.GetText(), info);
    }
    member.listed = added ? 1 : 0;
}

}  // namespace

ZipArchive::~ZipArchive() { Close(); }

bool ZipArchive::Open(const char* path, bool writable, const char* mountPrefix, bool deferDirectory, int flags)
{
    Close();
    m_path = path;
    m_writable = writable;
    m_mountPrefix = ArchivePath(mountPrefix);
    if (m_mountPrefix == "/") m_mountPrefix.Empty();
    m_openFlags = flags;
    if (deferDirectory) return true;
    m_keepOpen = true;
    return ReadDirectory();
}

void ZipArchive::Close()
{
    CloseFile();
    m_members.clear();
    m_nameIndex.clear();
    m_loaded = m_keepOpen = m_dirty = false;
    m_users = m_ownHandleStreams = 0;
    m_path.Empty();
    m_mountPrefix.Empty();
}

// Lets go of the archive's use of its file; member streams still reading through it keep it open.
void ZipArchive::CloseFile()
{
    m_file.reset();
    m_fileWritable = false;
}

bool ZipArchive::OpenFile(int extraFlags)
{
    CloseFile();
    auto file = std::make_shared<CFile>();
    if (!file->Open(m_path.GetText(), m_openFlags | extraFlags)) return false;
    m_file = std::move(file);
    m_fileWritable = (extraFlags & kFileWrite) != 0;
    return true;
}

void ZipArchive::ReleaseIdleFile()
{
    if (m_users == 0 && !m_keepOpen) CloseFile();
}

bool ZipArchive::ReadDirectory()
{
    m_members.clear();
    m_nameIndex.clear();
    m_loaded = false;
    if (!OpenFile(kFileRead | kFileArchiveFile)) return false;
    CFile& file = *m_file;
    const long long fileSize = file.GetSize();

    std::uint32_t count = 0, directoryOffset = 0;
    ZipEndRecord end;
    bool found = false;
    if (ReadEndRecord(file, fileSize, &end)) {
        m_endSignature = end.signature;
        count = end.entries;
        directoryOffset = end.directoryOffset;
        found = true;
    }
    if (!found) found = ScanForDirectory(file, fileSize, &directoryOffset, &count);
    // Every central header takes at least 46 bytes of the file.
    if (!found || directoryOffset > fileSize || count > fileSize / kZipCentralHeaderSize ||
        !file.Seek(static_cast<int>(directoryOffset)) || !ReadCentralHeaders(file, count)) {
        m_members.clear();
        CloseFile();
        return false;
    }
    m_directoryOffset = directoryOffset;
    m_loaded = true;
    SortMembers();
    if (!m_keepOpen) CloseFile();
    return true;
}

// The central headers from the file's position on, up to count of them; false on a short read or when fewer
// than count are there.
bool ZipArchive::ReadCentralHeaders(CFile& file, std::uint32_t count)
{
    m_members.reserve(count);
    std::uint8_t bytes[kZipCentralBodySize];
    if (!ReadExactly(file, bytes, kZipSignatureSize)) return false;
    while (ZipGet32(bytes) == kZipCentralSignature && m_members.size() < count) {
        ZipMember member;
        if (!ReadExactly(file, bytes, kZipCentralBodySize)) return false;
        member.body.Parse(bytes);
        member.storedName.resize(member.body.nameLength);
        if (!ReadExactly(file, member.storedName.data(), member.body.nameLength)) return false;
        if (member.body.method != 0)
            FatalMessageAndExitF("Compressed Zip File Found",
                                 "%s has been created using an unsupported type of compression.  All zip archives "
                                 "must be created with compression set to none or a type of compression supported "
                                 "by the game engine.",
                                 m_path.GetText());
        // A name is looked up as text, so it ends at a zero byte; the stored bytes stay whole for writing back.
        member.name = m_mountPrefix;
        member.name.Append(CString(member.storedName.c_str()));
        m_members.push_back(std::move(member));
        const ZipCentralBody& body = m_members.back().body;
        if (!file.SeekRelative(body.extraLength + body.commentLength) || !ReadExactly(file, bytes, kZipSignatureSize))
            return false;
    }
    return m_members.size() == count;
}

void ZipArchive::SortMembers()
{
    std::stable_sort(m_members.begin(), m_members.end(),
                     [](const ZipMember& a, const ZipMember& b) { return a.body.localOffset < b.body.localOffset; });
    m_nameIndex.resize(m_members.size());
    for (std::size_t i = 0; i < m_members.size(); ++i) m_nameIndex[i] = static_cast<std::int32_t>(i);
    std::stable_sort(m_nameIndex.begin(), m_nameIndex.end(), [this](std::int32_t a, std::int32_t b) {
        return m_members[a].name.CompareNoCase(m_members[b].name) < 0;
    });
}

void ZipArchive::EnsureLoaded()
{
    if (m_loaded || ReadDirectory()) return;
    FatalMessageAndExitF("FATAL ERROR IN ZIP",
                         "There is something wrong with %s.  It may be an empty or damaged archive.", m_path.GetText());
}

bool ZipArchive::Covers(const CString& path) const
{
    const int prefix = m_mountPrefix.GetLength();
    return FolderLength(path) >= prefix && (prefix == 0 || path.CompareNoCase(m_mountPrefix, prefix) == 0);
}

int ZipArchive::Lookup(const CString& path, int* insertAt) const
{
    const auto first =
        std::lower_bound(m_nameIndex.begin(), m_nameIndex.end(), path,
                         [this](std::int32_t i, const CString& p) { return m_members[i].name.CompareNoCase(p) < 0; });
    if (insertAt) *insertAt = static_cast<int>(first - m_nameIndex.begin());
    // Of several members of one name (appended twice), the one written last is the current one.
    int found = -1;
    for (auto it = first; it != m_nameIndex.end() && m_members[*it].name.CompareNoCase(path) == 0; ++it)
        if (found < 0 || m_members[*it].body.localOffset > m_members[found].body.localOffset) found = *it;
    return found;
}

bool ZipArchive::HasMember(const char* path)
{
    EnsureLoaded();
    const CString name = ArchivePath(path);
    return Covers(name) && name.IsNotEmpty() && Lookup(name, nullptr) >= 0;
}

bool ZipArchive::IsWritable(const char* path, bool* writable)
{
    const bool found = HasMember(path);
    if (writable) *writable = m_writable;
    return found;
}

std::int64_t ZipArchive::GetTime(const char* path)
{
    EnsureLoaded();
    const CString name = ArchivePath(path);
    const int index = Covers(name) ? Lookup(name, nullptr) : -1;
    if (index >= 0) return DosToFileTime(m_members[index].body.date, m_members[index].body.time);
    FILETIME write{};
    if (!platform::GetFileTimes(DiskPath(m_path.GetText(), m_openFlags).GetText(), nullptr, nullptr, &write)) return 0;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(write.dwHighDateTime) << 32) | write.dwLowDateTime);
}

bool ZipArchive::GetMemberCount(int* count) const
{
    if (!m_loaded) return false;
    if (count) *count = static_cast<int>(m_members.size());
    return true;
}

long long ZipArchive::DataStart(const ZipMember& member)
{
    std::uint8_t bytes[kZipLocalHeaderSize];
    const long long offset = member.body.localOffset;
    if (!m_file || !m_file->Seek(static_cast<int>(offset)) || !ReadExactly(*m_file, bytes, kZipLocalHeaderSize))
        return -1;
    ZipLocalHeader header;
    header.Parse(bytes);
    if (header.signature != kZipLocalSignature) return -1;
    const long long start = offset + header.DataOffset();
    if (start + DataExtent(member) > m_directoryOffset) return -1;
    return start;
}

long long ZipArchive::EndOfMembers()
{
    if (m_members.empty()) return 0;
    const long long start = DataStart(m_members.back());
    return start < 0 ? -1 : start + m_members.back().body.compressedSize;
}

bool ZipArchive::MeasureMembers(std::vector<long long>* dataStarts)
{
    dataStarts->clear();
    long long previousEnd = 0;
    for (const ZipMember& member : m_members) {
        const long long start = DataStart(member);
        if (start < 0 || member.body.localOffset < previousEnd) return false;
        dataStarts->push_back(start);
        previousEnd = start + DataExtent(member);
    }
    return true;
}

bool ZipArchive::WriteLocalHeader(const ZipMember& member)
{
    std::uint8_t header[kZipLocalHeaderSize];
    ZipLocalHeader::From(member.body).Store(header);
    const int nameLength = static_cast<int>(member.storedName.size());
    return m_file->Seek(static_cast<int>(member.body.localOffset)) &&
           m_file->Write(header, kZipLocalHeaderSize) == kZipLocalHeaderSize &&
           m_file->Write(member.storedName.data(), nameLength) == nameLength;
}

bool ZipArchive::PrepareRewrite(int index)
{
    if (!m_writable || HasOpenStreams()) return false;
    if (!m_fileWritable && !OpenFile(kFileRead | kFileWrite)) return false;

    // Everything the move relies on is checked before a byte moves: a refused rewrite leaves the file as it was.
    std::vector<long long> dataStarts;
    if (!MeasureMembers(&dataStarts)) return false;
    ZipMember& member = m_members[index];
    const long long start = member.body.localOffset;
    const long long memberEnd = dataStarts[index] + member.body.compressedSize;
    const long long end = dataStarts.back() + m_members.back().body.compressedSize;

    if (static_cast<std::size_t>(index) + 1 < m_members.size()) {
        const long long distance = memberEnd - start;
        if (!m_file->CopyRange(static_cast<int>(start), static_cast<int>(memberEnd), static_cast<int>(end - memberEnd)))
            return false;
        for (std::size_t i = index + 1; i < m_members.size(); ++i)
            m_members[i].body.localOffset -= static_cast<std::uint32_t>(distance);
        member.body.localOffset = static_cast<std::uint32_t>(end - distance);
        SortMembers();
    }
    ZipMember& moved = m_members.back();
    moved.body.compressedSize = moved.body.size = moved.body.crc = 0;
    moved.body.method = moved.body.extraLength = 0;
    DosTimeNow(&moved.body.date, &moved.body.time);
    m_dirty = true;
    m_directoryOffset = moved.body.localOffset + kZipLocalHeaderSize + moved.body.nameLength;
    return WriteLocalHeader(moved);
}

bool ZipArchive::RewriteDirectory()
{
    const long long start = EndOfMembers();
    if (start < 0 || !m_file->Seek(static_cast<int>(start))) return false;
    bool ok = true;
    long long size = 0;
    std::uint8_t header[kZipCentralHeaderSize];
    for (ZipMember& member : m_members) {
        // Extra fields and comments are not kept, so the lengths say there are none.
        member.body.extraLength = member.body.commentLength = 0;
        member.body.StoreHeader(header);
        const int nameLength = static_cast<int>(member.storedName.size());
        ok = ok && m_file->Write(header, kZipCentralHeaderSize) == kZipCentralHeaderSize &&
             m_file->Write(member.storedName.data(), nameLength) == nameLength;
        size += member.body.RecordSize();
    }
    ZipEndRecord end;
    end.signature = m_endSignature;
    end.entriesHere = end.entries = static_cast<std::uint16_t>(m_members.size());
    end.directorySize = static_cast<std::uint32_t>(size);
    end.directoryOffset = static_cast<std::uint32_t>(start);
    std::uint8_t bytes[kZipEndRecordSize];
    end.Store(bytes);
    ok = ok && m_file->Write(bytes, kZipEndRecordSize) == kZipEndRecordSize;
    m_file->SetSize(static_cast<int>(start + size + kZipEndRecordSize));
    m_directoryOffset = static_cast<std::uint32_t>(start);
    m_dirty = false;
    return ok;
}

CFileBuf* ZipArchive::OpenMember(const char* path, int flags)
{
    EnsureLoaded();
    const CString name = ArchivePath(path);
    if (!Covers(name) || m_members.empty() || name.IsEmpty()) return nullptr;
    int index = Lookup(name, nullptr);
    if (index < 0) return nullptr;
    if ((flags & kFileListedOnly) && !m_members[index].listed) return nullptr;

    const bool rewrite = (flags & kFileCreate) != 0;
    if (rewrite) {
        if (!PrepareRewrite(index)) return nullptr;
        index = static_cast<int>(m_members.size()) - 1;
    }
    ZipMember& member = m_members[index];
    if (!m_file && !OpenFile(kFileRead | kFileArchiveFile)) return nullptr;
    const long long start = DataStart(member);
    if (start < 0) {
        ReleaseIdleFile();
        return nullptr;
    }
    if ((flags & kFileOwnHandle) && !rewrite) return OpenWithOwnHandle(member, start, flags);
    ++m_users;
    member.open = 1;
    return new ZipMemberReader(this, &member, m_file, false, start, flags);
}

CFileBuf* ZipArchive::OpenWithOwnHandle(ZipMember& member, long long dataStart, int flags)
{
    auto handle = std::make_shared<CFile>();
    const bool opened = handle->Open(m_path.GetText(), m_openFlags | kFileRead | kFileArchiveFile);
    ReleaseIdleFile();
    if (!opened) return nullptr;
    // Counted like the shared streams, so that no rewrite moves the bytes under it.
    ++m_ownHandleStreams;
    return new ZipMemberReader(this, &member, std::move(handle), true, dataStart, flags);
}

void ZipArchive::StreamClosed(ZipMember& member, bool ownHandle)
{
    if (ownHandle) {
        --m_ownHandleStreams;
        return;
    }
    --m_users;
    member.open = 0;
    if (m_dirty && m_fileWritable) {
        RewriteDirectory();
        CloseFile();
    }
    if (m_file) ReleaseIdleFile();
}

void ZipArchive::Enumerate(FileSearchReceiver& receiver, const FileSearchSpec& wanted)
{
    EnsureLoaded();
    const CString folder = ArchivePath(wanted.GetFolder());
    const int shorter = std::min(folder.GetLength(), m_mountPrefix.GetLength());
    if (shorter > 0 && folder.CompareNoCase(m_mountPrefix, shorter) != 0) return;
    const int folderLength = folder.GetLength();
    const bool folders = wanted.GetKind() == FileSearchSpec::kFolders;

    for (int e = 0; e < wanted.GetExtensionCount(); ++e) {
        CString lastReported;
        int position = 0;
        Lookup(folder, &position);
        for (; position < static_cast<int>(m_nameIndex.size()); ++position) {
            ZipMember& member = m_members[m_nameIndex[position]];
            if (folderLength && member.name.CompareNoCase(folder, folderLength) != 0) break;
            const CString rest = member.name.Mid(folderLength);
            if (folders)
                ReportFolders(member, folderLength, rest, wanted, receiver, lastReported);
            else
                ReportFile(member, rest, wanted.GetExtension(e), wanted, receiver);
        }
    }
}
