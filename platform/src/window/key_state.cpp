#include <array>

#include "window/key_state.h"

namespace {

std::array<bool, 256> down{};
std::array<bool, 256> toggled{};

// Shift, Ctrl and Alt are kept by side (the scan code or the extended bit tells which); the plain code is
// down while either side is.
struct Sides {
    int plain, left, right;
};
constexpr Sides SidedKeys[] = {
    {VK_SHIFT, VK_LSHIFT, VK_RSHIFT}, {VK_CONTROL, VK_LCONTROL, VK_RCONTROL}, {VK_MENU, VK_LMENU, VK_RMENU}};

bool IsRightSide(int vk, LPARAM lParam)
{
    return vk == VK_SHIFT ? platform::KeyScanCode(lParam) == 0x36 : platform::KeyExtended(lParam);
}

}  // namespace

namespace platform {

void NoteKeyMessage(const MSG& msg)
{
    const bool pressed = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool released = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if ((!pressed && !released) || msg.wParam > 0xFF) return;
    const auto vk = static_cast<std::size_t>(msg.wParam);
    for (const Sides& key : SidedKeys) {
        if (static_cast<int>(vk) != key.plain) continue;
        down[static_cast<std::size_t>(IsRightSide(key.plain, msg.lParam) ? key.right : key.left)] = pressed;
        down[vk] = down[static_cast<std::size_t>(key.left)] || down[static_cast<std::size_t>(key.right)];
        return;
    }
    if (pressed && !down[vk]) toggled[vk] = !toggled[vk];
    down[vk] = pressed;
}

}  // namespace platform

SHORT GetKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 0xFF) return 0;
    const auto key = static_cast<std::size_t>(virtualKey);
    return static_cast<SHORT>((down[key] ? 0x8000 : 0) | (toggled[key] ? 1 : 0));
}
