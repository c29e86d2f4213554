#include "DemoInput.h"

#include "platform/win32_messages.h"
#include "ui/InputState.h"
#include "ui/ToolkitKeys.h"

namespace {

constexpr int kScanCodeShift = 16;
constexpr LPARAM kScanCodeMask = 0x1FF;
constexpr WPARAM kLastTypedCharacter = 255;

struct KeyCode {
    int virtualKey;
    int code;
};
constexpr KeyCode kNavigationKeys[] = {
    {VK_UP, kKeyUp},         {VK_DOWN, kKeyDown},     {VK_LEFT, kKeyLeft}, {VK_RIGHT, kKeyRight},
    {VK_PRIOR, kKeyPageUp},  {VK_NEXT, kKeyPageDown}, {VK_HOME, kKeyHome}, {VK_END, kKeyEnd},
    {VK_INSERT, kKeyInsert}, {VK_DELETE, kKeyDelete}, {VK_F4, kKeyF4},
};

int ScanCodeOf(LPARAM lParam) { return static_cast<int>((lParam >> kScanCodeShift) & kScanCodeMask); }

void ForwardButton(int button, bool down, LPARAM lParam)
{
    MouseState& mouse = MouseState::Get();
    mouse.StorePosition(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (down)
        mouse.PressButton(button);
    else
        mouse.ReleaseButton(button);
}

void ForwardKeyDown(WPARAM virtualKey, LPARAM lParam)
{
    KeyboardState& keys = KeyboardState::Get();
    keys.KeyDown(ScanCodeOf(lParam));
    for (const KeyCode& key : kNavigationKeys)
        if (static_cast<int>(virtualKey) == key.virtualKey) keys.PutTyped(key.code);
}

}  // namespace

void ForwardToToolkit(UINT message, WPARAM wParam, LPARAM lParam)
{
    MouseState& mouse = MouseState::Get();
    switch (message) {
    case WM_MOUSEMOVE: mouse.StorePosition(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); break;
    case WM_LBUTTONDOWN: ForwardButton(0, true, lParam); break;
    case WM_LBUTTONUP: ForwardButton(0, false, lParam); break;
    case WM_RBUTTONDOWN: ForwardButton(1, true, lParam); break;
    case WM_RBUTTONUP: ForwardButton(1, false, lParam); break;
    case WM_LBUTTONDBLCLK: mouse.DoubleClickButton(0); break;
    case WM_KEYDOWN: ForwardKeyDown(wParam, lParam); break;
    case WM_KEYUP: KeyboardState::Get().KeyUp(ScanCodeOf(lParam)); break;
    case WM_CHAR:
        if (wParam <= kLastTypedCharacter) KeyboardState::Get().PutTyped(static_cast<int>(wParam));
        break;
    default: break;
    }
}
