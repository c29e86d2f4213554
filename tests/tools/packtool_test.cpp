#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "GP_BinaryServer.h"
#include "GP_IDList.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PackTrailer.h"
#include "PackTool.h"
#include "TempDir.h"
#include "TextColumns.h"
#include "platform/files.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = packtool::RunPackTool(args, out, err);
    return {code, out.str(), err.str()};
}

const char* const InterfaceManifest = R"(# A small interface pack
pack interface
group "Header" kind 0 dir "RESOURCE\HEADER\"
name "layers"
name "unused"
name "Test Interface"
name "100"
name "7"
name "5"
name "6"
name "7"
name "InterfaceR.idf"
group "Pictures" kind 1 mask "*.bmp" dir "RESOURCE\GRAPH\"
file "ship.bmp" "art/ship.bmp"
group "Texts" kind 4 mask "*.*" dir "RESOURCE\TEXT\"
text "Yes"
  ru "Да"
  en "Yes"
  fr "Oui, évidemment"
  de "Ja, natürlich ""gern"""
text "Only two"
  ru "Два"
  en "Two"
group "Lists" kind 15 dir "RESOURCE\LISTS\"
idlist "Mission 1" 0x10000 "Texts|Yes"
  "Texts|Only two" 4294967295
group "Campaign only" kind 0 storage 1 dir "RESOURCE\ELSEWHERE\"
file "stray" "art/ship.bmp"
)";

std::string ReadAt(std::FILE* stream, std::size_t length)
{
    std::string bytes(length, '\0');
    if (std::fread(bytes.data(), 1, length, stream) != length) return "<short>";
    return bytes;
}

}  // namespace

TEST(PackTool, BuildsAPackFromAManifestAndDumpsItsTableAndTexts)
{
    TempDir dir;
    WriteFile(dir / "src/manifest.txt", InterfaceManifest);
    WriteFile(dir / "src/art/ship.bmp", "BM-ship");
    const ToolRun build = Tool({"build", dir / "src/manifest.txt", dir / "out/InterfaceR.idf"});
    ASSERT_EQ(build.code, 0) << build.err;

    const ToolRun dump = Tool({"dump", dir / "out/InterfaceR.idf", "--text", "Texts|Yes", "--text", "0x20001"});
    ASSERT_EQ(dump.code, 0) << dump.err;
    for (const char* line : {
             "version 100.7, title \"Test Interface\", file \"InterfaceR.idf\"",
             "5 groups",
             "group 0 \"Header\": kind 0, storage 2, mask \"\", dir \"RESOURCE\\HEADER\\\", 9 names",
             "  0x00000008  no data  \"InterfaceR.idf\"",
             "group 1 \"Pictures\": kind 1, storage 2, mask \"*.bmp\", dir \"RESOURCE\\GRAPH\\\", 1 names",
             "  0x00010000  at 0x00000004  \"ship.bmp\"",
             "group 2 \"Texts\": kind 4, storage 2",
             "group 4 \"Campaign only\": kind 0, storage 1",
             "  0x00040000  no data  \"stray\"",
             "text 0x00020000 \"Yes\"\n  ru: Да\n  en: Yes\n  fr: Oui, évidemment\n  de: Ja, natürlich \"gern\"\n",
             "text 0x00020001 \"Only two\"\n  ru: Два\n  en: Two\n  fr:  \n  de:  \n",
         })
        EXPECT_NE(dump.out.find(line), std::string::npos) << line << "\n--- in ---\n" << dump.out;

    // The game's readers find the same bytes: the raw file, the Windows-1251 column, the ID list.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pack(platform::OpenFile(dir / "out/InterfaceR.idf", "rb"),
                                                         std::fclose);
    ASSERT_TRUE(GP_SeekPackNameTable(pack.get()));
    CGP_NameServer names;
    names.Load(pack.get(), true);
    CGP_IOManager io(nullptr, pack.get(), &names, nullptr);
    EXPECT_EQ(ReadAt(io.OpenRead(0x10000), 7), "BM-ship");
    EXPECT_EQ(ReadAt(io.OpenRead(0x20000), 2 + 8), std::string("\x04\x00\x02\x00\x03\x00\x0F\x00\x14\x00", 10));
    EXPECT_EQ(ReadAt(pack.get(), 2), "\xC4\xE0");  // "Да" in Windows-1251
    CGP_IDList list(nullptr);
    list.Read(io.OpenRead(0x30000));
    for (std::uint32_t id : {0x10000u, 0x20000u, 0x20001u, 0xFFFFFFFFu}) EXPECT_EQ(list.Next(), id);
    EXPECT_EQ(list.list->count, 4);

    const ToolRun all = Tool({"dump", dir / "out/InterfaceR.idf", "--all-texts"});
    EXPECT_NE(all.out.find("text 0x00020001 \"Only two\""), std::string::npos);
}

TEST(PackTool, ACampaignManifestBuildsTheFirstPackAndKeepsTheWorkFolderItIsGiven)
{
    TempDir dir;
    WriteFile(dir / "c.txt",
              "pack campaign\n"
              "group \"Header\" kind 0 dir \"RESOURCE\\BIN\\\"\n"
              "idlist \"layers\" 0 0\n"
              "name \"a\"\nname \"Camp\"\nname \"100\"\nname \"1\"\nname \"2\"\nname \"\"\nname \"\"\n"
              "name \"Camp.tdf\"\n");
    const ToolRun build = Tool({"build", dir / "c.txt", dir / "Camp.tdf", "--work", dir / "work"});
    ASSERT_EQ(build.code, 0) << build.err;
    EXPECT_EQ(testsupport::ReadFile(dir / "work/RESOURCE/BIN/layers"), std::string("\x02\x00\0\0\0\0\0\0\0\0", 10));
    const ToolRun dump = Tool({"dump", dir / "Camp.tdf"});
    EXPECT_NE(dump.out.find("group 0 \"Header\": kind 0, storage 1"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("  0x00000000  at 0x00000004  \"layers\""), std::string::npos) << dump.out;
}

TEST(PackTool, ManifestFaultsAreReportedWithTheirLine)
{
    const std::string header = "pack interface\ngroup \"H\" kind 0 dir \"RESOURCE\\H\\\"\n";
    const std::pair<std::string, std::string> cases[] = {
        {header + "movie \"x\"\n", "line 3: unknown resource kind \"movie\""},
        {"pack interface\ngroup \"H\" dir \"X\\\"\n", "line 2: group \"H\" needs a kind"},
        {header + "text \"t\"\n  xx \"?\"\n", "line 4: a text's language is ru, en, fr or de"},
        {header + "text \"t\"\n  ru \"中\"\n", "line 4:"},
        {header + "idlist \"l\" \"H|missing\"\n", "line 3: no such name: H|missing"},
        {header + "idlist \"l\" 0x1FFFFFFFF\n", "line 3: not a number"},
        {"pack interface\ngroup \"H\" kind 0 dir \"H\\\"\ntext \"t\"\n  en \"x\"\n",
         "line 3: a resource with content needs a group dir"},
        {header + "file \"f\" \"missing.bin\"\n", "line 3: cannot read"},
        {header + "text \"t\"\n  en \"x\"\ngroup \"I\" kind 4 dir \"RESOURCE\\H\\\"\ntext \"T\"\n  en \"y\"\n",
         "line 6: the loose file RESOURCE\\H\\T is written already, at line 3"},
        {header + "name \"unterminated\n", "line 3: a quoted text has no closing quote"},
        {"group \"H\" kind 0\n", "line 1: \"pack\" must come before the groups"},
        {"pack interface\n  ru \"x\"\n", "line 2: an indented line must follow a resource"},
        {"# empty\n", "the manifest names no pack"},
    };
    TempDir dir;
    for (const auto& [manifest, expected] : cases) {
        WriteFile(dir / "m.txt", manifest);
        const ToolRun run = Tool({"build", dir / "m.txt", dir / "p.idf"});
        EXPECT_EQ(run.code, 1) << manifest;
        EXPECT_NE(run.err.find(expected), std::string::npos) << manifest << "\n--- said ---\n" << run.err;
    }
    EXPECT_EQ(Tool({"build", dir / "m.txt"}).code, 2);
    EXPECT_EQ(Tool({"list"}).code, 2);
    EXPECT_EQ(Tool({"dump", dir / "absent.idf"}).code, 1);
    WriteFile(dir / "damaged.tdf", std::string("\x08\0\0\0"
                                               "DATA"
                                               "\x64\0\x07\0"
                                               "T\0F\0"
                                               "\x05\x06\x07",
                                               19));
    const ToolRun damaged = Tool({"dump", dir / "damaged.tdf"});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_NE(damaged.err.find("in module GP_NameServer throw exception:\nОшибка при чтении таблицы имён"),
              std::string::npos)
        << damaged.err;
}

TEST(PackTool, TextColumnsRoundTripThroughTheirCodePages)
{
    EXPECT_EQ(packtool::EncodeColumn("Ёж", 0), "\xA8\xE6");
    EXPECT_EQ(packtool::EncodeColumn("Straße €", 3),
              "Stra\xDF"
              "e \x80");
    EXPECT_EQ(packtool::DecodeColumn("\xA8\xE6", 0), "Ёж");
    EXPECT_EQ(packtool::DecodeColumn("\x98", 0), "?");  // a byte Windows-1251 leaves undefined
    EXPECT_THROW(packtool::EncodeColumn("Ж", 1), std::runtime_error);
}
