#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "GP_DirectMusic.h"
#include "GP_Music.h"
#include "GP_MusicSegment.h"
#include "GP_SoundPlayer.h"
#include "SoundPackFixture.h"
#include "TempDir.h"
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
        EXPECT_TRUE(directMusic.Create(device.directSound.get()));
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

TEST(Music, AnEffectOnTheRightAndThePieceAreInTheRenderedWavFile)
{
    testsupport::TempDir dir;
    const std::string path = dir / "render.wav";
    setenv("VEL_WAV", path.c_str(), 1);
    constexpr std::size_t Effect = Second / 10;
    bool music = false;
    {
        MusicPack pack;
        GP_EffectsVolume = 0;
        CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
        soundtest::Object listener, enemy;
        listener.x = listener.y = 300;
        listener.width = listener.height = 40;
        enemy.x = 600;
        enemy.y = 320;
        player.SetListener(&listener);
        player.Play(&enemy, SoundPack::Sound(0), false, true, false);
        player.Update();
        platform::MixHeadlessAudio(Effect);
        player.StopAll();
        GP_EffectsVolume = -1000;

        CGP_Music piece(nullptr, &pack.names, &pack.directMusic, &pack.device);
        piece.Create();
        music = piece.segment->performance != nullptr;
        piece.Load(Theme);
        piece.SetVolume(0);
        piece.Play(0);
        platform::MixHeadlessAudio(Second);
    }
    unsetenv("VEL_WAV");

    const std::string wav = testsupport::ReadFile(path);
    ASSERT_EQ(wav.size(), 44 + (Effect + Second) * 4);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    std::vector<std::int16_t> samples((wav.size() - 44) / 2);
    std::memcpy(samples.data(), wav.data() + 44, samples.size() * 2);
    EXPECT_GT(Rms(samples, 1, 0, Effect), 0.05);
    EXPECT_GT(Rms(samples, 1, 0, Effect), 4 * Rms(samples, 0, 0, Effect));
    if (!music) GTEST_SKIP() << "no General MIDI SoundFont installed";
    for (int channel : {0, 1}) EXPECT_GT(Rms(samples, channel, Effect, Effect + Second / 2), 0.01) << channel;
}
