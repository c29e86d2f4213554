// One piece of music, a Standard MIDI File loaded through the DirectMusic loader, with the performance that
// plays it on the sound device.
#pragma once
#include "platform/dmusic.h"

class CGP_DirectMusic;

class CGP_MusicSegment {
public:
    explicit CGP_MusicSegment(CGP_DirectMusic* directMusic);
    CGP_MusicSegment(const CGP_MusicSegment&) = delete;
    CGP_MusicSegment& operator=(const CGP_MusicSegment&) = delete;
    // The loader lets the segment go, the segment is released, the performance closed down and released.
    virtual ~CGP_MusicSegment();

    // Each failing step is logged and leaves the performance out.
    void CreatePerformance(LPDIRECTSOUND directSound);
    // Loads the file from the loader's search folder, replacing the previous segment; logged when it cannot.
    void Load(const char* fileName);
    // Plays the segment repeats + 1 times (-1: for ever), from the next beat.
    void Play(DWORD repeats);
    void Stop();
    void SetVolume(LONG hundredthsOfDecibel);
    void SetTempo(float factor);

    CGP_DirectMusic* directMusic = nullptr;
    platform::ComPtr<IDirectMusicSegment> segment;
    IDirectMusicLoader* loader = nullptr;  // the DirectMusic object's, not owned
    platform::ComPtr<IDirectMusicPerformance> performance;

private:
    void ReleaseSegment();
    void ReleasePerformance();
};
