// A headless display set up as the game sets it up (full screen 640 x 480 x 16, values published), for the
// engine's display, surface, effect and picture tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "GP_Display.h"
#include "GP_Surface.h"
#include "platform/display_testing.h"
#include "platform/screenshot.h"

class DisplayTest : public ::testing::Test {
protected:
    static HWND FakeWindow() { return reinterpret_cast<HWND>(0x1000); }

    void SetUp() override { MakeDisplay(false); }

    void MakeDisplay(bool use555)
    {
        display.reset();
        platform::UsePixelFormat555(use555);
        display = std::make_unique<CGP_Display>();
        ASSERT_EQ(display->Init(), GP_DisplayOk);
        ASSERT_EQ(display->SetFullScreen(0, FakeWindow(), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(display.get());
    }

    void TearDown() override
    {
        display.reset();
        GP_DisplayPtr = nullptr;
        platform::UsePixelFormat555(false);
        platform::SetVideoMemoryFull(false);
        platform::SetForeignDisplayMode(false);
        platform::ScriptFlippingChainFaults({});
    }

    // An off-screen surface of the kind, filled with one colour.
    std::unique_ptr<CGP_Surface> MakeSurface(int width, int height, std::uint16_t colour = 0,
                                             std::uint16_t kind = GP_SurfaceSystem)
    {
        auto surface = std::make_unique<CGP_Surface>();
        EXPECT_EQ(surface->Create(display.get(), kind, width, height), GP_SurfaceOk);
        surface->Clear(colour);
        return surface;
    }

    static std::uint16_t PixelAt(CGP_Surface& surface, int x, int y)
    {
        surface.Lock();
        const std::uint16_t p = surface.PixelRow(y)[x];
        surface.Unlock();
        return p;
    }

    static void SetPixel(CGP_Surface& surface, int x, int y, std::uint16_t value)
    {
        surface.Lock();
        surface.PixelRow(y)[x] = value;
        surface.Unlock();
    }

    static long FramesShown() { return platform::LastPresentedFrame().count; }

    std::unique_ptr<CGP_Display> display;
};
