// What the window system keeps from one test to the next within a program: messages left in the queue (the quit
// that a destroyed window posts among them) and keys held down. A test that reads either starts from rest.
#pragma once
#include "platform/win32_window.h"

// Takes every waiting message, a posted quit included.
inline void TakeEveryWaitingMessage()
{
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}
}

// Lets go of Shift, Ctrl and Alt on both sides, as their key-up messages taken from the queue would.
inline void ReleaseModifierKeys()
{
    struct Key {
        int vk;
        BYTE scanCode;
        bool extended;
    };
    constexpr Key keys[] = {{VK_SHIFT, 0x2A, false},  {VK_SHIFT, 0x36, false}, {VK_CONTROL, 0x1D, false},
                            {VK_CONTROL, 0x1D, true}, {VK_MENU, 0x38, false},  {VK_MENU, 0x38, true}};
    for (const Key& key : keys) {
        PostMessageA(nullptr, WM_KEYUP, static_cast<WPARAM>(key.vk),
                     platform::MakeKeyLParam({1, key.scanCode, key.extended, false, true, true}));
        MSG msg{};
        PeekMessageA(&msg, nullptr, WM_KEYUP, WM_KEYUP, PM_REMOVE);
    }
}
