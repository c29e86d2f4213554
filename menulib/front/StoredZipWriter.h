// Writes a zip archive of stored (uncompressed) members in the published format: a local header and the data of
// each member, then the central directory and the end record ("PK" signatures, no comment).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/CFile.h"
#include "foundation/ZipFormat.h"

class StoredZipWriter {
public:
    // Creates the file (kFileAbsolute paths); false when it cannot be made.
    bool Create(const char* path);
    // False when the file cannot take it: a write fails, or the name, the size or the archive outgrows the
    // format's 16- and 32-bit fields.
    bool AddMember(const std::string& name, const void* data, std::uint32_t size, std::uint16_t dosTime,
                   std::uint16_t dosDate);
    // Writes the directory and the end record and closes the file.
    bool Finish();

private:
    bool Put(const void* data, std::size_t n);

    CFile m_file;
    std::vector<std::uint8_t> m_directory;
    std::uint64_t m_offset = 0;
    std::uint32_t m_count = 0;
    bool m_failed = false;
};
