// DirectSound with 3D buffers, as the engine calls it: the device, the primary buffer and its listener, static
// secondary buffers (duplicates share their samples) with volume and a 3D position. Behind it stands our own
// mixer, played through SDL2 audio, or through the null device in headless runs.
#pragma once
#include "platform/com_base.h"

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);
using LPWAVEFORMATEX = WAVEFORMATEX*;
using LPCWAVEFORMATEX = const WAVEFORMATEX*;
#define WAVE_FORMAT_PCM 1

using D3DVALUE = float;
struct D3DVECTOR {
    D3DVALUE x;
    D3DVALUE y;
    D3DVALUE z;
};

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
};
using LPCDSBUFFERDESC = const DSBUFFERDESC*;

#define DSSCL_NORMAL 0x1
#define DSSCL_PRIORITY 0x2

#define DSBCAPS_PRIMARYBUFFER 0x1
#define DSBCAPS_STATIC 0x2
#define DSBCAPS_CTRL3D 0x10
#define DSBCAPS_CTRLVOLUME 0x80

#define DSBPLAY_LOOPING 0x1
#define DSBLOCK_ENTIREBUFFER 0x2

#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0

#define DS3D_IMMEDIATE 0x0
#define DS3D_DEFERRED 0x1

#define DS3D_DEFAULTMAXDISTANCE 1000000000.0f
#define DS3D_MINCONEANGLE 0
#define DS3D_MAXCONEANGLE 360
#define DS3D_DEFAULTCONEANGLE 360

#define DS_OK S_OK
#define DSERR_ALLOCATED ((HRESULT)0x8878000AL)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001EL)
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_INVALIDCALL ((HRESULT)0x88780032L)
#define DSERR_GENERIC E_FAIL
#define DSERR_BADFORMAT ((HRESULT)0x88780064L)
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_NODRIVER ((HRESULT)0x88780078L)
#define DSERR_NOAGGREGATION ((HRESULT)0x80040110L)
#define DSERR_UNINITIALIZED ((HRESULT)0x887800AAL)
#define DSERR_UNSUPPORTED E_NOTIMPL

inline constexpr IID IID_IDirectSound3DListener = {
    0x7e1a3c01, 0x5d20, 0x4b1f, {0x9a, 0x61, 0x2c, 0x44, 0x10, 0x07, 0x3d, 0x01}};
inline constexpr IID IID_IDirectSound3DBuffer = {
    0x7e1a3c02, 0x5d20, 0x4b1f, {0x9a, 0x61, 0x2c, 0x44, 0x10, 0x07, 0x3d, 0x02}};

struct IDirectSoundBuffer;

struct IDirectSound : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC desc, IDirectSoundBuffer** buffer, LPUNKNOWN outer) = 0;
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) = 0;
};
using LPDIRECTSOUND = IDirectSound*;

struct IDirectSoundBuffer : IUnknown {
    // Gives the whole buffer (or bytes from offset) as at most two parts; writes become audible after Unlock.
    virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* part1, DWORD* bytes1, LPVOID* part2, DWORD* bytes2,
                         DWORD flags) = 0;
    virtual HRESULT Unlock(LPVOID part1, DWORD bytes1, LPVOID part2, DWORD bytes2) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT GetVolume(LONG* volume) = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
};
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

#define DSBSTATUS_PLAYING 0x1
#define DSBSTATUS_LOOPING 0x4

struct IDirectSound3DListener : IUnknown {
    virtual HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) = 0;
    virtual HRESULT GetPosition(D3DVECTOR* position) = 0;
    virtual HRESULT SetDistanceFactor(D3DVALUE factor, DWORD apply) = 0;
    virtual HRESULT GetDistanceFactor(D3DVALUE* factor) = 0;
    virtual HRESULT SetDopplerFactor(D3DVALUE factor, DWORD apply) = 0;
    virtual HRESULT GetDopplerFactor(D3DVALUE* factor) = 0;
    virtual HRESULT SetRolloffFactor(D3DVALUE factor, DWORD apply) = 0;
    virtual HRESULT GetRolloffFactor(D3DVALUE* factor) = 0;
    virtual HRESULT SetOrientation(D3DVALUE frontX, D3DVALUE frontY, D3DVALUE frontZ, D3DVALUE topX, D3DVALUE topY,
                                   D3DVALUE topZ, DWORD apply) = 0;
    virtual HRESULT GetOrientation(D3DVECTOR* front, D3DVECTOR* top) = 0;
    // Applies every deferred setting of the listener and of the device's 3D buffers at once.
    virtual HRESULT CommitDeferredSettings() = 0;
};
using LPDIRECTSOUND3DLISTENER = IDirectSound3DListener*;

struct IDirectSound3DBuffer : IUnknown {
    virtual HRESULT SetPosition(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) = 0;
    virtual HRESULT GetPosition(D3DVECTOR* position) = 0;
    virtual HRESULT SetVelocity(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) = 0;
    virtual HRESULT GetVelocity(D3DVECTOR* velocity) = 0;
    virtual HRESULT SetMinDistance(D3DVALUE distance, DWORD apply) = 0;
    virtual HRESULT GetMinDistance(D3DVALUE* distance) = 0;
    // Beyond the maximum distance a sound grows no quieter.
    virtual HRESULT SetMaxDistance(D3DVALUE distance, DWORD apply) = 0;
    virtual HRESULT GetMaxDistance(D3DVALUE* distance) = 0;
    // The sound cone in degrees: full volume within the inside angle, the outside volume beyond the outside
    // angle, and a gradual change between. With both at 360 (the default) there is no cone.
    virtual HRESULT SetConeAngles(DWORD inside, DWORD outside, DWORD apply) = 0;
    virtual HRESULT GetConeAngles(DWORD* inside, DWORD* outside) = 0;
    virtual HRESULT SetConeOrientation(D3DVALUE x, D3DVALUE y, D3DVALUE z, DWORD apply) = 0;
    virtual HRESULT GetConeOrientation(D3DVECTOR* orientation) = 0;
    // Hundredths of a decibel, DSBVOLUME_MIN to DSBVOLUME_MAX.
    virtual HRESULT SetConeOutsideVolume(LONG volume, DWORD apply) = 0;
    virtual HRESULT GetConeOutsideVolume(LONG* volume) = 0;
};
using LPDIRECTSOUND3DBUFFER = IDirectSound3DBuffer*;

// Opens the default audio device: SDL2 audio, or the null device in headless runs. Fails with
// DSERR_NODRIVER when no device can be opened.
PLATFORM_API HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* directSound, LPUNKNOWN outer);
