#include "window/event_translator.h"

#include "platform/win32_messages.h"
#include "text/cp1251.h"
#include "window/key_table.h"

namespace {

using platform::TranslatedMessage;

WPARAM MouseKeys(Uint32 buttons, Uint16 mods)
{
    WPARAM keys = 0;
    if (buttons & SDL_BUTTON_LMASK) keys |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) keys |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) keys |= MK_MBUTTON;
    if (mods & KMOD_SHIFT) keys |= MK_SHIFT;
    if (mods & KMOD_CTRL) keys |= MK_CONTROL;
    return keys;
}

Uint32 MaskOf(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return SDL_BUTTON_LMASK;
    case SDL_BUTTON_RIGHT: return SDL_BUTTON_RMASK;
    case SDL_BUTTON_MIDDLE: return SDL_BUTTON_MMASK;
    default: return 0;
    }
}

UINT ButtonMessage(Uint8 button, bool down)
{
    switch (button) {
    case SDL_BUTTON_LEFT: return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case SDL_BUTTON_RIGHT: return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case SDL_BUTTON_MIDDLE: return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return WM_NULL;
    }
}

// Every second press of a run of clicks completes a double click, as the third starts the next pair.
UINT PressMessage(const SDL_MouseButtonEvent& button, bool doubleClicks)
{
    const UINT message = ButtonMessage(button.button, true);
    if (message == WM_NULL || !doubleClicks || button.clicks < 2 || button.clicks % 2 != 0) return message;
    return message + (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN);
}

LPARAM ClientPoint(const platform::ViewTransform& view, Sint32 x, Sint32 y)
{
    int cx = 0, cy = 0;
    platform::WindowPointToClient(view, x, y, cx, cy);
    return MAKELPARAM(static_cast<WORD>(cx), static_cast<WORD>(cy));
}

// The position of a context menu asked for from the keyboard: no point at all.
constexpr LPARAM kKeyboardContextMenu = -1;

// A mouse message at window point (x, y), after the WM_SETCURSOR that Windows sends first; a right button
// released over the client area then asks for a context menu at that point of the screen.
std::vector<TranslatedMessage> MouseMessages(Uint32 windowID, UINT message, WPARAM keys, Sint32 x, Sint32 y,
                                             const platform::TranslationContext& context)
{
    const bool onClient = platform::WindowPointOnClient(context.view, x, y);
    const WORD hit = onClient ? HTCLIENT : HTNOWHERE;
    const LPARAM point = ClientPoint(context.view, x, y);
    const WPARAM window = reinterpret_cast<WPARAM>(context.window);
    std::vector<TranslatedMessage> out = {{windowID, WM_SETCURSOR, window, MAKELPARAM(hit, static_cast<WORD>(message))},
                                          {windowID, message, keys, point}};
    if (message == WM_RBUTTONUP && onClient) {
        const int screenX = context.clientOrigin.x + GET_X_LPARAM(point);
        const int screenY = context.clientOrigin.y + GET_Y_LPARAM(point);
        out.push_back(
            {windowID, WM_CONTEXTMENU, window, MAKELPARAM(static_cast<WORD>(screenX), static_cast<WORD>(screenY))});
    }
    return out;
}

// Alt without Ctrl makes a system key, as does F10 alone; Ctrl+Alt (AltGr) keys are ordinary keys. Releasing
// the context-menu key, or F10 with Shift, asks for a context menu from the keyboard.
std::vector<TranslatedMessage> KeyMessages(const SDL_KeyboardEvent& key, HWND window)
{
    const platform::KeyInfo info = platform::KeyOfScancode(key.keysym.scancode, key.keysym.sym);
    if (info.vk == 0) return {};
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
    const bool system = (alt && !ctrl) || info.vk == VK_F10;
    const bool down = key.state == SDL_PRESSED;
    platform::KeyLParamFields fields;
    fields.scanCode = info.scanCode;
    fields.extended = info.extended;
    fields.altHeld = alt;
    fields.wasDown = !down || key.repeat != 0;
    fields.released = !down;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    std::vector<TranslatedMessage> out = {
        {key.windowID, message, static_cast<WPARAM>(info.vk), platform::MakeKeyLParam(fields)}};
    const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
    if (!down && (info.vk == VK_APPS || (info.vk == VK_F10 && shift)))
        out.push_back({key.windowID, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), kKeyboardContextMenu});
    return out;
}

// One WM_CHAR per character that Windows-1251 has; others are dropped.
std::vector<TranslatedMessage> CharMessages(const SDL_TextInputEvent& text)
{
    std::vector<TranslatedMessage> out;
    for (char32_t cp : platform::DecodeUtf8(text.text))
        if (auto byte = platform::CodePointTo1251(cp)) out.push_back({text.windowID, WM_CHAR, *byte, 1});
    return out;
}

std::vector<TranslatedMessage> WindowMessages(const SDL_WindowEvent& window)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: return {{window.windowID, WM_ACTIVATEAPP, TRUE, 0}};
    case SDL_WINDOWEVENT_FOCUS_LOST: return {{window.windowID, WM_ACTIVATEAPP, FALSE, 0}};
    case SDL_WINDOWEVENT_CLOSE: return {{window.windowID, WM_CLOSE, 0, 0}};
    default: return {};
    }
}

}  // namespace

namespace platform {

std::vector<TranslatedMessage> TranslateSdlEvent(const SDL_Event& event, const TranslationContext& context)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return KeyMessages(event.key, context.window);
    case SDL_TEXTINPUT: return CharMessages(event.text);
    case SDL_MOUSEMOTION:
        return MouseMessages(event.motion.windowID, WM_MOUSEMOVE, MouseKeys(event.motion.state, context.keyMods),
                             event.motion.x, event.motion.y, context);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const UINT message = event.type == SDL_MOUSEBUTTONDOWN ? PressMessage(event.button, context.doubleClicks)
                                                               : ButtonMessage(event.button.button, false);
        if (message == WM_NULL) return {};
        return MouseMessages(event.button.windowID, message,
                             MouseKeys(MouseButtonsAfter(event, context.mouseButtons), context.keyMods), event.button.x,
                             event.button.y, context);
    }
    case SDL_WINDOWEVENT: return WindowMessages(event.window);
    case SDL_QUIT: return {{0, WM_CLOSE, 0, 0}};
    default: return {};
    }
}

Uint32 MouseButtonsAfter(const SDL_Event& event, Uint32 mouseButtons)
{
    switch (event.type) {
    case SDL_MOUSEMOTION: return event.motion.state;
    case SDL_MOUSEBUTTONDOWN: return mouseButtons | MaskOf(event.button.button);
    case SDL_MOUSEBUTTONUP: return mouseButtons & ~MaskOf(event.button.button);
    default: return mouseButtons;
    }
}

}  // namespace platform
