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
        seenAtRename = ReadFile(temporary) + "|" + ReadFile(std::string(temporary).substr(0, std::string(temporary).size() - 4));
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
