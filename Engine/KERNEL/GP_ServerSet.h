// The engine servers of the main frame, created together over its I/O manager and owned by the set.
#pragma once
#include <cstdint>
#include <memory>

class CGP_BinaryServer;
class CGP_GraphServer;
class CGP_SoundServer;
class CGP_TextServer;
class CGP_WeaponServer;
class CGP_IOManager;
class CGP_DirectSound;
class CGP_GameMainFrame;

class CGP_ServerSet {
public:
    // The main frame passes its own I/O manager, so that the kernel needs nothing of the game's classes.
    CGP_ServerSet(CGP_GameMainFrame* owner, CGP_IOManager* io, CGP_DirectSound* device, std::uint32_t language);
    CGP_ServerSet(const CGP_ServerSet&) = delete;
    CGP_ServerSet& operator=(const CGP_ServerSet&) = delete;
    // Destroys the servers in the order they were created.
    virtual ~CGP_ServerSet();

    std::unique_ptr<CGP_BinaryServer> binary;
    std::unique_ptr<CGP_GraphServer> graphics;
    std::unique_ptr<CGP_SoundServer> sound;
    std::unique_ptr<CGP_TextServer> text;
    std::unique_ptr<CGP_WeaponServer> weapons;
    CGP_IOManager* io = nullptr;
    CGP_GameMainFrame* owner = nullptr;
};
