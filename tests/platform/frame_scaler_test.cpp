// The present path without a GPU: our converting scaler against its plain twin and against SDL's scaled blit,
// and the window-surface output that draws only changed rows.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <random>
#include <vector>

#include "display/frame_scaler.h"
#include "display/window_surface_output.h"

namespace {

using platform::Rect;
using platform::display::FrameScaler;
using platform::display::PixelView;
using platform::display::TargetFormat;
using platform::display::TargetPixels;

struct Frame {
    Frame(int width, int height, bool is555, unsigned seed) : pixels(static_cast<size_t>(width) * height)
    {
        std::mt19937 random(seed);
        for (WORD& p : pixels) p = static_cast<WORD>(random());
        view = PixelView{pixels.data(), static_cast<LONG>(width * sizeof(WORD)), width, height, is555};
    }
    std::vector<WORD> pixels;
    PixelView view;
};

struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

SurfacePtr BlackSurface(int width, int height, Uint32 format)
{
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, format));
    SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    return surface;
}

TargetPixels TargetOf(SDL_Surface* s)
{
    const SDL_PixelFormat& f = *s->format;
    return {s->pixels, s->pitch, s->w, s->h,
            *platform::display::TargetFormatFromMasks(f.BytesPerPixel, f.Rmask, f.Gmask, f.Bmask, f.Amask)};
}

bool SamePixels(SDL_Surface* a, SDL_Surface* b)
{
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                        static_cast<size_t>(a->w) * a->format->BytesPerPixel) != 0)
            return false;
    return true;
}

SurfacePtr FrameSurface(const Frame& frame)
{
    const Uint32 format = frame.view.is555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    return SurfacePtr(SDL_CreateRGBSurfaceWithFormatFrom(frame.view.pixels, frame.view.width, frame.view.height, 16,
                                                         frame.view.pitch, format));
}

TEST(FrameScaler, PicturesFitWithTheirAspectInTheMiddle)
{
    struct Case {
        int areaWidth, areaHeight;
        Rect place;
    };
    const Case cases[] = {
        {640, 480, Rect::At(0, 0, 640, 480)},
        {1280, 960, Rect::At(0, 0, 1280, 960)},
        {1280, 1024, Rect::At(0, 32, 1280, 960)},
        {1920, 1080, Rect::At(240, 0, 1440, 1080)},
        {333, 777, Rect::At(0, 264, 333, 249)},
        {641, 479, Rect::At(1, 0, 638, 479)},
        {0, 480, Rect{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::display::FitPicture(640, 480, c.areaWidth, c.areaHeight), c.place)
            << c.areaWidth << " x " << c.areaHeight;
}

TEST(FrameScaler, TargetFormatsItCannotWriteAreRefused)
{
    EXPECT_FALSE(platform::display::TargetFormatFromMasks(3, 0xFF0000, 0xFF00, 0xFF, 0));
    EXPECT_FALSE(platform::display::TargetFormatFromMasks(4, 0x3FF00000, 0xFFC00, 0x3FF, 0));  // 10-bit channels
    EXPECT_FALSE(platform::display::TargetFormatFromMasks(4, 0xF0F00000, 0xFF00, 0xFF, 0));    // split mask
    EXPECT_TRUE(platform::display::TargetFormatFromMasks(2, 0xF800, 0x7E0, 0x1F, 0));
    EXPECT_TRUE(platform::display::TargetFormatFromMasks(4, 0xFF, 0xFF00, 0xFF0000, 0xFF000000));
}

// Every channel layout and factor, rows of odd lengths and a row of every pixel value: the SSE2 rows write what the plain ones write.
TEST(FrameScaler, Sse2RowsAreBitForBitThePlainRows)
{
    const Uint32 formats[] = {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_BGR888, SDL_PIXELFORMAT_ARGB8888,
                              SDL_PIXELFORMAT_RGBA8888};
    for (const bool is555 : {false, true})
        for (const Uint32 format : formats) {
            SurfacePtr probe = BlackSurface(1, 1, format);
            const TargetFormat to = TargetOf(probe.get()).format;
            const platform::PixelFormat& from = platform::display::PixelFormatOf(is555);
            for (const int count : {1, 7, 8, 13, 640, 65536})
                for (int factor = 1; factor <= 5; ++factor) {
                    Frame row(count, 1, is555, static_cast<unsigned>(count * 7 + factor));
                    if (count == 65536) std::iota(row.pixels.begin(), row.pixels.end(), WORD{0});  // every pixel
                    std::vector<std::uint32_t> plain(count * factor + 1, 0xDEADBEEF), sse2 = plain;
                    platform::display::ConvertRowRepeatedPlain(plain.data(), row.pixels.data(), count, factor, from,
                                                               to);
                    platform::display::ConvertRowRepeatedSse2(sse2.data(), row.pixels.data(), count, factor, from, to);
                    EXPECT_EQ(plain, sse2) << SDL_GetPixelFormatName(format) << " " << count << " x" << factor;
                }
        }
}

// The frame scaled into windows of whole, broken and odd factors, wider and taller than the picture: pixel for
// pixel what SDL_BlitScaled makes of it, the bands left black.
TEST(FrameScaler, PicturesAreWhatSdlsScaledBlitMakes)
{
    struct Case {
        int frameWidth, frameHeight;
        bool is555;
        int width, height;
        Uint32 format;
    };
    const Case cases[] = {
        {640, 480, false, 1280, 960, SDL_PIXELFORMAT_RGB888},  {640, 480, false, 1920, 1080, SDL_PIXELFORMAT_RGB888},
        {640, 480, false, 1280, 1024, SDL_PIXELFORMAT_BGR888}, {640, 480, true, 1920, 1440, SDL_PIXELFORMAT_ARGB8888},
        {640, 480, false, 2560, 1920, SDL_PIXELFORMAT_RGB888}, {640, 480, false, 3200, 2400, SDL_PIXELFORMAT_RGB888},
        {640, 480, false, 641, 479, SDL_PIXELFORMAT_RGB888},   {640, 480, false, 333, 777, SDL_PIXELFORMAT_RGB888},
        {37, 23, false, 1001, 333, SDL_PIXELFORMAT_RGB888},    {640, 480, true, 1280, 1024, SDL_PIXELFORMAT_RGB565},
        {640, 480, false, 1366, 768, SDL_PIXELFORMAT_RGB565},
    };
    for (const Case& c : cases) {
        const Frame frame(c.frameWidth, c.frameHeight, c.is555, static_cast<unsigned>(c.width));
        SurfacePtr source = FrameSurface(frame);
        const Rect place = platform::display::FitPicture(c.frameWidth, c.frameHeight, c.width, c.height);
        SurfacePtr sdl = BlackSurface(c.width, c.height, c.format);
        SDL_Rect to{place.left, place.top, place.Width(), place.Height()};
        ASSERT_EQ(SDL_BlitScaled(source.get(), nullptr, sdl.get(), &to), 0);
        for (const bool sse2 : {false, true}) {
            SurfacePtr ours = BlackSurface(c.width, c.height, c.format);
            const TargetPixels target = TargetOf(ours.get());
            FrameScaler scaler(c.frameWidth, c.frameHeight, c.is555, place, target.format, sse2);
            const FrameScaler::Rows rows = scaler.Scale(target, frame.view, 0, c.frameHeight);
            EXPECT_EQ(rows.top, place.top);
            EXPECT_EQ(rows.bottom, place.bottom);
            EXPECT_TRUE(SamePixels(ours.get(), sdl.get()))
                << c.width << " x " << c.height << " " << SDL_GetPixelFormatName(c.format) << (sse2 ? " sse2" : "");
        }
    }
}

// Rows of a changed frame drawn over the old picture give the picture of the new frame, and the target rows
// written are told.
TEST(FrameScaler, ChangedRowsAloneBringThePictureUpToDate)
{
    for (const int width : {1280, 1920}) {
        const int height = 1080;
        Frame frame(640, 480, false, 5);
        SurfacePtr surface = BlackSurface(width, height, SDL_PIXELFORMAT_RGB888);
        const TargetPixels target = TargetOf(surface.get());
        const Rect place = platform::display::FitPicture(640, 480, width, height);
        FrameScaler scaler(640, 480, false, place, target.format, true);
        scaler.Scale(target, frame.view, 0, 480);
        for (int y = 100; y < 111; ++y) std::memset(frame.view.Row(y), 0x5A, 640 * sizeof(WORD));
        const FrameScaler::Rows rows = scaler.Scale(target, frame.view, 100, 111);
        SurfacePtr whole = BlackSurface(width, height, SDL_PIXELFORMAT_RGB888);
        FrameScaler(640, 480, false, place, target.format, false).Scale(TargetOf(whole.get()), frame.view, 0, 480);
        EXPECT_TRUE(SamePixels(surface.get(), whole.get())) << width;
        const auto nearest = platform::display::NearestSources(480, place.Height());
        EXPECT_EQ(nearest[rows.top - place.top], 100);
        EXPECT_EQ(nearest[rows.top - place.top - 1], 99);
        EXPECT_EQ(nearest[rows.bottom - place.top - 1], 110);
        EXPECT_EQ(nearest[rows.bottom - place.top], 111);
    }
}

TEST(FrameScaler, APlaceOffTheTargetWritesNothing)
{
    const Frame frame(640, 480, false, 1);
    SurfacePtr surface = BlackSurface(640, 480, SDL_PIXELFORMAT_RGB888);
    const TargetPixels target = TargetOf(surface.get());
    FrameScaler scaler(640, 480, false, Rect::At(1, 0, 640, 480), target.format, true);
    const FrameScaler::Rows rows = scaler.Scale(target, frame.view, 0, 480);
    EXPECT_EQ(rows.bottom, rows.top);
}

// The output on SDL's dummy video driver, whose windows have plain memory surfaces.
class WindowSurfaceOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("test", 0, 0, 800, 700, 0);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    }

    // The window surface beside what SDL's scaled blit makes of the frame on black.
    void ExpectPictureOf(const Frame& frame)
    {
        SDL_Surface* shown = SDL_GetWindowSurface(window);
        SurfacePtr expected = BlackSurface(shown->w, shown->h, shown->format->format);
        const Rect place = platform::display::FitPicture(640, 480, shown->w, shown->h);
        SDL_Rect to{place.left, place.top, place.Width(), place.Height()};
        SDL_BlitScaled(FrameSurface(frame).get(), nullptr, expected.get(), &to);
        EXPECT_TRUE(SamePixels(shown, expected.get())) << shown->w << " x " << shown->h;
    }

    SDL_Window* window = nullptr;
};

TEST_F(WindowSurfaceOutputTest, ChangedFramesAndResizedWindowsShowTheWholePicture)
{
    platform::display::WindowSurfaceOutput output;
    Frame frame(640, 480, false, 9);
    const auto placed = output.Show(window, frame.view);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->place, Rect::At(0, 50, 800, 600));
    EXPECT_DOUBLE_EQ(placed->scaleX, 1.25);
    ExpectPictureOf(frame);

    for (int y = 200; y < 230; ++y) std::memset(frame.view.Row(y), 0x33, 640 * sizeof(WORD));
    frame.view.Row(479)[639] = 0xFFFF;
    output.Show(window, frame.view);
    ExpectPictureOf(frame);

    SDL_SetWindowSize(window, 1000, 400);
    SDL_PumpEvents();
    const auto resized = output.Show(window, frame.view);
    ASSERT_TRUE(resized);
    EXPECT_EQ(resized->place, Rect::At(233, 0, 533, 400));
    ExpectPictureOf(frame);
}

}  // namespace
