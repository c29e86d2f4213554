#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "TempDir.h"
#include "platform/single_instance.h"
#include "platform/win32_window.h"

namespace {

constexpr int kCommandSeen = 42;

LRESULT TrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == 101) ::_exit(kCommandSeen);
    return DefWindowProcA(window, message, wParam, lParam);
}

// A first copy in a child process: it takes the lock, makes its windows, says so on the pipe and then looks at
// its queue (answering later copies) until it is killed, or sleeps without looking when it should not answer.
class FirstCopy {
public:
    FirstCopy(const char* windowClass, bool answers)
    {
        int ready[2];
        if (::pipe(ready) != 0) std::abort();
        child_ = ::fork();
        if (child_ == 0) Run(ready[1], windowClass, answers);
        ::close(ready[1]);
        char c = 0;
        if (::read(ready[0], &c, 1) != 1) std::abort();
        ::close(ready[0]);
    }
    ~FirstCopy()
    {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
    }
    // The child's exit status, waiting at most about two seconds; -1 when it is still running.
    int ExitStatus()
    {
        for (int i = 0; i < 200; ++i) {
            int status = 0;
            if (::waitpid(child_, &status, WNOHANG) == child_) {
                child_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
            }
            ::usleep(10000);
        }
        return -1;
    }

private:
    [[noreturn]] static void Run(int ready, const char* windowClass, bool answers)
    {
        platform::InstanceLock lock("VelmorineAllVersion");
        if (lock.AlreadyRunning()) ::_exit(1);
        WNDCLASSA windowClassRecord{};
        windowClassRecord.lpfnWndProc = TrayProc;
        windowClassRecord.lpszClassName = windowClass;
        RegisterClassA(&windowClassRecord);
        CreateWindowA(windowClass, windowClass, WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        if (::write(ready, "r", 1) != 1) ::_exit(2);
        for (;;) {
            if (answers) platform::ServeInstanceRequests();
            ::usleep(2000);
        }
    }

    pid_t child_ = -1;
};

class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("VEL_INSTANCE_DIR", folder.path().c_str(), 1); }
    void TearDown() override { ::unsetenv("VEL_INSTANCE_DIR"); }
    testsupport::TempDir folder;
};

TEST_F(SingleInstance, TheFirstCopyTakesTheLockAndALaterOneFindsItTaken)
{
    platform::InstanceLock first("VelmorineAllVersion");
    EXPECT_FALSE(first.AlreadyRunning());
    first.Release();
    platform::InstanceLock again("VelmorineAllVersion");
    EXPECT_FALSE(again.AlreadyRunning());  // released: the next start is the first again
    again.Release();

    FirstCopy running("Velmorine Tray Icon", true);
    platform::InstanceLock later("VelmorineAllVersion");
    EXPECT_TRUE(later.AlreadyRunning());
}

TEST_F(SingleInstance, ACommandSentToTheFirstCopysTrayWindowReachesItsProcedure)
{
    FirstCopy running("Velmorine Tray Icon", true);
    platform::InstanceLock later("VelmorineAllVersion");
    ASSERT_TRUE(later.AlreadyRunning());
    EXPECT_EQ(FindWindowA("Velmorine", nullptr), nullptr);
    HWND tray = FindWindowA("Velmorine Tray Icon", nullptr);
    ASSERT_NE(tray, nullptr);
    SendMessageA(tray, WM_COMMAND, 101, 0);
    EXPECT_EQ(running.ExitStatus(), kCommandSeen);
}

TEST_F(SingleInstance, TheFirstCopysMainWindowIsShownFromALaterCopy)
{
    FirstCopy running("Velmorine", true);
    platform::InstanceLock later("VelmorineAllVersion");
    EXPECT_EQ(FindWindowA("Velmorine Tray Icon", nullptr), nullptr);
    HWND main = FindWindowA("Velmorine", nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(ShowWindow(main, SW_SHOWMAXIMIZED));  // it was hidden,
    EXPECT_TRUE(ShowWindow(main, SW_SHOWMAXIMIZED));   // and now it is shown
    EXPECT_EQ(SendMessageA(main, WM_CLOSE, 0, 0), 0);  // nothing but commands crosses
    EXPECT_EQ(running.ExitStatus(), -1);
}

TEST_F(SingleInstance, AFirstCopyThatDoesNotAnswerYetHasNoWindows)
{
    FirstCopy starting("Velmorine Tray Icon", false);
    platform::InstanceLock later("VelmorineAllVersion");
    ASSERT_TRUE(later.AlreadyRunning());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FindWindowA("Velmorine Tray Icon", nullptr), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(SingleInstance, WithoutAFirstCopyOnlyTheProcesssOwnWindowsAreFound)
{
    EXPECT_EQ(FindWindowA("Velmorine Tray Icon", nullptr), nullptr);
}

}  // namespace
