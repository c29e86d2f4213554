#include "DemoInput.h"

#include "platform/win32_messages.h"
#include "ui/InputState.h"
#include "ui/ToolkitKeys.h"

namespace {

constexpr int kScanMask = 0x1FF;

// The toolkit's code of a key that types none as a character; 0 for the others.
int CodeOfVirtualKey(WPARAM key)
{
    switch (key) {
    case 0x21: return kKeyPageUp;
    case 0x22: return kKeyPageDown;
    case 0x23: return kKeyEnd;
    case 0x24: return kKeyHome;
    case 0x25: return kKeyLeft;
    case 0x26: return kKeyUp;
    case 0x27: return kKeyRight;
    case 0x28: return kKeyDown;
    case 0x2D: return kKeyInsert;
    case 0x2E: return kKeyDelete;
    default: return 0;
    }
}

int ScanCodeOf(LPARAM lParam) { return static_cast<int>((static_cast<std::uintptr_t>(lParam) >> 16) & kScanMask); }

void MoveTo(LPARAM lParam) { MouseState::Get().StorePosition(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

}  // namespace

void FeedToolkitInput(UINT message, WPARAM wParam, LPARAM lParam)
{
    MouseState& mouse = MouseState::Get();
    KeyboardState& keys = KeyboardState::Get();
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        keys.KeyDown(ScanCodeOf(lParam));
        if (const int code = CodeOfVirtualKey(wParam)) keys.PutTyped(code);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: keys.KeyUp(ScanCodeOf(lParam)); break;
    case WM_CHAR:
    case WM_SYSCHAR: keys.PutTyped(static_cast<int>(wParam & 0xFF)); break;
    case WM_MOUSEMOVE: MoveTo(lParam); break;
    case WM_LBUTTONDOWN:
        MoveTo(lParam);
        mouse.PressButton(0);
        break;
    case WM_LBUTTONUP:
        MoveTo(lParam);
        mouse.ReleaseButton(0);
        break;
    default: break;
    }
}
