#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "TempDir.h"
#include "display/pixel_rows.h"
#include "platform/cpu_features.h"
#include "platform/ddraw.h"
#include "platform/display_testing.h"
#include "platform/headless.h"
#include "platform/screenshot.h"
#include "platform/win32_window.h"
#include "platform/wingdi.h"

namespace {

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        IDirectDraw* first = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DD_OK);
        void* wanted = nullptr;
        ASSERT_EQ(first->QueryInterface(IID_IDirectDraw4, &wanted), DD_OK);
        first->Release();
        dd = static_cast<IDirectDraw4*>(wanted);
    }
    void TearDown() override
    {
        dd->Release();
        platform::UsePixelFormat555(false);
    }

    IDirectDrawSurface4* Surface(int width, int height, DWORD caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = width;
        desc.dwHeight = height;
        desc.ddsCaps.dwCaps = caps;
        IDirectDrawSurface4* surface = nullptr;
        EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    static WORD* Row(IDirectDrawSurface4* surface, int y, DDSURFACEDESC2& desc)
    {
        return reinterpret_cast<WORD*>(static_cast<BYTE*>(desc.lpSurface) + y * desc.lPitch);
    }

    static void Fill(IDirectDrawSurface4* surface, WORD value)
    {
        DDBLTFX fx{sizeof(DDBLTFX), value};
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    }

    static WORD At(IDirectDrawSurface4* surface, int x, int y)
    {
        DDSURFACEDESC2 desc{};
        EXPECT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const WORD p = Row(surface, y, desc)[x];
        surface->Unlock(nullptr);
        return p;
    }

    static void Set(IDirectDrawSurface4* surface, int x, int y, WORD value)
    {
        DDSURFACEDESC2 desc{};
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        Row(surface, y, desc)[x] = value;
        surface->Unlock(nullptr);
    }

    IDirectDraw4* dd = nullptr;
};

TEST_F(DirectDrawTest, OverlappingCopyWithinOneSurfaceScrolls)
{
    IDirectDrawSurface4* s = Surface(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) Set(s, x, y, static_cast<WORD>(y * 4 + x));
    RECT from{0, 0, 3, 3};
    ASSERT_EQ(s->BltFast(1, 1, s, &from, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(At(s, 1, 1), 0);
    EXPECT_EQ(At(s, 3, 3), 10);
    EXPECT_EQ(At(s, 2, 3), 9);
    s->Release();
}

TEST_F(DirectDrawTest, KeyedScaledBltSkipsTheKeyRange)
{
    IDirectDrawSurface4* source = Surface(2, 1);
    Set(source, 0, 0, 5);
    Set(source, 1, 0, 9);
    DDCOLORKEY key{4, 6};
    source->SetColorKey(DDCKEY_SRCBLT, &key);
    IDirectDrawSurface4* dest = Surface(4, 1);
    Fill(dest, 1);
    RECT to{0, 0, 4, 1};
    ASSERT_EQ(dest->Blt(&to, source, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    const WORD expected[] = {1, 1, 9, 9};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(dest, x, 0), expected[x]);
    source->Release();
    dest->Release();
}

TEST_F(DirectDrawTest, KeyedCopyOfLongRowsSkipsExactlyTheKey)
{
    IDirectDrawSurface4* source = Surface(19, 1);
    IDirectDrawSurface4* dest = Surface(19, 1);
    Fill(dest, 0xAAAA);
    for (int x = 0; x < 19; ++x) Set(source, x, 0, x % 3 ? static_cast<WORD>(x) : 0x0BAD);
    DDCOLORKEY key{0x0BAD, 0x0BAD};
    source->SetColorKey(DDCKEY_SRCBLT, &key);
    ASSERT_EQ(dest->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY), DD_OK);
    for (int x = 0; x < 19; ++x) EXPECT_EQ(At(dest, x, 0), x % 3 ? x : 0xAAAA) << x;
    source->Release();
    dest->Release();
}

TEST_F(DirectDrawTest, LostSurfacesRefuseWorkUntilRestoredAndComeBackBlank)
{
    IDirectDrawSurface4* s = Surface(2, 2);
    Fill(s, 0x7777);
    platform::LoseAllSurfaces();
    DDSURFACEDESC2 desc{};
    EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(s->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(s->Restore(), DD_OK);
    EXPECT_EQ(At(s, 1, 1), 0);
    s->Release();
}

TEST_F(DirectDrawTest, FiveFiveFiveFormatReachesSurfacesAndGdi)
{
    platform::UsePixelFormat555(true);
    IDirectDrawSurface4* s = Surface(16, 12);
    DDPIXELFORMAT format{};
    ASSERT_EQ(s->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.dwRBitMask, 0x7C00u);
    EXPECT_EQ(format.dwGBitMask, 0x03E0u);
    HDC dc = nullptr;
    ASSERT_EQ(s->GetDC(&dc), DD_OK);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 255, 0));
    SetTextColor(dc, RGB(255, 255, 255));
    ASSERT_TRUE(TextOutA(dc, 0, 0, "-", 1));
    ASSERT_EQ(s->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(At(s, 0, 0), 0x03E0);  // background
    EXPECT_EQ(At(s, 1, 5), 0x7FFF);  // the dash
    s->Release();
}

TEST_F(DirectDrawTest, FlippedFrameIsWrittenAsPng)
{
    const HWND window = reinterpret_cast<HWND>(0x1000);
    ASSERT_EQ(dd->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    IDirectDrawSurface4* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawSurface4* second = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &second, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    IDirectDrawSurface4* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    Fill(back, 0xF800);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(At(back, 0, 0), 0xF800);  // the back buffer keeps its picture

    testsupport::TempDir dir;
    const std::string path = dir / "shot.png";
    ASSERT_TRUE(platform::WriteFramePng(path, platform::LastPresentedFrame()));
    const std::string png = testsupport::ReadFile(path);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xE0", 8));  // 640 x 480
    EXPECT_FALSE(platform::WriteFramePng(path, platform::PresentedFrame{}));
    primary->Release();
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    EXPECT_FALSE(platform::DisplayIsFullScreen());
}

TEST_F(DirectDrawTest, HeadlessRunWritesScreenshotsAtTheNamedTurns)
{
    testsupport::TempDir temp;
    // A folder that does not exist yet is made, with its parents.
    const std::filesystem::path dir = temp.path() / "shots" / "run";
    const platform::HeadlessSettings saved = platform::GetHeadlessSettings();
    platform::HeadlessSettings settings = saved;
    settings.shotsDir = dir.string();
    settings.shotFrames = {2};
    platform::SetHeadlessSettings(settings);
    platform::ResetHeadlessFrame();

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface4* primary = nullptr;
    ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawSurface4* back = Surface(640, 480);
    Fill(back, 0x001F);
    ASSERT_EQ(primary->Blt(nullptr, back, nullptr, DDBLT_WAIT, nullptr), DD_OK);  // a windowed present

    EXPECT_TRUE(WaitMessage());  // idle turn 1
    EXPECT_FALSE(std::filesystem::exists(dir / "shot-1.png"));
    EXPECT_TRUE(WaitMessage());  // idle turn 2
    EXPECT_TRUE(std::filesystem::exists(dir / "shot-2.png"));
    platform::SetHeadlessSettings(saved);
    back->Release();
    primary->Release();
}

TEST_F(DirectDrawTest, BadRequestsAreRefused)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface4* s = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &s, nullptr), DDERR_INVALIDPARAMS);  // 0 x 0
    EXPECT_EQ(dd->SetDisplayMode(800, 600, 16, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    IDirectDrawSurface4* plain = Surface(4, 4);
    EXPECT_EQ(plain->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    RECT outside{2, 2, 6, 6};
    EXPECT_EQ(plain->BltFast(0, 0, plain, &outside, DDBLTFAST_WAIT), DDERR_INVALIDRECT);
    EXPECT_EQ(plain->BltFast(0, 0, plain, nullptr, DDBLTFAST_SRCCOLORKEY), DDERR_NOCOLORKEY);
    plain->Release();
}

// Blits checked against a plain model of what they do, on a surface whose rows follow on in memory (4 pixels,
// 8 bytes) and one with padding after each row (5 pixels in 16 bytes), with and without the SSE2 rows.
class BlitModelTest : public DirectDrawTest {
protected:
    struct Frame {
        int width, height;
        std::vector<WORD> pixels;  // row after row, without padding
        WORD& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    };

    // Every pixel a different value, and the padding 0.
    Frame Paint(IDirectDrawSurface4* s, int width, int height, WORD base)
    {
        Frame frame{width, height, {}};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                frame.pixels.push_back(static_cast<WORD>(base + y * 16 + x));
                Set(s, x, y, frame.pixels.back());
            }
        return frame;
    }

    // The pixels, and whether every padding byte after the rows is still 0.
    static Frame Read(IDirectDrawSurface4* s, int width, int height, bool& paddingClean)
    {
        DDSURFACEDESC2 desc{};
        EXPECT_EQ(s->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        Frame frame{width, height, {}};
        paddingClean = true;
        for (int y = 0; y < height; ++y) {
            const WORD* row = Row(s, y, desc);
            frame.pixels.insert(frame.pixels.end(), row, row + width);
            for (size_t x = width; x < desc.lPitch / sizeof(WORD); ++x) paddingClean &= row[x] == 0;
        }
        s->Unlock(nullptr);
        return frame;
    }
};

TEST_F(BlitModelTest, FillsAndCopiesMatchTheModelOnFollowingAndPaddedRows)
{
    struct Case {
        const char* name;
        // Blits on the surfaces (dest, other) and the same on the model (dest, other).
        std::function<void(IDirectDrawSurface4*, IDirectDrawSurface4*)> blit;
        std::function<void(Frame&, Frame&)> model;
    };
    const auto fillModel = [](Frame& f, RECT r, WORD c) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) f.at(x, y) = c;
    };
    const Case cases[] = {
        {"fill of the whole surface", [](auto* d, auto*) { Fill(d, 0x1234); },
         [&](Frame& d, Frame&) {
             fillModel(d, RECT{0, 0, d.width, d.height}, 0x1234);
         }},
        {"fill with a colour of two equal bytes", [](auto* d, auto*) { Fill(d, 0x4242); },
         [&](Frame& d, Frame&) {
             fillModel(d, RECT{0, 0, d.width, d.height}, 0x4242);
         }},
        {"fill of a part",
         [](auto* d, auto*) {
             RECT part{1, 1, 3, 3};
             DDBLTFX fx{sizeof(DDBLTFX), 0x1234};
             ASSERT_EQ(d->Blt(&part, nullptr, nullptr, DDBLT_COLORFILL, &fx), DD_OK);
         },
         [&](Frame& d, Frame&) {
             fillModel(d, RECT{1, 1, 3, 3}, 0x1234);
         }},
        {"copy of a whole surface",
         [](auto* d, auto* o) { ASSERT_EQ(d->BltFast(0, 0, o, nullptr, DDBLTFAST_WAIT), DD_OK); },
         [](Frame& d, Frame& o) { d.pixels = o.pixels; }},
        {"whole rows scrolled down within the surface",
         [](auto* d, auto*) {
             DDSURFACEDESC2 desc{};
             d->GetSurfaceDesc(&desc);
             RECT rows{0, 0, static_cast<LONG>(desc.dwWidth), static_cast<LONG>(desc.dwHeight) - 1};
             ASSERT_EQ(d->BltFast(0, 1, d, &rows, DDBLTFAST_WAIT), DD_OK);
         },
         [](Frame& d, Frame&) {
             for (int y = d.height - 1; y > 0; --y)
                 for (int x = 0; x < d.width; ++x) d.at(x, y) = d.at(x, y - 1);
         }},
        {"keyed copy of a whole surface",
         [](auto* d, auto* o) {
             DDCOLORKEY key{0x2011, 0x2011};  // one pixel of the other surface
             o->SetColorKey(DDCKEY_SRCBLT, &key);
             ASSERT_EQ(d->BltFast(0, 0, o, nullptr, DDBLTFAST_SRCCOLORKEY), DD_OK);
         },
         [](Frame& d, Frame& o) {
             for (size_t i = 0; i < d.pixels.size(); ++i)
                 if (o.pixels[i] != 0x2011) d.pixels[i] = o.pixels[i];
         }},
    };
    for (const bool sse2 : {false, true}) {
        platform::OverrideCpuFeature(platform::CpuFeature::Sse2, sse2);
        for (const int width : {4, 5}) {
            for (const Case& c : cases) {
                IDirectDrawSurface4* dest = Surface(width, 4);
                IDirectDrawSurface4* other = Surface(width, 4);
                Frame model = Paint(dest, width, 4, 0x1000);
                Frame otherModel = Paint(other, width, 4, 0x2000);
                c.blit(dest, other);
                c.model(model, otherModel);
                bool paddingClean = false;
                EXPECT_EQ(Read(dest, width, 4, paddingClean).pixels, model.pixels)
                    << c.name << ", width " << width << (sse2 ? ", SSE2" : ", plain");
                EXPECT_TRUE(paddingClean) << c.name << ", width " << width;
                dest->Release();
                other->Release();
            }
        }
    }
    platform::OverrideCpuFeature(platform::CpuFeature::Sse2, std::nullopt);
}

TEST(BlitRows, Sse2RowsMatchThePlainOnesBitForBit)
{
    using namespace platform::display;
    std::mt19937 random(11);
    for (const int count : {0, 1, 7, 8, 9, 31, 32, 33, 640}) {
        std::vector<WORD> source(count), under(count);
        for (WORD& p : source) p = static_cast<WORD>(random() % 4 ? random() : 0x0BAD);  // a quarter keys
        for (WORD& p : under) p = static_cast<WORD>(random());

        std::vector<WORD> plain = under, fast = under;
        CopyRowSkippingPlain(plain.data(), source.data(), count, 0x0BAD);
        CopyRowSkippingSse2(fast.data(), source.data(), count, 0x0BAD);
        EXPECT_EQ(plain, fast) << "keyed copy of " << count;

        FillRowPlain(plain.data(), count, 0x1234);
        FillRowSse2(fast.data(), count, 0x1234);
        EXPECT_EQ(plain, fast) << "fill of " << count;
    }
}

}  // namespace
