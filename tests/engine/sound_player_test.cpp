#include <gtest/gtest.h>

#include "GP_SoundBuffer.h"
#include "GP_SoundPlayer.h"
#include "SoundPackFixture.h"
#include "platform/headless_audio.h"

using soundtest::Object;
using soundtest::SoundPack;
using testsupport::Rms;

namespace {

D3DVECTOR PositionOf(const CGP_SoundPlayer::Channel& channel)
{
    D3DVECTOR at{};
    channel.buffer->GetPosition(&at);
    return at;
}

}  // namespace

TEST(SoundPlayer, TheNinthSoundTakesTheChannelStartedEarliest)
{
    SoundPack pack;
    GP_GameClock = 100.0f;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    for (int i = 0; i < 8; ++i) {
        GP_GameClock = i < 2 ? 100.0f : 50.0f + i;  // channels 0 and 1 start late; 2 is the earliest
        player.Play(nullptr, SoundPack::Sound(i), false, false, false);
        EXPECT_FALSE(player.channels[i].free) << i;
    }
    GP_GameClock = 200.0f;
    player.Play(nullptr, SoundPack::Sound(8), false, false, false);
    EXPECT_EQ(player.channels[2].startTime, 200.0f);

    // All started in one frame: no channel started before the clock, so the ninth and tenth take channel 0.
    player.StopAll();
    for (const CGP_SoundPlayer::Channel& channel : player.channels) EXPECT_TRUE(channel.free);
    GP_GameClock = 300.0f;
    for (int i = 0; i < 8; ++i) player.Play(nullptr, SoundPack::Sound(i), false, false, false);
    LPDIRECTSOUNDBUFFER before[8];
    for (int i = 0; i < 8; ++i) before[i] = player.channels[i].buffer->buffer.get();
    player.Play(nullptr, SoundPack::Sound(8), false, false, false);
    player.Play(nullptr, SoundPack::Sound(7), false, false, false);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(player.channels[i].buffer->buffer.get(), before[i]) << i;
    for (const CGP_SoundPlayer::Channel& channel : player.channels) EXPECT_FALSE(channel.free);
    // In the next frame the lowest of the tied channels goes first.
    GP_GameClock = 320.0f;
    player.Play(nullptr, SoundPack::Sound(0), false, false, false);
    EXPECT_EQ(player.channels[0].startTime, 320.0f);
    EXPECT_EQ(player.channels[1].startTime, 300.0f);
}

TEST(SoundPlayer, NoIdNoActiveSoundOrSoundDisabledTakesNoChannel)
{
    SoundPack pack;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    player.Play(nullptr, 0xFFFFFFFF, false, false, false);
    GP_SoundActive = 0;
    player.Play(nullptr, SoundPack::Sound(0), false, false, false);
    GP_SoundActive = 1;
    for (const CGP_SoundPlayer::Channel& channel : player.channels) EXPECT_TRUE(channel.free);

    GlobalSoundEnabled = 0;
    CGP_SoundPlayer silent(nullptr, &pack.device, pack.servers.get());
    GlobalSoundEnabled = 1;
    EXPECT_EQ(silent.channels[0].buffer, nullptr);
    silent.Play(nullptr, SoundPack::Sound(0), false, false, false);
    silent.Update();
    silent.StopAll();
    EXPECT_TRUE(silent.channels[0].free);
}

TEST(SoundPlayer, PlacesSoundsAtTheirSourceOrTheScreenCentre)
{
    SoundPack pack;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    Object ship;
    ship.x = 100;
    ship.y = 50;
    ship.width = 20;
    ship.height = 10;
    player.Play(&ship, SoundPack::Sound(0), false, false, false);
    EXPECT_EQ(PositionOf(player.channels[0]).x, 320.0f);
    EXPECT_EQ(PositionOf(player.channels[0]).y, -240.0f);
    EXPECT_EQ(player.channels[0].buffer->GetMinDistance(), 10.0f);
    player.Play(&ship, SoundPack::Sound(1), false, true, true);
    EXPECT_EQ(PositionOf(player.channels[1]).x, 110.0f);
    EXPECT_EQ(PositionOf(player.channels[1]).y, -55.0f);
    ship.x = 200;
    player.Update();
    EXPECT_EQ(PositionOf(player.channels[1]).x, 210.0f);
    EXPECT_EQ(PositionOf(player.channels[0]).x, 320.0f);  // not following
    // Positioned, but without a source: at the screen centre.
    player.Play(nullptr, SoundPack::Sound(2), false, true, true);
    EXPECT_EQ(PositionOf(player.channels[2]).x, 320.0f);
    EXPECT_EQ(player.channels[2].positioned, 0);
    player.Update();
}

TEST(SoundPlayer, StopOnDeathStopsAtTheFirstUpdateAfterTheSourceDies)
{
    SoundPack pack;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    Object stopping, lasting;
    stopping.stopOnDeath = true;
    player.Play(&stopping, SoundPack::Sound(0), true, true, false);
    player.Play(&lasting, SoundPack::Sound(1), true, true, false);
    player.Play(&stopping, SoundPack::Sound(2), true, false, false);  // not positioned: never stopped by death
    player.Update();
    EXPECT_FALSE(player.channels[0].free);
    stopping.gone = lasting.gone = true;
    player.Update();
    EXPECT_TRUE(player.channels[0].free);
    EXPECT_FALSE(player.channels[1].free);
    EXPECT_FALSE(player.channels[2].free);
}

TEST(SoundPlayer, AnUndecodableSoundPlaysNothingInsteadOfTheChannelsLastSound)
{
    SoundPack pack;
    GP_SoundChannelCount = 1;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    player.Play(nullptr, SoundPack::Sound(0), true, false, false);
    player.Update();  // the frame commits the listener's place
    EXPECT_GT(Rms(platform::MixHeadlessAudio(2000), 0, 0, 2000), 0.01);
    GP_GameClock += 20.0f;
    player.Play(nullptr, SoundPack::Bad, true, false, false);
    GP_SoundChannelCount = 8;
    EXPECT_TRUE(player.channels[0].free);
    EXPECT_EQ(player.channels[0].buffer->buffer, nullptr);
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(2000), 0, 0, 2000), 0.0);
}

TEST(SoundPlayer, AnEffectOfAnObjectOnTheRightIsLouderOnTheRight)
{
    SoundPack pack;
    GP_EffectsVolume = 0;
    CGP_SoundPlayer player(nullptr, &pack.device, pack.servers.get());
    Object listener, enemy;
    listener.x = 310;
    listener.y = 230;
    listener.width = listener.height = 20;
    player.SetListener(&listener);
    enemy.x = 600;
    enemy.y = 240;
    player.Play(&enemy, SoundPack::Sound(0), false, true, false);
    player.Update();
    const auto out = platform::MixHeadlessAudio(4410);
    EXPECT_GT(Rms(out, 1, 0, 4410), 0.05);
    EXPECT_GT(Rms(out, 1, 0, 4410), 4 * Rms(out, 0, 0, 4410));
    GP_EffectsVolume = -1000;
}
