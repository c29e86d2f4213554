#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "FoundationFixture.h"
#include "ZipFixture.h"
#include "foundation/CFile.h"
#include "foundation/FileSearch.h"
#include "foundation/FileState.h"
#include "foundation/PathHelpers.h"
#include "foundation/VirtualFileTree.h"
#include "foundation/ZipArchive.h"

namespace {

std::string ReadAll(CFileBuf* stream)
{
    std::string bytes;
    if (!stream) return "<none>";
    char piece[64];
    for (int got; (got = stream->Read(piece, sizeof piece)) > 0;) bytes.append(piece, got);
    return bytes;
}

std::string ReadMember(ZipArchive& archive, const char* path, int flags = 0)
{
    CFileBuf* stream = archive.OpenMember(path, flags);
    std::string bytes = ReadAll(stream);
    delete stream;
    return bytes;
}

bool HaveTool(const char* tool)
{
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

using Stream = std::unique_ptr<CFileBuf>;

bool UnzipTestPasses(const std::string& path)
{
    return std::system(("unzip -tq '" + path + "' >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

class ZipTest : public FileLayerTest {
protected:
    std::string MakeArchive(const std::string& name, const char* signature = "PK")
    {
        Write(name, zipfixture::Build(zipfixture::ThreeMembers(), signature));
        return Path(name);
    }
};

TEST_F(ZipTest, MembersAreFoundUnderTheMountPrefixWithoutRegardToCase)
{
    for (const char* signature : {"PK", "QX"}) {
        ZipArchive archive;
        ASSERT_TRUE(archive.Open(MakeArchive("pack.zip", signature).c_str(), false, "Pack/", false, kFileAbsolute));
        int count = 0;
        EXPECT_TRUE(archive.GetMemberCount(&count));
        EXPECT_EQ(count, 3);
        EXPECT_EQ(ReadMember(archive, "Pack/Data/a.txt"), "alpha") << signature;
        EXPECT_EQ(ReadMember(archive, "pack/data/A.TXT"), "alpha");
        EXPECT_EQ(ReadMember(archive, "Pack\\Other\\c.bin"), "charlie");
        EXPECT_FALSE(archive.HasMember("Data/a.txt"));
        EXPECT_FALSE(archive.HasMember("Pack/Data/missing.txt"));
        EXPECT_EQ(archive.OpenMember("Pack/Data/missing.txt", 0), nullptr);
    }
}

TEST_F(ZipTest, MemberStreamsStayInsideTheirData)
{
    std::vector<zipfixture::Member> members = {{"empty.txt", "", "", "", 0}, {"b.txt", "0123456789", "", "", 0}};
    Write("seek.zip", zipfixture::Build(members));
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(Path("seek.zip").c_str(), false, "/", true, kFileAbsolute));
    CFileBuf* empty = archive.OpenMember("empty.txt", 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->SeekRelative(0));  // the end of a zero-length member is a position
    EXPECT_TRUE(empty->Seek(0));
    EXPECT_FALSE(empty->Seek(1));
    delete empty;
    CFileBuf* b = archive.OpenMember("b.txt", 0);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Seek(10));
    EXPECT_FALSE(b->SeekRelative(1));
    EXPECT_TRUE(b->SeekRelative(-4));
    char text[16] = {};
    EXPECT_EQ(b->Read(text, sizeof text), 4);
    EXPECT_STREQ(text, "6789");
    EXPECT_EQ(b->Size(), 10);
    CString line;
    b->Seek(0);
    EXPECT_TRUE(b->ReadLine(line));
    EXPECT_STREQ(line.GetText(), "0123456789");
    delete b;
}

TEST_F(ZipTest, RewritingAMemberMovesItToTheEnd)
{
    for (const char* signature : {"PK", "QX"}) {
        const std::string path = MakeArchive(std::string("rewrite-") + signature + ".zip", signature);
        {
            ZipArchive archive;
            ASSERT_TRUE(archive.Open(path.c_str(), true, "/", true, kFileAbsolute));
            CFileBuf* stream = archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite);
            ASSERT_NE(stream, nullptr);
            EXPECT_EQ(archive.OpenMember("Data/b.txt", kFileCreate | kFileWrite), nullptr);  // one rewrite at a time
            EXPECT_EQ(stream->Write("a new and longer alpha", 22), 22);
            delete stream;
        }
        ZipArchive archive;
        ASSERT_TRUE(archive.Open(path.c_str(), false, "/", false, kFileAbsolute));
        EXPECT_EQ(archive.GetEndSignature(), signature[0] == 'P' ? kZipEndSignature : kZipEndSignatureQX);
        EXPECT_EQ(ReadMember(archive, "Data/a.txt"), "a new and longer alpha");
        EXPECT_EQ(ReadMember(archive, "Data/b.txt"), "bravo!");
        EXPECT_EQ(ReadMember(archive, "Other/c.bin"), "charlie");
        // The rewritten member now follows the other two.
        const std::string bytes = testsupport::ReadFile(path);
        EXPECT_LT(bytes.find("charlie"), bytes.find("a new and longer alpha"));
        const std::uint32_t crc = Crc32("a new and longer alpha", 22);
        EXPECT_NE(bytes.find(std::string(reinterpret_cast<const char*>(&crc), 4)), std::string::npos);
        std::uint16_t date, time;
        DosTimeNow(&date, &time);
        EXPECT_GE(archive.GetTime("Data/a.txt"), DosToFileTime(date, time) - 10LL * 10000000);
        if (signature[0] == 'P' && HaveTool("unzip")) {
            EXPECT_TRUE(UnzipTestPasses(path));
        }
    }
}

TEST_F(ZipTest, TheMemberWriterAppendsAndTheNewestOfTwoNamesWins)
{
    const std::string path = MakeArchive("append.zip");
    for (const char* text : {"first", "second!"}) {
        CFile file;
        ASSERT_TRUE(file.Open((path + ";Data/new.txt").c_str(), kFileCreate | kFileWrite));
        file.Write(text, static_cast<int>(std::strlen(text)));
        EXPECT_TRUE(file.Close());
    }
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(path.c_str(), false, "/", false, kFileAbsolute));
    EXPECT_EQ(archive.GetEndSignature(), kZipEndSignatureQX);
    int count = 0;
    archive.GetMemberCount(&count);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(ReadMember(archive, "data/NEW.txt"), "second!");
    EXPECT_EQ(ReadMember(archive, "Data/a.txt"), "alpha");
    if (HaveTool("unzip")) {  // with the standard signature back, any zip tool accepts what was appended
        std::string bytes = testsupport::ReadFile(path);
        bytes.replace(bytes.size() - 22, 2, "PK");
        Write("append-pk.zip", bytes);
        EXPECT_TRUE(UnzipTestPasses(Path("append-pk.zip")));
    }
    CFile missing;
    EXPECT_FALSE(missing.Open((Path("none.zip") + ";x.txt").c_str(), kFileCreate | kFileWrite));
}

TEST_F(ZipTest, ReadsArchivesMadeByInfoZip)
{
    if (!HaveTool("zip")) GTEST_SKIP() << "Info-ZIP is not installed";
    Write("src/Menus/Main.txt", "main menu");
    Write("src/Menus/Sub/Deep.txt", std::string(3000, 'd'));
    ASSERT_EQ(std::system(("cd '" + Path("src") + "' && zip -q -0 -r ../info.zip Menus").c_str()), 0);
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(Path("info.zip").c_str(), true, "/", false, kFileAbsolute));
    EXPECT_EQ(ReadMember(archive, "Menus/Main.txt"), "main menu");
    EXPECT_EQ(ReadMember(archive, "menus/sub/deep.TXT"), std::string(3000, 'd'));
    // Rewritten by us, the archive still passes Info-ZIP's own test.
    CFileBuf* stream = archive.OpenMember("Menus/Main.txt", kFileCreate | kFileWrite);
    ASSERT_NE(stream, nullptr);
    stream->Write("rewritten", 9);
    delete stream;
    EXPECT_EQ(ReadMember(archive, "Menus/Sub/Deep.txt"), std::string(3000, 'd'));
    EXPECT_EQ(ReadMember(archive, "Menus/Main.txt"), "rewritten");
    if (HaveTool("unzip")) {
        EXPECT_TRUE(UnzipTestPasses(Path("info.zip")));
    }
}

TEST_F(ZipTest, SearchesListMembersAndMarkThem)
{
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(MakeArchive("list.zip").c_str(), false, "Pack/", false, kFileAbsolute));
    FileEnumerator found;
    FileSearchSpec wanted("Pack/Data/", "TXT", 0);
    archive.Enumerate(found, wanted);
    ASSERT_EQ(found.Count(), 2);
    EXPECT_STREQ(found.GetNameText(0), "Pack/Data/a.txt");
    EXPECT_EQ(found.GetFileSize(1), 6);
    archive.Enumerate(found, wanted);  // names already listed are refused, and so not marked
    EXPECT_EQ(found.Count(), 2);
    EXPECT_EQ(archive.OpenMember("Pack/Data/a.txt", kFileListedOnly), nullptr);
    found.Clear();
    archive.Enumerate(found, wanted);
    EXPECT_EQ(ReadMember(archive, "Pack/Data/a.txt", kFileListedOnly), "alpha");
    EXPECT_EQ(archive.OpenMember("Pack/Other/c.bin", kFileListedOnly), nullptr);

    FileEnumerator folders;
    FileSearchSpec folderSpec;
    folderSpec.SetFolders("Pack/", false);
    archive.Enumerate(folders, folderSpec);
    ASSERT_EQ(folders.Count(), 2);
    EXPECT_STREQ(folders.GetNameText(0), "Pack/Data");
    EXPECT_STREQ(folders.GetNameText(1), "Pack/Other");
}

TEST_F(ZipTest, AnArchiveWithoutItsEndRecordIsScannedFromTheStart)
{
    std::string bytes = zipfixture::Build(zipfixture::ThreeMembers());
    Write("cut.zip", bytes.substr(0, bytes.size() - 10));
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(Path("cut.zip").c_str(), false, "/", false, kFileAbsolute));
    EXPECT_EQ(ReadMember(archive, "Other/c.bin"), "charlie");
}

TEST_F(ZipTest, DamagedArchivesFailCleanly)
{
    const std::string good = zipfixture::Build(zipfixture::ThreeMembers());
    const std::size_t end = good.size() - 22;
    auto patched = [&](std::size_t at, std::uint32_t value, int width) {
        std::string copy = good;
        std::memcpy(&copy[at], &value, width);
        return copy;
    };
    const struct {
        const char* what;
        std::string bytes;
    } unreadable[] = {
        {"empty file", ""},
        {"text", "this is not a zip archive at all, just some words"},
        {"directory offset past the end", patched(end + 16, 0x7FFFFFFF, 4)},
        {"hostile entry count", patched(end + 10, 0xFFFF, 2)},
        {"directory cut short", good.substr(0, 60) + good.substr(end)},
        {"fallback scan over a huge local size", patched(18, 0xFFFFFFF0, 4).substr(0, end - 2)},
    };
    for (const auto& c : unreadable) {
        Write("bad.zip", c.bytes);
        ZipArchive archive;
        EXPECT_FALSE(archive.Open(Path("bad.zip").c_str(), true, "/", false, kFileAbsolute)) << c.what;
    }

    // A directory that reads but points members at nonsense: the member does not open, a rewrite is refused.
    const std::size_t centralB = good.find("PK\x01\x02", good.find("PK\x01\x02") + 1);
    const struct {
        const char* what;
        std::string bytes;
    } badMember[] = {
        {"local offset past the end", patched(centralB + 42, 0x00FFFFFF, 4)},
        {"local offset inside other data", patched(centralB + 42, 5, 4)},
        {"size past the directory", patched(centralB + 24, 5000, 4)},
    };
    for (const auto& c : badMember) {
        Write("member.zip", c.bytes);
        ZipArchive archive;
        ASSERT_TRUE(archive.Open(Path("member.zip").c_str(), true, "/", false, kFileAbsolute)) << c.what;
        EXPECT_EQ(archive.OpenMember("Data/b.txt", 0), nullptr) << c.what;
        EXPECT_EQ(archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite), nullptr) << c.what;
        EXPECT_EQ(testsupport::ReadFile(Path("member.zip")), c.bytes) << c.what;  // nothing was moved
        EXPECT_EQ(ReadMember(archive, "Other/c.bin"), "charlie") << c.what;
    }
}

TEST_F(ZipTest, AMemberNameLongerThanItsFieldIsRefusedByTheWriter)
{
    const std::string path = MakeArchive("long.zip");
    CFile file;
    EXPECT_FALSE(file.Open((path + ";" + std::string(256, 'n')).c_str(), kFileCreate | kFileWrite));
    EXPECT_EQ(testsupport::ReadFile(path), zipfixture::Build(zipfixture::ThreeMembers()));
}

TEST_F(ZipTest, AReaderKeepsTheHandleThatAClosingRewriteLetsGo)
{
    for (const bool deferred : {true, false}) {
        const std::string path = MakeArchive("shared.zip");
        ZipArchive archive;
        ASSERT_TRUE(archive.Open(path.c_str(), true, "/", deferred, kFileAbsolute));
        Stream rewrite(archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite));
        ASSERT_NE(rewrite, nullptr);
        Stream reader(archive.OpenMember("Data/b.txt", 0));
        ASSERT_NE(reader, nullptr);
        char start[3];
        ASSERT_EQ(reader->Read(start, 3), 3);
        EXPECT_EQ(rewrite->Write("new alpha", 9), 9);
        rewrite.reset();  // writes the directory and closes the archive's own use of the file
        EXPECT_EQ(ReadAll(reader.get()), "vo!") << deferred;
        reader.reset();
        EXPECT_EQ(ReadMember(archive, "Data/a.txt"), "new alpha");
        ZipArchive reopened;
        ASSERT_TRUE(reopened.Open(path.c_str(), false, "/", false, kFileAbsolute));
        EXPECT_EQ(ReadMember(reopened, "Data/b.txt"), "bravo!");
    }
}

TEST_F(ZipTest, AStreamWithItsOwnHandleHoldsOffRewritesUntilItCloses)
{
    const std::string path = MakeArchive("font.zip");
    const std::string before = testsupport::ReadFile(path);
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(path.c_str(), true, "/", false, kFileAbsolute));
    Stream font(archive.OpenMember("Other/c.bin", kFileRead | kFileOwnHandle | kFileArchiveFile));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite), nullptr);
    EXPECT_EQ(testsupport::ReadFile(path), before);
    EXPECT_EQ(ReadAll(font.get()), "charlie");
    font.reset();
    Stream rewrite(archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite));
    EXPECT_NE(rewrite, nullptr);
}

TEST_F(ZipTest, ARefusedRewriteOfOverlappingMembersLeavesTheFileAsItWas)
{
    using namespace zipfixture;
    const std::string good = Build(ThreeMembers());
    const std::uint32_t offsetOfB = static_cast<std::uint32_t>(good.find("PK\x03\x04", 1));
    std::string shared = good, overlapping = good;
    Patch32(shared, CentralHeaderAt(good, 2) + kCentralLocalOffset, offsetOfB);   // c.bin names b.txt's local header
    Patch32(overlapping, CentralHeaderAt(good, 1) + kCentralCompressedSize, 30);  // b.txt's data runs into c.bin
    Patch32(overlapping, CentralHeaderAt(good, 1) + kCentralSize, 30);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {{"shared local header", shared}, {"overlapping data", overlapping}};
    for (const auto& c : cases) {
        for (const char* member : {"Data/a.txt", "Data/b.txt", "Other/c.bin"}) {
            Write("overlap.zip", c.bytes);
            ZipArchive archive;
            ASSERT_TRUE(archive.Open(Path("overlap.zip").c_str(), true, "/", false, kFileAbsolute)) << c.what;
            EXPECT_EQ(archive.OpenMember(member, kFileCreate | kFileWrite), nullptr) << c.what << " " << member;
            EXPECT_EQ(testsupport::ReadFile(Path("overlap.zip")), c.bytes) << c.what << " " << member;
            EXPECT_EQ(ReadMember(archive, "Data/a.txt"), "alpha") << c.what;
        }
    }
}

TEST_F(ZipTest, ANameWithAZeroByteKeepsEveryStoredByteThroughARewrite)
{
    const std::string oddName("Data/z\0junk.txt", 15);
    std::vector<zipfixture::Member> members = zipfixture::ThreeMembers();
    members.insert(members.begin() + 1, {oddName, "zulu", "", "", 0});
    Write("zero.zip", zipfixture::Build(members));
    {
        ZipArchive archive;
        ASSERT_TRUE(archive.Open(Path("zero.zip").c_str(), true, "/", true, kFileAbsolute));
        EXPECT_EQ(ReadMember(archive, "Data/z"), "zulu");  // names end at their first zero
        Stream rewrite(archive.OpenMember("Data/a.txt", kFileCreate | kFileWrite));
        ASSERT_NE(rewrite, nullptr);
        rewrite->Write("moved", 5);
        rewrite.reset();
        rewrite.reset(archive.OpenMember("Data/z", kFileCreate | kFileWrite));
        ASSERT_NE(rewrite, nullptr);
        rewrite->Write("zulu two", 8);
    }
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(Path("zero.zip").c_str(), false, "/", false, kFileAbsolute));
    int count = 0;
    archive.GetMemberCount(&count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(ReadMember(archive, "Data/z"), "zulu two");
    EXPECT_EQ(ReadMember(archive, "Data/a.txt"), "moved");
    EXPECT_EQ(ReadMember(archive, "Other/c.bin"), "charlie");
    const std::string bytes = testsupport::ReadFile(Path("zero.zip"));
    const std::size_t local = bytes.find(oddName);
    ASSERT_NE(local, std::string::npos);
    EXPECT_NE(bytes.find(oddName, local + 1), std::string::npos);  // the local header and the directory alike
}

TEST_F(ZipTest, ASaveThatTheMembersArchiveRefusesFailsAndLeavesNoLooseFile)
{
    Write("low.zip", zipfixture::Build({{"x.txt", "low x", "", "", 0}}));
    Write("shipped.zip", zipfixture::Build({{"menu.txt", "shipped", "", "", 0}, {"x.txt", "high x", "", "", 0}}));
    Write("saves.zip", zipfixture::Build({{"slot.txt", "old slot", "", "", 0}}));
    VirtualFileTree& tree = VirtualFileTree::Instance();
    ASSERT_TRUE(tree.Add(Path("low.zip").c_str(), true, true, "/", false, kFileAbsolute));
    ASSERT_TRUE(tree.Add(Path("shipped.zip").c_str(), true, false, "/", false, kFileAbsolute));
    ASSERT_TRUE(tree.Add(Path("saves.zip").c_str(), true, true, "Saves/", true, kFileAbsolute));
    FileState().archivesMounted = true;

    // Read-only, and a copy in a lower writable archive that no read would find.
    for (const char* name : {"menu.txt", "x.txt"}) {
        CFile save;
        EXPECT_FALSE(save.Open(name, kFileCreate | kFileWrite)) << name;
        EXPECT_TRUE(save.Open(name, kFileCreate | kFileWrite | kFileCompressed)) << name;
        save.Write("mine", 4);
        EXPECT_FALSE(save.Close()) << name;
        EXPECT_FALSE(std::filesystem::exists(Path(name))) << name;
    }
    EXPECT_EQ(zipfixture::Build({{"x.txt", "low x", "", "", 0}}), testsupport::ReadFile(Path("low.zip")));

    // Busy while a member stream is open; saved through the archive once it closes.
    CFile reading;
    ASSERT_TRUE(reading.Open("Saves/slot.txt", kFileRead));
    CFile save;
    EXPECT_FALSE(save.Open("Saves/slot.txt", kFileCreate | kFileWrite | kFileMakeFolders));
    EXPECT_FALSE(std::filesystem::exists(Path("Saves/slot.txt")));
    reading.Close();
    ASSERT_TRUE(save.Open("Saves/slot.txt", kFileCreate | kFileWrite));
    save.Write("new slot", 8);
    EXPECT_TRUE(save.Close());
    ASSERT_TRUE(reading.Open("Saves/slot.txt", kFileRead));
    char text[9] = {};
    EXPECT_EQ(reading.Read(text, 8), 8);
    EXPECT_STREQ(text, "new slot");

    // A file that no archive holds is still made on disk.
    ASSERT_TRUE(save.Open("fresh.txt", kFileCreate | kFileWrite));
    EXPECT_TRUE(save.Close());
    EXPECT_TRUE(std::filesystem::exists(Path("fresh.txt")));
}

using ZipDeathTest = ZipTest;

TEST_F(ZipDeathTest, CompressedMembersAndUnreadableDeferredDirectoriesEndTheProcess)
{
    std::vector<zipfixture::Member> members = {{"packed.txt", "xx", "", "", 8}};
    Write("deflated.zip", zipfixture::Build(members));
    ZipArchive deflated;
    EXPECT_EXIT(deflated.Open(Path("deflated.zip").c_str(), false, "/", false, kFileAbsolute),
                testing::ExitedWithCode(255), "Compressed Zip File Found");

    Write("broken.zip", "PK but broken");
    ZipArchive broken;
    ASSERT_TRUE(broken.Open(Path("broken.zip").c_str(), false, "/", true, kFileAbsolute));  // read on first use
    EXPECT_EXIT(broken.HasMember("x.txt"), testing::ExitedWithCode(255), "FATAL ERROR IN ZIP");
}
