// The ten player slots: each a name and one progress record per campaign played from it, stored scrambled in
// "Players.cdf" in the start-up folder. The file keeps the layout of the profile area (ten 36-byte profiles)
// followed by every slot's records, each 16 bytes and the campaign name with its NUL.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One campaign's progress in a slot.
struct CampaignRecord {
    std::string campaignName;
    std::int32_t score = 0;    // at the start of the mission reached
    std::int32_t mission = 0;  // 0-based index of the next mission to play
    std::int32_t lives = 0;    // at the start of the mission reached
};

// One slot. The name is the target of the player form's name entry, so it stays at a stable address.
struct PlayerProfile {
    static constexpr std::size_t NameSize = 12;  // at most 11 characters and the NUL

    char name[NameSize] = {};
    std::uint8_t newFlag = 1;  // the slot holds no named player yet
    std::uint8_t unused[3] = {};
    std::int32_t currentRecord = 0;  // the record of the campaign last played
    std::vector<CampaignRecord> records;

    // Copies at most 11 characters of text into the name, always terminated.
    void SetName(std::string_view text);
};

// The stored form of a profile, 36 bytes: size 36, kind 21, the name, the new flag, three unused bytes, the
// current record, the record count and a word that held a pointer (written 0, never read).
struct PlayerProfileBlock {
    static constexpr std::size_t Size = 36;
    static constexpr std::uint32_t SizeField = 36;
    static constexpr std::uint32_t KindField = 21;

    char name[PlayerProfile::NameSize] = {};
    std::uint8_t newFlag = 0;
    std::uint8_t unused[3] = {};
    std::int32_t currentRecord = 0;
    std::uint32_t recordCount = 0;

    void Parse(const std::uint8_t* bytes);
    void Write(std::uint8_t* bytes) const;
};

// The stored form of a record, 16 bytes: a word that held the name's pointer (written 0, never read), then
// score, mission and lives.
struct CampaignRecordBlock {
    static constexpr std::size_t Size = 16;

    std::int32_t score = 0;
    std::int32_t mission = 0;
    std::int32_t lives = 0;

    void Parse(const std::uint8_t* bytes);
    void Write(std::uint8_t* bytes) const;
};

enum GP_PlayersLoadResult : int {
    GP_PlayersLoaded = 0,
    GP_PlayersTooShort = 1,     // fewer bytes than the ten profiles
    GP_PlayersRecordsCut = 2,   // the records or names the counts announce are not all there
    GP_PlayersNameTooLong = 3,  // a campaign name without its NUL within 1023 characters
};

class CGP_Players {
public:
    static constexpr int SlotCount = 10;
    static constexpr std::size_t ProfileAreaSize = SlotCount * PlayerProfileBlock::Size;  // 360
    static constexpr std::size_t SavedNameSize = 15;
    static constexpr std::size_t MaxCampaignNameLength = 1023;
    static constexpr const char* DefaultFirstName = "Player 1";

    // emptySlotName: the name a reset slot shows (interface text 0x50020); slotInUse: the two game-state bytes
    // that a committed name sets (may be null). The unused profile bytes start random.
    CGP_Players(std::string emptySlotName, std::uint8_t* slotInUse);
    virtual ~CGP_Players() = default;
    CGP_Players(const CGP_Players&) = delete;
    CGP_Players& operator=(const CGP_Players&) = delete;

    void SetDefaults();
    void ResetSlot(int slot);
    // Commits the first slot whose name differs from its saved name; false when none does.
    bool CommitNames();
    std::size_t GetSaveSize() const;

    // The file's bytes: the plain data scrambled.
    std::string StoredBytes() const;
    // Reads the file's bytes. The whole file is checked before anything changes: on failure every profile
    // stays as it was.
    GP_PlayersLoadResult Load(std::string_view stored);

    std::array<PlayerProfile, SlotCount> profiles;
    char savedNames[SlotCount][SavedNameSize] = {};

private:
    std::string PlainBytes() const;
    void Commit(std::array<PlayerProfile, SlotCount>& loaded);

    std::string emptySlotName_;
    std::uint8_t* slotInUse_ = nullptr;
};

// The main frame's load and save of "Players.cdf" in the start-up folder. Load gives the defaults when the file is
// missing, damaged or unreadable; a damaged or unreadable one is kept as "Players.cdf.damaged". Save writes a temporary
// file beside it and renames it over the old one, so a crash at any moment leaves the old profiles or the new ones;
// false when the file could not be written.
void GP_LoadPlayersFile(CGP_Players& players, const std::string& folder);
bool GP_SavePlayersFile(const CGP_Players& players, const std::string& folder);
std::string GP_PlayersFilePath(const std::string& folder);
