#include "foundation/PropertyStream.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/FileState.h"
#include "foundation/PathHelpers.h"
#include "platform/files.h"

void PropertyStream::Reset(bool referencesDisabled)
{
    m_references = ObjectReferenceTable();
    m_references.referencesDisabled = referencesDisabled;
    m_closed = false;
}

bool PropertyStream::Open(const char* path, int flags, bool referencesDisabled)
{
    PropertyStream::Close();
    Reset(referencesDisabled);
    if (CFile::Open(path, flags)) return true;
    m_closed = true;
    return false;
}

bool PropertyStream::Attach(CFileBuf* stream, int flags, bool referencesDisabled)
{
    PropertyStream::Close();
    Reset(referencesDisabled);
    if (CFile::Attach(stream, flags)) return true;
    m_closed = true;
    return false;
}

bool PropertyStream::Close()
{
    // The reference table is finished once; with references disabled there is nothing to write.
    m_closed = true;
    return CFile::Close();
}

bool PropertyStream::ReadInt(std::int32_t& value)
{
    if (BytesLeft() < 4) return false;
    value = CFile::ReadInt();
    return true;
}

bool PropertyStream::ReadByte(std::uint8_t& value)
{
    if (BytesLeft() < 1) return false;
    value = static_cast<std::uint8_t>(CFile::ReadByte());
    return true;
}

void PropertyStream::WriteFloat(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    WriteInt(static_cast<std::int32_t>(bits));
}

bool PropertyStream::ReadFloat(float& value)
{
    std::int32_t bits;
    if (!ReadInt(bits)) return false;
    std::memcpy(&value, &bits, 4);
    return true;
}

bool PropertyStream::ReadString(CString& text)
{
    std::int32_t length;
    if (!ReadInt(length)) return false;
    if (length < 0 || length > BytesLeft()) {
        errno = ERANGE;
        return false;
    }
    char* buffer = text.GetBufferDiscard(length);
    const int got = Read(buffer, length);
    text.ReleaseBuffer(got > 0 ? got : 0);
    return got == length;
}

int PropertyStream::BytesLeft()
{
    const int left = GetSize() - Tell();
    return left > 0 ? left : 0;
}

void SkipRestOfBlock(PropertyStream& stream)
{
    CString line;
    int depth = 1;
    while (depth > 0 && stream.ReadLine(line)) {
        const char first = SkipBlanks(line.GetText())[0];
        if (first == '{') ++depth;
        if (first == '}') --depth;
    }
}
