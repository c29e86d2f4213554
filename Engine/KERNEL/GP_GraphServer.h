// The graphics server: turns a picture's name ID (kind 1) into a surface once and hands out the same surface
// afterwards; optionally cuts a shape out of it with a run-length mask resource, keeps the colour key its
// user asked for, and draws the picture again after DirectDraw lost the surface.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "GP_Surface.h"

class CGP_Picture;
class CGP_ServerSet;
class CGP_GraphServer;

struct GP_GraphSlot {
    std::uint32_t id = 0;
    std::uint32_t maskId = 0;  // -1: none
    std::unique_ptr<CGP_Surface> surface;
    std::unique_ptr<GP_ColorKeyRecord> colorKey;  // own copy, or null
    CGP_GraphServer* server = nullptr;
    std::uint8_t systemMemory = 0;  // the surface was asked for in system memory
};

// Called by a restore when the screen is no longer 640 x 480 x 16: true when the game took it (its window was
// active: it deactivated and paused); otherwise the display's surfaces stay marked lost. Set by the game.
using GP_ModeLostHandler = bool (*)();
extern GP_ModeLostHandler GP_OnDisplayModeLost;

class CGP_GraphServer {
public:
    static constexpr std::uint32_t PictureKind = 1;

    // One empty slot per name of kind 1.
    explicit CGP_GraphServer(CGP_ServerSet* servers);
    CGP_GraphServer(const CGP_GraphServer&) = delete;
    CGP_GraphServer& operator=(const CGP_GraphServer&) = delete;
    virtual ~CGP_GraphServer();

    // The picture's surface, loaded on the first request (kind 3 with systemMemory, else kind 1) and masked
    // with maskId (-1: no mask). alreadyLoaded (optional) tells whether it existed. Throws CGP_FatalExeption
    // when the picture or the mask cannot be read.
    CGP_Surface* LoadSurface(std::uint32_t id, std::uint32_t maskId, std::uint8_t systemMemory,
                             std::uint8_t* alreadyLoaded);
    // Deletes the surfaces: all of them, or only those not asked for in system memory.
    void FreeSurfaces(bool all);
    // FreeSurfaces(true), then one empty slot per name of kind 1 as the name table now stands.
    void Reset();
    // Removes a slot (with its surface); the later slots move down. An index beyond the last does nothing.
    void RemoveSlot(int index);
    // The restore handler of surfaces with a colour key: draws the picture again.
    static void RestoreSurface(CGP_Surface* surface, void* slot);
    // Blackens the surface wherever the mask resource's runs are clear.
    void ApplyMask(CGP_Surface* surface, std::uint32_t maskId);

    CGP_ServerSet* servers = nullptr;
    std::vector<GP_GraphSlot> slots;
    std::int32_t slotCount = 0;  // slots.size()
    std::string extension;       // of the file in work
    std::FILE* fileInWork = nullptr;
    GP_ColorKeyRecord* pendingColorKey = nullptr;  // set by callers just before they ask for a surface

private:
    void AllocateSlots();
    void FreeSlot(GP_GraphSlot& slot);
    GP_GraphSlot& SlotOf(std::uint32_t id);
    const char* NameOf(std::uint32_t id) const;
    std::FILE* OpenResource(std::uint32_t id);
    void CloseResource();
    std::unique_ptr<CGP_Picture> ReadPicture(std::uint32_t id);
    static void CopyPicture(CGP_Picture& picture, CGP_Surface* surface);
    void PointHandlersAtSlots(int from);
};
