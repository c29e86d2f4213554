#include <gtest/gtest.h>

#include "BlitFixtures.h"
#include "blit/Amplify.h"
#include "blit/Blend565.h"
#include "frames/ColorTable.h"

using platform::Rect;
using namespace blit_test;

namespace {

std::uint16_t Rgb565(int r, int g, int b) { return static_cast<std::uint16_t>(r << 11 | g << 5 | b); }

TEST(AmplifyTest, ChannelsBrightenByTheSourceAndCapAt31)
{
    EXPECT_EQ(Amplify565(Rgb565(16, 32, 1), 0), Rgb565(16, 32, 1));
    EXPECT_EQ(Amplify565(Rgb565(16, 0, 1), Rgb565(31, 0, 31)), Rgb565(31, 0, 2));
    EXPECT_EQ(Amplify565(Rgb565(0, 63, 0), Rgb565(0, 63, 0)), Rgb565(0, 62, 0));
    EXPECT_EQ(Amplify565(Rgb565(0, 33, 0), 0), Rgb565(0, 32, 0));  // the lowest G bit is dropped
}

// A 4 x 1 encoded frame: plane 0 a literal of two, plane 4 a fill of two with alpha 100.
std::unique_ptr<CFrame> TwoPlaneFrame()
{
    RunPlane opaque = RunPlane().Line({0x42, 0x00, 0x84, 0x10, 0x42, 0x82});
    RunPlane translucent = RunPlane().Line({0x82, 0x02, 0x1F, 0x00});
    RunPlane alpha = RunPlane().Line({100});
    return EncodedFrame(4, 1, 16, kFrameEncodingAlpha, {opaque, {}, {}, alpha, translucent});
}

TEST(BlendTypesTest, AmplifyLightsPlaneZeroAndPaintsPlaneFourWhite)
{
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        auto frame = TwoPlaneFrame();
        CFrame destination, normal;
        destination.Create(4, 1, 16);
        destination.FillValue(0x42);
        Draw(destination, *frame, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, BlendAmplifyLightType());
        EXPECT_EQ(Pixel16(destination, 0, 0), Amplify565(0x4242, 0x8400));
        EXPECT_EQ(Pixel16(destination, 2, 0), 0xFFFF);
        EXPECT_EQ(Pixel16(destination, 3, 0), 0xFFFF);

        Opacity half(BlendAmplifyLightType(), 0.5f), normalHalf(NormalBlitType(), 0.5f);
        destination.FillValue(0x42);
        normal.Create(4, 1, 16);
        normal.FillValue(0x42);
        Draw(destination, *frame, Rect{0, 0, 4, 1}, Rect{0, 0, 4, 1}, BlendAmplifyLightType());
        Draw(normal, *frame, Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1}, NormalBlitType());
        EXPECT_EQ(Pixel16(destination, 0, 0), Pixel16(normal, 0, 0)) << simd;
        EXPECT_EQ(Pixel16(destination, 1, 0), Pixel16(normal, 1, 0)) << simd;
        EXPECT_EQ(Pixel16(destination, 2, 0), 0xFFFF);
    }
}

TEST(BlendTypesTest, MixingNeedsAMixingTableAndBothMixingTypesDrawAlike)
{
    auto source = FrameOf(3, 1, 8, {1, 2, 3});
    CFrame destination;
    destination.Create(3, 1, 8);
    destination.FillValue(9);
    Draw(destination, *source, Rect{0, 0, 3, 1}, Rect{0, 0, 3, 1}, BlendBlackBiasType());
    EXPECT_EQ(BytesOf(destination), (std::vector<std::uint8_t>{9, 9, 9}));  // no table: nothing drawn

    auto banded = EncodedFrame(3, 1, 8, kFrameEncodingBands, {RunPlane().Line({0x43, 1, 2, 3})});
    std::vector<std::uint8_t> results[2];
    BlitType* types[] = {&BlendBlackBiasType(), &BlendTestLightType()};
    for (int i = 0; i < 2; ++i) {
        ColorTable& mixing = *types[i]->GetColorTable();
        mixing.SetType(ColorTable::kTable16);
        for (int v = 0; v < 65536; ++v) mixing.GetData()[v] = static_cast<std::uint8_t>((v & 0xff) + (v >> 8));
        destination.FillValue(9);
        Draw(destination, *source, Rect{0, 0, 3, 1}, Rect{0, 0, 3, 1}, *types[i]);
        Draw(destination, *banded, Rect{0, 0, 3, 1}, Rect{0, 0, 3, 1}, *types[i]);
        results[i] = BytesOf(destination);
        mixing.Free();
        mixing.SetType(ColorTable::kEmpty);
    }
    EXPECT_EQ(results[0], (std::vector<std::uint8_t>{11, 13, 15}));  // d + s, twice
    EXPECT_EQ(results[0], results[1]);
}

TEST(BlendTypesTest, SixteenBitRowsBelowOpacityOneGroupFourPixelsOnTheVectorUnit)
{
    auto source = NumberedFrame(7, 2, 16, 0x35);
    for (bool simd : {false, true}) {
        BothVariants variant(simd);
        Opacity part(BlendTestLightType(), 0.6f);
        CFrame destination;
        destination.Create(7, 2, 16);
        destination.FillValue(0xA5);
        Draw(destination, *source, Rect{0, 0, 7, 2}, Rect{0, 0, 7, 2}, BlendTestLightType());
        for (int x = 0; x < 7; ++x) {
            const std::uint16_t s = Pixel16(*source, x, 1);
            const std::uint16_t expected = simd && x < 4 ? Blend565Lanes(0xA5A5, s, 153) : Blend565(0xA5A5, s, 153);
            EXPECT_EQ(Pixel16(destination, x, 1), expected) << x << " simd " << simd;
        }
    }
}

}  // namespace
