#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FoundationFixture.h"
#include "ZipFixture.h"
#include "foundation/CFile.h"
#include "foundation/FileFunctions.h"
#include "foundation/FileSearch.h"
#include "foundation/ModulePath.h"
#include "foundation/VirtualFileTree.h"

namespace {

std::string Archive(const std::string& member, const std::string& data)
{
    return zipfixture::Build({{member, data, "", "", 0}});
}

std::string ReadThroughFile(const char* path)
{
    CFile file;
    if (!file.Open(path, kFileRead)) return "<none>";
    std::string bytes(static_cast<std::size_t>(file.GetSize()), '\0');
    file.Read(bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

}  // namespace

class TreeTest : public FileLayerTest {
protected:
    // The library's folder: the module file, its archives and the base folder "Arcade" below it.
    void EnterLibraryFolder()
    {
        std::filesystem::current_path(dir.path());
        SetModulePathOverride(Path("TollarineArcade.so").c_str());
        Write("TollarineArcade.so",
              "\x7F"
              "ELF not an archive");
        std::filesystem::create_directories(Path("Arcade"));
    }
};

TEST_F(TreeTest, LaterLayersWinAndLookupsFallThroughOnlyForOpen)
{
    VirtualFileTree tree;
    Write("low.zip", zipfixture::Build({{"x.txt", "low", "", "", 0}, {"only-low.txt", "below", "", "", 0}}));
    Write("high.zip", Archive("x.txt", "high"));
    ASSERT_TRUE(tree.Add(Path("low.zip").c_str(), true, false, "/", false, kFileAbsolute));
    ASSERT_TRUE(tree.Add(Path("high.zip").c_str(), true, false, "/", false, kFileAbsolute));
    EXPECT_EQ(tree.GetLayerCount(), 2);

    CFileBuf* stream = tree.Open("x.txt", 0);
    ASSERT_NE(stream, nullptr);
    char text[8] = {};
    stream->Read(text, 7);
    EXPECT_STREQ(text, "high");
    delete stream;
    // The top layer answers existence for its folder alone; opening goes on down.
    EXPECT_FALSE(tree.Exists("only-low.txt", 0));
    stream = tree.Open("ONLY-LOW.txt", 0);
    EXPECT_NE(stream, nullptr);
    delete stream;

    // Into the last layer: no new layer, and one root destroyed once.
    Write("sub.zip", Archive("y.txt", "sub"));
    ASSERT_TRUE(tree.Add(Path("sub.zip").c_str(), false, false, "Music/Pack/", false, kFileAbsolute));
    EXPECT_EQ(tree.GetLayerCount(), 2);
    EXPECT_TRUE(tree.Exists("music/pack/Y.TXT", 0));
    EXPECT_FALSE(tree.Add(Path("missing.zip").c_str(), true, false, "/", false, kFileAbsolute));
    EXPECT_EQ(tree.GetLayerCount(), 2);
}

TEST_F(TreeTest, MountsQxdArchivesInNameOrderAndZipsAtTheirPaths)
{
    EnterLibraryFolder();
    Write("B.QXD", Archive("x.txt", "from B"));
    Write("a.qxd", zipfixture::Build({{"x.txt", "from a", "", "", 0}, {"menu.txt", "a menu", "", "", 0}}));
    Write("Arcade.dat", zipfixture::Build({{"menu.txt", "dat menu", "", "", 0}, {"dat.txt", "dat", "", "", 0}}));
    Write("Arcade/Music/Pack.zip", Archive("song.txt", "la la"));
    Write("Arcade/loose.txt", "loose");

    MountArchives("Arcade", 0, false);
    EXPECT_TRUE(FileState().archivesMounted);
    EXPECT_STREQ(FileState().baseFolder.GetText(), "Arcade");
    EXPECT_EQ(ReadThroughFile("x.txt"), "from B");     // B.QXD sorts after a.qxd
    EXPECT_EQ(ReadThroughFile("menu.txt"), "a menu");  // every QXD wins over the module's own archive
    EXPECT_EQ(ReadThroughFile("dat.txt"), "dat");      // the module file is no archive: Arcade.dat
    EXPECT_EQ(ReadThroughFile("music\\pack\\SONG.txt"), "la la");
    EXPECT_EQ(ReadThroughFile("loose.txt"), "loose");
    EXPECT_TRUE(ArchiveFileExists("Music/Pack/song.txt"));
    EXPECT_TRUE(FileExists("Music/Pack/song.txt"));
    EXPECT_FALSE(FileExists("Music/Pack/song.txt", kFileNotOnDisk | kFileAbsolute));

    // Searches list disk files first, then members of every layer.
    FileEnumerator found;
    found.Scan(FileSearchSpec("", "txt", 0), 0);
    std::vector<std::string> names;
    for (int i = 0; i < found.Count(); ++i) names.emplace_back(found.GetNameText(i));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Music/Pack/song.txt", "dat.txt", "loose.txt", "menu.txt", "x.txt"}));

    // A member of a mounted zip is rewritten in place through an ordinary open.
    CFile out;
    ASSERT_TRUE(out.Open("Music/Pack/song.txt", kFileCreate | kFileWrite));
    out.Write("new song", 8);
    out.Close();
    EXPECT_EQ(ReadThroughFile("Music/Pack/song.txt"), "new song");
    EXPECT_TRUE(IsFileWritable("Music/Pack/song.txt"));
    // So is a compressed save of it: the archive gets the block, the disk gets nothing.
    ASSERT_TRUE(out.Open("Music/Pack/song.txt", kFileCreate | kFileWrite | kFileCompressed));
    out.Write("packed song", 11);
    EXPECT_TRUE(out.Close());
    EXPECT_FALSE(std::filesystem::exists(Path("Arcade/Music/Pack/song.txt")));
    CFile in;
    ASSERT_TRUE(in.Open("Music/Pack/song.txt", kFileRead | kFileCompressed));
    char song[12] = {};
    EXPECT_EQ(in.Read(song, 11), 11);
    EXPECT_STREQ(song, "packed song");
}

TEST_F(TreeTest, NoArchivesAtAllIsFine)
{
    EnterLibraryFolder();
    MountArchives("Arcade", 0, false);
    EXPECT_FALSE(FileState().archivesMounted);
    EXPECT_EQ(VirtualFileTree::Instance().GetLayerCount(), 0);
}

using TreeDeathTest = TreeTest;

TEST_F(TreeDeathTest, ASecondMountEndsTheProcessAndADamagedZipDiesOnFirstUse)
{
    EnterLibraryFolder();
    Write("Arcade/Broken.zip", "PK this is not a zip archive");
    MountArchives("Arcade", 0, false);
    ASSERT_TRUE(FileState().archivesMounted);
    EXPECT_EXIT(MountArchives("Arcade", 0, false), testing::ExitedWithCode(255), "");
    EXPECT_EXIT(FileExists("Broken/thing.txt"), testing::ExitedWithCode(255), "FATAL ERROR IN ZIP");
}
