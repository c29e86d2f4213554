#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ElfFixture.h"
#include "TempDir.h"
#include "VersionInfo.h"
#include "platform/win32_version.h"

using testsupport::TempDir;

TEST(ReadVersionInfo, FillsEveryTextTheBlockHasAndLeavesTheOthersEmpty)
{
    TempDir dir;
    platform::VersionDescription d;
    d.language = 0x0419;
    d.codePage = 0x04E3;
    d.strings = {{"CompanyName", "Morvadel"},        {"FileDescription", "Game"}, {"FileVersion", "1, 1, 7, 919"},
                 {"InternalName", "Velmorine"},      {"LegalCopyright", "(C)"},   {"ProductName", "Velmorine"},
                 {"ProductVersion", "1, 1, 7, 919"}, {"LegalTrademark", "TM"}};
    testsupport::WriteFile(dir / "game",
                           testsupport::ElfWithSection(VEL_VERSION_SECTION, platform::BuildVersionBlock(d)));

    TVSFillFileInfo info;
    info.Comments = "left over";
    ASSERT_TRUE(ReadVersionInfo(dir / "game", info));
    EXPECT_EQ(info.CompanyName, "Morvadel");
    EXPECT_EQ(info.FileDescription, "Game");
    EXPECT_EQ(info.FileVersion, "1, 1, 7, 919");
    EXPECT_EQ(info.InternalName, "Velmorine");
    EXPECT_EQ(info.LegalCopyright, "(C)");
    EXPECT_EQ(info.ProductName, "Velmorine");
    EXPECT_EQ(info.ProductVersion, "1, 1, 7, 919");
    EXPECT_EQ(info.LegalTrademark, "TM");
    // Missing keys are empty, not the text of the query before them.
    EXPECT_EQ(info.Comments, "");
    EXPECT_EQ(info.ProductDescription, "");

    EXPECT_FALSE(ReadVersionInfo(dir / "missing", info));
    EXPECT_EQ(info.CompanyName, "");
}

TEST(ReadVersionInfo, ReadsTheGameProgramAndNothingFromAProgramWithoutABlock)
{
    const std::string dist = std::getenv("VEL_DIST_DIR");
    if (!std::filesystem::exists(dist + "/Velmorine")) GTEST_SKIP() << "the game program is not built";
    TVSFillFileInfo info;
    ASSERT_TRUE(ReadVersionInfo(dist + "/Velmorine", info));
    EXPECT_EQ(info.CompanyName, "Morvadel");
    EXPECT_EQ(info.ProductName, "Velmorine");
    EXPECT_EQ(info.FileVersion, "1, 1, 7, 919");
    EXPECT_FALSE(ReadVersionInfo(dist + "/Dobranth", info));
    EXPECT_EQ(info.CompanyName, "");
    EXPECT_EQ(info.FileVersion, "");
}
