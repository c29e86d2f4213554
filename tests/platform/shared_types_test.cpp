#include <gtest/gtest.h>

#include "platform/cpu_features.h"
#include "platform/pixel_format.h"
#include "platform/rect.h"

using platform::Rect;

TEST(Rect, IntersectionOfDisjointOrTouchingRectanglesIsEmpty)
{
    EXPECT_TRUE(Rect::At(0, 0, 10, 10).Intersected(Rect::At(10, 0, 5, 5)).IsEmpty());
    EXPECT_EQ(Rect::At(0, 0, 10, 10).Intersected(Rect::At(20, 20, 5, 5)), Rect{});
    EXPECT_EQ(Rect::At(-5, -5, 10, 10).Intersected(Rect::OfSize(640, 480)), Rect::At(0, 0, 5, 5));
}

TEST(Rect, ContainsTellsWholeRectanglesAndPixels)
{
    const Rect screen = Rect::OfSize(640, 480);
    EXPECT_TRUE(screen.Contains(Rect::At(600, 400, 40, 80)));
    EXPECT_FALSE(screen.Contains(Rect::At(600, 400, 41, 80)));
    EXPECT_TRUE(screen.Contains(Rect::At(9999, 9999, 0, 3)));
    EXPECT_TRUE(screen.Contains(639, 479));
    EXPECT_FALSE(screen.Contains(640, 0));
    EXPECT_EQ(Rect::At(1, 2, 3, 4).Offset(10, 20), Rect::At(11, 22, 3, 4));
    EXPECT_EQ(Rect::From(Rect::At(1, 2, 3, 4).ToRECT()), Rect::At(1, 2, 3, 4));
}

TEST(PixelFormat, MasksFindTheirFormatAndPackPutsChannelsInPlace)
{
    EXPECT_EQ(platform::PixelFormatFromMasks(0xF800, 0x07E0, 0x001F), &platform::kPixelFormat565);
    EXPECT_EQ(platform::PixelFormatFromMasks(0x7C00, 0x03E0, 0x001F), &platform::kPixelFormat555);
    EXPECT_EQ(platform::PixelFormatFromMasks(0xFF0000, 0xFF00, 0xFF), nullptr);
    EXPECT_EQ(platform::kPixelFormat565.Pack(255, 255, 255), 0xFFFF);
    EXPECT_EQ(platform::kPixelFormat555.Pack(255, 0, 0), 0x7C00);
    EXPECT_EQ(platform::kPixelFormat565.Pack(0, 255, 0), 0x07E0);
}

TEST(PixelFormat, ChannelsWidenToEightBitsWithWhiteStayingWhite)
{
    const platform::PixelFormat& f565 = platform::kPixelFormat565;
    const platform::PixelFormat& f555 = platform::kPixelFormat555;
    EXPECT_EQ(f565.Red8(0xFFFF), 255);
    EXPECT_EQ(f565.Green8(0x07E0), 255);
    EXPECT_EQ(f565.Blue8(0x07E0), 0);
    EXPECT_EQ(f565.Green8(1 << 5), 4);  // 000001 -> 00000100
    EXPECT_EQ(f555.Red8(0x7C00), 255);
    EXPECT_EQ(f555.Green8(0x0200), 132);  // 10000 -> 10000100
    EXPECT_EQ(f555.Blue8(0x0001), 8);
}

TEST(CpuFeatures, AnOverrideWinsUntilItIsCleared)
{
    const bool machine = platform::CpuHas(platform::CpuFeature::Sse2);
    platform::OverrideCpuFeature(platform::CpuFeature::Sse2, !machine);
    EXPECT_EQ(platform::CpuHas(platform::CpuFeature::Sse2), !machine);
    platform::OverrideCpuFeature(platform::CpuFeature::Sse2, std::nullopt);
    EXPECT_EQ(platform::CpuHas(platform::CpuFeature::Sse2), machine);
#if defined(__x86_64__)
    EXPECT_TRUE(machine);  // every x86-64 processor has SSE2
#endif
}

TEST(CpuFeatures, LeavesAnswerWhereTheProcessorHasThemAndAgreeWithTheFeatures)
{
#if defined(__x86_64__) || defined(__i386__)
    const std::optional<platform::CpuidRegisters> leaf0 = platform::CpuidLeaf(0);
    ASSERT_TRUE(leaf0.has_value());
    ASSERT_GE(leaf0->eax, 1u);  // the highest standard leaf
    EXPECT_EQ((platform::CpuidLeaf(1)->edx >> 26) & 1, platform::CpuHas(platform::CpuFeature::Sse2) ? 1u : 0u);
    EXPECT_FALSE(platform::CpuidLeaf(leaf0->eax + 1).has_value());
#else
    EXPECT_FALSE(platform::CpuidLeaf(0).has_value());
#endif
}
