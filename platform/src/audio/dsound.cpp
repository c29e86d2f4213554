#include "platform/dsound.h"

#include <algorithm>
#include <memory>
#include <new>

#include "audio/audio_device.h"
#include "audio/com_object.h"

namespace platform::audio {

namespace {

// Sound buffers larger than this are refused as out of memory.
constexpr DWORD MaxBufferBytes = 0x0FFFFFFF;

bool Deferred3D(DWORD apply) { return apply == DS3D_DEFERRED; }

class Listener : public ComObject<IDirectSound3DListener> {
public:
    explicit Listener(std::shared_ptr<AudioDevice> device) : device_(std::move(device)) {}

    HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) override
    {
        return Change(apply, [=](ListenerPlace& p) { p.position = {x, y, z}; });
    }
    HRESULT GetPosition(D3DVECTOR* position) override
    {
        return Get(position, [](const ListenerPlace& p) {
            return D3DVECTOR{p.position.x, p.position.y, p.position.z};
        });
    }
    HRESULT SetDistanceFactor(D3DVALUE factor, DWORD apply) override
    {
        if (factor <= 0.0f) return DSERR_INVALIDPARAM;
        return Change(apply, [=](ListenerPlace& p) { p.distanceFactor = factor; });
    }
    HRESULT GetDistanceFactor(D3DVALUE* factor) override
    {
        return Get(factor, [](const ListenerPlace& p) { return p.distanceFactor; });
    }
    HRESULT SetDopplerFactor(D3DVALUE factor, DWORD apply) override
    {
        if (factor < 0.0f || factor > 10.0f) return DSERR_INVALIDPARAM;
        return Change(apply, [=](ListenerPlace& p) { p.dopplerFactor = factor; });
    }
    HRESULT GetDopplerFactor(D3DVALUE* factor) override
    {
        return Get(factor, [](const ListenerPlace& p) { return p.dopplerFactor; });
    }
    HRESULT SetRolloffFactor(D3DVALUE factor, DWORD apply) override
    {
        if (factor < 0.0f || factor > 10.0f) return DSERR_INVALIDPARAM;
        return Change(apply, [=](ListenerPlace& p) { p.rolloffFactor = factor; });
    }
    HRESULT GetRolloffFactor(D3DVALUE* factor) override
    {
        return Get(factor, [](const ListenerPlace& p) { return p.rolloffFactor; });
    }
    HRESULT SetOrientation(D3DVALUE fx, D3DVALUE fy, D3DVALUE fz, D3DVALUE tx, D3DVALUE ty, D3DVALUE tz,
                           DWORD apply) override
    {
        return Change(apply, [=](ListenerPlace& p) {
            p.front = {fx, fy, fz};
            p.top = {tx, ty, tz};
        });
    }
    HRESULT GetOrientation(D3DVECTOR* front, D3DVECTOR* top) override
    {
        if (!front || !top) return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        const ListenerPlace& p = device_->GetMixer().Listener().pending;
        *front = {p.front.x, p.front.y, p.front.z};
        *top = {p.top.x, p.top.y, p.top.z};
        return DS_OK;
    }
    HRESULT CommitDeferredSettings() override
    {
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        device_->GetMixer().CommitDeferred();
        return DS_OK;
    }

private:
    HRESULT Change(DWORD apply, auto change)
    {
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        device_->GetMixer().Listener().Set(Deferred3D(apply), change);
        return DS_OK;
    }
    template <class T>
    HRESULT Get(T* out, auto read)
    {
        if (!out) return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        *out = read(device_->GetMixer().Listener().pending);
        return DS_OK;
    }

    std::shared_ptr<AudioDevice> device_;
};

// The primary buffer stands for the device's output: while it is stopped the sound buffers are silent
// (music goes on); its 3D interface is the listener.
class PrimaryBuffer : public ComObject<IDirectSoundBuffer> {
public:
    PrimaryBuffer(std::shared_ptr<AudioDevice> device, bool with3D) : device_(std::move(device)), with3D_(with3D) {}

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!with3D_ || !(iid == IID_IDirectSound3DListener)) return E_NOINTERFACE;
        *object = static_cast<IDirectSound3DListener*>(new Listener(device_));
        return S_OK;
    }
    HRESULT Lock(DWORD, DWORD, LPVOID*, DWORD*, LPVOID*, DWORD*, DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT Play(DWORD, DWORD, DWORD flags) override
    {
        if (!(flags & DSBPLAY_LOOPING)) return DSERR_INVALIDPARAM;
        return SetPlaying(true);
    }
    HRESULT Stop() override { return SetPlaying(false); }
    HRESULT SetCurrentPosition(DWORD) override { return DSERR_INVALIDCALL; }
    HRESULT GetCurrentPosition(DWORD* play, DWORD* write) override
    {
        if (play) *play = 0;
        if (write) *write = 0;
        return DS_OK;
    }
    // The output's own volume is not offered: the sound buffers carry theirs.
    HRESULT SetVolume(LONG) override { return DSERR_UNSUPPORTED; }
    HRESULT GetVolume(LONG*) override { return DSERR_UNSUPPORTED; }
    HRESULT GetStatus(DWORD* status) override
    {
        if (!status) return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        *status = device_->GetMixer().VoicesAudible() ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0;
        return DS_OK;
    }

private:
    HRESULT SetPlaying(bool playing)
    {
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        device_->GetMixer().SetVoicesAudible(playing);
        return DS_OK;
    }

    std::shared_ptr<AudioDevice> device_;
    bool with3D_;
};

class SecondaryBuffer;

class Buffer3D : public ComObject<IDirectSound3DBuffer> {
public:
    explicit Buffer3D(SecondaryBuffer* buffer);
    ~Buffer3D() override;

    HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) override;
    HRESULT GetPosition(D3DVECTOR* position) override;
    HRESULT SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) override;
    HRESULT GetVelocity(D3DVECTOR* velocity) override;
    HRESULT SetMinDistance(D3DVALUE distance, DWORD apply) override;
    HRESULT GetMinDistance(D3DVALUE* distance) override;
    HRESULT SetMaxDistance(D3DVALUE distance, DWORD apply) override;
    HRESULT GetMaxDistance(D3DVALUE* distance) override;
    HRESULT SetConeAngles(DWORD inside, DWORD outside, DWORD apply) override;
    HRESULT GetConeAngles(DWORD* inside, DWORD* outside) override;
    HRESULT SetConeOrientation(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) override;
    HRESULT GetConeOrientation(D3DVECTOR* orientation) override;
    HRESULT SetConeOutsideVolume(LONG volume, DWORD apply) override;
    HRESULT GetConeOutsideVolume(LONG* volume) override;

private:
    HRESULT SetVector(Vector3 BufferPlace::*member, Vector3 value, DWORD apply);
    HRESULT GetVector(D3DVECTOR* out, Vector3 BufferPlace::*member);

    SecondaryBuffer* buffer_;
};

class SecondaryBuffer : public ComObject<IDirectSoundBuffer> {
public:
    SecondaryBuffer(std::shared_ptr<AudioDevice> device, DWORD flags, std::shared_ptr<SampleStore> samples)
        : device_(std::move(device)), flags_(flags)
    {
        voice_.samples = std::move(samples);
        voice_.positional = (flags & DSBCAPS_CTRL3D) != 0;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        device_->GetMixer().AddVoice(&voice_);
    }
    ~SecondaryBuffer() override
    {
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        device_->GetMixer().RemoveVoice(&voice_);
    }

    // A new buffer over the same samples, with this one's volume and 3D settings, stopped at the start.
    SecondaryBuffer* Duplicate()
    {
        auto* copy = new SecondaryBuffer(device_, flags_, voice_.samples);
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        copy->voice_.volume = voice_.volume;
        copy->voice_.place = voice_.place;
        return copy;
    }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!voice_.positional || !(iid == IID_IDirectSound3DBuffer)) return E_NOINTERFACE;
        *object = static_cast<IDirectSound3DBuffer*>(new Buffer3D(this));
        return S_OK;
    }
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1, LPVOID* part2, DWORD* bytes2,
                 DWORD flags) override
    {
        if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
        std::vector<std::uint8_t>& store = voice_.samples->bytes;
        const DWORD size = static_cast<DWORD>(store.size());
        if (flags & DSBLOCK_ENTIREBUFFER) {
            offset = 0;
            bytes = size;
        }
        if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
        const DWORD first = std::min(bytes, size - offset);
        *part1 = store.data() + offset;
        *bytes1 = first;
        if (part2) *part2 = first < bytes ? store.data() : nullptr;
        if (bytes2) *bytes2 = bytes - first;
        if (first < bytes && (!part2 || !bytes2)) return DSERR_INVALIDPARAM;
        return DS_OK;
    }
    HRESULT Unlock(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    // A sound that starts is heard at once where it was last placed: deferred 3D settings wait only while
    // it already sounds.
    HRESULT Play(DWORD, DWORD, DWORD flags) override
    {
        return Change([&] {
            if (!voice_.playing) voice_.place.Commit();
            voice_.playing = true;
            voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
        });
    }
    HRESULT Stop() override
    {
        return Change([&] { voice_.playing = false; });
    }
    HRESULT SetCurrentPosition(DWORD position) override
    {
        if (position >= voice_.samples->bytes.size()) return DSERR_INVALIDPARAM;
        return Change([&] { voice_.position = position / voice_.samples->format.FrameBytes(); });
    }
    HRESULT GetCurrentPosition(DWORD* play, DWORD* write) override
    {
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        const auto at = static_cast<DWORD>(voice_.position) * voice_.samples->format.FrameBytes();
        if (play) *play = at;
        if (write) *write = at;
        return DS_OK;
    }
    HRESULT SetVolume(LONG volume) override
    {
        if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
        if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
        return Change([&] { voice_.volume = volume; });
    }
    HRESULT GetVolume(LONG* volume) override
    {
        if (!volume) return DSERR_INVALIDPARAM;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        *volume = static_cast<LONG>(voice_.volume);
        return DS_OK;
    }
    HRESULT GetStatus(DWORD* status) override
    {
        if (!status) return DSERR_INVALIDPARAM;
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        *status = (voice_.playing ? DSBSTATUS_PLAYING : 0) | (voice_.playing && voice_.looping ? DSBSTATUS_LOOPING : 0);
        return DS_OK;
    }

    // The 3D interface's way in.
    HRESULT Change3D(DWORD apply, auto change)
    {
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        voice_.place.Set(Deferred3D(apply), change);
        return DS_OK;
    }
    BufferPlace Place3D()
    {
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        return voice_.place.pending;
    }

private:
    HRESULT Change(auto change)
    {
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        change();
        return DS_OK;
    }

    std::shared_ptr<AudioDevice> device_;
    DWORD flags_;
    Voice voice_;
};

Buffer3D::Buffer3D(SecondaryBuffer* buffer) : buffer_(buffer) { buffer_->AddRef(); }
Buffer3D::~Buffer3D() { buffer_->Release(); }

HRESULT Buffer3D::SetVector(Vector3 BufferPlace::*member, Vector3 value, DWORD apply)
{
    return buffer_->Change3D(apply, [=](BufferPlace& p) { p.*member = value; });
}

HRESULT Buffer3D::GetVector(D3DVECTOR* out, Vector3 BufferPlace::*member)
{
    if (!out) return DSERR_INVALIDPARAM;
    const Vector3 v = buffer_->Place3D().*member;
    *out = {v.x, v.y, v.z};
    return DS_OK;
}

HRESULT Buffer3D::SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    return SetVector(&BufferPlace::position, {x, y, z}, apply);
}

HRESULT Buffer3D::GetPosition(D3DVECTOR* position) { return GetVector(position, &BufferPlace::position); }

HRESULT Buffer3D::SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    return SetVector(&BufferPlace::velocity, {x, y, z}, apply);
}

HRESULT Buffer3D::GetVelocity(D3DVECTOR* velocity) { return GetVector(velocity, &BufferPlace::velocity); }

HRESULT Buffer3D::SetMinDistance(D3DVALUE distance, DWORD apply)
{
    if (distance <= 0.0f) return DSERR_INVALIDPARAM;
    return buffer_->Change3D(apply, [=](BufferPlace& p) { p.minDistance = distance; });
}

HRESULT Buffer3D::GetMinDistance(D3DVALUE* distance)
{
    if (!distance) return DSERR_INVALIDPARAM;
    *distance = buffer_->Place3D().minDistance;
    return DS_OK;
}

HRESULT Buffer3D::SetMaxDistance(D3DVALUE distance, DWORD apply)
{
    if (distance <= 0.0f) return DSERR_INVALIDPARAM;
    return buffer_->Change3D(apply, [=](BufferPlace& p) { p.maxDistance = distance; });
}

HRESULT Buffer3D::GetMaxDistance(D3DVALUE* distance)
{
    if (!distance) return DSERR_INVALIDPARAM;
    *distance = buffer_->Place3D().maxDistance;
    return DS_OK;
}

HRESULT Buffer3D::SetConeAngles(DWORD inside, DWORD outside, DWORD apply)
{
    if (inside > outside || outside > DS3D_MAXCONEANGLE) return DSERR_INVALIDPARAM;
    return buffer_->Change3D(apply, [=](BufferPlace& p) {
        p.coneInside = inside;
        p.coneOutside = outside;
    });
}

HRESULT Buffer3D::GetConeAngles(DWORD* inside, DWORD* outside)
{
    if (!inside || !outside) return DSERR_INVALIDPARAM;
    const BufferPlace place = buffer_->Place3D();
    *inside = place.coneInside;
    *outside = place.coneOutside;
    return DS_OK;
}

HRESULT Buffer3D::SetConeOrientation(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply)
{
    return SetVector(&BufferPlace::coneOrientation, {x, y, z}, apply);
}

HRESULT Buffer3D::GetConeOrientation(D3DVECTOR* orientation)
{
    return GetVector(orientation, &BufferPlace::coneOrientation);
}

HRESULT Buffer3D::SetConeOutsideVolume(LONG volume, DWORD apply)
{
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    return buffer_->Change3D(apply, [=](BufferPlace& p) { p.coneOutsideVolume = volume; });
}

HRESULT Buffer3D::GetConeOutsideVolume(LONG* volume)
{
    if (!volume) return DSERR_INVALIDPARAM;
    *volume = static_cast<LONG>(buffer_->Place3D().coneOutsideVolume);
    return DS_OK;
}

class DirectSound : public ComObject<IDirectSound> {
public:
    explicit DirectSound(std::shared_ptr<AudioDevice> device) : device_(std::move(device)) {}
    std::shared_ptr<AudioDevice> Device() const { return device_; }

    HRESULT SetCooperativeLevel(HWND, DWORD level) override
    {
        return level == DSSCL_NORMAL || level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
    }

    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, IDirectSoundBuffer** buffer, LPUNKNOWN outer) override
    {
        if (!buffer) return DSERR_INVALIDPARAM;
        *buffer = nullptr;
        if (outer) return DSERR_NOAGGREGATION;
        if (!desc || desc->dwSize != sizeof(DSBUFFERDESC)) return DSERR_INVALIDPARAM;
        if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            if (desc->dwBufferBytes != 0 || desc->lpwfxFormat) return DSERR_INVALIDPARAM;
            *buffer = new PrimaryBuffer(device_, (desc->dwFlags & DSBCAPS_CTRL3D) != 0);
            return DS_OK;
        }
        if (!desc->lpwfxFormat || desc->dwBufferBytes == 0) return DSERR_INVALIDPARAM;
        const WAVEFORMATEX& wave = *desc->lpwfxFormat;
        auto samples = std::make_shared<SampleStore>();
        samples->format = {wave.nChannels, wave.wBitsPerSample, wave.nSamplesPerSec};
        if (wave.wFormatTag != WAVE_FORMAT_PCM || !IsPlayableFormat(samples->format) ||
            wave.nBlockAlign != samples->format.FrameBytes())
            return DSERR_BADFORMAT;
        if (desc->dwBufferBytes > MaxBufferBytes || desc->dwBufferBytes < wave.nBlockAlign) return DSERR_INVALIDPARAM;
        const std::uint8_t silence = wave.wBitsPerSample == 8 ? 128 : 0;
        try {
            samples->bytes.assign(desc->dwBufferBytes, silence);
        } catch (const std::bad_alloc&) {
            return DSERR_OUTOFMEMORY;
        }
        *buffer = new SecondaryBuffer(device_, desc->dwFlags, std::move(samples));
        return DS_OK;
    }

    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) override
    {
        if (!duplicate) return DSERR_INVALIDPARAM;
        *duplicate = nullptr;
        auto* source = dynamic_cast<SecondaryBuffer*>(original);
        if (!source) return DSERR_INVALIDPARAM;
        *duplicate = source->Duplicate();
        return DS_OK;
    }

private:
    std::shared_ptr<AudioDevice> device_;
};

}  // namespace

// Lets the music performance reach the mixer of the device it is given.
std::shared_ptr<AudioDevice> DeviceOf(IDirectSound* directSound)
{
    auto* ours = dynamic_cast<DirectSound*>(directSound);
    return ours ? ours->Device() : nullptr;
}

}  // namespace platform::audio

HRESULT DirectSoundCreate(const GUID*, LPDIRECTSOUND* directSound, LPUNKNOWN outer)
{
    if (!directSound) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    std::shared_ptr<platform::audio::AudioDevice> device = platform::audio::OpenAudioDevice();
    if (!device) return DSERR_NODRIVER;
    *directSound = new platform::audio::DirectSound(std::move(device));
    return DS_OK;
}
