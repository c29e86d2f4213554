#include "GP_TextServer.h"

#include <algorithm>

#include "GP_IOManager.h"
#include "GP_NameServer.h"

namespace {
const char* const BlankText = " ";
}

CGP_TextServer::CGP_TextServer(CGP_IOManager* io, std::uint32_t language)
    : language(language), io(io), names(io ? io->names : nullptr)
{
    Reset();
}

std::uint32_t CGP_TextServer::CountTexts() const { return names ? names->GetCount(TextKind) : 0; }

int CGP_TextServer::ColumnOf(std::uint32_t language)
{
    switch (language) {
    case 1049: return 0;
    case 1036: return 2;
    case 1031: return 3;
    default: return 1;
    }
}

const char* CGP_TextServer::GetText(std::uint32_t id)
{
    if (id == 0xFFFFFFFF || !names) return BlankText;
    // Only texts have slots here: another kind's dense index would land on a text's slot and fill it with
    // that resource's bytes.
    const GP_NameGroup* group = names->GetGroup(GP_GroupOf(id));
    if (!group || group->resourceKind != TextKind) return BlankText;
    const std::int32_t slot = names->GetIndex(id);
    if (slot < 0 || static_cast<std::uint32_t>(slot) >= slotCount) return BlankText;
    if (!slots[slot]) slots[slot] = ReadText(id);
    return slots[slot] ? slots[slot].get() : BlankText;
}

std::unique_ptr<char[]> CGP_TextServer::ReadText(std::uint32_t id) const
{
    std::FILE* stream = io->OpenRead(id);
    if (!stream) return nullptr;
    std::unique_ptr<char[]> text(ReadRecord(stream));
    if (!io->packShared) std::fclose(stream);
    return text;
}

char* CGP_TextServer::ReadRecord(std::FILE* stream) const
{
    std::uint16_t columns = 0;
    if (std::fread(&columns, sizeof columns, 1, stream) != 1) return nullptr;
    const int column = ColumnOf(language);
    if (column >= columns) return nullptr;
    std::vector<std::uint16_t> lengths(columns);
    if (std::fread(lengths.data(), sizeof(std::uint16_t), columns, stream) != columns) return nullptr;
    long skip = 0;
    for (int c = 0; c < column; ++c) skip += lengths[c];
    if (skip && std::fseek(stream, skip, SEEK_CUR) != 0) return nullptr;
    std::unique_ptr<char[]> text(new char[lengths[column] + 1]());
    if (lengths[column] && std::fread(text.get(), lengths[column], 1, stream) != 1) return nullptr;
    return text.release();
}

void CGP_TextServer::SetLanguage(std::uint32_t language, bool reload)
{
    this->language = language;
    if (!reload) return;
    std::vector<std::unique_ptr<char[]>> fresh(CountTexts());
    const std::size_t kept = std::min(fresh.size(), slots.size());
    for (std::size_t slot = 0; slot < kept; ++slot)
        if (slots[slot]) fresh[slot] = ReadText(names->GetID(static_cast<std::int32_t>(slot), TextKind));
    slots = std::move(fresh);
    slotCount = static_cast<std::uint32_t>(slots.size());
}

void CGP_TextServer::Reset()
{
    slots.clear();
    slots.resize(CountTexts());
    slotCount = static_cast<std::uint32_t>(slots.size());
}

void CGP_TextServer::Clear()
{
    for (auto& text : slots) text.reset();
}
