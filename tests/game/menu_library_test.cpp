#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "DistDir.h"
#include "GP_MenuLibrary.h"
#include "GP_WindowProc.h"
#include "TempDir.h"
#include "platform/headless.h"
#include "platform/win32_messages.h"

namespace fs = std::filesystem;

namespace {

const std::string kFakes = VEL_FAKE_MENU_LIBRARY_DIR;

class MenuLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        TA_State = TA_Binding{};
        folder = root / "TollarineArcade/";
        fs::create_directories(folder);
        TA_State.libraryFolder = folder;
        TA_State.identity = TA_Identity{60, "Velmorine", 4089, 1.0f, 0};
        ::setenv("FAKE_TA_LOG", (root / "calls.txt").c_str(), 1);
        ::unsetenv("FAKE_TA_INIT_CODE");
        ::unsetenv("FAKE_TA_UPDATE_AFTER");
        platform::ClearScriptedAnswers();
    }
    void TearDown() override
    {
        if (!TA_State.unusable) TA_Unload();
        TA_State = TA_Binding{};
        ::unsetenv("FAKE_TA_LOG");
        ::unsetenv("FAKE_TA_INIT_CODE");
        ::unsetenv("FAKE_TA_UPDATE_AFTER");
        platform::ClearScriptedAnswers();
    }

    void Install(const std::string& variant, const std::string& where = "")
    {
        fs::create_directories(folder + where);
        fs::copy_file(kFakes + "/" + variant + "/TollarineArcade.so", folder + where + "TollarineArcade.so",
                      fs::copy_options::overwrite_existing);
    }
    int Load() { return TA_LoadLibrary(60, "Velmorine", 4089, 1.0f, 0); }
    bool StillMapped() const
    {
        void* handle = ::dlopen((folder + "TollarineArcade.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (handle) ::dlclose(handle);
        return handle != nullptr;
    }
    std::string Calls() const { return testsupport::ReadFile(root / "calls.txt"); }
    void ClearCalls() const { fs::remove(root / "calls.txt"); }
    // The number of message boxes shown since the answers were given.
    int BoxesShown(int given)
    {
        int left = 0;
        while (platform::NextScriptedAnswer()) ++left;
        return given - left;
    }
    void GiveAnswers(int count)
    {
        for (int i = 0; i < count; ++i) platform::PushScriptedAnswer("ok");
    }

    testsupport::TempDir root;
    std::string folder;
};

TEST_F(MenuLibrary, LoadFailuresNameTheirCauseAndLeaveNothingBound)
{
    EXPECT_EQ(Load(), TA_ErrLibraryNotLoaded);
    EXPECT_NE(std::string(TA_GetLastErrorText()).find("\"TollarineArcade\" subfolder"), std::string::npos);

    Install("no_shutdown");
    EXPECT_EQ(Load(), TA_ErrExportMissing);
    EXPECT_STREQ(TA_GetLastErrorText(), "Could not link to 'tadll_ShutDown' function within the dll.");
    EXPECT_EQ(TA_State.module, nullptr);
    EXPECT_EQ(TA_State.entry.GetDLLVersionAsString, nullptr);
    EXPECT_FALSE(StillMapped());
}

TEST_F(MenuLibrary, AFailedStartKeepsTheLibrarysTextAfterTheLibraryIsGone)
{
    Install("whole");
    ::setenv("FAKE_TA_INIT_CODE", "6", 1);
    EXPECT_EQ(Load(), 6);
    EXPECT_FALSE(StillMapped());
    EXPECT_EQ(TA_State.entry.GetLastErrorInformation, nullptr);
    EXPECT_STREQ(TA_GetLastErrorText(), "The fake library could not write into its folder.");
    // Every wrapper answers without the library.
    EXPECT_TRUE(TA_IsMenuComplete());
    EXPECT_EQ(TA_GetRectCount(), 0);
    EXPECT_FALSE(TA_ForwardMessage(nullptr, WM_KEYDOWN, 0, 0));
    TA_DrawNextFrame(nullptr, 0, 2, 0);
    EXPECT_EQ(Calls(), "Initialize 60 4089 6\n");
}

// The suite's program has the library of this tree beside it, as the game has.
TEST_F(MenuLibrary, TheStartLooksBesideTheProgramAndCallsBeforeItAreReported)
{
    GiveAnswers(1);
    TA_GetRectCount();
    EXPECT_EQ(BoxesShown(1), 1);
    EXPECT_EQ(TA_Startup(60, "Velmorine", 4089, 1.0f, 0), TA_Ok) << TA_GetLastErrorText();
    EXPECT_EQ(TA_State.identity.applicationName, "Velmorine");
    EXPECT_TRUE(TA_State.libraryFolder.ends_with("/bin/TollarineArcade/")) << TA_State.libraryFolder;
}

// The game's window procedure hands every message to the library first, once the library is bound.
TEST_F(MenuLibrary, TheWindowProcedureForwardsTheGamesMessagesToTheLibrary)
{
    Install("whole");
    ASSERT_EQ(Load(), TA_Ok);
    ClearCalls();
    EXPECT_EQ(GP_WindowProc(nullptr, WM_KEYDOWN, 'A', 0), 1);
    EXPECT_EQ(GP_WindowProc(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, 0), 1);
    EXPECT_EQ(Calls(), "Message 256\nMessage 513\n");
    TA_Unload();
}

TEST_F(MenuLibrary, ASessionForwardsMessagesAndGivesTheLibrarysRectangles)
{
    Install("whole");
    ASSERT_EQ(Load(), TA_Ok);
    EXPECT_EQ(TA_EnterMenu(1, 640, 480), 0);
    EXPECT_TRUE(TA_ForwardMessage(nullptr, WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(TA_IsMenuComplete());
    ASSERT_EQ(TA_GetRectCount(), 2);
    TA_UpdateRect rect{};
    TA_GetRect(rect, 1);
    EXPECT_EQ(rect.right, 11);
    TA_Unload();
    EXPECT_FALSE(StillMapped());
    EXPECT_NE(Calls().find("ShutDown"), std::string::npos);
}

// The library of this tree, with the archive the build writes, started as the game starts it and shut down. It runs
// all its static initialisers when it is loaded; its unload must free everything they made, so that it can be
// loaded again (as after an update) and the process ends with nothing lost (the sanitizer build checks for leaks
// at exit).
TEST_F(MenuLibrary, TheLibraryOfThisTreeStartsAndGoesWithEverythingItMade)
{
    const std::string dist = testsupport::DistDir() + "/TollarineArcade/";
    fs::copy_file(dist + "TollarineArcade.so", folder + "TollarineArcade.so");
    fs::copy_file(dist + "Arcade.dat", folder + "Arcade.dat");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Load(), TA_Ok) << TA_GetLastErrorText();
        EXPECT_STREQ(TA_GetLastErrorText(), "Extended error information is not available for the last error.");
        EXPECT_STREQ(TA_State.entry.GetDLLVersionAsString(), "Tollarine Arcade DLL Version 1.0 Build 3");
        TA_Unload();
        EXPECT_FALSE(StillMapped()) << "round " << round;
    }
    EXPECT_FALSE(fs::exists(folder + "TestDestinationReadibility.txt"));
}

// A library folder the library cannot write into: the start fails with the library's code and its own text, which
// the game keeps after the library is gone.
TEST_F(MenuLibrary, TheLibraryOfThisTreeRefusesAFolderItCannotWriteInto)
{
    fs::copy_file(testsupport::DistDir() + "/TollarineArcade/TollarineArcade.so", folder + "TollarineArcade.so");
    fs::create_directories(folder + "TestDestinationReadibility.txt");
    EXPECT_EQ(Load(), TA_ERROR_CODE_FOLDER_NOT_WRITABLE);
    EXPECT_FALSE(StillMapped());
    EXPECT_NE(std::string(TA_GetLastErrorText()).find("write a file the the 'TollarineArcade' folder failed"),
              std::string::npos)
        << TA_GetLastErrorText();
}

class MenuLibraryUpdate : public MenuLibrary {
protected:
    // A loaded library in a session that asks for an update after its first frame.
    void StartSessionThatAsksForAnUpdate()
    {
        Install("whole");
        ASSERT_EQ(Load(), TA_Ok);
        const std::uint8_t palette[768] = {7};
        TA_SendPalette(palette);
        ASSERT_EQ(TA_EnterMenu(1, 640, 480), 0);
        ::setenv("FAKE_TA_UPDATE_AFTER", "1", 1);
        TA_DrawNextFrame(nullptr, 0, 2, 0);
        ::unsetenv("FAKE_TA_UPDATE_AFTER");
        ASSERT_TRUE(TA_State.updatePending);
        ClearCalls();
    }
};

TEST_F(MenuLibraryUpdate, TheNextFrameSwapsTheFilesAndEntersTheSessionAgain)
{
    StartSessionThatAsksForAnUpdate();
    EXPECT_FALSE(TA_ForwardMessage(nullptr, WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(TA_IsMenuComplete());

    Install("whole", "Update/");
    testsupport::WriteFile(folder + "Update/Arcade.qxd", "archive");
    testsupport::WriteFile(folder + "Update/Pages.dat", "new");
    testsupport::WriteFile(folder + "Pages.dat", "old");
    ::chmod((folder + "Pages.dat").c_str(), 0444);
    testsupport::WriteFile(folder + "Arcade/Cache/page.bin", "cached");

    TA_DrawNextFrame(nullptr, 0, 2, 0);
    EXPECT_EQ(Calls(), "ShutDown\nInitialize 60 4089 6\nSetPalette 7\nEnterMenuSession 1 640 480\nDraw 0 0\n");
    EXPECT_EQ(testsupport::ReadFile(folder + "Pages.dat"), "new");
    EXPECT_FALSE(fs::exists(folder + "Arcade.qxd"));
    EXPECT_FALSE(fs::exists(folder + "Update/Arcade.qxd"));
    EXPECT_FALSE(fs::exists(folder + "Arcade"));
    EXPECT_FALSE(TA_State.updatePending);
}

TEST_F(MenuLibraryUpdate, AFailedMoveRestoresTheBackupAndTellsTheNextFrame)
{
    StartSessionThatAsksForAnUpdate();
    testsupport::WriteFile(folder + "Update/Blocker", "cannot replace a folder");
    testsupport::WriteFile(folder + "Blocker/inside", "x");
    testsupport::WriteFile(folder + "Channel.dat", "downloaded");
    testsupport::WriteFile(folder + "Backup/Channel.dat", "before");

    TA_DrawNextFrame(nullptr, 0, 2, 0);
    TA_DrawNextFrame(nullptr, 0, 2, 0);
    const std::string calls = Calls();
    EXPECT_NE(calls.find("Draw 1 1\nDraw 1 0\n"), std::string::npos) << calls;
    EXPECT_EQ(testsupport::ReadFile(folder + "Channel.dat"), "before");
    EXPECT_FALSE(fs::exists(folder + "Update"));
    EXPECT_FALSE(TA_State.unusable);
}

// The journal of the swap cannot be written (a folder has its name): no file moves, and the next frame hears of a
// failed update.
TEST_F(MenuLibraryUpdate, ASwapThatCannotKeepItsJournalMovesNothing)
{
    StartSessionThatAsksForAnUpdate();
    testsupport::WriteFile(folder + "Update/Pages.dat", "new");
    testsupport::WriteFile(folder + "Pages.dat", "old");
    fs::create_directories(folder + "Update.swap");

    TA_DrawNextFrame(nullptr, 0, 2, 0);
    const std::string calls = Calls();
    EXPECT_NE(calls.find("Initialize 60 4089 6\nSetPalette 7\nEnterMenuSession 1 640 480\nDraw 1 1\n"),
              std::string::npos)
        << calls;
    EXPECT_EQ(testsupport::ReadFile(folder + "Pages.dat"), "old");
    EXPECT_FALSE(fs::exists(folder + "Update"));
    EXPECT_FALSE(TA_State.unusable);
}

TEST_F(MenuLibraryUpdate, AReloadThatFailsTwiceLeavesTheLibraryUnusable)
{
    StartSessionThatAsksForAnUpdate();
    testsupport::WriteFile(folder + "Update/TollarineArcade.so", "not a library");
    testsupport::WriteFile(folder + "Backup/TollarineArcade.so", "not a library either");
    GiveAnswers(3);
    TA_DrawNextFrame(nullptr, 0, 2, 0);
    EXPECT_TRUE(TA_State.unusable);
    EXPECT_EQ(BoxesShown(3), 1);

    GiveAnswers(3);
    EXPECT_EQ(TA_EnterMenu(1, 640, 480), TA_ErrLibraryUnusable);  // no session: the game stays on its form
    EXPECT_EQ(BoxesShown(3), 1);
    EXPECT_TRUE(TA_IsMenuComplete());
    EXPECT_FALSE(TA_ForwardMessage(nullptr, WM_KEYDOWN, 0, 0));
    TA_UpdateRect rect{5, 5, 5, 5};
    TA_GetRect(rect, 0);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.right, 1);
    EXPECT_EQ(rect.bottom, 1);
    EXPECT_NE(std::string(TA_GetLastErrorText()).find("unrecoverable"), std::string::npos);
}

}  // namespace
