// The library's state after its start, read inside the process: the registry's settings, the start's failures and
// the warnings of its shut-down.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "InProcessLibrary.h"
#include "front/LibraryFolders.h"

namespace {

using namespace fronttest;

constexpr const char* kRoot = "SOFTWARE\\TollarineArcade";
constexpr const char* kApplicationKey = "SOFTWARE\\TollarineArcade\\60";

class LibraryStart : public InProcessLibrary {};

struct RegistryCase {
    const char* name;
    std::function<void()> registry;
    int libVersion;
    std::int16_t debugBuild;
    TA_ResultCode16 code;
    const char* errorStart;  // null: no error text
    int boxes;
    int debugMode;
    bool initialized;
    int channelID;
    bool alwaysConnected;
};

TEST_F(LibraryStart, TheRegistrySettingsAndTheArgumentsGiveTheStatesTable)
{
    const RegistryCase cases[] = {
        {"old library version", [] {}, 5, 0, TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL,
         "Your application is using an old version", 1, 0, false, 0, false},
        {"forced failure", [] { SetDword(kRoot, "DebugMode", 2); }, 6, 0, TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL,
         "This was a forced TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL runtime error for test purposes.", 0, 2, true, 0,
         false},
        {"debug build without a DebugMode", [] {}, 6, 1, TA_ERROR_CODE_NONE, nullptr, 0, 1, true, 4089, false},
        {"debug build with a DebugMode", [] { SetDword(kRoot, "DebugMode", 3); }, 6, 1, TA_ERROR_CODE_NONE, nullptr, 1,
         3, true, 4089, false},
        {"channel and connection from the registry",
         [] {
             SetDword(kApplicationKey, "ChannelID", 77);
             SetDword(kRoot, "AlwaysConnected", 1);
         },
         6, 0, TA_ERROR_CODE_NONE, nullptr, 0, 0, true, 77, true},
        {"AlwaysConnected other than 1", [] { SetDword(kRoot, "AlwaysConnected", 2); }, 6, 0, TA_ERROR_CODE_NONE,
         nullptr, 0, 0, true, 4089, false},
    };
    for (const RegistryCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetLibraryState();
        ClearRegistry();
        c.registry();
        GiveAnswers(3);
        EXPECT_EQ(Start(c.libVersion, c.debugBuild), c.code);
        EXPECT_EQ(BoxesShown(3), c.boxes);
        const ArcadeState& state = GetArcadeState();
        const char* error = GetAPIState().lastErrorText;
        if (c.errorStart)
            EXPECT_EQ(std::string(error ? error : "").rfind(c.errorStart, 0), 0u) << (error ? error : "(none)");
        else
            EXPECT_EQ(error, nullptr);
        EXPECT_EQ(state.DebugMode, c.debugMode);
        EXPECT_EQ(state.Initialized, c.initialized);
        EXPECT_FALSE(state.Initializing);
        if (c.code == TA_ERROR_CODE_NONE) {
            EXPECT_EQ(state.ChannelID, c.channelID);
            EXPECT_EQ(state.AlwaysConnected, c.alwaysConnected);
            EXPECT_EQ(state.ApplicationName, CString("Velmorine"));
            EXPECT_EQ(fs::current_path(), fs::path(folder).parent_path());
        }
    }
}

TEST_F(LibraryStart, ShutDownWarnsOfAnUnusedRectangleSystemOnceASessionWasEntered)
{
    ASSERT_EQ(Start(), TA_ERROR_CODE_NONE);
    const std::string rectangles = "TA_GetNumberOfRectsToUpdate was never called";
    const std::string minimal = "was never called with 'DrawType' set to 'TA_DRAW_TYPE_MINIMAL'";
    struct Case {
        bool anySession, rectsUsed, minimalSeen, updateRequired, warnsRects, warnsMinimal;
    };
    const Case cases[] = {
        {false, false, false, false, false, false},
        {true, false, false, false, true, true},
        {true, false, false, true, true, false},
        {true, true, true, false, false, false},
    };
    for (const Case& c : cases) {
        ArcadeState& state = GetArcadeState();
        state.Initialized = true;
        state.AnySessionEntered = c.anySession;
        state.RectSystemUsed = c.rectsUsed;
        state.MinimalDrawSeen = c.minimalSeen;
        state.SystemUpdateRequired = c.updateRequired;
        debugOutput.clear();
        TA_ShutDown();
        EXPECT_EQ(debugOutput.find(rectangles) != std::string::npos, c.warnsRects) << debugOutput;
        EXPECT_EQ(debugOutput.find(minimal) != std::string::npos, c.warnsMinimal) << debugOutput;
        EXPECT_FALSE(state.Initialized);
    }
}

TEST_F(LibraryStart, TheInstallFoldersLieUnderARealProgramFilesFolder)
{
    const std::string programFiles = root / "Program Files";
    EXPECT_EQ(std::string(GetProgramFilesFolder().GetText()), programFiles);
    EXPECT_TRUE(fs::is_directory(programFiles));
    EXPECT_EQ(std::string(GetChannelFolder(4089).GetText()), programFiles + "\\TollarineArcade\\Channels\\4089");
    EXPECT_EQ(std::string(GetArcadeFolder().GetText()), programFiles + "\\TollarineArcade\\Arcade");
    EXPECT_EQ(std::string(GetApplicationRegistryKey(60).GetText()), "SOFTWARE\\TollarineArcade\\60");
}

}  // namespace
