#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/win32_time.h"
#include "platform/win32_window.h"
#include "window/headless_input.h"
#include "window/message_queue.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
};
std::vector<Seen> seen;
bool postQuitOnDestroy = true;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back({message, wParam});
    if (message == WM_DESTROY && postQuitOnDestroy) PostQuitMessage(3);
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        seen.clear();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "Velmorine";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        window = CreateWindowA("Velmorine", "Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
    }
    // The next test registers the class again and starts from an empty queue.
    void TearDown() override
    {
        postQuitOnDestroy = false;
        if (IsWindow(window)) DestroyWindow(window);
        Drain();
        UnregisterClassA("Velmorine", nullptr);
        postQuitOnDestroy = true;
    }

    std::vector<UINT> Messages() const
    {
        std::vector<UINT> out;
        for (const Seen& s : seen) out.push_back(s.message);
        return out;
    }

    // Takes every waiting message (the headless queue turns over one idle turn when it finds none).
    std::vector<MSG> Drain()
    {
        std::vector<MSG> taken;
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
        return taken;
    }

    HWND window = nullptr;
};

}  // namespace

TEST_F(WindowQueue, CloseDestroysTheWindowAndTheLoopEndsOnQuit)
{
    ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
    MSG msg{};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_CLOSE);
    DispatchMessageA(&msg);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PostMessageA(window, WM_CLOSE, 0, 0));
}

TEST_F(WindowQueue, AltF4ClosesAndOtherKeysDoNot)
{
    const LPARAM altF4 = platform::MakeKeyLParam({1, 0x3E, false, true, false, false});
    const LPARAM plainF4 = platform::MakeKeyLParam({1, 0x3E, false, false, false, false});
    SendMessageA(window, WM_KEYDOWN, VK_F4, plainF4);
    SendMessageA(window, WM_SYSKEYDOWN, VK_F10, plainF4);
    EXPECT_TRUE(IsWindow(window));
    SendMessageA(window, WM_SYSKEYDOWN, VK_F4, altF4);
    EXPECT_EQ(Messages(),
              (std::vector<UINT>{WM_KEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowQueue, QuitComesAfterTheMessagesBeforeIt)
{
    postQuitOnDestroy = false;
    PostQuitMessage(0);
    PostMessageA(window, WM_USER + 1, 5, 6);
    PostMessageA(window, WM_COMMAND, 101, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_COMMAND);
    const std::vector<MSG> taken = Drain();
    ASSERT_EQ(taken.size(), 3u);
    EXPECT_EQ(taken[0].message, WM_USER + 1u);
    EXPECT_EQ(taken[1].message, WM_COMMAND);
    EXPECT_EQ(taken[2].message, WM_QUIT);
    postQuitOnDestroy = true;
}

TEST_F(WindowQueue, ScriptedInputArrivesAtItsFrameWithKeyStateAndCharacters)
{
    platform::ResetHeadlessFrame();
    const platform::ParsedScript script = platform::ParseHeadlessScript(
        "0 key down VK_SHIFT\n"
        "0 key down VK_RETURN\n"
        "2 mouse down left 10 20\n"
        "2 key up VK_SHIFT\n");
    ASSERT_TRUE(script.errors.empty());
    platform::SetHeadlessScript(script.events);

    MSG msg{};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SHIFT));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_RETURN));
    TranslateMessage(&msg);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_CHAR);
    EXPECT_EQ(msg.wParam, 13u);
    EXPECT_EQ(platform::HeadlessFrame(), 0);

    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));  // two idle turns pass first
    EXPECT_EQ(platform::HeadlessFrame(), 2);
    EXPECT_EQ(msg.message, WM_SETCURSOR) << "the window under the mouse is asked for its cursor first";
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(window));
    EXPECT_EQ(msg.lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(msg.pt.x, 10);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(msg.lParam, MAKELPARAM(10, 20));
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 10);
    EXPECT_EQ(cursor.y, 20);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_KEYUP);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

std::vector<long> idleFrames;
void RecordIdleFrame(long frame) { idleFrames.push_back(frame); }

TEST_F(WindowQueue, FrameLimitClosesTheTopWindowAfterItsIdleTurns)
{
    // The frame limit and the idle callback last for this test only.
    struct Restore {
        platform::HeadlessSettings saved = platform::GetHeadlessSettings();
        ~Restore()
        {
            platform::RemoveHeadlessIdleCallback(RecordIdleFrame);
            platform::SetHeadlessSettings(saved);
        }
    } restore;
    platform::HeadlessSettings settings = restore.saved;
    settings.frames = 3;
    settings.msPerFrame = 25;
    platform::SetHeadlessSettings(settings);
    platform::ResetHeadlessFrame();
    std::vector<long>& frames = idleFrames;
    frames.clear();
    platform::AddHeadlessIdleCallback(RecordIdleFrame);
    const DWORD start = timeGetTime();

    MSG msg{};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_CLOSE);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(frames, (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(timeGetTime() - start, 75u);

    DispatchMessageA(&msg);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(frames.size(), 3u) << "the frame limit closes once";
}

TEST_F(WindowQueue, WaitingWithNothingToComeIsAnIdleTurn)
{
    platform::ResetHeadlessFrame();
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(platform::HeadlessFrame(), 1);
    PostMessageA(window, WM_COMMAND, 1, 0);
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(platform::HeadlessFrame(), 1);
}

TEST_F(WindowQueue, ClassesWindowsAndTheCursor)
{
    WNDCLASSA again{};
    again.lpfnWndProc = RecordingProc;
    again.lpszClassName = "VELMORINE";
    EXPECT_EQ(RegisterClassA(&again), 0) << "class names ignore case";
    EXPECT_FALSE(UnregisterClassA("Velmorine", nullptr)) << "a window of the class is open";
    EXPECT_EQ(FindWindowA("velmorine", nullptr), window);
    EXPECT_EQ(FindWindowA(nullptr, "Velmorine"), window);
    EXPECT_EQ(FindWindowA("Velmorine Tray Icon", nullptr), nullptr);

    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    SetWindowLongPtrA(window, GWLP_USERDATA, 1234);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE), static_cast<LONG_PTR>(WS_POPUP | WS_SYSMENU | WS_VISIBLE));

    ASSERT_TRUE(MoveWindow(window, 100, 50, 640, 480, TRUE));
    ASSERT_TRUE(SetCursorPos(420, 290));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(msg.lParam, MAKELPARAM(320, 240));
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window, &point);
    EXPECT_EQ(point.x, 320);
    EXPECT_EQ(point.y, 240);

    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);

    postQuitOnDestroy = false;
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(UnregisterClassA("Velmorine", nullptr));
    EXPECT_EQ(CreateWindowA("Velmorine", "x", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    postQuitOnDestroy = true;
}

TEST_F(WindowQueue, ShiftStaysDownWhileEitherShiftKeyIs)
{
    const auto take = [&](UINT message, BYTE scanCode) {
        PostMessageA(window, message, VK_SHIFT, platform::MakeKeyLParam({1, scanCode, false, false, false, false}));
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
    };
    take(WM_KEYDOWN, 0x2A);
    take(WM_KEYDOWN, 0x36);
    take(WM_KEYUP, 0x2A);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_RSHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_LSHIFT), 0);
    take(WM_KEYUP, 0x36);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

    PostMessageA(window, WM_KEYDOWN, VK_CAPITAL, 0x003A0001);
    PostMessageA(window, WM_KEYUP, VK_CAPITAL, static_cast<LPARAM>(0xC03A0001u));
    Drain();
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1) << "toggled, not down";
}

// The second press of a double click: a press again for a class without CS_DBLCLKS, a double click with it.
TEST_F(WindowQueue, DoubleClicksReachOnlyWindowsWhoseClassAsksForThem)
{
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.clicks = 2;
    const auto delivered = [&] {
        platform::DeliverSdlEvent(press, KMOD_NONE);
        const std::vector<MSG> taken = Drain();
        return taken.empty() ? WM_NULL : taken.back().message;  // after the WM_SETCURSOR
    };
    EXPECT_EQ(delivered(), WM_LBUTTONDOWN);

    postQuitOnDestroy = false;
    DestroyWindow(window);
    Drain();
    WNDCLASSA doubler{};
    doubler.style = CS_DBLCLKS;
    doubler.lpfnWndProc = RecordingProc;
    doubler.lpszClassName = "Doubler";
    ASSERT_NE(RegisterClassA(&doubler), 0);
    window = CreateWindowA("Doubler", "Doubler", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(delivered(), WM_LBUTTONDBLCLK);
    DestroyWindow(window);
    UnregisterClassA("Doubler", nullptr);
    postQuitOnDestroy = true;
}
