// Appends a new stored member to an archive (a path "archive;member" opened for creation). The archive's
// directory is written again behind the new data when the stream closes, with the "QX" end record.
#pragma once
#include <cstdint>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/CFileBuf.h"
#include "foundation/CString.h"
#include "foundation/ZipFormat.h"

class ZipMemberWriter : public CFileBuf {
public:
    ZipMemberWriter() = default;
    ~ZipMemberWriter() override;
    // Opens the archive and writes the new member's local header where the directory was; false when the
    // archive has no end record or its directory does not lie inside the file.
    bool Begin(const char* archivePath, const char* memberName);

    int Write(const void* data, int n) override;
    int Read(void* data, int n) override;
    bool SeekRelative(int delta) override;
    bool Seek(int position) override;
    int Tell() override;
    int Size() override;
    void SetSize(int size) override;
    void Close() override;

private:
    // The new member's header fields: version made by 42, version needed 10, stored, no extra field.
    ZipCentralBody Body(std::uint32_t crc, std::uint32_t size, std::uint16_t time, std::uint16_t date) const;
    bool WriteLocalHeader(std::uint32_t crc, std::uint32_t size, std::uint16_t time, std::uint16_t date);

    CFile m_file;
    CString m_name;
    std::vector<std::uint8_t> m_directory;
    ZipEndRecord m_endRecord;  // as found; its signature is written as "QX" at the close
    std::uint32_t m_localOffset = 0;
    std::uint32_t m_dataStart = 0;
};

CFileBuf* CreateMemberWriter(const char* archivePath, const char* memberName);
