#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GP_RecordBytes.h"
#include "GP_Scramble.h"
#include "GP_TopList.h"
#include "TempDir.h"

using testsupport::TempDir;

namespace {

std::vector<std::int32_t> Scores(const TopListGroup& group)
{
    std::vector<std::int32_t> scores;
    for (int i = 0; i < group.UsedCount(); ++i) scores.push_back(group.entries[i].score);
    return scores;
}

// A group of ten results, 1000 down to 100.
void FillTen(CGP_TopList& list, const char* campaign)
{
    for (int i = 10; i >= 1; --i)
        ASSERT_TRUE(list.Insert(campaign, "p" + std::to_string(i), "2026-12-10   10:00", i * 100, false));
}

std::string Plain(std::uint16_t magic, std::uint16_t count, const std::string& rest)
{
    std::string plain(4, '\0');
    GP_StoreLe16(reinterpret_cast<std::uint8_t*>(plain.data()), magic);
    GP_StoreLe16(reinterpret_cast<std::uint8_t*>(plain.data()) + 2, count);
    return plain + rest;
}

std::string Le32(std::uint32_t value)
{
    std::string bytes(4, '\0');
    GP_StoreLe32(reinterpret_cast<std::uint8_t*>(bytes.data()), value);
    return bytes;
}

}  // namespace

TEST(TopList, InsertionKeepsTheTenBestWithEqualScoresAboveNewOnes)
{
    struct Case {
        const char* what;
        std::int32_t score;
        bool hiddenMode;
        bool inserted;
        int place;  // where the new result lands, -1 none
    };
    const Case cases[] = {
        {"lower than all ten", 50, false, false, -1},           {"equal to the tenth", 100, false, false, -1},
        {"equal to an existing score", 500, false, true, 6},    {"the best", 5000, false, true, 0},
        {"the best in the hidden mode", 5000, true, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGP_TopList list;
        FillTen(list, "Nebula Run");
        EXPECT_EQ(list.Insert("Nebula Run", "new", "date", c.score, c.hiddenMode), c.inserted);
        const TopListGroup& group = *list.Find("Nebula Run");
        EXPECT_EQ(group.UsedCount(), 10);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(group.entries[i].playerName == "new", i == c.place) << i;
        if (c.place >= 0) {
            EXPECT_EQ(group.entries[c.place].scoreText, std::to_string(c.score));
        }
    }
}

TEST(TopList, AFirstResultCreatesItsCampaignsGroupAtTheEnd)
{
    CGP_TopList list;
    EXPECT_TRUE(list.Insert("B", "ann", "d1", 10, false));
    EXPECT_TRUE(list.Insert("A", "bob", "d2", -3, false));
    EXPECT_TRUE(list.Insert("a", "eve", "d3", 4, false));  // names are matched exactly
    ASSERT_EQ(list.groups.size(), 3u);
    EXPECT_EQ(list.groups[1]->campaignName, "A");
    EXPECT_EQ(list.groups[1]->entries[0].scoreText, "-3");
    EXPECT_EQ(list.groups[1]->UsedCount(), 1);
    EXPECT_FALSE(list.Insert("C", "cid", "d", 1, true));
    EXPECT_EQ(list.groups.size(), 3u);
}

TEST(TopList, ASavedListLoadsBackAndLeavesTheIntermediateEmpty)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    CGP_TopList saved;
    FillTen(saved, "Nebula Run");
    saved.Insert("Deep Field", "Ann", "2026-12-10   11:30", 77, false);
    ASSERT_TRUE(GP_SaveTopListFile(saved, folder));
    EXPECT_EQ(std::filesystem::file_size(GP_TopListTempPath(folder)), 0u);
    EXPECT_EQ(std::filesystem::file_size(GP_TopListFilePath(folder)), 2 * saved.PlainBytes().size());

    const std::unique_ptr<CGP_TopList> loaded = GP_LoadTopListFile(folder);
    EXPECT_EQ(std::filesystem::file_size(GP_TopListTempPath(folder)), 0u);
    ASSERT_EQ(loaded->groups.size(), 2u);
    EXPECT_EQ(Scores(*loaded->Find("Nebula Run")), Scores(*saved.Find("Nebula Run")));
    const TopListEntry& entry = loaded->Find("Deep Field")->entries[0];
    EXPECT_EQ(entry.playerName, "Ann");
    EXPECT_EQ(entry.dateText, "2026-12-10   11:30");
    EXPECT_EQ(entry.scoreText, "77");
}

TEST(TopList, DamagedFilesGiveAnEmptyList)
{
    const std::string group = std::string("Nebula Run\0", 11);
    const std::string entry = std::string("Ann\0date\0", 9) + Le32(5);
    struct Case {
        const char* what;
        std::string plain;
        GP_TopListLoadResult result;
    };
    const Case cases[] = {
        {"empty", "", GP_TopListForeign},
        {"wrong magic", Plain(26018, 1, group + Le32(1) + entry), GP_TopListForeign},
        {"count 0", Plain(CGP_TopList::Magic, 0, ""), GP_TopListNoGroups},
        {"a group of 11 entries", Plain(CGP_TopList::Magic, 1, group + Le32(11) + entry), GP_TopListTooManyEntries},
        {"fewer groups than counted", Plain(CGP_TopList::Magic, 2, group + Le32(1) + entry), GP_TopListCut},
        {"a cut score", Plain(CGP_TopList::Magic, 1, group + Le32(1) + entry.substr(0, 11)), GP_TopListCut},
        {"a text of 1024 characters", Plain(CGP_TopList::Magic, 1, std::string(1024, 'x') + '\0' + Le32(0)),
         GP_TopListTextTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CGP_TopList list;
        EXPECT_EQ(list.Load(c.plain), c.result);
        EXPECT_TRUE(list.groups.empty());

        TempDir dir;
        const std::string path = GP_TopListFilePath(dir.path().string());
        testsupport::WriteFile(path, GP_ScrambleBytes(c.plain));
        EXPECT_TRUE(GP_LoadTopListFile(dir.path().string())->groups.empty());
        // A damaged file is kept aside before a save can write over it; a list of no groups is a sound one.
        if (c.result == GP_TopListNoGroups)
            EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
        else
            EXPECT_EQ(testsupport::ReadFile(path + ".damaged"), GP_ScrambleBytes(c.plain));
    }
}

TEST(TopList, EveryTruncatedFileGivesAnEmptyList)
{
    CGP_TopList saved;
    FillTen(saved, "Nebula Run");
    const std::string plain = saved.PlainBytes();
    for (std::size_t length = 0; length < plain.size(); ++length) {
        CGP_TopList list;
        ASSERT_NE(list.Load(std::string_view(plain).substr(0, length)), GP_TopListLoaded) << length;
        EXPECT_TRUE(list.groups.empty());
    }
}

TEST(TopList, AnEmptyNameEndsTheGroupsResults)
{
    const std::string entries =
        std::string("Ann\0d\0", 6) + Le32(9) + std::string("\0d\0", 3) + Le32(8) + std::string("Bob\0d\0", 6) + Le32(7);
    CGP_TopList list;
    ASSERT_EQ(list.Load(Plain(CGP_TopList::Magic, 1, std::string("C\0", 2) + Le32(3) + entries)), GP_TopListLoaded);
    EXPECT_EQ(list.groups[0]->UsedCount(), 1);
    EXPECT_EQ(list.groups[0]->entries[1].playerName, "");
}

// The list is only scrambled from an intermediate that was written whole: here "temp.tmp" is a folder that no
// file can replace, and the old list stays.
TEST(TopList, ASaveThatCannotWriteTheIntermediateKeepsTheOldFile)
{
    TempDir dir;
    const std::string folder = dir.path().string();
    CGP_TopList old;
    old.Insert("Nebula Run", "Ann", "d", 10, false);
    ASSERT_TRUE(GP_SaveTopListFile(old, folder));
    const std::string before = testsupport::ReadFile(GP_TopListFilePath(folder));
    std::filesystem::remove(GP_TopListTempPath(folder));
    std::filesystem::create_directory(GP_TopListTempPath(folder));

    CGP_TopList changed;
    changed.Insert("Nebula Run", "Bob", "d", 20, false);
    EXPECT_FALSE(GP_SaveTopListFile(changed, folder));
    EXPECT_EQ(testsupport::ReadFile(GP_TopListFilePath(folder)), before);
}
