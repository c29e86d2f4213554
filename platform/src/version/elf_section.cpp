#include "version/elf_section.h"

#include <elf.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/files.h"
#include "platform/unique_file.h"

namespace platform::version {

namespace {

constexpr std::size_t kMaxSections = 1u << 16;
constexpr std::size_t kMaxNameTable = 1u << 20;

// size bytes at offset, when they lie within the file of fileSize bytes.
bool ReadAt(std::FILE* file, std::size_t fileSize, std::uint64_t offset, std::size_t size, void* into)
{
    if (offset > fileSize || size > fileSize - offset) return false;
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 && std::fread(into, 1, size, file) == size;
}

}  // namespace

std::optional<std::vector<BYTE>> ReadElfSection(std::string_view path, std::string_view name, std::size_t maxSize)
{
    const UniqueFile file = OpenUniqueFile(path, "rb");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
    const long end = std::ftell(file.get());
    if (end < 0) return std::nullopt;
    const std::size_t fileSize = static_cast<std::size_t>(end);

    Elf64_Ehdr header{};
    if (!ReadAt(file.get(), fileSize, 0, sizeof header, &header)) return std::nullopt;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_ident[EI_DATA] != ELFDATA2LSB || header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shnum == 0 ||
        header.e_shnum > kMaxSections || header.e_shstrndx >= header.e_shnum)
        return std::nullopt;

    std::vector<Elf64_Shdr> sections(header.e_shnum);
    if (!ReadAt(file.get(), fileSize, header.e_shoff, sections.size() * sizeof(Elf64_Shdr), sections.data()))
        return std::nullopt;
    const Elf64_Shdr& names = sections[header.e_shstrndx];
    if (names.sh_size > kMaxNameTable) return std::nullopt;
    std::string nameTable(names.sh_size, '\0');
    if (!ReadAt(file.get(), fileSize, names.sh_offset, nameTable.size(), nameTable.data())) return std::nullopt;

    for (const Elf64_Shdr& section : sections) {
        if (section.sh_name >= nameTable.size() || section.sh_type == SHT_NOBITS) continue;
        const char* sectionName = nameTable.c_str() + section.sh_name;  // the table's own zero ends the last name
        if (std::string_view(sectionName) != name) continue;
        if (section.sh_size > maxSize) return std::nullopt;
        std::vector<BYTE> bytes(section.sh_size);
        if (!ReadAt(file.get(), fileSize, section.sh_offset, bytes.size(), bytes.data())) return std::nullopt;
        return bytes;
    }
    return std::nullopt;
}

}  // namespace platform::version
