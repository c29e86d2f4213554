#include "front/StoredZipWriter.h"

#include <limits>

#include "foundation/Crc32.h"

namespace {

constexpr std::uint16_t kVersionNeeded = 10;
constexpr std::uint16_t kVersionMadeBy = 42;
constexpr std::uint64_t kLargestOffset = std::numeric_limits<std::uint32_t>::max();

}  // namespace

bool StoredZipWriter::Create(const char* path)
{
    m_directory.clear();
    m_offset = m_count = 0;
    m_failed = !m_file.Open(path, kFileAbsolute | kFileCreate | kFileWrite);
    return !m_failed;
}

bool StoredZipWriter::Put(const void* data, std::size_t n)
{
    if (m_failed || n > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
        m_file.Write(data, static_cast<int>(n)) != static_cast<int>(n))
        m_failed = true;
    m_offset += n;
    return !m_failed;
}

bool StoredZipWriter::AddMember(const std::string& name, const void* data, std::uint32_t size, std::uint16_t dosTime,
                                std::uint16_t dosDate)
{
    if (name.size() > std::numeric_limits<std::uint16_t>::max() ||
        m_count == std::numeric_limits<std::uint16_t>::max() ||
        m_offset + kZipLocalHeaderSize + name.size() + size > kLargestOffset)
        m_failed = true;
    if (m_failed) return false;
    ZipCentralBody body;
    body.versionMadeBy = kVersionMadeBy;
    body.versionNeeded = kVersionNeeded;
    body.time = dosTime;
    body.date = dosDate;
    body.crc = Crc32(data, size);
    body.compressedSize = body.size = size;
    body.nameLength = static_cast<std::uint16_t>(name.size());
    body.localOffset = static_cast<std::uint32_t>(m_offset);

    std::uint8_t local[kZipLocalHeaderSize];
    body.StoreLocalHeader(local);
    if (!Put(local, sizeof local) || !Put(name.data(), name.size()) || !Put(data, size)) return false;

    const std::size_t at = m_directory.size();
    m_directory.resize(at + kZipCentralHeaderSize);
    body.StoreHeader(m_directory.data() + at);
    m_directory.insert(m_directory.end(), name.begin(), name.end());
    ++m_count;
    return true;
}

bool StoredZipWriter::Finish()
{
    ZipEndRecord end;
    end.entriesHere = end.entries = static_cast<std::uint16_t>(m_count);
    end.directorySize = static_cast<std::uint32_t>(m_directory.size());
    end.directoryOffset = static_cast<std::uint32_t>(m_offset);
    if (m_offset + m_directory.size() + kZipEndRecordSize > kLargestOffset) m_failed = true;
    std::uint8_t record[kZipEndRecordSize];
    end.Store(record);
    const bool written = Put(m_directory.data(), m_directory.size()) && Put(record, sizeof record);
    const bool closed = m_file.Close();
    return written && closed;
}
