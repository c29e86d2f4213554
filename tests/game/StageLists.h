// A mission's stage list as the game reads it from a pack: a u16 count and the u32 IDs.
#pragma once
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>

#include "GP_IDList.h"

inline std::unique_ptr<CGP_IDList> StageList(std::initializer_list<std::uint32_t> ids)
{
    auto list = std::make_unique<CGP_IDList>(nullptr);
    std::FILE* stream = std::tmpfile();
    const std::uint16_t count = static_cast<std::uint16_t>(ids.size());
    std::fwrite(&count, sizeof count, 1, stream);
    for (std::uint32_t id : ids) std::fwrite(&id, sizeof id, 1, stream);
    std::rewind(stream);
    list->Read(stream);
    std::fclose(stream);
    return list;
}
