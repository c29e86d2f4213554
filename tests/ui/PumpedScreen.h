// A screen window over a 320 x 240 16-bit frame, pumped frame by frame on a fake millisecond clock, with the
// mouse and keyboard records written the way the library front writes them. Repeats wait 250 ms, then come
// every 33 ms.
#pragma once
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "UiFixtures.h"
#include "frames/Frame.h"
#include "platform/win32_window.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"

namespace ui_test {

inline std::uint32_t g_pumpedNow = 0;
inline std::uint32_t PumpedTicks() { return g_pumpedNow; }

class PumpedScreen : public testing::Test {
protected:
    void SetUp() override
    {
        g_pumpedNow = 1000;
        SetToolkitTickSource(&PumpedTicks);
        platform::SetKeyboardRepeatSettings(0, 31);
        MouseState::Get().Reset();
        KeyboardState::Get().Reset();
        output.Create(320, 240, 16);
        screen = std::make_unique<CScreenWindow>(&output, DefaultTestFont());
    }
    void TearDown() override
    {
        screen.reset();
        SetToolkitTickSource(nullptr);
    }
    // Adds a window at the front of the screen at the given rect.
    template <class W>
    W* Add(W* window, const platform::Rect& rect)
    {
        window->SetRect(rect);
        screen->AddChildFront(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        return window;
    }
    void Frame(int advanceMs = 16)
    {
        g_pumpedNow += static_cast<std::uint32_t>(advanceMs);
        screen->Update(advanceMs / 1000.0f);
    }
    void PointAt(int x, int y)
    {
        MouseState::Get().StorePosition(x, y);
        Frame();
    }
    void Press(int x, int y, int button = 0)
    {
        MouseState::Get().StorePosition(x, y);
        MouseState::Get().PressButton(button);
        Frame();
    }
    void Release(int button = 0)
    {
        MouseState::Get().ReleaseButton(button);
        Frame();
    }
    void Click(int x, int y)
    {
        Press(x, y);
        Release();
    }
    void Key(int code)
    {
        KeyboardState::Get().PutTyped(code);
        Frame();
    }
    void Draw() { screen->DrawToBackBuffer(); }
    void Advance(int ms) { g_pumpedNow += static_cast<std::uint32_t>(ms); }

    CFrame output;
    std::unique_ptr<CScreenWindow> screen;
};

}  // namespace ui_test
