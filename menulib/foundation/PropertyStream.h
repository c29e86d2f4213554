// The stream of property files: text lines with indenting and the little-endian binary forms, over the bytes
// of a whole file held in memory. Opening for reading loads the file; a stream opened for writing puts its
// bytes on disk when it is closed, through a temporary file and a rename.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/CString.h"

// File open flags.
enum PropertyFileFlags : int {
    kFileCreate = 1,
    kFileWrite = 2,
    kFileRead = 4,
    kFileCreateFolders = 0x100,
    kFileWholeInMemory = 0x200,
    kFileCompressed = 0x800,
};

// The IDs of a file's "Object ID" and reference list lines. Streams of this library keep references
// disabled, so the table records nothing and only bounds what it reads.
class ObjectReferenceTable {
public:
    void OfferObjectId(long id);
    void SetReferencedIds(std::vector<long> ids) { m_referencedIds = std::move(ids); }
    const std::vector<long>& GetReferencedIds() const { return m_referencedIds; }
    bool IsListRead() const { return m_listRead; }
    void SetListRead() { m_listRead = true; }
    bool referencesDisabled = true;

private:
    bool m_listRead = false;
    std::vector<long> m_referencedIds;
};

class PropertyStream {
public:
    PropertyStream() = default;
    ~PropertyStream();
    PropertyStream(const PropertyStream&) = delete;
    PropertyStream& operator=(const PropertyStream&) = delete;

    // Reading (kFileRead) loads the whole file; writing (kFileWrite) starts empty. False when the file
    // cannot be read, or, for writing, when its folder is missing and kFileCreateFolders is not given.
    bool Open(const char* path, int flags, bool referencesDisabled);
    // A stream over bytes in memory (reading them, or writing from empty).
    void Attach(std::string bytes, int flags, bool referencesDisabled);
    // A stream opened for writing puts its bytes into its file; false when that failed.
    bool Close();
    bool IsOpen() const { return m_open; }

    // text
    void WriteText(const char* text);
    void WriteText(const CString& text) { WriteText(text.GetText()); }
    void WriteLine(const char* text);
    void WriteLine(const CString& text) { WriteLine(text.GetText()); }
    void Indent();
    void Unindent();
    void SetIndenting(bool on) { m_indenting = on; }
    bool IsIndenting() const { return m_indenting; }
    bool ReadLine(CString& line);
    bool ReadNonBlankLine(CString& line);

    // binary
    void Write(const void* data, int n);
    bool Read(void* data, int n);
    void WriteInt(std::int32_t value);
    bool ReadInt(std::int32_t& value);
    void WriteByte(std::uint8_t value);
    bool ReadByte(std::uint8_t& value);
    void WriteFloat(float value);
    bool ReadFloat(float& value);
    void WriteString(const char* text);
    // An int32 length, then the bytes; fails when the length is negative or beyond the bytes left.
    bool ReadString(CString& text);

    int Tell() const { return static_cast<int>(m_position); }
    bool Seek(int position);
    int GetSize() const { return static_cast<int>(m_data.size()); }
    int BytesLeft() const { return GetSize() - Tell(); }
    const std::string& Data() const { return m_data; }
    const CString& GetPath() const { return m_path; }
    ObjectReferenceTable& References() { return m_references; }
    bool ReferencesDisabled() const { return m_references.referencesDisabled; }

private:
    std::string m_data;
    std::size_t m_position = 0;
    int m_indentDepth = 0;
    bool m_indenting = true;
    bool m_open = false;
    bool m_writeOnClose = false;
    int m_flags = 0;
    CString m_path;
    ObjectReferenceTable m_references;
};

namespace propertyfile {
// Reads a whole file: the mounted archives and the disk as the library's file layer finds it.
bool ReadWholeFile(const char* path, int flags, std::string& bytes);
// Writes a whole disk file through "<path>.tmp" and a rename, so that a crash mid-write keeps the old file.
bool WriteWholeFile(const char* path, int flags, const std::string& bytes);
// A disk file that may be written: not read-only, or, when missing, in an existing folder.
bool IsFileWritable(const char* path, int flags);
}  // namespace propertyfile
