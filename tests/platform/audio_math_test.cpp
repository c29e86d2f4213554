#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/audio_math.h"

using namespace platform;

TEST(AudioMath, GainFromHundredthsOfDecibel)
{
    struct Case {
        long volume;
        float gain;
    } cases[] = {{0, 1.0f},           {-600, 0.5012f}, {-1000, 0.3162f}, {-2000, 0.1f},  {-6000, 0.001f},
                 {-9999, 1.0012e-5f}, {-10000, 0.0f},  {-20000, 0.0f},   {1000, 3.1623f}};
    for (const Case& c : cases) EXPECT_NEAR(GainFromHundredthsOfDb(c.volume), c.gain, c.gain * 1e-3 + 1e-7) << c.volume;
}

TEST(AudioMath, InverseDistanceModel)
{
    struct Case {
        float distance, minDistance, rolloff, gain;
    } cases[] = {
        {0.0f, 10.0f, 0.05f, 1.0f},       {10.0f, 10.0f, 0.05f, 1.0f}, {210.0f, 10.0f, 0.05f, 0.5f},
        {410.0f, 10.0f, 0.05f, 1.0f / 3}, {20.0f, 10.0f, 1.0f, 0.5f},  {1000.0f, 10.0f, 0.0f, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(DistanceGain(c.distance, c.minDistance, c.rolloff), c.gain, 1e-5) << c.distance << " " << c.rolloff;
}

TEST(AudioMath, ConstantPowerPanKeepsPowerAndClampsAtTheSides)
{
    for (float lateral : {-1000.0f, -320.0f, -160.0f, 0.0f, 80.0f, 320.0f, 5000.0f}) {
        const StereoGain g = ConstantPowerPan(lateral);
        EXPECT_NEAR(g.left * g.left + g.right * g.right, 1.0f, 1e-5) << lateral;
    }
    EXPECT_NEAR(ConstantPowerPan(0.0f).left, std::sqrt(0.5f), 1e-5);
    EXPECT_NEAR(ConstantPowerPan(0.0f).right, std::sqrt(0.5f), 1e-5);
    EXPECT_NEAR(ConstantPowerPan(320.0f).left, 0.0f, 1e-5);
    EXPECT_NEAR(ConstantPowerPan(-320.0f).right, 0.0f, 1e-5);
    EXPECT_GT(ConstantPowerPan(100.0f).right, ConstantPowerPan(50.0f).right);
}

TEST(AudioMath, ConeGainByTheAngleToTheListener)
{
    const Vector3 ahead{0, 0, 1};
    struct Case {
        const char* what;
        Vector3 toListener;
        unsigned inside, outside;
        long outsideVolume;
        float gain;
    } cases[] = {
        {"no cone", {0, 0, -1}, 360, 360, -10000, 1.0f},
        {"straight ahead", {0, 0, 5}, 30, 90, -2000, 1.0f},
        {"behind", {0, 0, -5}, 30, 90, -2000, 0.1f},
        {"at the side, outside 90", {5, 0, 0}, 30, 90, -2000, 0.1f},
        {"halfway between the cones", {0.70710678f, 0, 0.70710678f}, 0, 180, -2000, 0.31623f},
        {"listener at the source", {0, 0, 0}, 30, 90, -2000, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(ConeGain(c.toListener, ahead, c.inside, c.outside, c.outsideVolume), c.gain, 1e-3) << c.what;
    EXPECT_FLOAT_EQ(ConeGain({1, 0, 0}, {0, 0, 0}, 0, 0, -10000), 1.0f);  // no orientation, no cone
}

TEST(AudioMath, PlacementUsesTheListenersRightHandSide)
{
    const Vector3 front{0, 0, 1}, top{0, 1, 0};
    // Screen (x, y) is placed at (x, -y, 0); the listener stands at the screen centre.
    const Placement right = PlaceSource({600, -240, 0}, {320, -240, 0}, front, top);
    EXPECT_NEAR(right.lateral, 280.0f, 1e-3);
    EXPECT_NEAR(right.distance, 280.0f, 1e-3);
    const Placement above = PlaceSource({320, -40, 0}, {320, -240, 0}, front, top);
    EXPECT_NEAR(above.lateral, 0.0f, 1e-3);
    EXPECT_NEAR(above.distance, 200.0f, 1e-3);
    // Turned round (facing -z), the sides swap.
    EXPECT_NEAR(PlaceSource({600, -240, 0}, {320, -240, 0}, {0, 0, -1}, top).lateral, -280.0f, 1e-3);
}

TEST(AudioMath, ReadsEightAndSixteenBitMonoAndStereo)
{
    const std::uint8_t mono8[] = {0, 128, 255};
    const std::uint8_t stereo16[] = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x40, 0x00, 0x00};
    float l, r;
    ReadFrame({1, 8, 8000}, mono8, 0, l, r);
    EXPECT_FLOAT_EQ(l, -1.0f);
    EXPECT_FLOAT_EQ(r, -1.0f);
    ReadFrame({1, 8, 8000}, mono8, 1, l, r);
    EXPECT_FLOAT_EQ(l, 0.0f);
    ReadFrame({1, 8, 8000}, mono8, 2, l, r);
    EXPECT_FLOAT_EQ(l, 127.0f / 128.0f);
    ReadFrame({2, 16, 8000}, stereo16, 0, l, r);
    EXPECT_FLOAT_EQ(l, -1.0f);
    EXPECT_FLOAT_EQ(r, 32767.0f / 32768.0f);
    ReadFrame({2, 16, 8000}, stereo16, 1, l, r);
    EXPECT_FLOAT_EQ(l, 0.5f);
    EXPECT_FLOAT_EQ(r, 0.0f);
    EXPECT_FALSE(IsPlayableFormat({3, 16, 8000}));
    EXPECT_FALSE(IsPlayableFormat({1, 12, 8000}));
    EXPECT_FALSE(IsPlayableFormat({1, 16, 0}));
}

TEST(AudioMath, LinearResamplingToTheDeviceRate)
{
    // A 16-bit mono ramp 0, 0.25, 0.5 at half the device rate: each source frame lasts two output frames,
    // the second one halfway to the next.
    const std::int16_t ramp[] = {0, 8192, 16384};
    const PcmFormat format{1, 16, 22050};
    const ResampleRun run{&format, reinterpret_cast<const std::uint8_t*>(ramp), 3, false};
    std::vector<float> out(16, 0.0f);
    double position = 0.0;
    const std::size_t made = ResampleAdd(run, position, 44100, {1.0f, 0.5f}, out.data(), 8);
    ASSERT_EQ(made, 6u);
    const float expected[] = {0.0f, 0.125f, 0.25f, 0.375f, 0.5f, 0.5f};
    for (std::size_t i = 0; i < made; ++i) {
        EXPECT_NEAR(out[i * 2], expected[i], 1e-6) << i;
        EXPECT_NEAR(out[i * 2 + 1], expected[i] * 0.5f, 1e-6) << i;
    }
    // Looping wraps to the start and never ends; a double rate skips every other frame.
    const ResampleRun loop{&format, reinterpret_cast<const std::uint8_t*>(ramp), 3, true};
    std::vector<float> looped(16, 0.0f);
    position = 0.0;
    EXPECT_EQ(ResampleAdd(loop, position, 11025, {1.0f, 1.0f}, looped.data(), 4), 4u);
    EXPECT_NEAR(looped[2], 0.5f, 1e-6);
    EXPECT_NEAR(looped[4], 8192 / 32768.0f, 1e-6);
}

TEST(AudioMath, ToSample16Clips)
{
    EXPECT_EQ(ToSample16(0.0f), 0);
    EXPECT_EQ(ToSample16(0.5f), 16384);
    EXPECT_EQ(ToSample16(2.0f), 32767);
    EXPECT_EQ(ToSample16(-2.0f), -32768);
}
