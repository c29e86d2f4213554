#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "platform/replace_file.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

TEST(ReplaceFileWhole, TheRenameComesOnlyAfterTheWholeTextIsWritten)
{
    TempDir dir;
    const std::string path = dir / "settings.ini";
    WriteFile(path, "old");
    static std::string seenAtRename;
    seenAtRename.clear();
    ASSERT_TRUE(platform::ReplaceFileWhole(path, "new text", 0644, [](const char* temporary) {
        seenAtRename =
            ReadFile(temporary) + "|" + ReadFile(std::string(temporary).substr(0, std::string(temporary).size() - 4));
    }));
    EXPECT_EQ(seenAtRename, "new text|old");  // at that moment the old file is still whole
    EXPECT_EQ(ReadFile(path), "new text");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(ReplaceFileWhole, AFailureLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    EXPECT_FALSE(platform::ReplaceFileWhole(dir / "no/such/folder/x.ini", "text"));
    const std::string path = dir / "kept.ini";
    WriteFile(path, "old");
    std::filesystem::create_directory(path + ".tmp");  // the temporary cannot be made
    EXPECT_FALSE(platform::ReplaceFileWhole(path, "new"));
    EXPECT_EQ(ReadFile(path), "old");
}

namespace {

std::filesystem::perms ModeOf(const std::string& path)
{
    return std::filesystem::status(path).permissions() & std::filesystem::perms::mask;
}

}  // namespace

TEST(ReplaceFileWhole, AReadOnlyFileOrAFolderIsRefusedAndKeptAsItWas)
{
    using std::filesystem::perms;
    TempDir dir;
    const std::string locked = dir / "locked.ini";
    WriteFile(locked, "old");
    std::filesystem::permissions(locked, perms::owner_read | perms::group_read);
    EXPECT_FALSE(platform::ReplaceFileWhole(locked, "new"));
    EXPECT_EQ(ReadFile(locked), "old");
    EXPECT_EQ(ModeOf(locked), perms::owner_read | perms::group_read);
    EXPECT_FALSE(std::filesystem::exists(locked + ".tmp"));

    const std::string folder = dir / "folder";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(platform::ReplaceFileWhole(folder, "new"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_FALSE(std::filesystem::exists(folder + ".tmp"));
}

TEST(ReplaceFileWhole, AnExistingFileKeepsItsModeANewOneTakesTheGivenOne)
{
    using std::filesystem::perms;
    TempDir dir;
    const std::string shared = dir / "shared.ini";
    WriteFile(shared, "old");
    std::filesystem::permissions(shared, perms::owner_read | perms::owner_write | perms::group_read);
    ASSERT_TRUE(platform::ReplaceFileWhole(shared, "new", 0600));
    EXPECT_EQ(ReadFile(shared), "new");
    EXPECT_EQ(ModeOf(shared), perms::owner_read | perms::owner_write | perms::group_read);

    const std::string store = dir / "store.reg";
    ASSERT_TRUE(platform::ReplaceFileWhole(store, "first", 0600));
    EXPECT_EQ(ModeOf(store), perms::owner_read | perms::owner_write);
    ASSERT_TRUE(platform::ReplaceFileWhole(store, "second", 0644));
    EXPECT_EQ(ModeOf(store), perms::owner_read | perms::owner_write);
}

TEST(ReplaceFileWhole, ALinkKeepsPointingAtItsTargetWhichGetsTheText)
{
    TempDir dir;
    WriteFile(dir / "real/target.ini", "old");
    std::filesystem::create_symlink("real/target.ini", dir / "link.ini");
    std::filesystem::create_symlink(dir / "link.ini", dir / "link-to-link.ini");
    std::filesystem::create_symlink("real/later.ini", dir / "dangling.ini");
    std::filesystem::create_symlink("loop-b.ini", dir / "loop-a.ini");
    std::filesystem::create_symlink("loop-a.ini", dir / "loop-b.ini");

    ASSERT_TRUE(platform::ReplaceFileWhole(dir / "link.ini", "through the link"));
    EXPECT_EQ(ReadFile(dir / "real/target.ini"), "through the link");
    ASSERT_TRUE(platform::ReplaceFileWhole(dir / "link-to-link.ini", "through two links"));
    EXPECT_EQ(ReadFile(dir / "real/target.ini"), "through two links");
    ASSERT_TRUE(platform::ReplaceFileWhole(dir / "dangling.ini", "made at the target"));
    EXPECT_EQ(ReadFile(dir / "real/later.ini"), "made at the target");
    for (const char* link : {"link.ini", "link-to-link.ini", "dangling.ini"})
        EXPECT_TRUE(std::filesystem::is_symlink(dir / link)) << link;

    EXPECT_FALSE(platform::ReplaceFileWhole(dir / "loop-a.ini", "nowhere"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "loop-a.ini"));
}
