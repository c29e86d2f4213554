#include "GP_Players.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "GP_RecordBytes.h"
#include "GP_Scramble.h"
#include "platform/replace_file.h"

namespace {

// Far above any real players file (ten slots of a few campaigns each); a larger one is not ours.
constexpr std::size_t kMaxPlayersFileBytes = 16u << 20;

// Each stored record takes its 16 bytes and at least the NUL of its name.
constexpr std::size_t kMinStoredRecord = CampaignRecordBlock::Size + 1;

void CopyName(char (&target)[PlayerProfile::NameSize], std::string_view text)
{
    const std::size_t length = std::min(text.size(), PlayerProfile::NameSize - 1);
    std::memcpy(target, text.data(), length);
    std::memset(target + length, 0, PlayerProfile::NameSize - length);
}

// The campaign name that starts at offset: false when no NUL follows within the longest name allowed.
bool ReadCampaignName(std::string_view plain, std::size_t& offset, std::string* name)
{
    const std::size_t window = std::min(plain.size() - offset, CGP_Players::MaxCampaignNameLength + 1);
    const std::size_t end = plain.substr(offset, window).find('\0');
    if (end == std::string_view::npos) return false;
    *name = std::string(plain.substr(offset, end));
    offset += end + 1;
    return true;
}

// The records of one slot, each bounded by the bytes that are left.
GP_PlayersLoadResult ReadRecords(std::string_view plain, std::size_t& offset, std::uint32_t count,
                                 std::vector<CampaignRecord>* records)
{
    if (count > (plain.size() - offset) / kMinStoredRecord) return GP_PlayersRecordsCut;
    records->resize(count);
    for (CampaignRecord& record : *records) {
        if (plain.size() - offset < kMinStoredRecord) return GP_PlayersRecordsCut;
        CampaignRecordBlock block;
        block.Parse(reinterpret_cast<const std::uint8_t*>(plain.data() + offset));
        offset += CampaignRecordBlock::Size;
        record.score = block.score;
        record.mission = block.mission;
        record.lives = block.lives;
        if (!ReadCampaignName(plain, offset, &record.campaignName)) {
            const bool cut = plain.size() - offset <= CGP_Players::MaxCampaignNameLength;
            return cut ? GP_PlayersRecordsCut : GP_PlayersNameTooLong;
        }
    }
    return GP_PlayersLoaded;
}

}  // namespace

void PlayerProfile::SetName(std::string_view text) { CopyName(name, text); }

void PlayerProfileBlock::Parse(const std::uint8_t* bytes)
{
    std::memcpy(name, bytes + 8, sizeof name);
    name[sizeof name - 1] = '\0';
    newFlag = bytes[20];
    std::memcpy(unused, bytes + 21, sizeof unused);
    currentRecord = static_cast<std::int32_t>(GP_LoadLe32(bytes + 24));
    recordCount = GP_LoadLe32(bytes + 28);
}

void PlayerProfileBlock::Write(std::uint8_t* bytes) const
{
    GP_StoreLe32(bytes, SizeField);
    GP_StoreLe32(bytes + 4, KindField);
    std::memcpy(bytes + 8, name, sizeof name);
    bytes[20] = newFlag;
    std::memcpy(bytes + 21, unused, sizeof unused);
    GP_StoreLe32(bytes + 24, static_cast<std::uint32_t>(currentRecord));
    GP_StoreLe32(bytes + 28, recordCount);
    GP_StoreLe32(bytes + 32, 0);
}

void CampaignRecordBlock::Parse(const std::uint8_t* bytes)
{
    score = static_cast<std::int32_t>(GP_LoadLe32(bytes + 4));
    mission = static_cast<std::int32_t>(GP_LoadLe32(bytes + 8));
    lives = static_cast<std::int32_t>(GP_LoadLe32(bytes + 12));
}

void CampaignRecordBlock::Write(std::uint8_t* bytes) const
{
    GP_StoreLe32(bytes, 0);
    GP_StoreLe32(bytes + 4, static_cast<std::uint32_t>(score));
    GP_StoreLe32(bytes + 8, static_cast<std::uint32_t>(mission));
    GP_StoreLe32(bytes + 12, static_cast<std::uint32_t>(lives));
}

CGP_Players::CGP_Players(std::string emptySlotName, std::uint8_t* slotInUse)
    : emptySlotName_(std::move(emptySlotName)), slotInUse_(slotInUse)
{
    for (PlayerProfile& profile : profiles) {
        for (char& c : profile.name) c = static_cast<char>(std::rand() & 0xFF);
        profile.name[PlayerProfile::NameSize - 1] = '\0';
        profile.newFlag = static_cast<std::uint8_t>(std::rand() & 0xFF);
        for (std::uint8_t& b : profile.unused) b = static_cast<std::uint8_t>(std::rand() & 0xFF);
    }
}

void CGP_Players::SetDefaults()
{
    for (int slot = 0; slot < SlotCount; ++slot) ResetSlot(slot);
    profiles[0].SetName(DefaultFirstName);
    std::memcpy(savedNames[0], profiles[0].name, PlayerProfile::NameSize);
    profiles[0].newFlag = 0;
}

void CGP_Players::ResetSlot(int slot)
{
    if (slot < 0 || slot >= SlotCount) return;
    PlayerProfile& profile = profiles[slot];
    profile.SetName(emptySlotName_);
    std::memset(savedNames[slot], 0, SavedNameSize);
    std::memcpy(savedNames[slot], profile.name, PlayerProfile::NameSize);
    profile.records.clear();
    profile.currentRecord = 0;
    profile.newFlag = 1;
}

bool CGP_Players::CommitNames()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        PlayerProfile& profile = profiles[slot];
        profile.name[PlayerProfile::NameSize - 1] = '\0';
        if (std::strcmp(profile.name, savedNames[slot]) == 0) continue;
        if (slotInUse_) slotInUse_[0] = slotInUse_[1] = 1;
        std::memset(savedNames[slot], 0, SavedNameSize);
        std::memcpy(savedNames[slot], profile.name, PlayerProfile::NameSize);
        profile.newFlag = 0;
        return true;
    }
    return false;
}

std::size_t CGP_Players::GetSaveSize() const
{
    std::size_t size = ProfileAreaSize;
    for (const PlayerProfile& profile : profiles)
        for (const CampaignRecord& record : profile.records)
            size += kMinStoredRecord + std::min(record.campaignName.size(), MaxCampaignNameLength);
    return size;
}

std::string CGP_Players::PlainBytes() const
{
    std::string plain(GetSaveSize(), '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(plain.data());
    for (int slot = 0; slot < SlotCount; ++slot) {
        const PlayerProfile& profile = profiles[slot];
        PlayerProfileBlock block;
        std::memcpy(block.name, profile.name, sizeof block.name);
        block.name[sizeof block.name - 1] = '\0';
        block.newFlag = profile.newFlag;
        std::memcpy(block.unused, profile.unused, sizeof block.unused);
        block.currentRecord = profile.currentRecord;
        block.recordCount = static_cast<std::uint32_t>(profile.records.size());
        block.Write(bytes + slot * PlayerProfileBlock::Size);
    }
    std::size_t offset = ProfileAreaSize;
    for (const PlayerProfile& profile : profiles) {
        for (const CampaignRecord& record : profile.records) {
            CampaignRecordBlock{record.score, record.mission, record.lives}.Write(bytes + offset);
            offset += CampaignRecordBlock::Size;
            // A longer name could not be read back: it is cut to the longest that can.
            const std::size_t length = std::min(record.campaignName.size(), MaxCampaignNameLength);
            std::memcpy(bytes + offset, record.campaignName.data(), length);
            offset += length + 1;
        }
    }
    return plain;
}

std::string CGP_Players::StoredBytes() const { return GP_ScrambleBytes(PlainBytes()); }

GP_PlayersLoadResult CGP_Players::Load(std::string_view stored)
{
    const std::string plain = GP_UnscrambleBytes(stored);
    if (plain.size() < ProfileAreaSize) return GP_PlayersTooShort;
    std::array<PlayerProfile, SlotCount> loaded;
    std::array<std::uint32_t, SlotCount> counts{};
    for (int slot = 0; slot < SlotCount; ++slot) {
        PlayerProfileBlock block;
        block.Parse(reinterpret_cast<const std::uint8_t*>(plain.data()) + slot * PlayerProfileBlock::Size);
        PlayerProfile& profile = loaded[slot];
        std::memcpy(profile.name, block.name, sizeof profile.name);
        profile.newFlag = block.newFlag;
        std::memcpy(profile.unused, block.unused, sizeof profile.unused);
        profile.currentRecord = block.currentRecord;
        counts[slot] = block.recordCount;
    }
    std::size_t offset = ProfileAreaSize;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const GP_PlayersLoadResult result = ReadRecords(plain, offset, counts[slot], &loaded[slot].records);
        if (result != GP_PlayersLoaded) return result;
    }
    Commit(loaded);
    return GP_PlayersLoaded;
}

void CGP_Players::Commit(std::array<PlayerProfile, SlotCount>& loaded)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        PlayerProfile& profile = profiles[slot];
        PlayerProfile& from = loaded[slot];
        std::memcpy(profile.name, from.name, sizeof profile.name);
        // A slot nobody named shows the empty text of the language in use, not the one it was saved in.
        if (from.newFlag) profile.SetName(emptySlotName_);
        profile.newFlag = from.newFlag;
        std::memcpy(profile.unused, from.unused, sizeof profile.unused);
        // A current record beyond the slot's records would lead its readers astray: the first stands for it.
        const bool inRange =
            from.currentRecord >= 0 && static_cast<std::size_t>(from.currentRecord) < from.records.size();
        profile.currentRecord = inRange ? from.currentRecord : 0;
        profile.records = std::move(from.records);
        std::memset(savedNames[slot], 0, SavedNameSize);
        std::memcpy(savedNames[slot], profile.name, PlayerProfile::NameSize);
    }
}

std::string GP_PlayersFilePath(const std::string& folder) { return folder + "/Players.cdf"; }

void GP_LoadPlayersFile(CGP_Players& players, const std::string& folder)
{
    const std::string path = GP_PlayersFilePath(folder);
    try {
        std::string stored;
        if (GP_ReadWholeFile(path, kMaxPlayersFileBytes, &stored) && players.Load(stored) == GP_PlayersLoaded) return;
    } catch (const std::bad_alloc&) {
    }
    GP_KeepRefusedFile(path);
    players.SetDefaults();
}

bool GP_SavePlayersFile(const CGP_Players& players, const std::string& folder)
{
    return platform::ReplaceFileWhole(GP_PlayersFilePath(folder), players.StoredBytes());
}
