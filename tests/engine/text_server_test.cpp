#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GP_BinaryServer.h"
#include "GP_IDList.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PtrList.h"
#include "GP_ServerSet.h"
#include "GP_TextServer.h"
#include "ResourceFixture.h"
#include "TempDir.h"

using resourcetest::AddGroupWithFiles;
using resourcetest::AddHeaderGroup;
using resourcetest::CatchFatal;
using resourcetest::LoadPackTable;
using resourcetest::Open;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Record(const std::vector<std::string>& columns)
{
    std::string record;
    const auto count = static_cast<std::uint16_t>(columns.size());
    record.append(reinterpret_cast<const char*>(&count), 2);
    for (const std::string& text : columns) {
        const auto length = static_cast<std::uint16_t>(text.size());
        record.append(reinterpret_cast<const char*>(&length), 2);
    }
    for (const std::string& text : columns) record += text;
    return record;
}

constexpr std::uint32_t Russian = 1049, English = 1033, French = 1036, German = 1031;

// An interface pack with two text groups of kind 4 and one group of another kind between them.
class TextServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddHeaderGroup(source, dir / "h/", 2, "InterfaceR.idf");
        WriteFile(dir / "h/layers", Record({"Слой", "Layer"}));  // ID 0, of kind 0, shares dense index 0
        AddGroupWithFiles(source, dir / "t1/", "Texts", 4, 2,
                          {{"four", Record({"Да", "Yes", "Oui", "Ja"})},
                           {"two", Record({"Нет", "No"})},
                           {"none", Record({})},
                           {"gaps", Record({"", "", "", "Lücke"})}});
        AddGroupWithFiles(source, dir / "b/", "Other", 0, 2, {{"x", "x"}});
        AddGroupWithFiles(source, dir / "t2/", "More texts", 4, 2, {{"late", Record({"П", "L"})}});
        CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildInterfacePack((dir / "i.idf").c_str());
        pack = Open(dir / "i.idf", "rb");
        LoadPackTable(names, pack.get());
        io = std::make_unique<CGP_IOManager>(nullptr, pack.get(), &names, nullptr);
    }

    TempDir dir;
    CGP_NameServer source;
    CGP_NameServer names;
    resourcetest::File pack{nullptr, std::fclose};
    std::unique_ptr<CGP_IOManager> io;
};

}  // namespace

TEST_F(TextServerTest, EachLanguageReadsItsColumn)
{
    const std::pair<std::uint32_t, const char*> languages[] = {{Russian, "Да"}, {English, "Yes"}, {French, "Oui"},
                                                               {German, "Ja"},  {1040, "Yes"},    {0, "Yes"}};
    for (const auto& [language, expected] : languages) {
        CGP_TextServer texts(io.get(), language);
        EXPECT_EQ(texts.slotCount, 5u);
        EXPECT_STREQ(texts.GetText(GP_MakeID(1, 0)), expected) << language;
    }
    CGP_TextServer german(io.get(), German);
    EXPECT_STREQ(german.GetText(GP_MakeID(1, 1)), " ");  // C = 2 has no column 3
    EXPECT_STREQ(german.GetText(GP_MakeID(1, 2)), " ");  // C = 0 has no column at all
    EXPECT_STREQ(german.GetText(GP_MakeID(1, 3)), "Lücke");
    EXPECT_STREQ(german.GetText(GP_NoID), " ");
    EXPECT_STREQ(german.GetText(GP_MakeID(3, 0)), " ");  // C = 2 again, in the second text group
    CGP_TextServer english(io.get(), English);
    EXPECT_STREQ(english.GetText(GP_MakeID(3, 0)), "L");
    EXPECT_STREQ(english.GetText(GP_MakeID(3, 9)), " ");  // beyond the group: no slot
}

TEST_F(TextServerTest, IDsOfOtherKindsHaveNoTextSlot)
{
    CGP_TextServer texts(io.get(), English);
    ASSERT_EQ(names.GetIndex(0), 0);  // the same dense index as the first text
    EXPECT_STREQ(texts.GetText(0), " ");
    EXPECT_EQ(texts.slots[0], nullptr);
    EXPECT_STREQ(texts.GetText(GP_MakeID(1, 0)), "Yes");
    EXPECT_STREQ(texts.GetText(0), " ");
}

TEST_F(TextServerTest, ReloadRereadsOnlyTheTextsAlreadyLoaded)
{
    CGP_TextServer texts(io.get(), English);
    const char* yes = texts.GetText(GP_MakeID(1, 0));
    EXPECT_STREQ(yes, "Yes");
    EXPECT_EQ(texts.GetText(GP_MakeID(1, 0)), yes);  // kept in its slot

    texts.SetLanguage(French, false);
    EXPECT_STREQ(texts.GetText(GP_MakeID(1, 0)), "Yes");
    texts.SetLanguage(Russian, true);
    EXPECT_STREQ(texts.slots[0].get(), "Да");
    for (std::uint32_t slot = 1; slot < texts.slotCount; ++slot) EXPECT_EQ(texts.slots[slot], nullptr) << slot;
    EXPECT_STREQ(texts.GetText(GP_MakeID(3, 0)), "П");
    EXPECT_STREQ(texts.slots[4].get(), "П");

    texts.Clear();
    EXPECT_EQ(texts.slots[0], nullptr);
    EXPECT_EQ(texts.slotCount, 5u);
    names.Clear();
    texts.Reset();
    EXPECT_EQ(texts.slotCount, 0u);
    EXPECT_STREQ(texts.GetText(GP_MakeID(1, 0)), " ");
}

TEST_F(TextServerTest, ARecordReadsFromAPlainFile)
{
    WriteFile(dir / "description", Record({"Описание", "Description", "", ""}));
    CGP_IOManager noPacks(nullptr, nullptr, nullptr, nullptr);
    CGP_TextServer texts(&noPacks, English);
    auto file = Open(dir / "description", "rb");
    std::unique_ptr<char[]> text(texts.ReadRecord(file.get()));
    EXPECT_STREQ(text.get(), "Description");
    // A record that ends inside its column gives no text.
    WriteFile(dir / "cut", std::string("\x02\x00\x05\x00\x05\x00"
                                       "abcdefg",
                                       13));
    auto cut = Open(dir / "cut", "rb");
    EXPECT_EQ(texts.ReadRecord(cut.get()), nullptr);
    EXPECT_EQ(texts.slotCount, 0u);
    EXPECT_STREQ(texts.GetText(0), " ");
}

TEST_F(TextServerTest, TheServerSetCreatesItsServersOverTheManager)
{
    CGP_ServerSet servers(nullptr, io.get(), nullptr, French);
    ASSERT_NE(servers.binary, nullptr);
    ASSERT_NE(servers.text, nullptr);
    EXPECT_EQ(servers.binary->io, io.get());
    EXPECT_STREQ(servers.text->GetText(GP_MakeID(1, 0)), "Oui");
    EXPECT_EQ(servers.io, io.get());
}

TEST(IDList, NextWalksTheIDsThenGivesNoneUntilRewound)
{
    TempDir dir;
    CGP_IDList written(nullptr);
    for (std::uint32_t id : {0x10002u, 0u, 0xFFFFFFFEu}) written.list->Append(GP_IDToEntry(id));
    {
        auto out = Open(dir / "ids", "wb");
        ASSERT_TRUE(written.Write(out.get()));
    }
    CGP_IDList list(nullptr);
    auto in = Open(dir / "ids", "rb");
    list.Read(in.get());
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(list.Next(), 0x10002u);
        EXPECT_EQ(list.Next(), 0u);
        EXPECT_EQ(list.Next(), 0xFFFFFFFEu);
        for (int more = 0; more < 3; ++more) EXPECT_EQ(list.Next(), GP_NoID);
        list.Rewind();
    }

    WriteFile(dir / "cut", std::string("\x03\x00\x01\x00\x00\x00\x02\x00", 8));
    auto cut = Open(dir / "cut", "rb");
    CGP_IDList damaged(nullptr);
    EXPECT_TRUE(CatchFatal([&] { damaged.Read(cut.get()); }).thrown);
}

TEST(PtrList, GrowsByItsStepAndStopsAt65534Entries)
{
    CGP_PtrList ids(16, 16);
    for (std::uintptr_t i = 0; i < 15; ++i) ids.Append(reinterpret_cast<void*>(i));
    EXPECT_EQ(ids.capacity, 15);
    ids.Append(nullptr);
    EXPECT_EQ(ids.capacity, 31);  // 32 entries after the 16th append

    // A behaviour's list (160, +160) passes capacities that a 16-bit sum would wrap.
    CGP_PtrList big(160, 160);
    for (std::uintptr_t i = 0; i < 65535; ++i) big.Append(reinterpret_cast<void*>(i + 1));
    EXPECT_EQ(big.count, 65534);
    EXPECT_EQ(big.capacity, 65534);
    for (std::uintptr_t i = 0; i < 65534; i += 997) EXPECT_EQ(big.block[i], reinterpret_cast<void*>(i + 1));
    EXPECT_EQ(big.block[65533], reinterpret_cast<void*>(65534));

    CGP_PtrList odd(0, 0);  // still room for one entry and a step of one
    for (std::uintptr_t i = 0; i < 5; ++i) odd.Append(reinterpret_cast<void*>(i));
    EXPECT_EQ(odd.count, 5);
    EXPECT_EQ(odd.block[4], reinterpret_cast<void*>(4));
}
