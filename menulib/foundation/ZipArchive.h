// A zip file whose members are stored without compression: its directory, members found by full path, and
// member streams. A writable archive rewrites a member in place at its end.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/CString.h"
#include "foundation/ZipFormat.h"

class CFile;
class CFileBuf;
class FileSearchReceiver;
class FileSearchSpec;

struct ZipMember {
    CString name;            // mount prefix + stored name, up to the stored name's first zero byte
    std::string storedName;  // the stored name's bytes, all nameLength of them, written back as they were
    ZipCentralBody body;
    std::uint8_t open = 0;    // a member stream is open on it
    std::uint8_t listed = 0;  // the last file search reported it
};

class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // mountPrefix "/" means no prefix. With deferDirectory the directory is read on first use.
    bool Open(const char* path, bool writable, const char* mountPrefix, bool deferDirectory, int flags);
    void Close();
    bool HasMember(const char* path);
    // The member's stream, or null. Flag 0x1 rewrites the member: it moves to the end of the file, empty.
    CFileBuf* OpenMember(const char* path, int flags);
    // True when the member exists; writable tells whether members may be rewritten.
    bool IsWritable(const char* path, bool* writable);
    // The member's time as a file time; the archive file's own write time when the member is not found.
    std::int64_t GetTime(const char* path);
    void Enumerate(FileSearchReceiver& receiver, const FileSearchSpec& wanted);
    bool GetMemberCount(int* count) const;
    // Reads the directory when it is not read yet; a directory that cannot be read ends the process.
    void EnsureLoaded();
    bool ReadDirectory();

    const CString& GetPath() const { return m_path; }
    const CString& GetMountPrefix() const { return m_mountPrefix; }
    std::uint32_t GetEndSignature() const { return m_endSignature; }

private:
    friend class ZipMemberReader;

    bool Covers(const CString& path) const;
    bool ReadCentralHeaders(CFile& file, std::uint32_t count);
    bool HasOpenStreams() const { return m_users > 0 || m_ownHandleStreams > 0; }
    // Index into m_members of the member of that name (the newest of equal names), or -1; insertAt is the
    // first position of the name index whose name is not below path.
    int Lookup(const CString& path, int* insertAt) const;
    void SortMembers();
    // The start of a member's data from its own local header; -1 when the header or the data lie outside
    // the members' part of the file.
    long long DataStart(const ZipMember& member);
    long long EndOfMembers();
    // The data start of every member, in file order; false unless each member's header and data lie inside the
    // members' part of the file and no two members overlap or share a local header.
    bool MeasureMembers(std::vector<long long>* dataStarts);
    bool OpenFile(int extraFlags);
    // Closes the file when no member stream needs it and the archive is not kept open.
    void ReleaseIdleFile();
    CFileBuf* OpenWithOwnHandle(ZipMember& member, long long dataStart, int flags);
    bool PrepareRewrite(int index);
    bool WriteLocalHeader(const ZipMember& member);
    bool RewriteDirectory();
    // A member stream is closing: a finished rewrite writes the directory; an idle file is closed.
    void StreamClosed(ZipMember& member, bool ownHandle);
    void CloseFile();

    bool m_loaded = false;
    bool m_keepOpen = false;
    bool m_dirty = false;
    // Shared with the member streams that read through it: a stream keeps it alive after the archive lets go.
    std::shared_ptr<CFile> m_file;
    bool m_fileWritable = false;
    CString m_path;
    CString m_mountPrefix;
    std::vector<ZipMember> m_members;       // in file order
    std::vector<std::int32_t> m_nameIndex;  // member indices sorted by name, case-insensitive
    std::int32_t m_users = 0;               // member streams sharing m_file
    std::int32_t m_ownHandleStreams = 0;    // member streams with a handle of their own
    std::int32_t m_openFlags = 0;
    std::uint32_t m_endSignature = kZipEndSignature;
    std::uint32_t m_directoryOffset = 0;
    bool m_writable = false;
};
