// The top list: for each campaign the ten best results of finished campaigns (player name, date text, score),
// stored scrambled in "TopList.cdf" in the start-up folder through the plain intermediate "temp.tmp".
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One result. An entry without a player name is empty, and so is every entry after it.
struct TopListEntry {
    std::string playerName;
    std::string dateText;
    std::int32_t score = 0;
    std::string scoreText;  // the score written with "%d", for display

    bool IsEmpty() const { return playerName.empty(); }
};

// One campaign's results, best first.
struct TopListGroup {
    static constexpr int EntryCount = 10;

    std::string campaignName;
    std::array<TopListEntry, EntryCount> entries;

    // The entries in use, counted from the top.
    int UsedCount() const;
    // Places the result below every equal score; false when it does not reach the ten.
    bool Insert(std::string_view playerName, std::string_view dateText, std::int32_t score);
};

enum GP_TopListLoadResult : int {
    GP_TopListLoaded = 0,
    GP_TopListForeign = 1,   // not the top list's magic
    GP_TopListNoGroups = 2,  // a group count of 0: nothing to read
    GP_TopListTooManyEntries = 3,
    GP_TopListCut = 4,          // the data ends before what it announces
    GP_TopListTextTooLong = 5,  // a text without its NUL within 1023 characters
};

class CGP_TopList {
public:
    static constexpr std::uint16_t Magic = 26017;  // 0x65A1
    static constexpr std::size_t MaxTextLength = 1023;
    static constexpr std::size_t MaxGroups = 0xFFFF;  // the count is a 16-bit field

    CGP_TopList() = default;
    virtual ~CGP_TopList() = default;
    CGP_TopList(const CGP_TopList&) = delete;
    CGP_TopList& operator=(const CGP_TopList&) = delete;

    // Adds a result to the campaign's group, creating the group when it is the campaign's first. In the hidden
    // mode nothing is added.
    bool Insert(std::string_view campaignName, std::string_view playerName, std::string_view dateText,
                std::int32_t score, bool hiddenMode);
    // The group of the campaign (exact name), or null.
    const TopListGroup* Find(std::string_view campaignName) const;

    // The plain layout: magic, group count, then each group's name, entry count and entries.
    std::string PlainBytes() const;
    // Reads the plain layout. The list changes only when the whole of it is sound.
    GP_TopListLoadResult Load(std::string_view plain);

    std::vector<std::unique_ptr<TopListGroup>> groups;
    std::uint16_t magic = Magic;
};

// The main frame's load and save. Load unscrambles "TopList.cdf" into "temp.tmp", reads that and leaves it empty; a
// missing or damaged file gives an empty list, and a damaged one is kept as "TopList.cdf.damaged". Save writes
// "temp.tmp", and only when that succeeded scrambles it into "TopList.cdf" (through a temporary file renamed over the
// old one), then empties "temp.tmp"; false when the list could not be stored, with the old "TopList.cdf" untouched.
std::unique_ptr<CGP_TopList> GP_LoadTopListFile(const std::string& folder);
bool GP_SaveTopListFile(const CGP_TopList& list, const std::string& folder);
std::string GP_TopListFilePath(const std::string& folder);
std::string GP_TopListTempPath(const std::string& folder);
