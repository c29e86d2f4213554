// The game's eight sound channels: each plays a copy of a loaded sound, placed on the screen, at the object
// that makes it or at the screen centre, following the object and stopping when it dies where asked.
#pragma once
#include <cstdint>
#include <memory>

class CGP_GameMainFrame;
class CGP_DirectSound;
class CGP_ServerSet;
class CGP_SoundBuffer;
class CGP_SoundSource;

class CGP_SoundPlayer {
public:
    static constexpr int Channels = 8;

    struct Channel {
        float startTime = 0.0f;  // the game clock when it started
        std::unique_ptr<CGP_SoundBuffer> buffer;
        CGP_SoundSource* source = nullptr;
        std::uint8_t positioned = 0;
        std::uint8_t stopOnDeath = 0;
        std::uint8_t follow = 0;
        std::uint8_t free = 1;
    };

    // With sound enabled, loads the first sound and makes the channels; without, makes none and does nothing.
    CGP_SoundPlayer(CGP_GameMainFrame* frame, CGP_DirectSound* device, CGP_ServerSet* serverSet);
    CGP_SoundPlayer(const CGP_SoundPlayer&) = delete;
    CGP_SoundPlayer& operator=(const CGP_SoundPlayer&) = delete;
    virtual ~CGP_SoundPlayer();

    // Plays the sound of the ID on a free channel, else on the one started earliest. Positioned sounds sit
    // at the centre of their source, the others at the screen centre (320, 240).
    void Play(CGP_SoundSource* source, std::uint32_t id, bool looping, bool positioned, bool follow);
    // Once a frame: places the listener, stops sounds whose source died, moves following ones, commits.
    void Update();
    void StopAll();
    void SetListener(CGP_SoundSource* object);

    CGP_GameMainFrame* frame = nullptr;
    CGP_ServerSet* serverSet = nullptr;
    CGP_DirectSound* device = nullptr;
    Channel channels[Channels];
    CGP_SoundSource* listener = nullptr;

private:
    bool HasChannels() const { return channels[0].buffer != nullptr; }
    int ChooseChannel() const;
    void Free(Channel& channel);
};
