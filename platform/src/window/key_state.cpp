#include <array>

#include "window/key_state.h"

namespace {

std::array<bool, 256> down{};
std::array<bool, 256> toggled{};

// The side of Shift, Ctrl and Alt, from the scan code and the extended bit.
int SideKey(int vk, LPARAM lParam)
{
    switch (vk) {
    case VK_SHIFT: return platform::KeyScanCode(lParam) == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL: return platform::KeyExtended(lParam) ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU: return platform::KeyExtended(lParam) ? VK_RMENU : VK_LMENU;
    default: return 0;
    }
}

}  // namespace

namespace platform {

void NoteKeyMessage(const MSG& msg)
{
    const bool pressed = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool released = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if ((!pressed && !released) || msg.wParam > 0xFF) return;
    const int vk = static_cast<int>(msg.wParam);
    if (const int side = SideKey(vk, msg.lParam)) {
        down[static_cast<std::size_t>(side)] = pressed;
        down[static_cast<std::size_t>(vk)] = down[VK_LSHIFT + (vk - VK_SHIFT) * 2] ||
                                             down[VK_LSHIFT + (vk - VK_SHIFT) * 2 + 1];
        return;
    }
    if (pressed && !down[static_cast<std::size_t>(vk)]) toggled[static_cast<std::size_t>(vk)] = !toggled[static_cast<std::size_t>(vk)];
    down[static_cast<std::size_t>(vk)] = pressed;
}

}  // namespace platform

SHORT GetKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 0xFF) return 0;
    const auto key = static_cast<std::size_t>(virtualKey);
    return static_cast<SHORT>((down[key] ? 0x8000 : 0) | (toggled[key] ? 1 : 0));
}
