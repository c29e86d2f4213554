#include <gtest/gtest.h>

#include <string>

#include "GP_Scramble.h"
#include "TempDir.h"

using testsupport::TempDir;

TEST(Scramble, EveryByteValueAtEveryPositionOfTheKeyComesBack)
{
    // The position key repeats every 128 bytes; 256 x 256 bytes cover every value at every key twice.
    std::string plain;
    for (int position = 0; position < 256; ++position)
        for (int value = 0; value < 256; ++value) plain.push_back(static_cast<char>(value ^ position));
    const std::string stored = GP_ScrambleBytes(plain);
    ASSERT_EQ(stored.size(), plain.size() * 2);
    EXPECT_EQ(GP_UnscrambleBytes(stored), plain);
}

TEST(Scramble, EqualBytesAtTwoPositionsAreStoredDifferently)
{
    const std::string stored = GP_ScrambleBytes(std::string(2, 'A'));
    EXPECT_NE(stored.substr(0, 2), stored.substr(2, 2));
}

TEST(Scramble, AnOddLastStoredByteIsIgnored)
{
    const std::string stored = GP_ScrambleBytes("abc");
    EXPECT_EQ(GP_UnscrambleBytes(stored + "x"), "abc");
    EXPECT_EQ(GP_UnscrambleBytes("x"), "");
}

TEST(Scramble, FilesScrambleToTwiceTheirSizeAndBack)
{
    TempDir dir;
    testsupport::WriteFile(dir / "plain", "top list");
    ASSERT_TRUE(GP_ScrambleFile(dir / "plain", dir / "stored"));
    EXPECT_EQ(testsupport::ReadFile(dir / "stored").size(), 16u);
    ASSERT_TRUE(GP_UnscrambleFile(dir / "stored", dir / "back"));
    EXPECT_EQ(testsupport::ReadFile(dir / "back"), "top list");

    testsupport::WriteFile(dir / "empty", "");
    ASSERT_TRUE(GP_ScrambleFile(dir / "empty", dir / "stored"));
    EXPECT_EQ(testsupport::ReadFile(dir / "stored"), "");
}

TEST(Scramble, AMissingSourceLeavesTheTargetAlone)
{
    TempDir dir;
    testsupport::WriteFile(dir / "target", "kept");
    EXPECT_FALSE(GP_ScrambleFile(dir / "missing", dir / "target"));
    EXPECT_FALSE(GP_UnscrambleFile(dir / "missing", dir / "target"));
    EXPECT_EQ(testsupport::ReadFile(dir / "target"), "kept");
}
