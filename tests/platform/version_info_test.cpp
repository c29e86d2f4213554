#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ElfFixture.h"
#include "TempDir.h"
#include "platform/win32_version.h"

using testsupport::ElfWithSection;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

platform::VersionDescription Description(WORD language, WORD codePage)
{
    platform::VersionDescription d;
    d.fileVersion[0] = 1;
    d.fileVersion[1] = 1;
    d.fileVersion[2] = 7;
    d.fileVersion[3] = 919;
    d.language = language;
    d.codePage = codePage;
    d.strings = {{"CompanyName", "Morvadel"}, {"ProductName", "Велморин"}, {"FileVersion", "1, 1, 7, 919"}};
    return d;
}

std::string WriteProgram(const TempDir& dir, const std::string& name, const std::vector<BYTE>& block,
                         const std::string& section = VEL_VERSION_SECTION)
{
    const std::string path = dir / name;
    WriteFile(path, ElfWithSection(section, block));
    return path;
}

// The file's whole block as GetFileVersionInfoA hands it out; empty when the size query says there is none.
std::vector<BYTE> ReadBlock(const std::string& path)
{
    DWORD handle = 1;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<BYTE> block(size);
    if (size) {
        EXPECT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
    }
    return block;
}

std::string Text(std::vector<BYTE>& block, const std::string& path)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length)) return "<none>";
    EXPECT_EQ(length, std::strlen(static_cast<char*>(value)) + 1);
    return static_cast<char*>(value);
}

}  // namespace

TEST(VersionInfo, AProgramsBlockAnswersEveryKindOfQuery)
{
    TempDir dir;
    const std::string program = WriteProgram(dir, "Game", platform::BuildVersionBlock(Description(0x0419, 0x04E3)));
    std::vector<BYTE> block = ReadBlock(dir / "GAME");  // names are found without regard to case
    ASSERT_FALSE(block.empty());

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<WORD*>(value)[0], 0x0419);
    EXPECT_EQ(static_cast<WORD*>(value)[1], 0x04E3);

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00070397u);

    EXPECT_EQ(Text(block, "\\StringFileInfo\\041904E3\\CompanyName"), "Morvadel");
    EXPECT_EQ(Text(block, "\\stringfileinfo\\041904e3\\productname"), "Велморин");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\041904E3\\FileVersion"), "1, 1, 7, 919");
    // Every text keeps its own place: the first one is still there after the others were asked for.
    void* company = nullptr;
    VerQueryValueA(block.data(), "\\StringFileInfo\\041904E3\\CompanyName", &company, &length);
    Text(block, "\\StringFileInfo\\041904E3\\ProductName");
    EXPECT_STREQ(static_cast<char*>(company), "Morvadel");

    EXPECT_EQ(Text(block, "\\StringFileInfo\\041904E3\\Comments"), "<none>");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904E4\\CompanyName"), "<none>");
    EXPECT_FALSE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(block.size() - 1), block.data()));
}

TEST(VersionInfo, FilesWithoutABlockAnswerSizeZero)
{
    TempDir dir;
    WriteFile(dir / "text.txt", "not a program");
    const std::vector<std::string> files = {
        dir / "missing",
        dir / "text.txt",
        std::string(std::getenv("VEL_DIST_DIR")) + "/libplatform.so",  // a real ELF file without the section
        WriteProgram(dir, "other", platform::BuildVersionBlock(Description(0x0409, 0x04E4)), ".othersection"),
        WriteProgram(dir, "empty", {}),
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        DWORD handle = 0;
        EXPECT_EQ(GetFileVersionInfoSizeA(file.c_str(), &handle), 0u);
        BYTE room[64];
        EXPECT_FALSE(GetFileVersionInfoA(file.c_str(), 0, sizeof room, room));
    }
}

TEST(VersionInfo, DamagedBlocksAreNeverReadPastTheirEnd)
{
    const std::vector<BYTE> whole = platform::BuildVersionBlock(Description(0x0409, 0x04E4));
    TempDir dir;
    const std::vector<std::string> queries = {"\\", "\\VarFileInfo\\Translation",
                                              "\\StringFileInfo\\040904E4\\CompanyName",
                                              "\\StringFileInfo\\040904E4\\FileVersion"};
    auto queryAll = [&](const std::vector<BYTE>& bytes) {
        const std::string path = WriteProgram(dir, "damaged", bytes);
        std::vector<BYTE> block = ReadBlock(path);
        for (const std::string& query : queries) {
            void* value = nullptr;
            UINT length = 0;
            if (!block.empty() && VerQueryValueA(block.data(), query.c_str(), &value, &length)) {
                const BYTE* at = static_cast<BYTE*>(value);
                ASSERT_TRUE(at >= block.data() && at + length <= block.data() + block.size());
            }
        }
    };
    // Cut short anywhere, with the lengths left as they were.
    for (std::size_t length = 0; length < whole.size(); length += 3)
        queryAll(std::vector<BYTE>(whole.begin(), whole.begin() + static_cast<long>(length)));
    // Every length word in turn made too large or too small.
    for (std::size_t at = 0; at + 1 < whole.size(); at += 2)
        for (BYTE high : {BYTE{0x00}, BYTE{0xFF}}) {
            std::vector<BYTE> bytes = whole;
            bytes[at] = 0x03;
            bytes[at + 1] = high;
            queryAll(bytes);
        }
}

TEST(VersionInfo, TheSystemLibraryAnswersWithTheLanguageOfTheLocale)
{
    char folder[2048];
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(GetSystemDirectoryA(folder, 2), length + 1) << "too small a buffer is answered with the size needed";
    const std::string kernel = std::string(folder) + "\\kernel32.dll";

    const char* old = std::getenv("LC_ALL");
    const std::string saved = old ? old : "";
    const std::vector<std::pair<const char*, WORD>> cases = {
        {"ru_RU.UTF-8", 0x0419}, {"de_AT.UTF-8", 0x0407}, {"fr_FR", 0x040C}, {"pl_PL.UTF-8", 0x0415},
        {"C", 0x0409},           {"en_GB.UTF-8", 0x0409}, {"xx_YY", 0x0409},
    };
    for (const auto& [locale, language] : cases) {
        SCOPED_TRACE(locale);
        ::setenv("LC_ALL", locale, 1);
        std::vector<BYTE> block = ReadBlock(kernel);
        void* value = nullptr;
        UINT size = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &size));
        EXPECT_EQ(static_cast<WORD*>(value)[0], language);
    }
    if (old)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
    EXPECT_EQ(GetFileVersionInfoSizeA("kernel32.dll", nullptr), 0u) << "only the one in the system directory";
}

TEST(VersionInfo, TheGameProgramCarriesItsVersionBlock)
{
    const std::string game = std::string(std::getenv("VEL_DIST_DIR")) + "/Velmorine";
    if (!std::filesystem::exists(game)) GTEST_SKIP() << "the game program is not built";
    std::vector<BYTE> block = ReadBlock(game);
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904E4\\CompanyName"), "Morvadel");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904E4\\ProductName"), "Velmorine");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904E4\\FileVersion"), "1, 1, 7, 919");
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileVersionLS, 0x00070397u);
}
