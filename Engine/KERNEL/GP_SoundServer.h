// The loaded sounds: one slot per name of kind 2, each loaded from its WAVE resource on first use.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

class CGP_IOManager;
class CGP_DirectSound;
class CGP_SoundBuffer;

class CGP_SoundServer {
public:
    static constexpr std::uint32_t SoundKind = 2;

    struct Slot {
        std::unique_ptr<CGP_SoundBuffer> sound;
        CGP_SoundServer* loadedBy = nullptr;  // the server that loaded it
    };

    CGP_SoundServer(CGP_IOManager* io, CGP_DirectSound* device);
    CGP_SoundServer(const CGP_SoundServer&) = delete;
    CGP_SoundServer& operator=(const CGP_SoundServer&) = delete;
    virtual ~CGP_SoundServer();

    // Null while sound is not active. Otherwise the sound of the ID's slot, loaded on first use; a WAVE that
    // cannot be decoded leaves a sound without samples. An ID that the name table does not place throws
    // CGP_FatalExeption, and so does a resource that yields no stream.
    CGP_SoundBuffer* GetSound(std::uint32_t id);
    // Destroys every loaded sound and makes one empty slot per name of kind 2 (after a pack change).
    void Reset();
    // One slot per name of kind 2, the existing ones kept in place.
    void Grow();
    // Destroys the slot's sound and moves the later slots down.
    void RemoveSlot(std::uint32_t index);

    CGP_IOManager* io = nullptr;
    std::uint32_t slotCount = 0;
    CGP_DirectSound* device = nullptr;
    std::vector<Slot> slots;
    std::FILE* lastStream = nullptr;

private:
    std::uint32_t CountSounds() const;
    void Resize(std::uint32_t count);
};
