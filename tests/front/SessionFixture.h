// A menu session of the library linked into the test program, over the library folder the build writes: the
// library started, then a session entered at a size, drawn into a host buffer of the test's own.
#pragma once
#include <cstdint>
#include <vector>

#include "InProcessLibrary.h"
#include "front/FrameClock.h"
#include "platform/win32_messages.h"
#include "platform/win32_window.h"
#include "ui/FontLibrary.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"

namespace fronttest {

// A counter the test advances by hand: 1000 ticks a second.
inline std::int64_t& FakeTicks()
{
    static std::int64_t ticks = 0;
    return ticks;
}

class Session : public InProcessLibrary {
protected:
    void SetUp() override
    {
        InProcessLibrary::SetUp();
        InstallArchive();
        FakeTicks() = 1'000'000;
        FrameClock::SetCounterSource([] { return FakeTicks(); }, 1000.0);
        MouseState::Get().Reset();
        KeyboardState::Get().Reset();
        ASSERT_EQ(Start(), TA_ERROR_CODE_NONE);
    }
    // The session and its windows go first, then the fonts, whose faces read from the archives the base lets go.
    void TearDown() override
    {
        FrameClock::SetCounterSource(nullptr, 0);
        ArcadeState& state = GetArcadeState();
        // A session still running ends as the host's closing would end it, with its pending objects.
        if (state.SessionRunning) state.EndMenuSession();
        if (state.ScreenWindow) state.ScreenWindow->Close();
        state.ScreenWindow = nullptr;
        GetFontLibrary().Clear();
        InProcessLibrary::TearDown();
    }

    // A 16-bit host buffer of width x height (pitch in bytes), drawn frame by frame; 20 ms pass before each.
    void Draw(std::int16_t drawType = TA_DRAW_TYPE_MINIMAL, std::int16_t bufferMode = 2)
    {
        FakeTicks() += 20;
        TA_DrawNextFrameIntoBuffer(host.data(), hostPitch, bufferMode, drawType, 1, 0);
    }
    void MakeHost(int width, int height, int bytesPerPixel = 2)
    {
        hostPitch = width * bytesPerPixel;
        host.assign(static_cast<std::size_t>(hostPitch) * height, 0);
    }
    std::uint16_t HostPixel(int x, int y) const
    {
        return static_cast<std::uint16_t>(host[y * hostPitch + 2 * x] | host[y * hostPitch + 2 * x + 1] << 8);
    }

    // A window message as the host's window procedure hands it on.
    static bool Message(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return TA_HandleWindowsMessage(nullptr, message, wParam, lParam) != 0;
    }
    static LPARAM Point(int x, int y) { return static_cast<LPARAM>((x & 0xFFFF) | (y & 0xFFFF) << 16); }
    // A left click at the host's client point, one frame pressed. Without a host window the library reads the
    // pointer's screen position each frame, so the pointer goes there too.
    void Click(int x, int y)
    {
        SetCursorPos(x, y);
        Message(WM_MOUSEMOVE, 0, Point(x, y));
        Draw();
        Message(WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        Draw();
        Message(WM_LBUTTONUP, 0, Point(x, y));
        Draw();
    }

    std::vector<std::uint8_t> host;
    int hostPitch = 0;
};

}  // namespace fronttest
