// The file handle of every file access of the menu library. It owns one stream: a disk file, bytes in memory
// or an archive member. Opening resolves a path against the base folder and the mounted archives.
#pragma once
#include <cstdint>
#include <memory>

#include "foundation/CFileBuf.h"
#include "foundation/CString.h"
#include "foundation/FileFlags.h"

// Told the fraction done, from 0.0 to 1.0, while a file is copied.
using CopyProgress = void (*)(float fraction);

class CFile {
public:
    CFile() = default;
    virtual ~CFile();
    // Closes the stream. For a compressed write the collected bytes go into the target file now: false when
    // they could not be written there.
    virtual bool Close();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const char* path, int flags);
    // Takes an existing stream over, to destroy it at the close (false for null).
    bool Attach(CFileBuf* stream, int flags);
    bool IsOpen() const { return m_stream != nullptr; }
    CFileBuf* GetStream() const { return m_stream.get(); }

    int Write(const void* data, int n);
    bool WriteChar(char ch);
    bool WriteText(const char* text);
    bool WriteCString(const CString& text);
    // The text, "\r\n", then one tab per indent level while indenting is on.
    bool WriteLine(const char* text);
    void Indent();
    void Unindent();
    void SetIndenting(bool on) { m_indenting = on ? 1 : 0; }
    bool IsIndenting() const { return m_indenting != 0; }

    int Read(void* data, int n);
    bool WriteInt(std::int32_t value);
    bool WriteByte(int value);
    // An int32 length, then the bytes without terminator.
    bool WriteString(const char* text);
    std::int32_t ReadInt();
    int ReadByte();
    // A length-prefixed string into buffer (capacity bytes with the terminator). A length that is negative,
    // beyond the bytes left or beyond the buffer sets errno to ERANGE and reads nothing more: false.
    bool ReadString(char* buffer, int capacity);
    // The same into a new malloc block (the old one is freed); false when not open or the length is bad.
    bool ReadAllocatedString(char** buffer);

    bool ReadLine(CString& line);
    bool ReadNonBlankLine(CString& line);
    bool ReadLineInto(char* buffer, int size);

    bool Seek(int position);
    bool SeekRelative(int delta);
    int Tell();
    int GetSize();
    void SetSize(int size);
    // Moves on n bytes; for a stream held in memory returns a pointer to them (null past the end).
    const void* Skip(int n);
    void* DetachBuffer();
    const CString& GetPath() const { return m_path; }
    int GetFlags() const { return m_flags; }
    void SetUserFlag(int value) { m_userFlag = value; }
    int GetUserFlag() const { return m_userFlag; }
    int GetLineCount() const { return m_lineCounter; }
    int GetSmallReads() const { return m_smallReads; }

    // Moves count bytes inside the file toward its start, in pieces of at most 64 KiB.
    bool CopyRange(int destination, int source, int count);
    // Copies this file's bytes into other (both rewound); false on a short read or write.
    bool CopyContents(CFile& other, CopyProgress progress);
    bool CopyTo(const char* destinationPath, int flags, CopyProgress progress);
    bool ContentEquals(CFile& other);

private:
    bool OpenDisk(const char* path, int flags);
    bool ResolveStream(const char* path, int flags);
    bool WriteCompressedTarget();
    void DropStream();
    // Owns the stream from now on, as the open one.
    bool Adopt(std::unique_ptr<CFileBuf> stream, int flags);

    std::unique_ptr<CFileBuf> m_stream;
    std::int32_t m_indentDepth = 0;
    std::uint8_t m_indenting = 1;
    std::int32_t m_flags = 0;
    std::int32_t m_smallReads = 0;
    std::int32_t m_skipPosition = 0;
    std::int32_t m_userFlag = 0;
    CString m_path;
    CString m_targetPath;
    std::int32_t m_lineCounter = 0;
};

bool CopyFileWithProgress(const char* source, int sourceFlags, const char* destination, int destinationFlags,
                          CopyProgress progress);
