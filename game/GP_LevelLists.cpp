#include "GP_LevelLists.h"

#include "GP_Exception.h"
#include "GP_GameMainFrame.h"
#include "GP_IOManager.h"
#include "GP_NameGroup.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"

namespace {

constexpr const char* kModule = "GP_GameMainFrame";
constexpr const char* kCampaignPlayerText =
    "Unable to locate campaign files.\nYour campaign files are possibly corrupted or\nhave an inproper version.\n"
    "You may need to reinstall the game.";
constexpr std::uint32_t kLevelListKind = 11;
constexpr std::uint32_t kLayerResource = 0;

bool ReadU32(std::FILE* stream, std::uint32_t& value)
{
    std::uint8_t bytes[4];
    if (std::fread(bytes, 1, 4, stream) != 4) return false;
    value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

bool ReadGroup(std::FILE* stream, std::vector<std::uint32_t>& group)
{
    std::uint32_t count = 0;
    if (!ReadU32(stream, count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t id = 0;
        if (!ReadU32(stream, id)) return false;
        if (group.size() < GP_LayerRecord::MaxGroupEntries) group.push_back(id);
    }
    return true;
}

}  // namespace

GP_LayerReadResult GP_ReadLayerRecord(std::FILE* stream, std::uint32_t listCount, GP_LayerRecord& record)
{
    record.groups.assign(listCount, {});
    record.drawOrder.clear();
    std::uint32_t groupCount = 0;
    if (!ReadU32(stream, groupCount)) return GP_LayerCut;
    if (groupCount > listCount) return GP_LayerTooManyGroups;
    for (std::uint32_t j = 0; j < groupCount; ++j) {
        if (!ReadGroup(stream, record.groups[j])) return GP_LayerCut;
    }
    std::uint32_t drawCount = 0;
    if (!ReadU32(stream, drawCount)) return GP_LayerCut;
    for (std::uint32_t k = 0; k < drawCount; ++k) {
        std::uint32_t id = 0;
        if (!ReadU32(stream, id)) return GP_LayerCut;
        record.drawOrder.push_back(id);
    }
    return GP_LayerRead;
}

// A damaged layer resource ends the game as a damaged campaign pack does; nothing of it is kept.
void CGP_GameMainFrame::LoadLevelLists()
{
    objectLists.clear();
    drawOrder.clear();
    IDGroups.clear();
    const std::uint32_t listCount = names ? names->GetCount(kLevelListKind) : 0;
    for (std::uint32_t i = 0; i < listCount; ++i) objectLists.push_back(std::make_unique<CGP_ObjectList>(this));
    std::FILE* stream = ioManager ? ioManager->OpenRead(kLayerResource) : nullptr;
    if (!stream)
        throw CGP_FatalExeption(kModule, __LINE__, "The layer resource cannot be read", kCampaignPlayerText, 0);
    GP_LayerRecord record;
    const GP_LayerReadResult result = GP_ReadLayerRecord(stream, listCount, record);
    if (!ioManager->packShared) std::fclose(stream);
    if (result != GP_LayerRead)
        throw CGP_FatalExeption(kModule, __LINE__, FormatNew("The layer resource is damaged (%d)", result),
                                kCampaignPlayerText, 0);
    for (std::uint32_t id : record.drawOrder) {
        const GP_NameGroup* group = names->GetGroup(id >> 16);
        const std::int32_t index = names->GetIndex(id);
        if (!group || group->resourceKind != kLevelListKind || index < 0 ||
            static_cast<std::uint32_t>(index) >= listCount)
            throw CGP_FatalExeption(kModule, __LINE__, FormatNew("The drawing order names %X, no object list", id),
                                    kCampaignPlayerText, 0);
        drawOrder.push_back(GP_DrawOrderEntry{index, objectLists[static_cast<std::size_t>(index)].get()});
    }
    IDGroups = std::move(record.groups);
}
