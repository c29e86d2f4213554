#include "foundation/ZipMemberReader.h"

#include "foundation/CFile.h"
#include "foundation/ZipArchive.h"

ZipMemberReader::ZipMemberReader(ZipArchive* archive, ZipMember* member, std::shared_ptr<CFile> handle, bool ownsHandle,
                                 long long dataStart, int openFlags)
    : m_ownsHandle(ownsHandle),
      m_dataStart(dataStart),
      m_position(dataStart),
      m_member(member),
      m_handle(std::move(handle)),
      m_archive(archive),
      m_openFlags(openFlags)
{
}

ZipMemberReader::~ZipMemberReader() { ZipMemberReader::Close(); }

int ZipMemberReader::Read(void* data, int n)
{
    if (!m_member || n <= 0) return 0;
    const long long left = m_dataStart + m_member->body.size - m_position;
    if (left <= 0) return 0;
    if (n > left) n = static_cast<int>(left);
    if (!m_handle->Seek(static_cast<int>(m_position))) return 0;
    const int got = m_handle->Read(data, n);
    if (got > 0) m_position += got;
    return got;
}

int ZipMemberReader::Write(const void* data, int n)
{
    if (!m_member || n <= 0 || !m_handle->Seek(static_cast<int>(m_position))) return 0;
    const int written = m_handle->Write(data, n);
    if (written > 0) m_position += written;
    if (m_position - m_dataStart > m_member->body.size) {
        m_member->body.size = m_member->body.compressedSize = static_cast<std::uint32_t>(m_position - m_dataStart);
        // The member being rewritten is the last one: its data runs up to where the directory will go.
        if (m_openFlags & kFileCreate) m_archive->m_directoryOffset = static_cast<std::uint32_t>(m_position);
    }
    return written;
}

bool ZipMemberReader::SeekRelative(int delta)
{
    if (!m_member) return false;
    const long long position = m_position + delta;
    if (position < m_dataStart || position > m_dataStart + m_member->body.size) return false;
    m_position = position;
    return true;
}

bool ZipMemberReader::Seek(int position)
{
    if (!m_member || position < 0 || position > static_cast<long long>(m_member->body.size)) return false;
    m_position = m_dataStart + position;
    return true;
}

int ZipMemberReader::Tell() { return m_member ? static_cast<int>(m_position - m_dataStart) : -1; }
int ZipMemberReader::Size() { return m_member ? static_cast<int>(m_member->body.size) : -1; }

void ZipMemberReader::SetSize(int size)
{
    if (!m_member || size < 0) return;
    m_member->body.size = m_member->body.compressedSize = static_cast<std::uint32_t>(size);
    if (m_openFlags & kFileCreate) m_archive->m_directoryOffset = static_cast<std::uint32_t>(m_dataStart + size);
    if (m_position > m_dataStart + size) m_position = m_dataStart + size;
}

void ZipMemberReader::Close()
{
    if (!m_member) return;
    if (m_openFlags & kFileCreate) {
        // The CRC of what was written, read back through this stream, then the local header again.
        m_member->body.crc = Crc32();
        m_archive->WriteLocalHeader(*m_member);
    }
    m_handle.reset();
    m_archive->StreamClosed(*m_member, m_ownsHandle);
    m_member = nullptr;
}
