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

bool ReadExactly(CFile& file, void* data, long long n) { return n >= 0 && file.Read(data, static_cast<int>(n)) == n; }

// Archives whose end record is not in the last 22 bytes: walk the local headers from the start of the file to
// the first central header, then count central headers up to an end record.
bool ScanForDirectory(CFile& file, long long fileSize, std::uint32_t* directoryOffset, std::uint32_t* count)
{
    long long position = 0;
    std::uint8_t bytes[kZipCentralBodySize];
    for (;;) {
        if (position + 4 > fileSize || !file.Seek(static_cast<int>(position)) || !ReadExactly(file, bytes, 4)) return false;
        const std::uint32_t signature = ZipGet32(bytes);
        if (signature == kZipCentralSignature) break;
        if (signature != kZipLocalSignature || !ReadExactly(file, bytes, 26)) return false;
        position += kZipLocalHeaderSize + static_cast<long long>(ZipGet32(bytes + 14)) + ZipGet16(bytes + 22) +
                    ZipGet16(bytes + 24);
    }
    *directoryOffset = static_cast<std::uint32_t>(position);
    *count = 0;
    for (;;) {
        if (!ReadExactly(file, bytes, kZipCentralBodySize)) return false;
        ++*count;
        position += 4 + kZipCentralBodySize + static_cast<long long>(ZipGet16(bytes + 24)) + ZipGet16(bytes + 26) +
                    ZipGet16(bytes + 28);
        if (position + 4 > fileSize || !file.Seek(static_cast<int>(position)) || !ReadExactly(file, bytes, 4)) return false;
        const std::uint32_t signature = ZipGet32(bytes);
        if (IsZipEndSignature(signature)) return true;
        if (signature != kZipCentralSignature) return false;
    }
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
    m_users = 0;
    m_path.Empty();
    m_mountPrefix.Empty();
}

void ZipArchive::CloseFile()
{
    delete m_file;
    m_file = nullptr;
    m_fileWritable = false;
}

bool ZipArchive::OpenFile(int extraFlags)
{
    CloseFile();
    m_file = new CFile;
    if (!m_file->Open(m_path.GetText(), m_openFlags | extraFlags)) {
        CloseFile();
        return false;
    }
    m_fileWritable = (extraFlags & kFileWrite) != 0;
    return true;
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
    std::uint8_t bytes[kZipCentralBodySize];
    bool found = false;
    if (fileSize >= kZipEndRecordSize && file.Seek(static_cast<int>(fileSize - kZipEndRecordSize)) &&
        ReadExactly(file, bytes, 4) && IsZipEndSignature(ZipGet32(bytes))) {
        m_endSignature = ZipGet32(bytes);
        found = ReadExactly(file, bytes, 18);
        count = ZipGet16(bytes + 6);
        directoryOffset = ZipGet32(bytes + 12);
    }
    if (!found) found = ScanForDirectory(file, fileSize, &directoryOffset, &count);
    // Every central header takes at least 46 bytes of the file.
    if (!found || directoryOffset > fileSize || count > fileSize / (4 + kZipCentralBodySize) ||
        !file.Seek(static_cast<int>(directoryOffset)) || !ReadExactly(file, bytes, 4)) {
        CloseFile();
        return false;
    }

    m_members.reserve(count);
    while (ZipGet32(bytes) == kZipCentralSignature && m_members.size() < count) {
        ZipMember member;
        CString stored;
        if (!ReadExactly(file, bytes, kZipCentralBodySize)) break;
        member.body.Parse(bytes);
        char* name = stored.GetBufferDiscard(member.body.nameLength);
        const bool nameRead = ReadExactly(file, name, member.body.nameLength);
        stored.ReleaseBuffer(nameRead ? member.body.nameLength : 0);
        if (!nameRead) break;
        if (member.body.method != 0)
            FatalMessageAndExitF("Compressed Zip File Found",
                                 "%s has been created using an unsupported type of compression.  All zip archives "
                                 "must be created with compression set to none or a type of compression supported "
                                 "by the game engine.",
                                 m_path.GetText());
        member.name = m_mountPrefix;
        member.name.Append(stored);
        m_members.push_back(member);
        if (!file.SeekRelative(member.body.extraLength + member.body.commentLength) || !ReadExactly(file, bytes, 4)) {
            m_members.clear();
            break;
        }
    }
    if (m_members.size() != count) {  // a short read on the way
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
    FatalMessageAndExitF("FATAL ERROR IN ZIP", "There is something wrong with %s.  It may be an empty or damaged archive.",
                         m_path.GetText());
}

bool ZipArchive::Covers(const CString& path) const
{
    const int prefix = m_mountPrefix.GetLength();
    return FolderLength(path) >= prefix && (prefix == 0 || path.CompareNoCase(m_mountPrefix, prefix) == 0);
}

int ZipArchive::Lookup(const CString& path, int* insertAt) const
{
    const auto first = std::lower_bound(m_nameIndex.begin(), m_nameIndex.end(), path,
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

CString ZipArchive::StoredName(const ZipMember& member) const { return member.name.Mid(m_mountPrefix.GetLength()); }

long long ZipArchive::DataStart(const ZipMember& member)
{
    std::uint8_t header[kZipLocalHeaderSize];
    const long long offset = member.body.localOffset;
    if (!m_file || !m_file->Seek(static_cast<int>(offset)) || !ReadExactly(*m_file, header, kZipLocalHeaderSize) ||
        ZipGet32(header) != kZipLocalSignature)
        return -1;
    const long long start = offset + kZipLocalHeaderSize + ZipGet16(header + 26) + ZipGet16(header + 28);
    const long long size = std::max(member.body.compressedSize, member.body.size);
    if (start + size > m_directoryOffset) return -1;
    return start;
}

long long ZipArchive::EndOfMembers()
{
    if (m_members.empty()) return 0;
    const long long start = DataStart(m_members.back());
    return start < 0 ? -1 : start + m_members.back().body.compressedSize;
}

bool ZipArchive::WriteLocalHeader(const ZipMember& member)
{
    std::uint8_t header[kZipLocalHeaderSize];
    member.body.StoreLocalHeader(header);
    const CString stored = StoredName(member);
    return m_file->Seek(static_cast<int>(member.body.localOffset)) &&
           m_file->Write(header, kZipLocalHeaderSize) == kZipLocalHeaderSize &&
           m_file->Write(stored.GetText(), stored.GetLength()) == stored.GetLength();
}

bool ZipArchive::PrepareRewrite(int index)
{
    if (!m_writable || m_users > 0) return false;
    for (const ZipMember& member : m_members)
        if (member.open) return false;
    if (!m_fileWritable && !OpenFile(kFileRead | kFileWrite)) return false;

    // Every member from this one on must lie inside the members' part of the file before anything moves.
    ZipMember& member = m_members[index];
    for (std::size_t i = index; i < m_members.size(); ++i)
        if (DataStart(m_members[i]) < 0) return false;
    const long long start = member.body.localOffset;
    const long long memberEnd = DataStart(member) + member.body.compressedSize;
    const long long end = EndOfMembers();

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
    std::uint8_t bytes[4 + kZipCentralBodySize];
    for (ZipMember& member : m_members) {
        // Extra fields and comments are not kept, so the lengths say there are none.
        member.body.extraLength = member.body.commentLength = 0;
        ZipPut32(bytes, kZipCentralSignature);
        member.body.Store(bytes + 4);
        const CString stored = StoredName(member);
        ok = ok && m_file->Write(bytes, sizeof bytes) == static_cast<int>(sizeof bytes) &&
             m_file->Write(stored.GetText(), stored.GetLength()) == stored.GetLength();
        size += sizeof bytes + stored.GetLength();
    }
    std::uint8_t end[kZipEndRecordSize] = {};
    ZipPut32(end, m_endSignature);
    ZipPut16(end + 8, static_cast<std::uint32_t>(m_members.size()));
    ZipPut16(end + 10, static_cast<std::uint32_t>(m_members.size()));
    ZipPut32(end + 12, static_cast<std::uint32_t>(size));
    ZipPut32(end + 16, static_cast<std::uint32_t>(start));
    ok = ok && m_file->Write(end, kZipEndRecordSize) == kZipEndRecordSize;
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
        if (m_users == 0 && !m_keepOpen) CloseFile();
        return nullptr;
    }
    if ((flags & kFileOwnHandle) && !rewrite) {
        auto* handle = new CFile;
        if (!handle->Open(m_path.GetText(), m_openFlags | kFileRead | kFileArchiveFile)) {
            delete handle;
            return nullptr;
        }
        if (m_users == 0 && !m_keepOpen) CloseFile();
        return new ZipMemberReader(this, &member, handle, true, start, flags);
    }
    ++m_users;
    member.open = 1;
    return new ZipMemberReader(this, &member, m_file, false, start, flags);
}

void ZipArchive::Enumerate(FileSearchReceiver& receiver, const FileSearchSpec& spec)
{
    EnsureLoaded();
    const CString folder = ArchivePath(spec.GetFolder());
    const int shorter = std::min(folder.GetLength(), m_mountPrefix.GetLength());
    if (shorter > 0 && folder.CompareNoCase(m_mountPrefix, shorter) != 0) return;
    const int folderLength = folder.GetLength();
    const CString namePrefix(spec.GetNamePrefix());
    const bool folders = spec.GetKind() == FileSearchSpec::kFolders;

    for (int e = 0; e < spec.GetExtensionCount(); ++e) {
        CString dotExtension(".");
        dotExtension.Append(spec.GetExtension(e));
        CString lastReported;
        int position = 0;
        Lookup(folder, &position);
        for (; position < static_cast<int>(m_nameIndex.size()); ++position) {
            ZipMember& member = m_members[m_nameIndex[position]];
            if (folderLength && member.name.CompareNoCase(folder, folderLength) != 0) break;
            const CString rest = member.name.Mid(folderLength);
            if (folders) {
                const int restFolder = FolderLength(rest);
                for (int at = 0; at < restFolder;) {
                    const int slash = rest.FindChar('/', at);
                    const CString component = rest.Mid(at, slash - at);
                    if (component.IsNotEmpty() && (namePrefix.IsEmpty() || component.CompareNoCase(namePrefix, namePrefix.GetLength()) == 0)) {
                        const CString reported = spec.GetNameForm() == FileSearchSpec::kBareNames
                                                     ? component
                                                     : member.name.Left(folderLength + slash);
                        if (reported.CompareNoCase(lastReported) != 0) {
                            lastReported = reported;
                            if (!receiver.IsListed(reported.GetText())) receiver.Add(reported.GetText(), FileInfo{});
                        }
                    }
                    if (spec.GetRecursion() == FileSearchSpec::kNoDescent) break;
                    if (spec.GetRecursion() == FileSearchSpec::kSkipDashedFolders && component.GetAt(0) == '-') break;
                    at = slash + 1;
                }
                continue;
            }
            if (spec.GetExtension(e).IsNotEmpty() && member.name.Right(dotExtension.GetLength()).CompareNoCase(dotExtension) != 0)
                continue;
            if (spec.GetRecursion() == FileSearchSpec::kSkipDashedFolders) {
                bool insideItemFolder = false;
                for (int at = 0, slash; (slash = rest.FindChar('/', at)) >= 0; at = slash + 1)
                    if (rest.GetAt(at) == '-') insideItemFolder = true;
                if (insideItemFolder) continue;
            }
            const CString reported =
                spec.GetNameForm() == FileSearchSpec::kBareNames ? CString(FindFileName(member.name.GetText())) : member.name;
            const bool added = !receiver.IsListed(reported.GetText());
            if (added) {
                FileInfo info;
                info.size = static_cast<std::int32_t>(member.body.size);
                info.time = DosToFileTime(member.body.date, member.body.time);
                receiver.Add(reported.GetText(), info);
            }
            member.listed = added ? 1 : 0;
        }
    }
}
