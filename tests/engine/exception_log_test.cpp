#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GP_DesktopHook.h"
#include "GP_Exception.h"
#include "GP_Log.h"
#include "TempDir.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Message(const CGP_Exeption& e)
{
    std::unique_ptr<char[]> text(e.GetMessage());
    return text.get();
}

int CountOf(const std::string& haystack, const std::string& needle)
{
    int count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(Exception, MessageWithAndWithoutText)
{
    CGP_Exeption withText("C:\\Source\\Engine\\GP_IOManager.cpp", 364, "bad pack");
    EXPECT_EQ(Message(withText), "Line 364 in module GP_IOManager.cpp throw exception:\nbad pack");
    CGP_Exeption withoutText("/home/build/Engine/KERNEL/GP_Sound.cpp", 7, nullptr);
    EXPECT_EQ(Message(withoutText), "Line 7 in module GP_Sound.cpp throw exception");
    EXPECT_EQ(withoutText.isFatal, 0u);
    EXPECT_EQ(std::string(GP_ModuleName("dir\\")), "");
}

TEST(Exception, FatalGivesTheDesktopBackBeforeItIsThrownAndCopiesAllFields)
{
    static int restored = 0;
    restored = 0;
    GP_SetDesktopRestorer([] { ++restored; });
    try {
        throw CGP_FatalExeption(__FILE__, 42, "text", "for the player", 1);
    } catch (const CGP_Exeption& caught) {
        EXPECT_EQ(restored, 1);
        CGP_Exeption copy(caught);
        EXPECT_EQ(copy.isFatal, 1u);
        EXPECT_EQ(copy.line, 42);
        EXPECT_STREQ(copy.module, "exception_log_test.cpp");
        EXPECT_STREQ(copy.userMessage, "for the player");
        EXPECT_EQ(copy.offerReport, 1);
    }
    GP_SetDesktopRestorer([] { throw 1; });
    EXPECT_NO_THROW(CGP_FatalExeption(__FILE__, 1, nullptr));
    GP_SetDesktopRestorer(nullptr);
}

TEST(FormatNew, SizesTheTextToWhatItHolds)
{
    const std::string longName(5000, 'x');
    std::unique_ptr<char[]> text(FormatNew("Невозможно открыть файл %s для чтения.", longName.c_str()));
    EXPECT_EQ(std::string(text.get()), "Невозможно открыть файл " + longName + " для чтения.");
    // A wide character the C locale cannot write fails the formatting: the result is the empty text.
    std::unique_ptr<char[]> failed(FormatNew("name %ls", L"\x20AC"));
    EXPECT_STREQ(failed.get(), "");
}

TEST(SessionLog, TwoRunsAppendTwoSessionBlocks)
{
    TempDir dir;
    const std::string path = dir / "Exception.log";
    for (int run = 0; run < 2; ++run) {
        CGP_Log log(path.c_str());
        log.Open();
        EXPECT_EQ(GP_SessionLog, &log);
        GP_LogWrite("GO 1 100 x\n");
    }
    EXPECT_EQ(GP_SessionLog, nullptr);
    const std::string text = ReadFile(path);
    EXPECT_EQ(CountOf(text, "BEGIN SESSION: "), 2);
    EXPECT_EQ(CountOf(text, "END SESSION: "), 2);
    EXPECT_EQ(CountOf(text, "GO 1 100 x\n"), 2);
    const std::string dashes(57, '-');
    EXPECT_EQ(text.rfind(dashes + "\nBEGIN SESSION: ", 0), 0u);
}

TEST(SessionLog, KeepsALogUnder512001BytesAndRecreatesALargerOne)
{
    TempDir dir;
    for (long size : {512000L, 512001L}) {
        const std::string path = dir / ("log" + std::to_string(size));
        WriteFile(path, std::string(static_cast<std::size_t>(size), 'p'));
        {
            CGP_Log log(path.c_str());
            log.Open();
        }
        const std::string text = ReadFile(path);
        const bool kept = text.size() > static_cast<std::size_t>(size) && text[0] == 'p';
        EXPECT_EQ(kept, size == 512000L) << size;
    }
}

TEST(SessionLog, WriteBeforeOpenOrIntoAnUnopenableFileDoesNothing)
{
    TempDir dir;
    CGP_Log notOpened((dir / "never.log").c_str());
    notOpened.Write("lost\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "never.log"));
    // A path in a missing folder, and a path that is a folder: neither opens, and nothing is written anywhere,
    // not even the session blocks, though the log is the run's log.
    std::filesystem::create_directory(dir / "folder.log");
    for (const char* name : {"no/such/folder/x.log", "folder.log"}) {
        {
            CGP_Log unopenable((dir / name).c_str());
            unopenable.Open();
            EXPECT_EQ(GP_SessionLog, &unopenable) << name;
            unopenable.Write("lost\n");
            GP_LogWrite("lost too\n");
        }
        EXPECT_EQ(GP_SessionLog, nullptr) << name;
        EXPECT_FALSE(std::filesystem::exists(dir / "no")) << name;
        EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.log")) << name;
        EXPECT_TRUE(std::filesystem::is_empty(dir / "folder.log")) << name;
    }
}
