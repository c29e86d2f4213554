#include "GP_IDList.h"

#include "GP_Exception.h"

namespace {

constexpr std::uint16_t FirstSize = 16;
constexpr std::uint16_t Step = 16;

}  // namespace

CGP_IDList::CGP_IDList(CGP_GameMainFrame* owner) : list(std::make_unique<CGP_PtrList>(FirstSize, Step)), owner(owner) {}

void CGP_IDList::Read(std::FILE* stream)
{
    std::uint16_t count = 0;
    bool complete = std::fread(&count, sizeof count, 1, stream) == 1;
    for (std::uint32_t i = 0; complete && i < count; ++i) {
        std::uint32_t id = 0;
        complete = std::fread(&id, sizeof id, 1, stream) == 1;
        if (complete) list->Append(GP_IDToEntry(id));
    }
    if (!complete)
        throw CGP_FatalExeption("GP_IDList", __LINE__, FormatNew("Ошибка при чтении списка идентификаторов"), nullptr,
                                1);
}

bool CGP_IDList::Write(std::FILE* stream) const
{
    const std::uint16_t count = list->count;
    if (std::fwrite(&count, sizeof count, 1, stream) != 1) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t id = GP_EntryToID(list->block[i]);
        if (std::fwrite(&id, sizeof id, 1, stream) != 1) return false;
    }
    return true;
}

std::uint32_t CGP_IDList::Next()
{
    cursor = cursor < 65535 ? cursor + 1 : 0;
    if (!list || cursor >= list->count) return 0xFFFFFFFF;
    return GP_EntryToID(list->block[cursor]);
}
