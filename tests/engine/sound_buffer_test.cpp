#include <gtest/gtest.h>

#include "AudioFixtures.h"
#include "GP_DirectSound.h"
#include "GP_SoundBuffer.h"
#include "GP_SoundSettings.h"
#include "SessionLogFixture.h"
#include "platform/headless_audio.h"

using namespace testsupport;

namespace {

// The device as the main frame sets it up: listener at the screen centre, roll-off 0.05, primary looping.
struct Device {
    CGP_DirectSound ds{nullptr};
    Device()
    {
        EXPECT_TRUE(ds.Create());
        ds.SetListenerPosition(320, 240);
        ds.SetRolloffFactor(0.05f);
        ds.CommitDeferredSettings();
        ds.PlayPrimary(true);
    }
};

}  // namespace

TEST(SoundBuffer, APositionedSoundIsHeardFromItsSide)
{
    SessionLogFixture log;
    Device device;
    EXPECT_EQ(GP_Sound3DAvailable, 1);
    WriteFile(log.Dir() / "zap.wav", SineWave(22050));
    CGP_SoundBuffer loaded(&device.ds);
    ASSERT_EQ(loaded.LoadFile((log.Dir() / "ZAP.WAV").c_str()), DS_OK);
    CGP_SoundBuffer channel(&device.ds);
    channel.DuplicateFrom(loaded);
    ASSERT_NE(channel.buffer3D, nullptr);
    channel.SetVolume(0);
    channel.SetMinDistance(10.0f);
    channel.SetPosition2D(600, 240);
    device.ds.CommitDeferredSettings();
    D3DVECTOR at{};
    channel.GetPosition(&at);
    EXPECT_EQ(at.y, -240.0f);
    channel.SetCurrentPosition(0);
    channel.Play(false);
    const auto out = platform::MixHeadlessAudio(4410);
    EXPECT_GT(Rms(out, 1, 0, 4410), 4 * Rms(out, 0, 0, 4410));
    EXPECT_GT(Rms(out, 1, 0, 4410), 0.05);
}

TEST(SoundBuffer, DuplicateOfAnEmptyBufferLeavesNothingOldToPlay)
{
    SessionLogFixture log;
    Device device;
    WriteFile(log.Dir() / "zap.wav", SineWave(22050));
    CGP_SoundBuffer loaded(&device.ds), undecodable(&device.ds), channel(&device.ds);
    ASSERT_EQ(loaded.LoadFile((log.Dir() / "zap.wav").c_str()), DS_OK);
    channel.DuplicateFrom(loaded);
    ASSERT_NE(channel.buffer, nullptr);
    WriteFile(log.Dir() / "bad.wav", "RIFF....WAVEjunk");
    EXPECT_NE(undecodable.LoadFile((log.Dir() / "bad.wav").c_str()), DS_OK);
    channel.DuplicateFrom(undecodable);
    EXPECT_EQ(channel.buffer, nullptr);
    EXPECT_EQ(channel.buffer3D, nullptr);
    channel.Play(false);
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(2000), 0, 0, 2000), 0.0);
}

TEST(SoundBuffer, BufferCreationFailuresAreLoggedWithTheirCode)
{
    SessionLogFixture log;
    Device device;
    struct Case {
        std::string wave;
        const char* line;
    } cases[] = {
        {RiffWave(Chunk("fmt ", FormatBody(1, 22050, 24)) + Chunk("data", std::string(30, 'a'))),
         "Error create sound buffer P=2\n"},
        {RiffWave(Chunk("fmt ", FormatBody(1, 22050, 16)) + Chunk("data", "")), "Error create sound buffer P=3\n"},
    };
    for (const Case& c : cases) {
        WriteFile(log.Dir() / "x.wav", c.wave);
        CGP_SoundBuffer buffer(&device.ds);
        EXPECT_NE(buffer.LoadFile((log.Dir() / "x.wav").c_str()), DS_OK);
        EXPECT_EQ(buffer.buffer, nullptr);
        EXPECT_TRUE(log.Contains(c.line)) << c.line;
    }
    CGP_SoundBuffer noDevice(nullptr);
    EXPECT_EQ(noDevice.LoadFile((log.Dir() / "x.wav").c_str()), GP_WaveNotLoaded);
}

TEST(DirectSoundDevice, ADeviceThatCannotBeOpenedIsLoggedAndStaysSilent)
{
    SessionLogFixture log;
    platform::SetAudioDeviceFailure(true);
    CGP_DirectSound ds(nullptr);
    EXPECT_FALSE(ds.Create());
    platform::SetAudioDeviceFailure(false);
    EXPECT_TRUE(log.Contains("Error DirectSound create\n"));
    EXPECT_EQ(ds.directSound, nullptr);
    ds.SetListenerPosition(1, 2);
    ds.CommitDeferredSettings();
    ds.PlayPrimary(true);
    CGP_SoundBuffer buffer(&ds);
    EXPECT_EQ(buffer.LoadFile("nothing.wav"), GP_WaveNotLoaded);
    buffer.Play(true);
}
