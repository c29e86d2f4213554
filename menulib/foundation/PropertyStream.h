// The stream of property files: a CFile with the object reference table of the text format, and binary reads
// that report a short or damaged stream.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/CString.h"
#include "foundation/FileFlags.h"

// The IDs of a file's "Object ID" and reference list lines. Streams of this library keep references
// disabled, so the table records no objects.
class ObjectReferenceTable {
public:
    void OfferObjectId(long id) {}
    void SetReferencedIds(std::vector<long> ids) { m_referencedIds = std::move(ids); }
    const std::vector<long>& GetReferencedIds() const { return m_referencedIds; }
    bool IsListRead() const { return m_listRead; }
    void SetListRead() { m_listRead = true; }
    bool referencesDisabled = true;

private:
    bool m_listRead = false;
    std::vector<long> m_referencedIds;
};

class PropertyStream : public CFile {
public:
    PropertyStream() = default;
    ~PropertyStream() override { PropertyStream::Close(); }

    bool Open(const char* path, int flags, bool referencesDisabled);
    // Takes a stream (a CMemoryFileBuf for texts built in memory).
    bool Attach(CFileBuf* stream, int flags, bool referencesDisabled);
    bool Close() override;

    using CFile::WriteLine;
    using CFile::WriteText;
    bool WriteLine(const CString& text) { return CFile::WriteLine(text.GetText()); }
    bool WriteText(const CString& text) { return CFile::WriteText(text.GetText()); }

    using CFile::ReadByte;
    using CFile::ReadInt;
    using CFile::ReadString;
    bool ReadInt(std::int32_t& value);
    bool ReadByte(std::uint8_t& value);
    void WriteFloat(float value);
    bool ReadFloat(float& value);
    // An int32 length, then the bytes; fails when the length is negative or beyond the bytes left.
    bool ReadString(CString& text);
    int BytesLeft();

    ObjectReferenceTable& References() { return m_references; }
    bool ReferencesDisabled() const { return m_references.referencesDisabled; }

private:
    void Reset(bool referencesDisabled);
    ObjectReferenceTable m_references;
    bool m_closed = true;
};

// Counts the objects being read inside one another, in text or binary form. Damaged data that nests objects
// deeper than the limit is refused before its recursion can exhaust the stack.
class ObjectNesting {
public:
    static constexpr int kMaxDepth = 200;
    ObjectNesting() { ++s_depth; }
    ~ObjectNesting() { --s_depth; }
    ObjectNesting(const ObjectNesting&) = delete;
    ObjectNesting& operator=(const ObjectNesting&) = delete;
    bool TooDeep() const { return s_depth > kMaxDepth; }

private:
    static inline int s_depth = 0;
};

// After a line that opened a brace block: reads lines, counting those that begin with '{' and '}' (after
// their blanks), until the block is closed or the file ends.
void SkipRestOfBlock(PropertyStream& stream);
