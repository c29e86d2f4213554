#include "GP_SoundPlayer.h"

#include <algorithm>

#include "GP_DirectSound.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"
#include "GP_SoundBuffer.h"
#include "GP_SoundServer.h"
#include "GP_SoundSettings.h"
#include "GP_SoundSource.h"

namespace {

constexpr float ScreenCentreX = 320.0f;
constexpr float ScreenCentreY = 240.0f;
constexpr float MinDistance = 10.0f;

void Centre(CGP_SoundSource* source, float& x, float& y)
{
    float width = 0.0f, height = 0.0f;
    source->GetSoundPlace(x, y, width, height);
    x += width / 2;
    y += height / 2;
}

}  // namespace

CGP_SoundPlayer::CGP_SoundPlayer(CGP_GameMainFrame* frame, CGP_DirectSound* device, CGP_ServerSet* serverSet)
    : frame(frame), serverSet(serverSet), device(device)
{
    if (!GlobalSoundEnabled) return;
    if (serverSet && serverSet->sound && serverSet->io && serverSet->io->names) {
        const std::uint32_t first = serverSet->io->names->GetID(0, CGP_SoundServer::SoundKind);
        if (first != GP_NoID) serverSet->sound->GetSound(first);
    }
    for (Channel& channel : channels) {
        channel.buffer = std::make_unique<CGP_SoundBuffer>(device);
        channel.startTime = GP_GameClock;
    }
}

CGP_SoundPlayer::~CGP_SoundPlayer() = default;

int CGP_SoundPlayer::ChooseChannel() const
{
    const int count = std::clamp(GP_SoundChannelCount, 0, Channels);
    for (int i = 0; i < count; ++i)
        if (channels[i].free) return i;
    int chosen = 0;
    float earliest = GP_GameClock;
    for (int i = 0; i < count; ++i) {
        if (channels[i].startTime < earliest) {
            earliest = channels[i].startTime;
            chosen = i;
        }
    }
    return chosen;
}

void CGP_SoundPlayer::Free(Channel& channel)
{
    channel.buffer->Stop();
    channel.free = 1;
}

void CGP_SoundPlayer::Play(CGP_SoundSource* source, std::uint32_t id, bool looping, bool positioned, bool follow)
{
    if (!device || !serverSet || !serverSet->sound || id == GP_NoID || !GP_SoundActive || !HasChannels()) return;
    Channel& channel = channels[ChooseChannel()];
    if (!channel.free) Free(channel);
    if (CGP_SoundBuffer* sound = serverSet->sound->GetSound(id))
        channel.buffer->DuplicateFrom(*sound);
    else
        channel.buffer->Release();
    if (!channel.buffer->buffer) return;

    positioned = positioned && source;
    channel.startTime = GP_GameClock;
    channel.source = source;
    channel.follow = follow;
    channel.positioned = positioned;
    if (positioned) channel.stopOnDeath = source->StopsSoundOnDeath();
    channel.buffer->SetVolume(GP_EffectsVolume);
    channel.buffer->SetMinDistance(MinDistance);
    channel.buffer->SetCurrentPosition(0);
    float x = ScreenCentreX, y = ScreenCentreY;
    if (positioned) Centre(source, x, y);
    channel.buffer->SetPosition2D(x, y);
    channel.buffer->Play(looping);
    channel.free = 0;
}

void CGP_SoundPlayer::Update()
{
    if (!GP_SoundActive || !device || !HasChannels()) return;
    float x = 0.0f, y = 0.0f;
    if (listener) {
        Centre(listener, x, y);
        device->SetListenerPosition(x, y);
    }
    const int count = std::clamp(GP_SoundChannelCount, 0, Channels);
    for (int i = 0; i < count; ++i) {
        Channel& channel = channels[i];
        if (channel.free || !channel.source) continue;
        if (channel.positioned && channel.stopOnDeath && channel.source->IsSoundSourceGone()) {
            Free(channel);
        } else if (channel.follow) {
            Centre(channel.source, x, y);
            channel.buffer->SetPosition2D(x, y);
        }
    }
    device->CommitDeferredSettings();
}

void CGP_SoundPlayer::StopAll()
{
    if (!HasChannels()) return;
    for (Channel& channel : channels)
        if (!channel.free) Free(channel);
}

void CGP_SoundPlayer::SetListener(CGP_SoundSource* object)
{
    if (!GlobalSoundEnabled) return;
    listener = object;
    if (!device) return;
    if (object) {
        float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
        object->GetSoundPlace(x, y, width, height);
        device->SetListenerPosition(x, y);
    }
    device->SetListenerPosition(ScreenCentreX, ScreenCentreY);
}
