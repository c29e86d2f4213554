#include "foundation/ZipMemberWriter.h"

#include <memory>

#include "foundation/PathHelpers.h"
#include "foundation/ZipFormat.h"

namespace {
constexpr int kMaxMemberName = 255;
}

CFileBuf* CreateMemberWriter(const char* archivePath, const char* memberName)
{
    auto writer = std::make_unique<ZipMemberWriter>();
    return writer->Begin(archivePath, memberName) ? writer.release() : nullptr;
}

ZipMemberWriter::~ZipMemberWriter() { ZipMemberWriter::Close(); }

bool ZipMemberWriter::Begin(const char* archivePath, const char* memberName)
{
    m_name = memberName;
    if (m_name.IsEmpty() || m_name.GetLength() > kMaxMemberName) return false;
    if (!m_file.Open(archivePath, kFileWrite | kFileRead | kFileAbsolute)) return false;
    const long long size = m_file.GetSize();
    std::uint8_t end[kZipEndRecordSize];
    if (size < kZipEndRecordSize || !m_file.Seek(static_cast<int>(size - kZipEndRecordSize)) ||
        m_file.Read(end, kZipEndRecordSize) != kZipEndRecordSize) {
        m_file.Close();
        return false;
    }
    m_endRecord.Parse(end);
    const std::uint32_t directorySize = m_endRecord.directorySize, directoryOffset = m_endRecord.directoryOffset;
    if (!IsZipEndSignature(m_endRecord.signature) ||
        static_cast<long long>(directoryOffset) + directorySize > size - kZipEndRecordSize) {
        m_file.Close();
        return false;
    }
    m_directory.resize(directorySize);
    if (!m_file.Seek(static_cast<int>(directoryOffset)) ||
        m_file.Read(m_directory.data(), static_cast<int>(directorySize)) != static_cast<int>(directorySize)) {
        m_file.Close();
        return false;
    }
    m_localOffset = directoryOffset;
    m_dataStart = m_localOffset + kZipLocalHeaderSize + m_name.GetLength();
    // The old directory is kept in memory and written again behind the new data when the stream closes.
    if (!WriteLocalHeader(0, 0, 0, 0)) {
        m_file.Close();
        return false;
    }
    m_file.SetSize(static_cast<int>(m_dataStart));
    return true;
}

ZipCentralBody ZipMemberWriter::Body(std::uint32_t crc, std::uint32_t size, std::uint16_t time,
                                     std::uint16_t date) const
{
    ZipCentralBody body;
    body.versionMadeBy = 42;
    body.versionNeeded = 10;
    body.time = time;
    body.date = date;
    body.crc = crc;
    body.compressedSize = body.size = size;
    body.nameLength = static_cast<std::uint16_t>(m_name.GetLength());
    body.localOffset = m_localOffset;
    return body;
}

bool ZipMemberWriter::WriteLocalHeader(std::uint32_t crc, std::uint32_t size, std::uint16_t time, std::uint16_t date)
{
    std::uint8_t header[kZipLocalHeaderSize];
    Body(crc, size, time, date).StoreLocalHeader(header);
    return m_file.Seek(static_cast<int>(m_localOffset)) &&
           m_file.Write(header, kZipLocalHeaderSize) == kZipLocalHeaderSize &&
           m_file.Write(m_name.GetText(), m_name.GetLength()) == m_name.GetLength();
}

int ZipMemberWriter::Write(const void* data, int n) { return m_file.IsOpen() ? m_file.Write(data, n) : 0; }
int ZipMemberWriter::Read(void* data, int n) { return m_file.IsOpen() ? m_file.Read(data, n) : 0; }

bool ZipMemberWriter::SeekRelative(int delta)
{
    const long long position = static_cast<long long>(m_file.Tell()) + delta;
    return m_file.IsOpen() && position >= m_dataStart && m_file.SeekRelative(delta);
}

bool ZipMemberWriter::Seek(int position)
{
    return m_file.IsOpen() && position >= 0 && m_file.Seek(m_dataStart + position);
}
int ZipMemberWriter::Tell() { return m_file.IsOpen() ? m_file.Tell() - static_cast<int>(m_dataStart) : -1; }
int ZipMemberWriter::Size() { return m_file.IsOpen() ? m_file.GetSize() - static_cast<int>(m_dataStart) : 0; }

void ZipMemberWriter::SetSize(int size)
{
    if (m_file.IsOpen() && size >= 0) m_file.SetSize(static_cast<int>(m_dataStart) + size);
}

void ZipMemberWriter::Close()
{
    if (!m_file.IsOpen()) return;
    const std::uint32_t size = static_cast<std::uint32_t>(m_file.GetSize()) - m_dataStart;
    // The data's real CRC and the time of writing, so that any zip tool can test the member.
    const std::uint32_t crc = Crc32();
    std::uint16_t date = 0, time = 0;
    DosTimeNow(&date, &time);
    WriteLocalHeader(crc, size, time, date);

    const std::uint32_t directoryOffset = m_dataStart + size;
    const ZipCentralBody body = Body(crc, size, time, date);
    std::uint8_t central[kZipCentralHeaderSize];
    body.StoreHeader(central);

    m_endRecord.signature = kZipEndSignatureQX;
    ++m_endRecord.entriesHere;
    ++m_endRecord.entries;
    m_endRecord.directorySize += static_cast<std::uint32_t>(body.RecordSize());
    m_endRecord.directoryOffset = directoryOffset;
    m_endRecord.commentLength = 0;
    std::uint8_t end[kZipEndRecordSize];
    m_endRecord.Store(end);

    m_file.Seek(static_cast<int>(directoryOffset));
    m_file.Write(m_directory.data(), static_cast<int>(m_directory.size()));
    m_file.Write(central, sizeof central);
    m_file.Write(m_name.GetText(), m_name.GetLength());
    m_file.Write(end, sizeof end);
    m_file.SetSize(m_file.Tell());
    m_file.Close();
}
