// The sixteen exports of the library of this tree, loaded from a library folder of the test's own.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "LibraryFolder.h"
#include "LoadedLibrary.h"

namespace {

using namespace fronttest;

constexpr const char* kNoInformation = "Extended error information is not available for the last error.";

class Exports : public LibraryFolderTest {
protected:
    void SetUp() override
    {
        LibraryFolderTest::SetUp();
        InstallArchive();
    }
};

TEST(ExportTable, TheLibraryExportsTheSixteenFunctionsAndNothingElse)
{
    FILE* symbols = ::popen(("nm -D --defined-only '" + DistLibraryFolder() + "TollarineArcade.so'").c_str(), "r");
    ASSERT_NE(symbols, nullptr);
    std::set<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, symbols)) {
        std::string entry(line);
        while (!entry.empty() && (entry.back() == '\n' || entry.back() == '\r')) entry.pop_back();
        names.insert(entry.substr(entry.find_last_of(' ') + 1));
    }
    EXPECT_EQ(::pclose(symbols), 0);
    const std::set<std::string> expected = {"tadll_DrawNextFrameIntoBuffer",
                                            "tadll_EnterMenuSession",
                                            "tadll_GetDLLVersionAsInt",
                                            "tadll_GetDLLVersionAsString",
                                            "tadll_GetLastErrorInformation",
                                            "tadll_GetNumberOfRectsToUpdate",
                                            "tadll_GetUpdateRect",
                                            "tadll_GetValueAsFloat",
                                            "tadll_GetValueAsInt",
                                            "tadll_GetValueAsString",
                                            "tadll_HandleWindowsMessage",
                                            "tadll_Initialize",
                                            "tadll_IsASystemUpdateRequired",
                                            "tadll_IsTheMenuSessionComplete",
                                            "tadll_SetPalette",
                                            "tadll_ShutDown"};
    EXPECT_EQ(names, expected);
}

TEST_F(Exports, AStartInTheLibrarysFolderAnswersItsVersionAndValuesAndShutsDown)
{
    LoadedLibrary library(LibraryPath());
    ASSERT_TRUE(library.IsLoaded());
    EXPECT_EQ(library.Export<tadll_GetDLLVersionAsInt_fn>("tadll_GetDLLVersionAsInt")(), 3);
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE) << library.LastError();
    EXPECT_STREQ(library.LastError(), kNoInformation);
    EXPECT_STREQ(library.Export<tadll_GetDLLVersionAsString_fn>("tadll_GetDLLVersionAsString")(),
                 "Tollarine Arcade DLL Version 1.0 Build 3");
    EXPECT_EQ(library.Export<tadll_GetDLLVersionAsInt_fn>("tadll_GetDLLVersionAsInt")(), 3);
    EXPECT_STREQ(library.ValueAsString("portalname", "none"), "Tollarine Arcade");
    EXPECT_EQ(library.ValueAsInt("CatalogRows", 1), 10);
    EXPECT_FLOAT_EQ(library.Export<tadll_GetValueAsFloat_fn>("tadll_GetValueAsFloat")("MenuScale", 1.0f), 0.625f);
    EXPECT_EQ(fs::current_path(), startFolder);  // each framed call puts the working folder back
    EXPECT_FALSE(fs::exists(folder + "TestDestinationReadibility.txt"));
    library.ShutDown();
    library.Unload();
    EXPECT_FALSE(library.StillMapped());
    EXPECT_EQ(debugOutput, "");
}

TEST_F(Exports, WithoutAMenuSessionTheSessionExportsAnswerAsOutsideOne)
{
    LoadedLibrary library(LibraryPath());
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    // Menu type 2 is refused: no session starts.
    EXPECT_EQ(library.Export<tadll_EnterMenuSession_fn>("tadll_EnterMenuSession")(2, 640, 480),
              TA_ERROR_CODE_MENU_NOT_AVAILABLE);
    EXPECT_STRNE(library.LastError(), kNoInformation);
    EXPECT_EQ(library.Export<tadll_IsTheMenuSessionComplete_fn>("tadll_IsTheMenuSessionComplete")(), 1);
    EXPECT_EQ(library.Export<tadll_GetNumberOfRectsToUpdate_fn>("tadll_GetNumberOfRectsToUpdate")(), 0);
    const TA_UpdateRect rect = library.Export<tadll_GetUpdateRect_fn>("tadll_GetUpdateRect")(0);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 1);
    EXPECT_EQ(rect.bottom, 1);
    EXPECT_EQ(library.Export<tadll_HandleWindowsMessage_fn>("tadll_HandleWindowsMessage")(nullptr, 0x100, 0, 0), 0);
    EXPECT_EQ(library.Export<tadll_IsASystemUpdateRequired_fn>("tadll_IsASystemUpdateRequired")(), 0);
    library.ShutDown();
}

TEST_F(Exports, AtDebugMode4EveryExportLogsItsEntryAndItsEnd)
{
    SetDword("SOFTWARE\\TollarineArcade", "DebugMode", 4);
    LoadedLibrary library(LibraryPath());
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    // DebugMode is read during the first start, so only its closing line is written.
    EXPECT_EQ(debugOutput,
              "DLL call: tadll_Initialize - finished. Parameters were: 60, Velmorine, 4089, 1.000000, 0, 6\n");

    struct Case {
        void (*call)(const LoadedLibrary&);
        const char* lines;
    };
    const Case cases[] = {
        {[](const LoadedLibrary& l) { l.Export<tadll_GetDLLVersionAsInt_fn>("tadll_GetDLLVersionAsInt")(); },
         "DLL call: tadll_GetDLLVersionAsInt\nDLL call: tadll_GetDLLVersionAsInt - finished.\n"},
        {[](const LoadedLibrary& l) { l.Export<tadll_GetUpdateRect_fn>("tadll_GetUpdateRect")(3); },
         "DLL call: tadll_GetUpdateRect : 3\n"
         "Error In TollarineArcade API Usage: TA_GetUpdateRect: Invalid 'Index' parameter.\n"
         "Error In TollarineArcade API Usage: TA_GetUpdateRect: Must call TA_GetNumberOfRectsToUpdate before calling "
         "this function.\n"
         "DLL call: tadll_GetUpdateRect - finished.\n"},
        {[](const LoadedLibrary& l) { l.ValueAsInt("Speed", 7); },
         "DLL call: tadll_GetValueAsInt : Speed, 7\nDLL call: tadll_GetValueAsInt - finished.\n"},
        {[](const LoadedLibrary& l) {
             l.Export<tadll_HandleWindowsMessage_fn>("tadll_HandleWindowsMessage")(reinterpret_cast<HWND>(0x1234), 256,
                                                                                   0x41, 1);
         },
         "DLL call: tadll_HandleWindowsMessage : 0x00001234, 256, 0x00000041, 0x00000001\n"
         "DLL call: tadll_HandleWindowsMessage - finished.\n"},
        {[](const LoadedLibrary& l) { l.Initialize(); },
         "DLL call: tadll_Initialize : 60, Velmorine, 4089, 1.000000, 0, 6\n"
         "DLL call: tadll_Initialize - finished. Parameters were: 60, Velmorine, 4089, 1.000000, 0, 6\n"},
    };
    for (const Case& c : cases) {
        debugOutput.clear();
        c.call(library);
        EXPECT_EQ(debugOutput, c.lines);
    }
    library.ShutDown();
}

TEST_F(Exports, AStringValueIsACopyKeptUntilTheNextRequest)
{
    LoadedLibrary library(LibraryPath());
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    const char* fallback = "fallback";
    const char* first = library.ValueAsString("NoSuchName", fallback);
    EXPECT_NE(first, fallback);
    EXPECT_STREQ(first, "fallback");
    // The first copy is freed now; the sanitizer build stops at any read of it.
    const char* second = library.ValueAsString("PortalName", "x");
    EXPECT_STREQ(second, "Tollarine Arcade");
    EXPECT_EQ(debugOutput, "");

    // Without a default a missing name answers an empty text, after the misuse report.
    const char* empty = library.ValueAsString("NoSuchName", nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(debugOutput,
              "Error In TollarineArcade API Usage: TA_GetValueAsString: Invalid 'DefaultValue' parameter.\n");
    library.ShutDown();
}

TEST_F(Exports, AValueAskedForBeforeTheStartDoesNotHideTheValuesAfterIt)
{
    LoadedLibrary library(LibraryPath());
    EXPECT_STREQ(library.ValueAsString("PortalName", "early"), "early");
    EXPECT_NE(debugOutput.find("TA_GetValueAsString: Must call TA_Initialize before calling this function."),
              std::string::npos);
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    EXPECT_STREQ(library.ValueAsString("PortalName", "late"), "Tollarine Arcade");
    // A second start in one load reads the records again; the values still answer.
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    EXPECT_EQ(library.ValueAsInt("CatalogRows", 1), 10);
    library.ShutDown();
}

TEST_F(Exports, AnIntegerDefaultOf0IsReportedAndTheCallGoesOn)
{
    LoadedLibrary library(LibraryPath());
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    EXPECT_EQ(library.ValueAsInt("CatalogRows", 0), 10);
    EXPECT_EQ(debugOutput, "Error In TollarineArcade API Usage: TA_GetValueAsInt: Invalid 'DefaultValue' parameter.\n");
    library.ShutDown();
}

// The start's three failures, each with its code and its text.
TEST_F(Exports, AStartFailsWithCode5Or6AndTheLibrarysReason)
{
    {
        LoadedLibrary library(LibraryPath());
        GiveAnswers(2);
        EXPECT_EQ(library.Initialize(5), TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL);
        EXPECT_EQ(BoxesShown(2), 1);  // "Bad Lib Version"
        EXPECT_NE(std::string(library.LastError()).find("old version of the TollarineArcade.lib file"),
                  std::string::npos);
    }
    {
        fs::create_directories(folder + "TestDestinationReadibility.txt");
        LoadedLibrary library(LibraryPath());
        EXPECT_EQ(library.Initialize(), TA_ERROR_CODE_FOLDER_NOT_WRITABLE);
        EXPECT_STREQ(library.LastError(),
                     "A test to see if we could write a file the the 'TollarineArcade' folder failed. Maybe the "
                     "application is being run from a CD or some other read only media.");
        // Nothing was mounted: the values are the defaults.
        EXPECT_STREQ(library.ValueAsString("PortalName", "none"), "none");
        EXPECT_EQ(fs::current_path(), startFolder);
    }
}

TEST_F(Exports, MisuseWithADebugModeShowsABoxAndTheCallStillRuns)
{
    SetDword("SOFTWARE\\TollarineArcade", "DebugMode", 1);
    LoadedLibrary library(LibraryPath());
    ASSERT_EQ(library.Initialize(), TA_ERROR_CODE_NONE);
    GiveAnswers(3);
    EXPECT_EQ(library.ValueAsInt("CatalogRows", 0), 10);
    EXPECT_EQ(BoxesShown(3), 1);
    library.ShutDown();
}

}  // namespace
