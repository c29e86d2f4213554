#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "GP_Players.h"
#include "GP_RecordBytes.h"
#include "GP_Scramble.h"
#include "TempDir.h"

using testsupport::TempDir;

namespace {

const char* kEmptySlot = "- empty -";

// Slot 0 with three records, slot 4 with one, slot 7 named without records.
void FillSample(CGP_Players& players)
{
    players.SetDefaults();
    players.profiles[0].records = {{"Nebula Run", 1200, 3, 2}, {"Deep Field", -5, 0, 3}, {"", 7, 15, 1}};
    players.profiles[0].currentRecord = 2;
    players.profiles[4].SetName("Ilsa");
    players.profiles[4].newFlag = 0;
    players.profiles[4].records = {{"Nebula Run", 99999, 9, 5}};
    players.profiles[7].SetName("Maxwell_Long");  // 12 characters: cut to 11
    players.profiles[7].newFlag = 0;
}

void ExpectSameProfiles(const CGP_Players& a, const CGP_Players& b)
{
    for (int slot = 0; slot < CGP_Players::SlotCount; ++slot) {
        SCOPED_TRACE(slot);
        const PlayerProfile& x = a.profiles[slot];
        const PlayerProfile& y = b.profiles[slot];
        EXPECT_STREQ(x.name, y.name);
        EXPECT_EQ(x.newFlag, y.newFlag);
        EXPECT_EQ(x.currentRecord, y.currentRecord);
        ASSERT_EQ(x.records.size(), y.records.size());
        for (std::size_t i = 0; i < x.records.size(); ++i) {
            EXPECT_EQ(x.records[i].campaignName, y.records[i].campaignName);
            EXPECT_EQ(x.records[i].score, y.records[i].score);
            EXPECT_EQ(x.records[i].mission, y.records[i].mission);
            EXPECT_EQ(x.records[i].lives, y.records[i].lives);
        }
    }
}

void ExpectDefaults(const CGP_Players& players)
{
    EXPECT_STREQ(players.profiles[0].name, "Player 1");
    EXPECT_EQ(players.profiles[0].newFlag, 0);
    EXPECT_TRUE(players.profiles[0].records.empty());
    for (int slot = 1; slot < CGP_Players::SlotCount; ++slot) {
        EXPECT_STREQ(players.profiles[slot].name, kEmptySlot);
        EXPECT_EQ(players.profiles[slot].newFlag, 1);
    }
}

}  // namespace

TEST(Players, SavedProfilesLoadBackWithEveryRecord)
{
    TempDir dir;
    CGP_Players saved(kEmptySlot, nullptr);
    FillSample(saved);
    EXPECT_STREQ(saved.profiles[7].name, "Maxwell_Lon");
    ASSERT_TRUE(GP_SavePlayersFile(saved, dir.path().string()));
    EXPECT_EQ(std::filesystem::file_size(GP_PlayersFilePath(dir.path().string())), 2 * saved.GetSaveSize());
    EXPECT_FALSE(std::filesystem::exists(GP_PlayersFilePath(dir.path().string()) + ".tmp"));

    CGP_Players loaded(kEmptySlot, nullptr);
    GP_LoadPlayersFile(loaded, dir.path().string());
    ExpectSameProfiles(saved, loaded);
    EXPECT_STREQ(loaded.savedNames[4], "Ilsa");
}

// The file keeps the empty slots' text of the language it was saved in; loaded, they speak the game's language.
TEST(Players, EmptySlotsTakeTheEmptyTextOfTheLanguageInUse)
{
    TempDir dir;
    CGP_Players saved(kEmptySlot, nullptr);
    FillSample(saved);
    ASSERT_TRUE(GP_SavePlayersFile(saved, dir.path().string()));
    CGP_Players loaded("- leer -", nullptr);
    GP_LoadPlayersFile(loaded, dir.path().string());
    EXPECT_STREQ(loaded.profiles[4].name, "Ilsa");
    EXPECT_STREQ(loaded.profiles[0].name, "Player 1");
    for (int slot : {1, 2, 3, 5, 6, 8, 9}) {
        EXPECT_STREQ(loaded.profiles[slot].name, "- leer -") << slot;
        EXPECT_STREQ(loaded.savedNames[slot], "- leer -") << slot;
        EXPECT_EQ(loaded.profiles[slot].newFlag, 1) << slot;
    }
}

TEST(Players, TheStoredLayoutIsTheProfileAreaThenEachSlotsRecords)
{
    CGP_Players players(kEmptySlot, nullptr);
    players.SetDefaults();
    players.profiles[1].records = {{"Ab", 10, 2, 3}};
    const std::string plain = GP_UnscrambleBytes(players.StoredBytes());
    ASSERT_EQ(plain.size(), 360u + 16 + 3);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(plain.data());
    EXPECT_EQ(GP_LoadLe32(bytes + 36), 36u);      // size
    EXPECT_EQ(GP_LoadLe32(bytes + 36 + 4), 21u);  // kind
    EXPECT_EQ(GP_LoadLe32(bytes + 36 + 28), 1u);  // record count
    EXPECT_EQ(GP_LoadLe32(bytes + 36 + 32), 0u);  // no pointer is written
    EXPECT_EQ(GP_LoadLe32(bytes + 360), 0u);
    EXPECT_EQ(GP_LoadLe32(bytes + 364), 10u);
    EXPECT_EQ(GP_LoadLe32(bytes + 368), 2u);
    EXPECT_EQ(GP_LoadLe32(bytes + 372), 3u);
    EXPECT_EQ(std::string(plain.data() + 376, 3), std::string("Ab\0", 3));
}

TEST(Players, NoFileGivesTheDefaultSlots)
{
    TempDir dir;
    CGP_Players players(kEmptySlot, nullptr);
    GP_LoadPlayersFile(players, dir.path().string());
    ExpectDefaults(players);
    EXPECT_FALSE(std::filesystem::exists(GP_PlayersFilePath(dir.path().string()) + ".damaged"));
}

TEST(Players, AnOddLengthFileLoadsWithoutItsLastByte)
{
    CGP_Players saved(kEmptySlot, nullptr);
    FillSample(saved);
    CGP_Players loaded(kEmptySlot, nullptr);
    ASSERT_EQ(loaded.Load(saved.StoredBytes() + "z"), GP_PlayersLoaded);
    ExpectSameProfiles(saved, loaded);
}

TEST(Players, EveryTruncatedFileIsRefusedAndChangesNothing)
{
    CGP_Players saved(kEmptySlot, nullptr);
    FillSample(saved);
    const std::string stored = saved.StoredBytes();
    CGP_Players players(kEmptySlot, nullptr);
    players.SetDefaults();
    players.profiles[2].SetName("Keep");
    for (std::size_t length = 0; length + 1 < stored.size(); ++length) {
        const GP_PlayersLoadResult result = players.Load(std::string_view(stored).substr(0, length));
        ASSERT_NE(result, GP_PlayersLoaded) << length;
        EXPECT_EQ(result, length < 720 ? GP_PlayersTooShort : GP_PlayersRecordsCut) << length;
    }
    EXPECT_STREQ(players.profiles[2].name, "Keep");
    EXPECT_TRUE(players.profiles[0].records.empty());
}

TEST(Players, DamagedFilesGiveTheDefaultsAndNeverFollowTheirCounts)
{
    struct Case {
        const char* what;
        std::uint32_t recordCount;  // slot 0's
        std::string tail;           // after the profile area
        GP_PlayersLoadResult result;
    };
    const std::string longName(2000, 'n');
    const Case cases[] = {
        {"a huge record count", 0xFFFFFFFFu, std::string(64, 'x'), GP_PlayersRecordsCut},
        {"more records than bytes", 4, std::string(17 * 3, '\0'), GP_PlayersRecordsCut},
        {"a name without its NUL", 1, std::string(16, '\0') + longName, GP_PlayersNameTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGP_Players base(kEmptySlot, nullptr);
        base.SetDefaults();
        std::string plain = GP_UnscrambleBytes(base.StoredBytes());
        GP_StoreLe32(reinterpret_cast<std::uint8_t*>(plain.data()) + 28, c.recordCount);
        plain += c.tail;
        TempDir dir;
        const std::string path = GP_PlayersFilePath(dir.path().string());
        testsupport::WriteFile(path, GP_ScrambleBytes(plain));
        CGP_Players players(kEmptySlot, nullptr);
        EXPECT_EQ(players.Load(GP_ScrambleBytes(plain)), c.result);
        GP_LoadPlayersFile(players, dir.path().string());
        ExpectDefaults(players);
        // The refused file is kept aside, and the next save does not touch that copy.
        ASSERT_TRUE(GP_SavePlayersFile(players, dir.path().string()));
        EXPECT_EQ(testsupport::ReadFile(path + ".damaged"), GP_ScrambleBytes(plain));
    }
}

TEST(Players, ALoadedNameIsAlwaysTerminatedAndAStrayCurrentRecordIsTheFirst)
{
    CGP_Players base(kEmptySlot, nullptr);
    base.SetDefaults();
    std::string plain = GP_UnscrambleBytes(base.StoredBytes());
    std::memset(plain.data() + 36 + 8, 'W', 12);                                  // slot 1's name, no NUL
    plain[36 + 20] = 0;                                                           // a named slot is not new
    GP_StoreLe32(reinterpret_cast<std::uint8_t*>(plain.data()) + 36 + 24, 5000);  // current record of none
    CGP_Players players(kEmptySlot, nullptr);
    ASSERT_EQ(players.Load(GP_ScrambleBytes(plain)), GP_PlayersLoaded);
    EXPECT_STREQ(players.profiles[1].name, "WWWWWWWWWWW");
    EXPECT_EQ(players.profiles[1].currentRecord, 0);
}

TEST(Players, CommitNamesCommitsOneEditedSlotPerCall)
{
    std::uint8_t slotInUse[2] = {0, 0};
    CGP_Players players(kEmptySlot, slotInUse);
    players.SetDefaults();
    EXPECT_FALSE(players.CommitNames());
    players.profiles[3].SetName("Ann");
    players.profiles[6].SetName("Bob");
    EXPECT_TRUE(players.CommitNames());
    EXPECT_EQ(players.profiles[3].newFlag, 0);
    EXPECT_EQ(players.profiles[6].newFlag, 1);
    EXPECT_EQ(slotInUse[0], 1);
    EXPECT_EQ(slotInUse[1], 1);
    EXPECT_TRUE(players.CommitNames());
    EXPECT_EQ(players.profiles[6].newFlag, 0);
    EXPECT_STREQ(players.savedNames[6], "Bob");
    EXPECT_FALSE(players.CommitNames());
}

TEST(Players, ResetSlotFreesTheRecordsAndMarksTheSlotNew)
{
    CGP_Players players(kEmptySlot, nullptr);
    FillSample(players);
    players.ResetSlot(4);
    EXPECT_STREQ(players.profiles[4].name, kEmptySlot);
    EXPECT_EQ(players.profiles[4].newFlag, 1);
    EXPECT_TRUE(players.profiles[4].records.empty());
    players.ResetSlot(10);  // no such slot: nothing happens
}

// A save killed at any moment leaves a file that loads as the old profiles or the new ones.
TEST(Players, ASaveKilledMidWriteLeavesAWholeFile)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    CGP_Players first(kEmptySlot, nullptr);
    FillSample(first);
    CGP_Players second(kEmptySlot, nullptr);
    FillSample(second);
    second.profiles[9].SetName("Second");
    second.profiles[9].newFlag = 0;
    second.profiles[9].records.assign(300, CampaignRecord{std::string(200, 'c'), 1, 2, 3});
    ASSERT_TRUE(GP_SavePlayersFile(first, folder));

    for (int round = 0; round < 8; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0; i < 1000; ++i) GP_SavePlayersFile(i % 2 ? first : second, folder);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3 + 5 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        CGP_Players loaded(kEmptySlot, nullptr);
        std::string stored;
        ASSERT_TRUE(GP_ReadWholeFile(GP_PlayersFilePath(folder), 1u << 24, &stored));
        ASSERT_EQ(loaded.Load(stored), GP_PlayersLoaded) << "round " << round;
        ExpectSameProfiles(std::strcmp(loaded.profiles[9].name, "Second") == 0 ? second : first, loaded);
    }
}
