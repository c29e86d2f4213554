#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GP_NameServer.h"
#include "GP_NameTableScramble.h"
#include "GP_PagedTable.h"
#include "ResourceFixture.h"
#include "TempDir.h"

using resourcetest::CatchFatal;
using resourcetest::Open;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

void AddNames(CGP_NameServer& names, std::uint16_t group, int count)
{
    for (int i = 0; i < count; ++i) names.AddName(("n" + std::to_string(i)).c_str(), group, 100 + i);
}

}  // namespace

TEST(PagedTable, EntriesCrossPagesAndTheDefaultAnswersBeyondTheCount)
{
    CGP_PagedTable table;
    int marker = 0;
    table.SetDefault(&marker);
    std::vector<int> values(CGP_PagedTable::MaxEntries + 1);
    for (int& value : values) table.Append(&value);
    EXPECT_EQ(table.GetCount(), CGP_PagedTable::MaxEntries);
    for (std::uint32_t index : {0u, 254u, 255u, 256u, 511u, 65279u, 65280u, 65533u})
        EXPECT_EQ(table.Get(index), &values[index]) << index;
    EXPECT_EQ(table.Get(65534), &marker);  // the 65535th append was ignored
    table.Reset();
    EXPECT_EQ(table.Get(0), &marker);
    table.Append(&values[1]);
    EXPECT_EQ(table.Get(0), &values[1]);
}

TEST(NameServer, DenseIndicesCountAcrossGroupsOfOneKind)
{
    CGP_NameServer names;
    names.AddGroup("Header", nullptr, nullptr);
    names.AddGroup("Sounds A", "*.wav", "A\\");
    names.AddGroup("Pictures", nullptr, nullptr);
    names.AddGroup("Sounds B", "*.wav", "B\\");
    names.GetGroup(1)->resourceKind = 2;
    names.GetGroup(2)->resourceKind = 1;
    names.GetGroup(3)->resourceKind = 2;
    AddNames(names, 0, 2);
    AddNames(names, 1, 3);
    AddNames(names, 2, 4);
    AddNames(names, 3, 5);

    EXPECT_EQ(names.GetCount(2), 8u);
    EXPECT_EQ(names.GetIndex(GP_MakeID(3, 1)), 4);
    EXPECT_EQ(names.GetID(4, 2), GP_MakeID(3, 1));
    EXPECT_EQ(names.GetID(2, 2), GP_MakeID(1, 2));
    EXPECT_EQ(names.GetID(8, 2), GP_NoID);
    EXPECT_EQ(names.GetIndex(GP_MakeID(2, 3)), 3);
    EXPECT_EQ(names.GetIndex(GP_MakeID(0, 1)), 1);
    for (std::int32_t dense = 0; dense < 8; ++dense) EXPECT_EQ(names.GetIndex(names.GetID(dense, 2)), dense);
    // Nothing that is not a name has a slot: not -1, not an index beyond its group, not a missing group.
    EXPECT_EQ(names.GetIndex(GP_NoID), -1);
    EXPECT_EQ(names.GetIndex(GP_MakeID(1, 3)), -1);
    EXPECT_EQ(names.GetIndex(GP_MakeID(9, 0)), -1);
}

TEST(NameServer, LookupsOfPresentAndAbsentNames)
{
    CGP_NameServer names;
    names.AddDefaultGroups();
    names.AddName("ship.bmp", 1, 7);
    names.AddName("ship.bmp", 1, 8);
    names.AddName("shot.bmp", 1, 9);

    EXPECT_STREQ(names.GetName(0xFFFF, 0xFFFF), "none");
    EXPECT_EQ(names.GetName(5, 1), nullptr);
    EXPECT_EQ(names.GetName(0, 7), nullptr);
    EXPECT_STREQ(names.GetName(2, 1), "shot.bmp");
    EXPECT_EQ(names.GetEntry(1, 1)->locator, 8u);
    for (auto [index, group] : {std::pair{0xFFFF, 0xFFFF}, std::pair{3, 1}, std::pair{0, 9}}) {
        const GP_NameEntry* none = names.GetEntry(static_cast<std::uint16_t>(index), static_cast<std::uint16_t>(group));
        EXPECT_EQ(none->text, "none");
        EXPECT_EQ(none->locator, GP_NoLocator);
    }
    EXPECT_EQ(names.FindID("shot.bmp", 1), GP_MakeID(1, 2));
    EXPECT_EQ(names.FindID("ship.bmp", 1), GP_MakeID(1, 0));
    EXPECT_EQ(names.FindID("SHOT.BMP", 1), 0u);
    EXPECT_TRUE(names.Contains("ship.bmp", 1));
    EXPECT_FALSE(names.Contains("ship.bmp", 0));

    char* path = nullptr;
    names.GetPath(path, GP_MakeID(1, 2));
    EXPECT_STREQ(path, "C:\\WORK\\ENGINE\\GAMERESOURCE\\GRAPH\\shot.bmp");
    delete[] path;
    names.GetPath(path, GP_MakeID(1, 3));
    EXPECT_EQ(path, nullptr);
    char* copy = nullptr;
    names.CopyName(copy, 0, 1);
    EXPECT_STREQ(copy, "ship.bmp");
    delete[] copy;
    EXPECT_EQ(names.GetGroup(2)->mask, "*.wav");
    EXPECT_EQ(names.GetGroup(0)->directory, "C:\\WORK\\ENGINE\\GAMERESOURCE\\BINARY\\");
}

TEST(NameServer, SaveThenLoadGivesTheSameTableAndClearStartsNumberingAgain)
{
    TempDir dir;
    CGP_NameServer written;
    written.AddGroup("Header", nullptr, nullptr);
    written.AddGroup("Texts", "*.txt", "RESOURCE\\TEXT\\");
    written.GetGroup(1)->resourceKind = 4;
    written.GetGroup(1)->storage = 2;
    written.GetGroup(0)->storage = 0;
    written.AddName("first", 0, 0);
    written.AddName("second", 0, GP_NoLocator);
    AddNames(written, 1, 300);  // the names of group 1 fill two pages
    written.SaveFile((dir / "table.bin").c_str());

    CGP_NameServer read;
    read.AddGroup("left over", nullptr, nullptr);
    read.LoadFile((dir / "table.bin").c_str());  // clears first
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(read.GetGroupCount(), 2);
        for (std::uint32_t g = 0; g < 2; ++g) {
            const GP_NameGroup* a = written.GetGroup(g);
            const GP_NameGroup* b = read.GetGroup(g);
            EXPECT_EQ(b->name, a->name);
            EXPECT_EQ(b->mask, a->mask);
            EXPECT_EQ(b->directory, a->directory);
            EXPECT_EQ(b->resourceKind, a->resourceKind);
            EXPECT_EQ(b->storage, a->storage);
            ASSERT_EQ(b->GetCount(), a->GetCount());
            for (std::uint32_t n = 0; n < a->GetCount(); ++n) {
                EXPECT_EQ(b->GetEntry(n)->text, a->GetEntry(n)->text);
                EXPECT_EQ(b->GetEntry(n)->locator, a->GetEntry(n)->locator);
            }
        }
        read.Clear();
        EXPECT_EQ(read.GetGroupCount(), 0);
        EXPECT_EQ(read.GetCount(4), 0u);
        auto stream = Open(dir / "table.bin", "rb");
        read.Load(stream.get(), false);
    }
}

// The scrambling is ours to choose; this pins it so that packs built by one version read in the next.
TEST(NameServer, StoredImageUsesTheChosenKeyAndBitPermutation)
{
    const int resultBitOfSource[8] = {3, 6, 0, 5, 7, 1, 4, 2};
    for (int s = 0; s < 8; ++s) {
        EXPECT_EQ(GP_NameTableBitPairs[s].sourceMask, 1 << s);
        EXPECT_EQ(GP_NameTableBitPairs[s].resultMask, 1 << resultBitOfSource[s]);
    }
    EXPECT_EQ(GP_LocatorKey, 0xB5E3A917u);

    TempDir dir;
    CGP_NameServer names;
    names.AddGroup("G", "", "");
    names.GetGroup(0)->resourceKind = 4;
    names.AddName("N", 0, 0x01020304);
    names.SaveFile((dir / "t.bin").c_str());

    std::string plain(
        "\x01\x00"
        "G\0\0\0"
        "\x04\0\0\0"
        "\x01\0\0\0"
        "\x01\x00"
        "N\0",
        18);
    const std::uint32_t stored = 0x01020304u ^ 0xB5E3A917u;
    plain.append(reinterpret_cast<const char*>(&stored), 4);
    std::string expected;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(plain[i]);
        std::uint8_t moved = 0;
        for (int s = 0; s < 8; ++s)
            if (byte & (1 << resultBitOfSource[s])) moved |= static_cast<std::uint8_t>(1 << s);
        expected.push_back(static_cast<char>(moved ^ (i & 0xFF)));
    }
    EXPECT_EQ(ReadFile(dir / "t.bin"), expected);
}

TEST(NameServer, TablesTheReaderCouldNotTakeBackAreNotSaved)
{
    TempDir dir;
    CGP_NameServer longName;
    longName.AddGroup("G", nullptr, nullptr);
    longName.AddName(std::string(1024, 'x').c_str(), 0, 0);
    auto fatal = CatchFatal([&] { longName.SaveFile((dir / "a.bin").c_str()); });
    EXPECT_TRUE(fatal.thrown);
    EXPECT_EQ(fatal.module, "GP_NameServer");

    CGP_NameServer large;
    large.AddGroup("G", nullptr, nullptr);
    for (int i = 0; i < 70; ++i) large.AddName(std::string(1000, static_cast<char>('a' + i % 26)).c_str(), 0, 0);
    EXPECT_TRUE(CatchFatal([&] { large.SaveFile((dir / "b.bin").c_str()); }).thrown);

    CGP_NameServer missing;
    const auto notFound = CatchFatal([&] { missing.LoadFile((dir / "absent.bin").c_str()); });
    EXPECT_EQ(notFound.line, 199);
    EXPECT_EQ(notFound.text, dir / "absent.bin");
    EXPECT_EQ(notFound.offerReport, 0);
}
