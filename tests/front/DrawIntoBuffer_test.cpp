#include <algorithm>
#include <cstring>

#include "SessionFixture.h"
#include "foundation/RegistryHelpers.h"
#include "front/LibraryFolders.h"
#include "platform/win32_window.h"
#include "ui/ScreenWindow.h"

using namespace fronttest;

namespace {

constexpr int kCanary = 16;
constexpr std::uint8_t kCanaryByte = 0xA5;

// A host buffer of 640 x 480 with canary bytes before and after it.
struct GuardedHost {
    GuardedHost(int bytesPerPixel, int extraPitch)
        : pitch(640 * bytesPerPixel + extraPitch),
          bytes(kCanary * 2 + static_cast<std::size_t>(pitch) * 480, kCanaryByte)
    {
        std::fill(bytes.begin() + kCanary, bytes.end() - kCanary, 0);
    }
    std::uint8_t* Pixels() { return bytes.data() + kCanary; }
    // Rows lie a whole number of pixels apart: the pitch in pixels is the byte pitch's quotient.
    std::uint8_t* At(int x, int y, int bytesPerPixel)
    {
        return Pixels() + y * (pitch / bytesPerPixel) * bytesPerPixel + x * bytesPerPixel;
    }
    bool CanariesIntact() const
    {
        return std::all_of(bytes.begin(), bytes.begin() + kCanary, [](std::uint8_t b) { return b == kCanaryByte; }) &&
               std::all_of(bytes.end() - kCanary, bytes.end(), [](std::uint8_t b) { return b == kCanaryByte; });
    }
    int pitch;
    std::vector<std::uint8_t> bytes;
};

// A point of the menu's background where no control lies.
constexpr int kBackgroundX = 620;
constexpr int kBackgroundY = 250;

}  // namespace

class Drawing : public Session {
protected:
    void DrawInto(GuardedHost& guarded, int bufferMode)
    {
        FakeTicks() += 20;
        TA_DrawNextFrameIntoBuffer(guarded.Pixels(), guarded.pitch, static_cast<std::int16_t>(bufferMode),
                                   TA_DRAW_TYPE_FULL, 1, 0);
    }
};

TEST_F(Drawing, EachBufferModeWritesItsFormatWithinAnOddPitchedBuffer)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    // The back buffer's own 5-6-5 pixel, as mode 2 copies it.
    GuardedHost own(2, 1);
    DrawInto(own, 2);
    std::uint16_t p = 0;
    std::memcpy(&p, own.At(kBackgroundX, kBackgroundY, 2), 2);
    ASSERT_NE(p, 0);
    EXPECT_TRUE(own.CanariesIntact());

    GuardedHost fifteen(2, 1);
    DrawInto(fifteen, 1);
    std::uint16_t written = 0;
    std::memcpy(&written, fifteen.At(kBackgroundX, kBackgroundY, 2), 2);
    EXPECT_EQ(written, ((p >> 1) & 0x7FE0) | (p & 0x1F));
    EXPECT_TRUE(fifteen.CanariesIntact());

    GuardedHost deep(4, 3);
    DrawInto(deep, 4);
    const std::uint8_t* bgra = deep.At(kBackgroundX, kBackgroundY, 4);
    EXPECT_EQ(bgra[0] >> 3, p & 0x1F);
    EXPECT_EQ(bgra[1] >> 2, (p >> 5) & 0x3F);
    EXPECT_EQ(bgra[2] >> 3, p >> 11);
    EXPECT_EQ(bgra[3], 255);
    EXPECT_TRUE(deep.CanariesIntact());

    GuardedHost bgr(3, 1);
    DrawInto(bgr, 3);
    EXPECT_EQ(std::memcmp(bgr.At(kBackgroundX, kBackgroundY, 3), bgra, 3), 0);
    EXPECT_TRUE(bgr.CanariesIntact());

    // An 8-bit host: the palette entry that holds the pixel's colour exactly.
    std::uint8_t palette[256 * 3] = {};
    palette[200 * 3] = bgra[2], palette[200 * 3 + 1] = bgra[1], palette[200 * 3 + 2] = bgra[0];
    TA_SetPalette(palette);
    GuardedHost indexed(1, 1);
    DrawInto(indexed, 0);
    EXPECT_EQ(*indexed.At(kBackgroundX, kBackgroundY, 1), 200);
    EXPECT_TRUE(indexed.CanariesIntact());
}

TEST_F(Drawing, IdleFramesListNothingAndAChangedCellIsListedInTwoFrames)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    MakeHost(640, 480);
    Draw();
    ASSERT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    // Nothing drawn: no windows, no cursor.
    GetArcadeState().ScreenWindow->Show(false, false);
    MouseState::Get().SetSoftwareCursor(false);
    for (int frame = 0; frame < 3; ++frame) Draw();
    EXPECT_EQ(TA_GetNumberOfRectsToUpdate(), 0);

    // The cursor drawn for one frame: its cell is copied, then copied again once it is restored.
    MouseState::Get().SetSoftwareCursor(true);
    Draw();
    MouseState::Get().SetSoftwareCursor(false);
    EXPECT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    EXPECT_EQ(TA_GetUpdateRect(0).left, 0);
    Draw();
    EXPECT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    Draw();
    EXPECT_EQ(TA_GetNumberOfRectsToUpdate(), 0);
}

TEST_F(Drawing, AMissingBufferOrRectangleWritesNothingAndGivesAnEmptyRectangle)
{
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    TA_DrawNextFrameIntoBuffer(nullptr, 1280, 2, TA_DRAW_TYPE_FULL, 1, 0);
    EXPECT_EQ(TA_GetNumberOfRectsToUpdate(), 0);

    // Rows running upwards: the buffer's last row first. The area is cleared row by row and nothing is copied.
    GuardedHost rising(2, 0);
    std::fill(rising.Pixels(), rising.Pixels() + rising.pitch * 480, 0x77);
    TA_DrawNextFrameIntoBuffer(rising.At(0, 479, 2), -rising.pitch, 2, TA_DRAW_TYPE_FULL, 1, 0);
    EXPECT_TRUE(rising.CanariesIntact());
    EXPECT_EQ(*rising.At(0, 0, 2), 0);

    ASSERT_EQ(TA_GetNumberOfRectsToUpdate(), 1);
    const TA_UpdateRect past = TA_GetUpdateRect(1);
    EXPECT_EQ(past.right - past.left, 0);
    EXPECT_EQ(past.bottom - past.top, 0);
    GetArcadeState().EndMenuSession();
    const TA_UpdateRect ended = TA_GetUpdateRect(0);
    EXPECT_EQ(ended.right, 1);
    EXPECT_EQ(ended.bottom, 1);
}

TEST_F(Drawing, TheFrameClockStartsAtOneSecondAndClampsLongGaps)
{
    EXPECT_DOUBLE_EQ(FrameClock::Elapsed(), 1.0);
    FakeTicks() += 20;
    EXPECT_DOUBLE_EQ(FrameClock::Elapsed(), 0.02);
    FakeTicks() += 3000;
    EXPECT_DOUBLE_EQ(FrameClock::Elapsed(), 1.0);
}

TEST_F(Drawing, TheFirstFrameThatChecksForUpdatesRecordsTheAttemptOnce)
{
    const CString key = GetApplicationRegistryKey(60);
    ASSERT_EQ(TA_EnterMenuSession(1, 640, 480), TA_ERROR_CODE_NONE);
    MakeHost(640, 480);
    Draw();
    bool found = false;
    RegReadDword(key.GetText(), "DoneFirstSharedUpdateAttempt", &found);
    EXPECT_FALSE(found);
    TA_DrawNextFrameIntoBuffer(host.data(), hostPitch, 2, TA_DRAW_TYPE_MINIMAL, 0, 0);
    EXPECT_EQ(RegReadDword(key.GetText(), "DoneFirstSharedUpdateAttempt", &found), 1);
    EXPECT_TRUE(GetArcadeState().DoneFirstSharedUpdate);
}

namespace {

LRESULT PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST_F(Drawing, TheCursorIsTheMenusOverItAndTheSystemsOverTheSideBandsAndOtherWindows)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PlainProc;
    windowClass.lpszClassName = "ArcadeHost";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowA("ArcadeHost", "Host", WS_POPUP, 0, 0, 1280, 720, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(MoveWindow(window, 100, 50, 1280, 720, TRUE));
    ASSERT_EQ(TA_EnterMenuSession(1, 1280, 720), TA_ERROR_CODE_NONE);
    MakeHost(1280, 720);
    // The first message names the host window.
    TA_HandleWindowsMessage(window, WM_MOUSEMOVE, 0, Point(0, 0));
    MouseState& mouse = MouseState::Get();
    int x = 0;
    int y = 0;

    SetCursorPos(100 + 200, 50 + 50);
    Draw();
    mouse.GetPosition(x, y);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 50);
    EXPECT_TRUE(mouse.IsSoftwareCursorOn());

    SetCursorPos(100 + 100, 50 + 50);
    Draw();
    mouse.GetPosition(x, y);
    EXPECT_EQ(x, 40) << "the side band leaves the menu's position";
    EXPECT_FALSE(mouse.IsSoftwareCursorOn());

    SetCursorPos(100 + 200, 50 + 50);
    Draw();
    SetCursorPos(20, 20);
    Draw();
    EXPECT_FALSE(mouse.IsSoftwareCursorOn()) << "over the desktop";
    GetArcadeState().EndMenuSession();
    HostWindow::Instance().hostWindow = nullptr;
    DestroyWindow(window);
    UnregisterClassA("ArcadeHost", nullptr);
}
