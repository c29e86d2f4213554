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

TEST(PixelRows, FadeRoundsOfSse2MatchThePlainOnesBitForBit)
{
    const auto channelsOf = [](std::uint16_t r, std::uint16_t g, std::uint16_t b) {
        const auto shift = [](std::uint16_t m) { return m ? __builtin_ctz(m) : 0; };
        return GP_FadeChannels{{r, shift(r), 3, 2, 15, 3}, {g, shift(g), 6, 4, 31, 6}, {b, shift(b), 3, 2, 15, 3}};
    };
    // 5-6-5, 5-5-5, and one channel as wide as the pixel, where values pass 16 bits when raised.
    const GP_FadeChannels formats[] = {channelsOf(0xF800, 0x07E0, 0x001F), channelsOf(0x7C00, 0x03E0, 0x001F),
                                       channelsOf(0xFFFF, 0, 0)};
    std::mt19937 random(3);
    for (const GP_FadeChannels& c : formats) {
        for (const int count : {1, 7, 8, 9, 640}) {
            std::vector<std::uint16_t> row(count), tr(count), tg(count), tb(count);
            // Rows of random pixels (nearly every component moves), of black and of finished pixels but the last.
            for (const int fill : {0, 1, 2}) {
                for (int i = 0; i < count; ++i) {
                    const std::uint16_t p = fill == 0 ? static_cast<std::uint16_t>(random()) : 0;
                    row[i] = p;
                    tr[i] = static_cast<std::uint16_t>(fill == 0 ? random() % 40 : (p & c.r.mask) >> c.r.shift);
                    tg[i] = static_cast<std::uint16_t>(fill == 0 ? random() % 70 : (p & c.g.mask) >> c.g.shift);
                    tb[i] = static_cast<std::uint16_t>(fill == 0 ? random() % 40 : (p & c.b.mask) >> c.b.shift);
                }
                if (fill == 2) row[count - 1] = static_cast<std::uint16_t>(c.r.mask | c.g.mask | c.b.mask);
                if (fill == 2) tr[count - 1] = tg[count - 1] = tb[count - 1] = 0xFFFF;
                const std::string what = std::to_string(count) + " pixels, kind " + std::to_string(fill);

                std::vector<std::uint16_t> plain = row, fast = row;
                EXPECT_EQ(GP_FadeOutRowPlain(plain.data(), count, c), GP_FadeOutRowSse2(fast.data(), count, c)) << what;
                EXPECT_EQ(plain, fast) << "fade-out, " << what;

                plain = fast = row;
                const GP_FadeTargets targets{tr.data(), tg.data(), tb.data()};
                EXPECT_EQ(GP_FadeInRowPlain(plain.data(), count, targets, c),
                          GP_FadeInRowSse2(fast.data(), count, targets, c))
                    << what;
                EXPECT_EQ(plain, fast) << "fade-in, " << what;
            }
        }
    }
}

TEST_F(EffectsTest, FadesReachTheSameEndsOnThePlainRows)
{
    const std::uint8_t saved = GP_HasMMX;
    GP_HasMMX = 0;
    Back().Clear(0);
    SetPixel(Back(), 5, 5, 0xFFFF);
    EXPECT_EQ(RoundsOf(GP_FadeOut), 13);
    EXPECT_EQ(PixelAt(Back(), 5, 5), 0);
    SetPixel(Back(), 5, 5, 0xFFFF);
    EXPECT_EQ(RoundsOf(GP_FadeIn), 11);
    EXPECT_EQ(PixelAt(Back(), 5, 5), 0xFFFF);
    GP_HasMMX = saved;
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
