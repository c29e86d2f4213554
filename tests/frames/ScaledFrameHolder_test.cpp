#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "FrameFixtures.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"

namespace {

TEST(ScaledFrameHolder, HoldsACopyAtTheAskedSizeOrNothing)
{
    frames_test::DisplayDepth display(16);
    CFrame source;
    source.Create(4, 4, 24);
    source.Fill(MakeColor(0, 200, 0));
    CScaledFrameHolder holder(&source, 8, 2);
    ASSERT_NE(holder.GetFrame(), nullptr);
    EXPECT_EQ(holder.GetWidth(), 8);
    EXPECT_EQ(holder.GetHeight(), 2);
    EXPECT_EQ(holder.GetFrame()->GetBitDepth(), 16) << "the copy is at the display's depth";
    Color probe;
    ASSERT_TRUE(holder.GetFrame()->GetPixelColor(7, 1, probe));
    EXPECT_NEAR(probe.G, 200, 8);
    EXPECT_LT(probe.R, 8);

    std::unique_ptr<CScaledFrameHolder> empties[] = {std::make_unique<CScaledFrameHolder>(),
                                                     std::make_unique<CScaledFrameHolder>(nullptr, 8, 2),
                                                     std::make_unique<CScaledFrameHolder>(&source, 0, 5)};
    for (const auto& empty : empties) {
        EXPECT_EQ(empty->GetFrame(), nullptr);
        EXPECT_EQ(empty->GetWidth(), 0);
        EXPECT_EQ(empty->GetHeight(), 0);
    }
}

// 32-bit pixels reach a 16-bit display through their alpha over black, the way a 24-bit display shows them.
TEST(ScaledFrameHolder, ScalesThirtyTwoBitSourcesOntoASixteenBitDisplay)
{
    struct Case {
        std::uint8_t alpha;
        int green;
    };
    const Case cases[] = {{255, 200}, {128, 100}, {0, 0}};
    frames_test::DisplayDepth display(16);
    for (const Case& c : cases) {
        CFrame source;
        ASSERT_TRUE(source.Create(4, 4, 32));
        std::uint8_t* p = source.GetPixels();
        for (int i = 0; i < 16; ++i, p += 4) {
            p[0] = 0;
            p[1] = 200;
            p[2] = 0;
            p[3] = c.alpha;
        }
        const std::unique_ptr<CFrame> scaled = MakeScaledFrame(&source, 6, 3);
        ASSERT_NE(scaled, nullptr);
        EXPECT_EQ(scaled->GetBitDepth(), 16);
        Color probe;
        ASSERT_TRUE(scaled->GetPixelColor(5, 2, probe));
        EXPECT_NEAR(probe.G, c.green, 8) << "alpha " << int(c.alpha);
        EXPECT_LT(probe.R + probe.B, 16);
    }
}

}  // namespace
