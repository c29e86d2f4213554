#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "DistDir.h"
#include "GP_Campaigns.h"
#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_Log.h"
#include "GP_Main.h"
#include "GP_Tray.h"
#include "TempDir.h"
#include "platform/headless.h"
#include "platform/headless_audio.h"
#include "platform/shell.h"
#include "platform/shell_tray.h"
#include "platform/single_instance.h"
#include "platform/win32_registry.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"

namespace {

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ProgramEntry, ExceptionCodesHaveTheirNames)
{
    const std::pair<DWORD, const char*> cases[] = {
        {0xC0000005, "Access violation"},       {0xC00000FD, "Stack owerflow"},
        {0xC0000094, "Integer divide by zero"}, {0x00000000, "Wait 0"},
        {0x40000005, "Segment notification"},   {0xE06D7363, "Unhandled Exeption"},
        {0x12345678, "Unhandled Exeption"},
    };
    for (const auto& [code, name] : cases) EXPECT_STREQ(GP_ExceptionName(code), name) << std::hex << code;
}

class ExceptionRecordLog : public ::testing::Test {
protected:
    std::string Logged(const EXCEPTION_RECORD& record)
    {
        CONTEXT context{};
        context.Eip = 0x401000;
        context.Ebp = 0xABC;
        EXCEPTION_POINTERS pointers{const_cast<EXCEPTION_RECORD*>(&record), &context};
        {
            CGP_Log log((folder / "Exception.log").c_str());
            log.Open();
            GP_LogExceptionRecord(&pointers);
        }
        const std::string text = testsupport::ReadFile(folder / "Exception.log");
        const std::size_t from = text.find("Address");
        return from == std::string::npos ? text : text.substr(from, text.find("-----", from) - from);
    }
    testsupport::TempDir folder;
};

TEST_F(ExceptionRecordLog, ParameterOneIsHexadecimalAndTheOthersDecimal)
{
    EXCEPTION_RECORD record{};
    record.ExceptionAddress = reinterpret_cast<PVOID>(0x401000);
    record.NumberParameters = 3;
    record.ExceptionInformation[0] = 1;
    record.ExceptionInformation[1] = 0xDEAD;
    record.ExceptionInformation[2] = 20;
    const std::string text = Logged(record);
    EXPECT_EQ(text.substr(0, text.find("Registers:")),
              "Address = 401000\nParameter 0 = 1\nParameter 1 = DEAD\nParameter 2 = 20\n");
    EXPECT_NE(text.find("Registers:\nCS = 0\nIP = 401000\nGS = 0\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("ESP = 0\nEBP = ABC\n")) << text;
    EXPECT_EQ(Count(text, " = "), 1 + 3 + 15);
}

TEST_F(ExceptionRecordLog, ARecordWithoutParametersGoesStraightToTheRegisters)
{
    EXCEPTION_RECORD record{};
    record.ExceptionAddress = reinterpret_cast<PVOID>(0x10);
    EXPECT_TRUE(Logged(record).starts_with("Address = 10\nRegisters:\nCS = 0\n"));
}

volatile int* volatile unmappedPage = reinterpret_cast<volatile int*>(16);

// What a run of the program in a child process did.
struct RunResult {
    int exitStatus = 0;  // the child's: 0 when WinMain returned
    int returned = 0;
    int reportsStarted = 0;
    // What the display owned that was still there after WinMain, to be freed by the exit handlers after the
    // display's own state is gone: the display itself and the campaign list with its pictures.
    int leftToTheExit = 0;
    std::string log;
    std::string shown;     // what message boxes and dialogs showed
    std::string registry;  // the settings store after the run
};

using FrameAction = void (*)(long frame);
FrameAction actionAtFrame3 = nullptr;
void OnIdle(long frame)
{
    if (frame == 3 && actionAtFrame3) actionAtFrame3(frame);
}

// Runs WinMain in a child process, in a folder of its own, after the set-up step, with the action at its third
// idle turn and the given answers to its dialogs.
RunResult RunProgram(FrameAction action, const char* answer, void (*setUp)() = nullptr)
{
    testsupport::TempDir folder;
    int channel[2];
    if (::pipe(channel) != 0) std::abort();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::chdir(folder.path().c_str()) != 0) ::_exit(3);
        if (::symlink((testsupport::DistDir() + "/RESOURCE").c_str(), "RESOURCE") != 0) ::_exit(4);
        ::setenv("VEL_INSTANCE_DIR", folder.path().c_str(), 1);
        ::setenv("VEL_REGISTRY_FILE", (folder / "registry.reg").c_str(), 1);
        const int shown = ::open((folder / "shown.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(shown, 2);
        // A fresh start, whatever the tests before left in this process: messages still queued (a quit would end
        // the run at once), the idle-turn count, answers not taken, and a headless clock.
        for (MSG msg{}; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {}
        platform::ResetHeadlessFrame();
        platform::ClearScriptedAnswers();
        platform::UseFakeClock(0);
        platform::HeadlessSettings settings = platform::GetHeadlessSettings();
        settings.frames = 8;
        platform::SetHeadlessSettings(settings);
        platform::PushScriptedAnswer("click 2");  // a first start offers the account dialog: not now
        if (answer) platform::PushScriptedAnswer(answer);
        actionAtFrame3 = action;
        platform::AddHeadlessIdleCallback(OnIdle);
        if (setUp) setUp();
        int result[3] = {WinMain(nullptr, nullptr, nullptr, 0), 0, 0};
        for (const platform::ShellRequest& request : platform::RecordedShellRequests())
            if (request.kind == "run" && request.text.find("Faultmail") != std::string::npos) ++result[1];
        result[2] = static_cast<int>(Campaigns.size()) + (GP_DisplayPtr ? 1 : 0);
        if (::write(channel[1], result, sizeof result) != sizeof result) ::_exit(2);
        ::_exit(0);
    }
    ::close(channel[1]);
    int result[3] = {99, 99, 99};
    const ssize_t got = ::read(channel[0], result, sizeof result);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the run ended by a signal";
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitStatus == 0) {
        EXPECT_EQ(got, static_cast<ssize_t>(sizeof result));
    }
    return RunResult{exitStatus,
                     result[0],
                     result[1],
                     result[2],
                     testsupport::ReadFile(folder / "Exception.log"),
                     testsupport::ReadFile(folder / "shown.txt"),
                     testsupport::ReadFile(folder / "registry.reg")};
}

TEST(ProgramRun, ARunThatEndsNormallyReturns0WithOneLogSession)
{
    const RunResult run = RunProgram(nullptr, nullptr);
    EXPECT_EQ(run.returned, 0);
    EXPECT_EQ(Count(run.log, "BEGIN SESSION"), 1);
    EXPECT_EQ(Count(run.log, "END SESSION"), 1);
    EXPECT_EQ(run.shown.find("MessageBox"), std::string::npos);
    EXPECT_NE(run.registry.find("\"KeyLeft\""), std::string::npos) << "the settings are written at the end";
    EXPECT_EQ(run.leftToTheExit, 0);
}

// The account dialog a first start offers shows its picture: the runnable tree's picture beside the pack.
TEST(ProgramRun, TheAccountDialogAtTheFirstStartShowsItsPicture)
{
    const RunResult run = RunProgram(nullptr, nullptr);
    const std::string item = "Dialog   -1 picture \"";
    const std::size_t at = run.shown.find(item);
    ASSERT_NE(at, std::string::npos) << run.shown;
    const std::size_t start = at + item.size();
    const std::string file = run.shown.substr(start, run.shown.find('"', start) - start);
    EXPECT_TRUE(file.ends_with("/RESOURCE/Account.bmp")) << file;
    const std::string picture = testsupport::ReadFile(testsupport::DistDir() + "/RESOURCE/Account.bmp");
    EXPECT_TRUE(picture.starts_with("BM")) << "no picture in the runnable tree";
}

TEST(ProgramRun, EngineExceptionsAreShownAsTheirFlagsAsk)
{
    struct Case {
        const char* name;
        FrameAction action;
        const char* shownText;  // null: nothing shown
        bool dialog;
    };
    const Case cases[] = {
        {"player text, no report",
         [](long) { throw CGP_FatalExeption("GP_Test", 7, "broken", "Something went wrong.", 0); },
         "MessageBox \"Velmorine Exception\": Something went wrong.", false},
        {"player text and report",
         [](long) { throw CGP_FatalExeption("GP_Test", 7, "broken", "Unable to initialize DirectX drivers.", 1); },
         "Unable to initialize DirectX drivers.", true},
        {"report only", [](long) { throw CGP_FatalExeption("GP_Test", 7, "broken", nullptr, 1); },
         "Internal runtime error", true},
        {"neither", [](long) { throw CGP_FatalExeption("GP_Test", 7, "broken"); }, nullptr, false},
    };
    for (const Case& c : cases) {
        const RunResult run = RunProgram(c.action, "click 1");
        EXPECT_EQ(run.returned, -1) << c.name;
        EXPECT_NE(run.log.find("Line 7 in module GP_Test throw exception:\nbroken\nGlobalShadowEnabled = true\n"),
                  std::string::npos)
            << c.name << run.log;
        EXPECT_EQ(Count(run.log, "END SESSION"), 1) << c.name;
        EXPECT_EQ(run.registry.find("\"KeyLeft\""), std::string::npos) << c.name << ": no settings after a failure";
        EXPECT_EQ(run.shown.find("Dialog \"Application error\"") != std::string::npos, c.dialog) << c.name;
        EXPECT_EQ(run.reportsStarted, c.dialog ? 1 : 0) << c.name;
        EXPECT_EQ(run.leftToTheExit, 0) << c.name;
        if (c.shownText)
            EXPECT_NE(run.shown.find(c.shownText), std::string::npos) << c.name << run.shown;
        else
            EXPECT_EQ(run.shown.find("MessageBox"), std::string::npos) << c.name;
    }
}

TEST(ProgramRun, AMachineFaultIsLoggedOfferedAndEndsTheRunAsAFailure)
{
    // Address 16: a page never mapped, which the sanitizers leave to the machine, unlike null.
    const RunResult run = RunProgram([](long) { *unmappedPage = 1; }, "click 2");
    EXPECT_EQ(run.returned, -1);
    EXPECT_NE(run.log.find("Exception: Access violation\nAddress = "), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Parameter 0 = 1\nParameter 1 = 10\nRegisters:\n"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("EBP = "), std::string::npos);
    EXPECT_NE(run.log.find("GlobalMusicEnabled = true\n"), std::string::npos);
    EXPECT_EQ(Count(run.log, "END SESSION"), 1);
    EXPECT_NE(run.shown.find("Access violation"), std::string::npos);
    EXPECT_EQ(run.reportsStarted, 0);  // the player said no
    EXPECT_EQ(run.leftToTheExit, 0);
    EXPECT_EQ(run.registry.find("\"KeyLeft\""), std::string::npos) << "no settings after a fault";
}

// A fault on another thread (the mixer, the synthesiser) ends the game as one on the main thread does, while the
// main thread waits for that thread; the process itself ends with -1, since the thread that faulted cannot go on.
TEST(ProgramRun, AMachineFaultOnAnotherThreadEndsTheGameTheSameWay)
{
    const RunResult run = RunProgram([](long) { std::thread([] { *unmappedPage = 1; }).join(); }, "click 2");
    EXPECT_EQ(run.exitStatus, 255);
    EXPECT_NE(run.log.find("Exception: Access violation\nAddress = "), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Parameter 0 = 1\nParameter 1 = 10\nRegisters:\n"), std::string::npos) << run.log;
    EXPECT_EQ(Count(run.log, "END SESSION"), 1);
    EXPECT_NE(run.shown.find("Dialog \"Application error\""), std::string::npos) << run.shown;
    EXPECT_NE(run.shown.find("Access violation"), std::string::npos);
}

bool Shown(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Writes what a run saw into its session log, for the test to read back.
void NoteInLog(const char* what, bool seen)
{
    GP_LogWrite(what);
    GP_LogWrite(seen ? " yes\n" : " no\n");
}

// F11 hides the game behind its tray icon; the icon's restore command brings it back, its quit command ends the
// game at once (no later frame runs) and leaves no icon behind.
TEST(ProgramRun, TheTrayRestoresTheGameOrQuitsIt)
{
    const RunResult run = RunProgram(
        [](long) {
            HWND game = FindWindowA("Velmorine", nullptr);
            SendMessageA(game, WM_KEYDOWN, VK_F11, 0);
            HWND tray = FindWindowA(GP_TrayClassName, nullptr);
            NoteInLog("hidden", tray && !Shown(game) && platform::TrayIcons().size() == 1);
            SendMessageA(tray, WM_COMMAND, GP_TrayRestoreCommand, 0);
            NoteInLog("restored",
                      Shown(game) && !FindWindowA(GP_TrayClassName, nullptr) && platform::TrayIcons().empty());
            SendMessageA(game, WM_KEYDOWN, VK_F11, 0);
            SendMessageA(FindWindowA(GP_TrayClassName, nullptr), WM_COMMAND, GP_TrayQuitCommand, 0);
            NoteInLog("quit without icon", platform::TrayIcons().empty());
        },
        nullptr, [] { platform::AddHeadlessIdleCallback([](long frame) { NoteInLog("a later frame", frame == 5); }); });
    EXPECT_EQ(run.returned, 0);
    EXPECT_NE(run.log.find("hidden yes\nrestored yes\nquit without icon yes\n"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("a later frame yes"), std::string::npos) << "the game went on after quit";
    EXPECT_EQ(Count(run.log, "END SESSION"), 1);
}

// Without a sound device the game runs silent, and stores sound and music off for the runs after it.
TEST(ProgramRun, WithoutASoundDeviceSoundAndMusicAreStoredOff)
{
    const RunResult run = RunProgram(nullptr, nullptr, [] { platform::SetAudioDeviceFailure(true); });
    EXPECT_EQ(run.returned, 0);
    EXPECT_NE(run.registry.find("\"Sound Enable\"=hex:00"), std::string::npos) << run.registry;
    EXPECT_NE(run.registry.find("\"Music Enable\"=hex:00"), std::string::npos) << run.registry;
}

// Without its window the game ends at once for that reason, rather than later with a display error.
TEST(ProgramRun, AMainWindowThatCannotBeMadeEndsTheRunWithItsOwnReason)
{
    const RunResult run = RunProgram(nullptr, "click 2", [] {
        WNDCLASSA taken{};  // the game's window class is taken, so its window cannot be made
        taken.lpfnWndProc = DefWindowProcA;
        taken.lpszClassName = "Velmorine";
        RegisterClassA(&taken);
    });
    EXPECT_EQ(run.returned, -1);
    EXPECT_NE(run.log.find("throw exception:\nThe main window cannot be created\n"), std::string::npos) << run.log;
    EXPECT_EQ(run.log.find("DDraw"), std::string::npos) << run.log;
    EXPECT_NE(run.shown.find("Unable to initialize DirectX drivers."), std::string::npos) << run.shown;
    EXPECT_EQ(run.leftToTheExit, 0);
}

// The library beside the program is told by the registry to fail its start: the game logs the library's reason and
// ends before its window opens.
TEST(ProgramRun, AMenuLibraryThatCannotStartEndsTheRunWithItsReasonLogged)
{
    const RunResult run = RunProgram(nullptr, nullptr, [] {
        const DWORD forcedFailure = 2;
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "SOFTWARE\\TollarineArcade", &key), ERROR_SUCCESS);
        RegSetValueExA(key, "DebugMode", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&forcedFailure), 4);
        RegCloseKey(key);
    });
    EXPECT_EQ(run.returned, -1);
    EXPECT_NE(
        run.log.find("This was a forced TA_ERROR_CODE_PROBLEM_INITIALIZING_DLL runtime error for test purposes.\n"),
        std::string::npos)
        << run.log;
    EXPECT_EQ(run.log.find("Velmorine Exception"), std::string::npos);
}

TEST(ProgramRun, AnObjectThrownPastTheRunIsAnUnhandledException)
{
    const RunResult run = RunProgram([](long) { throw 42; }, "click 1");
    EXPECT_EQ(run.returned, -1);
    EXPECT_NE(run.log.find("Exception: Unhandled Exeption\n"), std::string::npos) << run.log;
    EXPECT_EQ(run.reportsStarted, 1);
    EXPECT_EQ(run.leftToTheExit, 0);
}

TEST(ProgramRun, ASecondStartLeavesAtOnce)
{
    testsupport::TempDir folder;
    ::setenv("VEL_INSTANCE_DIR", folder.path().c_str(), 1);
    platform::InstanceLock running("VelmorineAllVersion");
    ASSERT_FALSE(running.AlreadyRunning());
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "Exception.log"));
    std::filesystem::current_path(before);
    ::unsetenv("VEL_INSTANCE_DIR");
}

}  // namespace
