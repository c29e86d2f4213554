#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "GP_ThreadTimer.h"
#include "GP_Timer.h"
#include "GP_Window.h"
#include "platform/win32_time.h"

namespace {

class FrameRecorder : public CGP_Window {
public:
    FrameRecorder() : CGP_Window(nullptr) {}
    void Frame(bool active, float elapsedMs) { frames.emplace_back(active, elapsedMs); }
    std::vector<std::pair<bool, float>> frames;
};

class GameTimer : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::UseFakeClock(1000);
        timer.callback = static_cast<GP_TimerCallback>(&FrameRecorder::Frame);
    }
    FrameRecorder recorder;
    CGP_GameTimer timer{&recorder, 0};
};

}  // namespace

TEST_F(GameTimer, PassesTheElapsedTimeButNeverMoreThan20Ms)
{
    timer.Start();
    platform::AdvanceFakeClock(500);
    timer.Tick(true);
    platform::AdvanceFakeClock(5);
    timer.Tick(false);
    EXPECT_EQ(recorder.frames, (std::vector<std::pair<bool, float>>{{true, 20.0f}, {false, 5.0f}}));
}

TEST_F(GameTimer, CountsFromTheResumeNotFromThePause)
{
    timer.Start();
    platform::AdvanceFakeClock(3);
    timer.Pause();
    platform::AdvanceFakeClock(1000);
    timer.Tick(true);
    EXPECT_TRUE(recorder.frames.empty()) << "a paused timer never calls back";
    timer.Resume();
    platform::AdvanceFakeClock(7);
    timer.Tick(true);
    ASSERT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(recorder.frames[0].second, 7.0f);
}

TEST_F(GameTimer, AStoppedTimerNeverCallsBack)
{
    platform::AdvanceFakeClock(10);
    timer.Tick(true);
    timer.Start();
    timer.Stop();
    platform::AdvanceFakeClock(10);
    timer.Tick(true);
    EXPECT_TRUE(recorder.frames.empty());
}

TEST_F(GameTimer, MeasuresAcrossTheClockWrap)
{
    platform::UseFakeClock(0xFFFFFFFCu);
    timer.Start();
    platform::AdvanceFakeClock(9);
    timer.Tick(true);
    ASSERT_EQ(recorder.frames.size(), 1u);
    EXPECT_EQ(recorder.frames[0].second, 9.0f);
}

TEST(ThreadTimer, CallsBackOnItsOwnThreadOncePeriodHasPassed)
{
    struct Counter : CGP_Window {
        Counter() : CGP_Window(nullptr) {}
        void Frame(bool active, float elapsedMs)
        {
            lastMs = elapsedMs;
            wasActive = active;
            ++calls;
        }
        std::atomic<int> calls{0};
        std::atomic<float> lastMs{0};
        std::atomic<bool> wasActive{false};
    } counter;
    platform::UseFakeClock(0);
    {
        CGP_ThreadTimer timer(&counter, 5);
        timer.callback = static_cast<GP_TimerCallback>(&Counter::Frame);
        timer.Start();
        platform::AdvanceFakeClock(6);
        for (int i = 0; i < 5000 && counter.calls == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(counter.calls, 1);
        EXPECT_EQ(counter.lastMs, 6.0f);
        EXPECT_TRUE(counter.wasActive);
    }  // the destructor ends the thread
}
