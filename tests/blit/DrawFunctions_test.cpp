#include <gtest/gtest.h>

#include "BlitFixtures.h"
#include "blit/Blend565.h"
#include "blit/DrawState.h"
#include "frames/ColorTable.h"

using platform::Rect;
using namespace blit_test;

namespace {

std::uint8_t Lo(std::uint16_t v) { return static_cast<std::uint8_t>(v); }
std::uint8_t Hi(std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); }

TEST(NormalDrawTest, OnePixelThroughEveryPlainKey)
{
    struct Case {
        int sourceBits;
        std::vector<std::uint8_t> source;
        int destinationBits;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {8, {255}, 8, {255}},
        {8, {255}, 16, {0xFF, 0xFF}},
        {8, {255}, 24, {255, 255, 255}},
        {8, {255}, 32, {255, 255, 255, 255}},
        {16, {0x00, 0xF8}, 16, {0x00, 0xF8}},
        {16, {0x00, 0xF8}, 24, {0, 0, 255}},
        {16, {0x10, 0x84}, 32, {132, 130, 132, 255}},
        {24, {255, 0, 255}, 16, {0x1F, 0xF8}},
        {24, {1, 2, 3}, 24, {1, 2, 3}},
        {24, {1, 2, 3}, 32, {1, 2, 3, 255}},
        {32, {10, 20, 30, 255}, 24, {10, 20, 30}},
        {32, {10, 20, 30, 40}, 32, {10, 20, 30, 40}},
    };
    for (const Case& c : cases) {
        auto source = FrameOf(1, 1, c.sourceBits, c.source);
        CFrame destination;
        destination.Create(1, 1, c.destinationBits);
        ASSERT_TRUE(Draw(destination, *source, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType()))
            << c.sourceBits << " to " << c.destinationBits;
        EXPECT_EQ(BytesOf(destination), c.expected) << c.sourceBits << " to " << c.destinationBits;
    }
    // 16 and 24 to 8 land on a palette entry of the colour.
    auto red16 = FrameOf(1, 1, 16, {0x00, 0xF8});
    auto red24 = FrameOf(1, 1, 24, {0, 0, 255});
    for (CFrame* red : {red16.get(), red24.get()}) {
        CFrame index;
        index.Create(1, 1, 8);
        Draw(index, *red, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
        std::uint8_t r, g, b;
        CurrentPalette().GetPaletteEntry(index.GetPixels()[0], r, g, b);
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 0})) << red->GetBitDepth();
    }
}

TEST(NormalDrawTest, OpacityOneIsOpaqueAndAnythingBelowBlendsAtItsLevel)
{
    auto white = FrameOf(1, 1, 16, {0xFF, 0xFF});
    CFrame destination;
    destination.Create(1, 1, 16);
    Draw(destination, *white, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
    EXPECT_EQ(Pixel16(destination, 0, 0), 0xFFFF);
    {
        Opacity almost(NormalBlitType(), 0.999f);
        destination.FillValue(0);
        Draw(destination, *white, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
        EXPECT_EQ(Pixel16(destination, 0, 0), Blend565(0, 0xFFFF, 255));
        EXPECT_NE(Pixel16(destination, 0, 0), 0xFFFF);
    }
    {
        Opacity half(TransparentMaskBlitType(), 0.5f);
        auto masked = FrameOf(2, 1, 16, {0x00, 0x00, 0x34, 0x12});
        destination.Create(2, 1, 16);
        destination.FillValue(0x77);
        Draw(destination, *masked, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, TransparentMaskBlitType());
        EXPECT_EQ(Pixel16(destination, 0, 0), 0x7777);
        EXPECT_EQ(Pixel16(destination, 1, 0), 0x1234);
    }
}

TEST(TransparentMaskDrawTest, ZeroSourcePixelsLeaveTheDestinationAndTheOthersDrawAsNormal)
{
    // Source pixel 0 is value 0, pixel 1 a colour; the destination's bytes start at 0x5A.
    const std::pair<int, int> keys[] = {{8, 8}, {8, 16}, {8, 24}, {8, 32}, {16, 16}, {16, 24}};
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        for (auto [sourceBits, destinationBits] : keys) {
            const std::vector<std::uint8_t> bytes =
                sourceBits == 8 ? std::vector<std::uint8_t>{0, 200} : std::vector<std::uint8_t>{0, 0, 0x2C, 0x9A};
            auto source = FrameOf(2, 1, sourceBits, bytes);
            CFrame masked, normal;
            masked.Create(2, 1, destinationBits);
            normal.Create(2, 1, destinationBits);
            masked.FillValue(0x5A);
            normal.FillValue(0x5A);
            Draw(masked, *source, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, TransparentMaskBlitType());
            Draw(normal, *source, Rect{1, 0, 2, 1}, Rect{1, 0, 2, 1}, NormalBlitType());
            EXPECT_EQ(BytesOf(masked), BytesOf(normal)) << sourceBits << " to " << destinationBits << " simd " << simd;
            EXPECT_NE(BytesOf(masked)[masked.GetBytesPerPixel()], 0x5A) << sourceBits << " to " << destinationBits;
        }
    }
}

TEST(NormalDrawTest, EightBitSourcesTakeTheTypesPaletteThenTheirOwnThenTheCurrentOne)
{
    auto source = FrameOf(1, 1, 8, {7});
    CFrame destination;
    destination.Create(1, 1, 24);
    const auto drawn = [&] {
        Draw(destination, *source, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
        return BytesOf(destination);
    };
    const std::uint8_t* current = CurrentPalette().GetData() + 3 * 7;
    EXPECT_EQ(drawn(), (std::vector<std::uint8_t>{current[0], current[1], current[2]}));
    ColorTable own(ColorTable::kPalette);
    own.SetPaletteEntry(7, 30, 20, 10);
    source->SetPalette(own);
    EXPECT_EQ(drawn(), (std::vector<std::uint8_t>{10, 20, 30}));
    ColorTable* types = NormalBlitType().GetColorTable();
    types->SetType(ColorTable::kPalette);
    types->SetPaletteEntry(7, 3, 2, 1);
    EXPECT_EQ(drawn(), (std::vector<std::uint8_t>{1, 2, 3}));
    types->Free();

    // 8 to 8 below opacity 1 mixes through table A [destination x 256 + source].
    CFrame indices;
    indices.Create(1, 1, 8);
    indices.FillValue(40);
    Opacity half(NormalBlitType(), 0.5f);
    Draw(indices, *source, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
    EXPECT_EQ(indices.GetPixels()[0], draw_state::MixingA()[40 * 256 + 7]);
}

TEST(NormalDrawTest, ThirtyTwoBitAlphaCopiesFrom253AndBlendsBelow)
{
    auto source = FrameOf(3, 1, 32, {200, 100, 50, 253, 200, 100, 50, 252, 200, 100, 50, 0});
    CFrame destination;
    destination.Create(3, 1, 24);
    destination.FillValue(10);
    Draw(destination, *source, Rect{0, 0, 3, 1}, Rect{0, 0, 3, 1}, NormalBlitType());
    const std::vector<std::uint8_t> expected = {
        200, 100, 50, 10 + 190 * 252 / 255, 10 + 90 * 252 / 255, 10 + 40 * 252 / 255, 10, 10, 10};
    EXPECT_EQ(BytesOf(destination), expected);

    Opacity half(NormalBlitType(), 0.5f);  // level 128: alpha 253 weighs 127
    destination.FillValue(10);
    Draw(destination, *source, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1}, NormalBlitType());
    EXPECT_EQ(destination.GetPixels()[0], 10 + 190 * 127 / 255);
}

TEST(NormalDrawTest, SourceRectanglesPastTheSourceAreCutToItsLines)
{
    auto source = NumberedFrame(4, 4, 16);
    CFrame destination;
    destination.Create(8, 8, 16);
    Draw(destination, *source, Rect{0, 2, 4, 10}, Rect{0, 0, 4, 8}, NormalBlitType());
    EXPECT_EQ(Pixel16(destination, 0, 1), Pixel16(*source, 0, 3));
    EXPECT_EQ(Pixel16(destination, 0, 2), 0);
    Draw(destination, *source, Rect{-3, 0, 1, 1}, Rect{0, 5, 4, 6}, NormalBlitType());
    EXPECT_EQ(Pixel16(destination, 3, 5), Pixel16(*source, 0, 0));
    EXPECT_EQ(Pixel16(destination, 2, 5), 0);

    // Run-encoded sources (plain and banded) are cut to their lines the same way.
    const DrawFunction runDraws[] = {NormalBlitType().Lookup(16, kFrameEncodingAlpha, 16, 0),
                                     NormalBlitType().Lookup(8, kFrameEncodingBands, 16, 0)};
    const std::unique_ptr<CFrame> encoded[] = {
        EncodedFrame(2, 1, 16, kFrameEncodingAlpha, {RunPlane().Line({0x02, 0x34, 0x12})}),
        EncodedFrame(2, 1, 8, kFrameEncodingBands, {RunPlane().Line({0x02, 255})})};
    for (int i = 0; i < 2; ++i) {
        destination.FillValue(0);
        runDraws[i](encoded[i].get(), Rect{-1, -2, 2, 3}, &destination, Rect{0, 0, 3, 5}, &NormalBlitType());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(Pixel16(destination, x, y) != 0, y == 2 && x > 0) << i << " at " << x << "," << y;
    }
}

// An 8-wide line of 16-bit runs: a literal of four, a fill of two and a skip of two.
RunPlane EightWideLine() { return RunPlane().Line({0x44, 1, 0, 2, 0, 3, 0, 4, 0, 0x02, 9, 0, 0x82}); }

TEST(RunRenderTest, LiteralsCutOnTheLeftKeepTheLaterRunsAligned)
{
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        auto frame = EncodedFrame(8, 1, 16, kFrameEncodingAlpha, {EightWideLine()});
        CFrame destination;
        destination.Create(8, 2, 16);
        destination.FillValue(0xEE);
        Draw(destination, *frame, Rect{2, 0, 8, 1}, Rect{0, 1, 6, 2}, NormalBlitType());
        const std::uint16_t expected[] = {3, 4, 9, 9, 0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
        for (int x = 0; x < 8; ++x) EXPECT_EQ(Pixel16(destination, x, 1), expected[x]) << x;
        for (int x = 0; x < 8; ++x) EXPECT_EQ(Pixel16(destination, x, 0), 0xEEEE);
    }
}

TEST(RunRenderTest, WholeWidthAndClippedDrawsAgreeAndRunsEndAtTheRightEdge)
{
    auto frame = EncodedFrame(8, 1, 16, kFrameEncodingAlpha, {EightWideLine()});
    CFrame whole, halves;
    whole.Create(8, 1, 16);
    halves.Create(8, 1, 16);
    whole.FillValue(0xEE);
    halves.FillValue(0xEE);
    Draw(whole, *frame, Rect{0, 0, 8, 1}, Rect{0, 0, 8, 1}, NormalBlitType());
    Draw(halves, *frame, Rect{0, 0, 3, 1}, Rect{0, 0, 3, 1}, NormalBlitType());
    Draw(halves, *frame, Rect{3, 0, 8, 1}, Rect{3, 0, 8, 1}, NormalBlitType());
    EXPECT_EQ(BytesOf(whole), BytesOf(halves));
    EXPECT_EQ(Pixel16(halves, 2, 0), 3);

    // A skip of 127 and a fill reach column 127 exactly.
    auto far = EncodedFrame(130, 1, 16, kFrameEncodingAlpha, {RunPlane().Line({0xFF, 0x03, 5, 0})});
    CFrame wide;
    wide.Create(130, 1, 16);
    Draw(wide, *far, Rect{0, 0, 130, 1}, Rect{0, 0, 130, 1}, NormalBlitType());
    EXPECT_EQ(Pixel16(wide, 126, 0), 0);
    EXPECT_EQ(Pixel16(wide, 127, 0), 5);
    EXPECT_EQ(Pixel16(wide, 129, 0), 5);
}

TEST(RunRenderTest, ALastRunLongerThanTheFrameNeverWritesPastTheRectangle)
{
    // Six pixels wide, but the one fill run covers eight (lines may run past the width).
    auto frame =
        EncodedFrame(6, 2, 16, kFrameEncodingAlpha,
                     {RunPlane().Line({0x08, 7, 0}).Line({0x48, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0})});
    CFrame destination;
    destination.Create(8, 2, 16);
    Draw(destination, *frame, Rect{0, 0, 6, 2}, Rect{0, 0, 6, 2}, NormalBlitType());
    EXPECT_EQ(Pixel16(destination, 5, 0), 7);
    EXPECT_EQ(Pixel16(destination, 6, 0), 0);
    EXPECT_EQ(Pixel16(destination, 7, 0), 0);
    EXPECT_EQ(Pixel16(destination, 0, 1), 1);
    EXPECT_EQ(Pixel16(destination, 6, 1), 0);
}

TEST(RunRenderTest, TheAlphaStreamStaysInStepAfterAClippedLiteral)
{
    const std::uint16_t c = 0xF800, e = 0x07E0;
    // Plane 4: a literal of three and a fill of two; plane 3: one byte each literal pixel, one for the fill.
    RunPlane opaque = RunPlane().Line({0x85});
    RunPlane translucent = RunPlane().Line({0x43, 1, 0, 2, 0, Lo(c), Hi(c), 0x02, Lo(e), Hi(e)});
    RunPlane alpha = RunPlane().Line({10, 20, 200, 90});
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        auto frame = EncodedFrame(5, 1, 16, kFrameEncodingAlpha, {opaque, {}, {}, alpha, translucent});
        CFrame destination;
        destination.Create(3, 1, 16);
        destination.FillValue(0x55);
        Draw(destination, *frame, Rect{2, 0, 5, 1}, Rect{0, 0, 3, 1}, NormalBlitType());
        EXPECT_EQ(Pixel16(destination, 0, 0), Blend565(0x5555, c, 200));
        EXPECT_EQ(Pixel16(destination, 1, 0), Blend565(0x5555, e, 90));
        EXPECT_EQ(Pixel16(destination, 2, 0), Blend565(0x5555, e, 90));

        // Below opacity 1 the alpha goes through the level row, the opaque plane through the level.
        Opacity half(NormalBlitType(), 0.5f);
        destination.FillValue(0x55);
        Draw(destination, *frame, Rect{2, 0, 5, 1}, Rect{0, 0, 3, 1}, NormalBlitType());
        EXPECT_EQ(Pixel16(destination, 0, 0), Blend565(0x5555, c, draw_state::BlendRow(128)[200]));
    }
}

TEST(RunRenderTest, ATranslucentPlaneWithoutItsAlphaStreamIsLeftOut)
{
    // Plane 0 fills column 0, plane 4 column 1, and there is no plane 3 to weight plane 4 by.
    struct Case {
        int sourceBits, destinationBits;
        BlitType* type;
    };
    const Case cases[] = {{16, 16, &NormalBlitType()},
                          {16, 32, &NormalBlitType()},
                          {16, 16, &BlendAmplifyLightType()},
                          {24, 24, &TransparentMaskBlitType()},
                          {24, 32, &TransparentMaskBlitType()}};
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        for (const Case& c : cases) {
            const std::uint8_t v = 0x11;
            RunPlane opaque =
                c.sourceBits == 16 ? RunPlane().Line({0x01, v, v, 0x81}) : RunPlane().Line({0x01, v, v, v, 0x81});
            RunPlane translucent =
                c.sourceBits == 16 ? RunPlane().Line({0x81, 0x01, v, v}) : RunPlane().Line({0x81, 0x01, v, v, v});
            auto frame = EncodedFrame(2, 1, c.sourceBits, kFrameEncodingAlpha, {opaque, {}, {}, {}, translucent});
            CFrame destination;
            destination.Create(2, 1, c.destinationBits);
            destination.FillValue(0x5A);
            Draw(destination, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, *c.type);
            const std::vector<std::uint8_t> bytes = BytesOf(destination);
            const int size = destination.GetBytesPerPixel();
            EXPECT_NE(bytes[0], 0x5A) << c.sourceBits << " to " << c.destinationBits;
            EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + size, bytes.end()),
                      std::vector<std::uint8_t>(size, 0x5A))
                << c.sourceBits << " to " << c.destinationBits;
        }
    }
}

TEST(RunRenderTest, EncodedSixteenBitsOntoTwentyFourAndThirtyTwo)
{
    const std::uint16_t red = 0xF800;
    RunPlane opaque = RunPlane().Line({0x01, Lo(red), Hi(red), 0x81});
    RunPlane translucent = RunPlane().Line({0x81, 0x41, 0x1F, 0x00});
    RunPlane alpha = RunPlane().Line({60});
    auto frame = EncodedFrame(2, 1, 16, kFrameEncodingAlpha, {opaque, {}, {}, alpha, translucent});
    CFrame rgb, rgba;
    rgb.Create(2, 1, 24);
    rgba.Create(2, 1, 32);
    Draw(rgb, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
    Draw(rgba, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
    EXPECT_EQ(BytesOf(rgb), (std::vector<std::uint8_t>{0, 0, 255, 255, 0, 0}));  // alpha not applied
    EXPECT_EQ(BytesOf(rgba), (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 0, 0, 60}));
}

TEST(RunRenderTest, EncodedTwentyFourBitsBlendTheirTranslucentPlane)
{
    RunPlane opaque = RunPlane().Line({0x01, 1, 2, 3, 0x81});
    RunPlane translucent = RunPlane().Line({0x81, 0x01, 200, 200, 200});
    RunPlane alpha = RunPlane().Line({128});
    auto frame = EncodedFrame(2, 1, 24, kFrameEncodingAlpha, {opaque, {}, {}, alpha, translucent});
    CFrame rgb, rgba;
    rgb.Create(2, 1, 24);
    rgba.Create(2, 1, 32);
    rgba.FillValue(7);
    Draw(rgb, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, TransparentMaskBlitType());
    Draw(rgba, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, TransparentMaskBlitType());
    EXPECT_EQ(BytesOf(rgb), (std::vector<std::uint8_t>{1, 2, 3, 100, 100, 100}));
    EXPECT_EQ(BytesOf(rgba), (std::vector<std::uint8_t>{1, 2, 3, 255, 7 + 193 * 128 / 256, 103, 103, 7}));
}

TEST(RunRenderTest, BandedFramesDrawTheirPlanesThroughThePassesOfThePlaneType)
{
    // Plane 0 holds index 40 at column 0, plane 4 index 80 at column 1.
    RunPlane plane0 = RunPlane().Line({0x01, 40, 0x81});
    RunPlane plane4 = RunPlane().Line({0x81, 0x41, 80});
    auto frame = EncodedFrame(2, 1, 8, kFrameEncodingBands, {plane0, {}, {}, {}, plane4});
    const std::uint8_t* a = draw_state::MixingA();
    CFrame destination;
    destination.Create(2, 1, 8);
    destination.FillValue(3);
    Draw(destination, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
    EXPECT_EQ(destination.GetPixels()[0], 40);               // pass A copies
    EXPECT_EQ(destination.GetPixels()[1], a[3 * 256 + 80]);  // pass B: A [d x 256 + s]

    Opacity none(NormalBlitType(), 0.0f);  // plane type 4: only pass E, with plane 0
    destination.FillValue(3);
    Draw(destination, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
    EXPECT_EQ(destination.GetPixels()[0], a[40 * 256 + 3]);
    EXPECT_EQ(destination.GetPixels()[1], 3);
}

TEST(RunRenderTest, BandedFramesOntoSixteenBitsTakeThePalettesPixels)
{
    RunPlane plane0 = RunPlane().Line({0x01, 255, 0x81});
    RunPlane plane1 = RunPlane().Line({0x81, 0x01, 255});
    auto frame = EncodedFrame(2, 1, 8, kFrameEncodingBands, {plane0, plane1});
    CFrame destination;
    destination.Create(2, 1, 16);
    Draw(destination, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
    EXPECT_EQ(Pixel16(destination, 0, 0), 0xFFFF);
    EXPECT_EQ(Pixel16(destination, 1, 0), 0xFFFF);
}

}  // namespace
