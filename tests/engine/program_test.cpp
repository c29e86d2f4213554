#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempDir.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

int CountOf(const std::string& haystack, const std::string& needle)
{
    int count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++count;
    return count;
}

// Runs the Velmorine program headless in the folder; returns its exit code.
int RunProgram(const TempDir& folder, const std::string& settings)
{
    const char* dist = std::getenv("VEL_DIST_DIR");
    if (!dist) return -1000;
    // Each run is the one copy of the game in its own folder, so runs side by side do not meet. The game's data
    // is the runnable tree's; the program runs from a copy with the menu library beside it, which it must start.
    std::error_code alreadyThere;
    std::filesystem::create_directory_symlink(std::string(dist) + "/RESOURCE", folder / "RESOURCE", alreadyThere);
    const std::filesystem::path program = folder / "program";
    std::filesystem::create_directory(program, alreadyThere);
    // Copied once per folder: writing over a program that has just ended can still find it busy.
    for (const char* file : {"Velmorine", "libplatform.so"})
        std::filesystem::copy_file(std::string(dist) + "/" + file, program / file,
                                   std::filesystem::copy_options::skip_existing);
    std::filesystem::copy(std::string(dist) + "/TollarineArcade", program / "TollarineArcade",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing,
                          alreadyThere);
    const std::string command = "cd '" + folder.path().string() +
                                "' && timeout 60 env VEL_HEADLESS=1 VEL_INSTANCE_DIR=. " + settings + " '" +
                                (program / "Velmorine").string() + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
}

}  // namespace

TEST(VelmorineProgram, RunsItsFramesAndFramesEachRunInTheSessionLog)
{
    TempDir folder;
    EXPECT_EQ(RunProgram(folder, "VEL_FRAMES=60"), 0);
    std::string log = ReadFile(folder / "Exception.log");
    EXPECT_EQ(CountOf(log, "BEGIN SESSION: "), 1);
    EXPECT_EQ(CountOf(log, "END SESSION: "), 1);

    EXPECT_EQ(RunProgram(folder, "VEL_FRAMES=60"), 0);
    log = ReadFile(folder / "Exception.log");
    EXPECT_EQ(CountOf(log, "BEGIN SESSION: "), 2);
    EXPECT_EQ(CountOf(log, "END SESSION: "), 2);
}

TEST(VelmorineProgram, ClosingTheWindowEndsTheRun)
{
    TempDir folder;
    WriteFile(folder / "input.txt", "3 key down VK_LEFT\n5 close\n");
    EXPECT_EQ(RunProgram(folder, "VEL_SCRIPT=input.txt"), 0);
    EXPECT_EQ(CountOf(ReadFile(folder / "Exception.log"), "END SESSION: "), 1);
}

TEST(VelmorineProgram, ADisplayThatDoesNotAnswerMeansAHeadlessRun)
{
    TempDir folder;
    // SDL's attempt at the display leaves a buffer of the D-Bus library behind; the sanitizer build is told so.
    WriteFile(folder / "leaks.supp", "leak:libdbus-1.so\n");
    EXPECT_EQ(
        RunProgram(folder,
                   "VEL_HEADLESS=0 DISPLAY=:9999 WAYLAND_DISPLAY= VEL_FRAMES=30 LSAN_OPTIONS=suppressions=leaks.supp"),
        0);
    EXPECT_EQ(CountOf(ReadFile(folder / "Exception.log"), "END SESSION: "), 1);
}
