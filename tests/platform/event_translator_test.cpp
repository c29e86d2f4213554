#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32_messages.h"
#include "window/event_translator.h"

using platform::TranslatedMessage;
using platform::TranslationContext;

namespace {

SDL_Event Key(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym = SDLK_UNKNOWN, Uint16 mod = KMOD_NONE,
              Uint8 repeat = 0)
{
    SDL_Event e{};
    e.type = type;
    e.key.windowID = 7;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.scancode = scancode;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Text(const char* utf8)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = 7;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event Motion(Sint32 x, Sint32 y, Uint32 state)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = 7;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    return e;
}

SDL_Event Button(Uint32 type, Uint8 button, Sint32 x, Sint32 y, Uint8 clicks = 1)
{
    SDL_Event e{};
    e.button.clicks = clicks;
    e.type = type;
    e.button.windowID = 7;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Window(Uint8 event)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = 7;
    e.window.event = event;
    return e;
}

SDL_Event Quit()
{
    SDL_Event e{};
    e.type = SDL_QUIT;
    return e;
}

const HWND kWindow = reinterpret_cast<HWND>(0x5A0);
const WPARAM kWindowParam = reinterpret_cast<WPARAM>(kWindow);

TranslationContext Context(Uint32 buttons = 0, Uint16 mods = KMOD_NONE)
{
    TranslationContext c;
    c.window = kWindow;
    c.mouseButtons = buttons;
    c.keyMods = mods;
    return c;
}

// A window whose class takes double clicks.
TranslationContext DoubleClicks()
{
    TranslationContext c = Context();
    c.doubleClicks = true;
    return c;
}

// A 1280 x 960 window point space showing the client at twice its size, with an 80-point bar on the left.
TranslationContext Scaled()
{
    TranslationContext c = Context();
    c.view.originX = 80;
    c.view.scaleX = 2;
    c.view.scaleY = 2;
    return c;
}

// A window whose client area starts at (100, 50) on the screen.
TranslationContext Placed()
{
    TranslationContext c = Context();
    c.clientOrigin = {100, 50};
    return c;
}

// The WM_SETCURSOR that comes before a mouse message.
TranslatedMessage SetCursorBefore(UINT mouseMessage, WORD hit = HTCLIENT)
{
    return {7, WM_SETCURSOR, kWindowParam, MAKELPARAM(hit, static_cast<WORD>(mouseMessage))};
}

struct Case {
    const char* name;
    SDL_Event event;
    TranslationContext context;
    std::vector<TranslatedMessage> expected;
};

}  // namespace

TEST(EventTranslator, TurnsSdlEventsIntoWindowMessages)
{
    const LPARAM at100x50 = MAKELPARAM(100, 50);
    const std::vector<Case> cases = {
        {"left arrow down: extended",
         Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT),
         Context(),
         {{7, WM_KEYDOWN, VK_LEFT, 0x014B0001}}},
        {"left arrow up: previous state and transition",
         Key(SDL_KEYUP, SDL_SCANCODE_LEFT),
         Context(),
         {{7, WM_KEYUP, VK_LEFT, static_cast<LPARAM>(0xC14B0001u)}}},
        {"auto-repeat sets the previous state",
         Key(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_NONE, 1),
         Context(),
         {{7, WM_KEYDOWN, 'A', 0x401E0001}}},
        {"letters follow the layout, scan codes the position",
         Key(SDL_KEYDOWN, SDL_SCANCODE_Q, SDLK_a),
         Context(),
         {{7, WM_KEYDOWN, 'A', 0x00100001}}},
        {"digit", Key(SDL_KEYDOWN, SDL_SCANCODE_0, SDLK_0), Context(), {{7, WM_KEYDOWN, '0', 0x000B0001}}},
        {"Alt+F4 is a system key with the Alt bit",
         Key(SDL_KEYDOWN, SDL_SCANCODE_F4, SDLK_F4, KMOD_LALT),
         Context(),
         {{7, WM_SYSKEYDOWN, VK_F4, 0x203E0001}}},
        {"Alt+X released while Alt is held",
         Key(SDL_KEYUP, SDL_SCANCODE_X, SDLK_x, KMOD_LALT),
         Context(),
         {{7, WM_SYSKEYUP, 'X', static_cast<LPARAM>(0xE02D0001u)}}},
        {"Ctrl+Alt (AltGr) is an ordinary key",
         Key(SDL_KEYDOWN, SDL_SCANCODE_E, SDLK_e, KMOD_RALT | KMOD_LCTRL),
         Context(),
         {{7, WM_KEYDOWN, 'E', 0x20120001}}},
        {"F10 alone is a system key",
         Key(SDL_KEYDOWN, SDL_SCANCODE_F10),
         Context(),
         {{7, WM_SYSKEYDOWN, VK_F10, 0x00440001}}},
        {"right Ctrl: extended Ctrl",
         Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL),
         Context(),
         {{7, WM_KEYDOWN, VK_CONTROL, 0x011D0001}}},
        {"right Shift: its own scan code",
         Key(SDL_KEYDOWN, SDL_SCANCODE_RSHIFT),
         Context(),
         {{7, WM_KEYDOWN, VK_SHIFT, 0x00360001}}},
        {"keypad Enter: extended Return",
         Key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER),
         Context(),
         {{7, WM_KEYDOWN, VK_RETURN, 0x011C0001}}},
        {"a key without a code makes nothing", Key(SDL_KEYDOWN, SDL_SCANCODE_F13), Context(), {}},
        {"the context-menu key pressed: only the key",
         Key(SDL_KEYDOWN, SDL_SCANCODE_APPLICATION),
         Context(),
         {{7, WM_KEYDOWN, VK_APPS, 0x015D0001}}},
        {"the context-menu key released asks for a context menu without a point",
         Key(SDL_KEYUP, SDL_SCANCODE_APPLICATION),
         Context(),
         {{7, WM_KEYUP, VK_APPS, static_cast<LPARAM>(0xC15D0001u)}, {7, WM_CONTEXTMENU, kWindowParam, -1}}},
        {"Shift+F10 released asks for one too",
         Key(SDL_KEYUP, SDL_SCANCODE_F10, SDLK_F10, KMOD_LSHIFT),
         Context(),
         {{7, WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(0xC0440001u)}, {7, WM_CONTEXTMENU, kWindowParam, -1}}},
        {"Cyrillic text in Windows-1251", Text("жЁ"), Context(), {{7, WM_CHAR, 0xE6, 1}, {7, WM_CHAR, 0xA8, 1}}},
        {"characters outside the code page are dropped",
         Text("a\xF0\x9F\x98\x80\xE2\x82\xAC"),
         Context(),
         {{7, WM_CHAR, 'a', 1}, {7, WM_CHAR, 0x88, 1}}},
        {"mouse move with the left button",
         Motion(100, 50, SDL_BUTTON_LMASK),
         Context(),
         {SetCursorBefore(WM_MOUSEMOVE), {7, WM_MOUSEMOVE, MK_LBUTTON, at100x50}}},
        {"mouse move in a scaled, letterboxed window",
         Motion(281, 101, 0),
         Scaled(),
         {SetCursorBefore(WM_MOUSEMOVE), {7, WM_MOUSEMOVE, 0, at100x50}}},
        {"mouse on the bar keeps to the client's edge and is over no part of it",
         Motion(10, 2000, 0),
         Scaled(),
         {SetCursorBefore(WM_MOUSEMOVE, HTNOWHERE), {7, WM_MOUSEMOVE, 0, MAKELPARAM(0, 479)}}},
        {"right button down, left held, Shift and Ctrl",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 100, 50),
         Context(SDL_BUTTON_LMASK, KMOD_LSHIFT | KMOD_RCTRL),
         {SetCursorBefore(WM_RBUTTONDOWN),
          {7, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL, at100x50}}},
        {"left button up leaves its bit out",
         Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 100, 50),
         Context(SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
         {SetCursorBefore(WM_LBUTTONUP), {7, WM_LBUTTONUP, MK_MBUTTON, at100x50}}},
        {"middle button",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 100, 50),
         Context(),
         {SetCursorBefore(WM_MBUTTONDOWN), {7, WM_MBUTTONDOWN, MK_MBUTTON, at100x50}}},
        {"right button up over the client asks for a context menu at its screen point",
         Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 100, 50),
         Placed(),
         {SetCursorBefore(WM_RBUTTONUP),
          {7, WM_RBUTTONUP, 0, at100x50},
          {7, WM_CONTEXTMENU, kWindowParam, MAKELPARAM(200, 100)}}},
        {"right button up on the bar asks for none",
         Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 2000),
         Scaled(),
         {SetCursorBefore(WM_RBUTTONUP, HTNOWHERE), {7, WM_RBUTTONUP, 0, MAKELPARAM(0, 479)}}},
        {"the second press of a double click",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 50, 2),
         DoubleClicks(),
         {SetCursorBefore(WM_LBUTTONDBLCLK), {7, WM_LBUTTONDBLCLK, MK_LBUTTON, at100x50}}},
        {"a right double click",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 100, 50, 4),
         DoubleClicks(),
         {SetCursorBefore(WM_RBUTTONDBLCLK), {7, WM_RBUTTONDBLCLK, MK_RBUTTON, at100x50}}},
        {"a third press starts a new pair",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 50, 3),
         DoubleClicks(),
         {SetCursorBefore(WM_LBUTTONDOWN), {7, WM_LBUTTONDOWN, MK_LBUTTON, at100x50}}},
        {"a double click's release stays a release",
         Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 100, 50, 2),
         DoubleClicks(),
         {SetCursorBefore(WM_LBUTTONUP), {7, WM_LBUTTONUP, 0, at100x50}}},
        {"without CS_DBLCLKS a double click is two presses",
         Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 100, 50, 2),
         Context(),
         {SetCursorBefore(WM_LBUTTONDOWN), {7, WM_LBUTTONDOWN, MK_LBUTTON, at100x50}}},
        {"side buttons make nothing", Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1), Context(), {}},
        {"focus gained", Window(SDL_WINDOWEVENT_FOCUS_GAINED), Context(), {{7, WM_ACTIVATEAPP, TRUE, 0}}},
        {"focus lost", Window(SDL_WINDOWEVENT_FOCUS_LOST), Context(), {{7, WM_ACTIVATEAPP, FALSE, 0}}},
        {"close request", Window(SDL_WINDOWEVENT_CLOSE), Context(), {{7, WM_CLOSE, 0, 0}}},
        {"quit request closes the top window", Quit(), Context(), {{0, WM_CLOSE, 0, 0}}},
        {"moving the real window makes nothing", Window(SDL_WINDOWEVENT_MOVED), Context(), {}},
    };
    for (const Case& c : cases) {
        const std::vector<TranslatedMessage> got = platform::TranslateSdlEvent(c.event, c.context);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].windowID, c.expected[i].windowID) << c.name;
            EXPECT_EQ(got[i].message, c.expected[i].message) << c.name;
            EXPECT_EQ(got[i].wParam, c.expected[i].wParam) << c.name;
            EXPECT_EQ(got[i].lParam, c.expected[i].lParam) << c.name << std::hex << " got 0x" << got[i].lParam;
        }
    }
}

TEST(EventTranslator, TracksTheMouseButtonsAcrossEvents)
{
    Uint32 buttons = 0;
    buttons = platform::MouseButtonsAfter(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0, 0), buttons);
    buttons = platform::MouseButtonsAfter(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 0, 0), buttons);
    EXPECT_EQ(buttons, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK);
    buttons = platform::MouseButtonsAfter(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 0, 0), buttons);
    EXPECT_EQ(buttons, SDL_BUTTON_RMASK);
    EXPECT_EQ(platform::MouseButtonsAfter(Motion(0, 0, SDL_BUTTON_MMASK), buttons), SDL_BUTTON_MMASK);
}
