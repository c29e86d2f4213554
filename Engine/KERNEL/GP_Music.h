// The game's music: one piece at a time, named by a name ID whose name is its file in the music folder.
// While music is switched off it neither creates, loads, plays nor changes its volume; stopping always works.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/win32_base.h"

class CGP_GameMainFrame;
class CGP_NameServer;
class CGP_DirectMusic;
class CGP_DirectSound;
class CGP_MusicSegment;

class CGP_Music {
public:
    CGP_Music(CGP_GameMainFrame* owner, CGP_NameServer* names, CGP_DirectMusic* directMusic,
              CGP_DirectSound* directSound);
    CGP_Music(const CGP_Music&) = delete;
    CGP_Music& operator=(const CGP_Music&) = delete;
    virtual ~CGP_Music();

    // A new segment with its performance on the sound device, in place of the old one.
    void Create();
    // Loads the file named by the ID; an ID without a name loads nothing.
    void Load(std::uint32_t id);
    // Plays repeats + 1 times; -1 for ever.
    void Play(DWORD repeats);
    void SetVolume(LONG hundredthsOfDecibel);
    void Stop();
    void Release();

    CGP_GameMainFrame* owner = nullptr;
    CGP_NameServer* names = nullptr;
    CGP_DirectMusic* directMusic = nullptr;
    std::unique_ptr<CGP_MusicSegment> segment;
    CGP_DirectSound* directSound = nullptr;
};
