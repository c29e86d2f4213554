#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "GP_BinaryServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_NameTableScramble.h"
#include "GP_PackTrailer.h"
#include "ResourceFixture.h"
#include "TempDir.h"

using resourcetest::AddGroupWithFiles;
using resourcetest::AddHeaderGroup;
using resourcetest::CatchFatal;
using resourcetest::LoadPackTable;
using resourcetest::Open;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string ReadAt(std::FILE* stream, std::size_t length)
{
    std::string bytes(length, '\0');
    if (std::fread(bytes.data(), 1, length, stream) != length) return "<short>";
    return bytes;
}

std::string NotFoundText(std::int32_t id)
{
    return "Попытка чтения файла по идентификатору " + std::to_string(id) + ",\n не найденному в таблице имён";
}

// A campaign pack (storage 1) with three tiny files and one missing, plus an interface group (storage 2).
class PackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddHeaderGroup(source, dir / "header/", 1);
        AddGroupWithFiles(source, dir / "bin/", "Binary", 0, 1,
                          {{"one", "1"}, {"two", "twenty-two"}, {"gone", ""}, {"three", std::string(40000, 'z')}});
        AddGroupWithFiles(source, dir / "ui/", "Interface", 4, 2, {{"panel", "PANEL"}});
        AddGroupWithFiles(source, dir / "odd/", "Elsewhere", 0, 3, {{"stray", "STRAY"}});
        WriteFile(dir / "header/layers", "LAYERS");
        CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildPack((dir / "campaign.tdf").c_str());
    }

    TempDir dir;
    CGP_NameServer source;
};

}  // namespace

TEST_F(PackTest, ReadBackGivesEveryFileAtItsLocatorAndTheTrailer)
{
    auto pack = Open(dir / "campaign.tdf", "rb");
    CGP_NameServer names;
    LoadPackTable(names, pack.get());
    ASSERT_EQ(names.GetGroupCount(), 4);
    EXPECT_EQ(names.GetEntry(2, 1)->locator, GP_NoLocator);
    EXPECT_EQ(names.GetEntry(0, 2)->locator, 0u);  // other storage: left as it was
    EXPECT_EQ(names.GetEntry(0, 0)->locator, 4u);  // the first file follows the trailer offset

    CGP_IOManager io(pack.get(), nullptr, &names, nullptr);
    EXPECT_EQ(io.packShared, 1);
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(0, 0)), 6), "LAYERS");  // ID 0 is a resource like any other
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(1, 1)), 10), "twenty-two");
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(1, 3)), 40000), std::string(40000, 'z'));
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(1, 0)), 1), "1");
    EXPECT_STREQ(io.GetGroupMask(GP_MakeID(1, 0)), "*.*");

    std::uint32_t trailerOffset = 0;
    ASSERT_TRUE(GP_ReadPackTrailerOffset(pack.get(), trailerOffset));
    std::fseek(pack.get(), trailerOffset, SEEK_SET);
    GP_PackTrailer trailer;
    ASSERT_TRUE(trailer.Read(pack.get()));
    EXPECT_EQ(trailer.major, 100);
    EXPECT_EQ(trailer.minor, 7);
    EXPECT_EQ(trailer.title, "Test pack");
    EXPECT_EQ(trailer.fileName, "Test.tdf");
}

TEST_F(PackTest, IDsNoOpenPackHoldsThrowTheNotFoundError)
{
    auto pack = Open(dir / "campaign.tdf", "rb");
    CGP_NameServer names;
    LoadPackTable(names, pack.get());
    CGP_IOManager io(pack.get(), pack.get(), &names, nullptr);
    const std::uint32_t cases[] = {
        GP_MakeID(1, 2),  // its loose file was missing
        GP_MakeID(1, 4),  // beyond its group: the "none" entry
        GP_MakeID(3, 0),  // storage 3 is in no pack
        GP_MakeID(9, 0),  // beyond the table
        GP_NoID,
    };
    for (std::uint32_t id : cases) {
        const auto fatal = CatchFatal([&] { io.OpenRead(id); });
        EXPECT_EQ(fatal.module, "GP_IOManager") << id;
        EXPECT_EQ(fatal.line, 130) << id;
        EXPECT_EQ(fatal.text, NotFoundText(static_cast<std::int32_t>(id))) << id;
        EXPECT_EQ(fatal.offerReport, 1);
    }

    CGP_IOManager firstOnly(pack.get(), nullptr, &names, nullptr);
    EXPECT_EQ(CatchFatal([&] { firstOnly.OpenRead(GP_MakeID(2, 0)); }).text, NotFoundText(0x20000));
    CGP_IOManager noTable(pack.get(), pack.get(), nullptr, nullptr);
    EXPECT_EQ(noTable.OpenRead(0), nullptr);
}

TEST_F(PackTest, TheInterfacePackHoldsOnlyItsStorageAndKeepsTheOtherLocators)
{
    CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildInterfacePack((dir / "interface.idf").c_str());
    EXPECT_EQ(source.GetEntry(1, 1)->locator, 11u);  // the campaign pack's locators stay

    auto campaign = Open(dir / "campaign.tdf", "rb");
    auto interface = Open(dir / "interface.idf", "rb");
    CGP_NameServer names;
    LoadPackTable(names, interface.get());
    CGP_IOManager io(nullptr, interface.get(), &names, nullptr);
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(2, 0)), 5), "PANEL");
    EXPECT_TRUE(CatchFatal([&] { io.OpenRead(GP_MakeID(1, 0)); }).thrown);

    io.SetPackFile(nullptr);
    EXPECT_EQ(io.packShared, 1);
    io.SetPackFile(campaign.get());
    EXPECT_EQ(ReadAt(io.OpenRead(GP_MakeID(1, 1)), 10), "twenty-two");
    CGP_IOManager none(nullptr, nullptr, &names, nullptr);
    EXPECT_EQ(none.packShared, 0);
    none.SetPackFile(nullptr);
    EXPECT_EQ(none.packShared, 0);
}

TEST(Pack, LoosePathTakesTheLastFolderAndTheFileName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\WORK\\ENGINE\\GAMERESOURCE\\GRAPH\\ship.bmp", "RESOURCE\\GRAPH\\ship.bmp"},
        {"RESOURCE\\TEXT\\hello", "RESOURCE\\TEXT\\hello"},
        {"/tmp/build/SOUND/boom.wav", "RESOURCE\\SOUND\\boom.wav"},
        {"GRAPH\\ship.bmp", nullptr},
        {"ship.bmp", nullptr},
        {"\\ship.bmp", nullptr},
        {"", nullptr},
    };
    for (const auto& [path, expected] : cases) {
        std::unique_ptr<char[]> loose(CGP_IOManager::LoosePath(path));
        if (expected)
            EXPECT_STREQ(loose.get(), expected) << path;
        else
            EXPECT_EQ(loose, nullptr) << path;
    }
}

TEST(Pack, OpenWriteCreatesTheLooseFileUnderResource)
{
    TempDir dir;
    resourcetest::WorkIn work(dir.path());
    std::filesystem::create_directories("RESOURCE/GRAPH");
    CGP_NameServer names;
    names.AddGroup("Pictures", "*.bmp", "C:\\ART\\GRAPH\\");
    names.AddGroup("Flat", "*.*", "FLAT\\");
    names.AddName("ship.bmp", 0, 0);
    names.AddName("x", 1, 0);
    CGP_IOManager io(nullptr, nullptr, &names, nullptr);
    std::FILE* stream = io.OpenWrite(GP_MakeID(0, 0));
    ASSERT_NE(stream, nullptr);
    std::fputs("BM", stream);
    std::fclose(stream);
    EXPECT_EQ(ReadFile("RESOURCE/GRAPH/ship.bmp"), "BM");

    const auto unknown = CatchFatal([&] { io.OpenWrite(GP_MakeID(0, 1)); });
    EXPECT_EQ(unknown.line, 165);
    EXPECT_EQ(unknown.text, "Попытка записи файла по идентификатору 1,\n не найденному в таблице имён");
    const auto flat = CatchFatal([&] { io.OpenWrite(GP_MakeID(1, 0)); });
    EXPECT_EQ(flat.line, 176);
    EXPECT_EQ(flat.text, "Невозможно открыть файл FLAT\\x для записи.");
}

// Damaged packs: whatever is wrong with the table, loading it throws and leaves the table empty.
namespace {

class PlainImage {
public:
    PlainImage& U16(std::uint16_t v) { return Raw(&v, 2); }
    PlainImage& U32(std::uint32_t v) { return Raw(&v, 4); }
    PlainImage& Text(const std::string& t) { return Raw(t.c_str(), t.size() + 1); }
    PlainImage& Raw(const void* p, std::size_t n)
    {
        bytes.append(static_cast<const char*>(p), n);
        return *this;
    }
    std::string Scrambled() const
    {
        std::string out = bytes;
        GP_ScrambleImage(reinterpret_cast<std::uint8_t*>(out.data()), out.size());
        return out;
    }
    std::string bytes;
};

PlainImage ValidImage()
{
    PlainImage image;
    image.U16(2);
    image.Text("Header").Text("").Text("").U32(0).U32(1).U16(1).Text("n").U32(4 ^ GP_LocatorKey);
    image.Text("Texts").Text("*.*").Text("T\\").U32(4).U32(1).U16(2);
    image.Text("a").U32(4 ^ GP_LocatorKey).Text("b").U32(5 ^ GP_LocatorKey);
    return image;
}

std::string PackOf(const std::string& trailerTexts, const std::string& table)
{
    std::string pack(
        "\x08\0\0\0"
        "DATA"
        "\x64\0\x07\0",
        12);
    return pack + trailerTexts + table;
}

}  // namespace

TEST(Pack, DamagedTablesThrowTheReadErrorAndLeaveTheTableEmpty)
{
    const std::string valid = ValidImage().Scrambled();
    const std::string texts("Title\0File.tdf\0", 15);
    std::vector<std::pair<std::string, std::string>> cases;
    for (std::size_t cut = 0; cut < valid.size(); ++cut)
        cases.push_back({"truncated at " + std::to_string(cut), PackOf(texts, valid.substr(0, cut))});
    cases.push_back({"trailer text without end", PackOf("Title", "")});
    cases.push_back(
        {"2000-byte group name",
         PackOf(texts,
                PlainImage().U16(1).Text(std::string(2000, 'g')).Text("").Text("").U32(0).U32(1).U16(0).Scrambled())});
    cases.push_back({"1024-byte name", PackOf(texts, PlainImage()
                                                         .U16(1)
                                                         .Text("G")
                                                         .Text("")
                                                         .Text("")
                                                         .U32(0)
                                                         .U32(1)
                                                         .U16(1)
                                                         .Text(std::string(1024, 'n'))
                                                         .U32(0)
                                                         .Scrambled())});
    cases.push_back(
        {"more groups than stored",
         PackOf(texts,
                PlainImage().U16(3).Raw(ValidImage().bytes.data() + 2, ValidImage().bytes.size() - 2).Scrambled())});
    cases.push_back(
        {"more names than stored",
         PackOf(
             texts,
             PlainImage().U16(1).Text("G").Text("").Text("").U32(0).U32(1).U16(60000).Text("a").U32(0).Scrambled())});
    cases.push_back({"no terminator before the end", PackOf(texts, PlainImage().U16(1).Raw("Group", 5).Scrambled())});

    TempDir dir;
    for (const auto& [label, bytes] : cases) {
        WriteFile(dir / "damaged.tdf", bytes);
        auto pack = Open(dir / "damaged.tdf", "rb");
        ASSERT_TRUE(GP_SeekPackNameTable(pack.get()));
        CGP_NameServer names;
        const auto fatal = CatchFatal([&] { names.Load(pack.get(), true); });
        EXPECT_TRUE(fatal.thrown) << label;
        EXPECT_EQ(fatal.module, "GP_NameServer") << label;
        EXPECT_EQ(fatal.text, "Ошибка при чтении таблицы имён") << label;
        EXPECT_EQ(names.GetGroupCount(), 0) << label;
    }

    WriteFile(dir / "good.tdf", PackOf(texts, valid));
    auto pack = Open(dir / "good.tdf", "rb");
    ASSERT_TRUE(GP_SeekPackNameTable(pack.get()));
    CGP_NameServer names;
    names.Load(pack.get(), true);
    EXPECT_EQ(names.GetCount(4), 2u);
}

TEST(Pack, LocatorsPastTheDataEndInTheReadError)
{
    TempDir dir;
    const std::string table = PlainImage()
                                  .U16(1)
                                  .Text("G")
                                  .Text("")
                                  .Text("")
                                  .U32(0)
                                  .U32(1)
                                  .U16(2)
                                  .Text("far")
                                  .U32(900000 ^ GP_LocatorKey)
                                  .Text("edge")
                                  .U32(7 ^ GP_LocatorKey)
                                  .Scrambled();
    WriteFile(dir / "p.tdf", PackOf(std::string("T\0F\0", 4), table));
    auto pack = Open(dir / "p.tdf", "rb");
    ASSERT_TRUE(GP_SeekPackNameTable(pack.get()));
    CGP_NameServer names;
    names.Load(pack.get(), true);
    CGP_IOManager io(pack.get(), nullptr, &names, nullptr);
    CGP_BinaryServer binary(&io);
    ASSERT_TRUE(binary.OpenRead(GP_MakeID(0, 0)));
    std::uint32_t value = 0;
    const auto far = CatchFatal([&] { binary.Read(value); });
    EXPECT_EQ(far.line, 193);
    EXPECT_EQ(far.text, "Ошибка при чтении из файла far");
    // "edge" starts inside the data: what it finds there is no record of the caller's size.
    ASSERT_TRUE(binary.OpenRead(GP_MakeID(0, 1)));
    std::uint32_t block[4] = {};
    const auto edge = CatchFatal([&] { binary.ReadData(block, sizeof block); });
    EXPECT_EQ(edge.line, 231);
    EXPECT_EQ(edge.text, "Ошибка при чтении из файла edge");
}

TEST(Pack, ATrailerThatEndsEarlyOrRunsTooLongIsNotRead)
{
    const std::string versions("\x64\0\x07\0", 4);
    const std::pair<const char*, std::string> cases[] = {
        {"versions cut short", versions.substr(0, 3)},
        {"title without end", versions + "Title"},
        {"file name without end", versions + std::string("Title\0File", 10)},
        {"1024-character title", versions + std::string(1024, 't') + std::string("\0F\0", 3)},
    };
    TempDir dir;
    for (const auto& [label, bytes] : cases) {
        WriteFile(dir / "trailer", bytes);
        auto stream = Open(dir / "trailer", "rb");
        GP_PackTrailer trailer;
        EXPECT_FALSE(trailer.Read(stream.get())) << label;
    }
}
