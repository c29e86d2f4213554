#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "DisplayFixture.h"
#include "GP_Effects.h"
#include "GP_PixelRows.h"
#include "platform/win32_time.h"

class EffectsTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        GP_TransitionsEnabled = 1;
        GP_MeasureNextFadeOut = 0;
    }
    void TearDown() override
    {
        GP_TransitionsEnabled = 1;
        GP_MeasureNextFadeOut = 1;
        DisplayTest::TearDown();
    }
    CGP_Surface& Back() { return *display->backSurface; }

    // Presents made by one fade.
    template <typename Fade>
    long RoundsOf(Fade fade)
    {
        const long before = FramesShown();
        fade();
        return FramesShown() - before;
    }
};

TEST_F(EffectsTest, BlackScreenFadesOutAndInInOneRound)
{
    Back().Clear(0);
    EXPECT_EQ(RoundsOf(GP_FadeOut), 1);
    EXPECT_EQ(RoundsOf(GP_FadeIn), 1);
}

TEST_F(EffectsTest, WhitePixelFadesOutInThirteenRoundsAndBackIn)
{
    Back().Clear(0);
    SetPixel(Back(), 5, 5, 0xFFFF);
    EXPECT_EQ(RoundsOf(GP_FadeOut), 13);  // green: 6 steps of 6, 6 of 4, then one that clamps
    EXPECT_EQ(PixelAt(Back(), 5, 5), 0);

    SetPixel(Back(), 5, 5, 0xFFFF);
    EXPECT_EQ(RoundsOf(GP_FadeIn), 11);  // ten steps (red 30, green 60), then one that lands on the targets
    EXPECT_EQ(PixelAt(Back(), 5, 5), 0xFFFF);
}

TEST_F(EffectsTest, FadesOnTheFiveFiveFiveRoadReachTheirEnds)
{
    MakeDisplay(true);
    Back().Clear(0);
    SetPixel(Back(), 0, 0, 0x7FFF);
    GP_FadeOut();
    EXPECT_EQ(PixelAt(Back(), 0, 0), 0);
    SetPixel(Back(), 0, 0, 0x7FFF);
    GP_FadeIn();
    EXPECT_EQ(PixelAt(Back(), 0, 0), 0x7FFF);
}

TEST_F(EffectsTest, DisabledTransitionsLeaveTheBackBufferAlone)
{
    GP_TransitionsEnabled = 0;
    Back().Clear(0x1234);
    EXPECT_EQ(RoundsOf(GP_FadeOut), 0);
    EXPECT_EQ(RoundsOf(GP_FadeIn), 0);
    EXPECT_EQ(PixelAt(Back(), 100, 100), 0x1234);
}

namespace {
void TakeALongTime(CGP_Surface*, void*) { platform::AdvanceFakeClock(600); }
}  // namespace

TEST_F(EffectsTest, SlowFirstFadeOutSwitchesFadesOff)
{
    platform::UseFakeClock(1000);
    GP_MeasureNextFadeOut = 1;
    Back().Clear(0xFFFF);
    // A restore handler run by the fade's first present stands in for a slow machine.
    auto slow = MakeSurface(1, 1);
    slow->SetRestoreHandler(&TakeALongTime, nullptr, false);
    display->surfacesLost = 1;
    GP_FadeOut();
    EXPECT_EQ(GP_TransitionsEnabled, 0);
    EXPECT_EQ(GP_MeasureNextFadeOut, 0);

    GP_TransitionsEnabled = 1;
    GP_MeasureNextFadeOut = 1;
    Back().Clear(0xFFFF);
    GP_FadeOut();  // quick this time
    EXPECT_EQ(GP_TransitionsEnabled, 1);
    platform::UseRealClock();
}

TEST_F(EffectsTest, BlendWithBlackHalvesAndDarkenQuarters)
{
    for (std::uint8_t mmx : {0, 1}) {
        GP_HasMMX = mmx;
        Back().Clear(0xFFFF);
        Back().Lock();
        GP_BlendRect(0, 0, 10, 1, 0, 0, 0);
        GP_DarkenRect(0, 1, 10, 1);
        GP_BlendRect(630, 470, 50, 50, 0xF800, 0x07E0, 0x001F);  // cut to the screen
        Back().Unlock();
        EXPECT_EQ(PixelAt(Back(), 9, 0), (15 << 11) | (31 << 5) | 15) << int(mmx);
        EXPECT_EQ(PixelAt(Back(), 10, 0), 0xFFFF);
        EXPECT_EQ(PixelAt(Back(), 9, 1), (7 << 11) | (15 << 5) | 7) << int(mmx);
        EXPECT_EQ(PixelAt(Back(), 639, 479), 0xFFFF);
    }
}

TEST(PixelRows, Sse2RowsMatchThePlainOnesBitForBit)
{
    std::mt19937 random(7);
    const GP_ChannelMasks formats[] = {{0xF800, 0x07E0, 0x001F}, {0x7C00, 0x03E0, 0x001F}};
    for (const GP_ChannelMasks& masks : formats) {
        for (int count : {1, 7, 8, 9, 640}) {
            std::vector<std::uint16_t> plain(count);
            for (auto& p : plain) p = static_cast<std::uint16_t>(random());
            std::vector<std::uint16_t> fast = plain;
            const GP_ChannelMasks colour{static_cast<std::uint16_t>(random() & masks.r),
                                         static_cast<std::uint16_t>(random() & masks.g),
                                         static_cast<std::uint16_t>(random() & masks.b)};
            GP_BlendRowPlain(plain.data(), count, masks, colour);
            if (!GP_BlendRowSse2(fast.data(), count, masks, colour)) GTEST_SKIP() << "no SSE2 here";
            EXPECT_EQ(plain, fast) << count;
            GP_DarkenRowPlain(plain.data(), count, masks);
            GP_DarkenRowSse2(fast.data(), count, masks);
            EXPECT_EQ(plain, fast) << count;
        }
    }
}

TEST_F(EffectsTest, MaskMarksEveryPixelThatIsNotZero)
{
    auto sprite = MakeSurface(3, 2);
    SetPixel(*sprite, 1, 0, 0x0001);
    SetPixel(*sprite, 0, 1, 0xFFFF);
    SetPixel(*sprite, 2, 1, 0x8000);
    CGP_SurfaceFrames frames;
    frames.Add(sprite.get(), 0, 0, 3, 2);
    GP_PixelMask* mask = GP_BuildMask(&frames);
    ASSERT_NE(mask, nullptr);
    const std::vector<std::uint8_t> expected = {0, 1, 0, 1, 0, 1, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(mask->bytes, mask->bytes + 7), expected);
    EXPECT_EQ(mask->frames, &frames);
    delete mask;
    CGP_SurfaceFrames empty;
    EXPECT_EQ(GP_BuildMask(&empty), nullptr);
}
