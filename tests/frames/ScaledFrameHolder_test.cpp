#include <memory>

#include <gtest/gtest.h>

#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"

namespace {

TEST(ScaledFrameHolder, HoldsACopyAtTheAskedSizeOrNothing)
{
    SetDisplayBitDepth(16);
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

}  // namespace
