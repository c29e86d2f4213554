#include "GP_TopList.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <utility>

#include "GP_RecordBytes.h"
#include "GP_Scramble.h"
#include "platform/replace_file.h"

namespace {

// Far above any real top list (a few campaigns of ten results); a larger intermediate is not ours.
constexpr std::size_t kMaxTopListFileBytes = 64u << 20;

std::string Text(std::string_view text) { return std::string(text.substr(0, CGP_TopList::MaxTextLength)); }

TopListEntry MakeEntry(std::string_view playerName, std::string_view dateText, std::int32_t score)
{
    return {Text(playerName), Text(dateText), score, std::to_string(score)};
}

void AppendText(std::string& plain, const std::string& text)
{
    plain.append(text, 0, CGP_TopList::MaxTextLength);
    plain.push_back('\0');
}

void AppendLe32(std::string& plain, std::uint32_t value)
{
    std::uint8_t bytes[4];
    GP_StoreLe32(bytes, value);
    plain.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Reads the plain layout front to back, every read bounded by the bytes left.
class PlainReader {
public:
    explicit PlainReader(std::string_view plain) : plain_(plain) {}

    bool Read16(std::uint16_t* value)
    {
        if (plain_.size() - offset_ < 2) return false;
        *value = GP_LoadLe16(Bytes());
        offset_ += 2;
        return true;
    }

    bool Read32(std::uint32_t* value)
    {
        if (plain_.size() - offset_ < 4) return false;
        *value = GP_LoadLe32(Bytes());
        offset_ += 4;
        return true;
    }

    // A NUL-terminated text of at most 1023 characters.
    GP_TopListLoadResult ReadText(std::string* text)
    {
        const std::size_t window = std::min(plain_.size() - offset_, CGP_TopList::MaxTextLength + 1);
        const std::size_t end = plain_.substr(offset_, window).find('\0');
        if (end == std::string_view::npos)
            return window > CGP_TopList::MaxTextLength ? GP_TopListTextTooLong : GP_TopListCut;
        *text = std::string(plain_.substr(offset_, end));
        offset_ += end + 1;
        return GP_TopListLoaded;
    }

private:
    const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(plain_.data() + offset_); }

    std::string_view plain_;
    std::size_t offset_ = 0;
};

GP_TopListLoadResult ReadEntry(PlainReader& reader, TopListEntry* entry)
{
    GP_TopListLoadResult result = reader.ReadText(&entry->playerName);
    if (result == GP_TopListLoaded) result = reader.ReadText(&entry->dateText);
    if (result != GP_TopListLoaded) return result;
    std::uint32_t score = 0;
    if (!reader.Read32(&score)) return GP_TopListCut;
    entry->score = static_cast<std::int32_t>(score);
    entry->scoreText = std::to_string(entry->score);
    return GP_TopListLoaded;
}

GP_TopListLoadResult ReadGroup(PlainReader& reader, TopListGroup* group)
{
    const GP_TopListLoadResult result = reader.ReadText(&group->campaignName);
    if (result != GP_TopListLoaded) return result;
    std::uint32_t count = 0;
    if (!reader.Read32(&count)) return GP_TopListCut;
    if (count > TopListGroup::EntryCount) return GP_TopListTooManyEntries;
    for (std::uint32_t i = 0; i < count; ++i) {
        const GP_TopListLoadResult entryResult = ReadEntry(reader, &group->entries[i]);
        if (entryResult != GP_TopListLoaded) return entryResult;
    }
    return GP_TopListLoaded;
}

// Leaves the intermediate empty, as it is between a load or save and the next.
void EmptyFile(const std::string& path)
{
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) std::fclose(file);
}

}  // namespace

int TopListGroup::UsedCount() const
{
    int used = 0;
    while (used < EntryCount && !entries[used].IsEmpty()) ++used;
    return used;
}

bool TopListGroup::Insert(std::string_view playerName, std::string_view dateText, std::int32_t score)
{
    const int used = UsedCount();
    int place = 0;
    while (place < used && entries[place].score >= score) ++place;
    if (place == EntryCount) return false;
    std::move_backward(entries.begin() + place, entries.end() - 1, entries.end());
    entries[place] = MakeEntry(playerName, dateText, score);
    return true;
}

bool CGP_TopList::Insert(std::string_view campaignName, std::string_view playerName, std::string_view dateText,
                         std::int32_t score, bool hiddenMode)
{
    if (hiddenMode) return false;
    for (const auto& group : groups)
        if (group->campaignName == campaignName) return group->Insert(playerName, dateText, score);
    if (groups.size() >= MaxGroups) return false;
    auto group = std::make_unique<TopListGroup>();
    group->campaignName = Text(campaignName);
    group->entries[0] = MakeEntry(playerName, dateText, score);
    groups.push_back(std::move(group));
    return true;
}

const TopListGroup* CGP_TopList::Find(std::string_view campaignName) const
{
    for (const auto& group : groups)
        if (group->campaignName == campaignName) return group.get();
    return nullptr;
}

std::string CGP_TopList::PlainBytes() const
{
    std::string plain(4, '\0');
    GP_StoreLe16(reinterpret_cast<std::uint8_t*>(plain.data()), Magic);
    GP_StoreLe16(reinterpret_cast<std::uint8_t*>(plain.data()) + 2, static_cast<std::uint16_t>(groups.size()));
    for (const auto& group : groups) {
        AppendText(plain, group->campaignName);
        const int used = group->UsedCount();
        AppendLe32(plain, static_cast<std::uint32_t>(used));
        for (int i = 0; i < used; ++i) {
            AppendText(plain, group->entries[i].playerName);
            AppendText(plain, group->entries[i].dateText);
            AppendLe32(plain, static_cast<std::uint32_t>(group->entries[i].score));
        }
    }
    return plain;
}

GP_TopListLoadResult CGP_TopList::Load(std::string_view plain)
{
    PlainReader reader(plain);
    std::uint16_t fileMagic = 0;
    std::uint16_t count = 0;
    if (!reader.Read16(&fileMagic) || fileMagic != Magic) return GP_TopListForeign;
    if (!reader.Read16(&count)) return GP_TopListCut;
    if (count == 0) return GP_TopListNoGroups;
    std::vector<std::unique_ptr<TopListGroup>> loaded;
    for (std::uint16_t i = 0; i < count; ++i) {
        auto group = std::make_unique<TopListGroup>();
        const GP_TopListLoadResult result = ReadGroup(reader, group.get());
        if (result != GP_TopListLoaded) return result;
        loaded.push_back(std::move(group));
    }
    groups = std::move(loaded);
    return GP_TopListLoaded;
}

std::string GP_TopListFilePath(const std::string& folder) { return folder + "/TopList.cdf"; }
std::string GP_TopListTempPath(const std::string& folder) { return folder + "/temp.tmp"; }

std::unique_ptr<CGP_TopList> GP_LoadTopListFile(const std::string& folder)
{
    const std::string temp = GP_TopListTempPath(folder);
    GP_UnscrambleFile(GP_TopListFilePath(folder), temp);
    auto list = std::make_unique<CGP_TopList>();
    GP_TopListLoadResult result = GP_TopListForeign;
    try {
        std::string plain;
        if (GP_ReadWholeFile(temp, kMaxTopListFileBytes, &plain)) result = list->Load(plain);
    } catch (const std::bad_alloc&) {
        list = std::make_unique<CGP_TopList>();
        result = GP_TopListForeign;
    }
    // A list without groups is a sound empty list.
    if (result != GP_TopListLoaded && result != GP_TopListNoGroups) GP_KeepRefusedFile(GP_TopListFilePath(folder));
    EmptyFile(temp);
    return list;
}

bool GP_SaveTopListFile(const CGP_TopList& list, const std::string& folder)
{
    const std::string temp = GP_TopListTempPath(folder);
    const bool stored =
        platform::ReplaceFileWhole(temp, list.PlainBytes()) && GP_ScrambleFile(temp, GP_TopListFilePath(folder));
    EmptyFile(temp);
    return stored;
}
