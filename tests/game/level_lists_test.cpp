#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "GP_LevelLists.h"

namespace {

// A stream holding the u32 values, little-endian.
class Stream {
public:
    explicit Stream(const std::vector<std::uint32_t>& values) : file(std::tmpfile())
    {
        for (std::uint32_t v : values) {
            const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                           static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
            std::fwrite(bytes, 1, 4, file);
        }
        std::rewind(file);
    }
    ~Stream() { std::fclose(file); }
    std::FILE* file;
};

TEST(LayerRecord, GroupsAndDrawingOrderAreReadForEveryObjectList)
{
    Stream stream({2, 2, 0x60015, 0x60022, 1, 0x90000, 3, 0x30002, 0x30000, 0x30001});
    GP_LayerRecord record;
    ASSERT_EQ(GP_ReadLayerRecord(stream.file, 4, record), GP_LayerRead);
    ASSERT_EQ(record.groups.size(), 4u);
    EXPECT_EQ(record.groups[0], (std::vector<std::uint32_t>{0x60015, 0x60022}));
    EXPECT_EQ(record.groups[1], (std::vector<std::uint32_t>{0x90000}));
    EXPECT_TRUE(record.groups[3].empty());
    EXPECT_EQ(record.drawOrder, (std::vector<std::uint32_t>{0x30002, 0x30000, 0x30001}));
}

TEST(LayerRecord, AGroupOfMoreThan65535IdsIsReadWholeAndKeepsItsCap)
{
    std::vector<std::uint32_t> values = {1, 70000};
    for (std::uint32_t i = 0; i < 70000; ++i) values.push_back(0x70000 + i);
    values.insert(values.end(), {1, 0x30000});
    Stream stream(values);
    GP_LayerRecord record;
    ASSERT_EQ(GP_ReadLayerRecord(stream.file, 1, record), GP_LayerRead);
    EXPECT_EQ(record.groups[0].size(), GP_LayerRecord::MaxGroupEntries);
    EXPECT_EQ(record.groups[0].back(), 0x70000 + GP_LayerRecord::MaxGroupEntries - 1);
    EXPECT_EQ(record.drawOrder, (std::vector<std::uint32_t>{0x30000}));  // read after all 70000 IDs
}

TEST(LayerRecord, DamagedRecordsAreRefused)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> values;
        GP_LayerReadResult result;
    };
    const std::vector<Case> cases = {
        {"empty", {}, GP_LayerCut},
        {"more groups than lists", {3, 0, 0, 0, 0}, GP_LayerTooManyGroups},
        {"a count past the end", {1, 0xFFFFFFFF, 5, 6}, GP_LayerCut},
        {"no drawing order", {1, 1, 0x60015}, GP_LayerCut},
        {"a drawing order past the end", {0, 0xFFFFFFFF, 0x30000}, GP_LayerCut},
        {"nothing drawn", {0, 0}, GP_LayerRead},
    };
    for (const Case& c : cases) {
        Stream stream(c.values);
        GP_LayerRecord record;
        EXPECT_EQ(GP_ReadLayerRecord(stream.file, 2, record), c.result) << c.name;
        if (c.result == GP_LayerRead) EXPECT_TRUE(record.drawOrder.empty()) << c.name;
    }
}

}  // namespace
