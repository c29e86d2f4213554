#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "GP_Picture.h"
#include "TempDir.h"
#include "platform/files.h"
#include "platform/wingdi.h"

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

// Six colours of a 3 x 2 picture (an odd width, so rows are padded).
const std::vector<Rgb> Colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {128, 128, 128}, {10, 20, 30}};

std::uint16_t Expected565(Rgb c) { return static_cast<std::uint16_t>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, unsigned v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

struct BmpOptions {
    int bpp = 24;
    bool fileHeader = true;
    bool topDown = false;
    bool core = false;
    bool bitfields = false;
    int width = 3;
    int height = 2;
};

// index of the picture's pixel (x, y) in Colours; indexed depths use the colour table in the same order.
int ColourAt(int x, int y, int bpp) { return bpp == 1 ? (x + y) % 2 : (y * 3 + x) % 6; }

std::string MakeBmp(const BmpOptions& o)
{
    const bool indexed = o.bpp <= 8;
    const int colours = indexed ? (o.bpp == 1 ? 2 : 6) : 0;
    std::string info;
    if (o.core) {
        Put32(info, 12), Put16(info, o.width), Put16(info, o.height), Put16(info, 1), Put16(info, o.bpp);
    } else {
        Put32(info, 40), Put32(info, o.width), Put32(info, o.topDown ? -o.height : o.height), Put16(info, 1);
        Put16(info, o.bpp), Put32(info, o.bitfields ? 3 : 0), Put32(info, 0), Put32(info, 0), Put32(info, 0);
        Put32(info, o.bpp == 8 ? colours : 0), Put32(info, 0);
    }
    if (o.bitfields) {
        if (o.bpp == 16) Put32(info, 0xF800), Put32(info, 0x07E0), Put32(info, 0x001F);
        else Put32(info, 0x00FF0000), Put32(info, 0x0000FF00), Put32(info, 0x000000FF);
    }
    const int tableEntries = o.bpp == 4 || (o.core && indexed) ? 1 << o.bpp : colours;
    for (int i = 0; i < tableEntries; ++i) {
        const Rgb c = i < colours ? Colours[i] : Rgb{0, 0, 0};
        info += char(c.b), info += char(c.g), info += char(c.r);
        if (!o.core) info += char(0);
    }
    const int stride = (o.bpp * o.width + 31) / 32 * 4;
    std::string pixels;
    for (int row = 0; row < o.height; ++row) {
        const int y = o.topDown ? row : o.height - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < o.width; ++x) {
            const int index = ColourAt(x, y, o.bpp);
            const Rgb c = Colours[index];
            if (indexed) {
                const int perByte = 8 / o.bpp;
                const int shift = 8 - o.bpp * (x % perByte + 1);
                line[x / perByte] = char(line[x / perByte] | index << shift);
            } else if (o.bpp == 16) {
                const unsigned v = o.bitfields ? Expected565(c) : (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3;
                line[x * 2] = char(v & 0xFF), line[x * 2 + 1] = char(v >> 8);
            } else {
                const int at = x * (o.bpp / 8);
                line[at] = char(c.b), line[at + 1] = char(c.g), line[at + 2] = char(c.r);
            }
        }
        pixels += line;
    }
    std::string file;
    if (o.fileHeader) {
        file += "BM";
        Put32(file, 14 + info.size() + pixels.size()), Put32(file, 0), Put32(file, 14 + info.size());
    }
    return file + info + pixels;
}

// A 565 pixel of a 16-bit value in 5-5-5: each channel widened to 8 bits, then cut as GDI cuts it.
std::uint16_t From555(Rgb c)
{
    auto widen = [](unsigned v5) { return (v5 << 3) | (v5 >> 2); };
    return Expected565(Rgb{std::uint8_t(widen(c.r >> 3)), std::uint8_t(widen(c.g >> 3)), std::uint8_t(widen(c.b >> 3))});
}

std::string MakeJpeg(int width, int height, bool grey, Rgb left, Rgb right)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(width * info.input_components);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = x < width / 2 ? left : right;
            if (grey) row[x] = c.r;
            else row[x * 3] = c.r, row[x * 3 + 1] = c.g, row[x * 3 + 2] = c.b;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

}  // namespace

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
        EXPECT_EQ(surface->GetDC(), 0);
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

TEST_F(PictureTest, DamagedBmpsAreRefused)
{
    const std::string good = MakeBmp({.bpp = 8});
    auto with = [&](size_t at, std::string bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
    auto u32 = [](unsigned v) { std::string s; Put32(s, v); return s; };
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"file header only", good.substr(0, 14)},
        {"cut in the colour table", good.substr(0, 14 + 40 + 10)},
        {"pixels cut short", good.substr(0, good.size() - 3)},
        {"more colours than 8 bits hold", with(14 + 32, u32(300))},
        {"image size below what the rows need", with(14 + 20, u32(4))},
        {"width 0", with(14 + 4, u32(0))},
        {"negative width", with(14 + 4, u32(0xFFFFFFFF))},
        {"height 0", with(14 + 8, u32(0))},
        {"huge width", with(14 + 4, u32(1u << 30))},
        {"7 bits per pixel", with(14 + 14, std::string("\x07\x00", 2))},
        {"run-length compression", with(14 + 16, u32(1))},
        {"bitfields at 8 bits", with(14 + 16, u32(3))},
        {"unknown header size", with(14, u32(20))},
        {"bits beyond the end", with(10, u32(1u << 20))},
    };
    for (const Case& c : cases) EXPECT_FALSE(Load(c.bytes, 0)) << c.name;
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

TEST_F(PictureTest, DamagedJpegsAreRefused)
{
    const std::string good = MakeJpeg(16, 16, false, {1, 2, 3}, {4, 5, 6});
    const std::string cases[] = {"", std::string("\xFF\xD8", 2), good.substr(0, 40), "not a picture at all",
                                 std::string("\xFF\xD8\xFF\xC0\x00\x11\x08\xFF\xFF\xFF\xFF\x03", 12)};
    for (const std::string& bytes : cases) EXPECT_FALSE(Load(bytes, 1)) << bytes.size();
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
