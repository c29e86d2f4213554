#include "foundation/CFileBuf.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

#include "foundation/Crc32.h"
#include "foundation/ProcessWide.h"
#include "foundation/SmallBlockPool.h"

namespace {

// Every stream that exists now, so that an address given as text is only ever taken for a real stream.
struct LiveStreams {
    std::mutex lock;
    std::set<CFileBuf*> streams;
};
LiveStreams& Live()
{
    static LiveStreams* live = NewProcessWide<LiveStreams>(ReleaseStage::Objects);
    return *live;
}

constexpr int kPiece = 65536;

}  // namespace

void* CFileBuf::operator new(std::size_t size) { return PoolAlloc(size); }
void CFileBuf::operator delete(void* block, std::size_t size) { PoolFree(block, size); }

CFileBuf::CFileBuf()
{
    std::lock_guard<std::mutex> hold(Live().lock);
    Live().streams.insert(this);
}

CFileBuf::CFileBuf(std::FILE* file, bool ownsFile) : CFileBuf()
{
    m_file = std::unique_ptr<std::FILE, CloseFileWhenOwned>(file, CloseFileWhenOwned{ownsFile});
}

CFileBuf::~CFileBuf()
{
    std::lock_guard<std::mutex> hold(Live().lock);
    Live().streams.erase(this);
}

CFileBuf* CFileBuf::FindLive(std::uintptr_t address)
{
    std::lock_guard<std::mutex> hold(Live().lock);
    auto it = Live().streams.find(reinterpret_cast<CFileBuf*>(address));
    return it == Live().streams.end() ? nullptr : *it;
}

void CFileBuf::Switch(LastAccess next)
{
    // The C runtime needs a positioning call between a read and a write on one file.
    if (m_last != LastAccess::None && m_last != next) std::fseek(m_file.get(), 0, SEEK_CUR);
    m_last = next;
}

int CFileBuf::Write(const void* data, int n)
{
    if (!m_file || n <= 0) return 0;
    Switch(LastAccess::Write);
    return static_cast<int>(std::fwrite(data, 1, n, m_file.get()));
}

int CFileBuf::Read(void* data, int n)
{
    if (!m_file || n <= 0) return 0;
    Switch(LastAccess::Read);
    return static_cast<int>(std::fread(data, 1, n, m_file.get()));
}

bool CFileBuf::SeekRelative(int delta)
{
    if (!m_file) return false;
    m_last = LastAccess::None;
    return std::fseek(m_file.get(), delta, SEEK_CUR) == 0;
}

bool CFileBuf::Seek(int position)
{
    if (!m_file || position < 0) return false;
    m_last = LastAccess::None;
    return std::fseek(m_file.get(), position, SEEK_SET) == 0;
}

int CFileBuf::Tell() { return m_file ? static_cast<int>(std::ftell(m_file.get())) : -1; }

int CFileBuf::Size()
{
    if (!m_file) return 0;
    std::FILE* file = m_file.get();
    const long position = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, position, SEEK_SET);
    m_last = LastAccess::None;
    return static_cast<int>(size);
}

void CFileBuf::SetSize(int size)
{
    if (!m_file || size < 0) return;
    std::fflush(m_file.get());
    if (::ftruncate(fileno(m_file.get()), size) != 0) return;
    m_last = LastAccess::None;
}

void CFileBuf::Close()
{
    m_file.reset();
    m_last = LastAccess::None;
}

bool CFileBuf::ReadLine(CString& line)
{
    line.Clear();
    const int start = Tell();
    if (start < 0) return false;
    int room = line.GetFreeCapacity() > 80 ? line.GetFreeCapacity() : 80;
    for (;;) {
        char* text = line.GetBufferDiscard(room);
        Seek(start);
        const int got = Read(text, room - 1);
        int end = 0;
        while (end < got && text[end] != '\r' && text[end] != '\n') ++end;
        if (end == got) {
            if (got == room - 1) {  // no line end yet and more to read: try again with twice the room
                room *= 2;
                continue;
            }
            line.ReleaseBuffer(got);
            return got > 0;
        }
        const char first = text[end];
        line.ReleaseBuffer(end);
        // "\r\n" and "\n\r" are one break, and so is "\r\r\n"; "\n\n" and "\r\r" are two.
        unsigned char after[2] = {0, 0};
        Seek(start + end + 1);
        const int have = Read(after, 2);
        int extra = 0;
        if (have >= 1 && (after[0] == '\r' || after[0] == '\n') && after[0] != first)
            extra = 1;
        else if (first == '\r' && have == 2 && after[0] == '\r' && after[1] == '\n')
            extra = 2;
        Seek(start + end + 1 + extra);
        return true;
    }
}

std::uint32_t CFileBuf::Crc32()
{
    Seek(0);
    std::vector<std::uint8_t> piece(kPiece);
    std::uint32_t crc = 0;
    for (int got; (got = Read(piece.data(), kPiece)) > 0;) crc = Crc32Update(crc, piece.data(), got);
    return crc;
}

// --- memory streams --------------------------------------------------------------------------------------------

CMemoryFileBuf::CMemoryFileBuf(void* data, int size)
    : m_size(size > 0 ? size : 0), m_capacity(m_size), m_data(static_cast<std::uint8_t*>(data))
{
}

// Room for needed bytes: the block grows to the larger of needed, one and a half times its room, and its room
// plus 4. False when the room cannot be had.
bool CMemoryFileBuf::Reserve(long long needed)
{
    if (needed <= m_capacity) return true;
    long long capacity = m_capacity + m_capacity / 2;
    if (capacity < m_capacity + 4) capacity = m_capacity + 4;
    if (capacity < needed) capacity = needed;
    if (capacity > 0x7FFFFFFF) capacity = needed;
    MallocBlock<std::uint8_t> grown(static_cast<std::uint8_t*>(std::malloc(capacity)));
    if (!grown) return false;
    if (m_size) std::memcpy(grown.get(), m_data.get(), m_size);
    m_data = std::move(grown);
    m_capacity = static_cast<std::int32_t>(capacity);
    return true;
}

CMemoryFileBuf::~CMemoryFileBuf() { CMemoryFileBuf::Close(); }

int CMemoryFileBuf::Write(const void* data, int n)
{
    if (n <= 0) return 0;
    const long long needed = static_cast<long long>(m_position) + n;
    if (needed > 0x7FFFFFFF || !Reserve(needed)) return 0;
    if (m_position > m_size) std::memset(m_data.get() + m_size, 0, m_position - m_size);
    std::memcpy(m_data.get() + m_position, data, n);
    m_position += n;
    if (m_position > m_size) m_size = m_position;
    return n;
}

int CMemoryFileBuf::Read(void* data, int n)
{
    const int available = m_size - m_position;
    if (n <= 0 || available <= 0) return 0;
    if (n > available) n = available;
    std::memcpy(data, m_data.get() + m_position, n);
    m_position += n;
    return n;
}

bool CMemoryFileBuf::Seek(int position)
{
    if (position < 0) return false;
    m_position = position;
    return true;
}

bool CMemoryFileBuf::SeekRelative(int delta)
{
    const long long position = static_cast<long long>(m_position) + delta;
    if (position < 0 || position > 0x7FFFFFFF) return false;
    m_position = static_cast<std::int32_t>(position);
    return true;
}

const void* CMemoryFileBuf::Skip(int n)
{
    if (n < 0 || static_cast<long long>(m_position) + n > m_size) return nullptr;
    const void* bytes = m_data.get() + m_position;
    m_position += n;
    return bytes;
}

void CMemoryFileBuf::Close()
{
    m_data.reset();
    m_position = m_size = m_capacity = 0;
}

void* CMemoryFileBuf::DetachBuffer()
{
    void* data = m_data.release();
    Close();
    return data;
}

bool CMemoryFileBuf::ReadLine(CString& line)
{
    line.Clear();
    if (m_position >= m_size) return false;
    int end = m_position;
    while (end < m_size && m_data[end] != '\r' && m_data[end] != '\n') ++end;
    line.Assign(reinterpret_cast<const char*>(m_data.get() + m_position), end - m_position);
    m_position = end;
    if (m_position < m_size && m_data[m_position] == '\r') ++m_position;
    if (m_position < m_size && m_data[m_position] == '\n') ++m_position;
    return true;
}

void CMemoryFileBuf::Clear() { m_position = m_size = 0; }

bool CMemoryFileBuf::ContentEquals(const CMemoryFileBuf& other) const
{
    return m_size == other.m_size && (m_size == 0 || std::memcmp(m_data.get(), other.m_data.get(), m_size) == 0);
}

void CMemoryFileBuf::CopyFrom(CFileBuf& other)
{
    Clear();
    other.Seek(0);
    std::uint8_t piece[4096];
    for (int got; (got = other.Read(piece, sizeof piece)) > 0;) Write(piece, got);
}
