// The swap of the menu library's files ended by SIGKILL at each of its file steps, in a child process, and the game
// started again: the library of this tree loads every time, and it is the old edition or the new one, never a mix.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "DistDir.h"
#include "GP_MenuLibrary.h"
#include "TempDir.h"

namespace {

// The file step at which the process ends itself: 0 for none.
int killAtStep = 0;
int stepsTaken = 0;

void TakeStep()
{
    if (killAtStep != 0 && ++stepsTaken == killAtStep) ::raise(SIGKILL);
}

template <typename Function>
Function Real(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

// Every rename and unlink of the program is a step that can be the last.
extern "C" int rename(const char* from, const char* to) noexcept
{
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    TakeStep();
    return real(from, to);
}

extern "C" int unlink(const char* path) noexcept
{
    static const auto real = Real<int (*)(const char*)>("unlink");
    TakeStep();
    return real(path);
}

namespace {

namespace fs = std::filesystem;

std::string DistFolder() { return testsupport::DistDir() + "/TollarineArcade/"; }

// The distribution's archive with its version record raised to 2, rewritten by Python's zipfile (the "QX" end
// record read as the "PK" one it stands for).
std::string NewerArcadeArchive(const testsupport::TempDir& root)
{
    const std::string path = root / "newer-Arcade.dat";
    const std::string command =
        "python3 -c 'import io, sys, zipfile\n"
        "data = bytearray(open(sys.argv[1], \"rb\").read())\n"
        "end = data.rfind(b\"QX\\x05\\x06\")\n"
        "data[end:end + 2] = b\"PK\"\n"
        "old = zipfile.ZipFile(io.BytesIO(bytes(data)))\n"
        "with zipfile.ZipFile(sys.argv[2], \"w\", zipfile.ZIP_STORED) as new:\n"
        "    for info in old.infolist():\n"
        "        body = old.read(info.filename)\n"
        "        if info.filename == \"Resources/Arcade.version.txt\":\n"
        "            body = b\"CAssetVersionInfo\\r\\n{\\r\\n\\tVersion Number=2\\r\\n}\\r\\n\"\n"
        "        new.writestr(info.filename, body)\n"
        "' '" +
        DistFolder() + "Arcade.dat' '" + path + "'";
    if (std::system(command.c_str()) != 0) return {};
    return testsupport::ReadFile(path);
}

enum class Edition {
    Old,
    New,
    Mixed
};

void PrintTo(Edition edition, std::ostream* out)
{
    *out << (edition == Edition::Old ? "the old edition" : edition == Edition::New ? "the new edition" : "a mix");
}

class LibrarySwap : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string library = testsupport::ReadFile(DistFolder() + "TollarineArcade.so");
        // Bytes after the end of a shared object do not change how it loads.
        oldLibrary = library + "old edition";
        newLibrary = library + "new edition";
        oldArcade = testsupport::ReadFile(DistFolder() + "Arcade.dat");
        newArcade = NewerArcadeArchive(root);
        ASSERT_FALSE(newArcade.empty());
        folder = root / "TollarineArcade/";
    }

    // The library folder as the library leaves it when it asks for the swap: its files, the newer ones staged in
    // "Update/" and the current ones copied to "Backup/".
    void Install(bool withBlockedFile) const
    {
        fs::remove_all(folder);
        for (const std::string& where : {std::string(), std::string("Backup/")}) {
            testsupport::WriteFile(folder + where + "TollarineArcade.so", oldLibrary);
            testsupport::WriteFile(folder + where + "Arcade.dat", oldArcade);
        }
        testsupport::WriteFile(folder + "Update/TollarineArcade.so", newLibrary);
        testsupport::WriteFile(folder + "Update/Arcade.dat", newArcade);
        testsupport::WriteFile(folder + "Arcade/Cache/page.bin", "cached");
        if (!withBlockedFile) return;
        testsupport::WriteFile(folder + "Update/Blocked", "cannot replace a folder");
        fs::create_directories(folder + "Blocked/inside");
    }

    void ResetBinding() const
    {
        TA_State = TA_Binding{};
        TA_State.libraryFolder = folder;
        TA_State.identity = TA_Identity{60, "Velmorine", 4089, 1.0f, 0};
    }

    // The swap in a child process that ends itself at that step; its wait status.
    int SwapEndedAtStep(int step) const
    {
        const pid_t child = ::fork();
        if (child == 0) {
            ResetBinding();
            stepsTaken = 0;
            killAtStep = step;
            ::_exit(TA_ApplySystemUpdate() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return status;
    }

    // The game's next start: the interrupted swap finished or rolled back, then the library loaded.
    void StartAgain() const
    {
        ResetBinding();
        TA_FinishInterruptedSwap();
        EXPECT_EQ(TA_LoadLibrary(60, "Velmorine", 4089, 1.0f, 0), TA_Ok) << TA_GetLastErrorText();
        TA_Unload();
        TA_State = TA_Binding{};
    }

    Edition Installed() const
    {
        const std::string library = testsupport::ReadFile(folder + "TollarineArcade.so");
        const std::string arcade = testsupport::ReadFile(folder + "Arcade.dat");
        if (library == oldLibrary && arcade == oldArcade) return Edition::Old;
        if (library == newLibrary && arcade == newArcade) return Edition::New;
        return Edition::Mixed;
    }

    // Ends the swap at every step in turn until it runs to its end; each time the next start must leave one whole
    // edition, and once a step has left the new one in place, every later step must too.
    void EndAtEveryStep(bool withBlockedFile, Edition whenWhole)
    {
        constexpr int kMostSteps = 200;
        int step = 1;
        bool newReached = false;
        for (; step < kMostSteps; ++step) {
            SCOPED_TRACE("ended at step " + std::to_string(step));
            Install(withBlockedFile);
            const int status = SwapEndedAtStep(step);
            const bool ended = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
            if (!ended) {
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                break;
            }
            StartAgain();
            const Edition edition = Installed();
            EXPECT_NE(edition, Edition::Mixed);
            if (withBlockedFile) {
                EXPECT_EQ(edition, Edition::Old);
            }
            if (newReached) {
                EXPECT_EQ(edition, Edition::New);
            }
            newReached = edition == Edition::New;
            EXPECT_FALSE(fs::exists(folder + "Update.swap"));
        }
        EXPECT_GT(step, 3);
        EXPECT_LT(step, kMostSteps);
        EXPECT_EQ(Installed(), whenWhole);
        EXPECT_FALSE(fs::exists(folder + "Arcade"));
    }

    testsupport::TempDir root;
    std::string folder;
    std::string oldLibrary, newLibrary, oldArcade, newArcade;
};

TEST_F(LibrarySwap, EndedAtAnyStepTheNextStartLoadsTheOldOrTheNewEditionWhole) { EndAtEveryStep(false, Edition::New); }

TEST_F(LibrarySwap, EndedAtAnyStepOfARestoredBackupTheNextStartLoadsTheOldEdition)
{
    EndAtEveryStep(true, Edition::Old);
}

}  // namespace
