#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AudioFixtures.h"
#include "TempDir.h"
#include "platform/dsound.h"
#include "platform/headless_audio.h"
#include "platform/win32_time.h"

using testsupport::Rms;

namespace {

// The device, a looping primary buffer and its listener, as the game sets them up.
struct Device {
    LPDIRECTSOUND ds = nullptr;
    LPDIRECTSOUNDBUFFER primary = nullptr;
    LPDIRECTSOUND3DLISTENER listener = nullptr;

    Device()
    {
        EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        EXPECT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, 0, 0,
                          nullptr};
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
        EXPECT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)), S_OK);
        listener->SetPosition(320, -240, 0, DS3D_IMMEDIATE);
        listener->SetRolloffFactor(0.05f, DS3D_IMMEDIATE);
        primary->Play(0, 0, DSBPLAY_LOOPING);
    }
    ~Device()
    {
        listener->Release();
        primary->Release();
        ds->Release();
    }

    // A mono 16-bit buffer of a sine, 22050 Hz.
    LPDIRECTSOUNDBUFFER Sine(std::size_t frames, DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D)
    {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), flags, static_cast<DWORD>(frames * 2), 0, &format};
        LPDIRECTSOUNDBUFFER buffer = nullptr;
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        const std::string samples = testsupport::SineSamples16(frames, 22050, 440.0, 0.5);
        LPVOID part1 = nullptr, part2 = nullptr;
        DWORD bytes1 = 0, bytes2 = 0;
        EXPECT_EQ(buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER), DS_OK);
        EXPECT_EQ(bytes1, samples.size());
        EXPECT_EQ(bytes2, 0u);
        std::memcpy(part1, samples.data(), bytes1);
        buffer->Unlock(part1, bytes1, part2, bytes2);
        return buffer;
    }
};

LPDIRECTSOUND3DBUFFER Get3D(LPDIRECTSOUNDBUFFER buffer)
{
    LPDIRECTSOUND3DBUFFER b3d = nullptr;
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&b3d)), S_OK);
    return b3d;
}

}  // namespace

TEST(DirectSound, ASoundPlacedToTheRightIsLouderOnTheRight)
{
    Device device;
    LPDIRECTSOUNDBUFFER buffer = device.Sine(22050);
    LPDIRECTSOUND3DBUFFER b3d = Get3D(buffer);
    b3d->SetMinDistance(10.0f, DS3D_DEFERRED);
    b3d->SetPosition(600, -240, 0, DS3D_DEFERRED);
    device.listener->CommitDeferredSettings();
    buffer->Play(0, 0, 0);
    const auto out = platform::MixHeadlessAudio(4410);
    EXPECT_GT(Rms(out, 1, 0, 4410), 0.05);
    EXPECT_GT(Rms(out, 1, 0, 4410), 4 * Rms(out, 0, 0, 4410));
    b3d->Release();
    buffer->Release();
}

TEST(DirectSound, DeferredSettingsWaitForTheCommit)
{
    Device device;
    LPDIRECTSOUNDBUFFER buffer = device.Sine(22050);
    LPDIRECTSOUND3DBUFFER b3d = Get3D(buffer);
    b3d->SetPosition(320, -240, 0, DS3D_IMMEDIATE);
    b3d->SetMinDistance(10.0f, DS3D_IMMEDIATE);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    b3d->SetPosition(0, -240, 0, DS3D_DEFERRED);  // hard left, not yet heard
    buffer->Play(0, 0, DSBPLAY_LOOPING);          // playing on is no new start
    auto before = platform::MixHeadlessAudio(2205);
    EXPECT_NEAR(Rms(before, 0, 0, 2205), Rms(before, 1, 0, 2205), 0.01);
    device.listener->CommitDeferredSettings();
    auto after = platform::MixHeadlessAudio(2205);
    EXPECT_GT(Rms(after, 0, 0, 2205), 0.05);
    EXPECT_LT(Rms(after, 1, 0, 2205), 0.001);
    b3d->Release();
    buffer->Release();
}

TEST(DirectSound, ASoundThatStartsIsHeardWhereItWasLastPlaced)
{
    Device device;
    LPDIRECTSOUNDBUFFER buffer = device.Sine(22050);
    LPDIRECTSOUND3DBUFFER b3d = Get3D(buffer);
    b3d->SetMinDistance(10.0f, DS3D_DEFERRED);
    b3d->SetPosition(600, -240, 0, DS3D_DEFERRED);  // placed, as a channel places it, before the frame's commit
    buffer->Play(0, 0, 0);
    const auto out = platform::MixHeadlessAudio(2205);
    EXPECT_GT(Rms(out, 1, 0, 2205), 4 * Rms(out, 0, 0, 2205));
    b3d->Release();
    buffer->Release();
}

TEST(DirectSound, MaximumDistanceAndConeShapeTheLevel)
{
    Device device;
    LPDIRECTSOUNDBUFFER buffer = device.Sine(22050);
    LPDIRECTSOUND3DBUFFER b3d = Get3D(buffer);
    b3d->SetMinDistance(1.0f, DS3D_IMMEDIATE);
    b3d->SetPosition(320, -40, 0, DS3D_IMMEDIATE);  // 200 above the listener
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    const double far = Rms(platform::MixHeadlessAudio(2205), 0, 0, 2205);
    b3d->SetMaxDistance(50.0f, DS3D_IMMEDIATE);  // no quieter than at 50
    const double capped = Rms(platform::MixHeadlessAudio(2205), 0, 0, 2205);
    EXPECT_GT(capped, 2 * far);
    // A cone pointing away from the listener, silent outside: nothing is heard.
    EXPECT_EQ(b3d->SetConeAngles(90, 60, DS3D_IMMEDIATE), DSERR_INVALIDPARAM);
    b3d->SetConeAngles(30, 90, DS3D_IMMEDIATE);
    b3d->SetConeOrientation(0, 1, 0, DS3D_IMMEDIATE);
    b3d->SetConeOutsideVolume(DSBVOLUME_MIN, DS3D_IMMEDIATE);
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(2205), 0, 0, 2205), 0.0);
    b3d->SetConeOrientation(0, -1, 0, DS3D_IMMEDIATE);  // pointing at the listener
    EXPECT_NEAR(Rms(platform::MixHeadlessAudio(2205), 0, 0, 2205), capped, 0.01);
    DWORD inside = 0, outside = 0;
    b3d->GetConeAngles(&inside, &outside);
    EXPECT_EQ(inside, 30u);
    EXPECT_EQ(outside, 90u);
    b3d->Release();
    buffer->Release();
}

TEST(DirectSound, DuplicatesShareSamplesAndPlayOnTheirOwn)
{
    Device device;
    LPDIRECTSOUNDBUFFER original = device.Sine(2205);  // 0.1 s
    LPDIRECTSOUNDBUFFER copy = nullptr;
    ASSERT_EQ(device.ds->DuplicateSoundBuffer(original, &copy), DS_OK);
    original->Release();  // the samples stay with the duplicate
    LPDIRECTSOUND3DBUFFER b3d = Get3D(copy);
    b3d->SetPosition(320, -240, 0, DS3D_IMMEDIATE);  // at the listener
    b3d->Release();
    copy->SetVolume(-2000);
    copy->Play(0, 0, 0);
    DWORD status = 0;
    copy->GetStatus(&status);
    EXPECT_EQ(status, static_cast<DWORD>(DSBSTATUS_PLAYING));
    const auto out = platform::MixHeadlessAudio(8820);
    const double heard = Rms(out, 0, 0, 4000);
    EXPECT_GT(heard, 0.005);
    EXPECT_LT(heard, 0.05);                   // -20 dB of a half-scale sine, panned to the centre
    EXPECT_EQ(Rms(out, 0, 4500, 8820), 0.0);  // a one-shot sound ends by itself
    copy->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    copy->Release();
}

TEST(DirectSound, StoppedPrimaryBufferSilencesTheSoundBuffers)
{
    Device device;
    LPDIRECTSOUNDBUFFER buffer = device.Sine(22050, DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME);
    buffer->Play(0, 0, DSBPLAY_LOOPING);
    EXPECT_GT(Rms(platform::MixHeadlessAudio(1000), 0, 0, 1000), 0.1);  // not 3D: full level on both sides
    device.primary->Stop();
    EXPECT_EQ(Rms(platform::MixHeadlessAudio(1000), 0, 0, 1000), 0.0);
    buffer->Release();
}

TEST(DirectSound, RefusesBadBuffersAndLocks)
{
    Device device;
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    struct Case {
        WAVEFORMATEX format;
        DWORD bytes;
        HRESULT result;
    } cases[] = {
        {{WAVE_FORMAT_PCM, 3, 22050, 0, 6, 16, 0}, 600, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 22050, 0, 2, 12, 0}, 600, DSERR_BADFORMAT},
        {{2, 1, 22050, 0, 2, 16, 0}, 600, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 22050, 0, 4, 16, 0}, 600, DSERR_BADFORMAT},
        {format, 0, DSERR_INVALIDPARAM},
        {format, 0x7FFFFFFF, DSERR_INVALIDPARAM},
    };
    for (Case& c : cases) {
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC, c.bytes, 0, &c.format};
        EXPECT_EQ(device.ds->CreateSoundBuffer(&desc, &buffer, nullptr), c.result) << c.format.nChannels;
        EXPECT_EQ(buffer, nullptr);
    }
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC, 100, 0, &format};
    ASSERT_EQ(device.ds->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
    LPVOID p1, p2;
    DWORD b1, b2;
    EXPECT_EQ(buffer->Lock(0, 101, &p1, &b1, &p2, &b2, 0), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->Lock(80, 40, &p1, &b1, &p2, &b2, 0), DS_OK);  // wraps round: 20 at the end, 20 at the start
    EXPECT_EQ(b1, 20u);
    EXPECT_EQ(b2, 20u);
    EXPECT_EQ(buffer->SetVolume(-100), DSERR_CONTROLUNAVAIL);  // made without volume control
    LPDIRECTSOUNDBUFFER withVolume = device.Sine(10);
    EXPECT_EQ(withVolume->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(withVolume->SetVolume(1), DSERR_INVALIDPARAM);
    withVolume->Release();
    LPDIRECTSOUND3DBUFFER none = nullptr;
    EXPECT_EQ(buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&none)), E_NOINTERFACE);
    buffer->Release();
}

TEST(DirectSound, ADeviceThatCannotBeOpenedFails)
{
    platform::SetAudioDeviceFailure(true);
    LPDIRECTSOUND ds = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);
    platform::SetAudioDeviceFailure(false);
    EXPECT_TRUE(platform::MixHeadlessAudio(10).empty());  // no device open
}

TEST(DirectSound, TheNullDeviceWritesWhatItMixesToAWavFile)
{
    testsupport::TempDir dir;
    const std::string path = dir / "out.wav";
    setenv("VEL_WAV", path.c_str(), 1);
    {
        Device device;
        LPDIRECTSOUNDBUFFER buffer = device.Sine(22050, DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME);
        buffer->Play(0, 0, 0);
        platform::MixHeadlessAudio(44100);
        platform::MixHeadlessAudio(22050);
        buffer->Release();
    }
    unsetenv("VEL_WAV");
    const std::string wav = testsupport::ReadFile(path);
    ASSERT_EQ(wav.size(), 44u + 66150u * 4);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(36, 4), "data");
    std::vector<std::int16_t> samples((wav.size() - 44) / 2);
    std::memcpy(samples.data(), wav.data() + 44, samples.size() * 2);
    EXPECT_NEAR(Rms(samples, 0, 0, 44100), 0.5 / std::sqrt(2.0), 0.01);  // the one second of the sine
    EXPECT_EQ(Rms(samples, 0, 44200, 66150), 0.0);
}

TEST(DirectSound, TheNullDeviceKeepsUpWithTheFakeClock)
{
    testsupport::TempDir dir;
    const std::string path = dir / "clock.wav";
    setenv("VEL_WAV", path.c_str(), 1);
    const bool wasFake = platform::IsFakeClock();
    const DWORD was = timeGetTime();
    platform::UseFakeClock(5000);
    {
        Device device;
        LPDIRECTSOUNDBUFFER buffer = device.Sine(22050, DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME);
        buffer->Play(0, 0, DSBPLAY_LOOPING);  // the first call starts the device's clock
        for (int frame = 0; frame < 10; ++frame) {
            platform::AdvanceFakeClock(20);
            device.listener->CommitDeferredSettings();
        }
        platform::AdvanceFakeClock(60000);  // a clock set far ahead is not rendered
        buffer->Stop();
        buffer->Release();
    }
    if (wasFake)
        platform::UseFakeClock(was);
    else
        platform::UseRealClock();
    unsetenv("VEL_WAV");
    const std::string wav = testsupport::ReadFile(path);
    EXPECT_EQ(wav.size(), 44u + 8820u * 4);  // 200 ms of audio
    std::vector<std::int16_t> samples((wav.size() - 44) / 2);
    std::memcpy(samples.data(), wav.data() + 44, samples.size() * 2);
    EXPECT_GT(Rms(samples, 0, 0, 8820), 0.3);
}
