#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "TempDir.h"
#include "platform/files.h"

using testsupport::TempDir;

TEST(ResolvePath, FindsEachComponentWithoutRegardToCaseAndTakesBothSeparators)
{
    TempDir dir;
    testsupport::WriteFile(dir / "Resource/Music/Title.mid", "x");
    const std::string root = dir.path().string();

    EXPECT_EQ(platform::ResolvePath(root + "\\RESOURCE\\music\\TITLE.MID"), root + "/Resource/Music/Title.mid");
    EXPECT_EQ(platform::ResolvePath(root + "/Resource/Music/Title.mid"), root + "/Resource/Music/Title.mid");
    // A missing file keeps its spelling after the folders that were found, so it can be created there.
    EXPECT_EQ(platform::ResolvePath(root + "\\resource\\New.txt"), root + "/Resource/New.txt");
    EXPECT_EQ(platform::ResolvePath(root + "\\NoSuch\\Deeper\\x.txt"), root + "/NoSuch/Deeper/x.txt");
}

TEST(ResolvePath, OpenFileReadsThroughTheResolver)
{
    TempDir dir;
    testsupport::WriteFile(dir / "Data.TXT", "hello");
    std::FILE* f = platform::OpenFile(dir.path().string() + "\\data.txt", "rb");
    ASSERT_NE(f, nullptr);
    char buffer[8] = {};
    EXPECT_EQ(std::fread(buffer, 1, 5, f), 5u);
    std::fclose(f);
    EXPECT_STREQ(buffer, "hello");
}

TEST(WildcardMatch, FollowsWindowsRules)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},
        {"*.*", "a.b.c", true},
        {"*", "", true},
        {"*.tdf", "Campaign.TDF", true},
        {"*.tdf", "Campaign.tdfx", false},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"*.guiform.txt", "Main.GuiForm.txt", true},
        {"", "x", false},
        {"abc", "ABC", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
}

TEST(ResolvePath, AFolderDoesNotOpenAsAFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "Folder");
    errno = 0;
    for (const char* mode : {"rb", "r"}) {
        EXPECT_EQ(platform::OpenFile(dir / "folder", mode), nullptr) << mode;
        EXPECT_EQ(errno, EISDIR) << mode;
    }
}
