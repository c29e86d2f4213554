#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "BlitFixtures.h"
#include "blit/Blend565.h"
#include "blit/FilteredScaler.h"
#include "frames/ColorTable.h"
#include "frames/DirtyRectFrame.h"

using platform::Rect;
using namespace blit_test;

namespace {

TEST(ScaleWeightsTest, TapsStayWithinTheFiltersReachAndMirrorInsideTheSource)
{
    ScaleWeights shrink, grow;
    shrink.Build(0.5f, 50, 100);
    grow.Build(2.0f, 100, 50);
    for (int i = 0; i < 50; ++i) {
        for (const ScaleTap& tap : shrink.At(i)) {
            EXPECT_GE(tap.source, 0);
            EXPECT_LT(tap.source, 100);
        }
        EXPECT_LE(shrink.At(i).size(), 9u);
    }
    EXPECT_EQ(shrink.At(10).front().source, 16);  // centre 20, reach 4
    EXPECT_EQ(shrink.At(10).back().source, 24);
    EXPECT_EQ(grow.At(21).front().source, 9);  // centre 10.5, reach 2
    EXPECT_EQ(grow.At(21).back().source, 12);
    EXPECT_EQ(grow.At(0).front().source, 2);  // tap -2 mirrored
    EXPECT_EQ(grow.At(0)[1].source, 1);       // tap -1 reads pixel 1

    const int builds = grow.GetBuildCount();
    grow.Build(2.0f, 100, 50);
    EXPECT_EQ(grow.GetBuildCount(), builds);

    // One mirror step is not enough for a one-pixel source.
    const std::pair<int, int> taps[] = {{-2, 0}, {2, 0}, {-1, 0}, {1, 0}};
    for (auto [j, expected] : taps) EXPECT_EQ(MirrorTap(j, 1), expected) << j;
    EXPECT_EQ(MirrorTap(3, 2), 0);
    EXPECT_EQ(MirrorTap(-3, 2), 0);
}

TEST(ScaleWeightsTest, SumsOutsideTheClampTablesAreKeptAtTheirEnds)
{
    EXPECT_EQ(ClampRed5(-1000.0f), 0);
    EXPECT_EQ(ClampRed5(1000.0f), 31 << 11);
    EXPECT_EQ(ClampGreen6(std::nanf("")), 0);
    EXPECT_EQ(ClampBlue5(255.0f), 31);
    EXPECT_EQ(ClampGreen6(130.0f), 32 << 5);
}

// Scales a flat colour from a source of one size into a rectangle of another inside a frame one pixel wider on
// every side; the rectangle must hold the colour and the border stay untouched.
void ExpectFlatScale(std::uint16_t colour, const Rect& from, const Rect& to)
{
    CFrame source, destination;
    source.Create(from.Width(), from.Height(), 16);
    std::fill_n(reinterpret_cast<std::uint16_t*>(source.GetPixels()), from.Width() * from.Height(), colour);
    destination.Create(to.Width() + 2, to.Height() + 2, 16);
    const Rect inside = to.Offset(1, 1);
    Draw(destination, source, from, inside, GetFilteredScaler());
    for (int y = 0; y < destination.GetHeight(); ++y)
        for (int x = 0; x < destination.GetWidth(); ++x)
            ASSERT_EQ(Pixel16(destination, x, y), inside.Contains(x, y) ? colour : 0)
                << std::hex << colour << std::dec << " " << to.Width() << "x" << to.Height() << " at " << x << "," << y;
}

TEST(FilteredScalerTest, AFlatColourSurvivesEveryScale)
{
    const std::pair<Rect, Rect> sizes[] = {{Rect::OfSize(1, 1), Rect::OfSize(5, 3)},
                                           {Rect::OfSize(2, 7), Rect::OfSize(9, 2)},
                                           {Rect::OfSize(64, 16), Rect::OfSize(17, 40)},
                                           {Rect::OfSize(3, 3), Rect::OfSize(3, 3)}};
    for (std::uint16_t colour : {0x0000, 0xFFFF, 0x8410, 0x3A6C})
        for (const auto& [from, to] : sizes) ExpectFlatScale(colour, from, to);
    EXPECT_FALSE(GetFilteredScaler().IsPlainCopy());
}

TEST(FilteredScalerTest, EightBitPicturesComeBackInPaletteColours)
{
    auto source = FrameOf(2, 2, 8, {255, 255, 255, 255});
    CFrame destination;
    destination.Create(5, 4, 8);
    Draw(destination, *source, Rect{0, 0, 2, 2}, Rect{0, 0, 5, 4}, GetFilteredScaler());
    for (std::uint8_t index : BytesOf(destination)) {
        std::uint8_t r, g, b;
        CurrentPalette().GetPaletteEntry(index, r, g, b);
        EXPECT_GE(std::min({r, g, b}), 240) << int(index);  // white, or the palette's nearest greys
    }
}

// A 64 x 64 texture whose pixel (x, y) is x | y << 6.
std::unique_ptr<CFrame> Texture()
{
    auto texture = std::make_unique<CFrame>();
    texture->Create(64, 64, 16);
    auto* p = reinterpret_cast<std::uint16_t*>(texture->GetPixels());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) p[y * 64 + x] = static_cast<std::uint16_t>(x | y << 6);
    return texture;
}

TEST(WrappedCopyTest, TextureCoordinatesWrapAtItsSize)
{
    auto texture = Texture();
    CFrame destination;
    destination.Create(8, 4, 16);
    ASSERT_TRUE(destination.Blit(texture.get(), Rect{70, 130, 78, 134}, Rect{0, 0, 8, 4}, &WrappedCopyType()));
    EXPECT_EQ(Pixel16(destination, 0, 0), 6 | 2 << 6);
    EXPECT_EQ(Pixel16(destination, 7, 3), 13 | 5 << 6);
    // Start far left and above: the same wrap.
    destination.Blit(texture.get(), Rect{-58, -62, -50, -58}, Rect{0, 0, 8, 4}, &WrappedCopyType());
    EXPECT_EQ(Pixel16(destination, 0, 0), 6 | 2 << 6);
}

TEST(WrappedCopyTest, RepaintingAnEncodedFrameKeepsItsRunsAndSkippedPixels)
{
    auto texture = Texture();
    RunPlane opaque = RunPlane().Line({0x82, 0x42, 0xAA, 0xAA, 0xBB, 0xBB, 0x02, 0xCC, 0xCC}).Line({0x86});
    auto frame = EncodedFrame(6, 2, 16, kFrameEncodingAlpha, {opaque});
    const std::vector<std::uint8_t> before(opaque.bytes);
    Draw(*frame, *texture, Rect{1, 3, 7, 5}, Rect{0, 0, 6, 2}, WrappedCopyType());
    const std::uint8_t* data = frame->GetPixels();
    const std::uint16_t at2 = 3 | 3 << 6, at3 = 4 | 3 << 6, at4 = 5 | 3 << 6;
    const std::vector<std::uint8_t> expected = {before[0],
                                                before[1],
                                                before[2],
                                                before[3],
                                                0x82,
                                                0x42,
                                                static_cast<std::uint8_t>(at2),
                                                static_cast<std::uint8_t>(at2 >> 8),
                                                static_cast<std::uint8_t>(at3),
                                                static_cast<std::uint8_t>(at3 >> 8),
                                                0x02,
                                                static_cast<std::uint8_t>(at4),
                                                static_cast<std::uint8_t>(at4 >> 8),
                                                0x86};
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + expected.size()), expected);
}

TEST(TiledCopyTest, TilesStartAtTheNegatedOffsetAndAnEmptySourceDrawsNothing)
{
    auto tile = NumberedFrame(10, 10, 8);
    CFrame destination;
    destination.Create(25, 10, 8);
    Draw(destination, *tile, Rect{3, 0, 28, 10}, Rect{0, 0, 25, 10}, TiledCopyType());
    EXPECT_EQ(destination.GetPixels()[0], 4);   // tile at -3: its column 3
    EXPECT_EQ(destination.GetPixels()[6], 10);  // its column 9
    EXPECT_EQ(destination.GetPixels()[7], 1);   // next tile at 7
    EXPECT_EQ(destination.GetPixels()[17], 1);  // and at 17
    EXPECT_EQ(destination.GetPixels()[24], 8);
    EXPECT_EQ(destination.GetPixels()[25 + 24], 18);

    // A far offset lands on the same tiling.
    CFrame far;
    far.Create(25, 10, 8);
    Draw(far, *tile, Rect{1000003, 0, 1000028, 10}, Rect{0, 0, 25, 10}, TiledCopyType());
    EXPECT_EQ(BytesOf(far), BytesOf(destination));

    CFrame empty;
    empty.SetBitDepth(8);
    Draw(far, empty, Rect{0, 0, 0, 0}, Rect{0, 0, 25, 10}, TiledCopyType());
    EXPECT_EQ(BytesOf(far), BytesOf(destination));
}

TEST(FloatLineTest, AHalfPixelLineSharesItsColourBetweenTwoLines)
{
    CFrame frame;
    frame.Create(20, 12, 16);
    Color white = MakeColor(255, 255, 255);
    ASSERT_TRUE(frame.DrawLineF(2.0f, 5.5f, 15.0f, 5.5f, white));
    EXPECT_EQ(Pixel16(frame, 8, 5), Blend565(0, 0xFFFF, 31 << 2));
    EXPECT_EQ(Pixel16(frame, 8, 6), Blend565(0, 0xFFFF, 32 << 2));
    EXPECT_EQ((Pixel16(frame, 8, 5) >> 5) & 0x3f, 31 * 63 >> 6);
    EXPECT_EQ(Pixel16(frame, 8, 4), 0);

    // 24 bits: share t = 128 of 256, each byte d + (c - d) x (255 - t) / 256 and d + (c - d) x t / 256.
    CFrame rgb;
    rgb.Create(20, 12, 24);
    rgb.DrawLineF(2.0f, 5.5f, 15.0f, 5.5f, white);
    const std::uint8_t* at = rgb.GetPixels() + 3 * (5 * 20 + 8);
    const int upper = 255 * 127 / 256, lower = 255 * 128 / 256;
    EXPECT_EQ((std::vector<int>{at[0], at[2], at[60], at[62], at[-60]}),
              (std::vector<int>{upper, upper, lower, lower, 0}));
}

// The grey level of an 8-bit pixel through the current palette; -1 when it is not grey.
int GreyOf(const CFrame& frame, int x, int y)
{
    std::uint8_t r, g, b;
    CurrentPalette().GetPaletteEntry(frame.GetPixels()[y * frame.GetPitch() + x], r, g, b);
    return r == g && g == b ? r : -1;
}

TEST(FloatLineTest, EightBitLinesShareThroughThePaletteFromWholePixelEnds)
{
    CFrame frame;
    frame.Create(12, 8, 8);
    // From (0, 0) to (10, 5): half a pixel down per column, so column 1 shares its colour evenly between lines 0
    // and 1; the end points are whole pixels, so column 0 gets it all and line 1 nothing there.
    ASSERT_TRUE(frame.DrawLineF(0.7f, 0.6f, 10.2f, 5.9f, MakeColor(255, 255, 255)));
    EXPECT_GE(GreyOf(frame, 0, 0), 240);
    EXPECT_EQ(frame.GetPixels()[frame.GetPitch()], 0);  // share 0 keeps the index
    EXPECT_NEAR(GreyOf(frame, 1, 0), 255 * 127 / 256, 8);
    EXPECT_NEAR(GreyOf(frame, 1, 1), 255 * 128 / 256, 8);
    EXPECT_EQ(frame.GetPixels()[2 * frame.GetPitch() + 1], 0);
}

TEST(FloatLineTest, StrayCoordinatesDrawNothingOrTheCutLine)
{
    CDirtyRectFrame frame;
    frame.Create(20, 12, 16);
    // A new frame's pixels are whatever its memory held.
    std::memset(frame.GetPixels(), 0, static_cast<std::size_t>(frame.GetPitch()) * frame.GetHeight());
    frame.Clear();
    const Color white = MakeColor(255, 255, 255);
    const float nan = std::nanf(""), infinity = HUGE_VALF;
    const float bad[][4] = {{nan, 1, 5, 5}, {1, 1, infinity, 5}, {-infinity, 2, 3, 4}};
    for (const auto& line : bad) frame.DrawLineF(line[0], line[1], line[2], line[3], white);
    const std::vector<std::uint8_t> untouched = BytesOf(frame);
    EXPECT_TRUE(std::all_of(untouched.begin(), untouched.end(), [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(frame.GetAccumulatedGrid().IsCellDirty(0, 0), 0);

    // End points far beyond the 16.16 range are cut to the frame first: the same line as one drawn inside.
    frame.DrawLineF(-1.0e30f, 5.0f, 1.0e30f, 5.0f, white);
    CFrame inside;
    inside.Create(20, 12, 16);
    std::memset(inside.GetPixels(), 0, static_cast<std::size_t>(inside.GetPitch()) * inside.GetHeight());
    inside.DrawLineF(0.0f, 5.0f, 19.0f, 5.0f, white);
    EXPECT_EQ(BytesOf(frame), BytesOf(inside));
    EXPECT_EQ(frame.GetAccumulatedGrid().IsCellDirty(0, 0), 1);
}

}  // namespace
