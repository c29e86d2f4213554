// One DirectSound secondary buffer with its 3D interface: a sound loaded from a WAVE resource or file, or a
// duplicate of one that shares its samples.
#pragma once
#include <cstdint>
#include <cstdio>

#include "platform/dsound.h"

class CGP_DirectSound;

// LoadWave's result when there is no device or the data is not a WAVE this reader takes.
constexpr HRESULT GP_WaveNotLoaded = -1;

// The code that the log line "Error create sound buffer P=%d" gives a failed buffer creation.
enum GP_SoundCreateFailure : int {
    GP_SoundCreateOther = 0,
    GP_SoundCreateAllocated = 1,
    GP_SoundCreateBadFormat = 2,
    GP_SoundCreateInvalidParam = 3,
    GP_SoundCreateNoAggregation = 4,
    GP_SoundCreateOutOfMemory = 5,
    GP_SoundCreateUninitialized = 6,
    GP_SoundCreateUnsupported = 7,
};

class CGP_SoundBuffer {
public:
    explicit CGP_SoundBuffer(CGP_DirectSound* device);
    CGP_SoundBuffer(const CGP_SoundBuffer&) = delete;
    CGP_SoundBuffer& operator=(const CGP_SoundBuffer&) = delete;
    virtual ~CGP_SoundBuffer();

    // Loads a RIFF WAVE from the stream's position into a new static buffer. DS_OK on success; otherwise the
    // buffer stays empty and the result is the device's error, or GP_WaveNotLoaded when there is no device or
    // the data is not a WAVE this reader takes.
    HRESULT LoadWave(std::FILE* stream);
    // Releases what it held, then loads the WAVE file.
    HRESULT LoadFile(const char* path);
    // Becomes a duplicate of the other's buffer (sharing its samples), on the other's device; when the other
    // holds no buffer, this one ends up empty too, so that nothing old is played in its place.
    void DuplicateFrom(const CGP_SoundBuffer& other);
    void Release();

    void Play(bool looping);
    void Stop();
    void SetCurrentPosition(DWORD position);
    void SetVolume(LONG hundredthsOfDecibel);

    // The sound at screen position (x, y): (x, -y, 0), since the 3D axis points up.
    void SetPosition2D(float x, float y);
    void SetPosition(float x, float y, float z);
    void GetPosition(D3DVECTOR* position);
    void SetVelocity(float x, float y, float z);
    void GetVelocity(D3DVECTOR* velocity);
    void SetMinDistance(float distance);
    float GetMinDistance();
    void SetMaxDistance(float distance);
    float GetMaxDistance();
    void SetConeAngles(DWORD inside, DWORD outside);
    void GetConeAngles(DWORD* inside, DWORD* outside);
    void SetConeOrientation(float x, float y, float z);
    void GetConeOrientation(D3DVECTOR* orientation);
    void SetConeOutsideVolume(LONG hundredthsOfDecibel);
    LONG GetConeOutsideVolume();

    CGP_DirectSound* device = nullptr;
    std::uint32_t applyMode = DS3D_DEFERRED;
    WAVEFORMATEX format{};
    platform::ComPtr<IDirectSoundBuffer> buffer;
    platform::ComPtr<IDirectSound3DBuffer> buffer3D;

private:
    // The 3D interface of the buffer; none when the buffer has none.
    void Obtain3D();
};
