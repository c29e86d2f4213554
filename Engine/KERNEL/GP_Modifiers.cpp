#include "GP_Modifiers.h"

#include "platform/win32_window.h"

std::uint32_t GetModifiers(LPARAM lParam)
{
    std::uint32_t modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0) modifiers += 1;
    if (GetKeyState(VK_CONTROL) < 0) modifiers += 4;
    if (platform::KeyAltHeld(lParam)) modifiers += 2;
    return modifiers;
}

std::uint32_t GetMouseButtons(WPARAM wParam)
{
    std::uint32_t buttons = 0;
    if (wParam & MK_SHIFT) buttons += 1;
    if (wParam & MK_CONTROL) buttons += 4;
    if (wParam & MK_LBUTTON) buttons += 8;
    if (wParam & MK_RBUTTON) buttons += 16;
    if (wParam & MK_MBUTTON) buttons += 32;
    if (GetKeyState(VK_MENU) < 0) buttons += 2;
    return buttons;
}
