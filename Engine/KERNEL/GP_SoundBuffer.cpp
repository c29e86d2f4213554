#include "GP_SoundBuffer.h"

#include <cstring>
#include <memory>
#include <vector>

#include "GP_DirectSound.h"
#include "GP_Exception.h"
#include "GP_Log.h"
#include "GP_SoundSettings.h"
#include "GP_WaveFile.h"
#include "platform/unique_file.h"

namespace {

// The code of a buffer-creation failure in the log line.
GP_SoundCreateFailure CreateFailureCode(HRESULT result)
{
    switch (result) {
    case DSERR_ALLOCATED: return GP_SoundCreateAllocated;
    case DSERR_BADFORMAT: return GP_SoundCreateBadFormat;
    case DSERR_INVALIDPARAM: return GP_SoundCreateInvalidParam;
    case DSERR_NOAGGREGATION: return GP_SoundCreateNoAggregation;
    case DSERR_OUTOFMEMORY: return GP_SoundCreateOutOfMemory;
    case DSERR_UNINITIALIZED: return GP_SoundCreateUninitialized;
    case DSERR_UNSUPPORTED: return GP_SoundCreateUnsupported;
    default: return GP_SoundCreateOther;
    }
}

}  // namespace

CGP_SoundBuffer::CGP_SoundBuffer(CGP_DirectSound* device) : device(device)
{
    if (device) applyMode = device->applyMode;
}

CGP_SoundBuffer::~CGP_SoundBuffer() { Release(); }

void CGP_SoundBuffer::Release()
{
    buffer3D.reset();
    buffer.reset();
}

HRESULT CGP_SoundBuffer::LoadWave(std::FILE* stream)
{
    Release();
    if (!device || !device->directSound || !stream) return GP_WaveNotLoaded;
    std::vector<BYTE> samples;
    WAVEFORMATEX read{};
    if (!GP_ReadWave(stream, read, samples)) return GP_WaveNotLoaded;
    format = read;
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D,
                      static_cast<DWORD>(samples.size()), 0, &format};
    const HRESULT result = platform::Receive(
        buffer, [&](LPDIRECTSOUNDBUFFER* out) { return device->directSound->CreateSoundBuffer(&desc, out, nullptr); });
    if (FAILED(result)) {
        std::unique_ptr<char[]> line(FormatNew("Error create sound buffer P=%d\n", CreateFailureCode(result)));
        GP_LogWrite(line.get());
        return result;
    }
    LPVOID part1 = nullptr, part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (SUCCEEDED(buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER))) {
        std::memcpy(part1, samples.data(), bytes1);
        if (part2) std::memcpy(part2, samples.data() + bytes1, bytes2);
        buffer->Unlock(part1, bytes1, part2, bytes2);
    }
    if (GP_Sound3DAvailable) Obtain3D();
    return DS_OK;
}

HRESULT CGP_SoundBuffer::LoadFile(const char* path)
{
    Release();
    const platform::UniqueFile file = platform::OpenUniqueFile(path, "rb");
    return file ? LoadWave(file.get()) : GP_WaveNotLoaded;
}

void CGP_SoundBuffer::DuplicateFrom(const CGP_SoundBuffer& other)
{
    device = other.device;
    applyMode = other.applyMode;
    Release();
    if (!other.buffer || !device || !device->directSound) return;
    format = other.format;
    const HRESULT duplicated = platform::Receive(buffer, [&](LPDIRECTSOUNDBUFFER* out) {
        return device->directSound->DuplicateSoundBuffer(other.buffer.get(), out);
    });
    if (SUCCEEDED(duplicated) && other.buffer3D) Obtain3D();
}

void CGP_SoundBuffer::Obtain3D()
{
    platform::Receive(buffer3D, [&](LPDIRECTSOUND3DBUFFER* out) {
        return buffer->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(out));
    });
}

void CGP_SoundBuffer::Play(bool looping)
{
    if (buffer) buffer->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
}

void CGP_SoundBuffer::Stop()
{
    if (buffer) buffer->Stop();
}

void CGP_SoundBuffer::SetCurrentPosition(DWORD position)
{
    if (buffer) buffer->SetCurrentPosition(position);
}

void CGP_SoundBuffer::SetVolume(LONG hundredthsOfDecibel)
{
    if (buffer) buffer->SetVolume(hundredthsOfDecibel);
}

void CGP_SoundBuffer::SetPosition2D(float x, float y) { SetPosition(x, -y, 0.0f); }

void CGP_SoundBuffer::SetPosition(float x, float y, float z)
{
    if (buffer3D) buffer3D->SetPosition(x, y, z, applyMode);
}

void CGP_SoundBuffer::GetPosition(D3DVECTOR* position)
{
    if (buffer3D) buffer3D->GetPosition(position);
}

void CGP_SoundBuffer::SetMinDistance(float distance)
{
    if (buffer3D) buffer3D->SetMinDistance(distance, applyMode);
}

float CGP_SoundBuffer::GetMinDistance()
{
    float distance = 0.0f;
    if (buffer3D) buffer3D->GetMinDistance(&distance);
    return distance;
}

void CGP_SoundBuffer::SetVelocity(float x, float y, float z)
{
    if (buffer3D) buffer3D->SetVelocity(x, y, z, applyMode);
}

void CGP_SoundBuffer::GetVelocity(D3DVECTOR* velocity)
{
    if (buffer3D) buffer3D->GetVelocity(velocity);
}

void CGP_SoundBuffer::SetMaxDistance(float distance)
{
    if (buffer3D) buffer3D->SetMaxDistance(distance, applyMode);
}

float CGP_SoundBuffer::GetMaxDistance()
{
    float distance = 0.0f;
    if (buffer3D) buffer3D->GetMaxDistance(&distance);
    return distance;
}

void CGP_SoundBuffer::SetConeAngles(DWORD inside, DWORD outside)
{
    if (buffer3D) buffer3D->SetConeAngles(inside, outside, applyMode);
}

void CGP_SoundBuffer::GetConeAngles(DWORD* inside, DWORD* outside)
{
    if (buffer3D) buffer3D->GetConeAngles(inside, outside);
}

void CGP_SoundBuffer::SetConeOrientation(float x, float y, float z)
{
    if (buffer3D) buffer3D->SetConeOrientation(x, y, z, applyMode);
}

void CGP_SoundBuffer::GetConeOrientation(D3DVECTOR* orientation)
{
    if (buffer3D) buffer3D->GetConeOrientation(orientation);
}

void CGP_SoundBuffer::SetConeOutsideVolume(LONG hundredthsOfDecibel)
{
    if (buffer3D) buffer3D->SetConeOutsideVolume(hundredthsOfDecibel, applyMode);
}

LONG CGP_SoundBuffer::GetConeOutsideVolume()
{
    LONG volume = 0;
    if (buffer3D) buffer3D->GetConeOutsideVolume(&volume);
    return volume;
}
