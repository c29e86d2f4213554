#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GP_Modifiers.h"
#include "GP_Window.h"
#include "GP_WindowProc.h"
#include "QuietWindowSystem.h"

namespace {

// Writes down every slot call with its arguments.
class SlotRecorder : public CGP_Window {
public:
    using CGP_Window::CGP_Window;
    void OnKeyDown(CGP_Window* s, std::uint32_t key, std::uint32_t mods, std::uint8_t ext) override
    {
        Note(s, "KeyDown", key, mods, ext);
    }
    void OnKeyUp(CGP_Window* s, std::uint32_t key, std::uint32_t mods) override { Note(s, "KeyUp", key, mods); }
    void OnChar(CGP_Window* s, WPARAM code) override { Note(s, "Char", code); }
    void OnMouseMove(CGP_Window* s, std::uint32_t buttons, int x, int y) override
    {
        Note(s, "MouseMove", buttons, x, y);
    }
    void OnMouseDown(CGP_Window* s, WPARAM w, int x, int y) override { Note(s, "MouseDown", w, x, y); }
    void OnMouseUp(CGP_Window* s, WPARAM w, int x, int y) override { Note(s, "MouseUp", w, x, y); }
    void OnUserMessage(CGP_Window* s, HWND window, WPARAM w, LPARAM l) override
    {
        Note(s, window == handle ? "User" : "User(other window)", w, l);
    }
    void OnActivate(CGP_Window* s) override { Note(s, "Activate"); }
    void OnDeactivate(CGP_Window* s) override { Note(s, "Deactivate"); }
    void OnMoving(CGP_Window* s) override { Note(s, "Moving"); }
    void OnMove(CGP_Window* s) override { Note(s, "Move"); }
    void OnCommand(CGP_Window* s, WPARAM w, LPARAM l) override { Note(s, "Command", w, l); }

    template <typename... Args>
    void Note(CGP_Window* sender, const char* slot, Args... args)
    {
        std::string call = sender == this ? slot : "wrong sender";
        ((call += " " + std::to_string(args)), ...);
        calls.push_back(call);
    }
    std::vector<std::string> calls;
};

class WindowDispatch : public ::testing::Test {
protected:
    // The modifiers the slots are given come from the key state, which an earlier test may have left held.
    void SetUp() override
    {
        TakeEveryWaitingMessage();
        ReleaseModifierKeys();
        ASSERT_TRUE(window.Create("Velmorine", WS_POPUP | WS_SYSMENU, 0, 0, 640, 480));
    }
    // The next test registers the class again.
    void TearDown() override
    {
        GP_SetLibraryMessageHook(nullptr);
        window.Destroy();
        TakeEveryWaitingMessage();
    }

    // Takes a key message through the queue, so that the key state follows it.
    static void Press(HWND target, int vk, BYTE scanCode)
    {
        PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(vk),
                     platform::MakeKeyLParam({1, scanCode, false, false, false, false}));
        MSG msg{};
        PeekMessageA(&msg, target, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
    }

    SlotRecorder window{nullptr};
};

constexpr LPARAM ExtendedLeft = 0x014B0001;
constexpr LPARAM AltA = 0x201E0001;

}  // namespace

TEST_F(WindowDispatch, EachMessageReachesItsSlotWithItsArguments)
{
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const char* call;  // nullptr: no slot is called
    } cases[] = {
        {WM_KEYDOWN, VK_LEFT, ExtendedLeft, 1, "KeyDown 37 0 1"},
        {WM_KEYDOWN, 'A', AltA, 1, "KeyDown 65 2 0"},
        {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001u), 1, "KeyUp 65 0"},
        {WM_CHAR, 0xE6, 1, 1, "Char 230"},
        {WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(100, 50), 1, "MouseMove 9 100 50"},
        {WM_MOUSEMOVE, MK_RBUTTON | MK_MBUTTON | MK_CONTROL, MAKELPARAM(639, 479), 1, "MouseMove 52 639 479"},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), 1, "MouseDown 1 10 20"},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20), 1, "MouseDown 2 10 20"},
        {WM_LBUTTONUP, 0, MAKELPARAM(11, 21), 1, "MouseUp 0 11 21"},
        {WM_RBUTTONUP, 0, MAKELPARAM(11, 21), 1, "MouseUp 0 11 21"},
        {WM_MBUTTONDOWN, MK_MBUTTON, 0, 0, nullptr},
        {WM_SYSKEYDOWN, 'A', AltA, 0, nullptr},
        {WM_USER + 1, 5, 6, 0, "User 5 6"},
        {WM_ACTIVATE, WA_ACTIVE, 0, 1, "Activate"},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, 1, "Deactivate"},
        {WM_ACTIVATEAPP, TRUE, 0, 1, "Activate"},
        {WM_ACTIVATEAPP, FALSE, 0, 1, "Deactivate"},
        {WM_MOVE, 0, 0, 1, "Move"},
        {WM_MOVING, 0, 0, 1, "Moving"},
        {WM_COMMAND, 101, 0, 1, "Command 101 0"},
        {WM_SYSCOMMAND, SC_SCREENSAVE, 0, 0, nullptr},
        // Asked for its cursor or a context menu, the window leaves both to the system: the game draws its own
        // cursor and has no context menu.
        {WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), 0, nullptr},
        {WM_CONTEXTMENU, 0, MAKELPARAM(200, 100), 0, nullptr},
    };
    for (const auto& c : cases) {
        window.calls.clear();
        EXPECT_EQ(SendMessageA(window.handle, c.message, c.wParam, c.lParam), c.result) << std::hex << c.message;
        if (c.call)
            EXPECT_EQ(window.calls, std::vector<std::string>{c.call}) << std::hex << c.message;
        else
            EXPECT_TRUE(window.calls.empty()) << std::hex << c.message;
    }
    EXPECT_EQ(window.lastKeyDown, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(window.lastKeyUp, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(window.extendedKey, 0);
    EXPECT_EQ(window.charReady, 1);
    EXPECT_EQ(window.lastChar, 0xE6);
    EXPECT_TRUE(IsWindow(window.handle)) << "the screen saver command is swallowed";
}

TEST_F(WindowDispatch, AMessageTheLibraryTakesGoesNoFurther)
{
    GP_SetLibraryMessageHook(
        [](HWND, UINT message, WPARAM, LPARAM) { return message == WM_KEYDOWN || message == WM_CLOSE; });
    EXPECT_EQ(SendMessageA(window.handle, WM_KEYDOWN, VK_LEFT, ExtendedLeft), 1);
    EXPECT_EQ(SendMessageA(window.handle, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window.handle));
    EXPECT_EQ(SendMessageA(window.handle, WM_KEYUP, VK_LEFT, ExtendedLeft), 1);
    EXPECT_EQ(window.calls, std::vector<std::string>{"KeyUp 37 0"});
    EXPECT_EQ(window.lastKeyDown, 0u);
}

TEST_F(WindowDispatch, AltF4DestroysTheWindowAndPostsQuit)
{
    HWND handle = window.handle;
    SendMessageA(handle, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    EXPECT_TRUE(window.calls.empty()) << "a system key is not a key-down";
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window.created, 0);
    EXPECT_EQ(window.handle, nullptr);
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    window.Destroy();
    WNDCLASSA again{};
    again.lpfnWndProc = GP_WindowProc;
    again.lpszClassName = "Velmorine";
    EXPECT_NE(RegisterClassA(&again), 0) << "Destroy unregistered the class";
}

TEST_F(WindowDispatch, ModifiersComeFromTheKeyStateAndTheAltBit)
{
    EXPECT_EQ(GetModifiers(AltA), 2u);
    Press(window.handle, VK_SHIFT, 0x2A);
    Press(window.handle, VK_CONTROL, 0x1D);
    EXPECT_EQ(GetModifiers(0), 5u);
    EXPECT_EQ(GetModifiers(AltA), 7u);
    EXPECT_EQ(GetMouseButtons(MK_LBUTTON), 8u);
    Press(window.handle, VK_MENU, 0x38);
    EXPECT_EQ(GetMouseButtons(MK_LBUTTON | MK_RBUTTON), 26u);
}

TEST_F(WindowDispatch, CreateShownShowsTheWindowWithItsOwnProcedure)
{
    static int calls = 0;
    SlotRecorder other(nullptr);
    ASSERT_TRUE(other.CreateShown(
        "Velmorine Tray Icon",
        [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            ++calls;
            return DefWindowProcA(w, m, wp, lp);
        },
        WS_POPUP, 0, 0, 10, 10));
    EXPECT_NE(GetWindowLongPtrA(other.handle, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(GetWindowLongPtrA(other.handle, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&other));
    SendMessageA(other.handle, WM_COMMAND, 101, 0);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(other.calls.empty());
    EXPECT_FALSE(window.Create("Velmorine", WS_POPUP, 0, 0, 640, 480)) << "the class is taken";
    other.Destroy();
}
