#include <gtest/gtest.h>

#include <utility>

#include "GP_Font.h"
#include "GP_FontCache.h"
#include "GP_IOManager.h"
#include "GP_Label.h"
#include "GP_MouseCursor.h"
#include "GP_Surface.h"
#include "InterfaceHostFixture.h"
#include "InterfacePack.h"

using namespace interfacepack;

namespace {

const Rgb Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255}, White{255, 255, 255}, Yellow{255, 255, 0};
constexpr unsigned char CyrillicA = 0xC0;

// A glyph sheet 16 x 4 on black: 'A' three columns red, green, blue; 'B' two white; 'C' four yellow; Windows-1251
// 'А' (0xC0) five white.
Rgb SheetPixel(int x, int)
{
    if (x < 3) return x == 0 ? Red : x == 1 ? Green : Blue;
    if (x < 5) return White;
    if (x < 9) return Yellow;
    if (x < 14) return White;
    return Rgb{0, 0, 0};
}

void WriteFont(CGP_ServerSet& tool, std::uint32_t imageID)
{
    CGP_Font font;
    font.header.imageID = imageID;
    font.header.loadOption = 0xFFFFFFFF;
    font.header.useColorKey = 1;
    font.lineHeight = 4;
    font.glyphs['A'] = {0, 0, 3, 4};
    font.glyphs['B'] = {3, 0, 5, 4};
    font.glyphs['C'] = {5, 0, 9, 4};
    font.glyphs[CyrillicA] = {9, 0, 14, 4};
    font.Write(&tool);
}

class FontTest : public InterfacePackTest {
protected:
    void SetUp() override
    {
        InterfacePackTest::SetUp();
        AddPicture("glyphs.bmp", Bmp(16, 4, SheetPixel));
        AddWritten(Fonts, "Small",
                   [this](CGP_ServerSet& tool) { WriteFont(tool, source.FindID("glyphs.bmp", Pictures)); });
        Build();
        cache = std::make_unique<CGP_FontCache>(&names, servers.get());
        font = cache->GetFont(ID(Fonts, "Small"));
        ASSERT_NE(font, nullptr);
    }

    // The text drawn on a black surface of the size.
    std::unique_ptr<CGP_Surface> Drawn(const char* text, int width, int height, int h, int v)
    {
        auto surface = MakeSurface(width, height);
        font->DrawText(surface.get(), text, h, v);
        return surface;
    }

    std::unique_ptr<CGP_FontCache> cache;
    CGP_Font* font = nullptr;
};

}  // namespace

TEST_F(FontTest, WrittenFontReadsBackWithBottomsFromTheLineHeight)
{
    EXPECT_EQ(font->lineHeight, 4);
    EXPECT_EQ(font->glyphs['C'].left, 5);
    EXPECT_EQ(font->glyphs['C'].right, 9);
    EXPECT_EQ(font->glyphs['C'].bottom, 4);
    EXPECT_EQ(font->GlyphOf(static_cast<char>(CyrillicA)).Width(), 5);
    EXPECT_EQ(cache->GetFont(ID(Fonts, "Small")), font);
    EXPECT_EQ(cache->GetFont(0xFFFFFFFF), nullptr);
    EXPECT_EQ(cache->GetFont(ID(Pictures, "glyphs.bmp")), nullptr);
}

TEST_F(FontTest, AFontThatCannotBeOpenedIsNamedInTheError)
{
    CGP_FontCache unopened(&names, servers.get());
    CGP_NameServer* kept = std::exchange(servers->io->names, nullptr);  // no resource can be opened
    const resourcetest::Fatal fatal = resourcetest::CatchFatal([&] { unopened.GetFont(ID(Fonts, "Small")); });
    servers->io->names = kept;
    EXPECT_TRUE(fatal.thrown);
    EXPECT_EQ(fatal.text, "The font Small cannot be opened");
}

TEST_F(FontTest, LinesAreCountedAndMeasuredAcrossCrLf)
{
    EXPECT_EQ(GP_CountLines(""), 1);
    EXPECT_EQ(GP_CountLines("AB\r\nC"), 2);
    EXPECT_EQ(font->MeasureLine("AB\r\nC", 0), 5);
    EXPECT_EQ(font->MeasureLine("AB\r\nC", 1), 4);
    EXPECT_EQ(font->MeasureLine("AB\r\nC", 2), 0);
    EXPECT_EQ(font->MeasureLine("\xC0\xC0", 0), 10);
    // A text that ends in CR alone: the empty second line measures 0 and nothing past the end is read.
    EXPECT_EQ(GP_CountLines("A\r"), 2);
    EXPECT_EQ(font->MeasureLine("A\r", 1), 0);
    EXPECT_EQ(font->MeasureLine("A\r", 5), 0);
}

TEST_F(FontTest, AlignmentsPlaceTheFirstGlyphColumn)
{
    struct Case {
        int width, height, h, v;
        int x, y;  // where the red column of 'A' lands
    };
    const Case cases[] = {
        {20, 10, 0, 0, 0, 0},
        {20, 10, 1, 1, 8, 3},
        {20, 10, 2, 2, 17, 6},
        {21, 11, 1, 1, 9, 3},  // odd differences round down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "h " << c.h << " v " << c.v << " in " << c.width << "x" << c.height);
        auto surface = Drawn("A", c.width, c.height, c.h, c.v);
        EXPECT_EQ(PixelAt(*surface, c.x, c.y), Pixel(Red));
        EXPECT_EQ(PixelAt(*surface, c.x + 1, c.y + 3), Pixel(Green));
        if (c.x > 0) {
            EXPECT_EQ(PixelAt(*surface, c.x - 1, c.y), 0);
        }
    }
    // Centred in a surface narrower than the text: (2 - 3) >> 1 is -1, so the red column falls off the left.
    auto narrow = Drawn("A", 2, 4, 1, 0);
    EXPECT_EQ(PixelAt(*narrow, 0, 0), Pixel(Green));
    EXPECT_EQ(PixelAt(*narrow, 1, 0), Pixel(Blue));
}

TEST_F(FontTest, TallCentredTextStartsAboveTheSurfaceAndIsClipped)
{
    // Three lines of 4 in a surface of 6: y starts at -3, so line 0 shows one row, line 1 rows 1 to 4.
    // (Line 2 passes the bottom edge: the blit of the whole glyph is refused there, as DirectDraw refuses it.)
    auto surface = Drawn("A\r\nB\r\nC", 10, 6, 0, 1);
    EXPECT_EQ(PixelAt(*surface, 0, 0), Pixel(Red));
    EXPECT_EQ(PixelAt(*surface, 0, 1), Pixel(White));
    EXPECT_EQ(PixelAt(*surface, 0, 4), Pixel(White));
    EXPECT_EQ(surface->useColorKey, 1);
    EXPECT_EQ(surface->colorKey, 0u);
}

TEST_F(FontTest, GlyphsWithoutRectanglesDrawNothingAndDoNotAdvance)
{
    auto surface = Drawn("xyzA", 10, 4, 0, 0);
    EXPECT_EQ(PixelAt(*surface, 0, 0), Pixel(Red));
    auto blank = Drawn("xyz\r", 10, 4, 0, 0);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(PixelAt(*blank, x, 0), 0) << x;
}

TEST_F(FontTest, HighCodesIndexTheirOwnGlyphs)
{
    auto surface = Drawn(
        "\xC0"
        "A",
        10, 4, 0, 0);
    EXPECT_EQ(PixelAt(*surface, 0, 0), Pixel(White));
    EXPECT_EQ(PixelAt(*surface, 5, 0), Pixel(Red));
}

TEST_F(FontTest, ALabelRendersItsTextOnceAndBlitsItEveryFrame)
{
    interfacehost::FakeMainFrame frame;
    frame.fonts = cache.get();
    CGP_MouseCursor cursor(&frame, nullptr, nullptr);
    CGP_Label label(nullptr, &cursor, cache.get());
    interfacehost::Place(label, 40, 50, 12, 4);
    *label.GetImageID() = GP_NoImage;
    label.Block<GP_LabelBlock>()->fontID = ID(Fonts, "Small");
    label.Block<GP_LabelBlock>()->horizontalAlignment = 2;
    label.CreateFrames(servers.get());
    label.Bind(nullptr);
    label.text = "AB";
    CGP_Surface* back = display->backSurface.get();
    back->Clear(0x1111);
    label.Draw();
    EXPECT_EQ(PixelAt(*back, 47, 50), Pixel(Red));  // right-aligned: 12 - 5
    EXPECT_EQ(PixelAt(*back, 46, 50), 0x1111);      // the background 0 is the surface's colour key
    EXPECT_EQ(label.changed, 0);
    // Without the changed flag the rendered text stays as it was.
    label.text = "B";
    back->Clear(0x1111);
    label.Draw();
    EXPECT_EQ(PixelAt(*back, 47, 50), Pixel(Red));
    *label.GetChanged() = 1;
    back->Clear(0x1111);
    label.Draw();
    EXPECT_EQ(PixelAt(*back, 47, 50), 0x1111);
    EXPECT_EQ(PixelAt(*back, 50, 50), Pixel(White));
}
