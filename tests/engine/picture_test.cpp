#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "GP_Picture.h"
#include "PictureFiles.h"
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

    // The DIB's pixel rows as the decoder left them, bottom row first.
    std::string Rows()
    {
        const CGP_PictureDecoder& d = *picture.decoder;
        return std::string(reinterpret_cast<const char*>(d.bits), static_cast<size_t>(d.stride) * d.height);
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

TEST_F(PictureTest, RunLengthBmpsLoadLikeTheirUncompressedTwins)
{
    const std::vector<Rgb> six = Colours;
    const std::vector<Rgb> two(Colours.begin(), Colours.begin() + 2);
    struct Case {
        const char* name;
        int plainBpp;
        const std::vector<Rgb>& table;
        int bpp;
        BmpCoding coding;
        bool skips;
        bool storedSize;
    };
    const Case cases[] = {
        {"RLE8", 8, six, 8, BmpCoding::Rle8, true, true},
        {"RLE8 without skips", 8, six, 8, BmpCoding::Rle8, false, true},
        {"RLE8 with image size 0", 8, six, 8, BmpCoding::Rle8, true, false},
        {"RLE4", 4, six, 4, BmpCoding::Rle4, true, true},
        {"RLE4 without skips", 4, six, 4, BmpCoding::Rle4, false, true},
        // 1-bit pictures have no run-length coding of their own (a 1-bit header with one is refused): coded,
        // a 1-bit picture is a 4- or 8-bit one of the same two colours, and it shows the same.
        {"1 bit as RLE4", 1, two, 4, BmpCoding::Rle4, true, true},
        {"1 bit as RLE8", 1, two, 8, BmpCoding::Rle8, true, true},
    };
    for (const Case& c : cases) {
        const IndexedPicture drawn = RunsPicture(c.table);
        ASSERT_TRUE(Load(MakeIndexedBmp(drawn, c.plainBpp, BmpCoding::Plain), 0)) << c.name;
        const std::vector<std::uint16_t> plainPixels = ScreenPixels();
        const std::string plainRows = Rows();
        ASSERT_TRUE(Load(MakeIndexedBmp(drawn, c.bpp, c.coding, c.skips, c.storedSize), 0, "pack")) << c.name;
        ASSERT_EQ(picture.GetWidth(), drawn.width) << c.name;
        ASSERT_EQ(picture.GetHeight(), drawn.height) << c.name;
        const std::vector<std::uint16_t> pixels = ScreenPixels();
        EXPECT_EQ(pixels, plainPixels) << c.name;
        for (int y = 0; y < drawn.height; ++y)
            for (int x = 0; x < drawn.width; ++x)
                ASSERT_EQ(pixels[y * drawn.width + x], Expected565(c.table[drawn.At(x, y)])) << c.name << x << "," << y;
        if (c.bpp != c.plainBpp) continue;
        EXPECT_EQ(Rows(), plainRows) << c.name;
        EXPECT_EQ(picture.GetInfo()->bmiHeader.biCompression, BI_RGB) << c.name;
        EXPECT_EQ(picture.GetInfo()->bmiHeader.biSizeImage, plainRows.size()) << c.name;
    }
}

TEST_F(PictureTest, RunLengthCodesStayInsideTheirRowAndTheirData)
{
    // 4 x 3 pictures; rows are given bottom first, one byte per 8-bit pixel (two 4-bit pixels to a byte).
    auto rows = [](const char* bottom, const char* middle, const char* top) {
        return std::string(bottom, 4) + std::string(middle, 4) + std::string(top, 4);
    };
    struct Case {
        const char* name;
        std::string codes;
        int bpp = 8;
        BmpCoding coding = BmpCoding::Rle8;
        std::string expected;  // empty: refused
        int storedExtra = 0;   // added to the image size the header gives
    };
    const std::string codesBeyondTheLastRow = std::string("\0\0\0\0\0\0\0\x02\x07", 9);
    const Case cases[] = {
        {"a run past the row's end", std::string("\x06\x02\0\0\x01\x03\0\x01", 8), 8, BmpCoding::Rle8,
         rows("\2\2\2\2", "\3\0\0\0", "\0\0\0\0")},
        {"an absolute run past the row's end", std::string("\0\x05\1\2\3\4\5\0\0\0\x01\x03\0\x01", 14), 8,
         BmpCoding::Rle8, rows("\1\2\3\4", "\3\0\0\0", "\0\0\0\0")},
        {"a 4-bit run past the row's end", std::string("\x07\x12\0\0\x01\x30\0\x01", 8), 4, BmpCoding::Rle4,
         rows("\x12\x12\0\0", "\x30\0\0\0", "\0\0\0\0")},
        {"deltas past the row's end and the last row",
         std::string("\x01\x01\0\x02\xFF\0\x01\x02\0\x02\0\xFF\x04\x05", 14), 8, BmpCoding::Rle8,
         rows("\1\0\0\0", "\0\0\0\0", "\0\0\0\0")},
        {"codes beyond the last row are not read", codesBeyondTheLastRow, 8, BmpCoding::Rle8,
         rows("\0\0\0\0", "\0\0\0\0", "\0\0\0\0")},
        {"data ending between codes", std::string("\x04\x01\0\0\x02\x03", 6), 8, BmpCoding::Rle8,
         rows("\1\1\1\1", "\3\3\0\0", "\0\0\0\0")},
        {"codes past the image size are not read", std::string("\x04\x01\0\0\x04\x02", 6), 8, BmpCoding::Rle8,
         rows("\1\1\1\1", "\0\0\0\0", "\0\0\0\0"), -2},
        {"data cut inside a run", std::string("\x04", 1), 8, BmpCoding::Rle8, ""},
        {"data cut inside a delta", std::string("\0\x02\x01", 3), 8, BmpCoding::Rle8, ""},
        {"data cut inside an absolute run", std::string("\0\x05\1\2", 4), 8, BmpCoding::Rle8, ""},
        {"an odd absolute run without its padding", std::string("\0\x03\1\2\3", 5), 8, BmpCoding::Rle8, ""},
        {"an image size beyond the file", std::string("\x04\x01\0\x01", 4), 8, BmpCoding::Rle8, "", 100},
        {"RLE8 at 4 bits", std::string("\0\x01", 2), 4, BmpCoding::Rle8, ""},
        {"RLE4 at 1 bit", std::string("\0\x01", 2), 1, BmpCoding::Rle4, ""},
        {"RLE8 at 1 bit", std::string("\0\x01", 2), 1, BmpCoding::Rle8, ""},
    };
    for (const Case& c : cases) {
        const unsigned stored = c.codes.size() + c.storedExtra;
        const std::string file = IndexedBmpFile(4, 3, c.bpp, c.coding, Colours, c.codes, stored);
        ASSERT_EQ(Load(file + "next resource", 0), !c.expected.empty()) << c.name;
        if (!c.expected.empty()) {
            EXPECT_EQ(Rows(), c.expected) << c.name;
        }
    }
    const std::string topDown = IndexedBmpFile(4, -3, 8, BmpCoding::Rle8, Colours, std::string("\0\x01", 2), 2);
    EXPECT_FALSE(Load(topDown, 0)) << "run-length codes are stored bottom-up only";
}

TEST_F(PictureTest, InkJpegsShowTheirColours)
{
    // Red (magenta and yellow, no black) and the grey of half black. The palette comes from inks quantised
    // to a few levels each; black's middle level is 128.
    const Inks red{0, 255, 255, 0}, grey{0, 0, 0, 128};
    const struct {
        const char* name;
        InkCoding coding;
    } cases[] = {{"CMYK", InkCoding::Cmyk}, {"Adobe CMYK", InkCoding::AdobeCmyk}, {"Adobe YCCK", InkCoding::AdobeYcck}};
    for (const auto& c : cases) {
        ASSERT_TRUE(Load(MakeInkJpeg(32, 16, c.coding, red, grey), 1)) << c.name;
        EXPECT_EQ(picture.GetInfo()->bmiHeader.biBitCount, 8) << c.name;
        const std::vector<std::uint16_t> pixels = ScreenPixels();
        for (int y : {2, 8, 13}) {
            const std::uint16_t left = pixels[y * 32 + 4], right = pixels[y * 32 + 27];
            EXPECT_EQ(left, Expected565({255, 0, 0})) << c.name << " row " << y;
            EXPECT_NEAR(right >> 11, 127 >> 3, 1) << c.name << " row " << y;
            EXPECT_NEAR(right >> 5 & 63, 127 >> 2, 2) << c.name << " row " << y;
            EXPECT_NEAR(right & 31, 127 >> 3, 1) << c.name << " row " << y;
        }
    }
}

TEST_F(PictureTest, PicturesBeyondTheSizeLimitAreRefusedFromTheirHeader)
{
    // Both files are far smaller than what they claim: the JPEG holds 16 x 16 pixels, the BMP one end code.
    const std::string jpeg = MakeJpeg(16, 16, false, {1, 2, 3}, {4, 5, 6});
    const struct {
        unsigned width, height;
        bool loads;
    } cases[] = {
        {4096, 2048, true},   // 2^23 pixels, the limit
        {2048, 4097, false},  // just above it
        {16384, 1, true},     // the longest side
        {16385, 1, false},   {16384, 16384, false},
    };
    for (const auto& c : cases) {
        const std::string claim = std::to_string(c.width) + " x " + std::to_string(c.height);
        EXPECT_EQ(Load(WithFrameSize(jpeg, c.width, c.height), 1), c.loads) << "JPEG " << claim;
        const std::string bmp = IndexedBmpFile(static_cast<int>(c.width), static_cast<int>(c.height), 8,
                                               BmpCoding::Rle8, Colours, std::string("\0\x01", 2), 2);
        EXPECT_EQ(Load(bmp, 0), c.loads) << "BMP " << claim;
        if (c.loads) {
            EXPECT_EQ(picture.GetWidth() * 1LL * picture.GetHeight(), c.width * 1LL * c.height) << claim;
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
