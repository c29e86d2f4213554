// DirectMusic as the engine calls it: the DirectMusic object, the loader that finds Standard MIDI Files by
// name in its search folder, segments with a repeat count, and a performance on the sound device with master
// volume and tempo. Behind it stands a General MIDI synthesiser (FluidSynth with a SoundFont) that renders
// into the sound device's mixer.
#pragma once
#include "platform/com_base.h"
#include "platform/dsound.h"

using MUSIC_TIME = LONG;
using REFERENCE_TIME = LONGLONG;

inline constexpr CLSID CLSID_DirectMusic = {
    0x5c0b2e01, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x01}};
inline constexpr CLSID CLSID_DirectMusicLoader = {
    0x5c0b2e02, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x02}};
inline constexpr CLSID CLSID_DirectMusicPerformance = {
    0x5c0b2e03, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x03}};
inline constexpr CLSID CLSID_DirectMusicSegment = {
    0x5c0b2e04, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x04}};
inline constexpr IID IID_IDirectMusic = {0x5c0b2e11, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x11}};
inline constexpr IID IID_IDirectMusicLoader = {
    0x5c0b2e12, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x12}};
inline constexpr IID IID_IDirectMusicPerformance = {
    0x5c0b2e13, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x13}};
inline constexpr IID IID_IDirectMusicSegment = {
    0x5c0b2e14, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x14}};
inline constexpr GUID GUID_DirectMusicAllTypes = {
    0x5c0b2e21, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x21}};
inline constexpr GUID GUID_StandardMIDIFile = {
    0x5c0b2e22, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x22}};
inline constexpr GUID GUID_PerfMasterVolume = {
    0x5c0b2e23, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x23}};
inline constexpr GUID GUID_PerfMasterTempo = {
    0x5c0b2e24, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x24}};
inline constexpr GUID GUID_PerfAutoDownload = {
    0x5c0b2e25, 0x3a7d, 0x4c52, {0x8e, 0x14, 0x61, 0x0a, 0x2f, 0x93, 0x40, 0x25}};

#define DMUS_OBJ_CLASS 0x2
#define DMUS_OBJ_FILENAME 0x10
#define DMUS_OBJ_FULLPATH 0x20

struct DMUS_OBJECTDESC {
    DWORD dwSize;
    DWORD dwValidData;
    GUID guidClass;
    WCHAR wszFileName[MAX_PATH];
};
using LPDMUS_OBJECTDESC = DMUS_OBJECTDESC*;

#define DMUS_SEGF_BEAT 0x1000
#define DMUS_SEG_REPEAT_INFINITE 0xFFFFFFFF

#define DMUS_E_NOT_INIT ((HRESULT)0x88781141L)
#define DMUS_E_LOADER_FAILEDOPEN ((HRESULT)0x88781170L)
#define DMUS_E_LOADER_BADPATH ((HRESULT)0x88781172L)
#define DMUS_E_UNSUPPORTED_STREAM ((HRESULT)0x88781174L)
#define DMUS_E_NO_SOUNDFONT ((HRESULT)0x887811F0L)  // no General MIDI SoundFont installed

struct IDirectMusic : IUnknown {
    virtual HRESULT Activate(BOOL enable) = 0;
    // The device whose mixer the performances play into; it must come from DirectSoundCreate.
    virtual HRESULT SetDirectSound(LPDIRECTSOUND directSound, HWND window) = 0;
};

struct IDirectMusicSegment : IUnknown {
    // Plays repeats + 1 times in all; DMUS_SEG_REPEAT_INFINITE for ever.
    virtual HRESULT SetRepeats(DWORD repeats) = 0;
    virtual HRESULT GetRepeats(DWORD* repeats) = 0;
    virtual HRESULT SetParam(REFGUID type, DWORD group, DWORD index, MUSIC_TIME time, void* param) = 0;
};

struct IDirectMusicLoader : IUnknown {
    // A segment of the file named in the description (DMUS_OBJ_FILENAME: inside the search folder; with
    // DMUS_OBJ_FULLPATH: as it stands), found without regard to case.
    virtual HRESULT GetObject(LPDMUS_OBJECTDESC desc, REFIID iid, void** object) = 0;
    virtual HRESULT SetSearchDirectory(REFGUID objectClass, const WCHAR* path, BOOL clear) = 0;
    virtual HRESULT ClearCache(REFGUID objectClass) = 0;
    virtual HRESULT ReleaseObject(IUnknown* object) = 0;
};

struct IDirectMusicPerformance : IUnknown {
    virtual HRESULT Init(IDirectMusic** music, LPDIRECTSOUND directSound, HWND window) = 0;
    // Sets up the General MIDI synthesiser (the port); DMUS_E_NO_SOUNDFONT when no SoundFont is installed.
    virtual HRESULT AddPort(IUnknown* port) = 0;
    virtual HRESULT PlaySegment(IDirectMusicSegment* segment, DWORD flags, REFERENCE_TIME startTime,
                                IUnknown** segmentState) = 0;
    virtual HRESULT Stop(IDirectMusicSegment* segment, IUnknown* segmentState, MUSIC_TIME time, DWORD flags) = 0;
    // GUID_PerfMasterVolume (LONG, hundredths of a decibel), GUID_PerfMasterTempo (float factor),
    // GUID_PerfAutoDownload (BOOL).
    virtual HRESULT SetGlobalParam(REFGUID type, void* param, DWORD size) = 0;
    virtual HRESULT CloseDown() = 0;
};
