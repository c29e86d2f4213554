#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "PictureFiles.h"
#include "GP_Picture.h"
#include "TempDir.h"
#include "platform/files.h"
#include "platform/wingdi.h"


using namespace picturefiles;

class PictureTest : public DisplayTest {
protected:
    // Loads the bytes as a picture of the type; false when the decoder refuses them.
    bool Load(const std::string& bytes, int type, const std::string& prefix = "")
    {
        const std::string path = dir / "picture.bin";
        testsupport::WriteFile(path, prefix + bytes);
        std::FILE* file = platform::OpenFile(path, "rb");
        if (!file) return false;
        std::fseek(file, static_cast<long>(prefix.size()), SEEK_SET);
        const bool loaded = picture.Load(file, type);
        std::fclose(file);
        return loaded;
    }

    // The picture's pixels as the screen gets them: its GDI bitmap copied into a surface's DC.
    std::vector<std::uint16_t> ScreenPixels()
    {
        const int w = picture.GetWidth(), h = picture.GetHeight();
        auto surface = MakeSurface(w, h);
        HBITMAP bitmap = picture.CreateBitmap();
        EXPECT_NE(bitmap, nullptr);
        EXPECT_EQ(surface->GetDC(), GP_SurfaceOk);
        HDC memory = CreateCompatibleDC(surface->dc);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        EXPECT_TRUE(BitBlt(surface->dc, 0, 0, w, h, memory, 0, 0, SRCCOPY));
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
        surface->ReleaseDC();
        std::vector<std::uint16_t> out;
        surface->Lock();
        for (int y = 0; y < h; ++y) out.insert(out.end(), surface->PixelRow(y), surface->PixelRow(y) + w);
        surface->Unlock();
        return out;
    }

    testsupport::TempDir dir;
    CGP_Picture picture;
};

TEST_F(PictureTest, BmpVariantsGiveTheColoursGdiWouldGive)
{
    struct Case {
        const char* name;
        BmpOptions options;
    };
    const Case cases[] = {
        {"1 bit", {.bpp = 1}},
        {"4 bits", {.bpp = 4}},
        {"8 bits", {.bpp = 8}},
        {"16 bits 5-5-5", {.bpp = 16}},
        {"16 bits bitfields", {.bpp = 16, .bitfields = true}},
        {"24 bits", {.bpp = 24}},
        {"24 bits top-down", {.bpp = 24, .topDown = true}},
        {"32 bits", {.bpp = 32}},
        {"32 bits bitfields", {.bpp = 32, .bitfields = true}},
        {"bare DIB", {.bpp = 8, .fileHeader = false}},
        {"core header", {.bpp = 8, .core = true}},
        {"core header 24 bits", {.bpp = 24, .core = true}},
        {"124-byte header 8 bits", {.bpp = 8, .headerSize = 124}},
        {"108-byte header bitfields", {.bpp = 16, .bitfields = true, .headerSize = 108}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Load(MakeBmp(c.options), 0, "pack header")) << c.name;
        ASSERT_EQ(picture.GetWidth(), 3) << c.name;
        ASSERT_EQ(picture.GetHeight(), 2) << c.name;
        const std::vector<std::uint16_t> pixels = ScreenPixels();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const Rgb colour = Colours[ColourAt(x, y, c.options.bpp)];
                const bool narrow = c.options.bpp == 16 && !c.options.bitfields;
                EXPECT_EQ(pixels[y * 3 + x], narrow ? From555(colour) : Expected565(colour))
                    << c.name << " at " << x << "," << y;
            }
    }
}

TEST_F(PictureTest, FiveFiveFiveScreenGetsFiveFiveFivePixels)
{
    MakeDisplay(true);
    ASSERT_TRUE(Load(MakeBmp({.bpp = 24}), 0));
    const std::vector<std::uint16_t> pixels = ScreenPixels();
    const Rgb grey = Colours[4];  // 128, 128, 128
    EXPECT_EQ(pixels[1 * 3 + 1], (grey.r >> 3) << 10 | (grey.g >> 3) << 5 | grey.b >> 3);
    EXPECT_EQ(pixels[0], 0x7C00);  // red
}

TEST_F(PictureTest, DamagedPicturesAreRefused)
{
    for (const DamagedFile& c : DamagedBmps()) EXPECT_FALSE(Load(c.bytes, 0)) << c.name;
    for (const DamagedFile& c : DamagedJpegs()) EXPECT_FALSE(Load(c.bytes, 1)) << c.name;
}

TEST_F(PictureTest, ColourJpegIsQuantisedToAPaletteOfAtMost128)
{
    ASSERT_TRUE(Load(MakeJpeg(32, 16, false, {250, 10, 10}, {10, 10, 250}), 1));
    EXPECT_EQ(picture.GetInfo()->bmiHeader.biBitCount, 8);
    EXPECT_NE(picture.GetPalette(), nullptr);
    const std::vector<std::uint16_t> pixels = ScreenPixels();
    auto red = [](std::uint16_t p) { return p >> 11; };
    auto blue = [](std::uint16_t p) { return p & 31; };
    EXPECT_GE(red(pixels[8 * 32 + 2]), 26);
    EXPECT_LE(blue(pixels[8 * 32 + 2]), 5);
    EXPECT_GE(blue(pixels[8 * 32 + 29]), 26);
    EXPECT_LE(red(pixels[8 * 32 + 29]), 5);
}

TEST_F(PictureTest, GreyJpegUsesAGreyRamp)
{
    ASSERT_TRUE(Load(MakeJpeg(16, 8, true, {96, 96, 96}, {200, 200, 200}), 1));
    const std::vector<std::uint16_t> pixels = ScreenPixels();
    const std::uint16_t p = pixels[4 * 16 + 2];
    EXPECT_NEAR(p >> 11, 96 >> 3, 1);
    EXPECT_NEAR(p >> 5 & 63, 96 >> 2, 1);
    EXPECT_EQ(p >> 11, p & 31);  // grey: red and blue alike
}

TEST_F(PictureTest, TypesComeFromTheExtensionWithoutRegardToCase)
{
    EXPECT_EQ(GP_PictureType("jpg"), 1);
    EXPECT_EQ(GP_PictureType("JPG"), 1);
    EXPECT_EQ(GP_PictureType("Bmp"), 0);
    EXPECT_EQ(GP_PictureType("gif"), 2);
    EXPECT_EQ(GP_PictureType("XPM"), 3);
    EXPECT_EQ(GP_PictureType("png"), 4);
    EXPECT_EQ(GP_PictureType("tga"), -1);
    EXPECT_EQ(GP_PictureType(""), -1);
    EXPECT_FALSE(Load(MakeBmp({}), 2));
    EXPECT_FALSE(Load(MakeBmp({}), -1));
}
