#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frames/Color.h"
#include "frames/ColorHistogram.h"
#include "frames/ColorProperty.h"
#include "frames/ColorTable.h"
#include "frames/Ditherer.h"
#include "frames/Hls.h"
#include "frames/MedianCut.h"

namespace {

// Black, white, red and grey in entries 0 to 3; the rest of the table black.
ColorTable FourColourPalette()
{
    ColorTable palette(ColorTable::kPalette);
    for (int i = 0; i < 256; ++i) palette.SetPaletteEntry(i, 0, 0, 0);
    palette.SetPaletteEntry(1, 255, 255, 255);
    palette.SetPaletteEntry(2, 255, 0, 0);
    palette.SetPaletteEntry(3, 128, 128, 128);
    return palette;
}

TEST(PackTest, ChannelsRoundAndClamp)
{
    struct Case {
        int r, g, b;
        std::uint16_t v565, v555;
    };
    const Case cases[] = {
        {255, 255, 255, 0xFFFF, 0x7FFF},
        {4, 2, 4, 1 << 11 | 1 << 5 | 1, 1 << 10 | 0 << 5 | 1},
        {3, 1, 3, 0, 0},
        {0, 6, 0, 2 << 5, 1 << 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackRGB565(c.r, c.g, c.b), c.v565) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(PackRGB555(c.r, c.g, c.b), c.v555) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(ColorTest, NewRgbValuesDropAStaleIndex)
{
    Color c;
    c.SetFromPaletteIndex(7);
    ASSERT_TRUE(c.flags & Color::kIndexValid);
    c.SetRGBA(c.R, c.G, c.B, 255);  // the same colour keeps its index
    EXPECT_TRUE(c.flags & Color::kIndexValid);
    c.SetRGBA(255, 255, 255, 255);
    EXPECT_FALSE(c.flags & Color::kIndexValid);
    std::uint8_t r, g, b;
    CurrentPalette().GetPaletteEntry(c.GetPaletteIndex(), r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
}

TEST(ColorTest, PaletteIndexComesFromTheCurrentPalette)
{
    ResetStandardPalettes();
    Color c;
    c.SetFromPaletteIndex(255);
    EXPECT_EQ(c.R, 255);
    EXPECT_EQ(c.value565, 0xFFFF);
    EXPECT_EQ(c.GetPaletteIndex(), 255);
    Color red = MakeColor(250, 2, 1);
    std::uint8_t r, g, b;
    CurrentPalette().GetPaletteEntry(red.GetPaletteIndex(), r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
}

TEST(ColorTableTest, SetTypeFillsBytesWithTheirIndex)
{
    ColorTable remap(ColorTable::kRemap);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(remap.GetData()[i], i);
    ColorTable palette(ColorTable::kPalette);
    EXPECT_EQ(palette.GetData()[256], 0);
    EXPECT_EQ(palette.GetData()[767], 255);
    EXPECT_EQ(ColorTable::GetSize(ColorTable::kInverse565), 65536);
    EXPECT_EQ(ColorTable::GetSize(42), 0);
}

TEST(ColorTableTest, NearestEntryRules)
{
    ColorTable palette = FourColourPalette();
    palette.SetPaletteEntry(4, 255, 0, 0);                     // a second red
    EXPECT_EQ(palette.FindNearest(250, 5, 5, 0, 256), 2);      // duplicates: the first
    EXPECT_EQ(palette.FindNearest(128, 128, 128, 0, 256), 3);  // exact
    EXPECT_EQ(palette.FindNearest(0, 0, 0, 0, 256), 0);
    EXPECT_EQ(palette.FindNearest(255, 0, 0, 3, 256), 4);    // the range is respected
    EXPECT_EQ(palette.FindNearest(140, 140, 140, 0, 3), 1);  // end excluded: grey 3 is not searched
    ColorTable empty;
    EXPECT_EQ(empty.FindNearest(1, 2, 3, 0, 256), 0);
}

TEST(ColorTableTest, LookupsBy555And565AndTheOnDemandCache)
{
    ColorTable palette = FourColourPalette();
    ColorTable by555(ColorTable::kIndexBy555);
    by555.GetData()[PackRGB555(255, 0, 0)] = 2;
    EXPECT_EQ(by555.FindNearest(255, 0, 0, 0, 256), 2);

    ColorTable cache(ColorTable::kCache555);
    std::fill_n(cache.GetData(), ColorTable::GetSize(ColorTable::kCache555), 0);
    cache.SetLinked(&palette);
    EXPECT_EQ(cache.FindNearest(120, 130, 128, 0, 256), 3);
    EXPECT_EQ(cache.GetData()[PackRGB555(120, 130, 128)], 3);  // filled on first use
    palette.SetPaletteEntry(3, 0, 0, 0);
    EXPECT_EQ(cache.FindNearest(120, 130, 128, 0, 256), 3);  // and kept while the palette is taken as unchanged

    ColorTable inverse;
    ColorTable blackWhite(ColorTable::kPalette);
    for (int i = 0; i < 256; ++i)
        blackWhite.SetPaletteEntry(i, i < 128 ? 0 : 255, i < 128 ? 0 : 255, i < 128 ? 0 : 255);
    inverse.BuildInverse565(blackWhite);
    EXPECT_EQ(inverse.GetLinked(), &blackWhite);
    EXPECT_EQ(inverse.FindNearest(0, 0, 0, 0, 256), 0);
    EXPECT_EQ(inverse.FindNearest(255, 255, 255, 0, 256), 128);
    EXPECT_EQ(inverse.GetData()[0x7BEF], 0);    // (120, 124, 120) is darker than mid
    EXPECT_EQ(inverse.GetData()[0x8410], 128);  // (128, 128, 128) is a tie: the first, white at 128
}

TEST(ColorTableTest, RemapAt128IsIdentityAndBelowDarkens)
{
    ResetStandardPalettes();
    ColorTable remap;
    remap.BuildRemap(CurrentPalette(), 128, 0, 256, 0, 256, nullptr);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(remap.GetData()[i], i);
    remap.BuildRemap(CurrentPalette(), 64, 1, 255, 0, 256, nullptr);
    EXPECT_EQ(remap.GetData()[0], 0);
    EXPECT_EQ(remap.GetData()[255], 255);  // outside [first, end): identity
    std::uint8_t r, g, b;
    CurrentPalette().GetPaletteEntry(remap.GetData()[254], r, g, b);
    std::uint8_t r0, g0, b0;
    CurrentPalette().GetPaletteEntry(254, r0, g0, b0);
    EXPECT_LT(r, r0);
    EXPECT_NEAR(r, r0 / 2, 8);
}

TEST(HlsTest, PrimariesAndGreyRoundTrip)
{
    const float colours[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 0, 1}, {0.5f, 0.5f, 0.5f}};
    for (const auto& c : colours) {
        float h, s, l, r, g, b;
        RgbToHls(c[0], c[1], c[2], h, s, l);
        HlsToRgb(h, s, l, r, g, b);
        EXPECT_NEAR(r, c[0], 1e-5);
        EXPECT_NEAR(g, c[1], 1e-5);
        EXPECT_NEAR(b, c[2], 1e-5);
    }
    float h, s, l;
    RgbToHls(0, 0, 1, h, s, l);
    EXPECT_FLOAT_EQ(h, 240);
    EXPECT_FLOAT_EQ(s, 1);
    EXPECT_FLOAT_EQ(l, 0.5f);
}

TEST(MedianCutTest, OneOccupiedCellGivesOneColour)
{
    ColorHistogram histogram;
    for (int i = 0; i < 10; ++i) histogram.AddPixel(200, 100, 40);
    std::vector<std::uint8_t> palette;
    int count = -1;
    EXPECT_EQ(MedianCut(histogram, 16, palette, count), kMedianCutOk);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(palette[0], (10 / 2 + 10 * 10 * 4) / 10);  // B: cell 10
    EXPECT_EQ(palette[1], (10 / 2 + 25 * 10 * 4) / 10);  // G: cell 25
    EXPECT_EQ(palette[2], (10 / 2 + 50 * 10 * 4) / 10);  // R: cell 50
}

TEST(MedianCutTest, TwoClustersGiveTheirMeans)
{
    ColorHistogram histogram;
    // One cluster of 3 pixels at red cells 1 and 2, one of 2 pixels at red cell 60.
    histogram.At(ColorHistogram::CellOf(0, 0, 1)) = 2;
    histogram.At(ColorHistogram::CellOf(0, 0, 2)) = 1;
    histogram.At(ColorHistogram::CellOf(0, 0, 60)) = 2;
    std::vector<std::uint8_t> palette;
    int count = 0;
    ASSERT_EQ(MedianCut(histogram, 2, palette, count), kMedianCutOk);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(palette[2], (3 / 2 + (2 * 1 + 1 * 2) * 4) / 3);
    EXPECT_EQ(palette[5], (2 / 2 + 2 * 60 * 4) / 2);
    EXPECT_EQ(palette[0], 0);

    ColorTable made;
    ASSERT_TRUE(made.MakePaletteFromHistogram(histogram, 2, 10));
    std::uint8_t r, g, b;
    made.GetPaletteEntry(11, r, g, b);
    EXPECT_EQ(r, 240);
    made.GetPaletteEntry(255, r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    made.GetPaletteEntry(12, r, g, b);
    EXPECT_EQ(r + g + b, 0);
}

TEST(DithererTest, AColourOnAnEntryCarriesNoError)
{
    ColorTable palette = FourColourPalette();
    Ditherer ditherer(3, 0.5f, &palette, &palette);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ditherer.Step(128, 128, 128), 3);
}

TEST(DithererTest, ErrorSpreadsAndTheJumpGuardResets)
{
    ColorTable palette = FourColourPalette();
    // 100 grey is nearest to grey 128: the error (+28) is carried and pulls the next pixel, 70 grey, to black
    // (entry 4, the first black from entry 1 on); without the error it would be grey.
    Ditherer spreading(4, 1.0f, &palette, &palette);
    EXPECT_EQ(spreading.Step(100, 100, 100), 3);
    EXPECT_EQ(spreading.Step(70, 70, 70), 4);
    Ditherer fresh(4, 1.0f, &palette, &palette);
    EXPECT_EQ(fresh.Step(70, 70, 70), 3);

    Ditherer guard(4, 0.01f, &palette, &palette);
    const DitherColor own{0.5f, 0.5f, 0.5f};
    DitherColor wanted{0.2f, 0.5f, 0.5f};
    EXPECT_TRUE(guard.CheckJump(own, wanted));
    EXPECT_FLOAT_EQ(wanted.r, 0.5f);
    DitherColor near{0.505f, 0.5f, 0.5f};
    EXPECT_FALSE(guard.CheckJump(own, near));
}

TEST(ColorPropertyTest, TextWithThreeNumbersIsOpaque)
{
    for (bool withAlpha : {false, true}) {
        ColorProperty property("Colour", HolderValue<Color>(), 1, 2, 3, 4);
        property.SetWithAlpha(withAlpha);
        Color value;
        property.ResetToDefault(&value);
        EXPECT_EQ(value.A, 4);
        property.SetFromText(&value, CString("10,20,30"), nullptr);
        EXPECT_EQ(value.R, 10);
        EXPECT_EQ(value.G, 20);
        EXPECT_EQ(value.B, 30);
        EXPECT_EQ(value.A, 255);
        CString text;
        property.ValueToText(&value, text);
        EXPECT_STREQ(text.GetText(), withAlpha ? "10,20,30,255" : "10,20,30");
    }
    ColorProperty property("Colour", HolderValue<Color>());
    property.SetWithAlpha();
    Color value;
    property.SetFromText(&value, CString("1,2,3,40"), nullptr);
    EXPECT_EQ(value.A, 40);
}

}  // namespace
