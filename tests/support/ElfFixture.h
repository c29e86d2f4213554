// Small ELF files made by tests: a header, one named section holding the given bytes, and the section name
// table. Enough for readers of a program's sections; nothing in it runs.
#pragma once
#include <elf.h>

#include <cstring>
#include <string>
#include <vector>

#include "TempDir.h"

namespace testsupport {

inline std::string ElfWithSection(const std::string& sectionName, const std::vector<unsigned char>& bytes)
{
    const std::string names = std::string("\0", 1) + sectionName + std::string("\0.shstrtab\0", 11);
    const std::size_t dataAt = sizeof(Elf64_Ehdr);
    const std::size_t namesAt = dataAt + bytes.size();
    const std::size_t headersAt = (namesAt + names.size() + 7) & ~std::size_t{7};

    Elf64_Ehdr header{};
    std::memcpy(header.e_ident, ELFMAG, SELFMAG);
    header.e_ident[EI_CLASS] = ELFCLASS64;
    header.e_ident[EI_DATA] = ELFDATA2LSB;
    header.e_ident[EI_VERSION] = EV_CURRENT;
    header.e_type = ET_EXEC;
    header.e_machine = EM_X86_64;
    header.e_version = EV_CURRENT;
    header.e_ehsize = sizeof(Elf64_Ehdr);
    header.e_shoff = headersAt;
    header.e_shentsize = sizeof(Elf64_Shdr);
    header.e_shnum = 3;
    header.e_shstrndx = 2;

    Elf64_Shdr sections[3]{};
    sections[1].sh_name = 1;
    sections[1].sh_type = SHT_PROGBITS;
    sections[1].sh_offset = dataAt;
    sections[1].sh_size = bytes.size();
    sections[2].sh_name = static_cast<Elf64_Word>(2 + sectionName.size());
    sections[2].sh_type = SHT_STRTAB;
    sections[2].sh_offset = namesAt;
    sections[2].sh_size = names.size();

    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    file += names;
    file.resize(headersAt, '\0');
    file.append(reinterpret_cast<const char*>(sections), sizeof sections);
    return file;
}

}  // namespace testsupport
