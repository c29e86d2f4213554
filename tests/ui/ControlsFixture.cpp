#include "ControlsFixture.h"

#include "ui/InputState.h"

namespace ui_test {

namespace {

std::uint32_t g_now = 0;
std::uint32_t FakeTicks() { return g_now; }

}  // namespace

void ScreenDriven::SetUp()
{
    g_now = 1000;
    SetToolkitTickSource(&FakeTicks);
    MouseState::Get().Reset();
    KeyboardState::Get().Reset();
    SetDisplayBitDepth(16);
    output.Create(200, 150, 16);
    screen = std::make_unique<CScreenWindow>(&output, DefaultTestFont());
}

void ScreenDriven::TearDown()
{
    screen.reset();
    SetToolkitTickSource(nullptr);
}

void ScreenDriven::Frame(int advanceMs)
{
    g_now += static_cast<std::uint32_t>(advanceMs);
    screen->Update(static_cast<float>(advanceMs) / 1000.0f);
}

void ScreenDriven::PointAt(int x, int y) { MouseState::Get().StorePosition(x, y); }

void ScreenDriven::Press(int x, int y, int button)
{
    PointAt(x, y);
    MouseState::Get().PressButton(button);
    Frame();
}

void ScreenDriven::Release(int button)
{
    MouseState::Get().ReleaseButton(button);
    Frame();
}

void ScreenDriven::Type(int code)
{
    KeyboardState::Get().PutTyped(code);
    Frame();
}

int ScreenDriven::RepeatDelayMs() { return static_cast<int>(RepeatDelaySeconds() * 1000.0f); }

int ScreenDriven::RepeatIntervalMs() { return static_cast<int>(RepeatIntervalSeconds() * 1000.0f); }

void ScreenDriven::ClickAt(int x, int y)
{
    Press(x, y);
    Release();
}

}  // namespace ui_test
