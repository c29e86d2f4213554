#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "ElfFixture.h"
#include "TempDir.h"
#include "fmChoice_of_language.h"
#include "platform/headless.h"
#include "platform/win32_registry.h"
#include "platform/win32_version.h"

using testsupport::TempDir;

namespace {

using Bytes = std::vector<BYTE>;
constexpr const char* kGameKey = "Software\\Morvadel\\Velmorine\\";  // as the game names it

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct Outcome {
    INT_PTR result;
    int selected;
    std::string printed;
};

// A folder with this program and, when made, the game program beside it; the registry store of its own.
class LanguageDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("VEL_REGISTRY_FILE")) oldRegistry_ = old;
        ::setenv("VEL_REGISTRY_FILE", (dir / "registry.reg").c_str(), 1);
        platform::ClearScriptedAnswers();
    }
    void TearDown() override { ::setenv("VEL_REGISTRY_FILE", oldRegistry_.c_str(), 1); }

    void MakeGame(const std::string& fileVersion = "1, 1, 7, 919")
    {
        platform::VersionDescription d;
        d.strings = {{"CompanyName", "Morvadel"}, {"ProductName", "Velmorine"}, {"FileVersion", fileVersion}};
        testsupport::WriteFile(dir / "Velmorine",
                               testsupport::ElfWithSection(VEL_VERSION_SECTION, platform::BuildVersionBlock(d)));
    }

    // The game's settings key as its first run leaves it, with a stored language when given.
    static void MakeKey(const std::optional<Bytes>& language = std::nullopt)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kGameKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (language)
            RegSetValueExA(key, "Language", 0, REG_SZ, language->data(), static_cast<DWORD>(language->size()));
        RegCloseKey(key);
    }

    // The stored "Language" as the game reads it: its key, a buffer of 1024 bytes.
    static std::optional<Bytes> StoredLanguage()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kGameKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
        Bytes data(1024);
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LSTATUS status = RegQueryValueExA(key, "Language", nullptr, &type, data.data(), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        data.resize(size);
        return data;
    }

    Outcome RunDialog(const std::vector<std::string>& answers)
    {
        for (const std::string& answer : answers) platform::PushScriptedAnswer(answer);
        TChoice_of_language dialog(nullptr, dir / "Dobranth");
        testing::internal::CaptureStderr();
        const INT_PTR result = dialog.Run();
        return {result, dialog.Selected(), testing::internal::GetCapturedStderr()};
    }

    TempDir dir;

private:
    std::string oldRegistry_;
};

}  // namespace

TEST_F(LanguageDialog, PreselectsTheStoredLanguage)
{
    MakeGame();
    const std::vector<std::pair<std::optional<Bytes>, int>> cases = {
        {std::nullopt, 102},
        {B("419"), 101},
        {B("409"), 102},
        {B("40C"), 103},
        {B("40c"), 102},  // codes compare exactly
        {B("407"), 104},
        {B("410"), 102},
        {B(std::string_view("40C\0", 4)), 103},  // as the game writes it back, with its zero
        {B(std::string_view("40C\0junk", 8)), 103},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored ? std::string(stored->begin(), stored->end()) : "none");
        MakeKey(stored);  // the first case comes before any value is stored
        const Outcome outcome = RunDialog({"close"});
        EXPECT_EQ(outcome.selected, expected);
        EXPECT_NE(outcome.printed.find(std::to_string(expected) + " radio button"), std::string::npos);
    }
}

TEST_F(LanguageDialog, OkStoresTheThreeCharactersOfTheChosenLanguage)
{
    MakeGame();
    MakeKey(B("409"));
    for (const auto& [control, code] :
         std::vector<std::pair<int, std::string>>{{101, "419"}, {102, "409"}, {103, "40C"}, {104, "407"}}) {
        SCOPED_TRACE(code);
        const Outcome outcome = RunDialog({"click " + std::to_string(control), "click 1"});
        EXPECT_EQ(outcome.result, kLanguageDialogEnded);
        EXPECT_EQ(StoredLanguage(), B(code)) << "three characters, no terminating zero";
    }
}

TEST_F(LanguageDialog, CancelAndTheCloseBoxStoreNothing)
{
    MakeGame();
    MakeKey(B("419"));
    EXPECT_EQ(RunDialog({"click 104", "click 2"}).result, kLanguageDialogCancelled);
    EXPECT_EQ(StoredLanguage(), B("419"));
    EXPECT_EQ(RunDialog({"click 103", "close"}).result, kLanguageDialogEnded);
    EXPECT_EQ(StoredLanguage(), B("419"));
}

TEST_F(LanguageDialog, ShowsTheGamesNameAndStandsInTheMiddleOfTheScreen)
{
    MakeGame();
    MakeKey();
    const Outcome outcome = RunDialog({"close"});
    // 213 x 55 dialog units of a 10-point font are 372 x 110 pixels; the screen is 1024 x 768.
    EXPECT_NE(outcome.printed.find("Dialog \"Language selection for Velmorine\" at 326, 329, 372 x 110"),
              std::string::npos)
        << outcome.printed;
}

TEST_F(LanguageDialog, WithoutTheGamesKeyNothingIsStored)
{
    MakeGame();
    const Outcome outcome = RunDialog({"click 103", "click 1", "ok"});
    EXPECT_EQ(outcome.result, kLanguageDialogEnded);
    EXPECT_NE(outcome.printed.find("MessageBox \"Message\": Could not open registry key."), std::string::npos)
        << outcome.printed;
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Morvadel", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(LanguageDialog, AStoreThatCannotBeWrittenIsReportedAndTheDialogStillEnds)
{
    MakeGame();
    MakeKey(B("409"));
    // The store is replaced through a temporary file beside it; a folder in its place makes the write fail.
    std::filesystem::create_directory(dir / "registry.reg.tmp");
    const Outcome outcome = RunDialog({"click 104", "click 1", "ok"});
    EXPECT_EQ(outcome.result, kLanguageDialogEnded);
    EXPECT_NE(outcome.printed.find("MessageBox \"Message\": Can not save language choise."), std::string::npos)
        << outcome.printed;
    EXPECT_EQ(StoredLanguage(), B("409"));
}

TEST_F(LanguageDialog, AGameThatCannotChooseOrIsMissingEndsTheDialogUnseen)
{
    MakeKey(B("409"));
    struct Case {
        std::optional<std::string> fileVersion;  // none: no game program
        const char* message;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "Proper game executable not found."},
        {"7", "This version of the game does not support language choise."},
        {"1.", "This version of the game does not support language choise."},
        {"", "This version of the game does not support language choise."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::filesystem::remove(dir / "Velmorine");
        if (c.fileVersion) MakeGame(*c.fileVersion);
        const Outcome outcome = RunDialog({"ok"});
        EXPECT_EQ(outcome.result, kLanguageDialogCancelled);
        EXPECT_NE(outcome.printed.find(std::string("MessageBox \"Message\": ") + c.message), std::string::npos)
            << outcome.printed;
        EXPECT_EQ(outcome.printed.find("Dialog \""), std::string::npos) << "the dialog was shown";
        EXPECT_EQ(StoredLanguage(), B("409"));
    }
    MakeGame("1.0");
    EXPECT_EQ(RunDialog({"close"}).printed.find("does not support"), std::string::npos);
}

TEST(GameProgram, IsLookedForBesideThisProgram)
{
    EXPECT_EQ(GameProgramBeside("/opt/velmorine/Dobranth"), "/opt/velmorine/Velmorine");
    EXPECT_EQ(GameProgramBeside("/Dobranth"), "/Velmorine");
    EXPECT_EQ(GameProgramBeside("Dobranth"), "Velmorine");
    EXPECT_EQ(GameProgramBeside("C:\\Games\\Dobranth.exe"), "C:\\Games\\Velmorine");
    EXPECT_EQ(OwnProgramPath().substr(OwnProgramPath().rfind('/') + 1), "langchooser_tests");
}

// The program itself: it stores a language that the game's side then reads; where it cannot show its dialog it
// says so and fails.
TEST(Dobranth, StoresALanguageThatTheGameReads)
{
    const std::string dist = std::getenv("VEL_DIST_DIR");
    if (!std::filesystem::exists(dist + "/Velmorine")) GTEST_SKIP() << "the game program is not built";
    TempDir dir;
    const std::string registry = dir / "registry.reg";
    const std::string old = std::getenv("VEL_REGISTRY_FILE");
    ::setenv("VEL_REGISTRY_FILE", registry.c_str(), 1);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kGameKey, &key), ERROR_SUCCESS);

    const std::string run = "VEL_HEADLESS=1 VEL_ANSWERS='click 104;click 1' " + dist + "/Dobranth 2>" + (dir / "err");
    const int status = std::system(run.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << testsupport::ReadFile(dir / "err");
    char text[1024];
    DWORD size = sizeof text;
    ASSERT_EQ(RegQueryValueExA(key, "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(text, size), "407");
    RegCloseKey(key);

    const std::string broken = "VEL_HEADLESS=0 DISPLAY=:9999 " + dist + "/Dobranth 2>" + (dir / "err");
    const int failed = std::system(broken.c_str());
    EXPECT_TRUE(WIFEXITED(failed) && WEXITSTATUS(failed) != 0);
    EXPECT_NE(testsupport::ReadFile(dir / "err").find("could not be shown"), std::string::npos);
    ::setenv("VEL_REGISTRY_FILE", old.c_str(), 1);
}
