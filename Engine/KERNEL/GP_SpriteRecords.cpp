#include "GP_SpriteRecords.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_RecordBounds.h"

namespace {

constexpr const char* Module = "GP_SpriteRecords";

template <typename Block>
void ReadBlocks(CGP_BinaryServer& binary, std::vector<Block>& blocks, std::uint16_t count)
{
    blocks.assign(count, Block{});
    for (Block& block : blocks) binary.ReadData(&block, sizeof(Block));
}

template <typename Block>
void WriteBlocks(CGP_BinaryServer& binary, std::vector<Block>& blocks)
{
    for (Block& block : blocks) {
        block.size = sizeof(Block);
        binary.WriteData(&block);
    }
}

[[noreturn]] void ThrowTooManyStates(const CGP_BinaryServer& binary, unsigned count)
{
    const std::uint32_t id = binary.currentID;
    const char* name =
        binary.io && binary.io->names ? binary.io->names->GetName(GP_IndexOf(id), GP_GroupOf(id)) : nullptr;
    throw CGP_FatalExeption(Module, __LINE__,
                            FormatNew("Sprite definition %s has %u states; at most %d are allowed",
                                      name ? name : "none", count, GP_SpriteRecord::StateCount),
                            nullptr, 1);
}

// The state's rectangles within the records' bounds and its frame count within a frame grid's; its grid of
// columns x rows is checked when its frames are cut.
void CheckState(const CGP_BinaryServer& binary, const GP_SpriteState& state)
{
    if (!GP_WithinExtent(state.frameRect)) binary.ThrowOutOfBounds(__LINE__, "frame rectangle");
    if (!GP_WithinExtent(state.collisionRect)) binary.ThrowOutOfBounds(__LINE__, "collision rectangle");
    GP_CheckFrameCount(binary, state.frameCount, "frame count");
}

}  // namespace

void GP_SpriteRecord::Read(CGP_BinaryServer& binary)
{
    binary.ReadData(&header, sizeof header);
    std::uint16_t stateCount = 0;
    binary.Read(stateCount);
    if (stateCount > StateCount) ThrowTooManyStates(binary, stateCount);
    for (int s = 0; s < stateCount; ++s) {
        binary.ReadData(&states[s], sizeof(GP_SpriteState));
        CheckState(binary, states[s]);
    }
    ReadBlocks(binary, spawns1, header.spawnCount1);
    ReadBlocks(binary, weapons, header.weaponCount);
    ReadBlocks(binary, attachments, header.attachCount);
    ReadBlocks(binary, spawns2, header.spawnCount2);
}

void GP_SpriteRecord::Write(CGP_BinaryServer& binary)
{
    header.size = sizeof header;
    header.spawnCount1 = static_cast<std::uint16_t>(spawns1.size());
    header.weaponCount = static_cast<std::uint16_t>(weapons.size());
    header.attachCount = static_cast<std::uint16_t>(attachments.size());
    header.spawnCount2 = static_cast<std::uint16_t>(spawns2.size());
    binary.WriteData(&header);
    binary.Write(static_cast<std::uint16_t>(StateCount));
    for (GP_SpriteState& state : states) {
        state.size = sizeof state;
        binary.WriteData(&state);
    }
    WriteBlocks(binary, spawns1);
    WriteBlocks(binary, weapons);
    WriteBlocks(binary, attachments);
    WriteBlocks(binary, spawns2);
}
