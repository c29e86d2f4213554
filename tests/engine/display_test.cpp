#include <gtest/gtest.h>

#include <string>

#include "DisplayFixture.h"
#include "GP_DesktopHook.h"
#include "platform/win32_time.h"

using CGP_DisplayTest = DisplayTest;

TEST_F(CGP_DisplayTest, FullScreenPublishesTheFiveSixFiveFormat)
{
    EXPECT_TRUE(platform::DisplayIsFullScreen());
    EXPECT_EQ(display->pixelFormat->code, 2);
    EXPECT_EQ(GP_RMask, 0xF800);
    EXPECT_EQ(GP_GShift, 5);
    EXPECT_EQ(GP_BitsPerPixel, 16);
    EXPECT_EQ(GP_Is565, 1);
    EXPECT_EQ(display->pixelFormat->gLoss, 2);
    EXPECT_EQ(display->pixelFormat->rMask64, 0xF800F800F800F800ull);
    EXPECT_EQ(display->pixelFormat->gExpand, 0xFF0000u / 63);
}

TEST_F(CGP_DisplayTest, FiveFiveFiveDisplayGetsCodeOneAndNoFlag)
{
    MakeDisplay(true);
    EXPECT_EQ(display->pixelFormat->code, 1);
    EXPECT_EQ(GP_GMask, 0x03E0);
    EXPECT_EQ(GP_Is565, 0);
}

TEST_F(CGP_DisplayTest, PresentShowsTheBackBuffer)
{
    display->backSurface->FillRect(10, 20, 11, 21, 0xABCD);
    const long before = FramesShown();
    ASSERT_EQ(display->Present(1), GP_DisplayOk);
    const platform::PresentedFrame frame = platform::LastPresentedFrame();
    EXPECT_EQ(frame.count, before + 1);
    ASSERT_EQ(frame.width, 640);
    EXPECT_EQ(frame.pixels[20 * 640 + 10], 0xABCD);
    EXPECT_EQ(frame.pixels[20 * 640 + 11], 0);
}

TEST_F(CGP_DisplayTest, RepeatedSetUpRebuildsEverything)
{
    // The chain's back buffer must be forgotten, not released twice (the sanitizer build watches this).
    ASSERT_EQ(display->SetFullScreen(0, FakeWindow(), 640, 480, 16), GP_DisplayOk);
    ASSERT_EQ(display->SetFullScreen(GP_ModeSystemMemoryBack, FakeWindow(), 640, 480, 16), GP_DisplayOk);
    EXPECT_EQ(display->separateBackBuffer, 1);
    ASSERT_EQ(display->SetFullScreen(0, FakeWindow(), 640, 480, 16), GP_DisplayOk);
    EXPECT_EQ(display->separateBackBuffer, 0);
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(display->SetFullScreen(0, FakeWindow(), 800, 600, 16), GP_ErrDisplayMode);
}

TEST_F(CGP_DisplayTest, LostChainIsRebuiltWhileTheModeHolds)
{
    platform::LoseAllSurfaces();
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    ASSERT_NE(display->backSurface->ddSurface, nullptr);
    EXPECT_EQ(display->backSurface->FillRect(0, 0, 1, 1, 0xFFFF), GP_SurfaceOk);
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(platform::LastPresentedFrame().pixels[0], 0xFFFF);
}

TEST_F(CGP_DisplayTest, LostChainInAForeignModeReports26AndTouchesNothing)
{
    IDirectDrawSurface4* primary = display->primarySurface->ddSurface;
    IDirectDrawSurface4* back = display->backSurface->ddSurface;
    platform::LoseAllSurfaces();
    platform::SetForeignDisplayMode(true);
    EXPECT_FALSE(display->IsModeValid());
    EXPECT_EQ(display->Present(1), GP_ErrPresent);
    EXPECT_EQ(display->primarySurface->ddSurface, primary);
    EXPECT_EQ(display->backSurface->ddSurface, back);
}

TEST_F(CGP_DisplayTest, FailedChainRebuildIsTriedAgainByTheNextPresent)
{
    const struct {
        const char* name;
        platform::FlippingChainFault fault;
        int code;
    } cases[] = {{"chain refused", platform::FlippingChainFault::Refused, 4},
                 {"no back buffer to attach", platform::FlippingChainFault::NoBackBuffer, 5}};
    for (const auto& c : cases) {
        platform::ScriptFlippingChainFaults({c.fault});
        platform::LoseAllSurfaces();
        EXPECT_EQ(display->Present(1), c.code) << c.name;
        EXPECT_NE(display->backSurface->FillRect(0, 0, 1, 1, 0x1234), 0) << c.name;
        // While the desktop is in another mode the next frames report 26 and build nothing.
        platform::SetForeignDisplayMode(true);
        EXPECT_EQ(display->Present(1), 26) << c.name;
        platform::SetForeignDisplayMode(false);
        EXPECT_EQ(display->Present(1), 0) << c.name;
        ASSERT_EQ(display->backSurface->FillRect(0, 0, 1, 1, 0x1234), 0) << c.name;
        EXPECT_EQ(display->Present(1), 0) << c.name;
        EXPECT_EQ(platform::LastPresentedFrame().pixels[0], 0x1234) << c.name;
    }
}

TEST_F(CGP_DisplayTest, WaitVerticalBlankRetriesOnlyWhileStillDrawing)
{
    platform::ScriptVerticalBlankResults({DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK});
    EXPECT_EQ(display->WaitVerticalBlank(), DD_OK);
    platform::ScriptVerticalBlankResults({DDERR_GENERIC, DDERR_WASSTILLDRAWING});
    EXPECT_EQ(display->WaitVerticalBlank(), DDERR_GENERIC);
    platform::ScriptVerticalBlankResults({});
}

TEST_F(CGP_DisplayTest, FpsChangesOnlyAfterMoreThanASecond)
{
    platform::UseFakeClock(10000);
    display->lastFpsTime = 10000;
    for (int i = 0; i < 50; ++i) {
        display->CountFrame();
        platform::AdvanceFakeClock(20);
    }
    EXPECT_EQ(display->fps, 0.0);  // exactly 1000 ms: not yet
    platform::AdvanceFakeClock(1);
    display->DrawFps(display->backSurface.get(), 10, 10);
    EXPECT_DOUBLE_EQ(display->fps, 50 * 1000.0 / 1001);
    EXPECT_EQ(display->frameCount, 1u);
    platform::UseRealClock();

    char text[32];
    std::snprintf(text, sizeof(text), "FPS=%.4g", display->fps);
    EXPECT_STREQ(text, "FPS=49.95");
    // The text is white on black at (10, 10).
    display->backSurface->Lock();
    bool white = false;
    for (int x = 10; x < 10 + 9 * 8; ++x) white |= display->backSurface->PixelRow(14)[x] == 0xFFFF;
    display->backSurface->Unlock();
    EXPECT_TRUE(white);
}

TEST_F(CGP_DisplayTest, FpsTextReadsZeroBeforeTheFirstUpdate)
{
    platform::UseFakeClock(5000);
    display->lastFpsTime = 5000;
    auto drawn = MakeSurface(64, 16, 0x1234);
    auto expected = MakeSurface(64, 16, 0x1234);
    display->DrawFps(drawn.get(), 2, 2);
    platform::UseRealClock();
    EXPECT_EQ(display->fps, 0.0);
    expected->DrawText("FPS=0", 2, 2, 0xFFFFFF, 0x000000, nullptr);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(PixelAt(*drawn, x, y), PixelAt(*expected, x, y)) << x << "," << y;
}

TEST_F(CGP_DisplayTest, GivingTheDesktopBackLeavesFullScreen)
{
    GP_GiveDesktopBack();
    EXPECT_FALSE(platform::DisplayIsFullScreen());
    EXPECT_EQ(display->windowed, 1);
    // A windowed display of the game's size presents by a blit into the primary.
    ASSERT_EQ(display->SetWindowed(0, FakeWindow(), 640, 480), GP_DisplayOk);
    display->backSurface->FillRect(0, 0, 2, 2, 0x0F0F);
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(platform::LastPresentedFrame().pixels[641], 0x0F0F);
}

TEST(CGP_DisplayLifetime, DestroyedDisplayNoLongerGivesTheDesktopBack)
{
    {
        CGP_Display display;
        ASSERT_EQ(display.Init(), GP_DisplayOk);
        ASSERT_EQ(display.SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        EXPECT_EQ(display.driverCount, 1);
    }
    EXPECT_FALSE(platform::DisplayIsFullScreen());
    GP_GiveDesktopBack();  // nothing left to call
}
