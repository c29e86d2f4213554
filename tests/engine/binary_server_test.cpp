#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "GP_BinaryServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "ResourceFixture.h"
#include "TempDir.h"

using resourcetest::AddHeaderGroup;
using resourcetest::CatchFatal;
using resourcetest::LoadPackTable;
using resourcetest::Open;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// Resources written through the binary server as loose files, built into a pack and read back from it, as the
// tool and the game do.
class BinaryServerTest : public ::testing::Test {
protected:
    BinaryServerTest() : work(dir.path())
    {
        std::filesystem::create_directories("RESOURCE/DATA");
        AddHeaderGroup(source, "RESOURCE\\HEADER\\", 1);
        source.AddGroup("Data", "*.*", "RESOURCE\\DATA\\");
        for (const char* name : {"values", "texts", "blocks", "short", "long text"}) source.AddName(name, 1, 0);
    }

    std::uint32_t Data(std::uint16_t index) const { return GP_MakeID(1, index); }

    // Builds the pack and opens it for reading.
    void BuildAndOpen()
    {
        CGP_IOManager(nullptr, nullptr, &source, nullptr).BuildPack("pack.tdf");
        pack = Open("pack.tdf", "rb");
        LoadPackTable(names, pack.get());
        io = std::make_unique<CGP_IOManager>(pack.get(), nullptr, &names, nullptr);
        reader = std::make_unique<CGP_BinaryServer>(io.get());
    }

    TempDir dir;
    resourcetest::WorkIn work;
    CGP_NameServer source;
    CGP_NameServer names;
    resourcetest::File pack{nullptr, std::fclose};
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_BinaryServer> reader;
};

struct Block {
    std::uint32_t size;
    std::uint32_t type;
    float x;
};

}  // namespace

TEST_F(BinaryServerTest, TypedValuesTextsAndBlocksComeBackAsWritten)
{
    std::string allBytes;
    for (int c = 1; c < 256; ++c) allBytes.push_back(static_cast<char>(c));
    {
        CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
        CGP_BinaryServer writer(&toolIO);
        ASSERT_TRUE(writer.OpenWrite(Data(0)));
        writer.Write(std::int32_t{-123456});
        writer.Write(std::uint32_t{0xDEADBEEF});
        writer.Write(2.5f);
        writer.Write(std::int8_t{-5});
        writer.Write(std::uint8_t{250});
        writer.Write(std::uint16_t{65000});
        ASSERT_TRUE(writer.OpenWrite(Data(1)));
        writer.WriteText("");
        writer.WriteText(allBytes.c_str());
        writer.WriteText(std::string(4095, 'q').c_str());
        ASSERT_TRUE(writer.OpenWrite(Data(2)));
        const Block block{sizeof(Block), 12, -1.25f};
        writer.WriteData(&block);
        writer.WriteData(&block);
        const std::uint32_t sizeOnly = 4;
        writer.WriteData(&sizeOnly);
        ASSERT_TRUE(writer.OpenWrite(Data(3)));
        writer.Write(std::uint16_t{7});
        ASSERT_TRUE(writer.OpenWrite(Data(4)));
        writer.WriteText(std::string(4096, 'w').c_str());
    }
    BuildAndOpen();

    ASSERT_TRUE(reader->OpenRead(Data(0)));
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    float f = 0;
    std::int8_t i8 = 0;
    std::uint8_t u8 = 0;
    std::uint16_t u16 = 0;
    reader->Read(i32);
    reader->Read(u32);
    reader->Read(f);
    reader->Read(i8);
    reader->Read(u8);
    reader->Read(u16);
    EXPECT_EQ(i32, -123456);
    EXPECT_EQ(u32, 0xDEADBEEFu);
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(i8, -5);
    EXPECT_EQ(u8, 250);
    EXPECT_EQ(u16, 65000);
    EXPECT_EQ(reader->currentID, Data(0));

    ASSERT_TRUE(reader->OpenRead(Data(1)));
    for (const std::string& expected : {std::string(), allBytes, std::string(4095, 'q')}) {
        char* text = nullptr;
        reader->ReadText(text);
        EXPECT_EQ(std::string(text), expected);
        delete[] text;
    }

    ASSERT_TRUE(reader->OpenRead(Data(2)));
    Block block{999, 0, 0};
    reader->ReadData(&block, sizeof block);
    EXPECT_EQ(block.size, sizeof(Block));
    EXPECT_EQ(block.type, 12u);
    EXPECT_EQ(block.x, -1.25f);
    std::uint32_t smaller[2] = {};
    EXPECT_EQ(CatchFatal([&] { reader->ReadData(smaller, sizeof smaller); }).line, 231);  // 12 stored, 8 given
    ASSERT_TRUE(reader->OpenRead(Data(2)));
    reader->ReadData(&block, sizeof block);
    reader->ReadData(&block, sizeof block);
    std::uint32_t sizeOnly = 0;
    const auto empty = CatchFatal([&] { reader->ReadData(&sizeOnly, sizeof sizeOnly); });
    EXPECT_EQ(empty.line, 231);
    EXPECT_EQ(empty.text, "Ошибка при чтении из файла blocks");
}

TEST_F(BinaryServerTest, ShortResourcesAndMissingStreamsThrowThePartsErrors)
{
    WriteFile("RESOURCE/DATA/short", std::string("\x07\x00", 2));
    WriteFile("RESOURCE/DATA/long text", std::string(4096, 'w'));
    BuildAndOpen();

    struct Case {
        const char* label;
        std::function<void(CGP_BinaryServer&)> call;
        int line;
    };
    const Case cases[] = {
        {"i32",
         [](CGP_BinaryServer& b) {
             std::int32_t v;
             b.Read(v);
         },
         165},
        {"i8",
         [](CGP_BinaryServer& b) {
             std::int8_t v;
             b.Read(v);
         },
         172},
        {"u8",
         [](CGP_BinaryServer& b) {
             std::uint8_t v;
             b.Read(v);
         },
         179},
        {"f32",
         [](CGP_BinaryServer& b) {
             float v;
             b.Read(v);
         },
         186},
        {"u32",
         [](CGP_BinaryServer& b) {
             std::uint32_t v;
             b.Read(v);
         },
         193},
        {"u16",
         [](CGP_BinaryServer& b) {
             std::uint16_t v;
             b.Read(v);
         },
         200},
        {"text",
         [](CGP_BinaryServer& b) {
             char* t;
             b.ReadText(t);
         },
         213},
        {"block",
         [](CGP_BinaryServer& b) {
             Block k;
             b.ReadData(&k, sizeof k);
         },
         193},
    };
    for (const Case& c : cases) {
        // The pack ends after "short": its two bytes, the trailer and the table follow it, so read past the table.
        ASSERT_TRUE(reader->OpenRead(Data(3)));
        std::fseek(reader->readStream, 0, SEEK_END);
        const auto fatal = CatchFatal([&] { c.call(*reader); });
        EXPECT_EQ(fatal.module, "GP_BinaryServer") << c.label;
        EXPECT_EQ(fatal.line, c.line) << c.label;
        EXPECT_EQ(fatal.text, "Ошибка при чтении из файла short") << c.label;
        EXPECT_EQ(fatal.offerReport, 1) << c.label;
    }

    // A text stops at 4095 characters.
    ASSERT_TRUE(reader->OpenRead(Data(4)));
    char* text = nullptr;
    EXPECT_EQ(CatchFatal([&] { reader->ReadText(text); }).line, 213);
    EXPECT_EQ(text, nullptr);

    CGP_BinaryServer idle(io.get());
    std::uint16_t value = 0;
    const auto noRead = CatchFatal([&] { idle.Read(value); });
    EXPECT_EQ(noRead.line, 198);
    EXPECT_EQ(noRead.text, "Попытка чтения из неоткрытого для чтения файла");
    const auto noWrite = CatchFatal([&] { idle.Write(value); });
    EXPECT_EQ(noWrite.line, 138);
    EXPECT_EQ(noWrite.text, "Попытка записи в неоткрытый для записи файл");
    EXPECT_EQ(CatchFatal([&] { idle.WriteText("x"); }).line, 145);
    EXPECT_EQ(CatchFatal([&] { idle.ReadText(text); }).line, 205);
    EXPECT_EQ(idle.currentID, GP_NoID);

    // A resource whose name has gone from the table is named "none".
    ASSERT_TRUE(reader->OpenRead(Data(3)));
    std::fseek(reader->readStream, 0, SEEK_END);
    names.Clear();
    EXPECT_EQ(CatchFatal([&] { reader->Read(value); }).text, "Ошибка при чтении из файла none");
}

TEST_F(BinaryServerTest, WritesThatTheDiskCannotTakeThrowTheWriteError)
{
    // The resource's loose file lies on a full disk.
    std::filesystem::create_symlink("/dev/full", "RESOURCE/DATA/values");
    CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
    CGP_BinaryServer writer(&toolIO);
    const Block block{sizeof(Block), 12, -1.25f};
    struct Case {
        const char* label;
        std::function<void(CGP_BinaryServer&)> call;
        int line;
    };
    const Case cases[] = {
        {"i32", [](CGP_BinaryServer& b) { b.Write(std::int32_t{1}); }, 105},
        {"i8", [](CGP_BinaryServer& b) { b.Write(std::int8_t{1}); }, 112},
        {"u8", [](CGP_BinaryServer& b) { b.Write(std::uint8_t{1}); }, 119},
        {"f32", [](CGP_BinaryServer& b) { b.Write(1.0f); }, 126},
        {"u32", [](CGP_BinaryServer& b) { b.Write(std::uint32_t{1}); }, 133},
        {"u16", [](CGP_BinaryServer& b) { b.Write(std::uint16_t{1}); }, 140},
        {"text", [](CGP_BinaryServer& b) { b.WriteText("text"); }, 147},
        {"block", [&](CGP_BinaryServer& b) { b.WriteData(&block); }, 154},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(writer.OpenWrite(Data(0))) << c.label;
        const auto fatal = CatchFatal([&] { c.call(writer); });
        EXPECT_EQ(fatal.line, c.line) << c.label;
        EXPECT_EQ(fatal.text, "Ошибка при записи в файл values") << c.label;
        EXPECT_EQ(fatal.offerReport, 1) << c.label;
    }
}

TEST_F(BinaryServerTest, ASecondReadOfThePackLeavesItsStreamOpen)
{
    WriteFile("RESOURCE/DATA/values", "ABCD");
    WriteFile("RESOURCE/DATA/texts", "EFGH");
    BuildAndOpen();
    ASSERT_TRUE(reader->OpenRead(Data(0)));
    ASSERT_TRUE(reader->OpenRead(Data(1)));
    std::uint32_t value = 0;
    reader->Read(value);
    EXPECT_EQ(std::memcmp(&value, "EFGH", 4), 0);
    reader.reset();  // the server never closes a pack stream
    EXPECT_EQ(std::fseek(pack.get(), 0, SEEK_SET), 0);

    CGP_BinaryServer noTable(nullptr);
    EXPECT_FALSE(noTable.OpenRead(Data(0)));
    EXPECT_EQ(noTable.currentID, GP_NoID);
}
