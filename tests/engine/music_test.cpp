#include <gtest/gtest.h>

#include "GP_DirectMusic.h"
#include "GP_Music.h"
#include "GP_MusicSegment.h"
#include "SoundPackFixture.h"
#include "platform/headless_audio.h"

using soundtest::SoundPack;
using testsupport::Rms;

namespace {

constexpr std::size_t Second = platform::HeadlessAudioRate;
constexpr std::uint32_t Theme = GP_MakeID(3, 0);
constexpr std::uint32_t Gone = GP_MakeID(3, 1);

// The pack's names, the device, and DirectMusic searching a folder that holds "Theme.mid" only.
struct MusicPack : SoundPack {
    CGP_DirectMusic directMusic;
    MusicPack()
    {
        testsupport::WriteFile(log.Dir() / "MUSIC/theme.MID", testsupport::ChordMidiFile(96));
        EXPECT_TRUE(directMusic.Create(device.directSound));
        directMusic.SetSearchDirectory((log.Dir() / "MUSIC").c_str());
    }
};

}  // namespace

TEST(Music, WithMusicDisabledNothingIsMadeLoadedOrPlayed)
{
    MusicPack pack;
    GlobalMusicEnabled = 0;
    CGP_Music music(nullptr, &pack.names, &pack.directMusic, &pack.device);
    music.Create();
    EXPECT_EQ(music.segment, nullptr);
    music.Load(Theme);
    music.Play(0);
    music.SetVolume(-500);
    music.Stop();
    GlobalMusicEnabled = 1;
    music.Create();
    ASSERT_NE(music.segment, nullptr);
    GlobalMusicEnabled = 0;
    music.Load(Theme);
    EXPECT_EQ(music.segment->segment, nullptr);
    music.Stop();  // always allowed
    GlobalMusicEnabled = 1;
    EXPECT_EQ(pack.log.Text().find("Error"), std::string::npos);
}

TEST(Music, AFileNotInTheMusicFolderIsLoggedAndPlaysNothing)
{
    MusicPack pack;
    CGP_Music music(nullptr, &pack.names, &pack.directMusic, &pack.device);
    music.Create();
    music.Load(Gone);
    EXPECT_TRUE(pack.log.Contains("Error load DirectMusic segment\n"));
    music.Play(0);
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(Second / 2), 0, 0, Second / 2), 0.0);
    music.Release();
    EXPECT_EQ(music.segment, nullptr);
    music.Play(0);
}

TEST(Music, PlaysTheFileNamedByTheId)
{
    MusicPack pack;
    CGP_Music music(nullptr, &pack.names, &pack.directMusic, &pack.device);
    music.Create();
    if (!music.segment->performance) GTEST_SKIP() << "no General MIDI SoundFont installed";
    music.Load(Theme);
    music.SetVolume(0);
    music.Play(static_cast<DWORD>(-1));
    const auto out = platform::MixHeadlessAudio(3 * Second);
    EXPECT_GT(Rms(out, 0, 2 * Second, 3 * Second), 0.01);  // still repeating
    music.Stop();
    EXPECT_LT(Rms(platform::MixHeadlessAudio(2 * Second), 0, Second, 2 * Second), 1e-4);
    EXPECT_EQ(pack.log.Text().find("Error"), std::string::npos);
}
