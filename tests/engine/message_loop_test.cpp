#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GP_AppBase.h"
#include "GP_Window.h"
#include "QuietWindowSystem.h"
#include "platform/headless.h"

namespace {

// Counts its steps and asks to quit after a given number of idle steps.
class CountingApp : public CGP_AppBase {
public:
    explicit CountingApp(int idleLimit) : idleLimit(idleLimit) {}
    void Init() override { ++inits; }
    void Idle(std::uint8_t*) override
    {
        if (++idles == idleLimit) PostQuitMessage(0);
    }
    int Exit() override
    {
        ++exits;
        return 42;
    }
    int idleLimit;
    int inits = 0, idles = 0, exits = 0;
};

class KeyWindow : public CGP_Window {
public:
    using CGP_Window::CGP_Window;
    void OnKeyDown(CGP_Window*, std::uint32_t key, std::uint32_t, std::uint8_t) override
    {
        seen += "down " + std::to_string(key) + ";";
    }
    void OnChar(CGP_Window*, WPARAM code) override { seen += "char " + std::to_string(code) + ";"; }
    std::string seen;
};

// Each loop starts from an empty queue (a quit left by an earlier test's window would end it at once) and an
// idle-turn counter at 0.
class MessageLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        TakeEveryWaitingMessage();
        platform::ResetHeadlessFrame();
    }
    void TearDown() override { TakeEveryWaitingMessage(); }
};

}  // namespace

// In a headless run each look at an empty queue and each wait with nothing to come is one idle turn of the
// frame counter, so the counter shows where the loop waited.
TEST_F(MessageLoop, AnActiveApplicationIdlesContinuously)
{
    CountingApp app(5);
    EXPECT_EQ(app.Run(), 42);
    EXPECT_EQ(app.inits, 1);
    EXPECT_EQ(app.idles, 5);
    EXPECT_EQ(app.exits, 1);
    EXPECT_EQ(app.quitting, 1);
    EXPECT_EQ(platform::HeadlessFrame(), 5);
}

TEST_F(MessageLoop, AnInactiveApplicationWaitsAfterEachIdleStep)
{
    CountingApp app(5);
    app.active = 0;
    EXPECT_EQ(app.Run(), 42);
    EXPECT_EQ(app.idles, 5);
    // Five empty looks and four waits: after the last idle step the quit is already waiting.
    EXPECT_EQ(platform::HeadlessFrame(), 9);
}

TEST_F(MessageLoop, MessagesAreTranslatedAndDispatched)
{
    CountingApp app(1);
    KeyWindow window(&app);
    ASSERT_TRUE(window.Create("LoopTest", WS_POPUP, 0, 0, 640, 480));
    PostMessageA(window.handle, WM_KEYDOWN, VK_RETURN, platform::MakeKeyLParam({1, 0x1C, false, false, false, false}));
    EXPECT_EQ(app.Run(), 42);
    EXPECT_EQ(window.seen, "down 13;char 13;");
    window.Destroy();
}
