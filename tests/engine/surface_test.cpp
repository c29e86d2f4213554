#include <gtest/gtest.h>

#include "DisplayFixture.h"

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, BltFastLeftOfTheScreenCopiesFromFurtherRight)
{
    auto source = MakeSurface(20, 1);
    for (int x = 0; x < 20; ++x) SetPixel(*source, x, 0, static_cast<std::uint16_t>(100 + x));
    auto dest = MakeSurface(640, 4, 7);
    ASSERT_EQ(source->BltFast(dest.get(), -10, 0, 0, 0, 20, 1), DD_OK);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(*dest, x, 0), 110 + x) << x;
    EXPECT_EQ(PixelAt(*dest, 10, 0), 7);
}

TEST_F(SurfaceTest, ColourKeyedPixelsAreSkipped)
{
    auto sprite = MakeSurface(3, 1);
    SetPixel(*sprite, 0, 0, 0xF800);
    SetPixel(*sprite, 1, 0, 0x0000);  // the key
    SetPixel(*sprite, 2, 0, 0x001F);
    sprite->SetSourceColorKey(0);
    auto dest = MakeSurface(8, 1, 0x07E0);

    sprite->useColorKey = 1;
    ASSERT_EQ(sprite->BltFast(dest.get(), 2, 0, 0, 0, 3, 1), DD_OK);
    const std::uint16_t keyed[] = {0x07E0, 0x07E0, 0xF800, 0x07E0, 0x001F, 0x07E0};
    for (int x = 0; x < 6; ++x) EXPECT_EQ(PixelAt(*dest, x, 0), keyed[x]) << x;

    sprite->useColorKey = 0;
    ASSERT_EQ(sprite->BltFast(dest.get(), 2, 0, 0, 0, 3, 1), DD_OK);
    EXPECT_EQ(PixelAt(*dest, 3, 0), 0x0000);
}

TEST_F(SurfaceTest, EmptySourceRectangleDoesNothing)
{
    auto source = MakeSurface(4, 4, 0xFFFF);
    auto dest = MakeSurface(4, 4, 0);
    EXPECT_EQ(source->BltFast(dest.get(), 0, 0, 2, 0, 2, 4), DD_OK);
    EXPECT_EQ(source->BltFast(dest.get(), 0, 0, 0, 3, 4, 3), DD_OK);
    EXPECT_EQ(PixelAt(*dest, 2, 0), 0);
}

// After clipping to the screen, a rectangle that does not lie inside the destination is refused whole.
TEST_F(SurfaceTest, BlitsAndFillsOutsideTheDestinationAreRefused)
{
    auto source = MakeSurface(32, 32, 0xFFFF);
    auto dest = MakeSurface(16, 16, 0x1234);
    EXPECT_EQ(source->BltFast(dest.get(), 8, 8, 0, 0, 16, 16), DDERR_INVALIDRECT);
    EXPECT_EQ(source->Blt(dest.get(), 0, 0, 32, 32, 0, 0, 32, 32), DDERR_INVALIDRECT);
    EXPECT_EQ(dest->FillRect(10, 10, 20, 20, 0), GP_ErrFill);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(PixelAt(*dest, x, y), 0x1234);
    EXPECT_EQ(source->BltFast(dest.get(), 0, 0, 0, 0, 16, 16), DD_OK);
    EXPECT_EQ(PixelAt(*dest, 15, 15), 0xFFFF);
}

TEST_F(SurfaceTest, ScaledBltDoublesAndCutsTheSourceInProportion)
{
    auto source = MakeSurface(4, 1);
    for (int x = 0; x < 4; ++x) SetPixel(*source, x, 0, static_cast<std::uint16_t>(x + 1));
    auto dest = MakeSurface(640, 2);
    // 4 pixels onto 8, starting 4 pixels left of the screen: the first two source pixels are cut away.
    ASSERT_EQ(source->Blt(dest.get(), 0, 0, 4, 1, -4, 0, 4, 2), DD_OK);
    const std::uint16_t expected[] = {3, 3, 4, 4, 0};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelAt(*dest, x, 1), expected[x]) << x;
}

TEST_F(SurfaceTest, ScaledBltToAnEmptyRectangleIsAnError)
{
    auto source = MakeSurface(4, 4, 0xFFFF);
    auto dest = MakeSurface(4, 4, 0);
    EXPECT_NE(source->Blt(dest.get(), 0, 0, 4, 4, 2, 2, 2, 4), DD_OK);
    EXPECT_NE(source->Blt(dest.get(), 0, 0, 4, 4, 0, 3, 4, 1), DD_OK);
    EXPECT_EQ(PixelAt(*dest, 2, 2), 0);
}

TEST_F(SurfaceTest, KindOneFallsBackToSystemMemory)
{
    auto video = MakeSurface(8, 8, 0, GP_SurfaceVideoOrSystem);
    EXPECT_EQ(video->kind, GP_SurfaceVideo);
    platform::SetVideoMemoryFull(true);
    auto fallback = MakeSurface(8, 8, 0, GP_SurfaceVideoOrSystem);
    EXPECT_EQ(fallback->kind, GP_SurfaceSystem);
    CGP_Surface none;
    EXPECT_EQ(none.Create(display.get(), GP_SurfaceVideo, 8, 8), GP_ErrCreate);
}

TEST_F(SurfaceTest, OwnMemoryKeepsItsPixelsAndPitch)
{
    auto own = MakeSurface(5, 3, 0x4321, GP_SurfaceOwnMemory);
    EXPECT_EQ(own->pitch, 16);  // 5 x 2 bytes, rounded up to 8
    void* memory = own->pixels;
    EXPECT_EQ(own->Lock(), GP_SurfaceOk);
    EXPECT_EQ(own->pixels, memory);
    EXPECT_EQ(own->PixelRow(2)[4], 0x4321);
}

TEST_F(SurfaceTest, DrawTextKeepsADeviceContextAlreadyHeld)
{
    auto surface = MakeSurface(64, 16, 0);
    ASSERT_EQ(surface->GetDC(), GP_SurfaceOk);
    EXPECT_EQ(surface->DrawText("FPS=1", 0, 0, 0xFFFFFF, 0x0000FF, nullptr), GP_SurfaceOk);
    EXPECT_EQ(surface->dcHeld, 1);
    ASSERT_EQ(surface->ReleaseDC(), GP_SurfaceOk);
    EXPECT_EQ(surface->DrawText("8", 0, 0, 0xFFFFFF, 0x0000FF, nullptr), GP_SurfaceOk);
    EXPECT_EQ(surface->dcHeld, 0);
    // The opaque background covers the whole cell; the ink is white.
    EXPECT_EQ(PixelAt(*surface, 0, 0), 0xF800);
    bool inked = false;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 8; ++x) inked |= PixelAt(*surface, x, y) == 0xFFFF;
    EXPECT_TRUE(inked);
}

namespace {

int restoredCount = 0;
void CountRestore(CGP_Surface* surface, void* data)
{
    ++restoredCount;
    surface->Clear(*static_cast<std::uint16_t*>(data));
}

}  // namespace

TEST_F(SurfaceTest, LostSurfacesAreRestoredAndRedrawnByTheirHandler)
{
    auto picture = MakeSurface(8, 8, 0x1111);
    std::uint16_t redraw = 0x2222;
    picture->SetRestoreHandler(&CountRestore, &redraw, false);
    restoredCount = 0;
    platform::LoseAllSurfaces();

    // The blit meets the lost surfaces, restores them and goes through; the next present runs the handlers.
    EXPECT_EQ(picture->BltFast(display->backSurface.get(), 0, 0, 0, 0, 8, 8), DD_OK);
    EXPECT_EQ(display->surfacesLost, 1);
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(restoredCount, 1);
    EXPECT_EQ(display->surfacesLost, 0);
    EXPECT_EQ(PixelAt(*picture, 7, 7), 0x2222);
}

// The leak checker and the handler's read show the faults: restore data that the surface owns is freed once,
// when a new handler takes its place or the surface goes, and data handed over again stays alive.
TEST_F(SurfaceTest, OwnedRestoreDataIsFreedOnceWhenReplacedOrWhenTheSurfaceGoes)
{
    auto picture = MakeSurface(2, 2, 0);
    auto* first = static_cast<std::uint16_t*>(::operator new(sizeof(std::uint16_t)));
    *first = 0x1111;
    picture->SetRestoreHandler(&CountRestore, first, true);
    picture->SetRestoreHandler(&CountRestore, first, true);
    auto* second = static_cast<std::uint16_t*>(::operator new(sizeof(std::uint16_t)));
    *second = 0x3333;
    picture->SetRestoreHandler(&CountRestore, second, true);
    platform::LoseAllSurfaces();
    EXPECT_TRUE(picture->Restore());
    EXPECT_EQ(display->Present(1), GP_DisplayOk);
    EXPECT_EQ(PixelAt(*picture, 1, 1), 0x3333);
}

TEST_F(SurfaceTest, FramesCutAGridAndDrawByIndex)
{
    auto sheet = MakeSurface(6, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) SetPixel(*sheet, x, y, static_cast<std::uint16_t>(10 * y + x));
    CGP_SurfaceFrames frames;
    frames.AddGrid(sheet.get(), 0, 0, 3, 2, 2, 2);
    ASSERT_EQ(frames.Count(), 4);
    EXPECT_EQ(frames.Get(3)->left, 3);
    EXPECT_EQ(frames.Get(3)->top, 2);
    EXPECT_EQ(frames.Get(4), nullptr);
    auto dest = MakeSurface(8, 8);
    ASSERT_EQ(frames.Draw(dest.get(), 1, 1, 3), DD_OK);
    EXPECT_EQ(PixelAt(*dest, 1, 1), 23);
    EXPECT_EQ(PixelAt(*dest, 3, 2), 35);
    EXPECT_NE(frames.Draw(dest.get(), 0, 0, 9), DD_OK);
}
