// The DirectSound device of the game, its primary buffer and the 3D listener. A device that cannot be made is
// written to the session log and the game runs on without sound.
#pragma once
#include <cstdint>

#include "platform/dsound.h"

class CGP_DirectSound {
public:
    explicit CGP_DirectSound(HWND window);
    CGP_DirectSound(const CGP_DirectSound&) = delete;
    CGP_DirectSound& operator=(const CGP_DirectSound&) = delete;
    virtual ~CGP_DirectSound();

    // Opens the device and its primary buffer (with 3D control when it can); false, logged, when it cannot.
    bool Create();
    void Release();

    // The listener at screen position (x, y): (x, -y, 0), since the 3D axis points up.
    void SetListenerPosition(float x, float y);
    void SetPosition(float x, float y, float z);
    void GetPosition(D3DVECTOR* position);
    void SetDistanceFactor(float factor);
    float GetDistanceFactor();
    void SetDopplerFactor(float factor);
    float GetDopplerFactor();
    void SetRolloffFactor(float factor);
    float GetRolloffFactor();
    void SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ);
    void GetOrientation(D3DVECTOR* front, D3DVECTOR* top);
    void CommitDeferredSettings();

    void PlayPrimary(bool looping);
    void StopPrimary();

    HWND window = nullptr;
    std::uint32_t reserved = 0;
    std::uint32_t applyMode = DS3D_DEFERRED;
    platform::ComPtr<IDirectSound> directSound;
    platform::ComPtr<IDirectSoundBuffer> primary;
    platform::ComPtr<IDirectSound3DListener> listener;
};
