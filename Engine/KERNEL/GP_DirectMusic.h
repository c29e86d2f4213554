// The DirectMusic object of the game and its loader, which finds music files in its search folder.
#pragma once
#include "platform/dmusic.h"

class CGP_DirectMusic {
public:
    CGP_DirectMusic() = default;
    CGP_DirectMusic(const CGP_DirectMusic&) = delete;
    CGP_DirectMusic& operator=(const CGP_DirectMusic&) = delete;
    virtual ~CGP_DirectMusic();

    // Makes the DirectMusic object on the sound device and the loader; false, logged, at the first failure.
    bool Create(LPDIRECTSOUND directSound);
    // The loader looks for every kind of object in this folder from now on; logged when it cannot.
    void SetSearchDirectory(const char* path);
    void Release();

    platform::ComPtr<IDirectMusicLoader> loader;
    platform::ComPtr<IDirectMusic> music;
    WCHAR searchDirectory[MAX_PATH] = {};
};

// An 8-bit text as wide characters, at most `capacity` - 1 of them and a terminator.
void GP_ToWide(const char* text, WCHAR* out, int capacity);
