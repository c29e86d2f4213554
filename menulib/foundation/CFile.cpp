#include "foundation/CFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileState.h"
#include "foundation/MallocBlock.h"
#include "foundation/PathHelpers.h"
#include "foundation/VirtualFileTree.h"
#include "foundation/ZipMemberWriter.h"
#include "platform/files.h"
#include "platform/win32_files.h"

namespace {

constexpr int kMovePiece = 65536;
constexpr int kCopyPiece = 524288;
constexpr const char* kStreamPathPrefix = "~CFileBuf 0x";

// "~CFileBuf 0x" and 8 hex digits, two a byte, lowest byte first: the stream of that address, when one lives
// there. Any other text is an ordinary path.
CFileBuf* StreamFromPseudoPath(const char* path)
{
    const std::size_t prefix = std::strlen(kStreamPathPrefix);
    if (std::strncmp(path, kStreamPathPrefix, prefix) != 0) return nullptr;
    const char* digits = path + prefix;
    std::uintptr_t address = 0;
    for (int byte = 0; byte < 8; ++byte) {
        unsigned value = 0;
        for (int k = 0; k < 2; ++k) {
            const char c = digits[byte * 2 + k];
            int nibble;
            if (c >= '0' && c <= '9')
                nibble = c - '0';
            else if (c >= 'a' && c <= 'f')
                nibble = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                nibble = c - 'A' + 10;
            else
                return byte >= 4 && k == 0 ? CFileBuf::FindLive(address) : nullptr;
            value = value * 16 + nibble;
        }
        address |= static_cast<std::uintptr_t>(value) << (8 * byte);
    }
    return CFileBuf::FindLive(address);
}

// Room for one piece of a copy of total bytes: no more than the whole.
std::size_t PieceSize(int total, int piece)
{
    return static_cast<std::size_t>(total <= 0 ? 0 : total < piece ? total : piece);
}

void NoteOpen()
{
    FileSystemState& state = FileState();
    if (++state.openFiles > state.mostOpenFiles) state.mostOpenFiles = state.openFiles;
}

}  // namespace

CFile::~CFile() { CFile::Close(); }

void CFile::DropStream()
{
    if (!m_stream) return;
    m_stream->Close();
    m_stream.reset();
    --FileState().openFiles;
}

bool CFile::Close()
{
    if (!m_stream) return true;
    bool ok = true;
    // Only a compressed write that Open began has a target; an attached stream with these flags has none.
    if ((m_flags & kFileCompressed) && (m_flags & kFileWrite) && m_targetPath.IsNotEmpty()) {
        ok = WriteCompressedTarget();
        m_flags &= ~kFileCompressed;
        m_targetPath.Empty();
    }
    DropStream();
    return ok;
}

// The memory stream's bytes as one compressed block into the target. A new disk file is written through a
// temporary file and a rename, so that a crash mid-write keeps the old file; archive members go through their
// archive.
bool CFile::WriteCompressedTarget()
{
    auto* memory = static_cast<CMemoryFileBuf*>(m_stream.get());
    const char* path = m_targetPath.GetText();
    const int flags = m_flags & ~kFileCompressed;
    const bool absolute = (flags & kFileAbsolute) || IsAbsolutePath(path);
    // The same archives that an open for writing would save through.
    const bool member = std::strchr(path, ';') ||
                        (!absolute && FileState().archivesMounted && VirtualFileTree::Instance().HoldsMember(path));
    if (member || !(flags & kFileCreate) || (flags & kFileNotOnDisk)) {
        CFile target;
        bool ok =
            target.Open(path, flags) &&
            CompressedBlockCodec::WriteBlock(target, memory->GetData(), memory->Size(), CompressedBlockCodec::kLevel);
        return target.Close() && ok;
    }
    CMemoryFileBuf packed;
    return CompressedBlockCodec::WriteBlock(packed, memory->GetData(), memory->Size(), CompressedBlockCodec::kLevel) &&
           WriteDiskFileAtomically(path, flags, packed.GetData(), packed.Size());
}

bool CFile::Attach(CFileBuf* stream, int flags) { return stream && Adopt(std::unique_ptr<CFileBuf>(stream), flags); }

bool CFile::Adopt(std::unique_ptr<CFileBuf> stream, int flags)
{
    Close();
    m_stream = std::move(stream);
    m_flags = flags;
    NoteOpen();
    return true;
}

bool CFile::Open(const char* path, int flags)
{
    Close();
    m_path = path;
    m_smallReads = m_skipPosition = m_userFlag = m_lineCounter = 0;
    if (!path || !*path) return false;

    if (CFileBuf* stream = StreamFromPseudoPath(path)) return Attach(stream, flags);

    if ((flags & kFileCompressed) && (flags & kFileWrite)) {
        m_targetPath = path;
        return Adopt(std::make_unique<CMemoryFileBuf>(), flags);
    }
    if ((flags & kFileCompressed) && (flags & kFileRead)) {
        if (!Open(path, flags & ~(kFileCompressed | kFileInMemory))) return false;
        m_path = path;
        const int start = Tell();
        int size = 0;
        bool damaged = false;
        std::uint8_t* bytes = CompressedBlockCodec::ReadBlock(*this, &size, &damaged);
        if (damaged) {  // a block that does not inflate fails the open
            Close();
            return false;
        }
        if (bytes) {
            DropStream();
            Adopt(std::make_unique<CMemoryFileBuf>(bytes, size), flags);
        } else {
            Seek(start);  // not a compressed block: read as it is
        }
        return true;
    }
    if (flags & kFileInMemory) {
        if (!Open(path, flags & ~kFileInMemory)) return false;
        m_path = path;
        const int size = GetSize();
        MallocBlock<std::uint8_t> bytes(static_cast<std::uint8_t*>(std::malloc(size > 0 ? size : 1)));
        Seek(0);
        if (!bytes || Read(bytes.get(), size) != size) {
            Close();
            return false;
        }
        DropStream();
        return Adopt(std::make_unique<CMemoryFileBuf>(bytes.release(), size), flags);
    }

    if (IsAbsolutePath(path)) flags |= kFileAbsolute | kFileAbsoluteMark;
    m_flags = flags;
    if (!ResolveStream(path, flags)) return false;
    m_stream->SetOwnsFile(true);
    NoteOpen();
    return true;
}

bool CFile::ResolveStream(const char* path, int flags)
{
    const bool write = flags & kFileWrite, create = flags & kFileCreate;
    const bool useTree = FileState().archivesMounted && !(flags & kFileAbsolute);
    const bool disk = !(flags & kFileNotOnDisk);
    VirtualFileTree& tree = VirtualFileTree::Instance();

    if (write && create) {
        if (const char* split = std::strchr(path, ';')) {
            const CString archive(path, static_cast<int>(split - path));
            m_stream.reset(CreateMemberWriter(archive.GetText(), split + 1));
            return m_stream != nullptr;
        }
        // A member is saved through its archive or not at all: reads would go on finding the archive's copy
        // rather than a loose file beside it.
        if (useTree && tree.HoldsMember(path)) {
            m_stream.reset(tree.Open(path, flags));
            return m_stream != nullptr;
        }
        return disk && OpenDisk(path, flags);
    }
    if (write) return disk && OpenDisk(path, flags);

    if (useTree) m_stream.reset(tree.Open(path, flags | kFileListedOnly));
    if (!m_stream && disk) OpenDisk(path, flags);
    if (!m_stream && useTree) m_stream.reset(tree.Open(path, flags & ~kFileListedOnly));
    return m_stream != nullptr;
}

bool CFile::OpenDisk(const char* path, int flags)
{
    const CString full = DiskPath(path, flags);
    const bool write = flags & kFileWrite;
    if (write && (flags & kFileClearReadOnly) && IsReadOnly(full.GetText())) SetReadOnly(full.GetText(), false);

    std::FILE* file = nullptr;
    if (write && (flags & kFileCreate)) {
        file = platform::OpenFile(full.GetText(), "wb");
        if (!file && (flags & kFileMakeFolders) && GetFileAttributesA(full.GetText()) == INVALID_FILE_ATTRIBUTES) {
            CString folder;
            SplitPath(full, &folder, nullptr);
            if (folder.IsNotEmpty()) CreateFolderPath(folder.GetText());
            file = platform::OpenFile(full.GetText(), "wb");
        }
    } else {
        const char* mode = write ? "r+b" : "rb";
        file = platform::OpenFile(full.GetText(), mode);
        if (!file && !(flags & kFileAbsolute)) file = platform::OpenFile(path, mode);
    }
    if (!file) return false;
    m_stream = std::make_unique<CFileBuf>(file, true);
    return true;
}

// --- writing ---------------------------------------------------------------------------------------------------

int CFile::Write(const void* data, int n) { return m_stream ? m_stream->Write(data, n) : 0; }
bool CFile::WriteChar(char ch) { return Write(&ch, 1) == 1; }

bool CFile::WriteText(const char* text)
{
    if (!text) return true;
    const int n = static_cast<int>(std::strlen(text));
    return Write(text, n) == n;
}

bool CFile::WriteCString(const CString& text)
{
    return Write(text.GetText(), text.GetByteLength()) == text.GetByteLength();
}

bool CFile::WriteLine(const char* text)
{
    bool ok = WriteText(text) && WriteText("\r\n");
    if (m_indenting)
        for (int i = 0; i < m_indentDepth; ++i) ok = WriteChar('\t') && ok;
    ++m_lineCounter;
    return ok;
}

void CFile::Indent()
{
    if (!m_indenting) return;
    ++m_indentDepth;
    WriteChar('\t');
}

void CFile::Unindent()
{
    if (!m_indenting || m_indentDepth <= 0) return;
    --m_indentDepth;
    SeekRelative(-1);
}

bool CFile::WriteInt(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    return Write(bytes, 4) == 4;
}

bool CFile::WriteByte(int value)
{
    const auto byte = static_cast<std::uint8_t>(value);
    return Write(&byte, 1) == 1;
}

bool CFile::WriteString(const char* text)
{
    const int n = text ? static_cast<int>(std::strlen(text)) : 0;
    return WriteInt(n) && Write(text, n) == n;
}

// --- reading ---------------------------------------------------------------------------------------------------

int CFile::Read(void* data, int n)
{
    if (!m_stream) return 0;
    if (n < 2000) ++m_smallReads;
    return m_stream->Read(data, n);
}

std::int32_t CFile::ReadInt()
{
    std::uint8_t bytes[4] = {};
    Read(bytes, 4);
    return static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[3]) << 24));
}

int CFile::ReadByte()
{
    std::uint8_t byte = 0;
    Read(&byte, 1);
    return byte;
}

bool CFile::ReadString(char* buffer, int capacity)
{
    if (!m_stream || !buffer || capacity <= 0) return false;
    const std::int32_t length = ReadInt();
    if (length < 0 || length > GetSize() - Tell() || length >= capacity) {
        errno = ERANGE;
        return false;
    }
    const int got = Read(buffer, length);
    buffer[got] = 0;
    return got == length;
}

bool CFile::ReadAllocatedString(char** buffer)
{
    if (!buffer) return false;
    std::free(*buffer);
    *buffer = nullptr;
    if (!m_stream) return false;
    const std::int32_t length = ReadInt();
    if (length < 0 || length > GetSize() - Tell()) {
        errno = ERANGE;
        return false;
    }
    MallocBlock<char> text(static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1)));
    if (!text) return false;
    const int got = Read(text.get(), length);
    text[got] = 0;
    *buffer = text.release();
    return got == length;
}

bool CFile::ReadLine(CString& line)
{
    if (!m_stream) {
        line.Clear();
        return false;
    }
    ++m_lineCounter;
    return m_stream->ReadLine(line);
}

bool CFile::ReadNonBlankLine(CString& line)
{
    while (ReadLine(line))
        if (line.CountLeadingBlanks() < line.GetLength()) return true;
    return false;
}

bool CFile::ReadLineInto(char* buffer, int size)
{
    static CString line;
    if (!buffer || size <= 0 || !ReadLine(line)) return false;
    const int length = line.GetLength();
    if (length + 1 > size) return false;
    std::memcpy(buffer, line.GetText(), static_cast<std::size_t>(length) + 1);
    return true;
}

// --- positions -------------------------------------------------------------------------------------------------

bool CFile::Seek(int position) { return m_stream && m_stream->Seek(position); }
bool CFile::SeekRelative(int delta) { return m_stream && m_stream->SeekRelative(delta); }
int CFile::Tell() { return m_stream ? m_stream->Tell() : -1; }
int CFile::GetSize() { return m_stream ? m_stream->Size() : 0; }

void CFile::SetSize(int size)
{
    if (m_stream) m_stream->SetSize(size);
}

const void* CFile::Skip(int n)
{
    if (!m_stream) return nullptr;
    m_skipPosition += n;
    if (m_stream->CanSkip()) return m_stream->Skip(n);
    m_stream->SeekRelative(n);
    return nullptr;
}

void* CFile::DetachBuffer() { return m_stream ? m_stream->DetachBuffer() : nullptr; }

// --- copies ----------------------------------------------------------------------------------------------------

bool CFile::CopyRange(int destination, int source, int count)
{
    if (destination == source || count == 0) return true;
    if (destination > source || count < 0 || !m_stream) return false;
    std::vector<std::uint8_t> piece(count < kMovePiece ? count : kMovePiece);
    bool ok = true;
    for (int done = 0; ok && done < count;) {
        const int n = count - done < kMovePiece ? count - done : kMovePiece;
        ok = Seek(source + done) && Read(piece.data(), n) == n && Seek(destination + done) &&
             Write(piece.data(), n) == n;
        done += n;
    }
    return ok;
}

bool CFile::CopyContents(CFile& other, CopyProgress progress)
{
    if (!m_stream || !other.m_stream) return false;
    Seek(0);
    other.Seek(0);
    const int size = GetSize();
    if (progress) progress(0.0f);
    std::vector<std::uint8_t> piece(PieceSize(size, kCopyPiece));
    bool ok = true;
    for (int remaining = size; ok && remaining > 0;) {
        if (progress) progress(static_cast<float>(size - remaining) / static_cast<float>(size));
        const int n = remaining < kCopyPiece ? remaining : kCopyPiece;
        ok = Read(piece.data(), n) == n && other.Write(piece.data(), n) == n;
        remaining -= n;
    }
    if (ok && progress) progress(1.0f);
    return ok;
}

bool CFile::CopyTo(const char* destinationPath, int flags, CopyProgress progress)
{
    CFile destination;
    if (!destination.Open(destinationPath, flags | kFileCreate | kFileWrite)) return false;
    const bool copied = CopyContents(destination, progress);
    return destination.Close() && copied;
}

bool CFile::ContentEquals(CFile& other)
{
    if (!m_stream || !other.m_stream) return false;
    const int size = GetSize();
    if (size != other.GetSize()) return false;
    Seek(0);
    other.Seek(0);
    std::vector<std::uint8_t> mine(PieceSize(size, kMovePiece)), theirs(PieceSize(size, kMovePiece));
    bool equal = true;
    for (int done = 0; equal && done < size;) {
        const int n = size - done < kMovePiece ? size - done : kMovePiece;
        equal = Read(mine.data(), n) == n && other.Read(theirs.data(), n) == n &&
                std::memcmp(mine.data(), theirs.data(), n) == 0;
        done += n;
    }
    return equal;
}

bool CopyFileWithProgress(const char* source, int sourceFlags, const char* destination, int destinationFlags,
                          CopyProgress progress)
{
    CFile file;
    return file.Open(source, sourceFlags | kFileRead) && file.CopyTo(destination, destinationFlags, progress);
}
