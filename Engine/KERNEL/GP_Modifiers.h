// The modifier and mouse-button bits that the engine's key and mouse slots receive.
#pragma once
#include <cstdint>

#include "platform/win32_base.h"

// 1 Shift down, 4 Ctrl down, 2 Alt held (bit 29 of the key message's lParam).
std::uint32_t GetModifiers(LPARAM lParam);
// 1 MK_SHIFT, 4 MK_CONTROL, 8 MK_LBUTTON, 16 MK_RBUTTON, 32 MK_MBUTTON, 2 Alt down.
std::uint32_t GetMouseButtons(WPARAM wParam);
