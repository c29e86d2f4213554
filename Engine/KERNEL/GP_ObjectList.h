// A list of game objects of one kind: it updates and draws its live objects every frame and hands out dead ones
// for recycling instead of deleting them. It owns its objects.
#pragma once
#include <cstdint>

#include "GP_PtrList.h"

class CGP_GameObject;
class CGP_PlayField;
class CGP_PlayHost;
class CGP_SpriteManager;

class CGP_ObjectList {
public:
    static constexpr std::uint16_t FirstSize = 1024;
    static constexpr std::uint16_t GrowStep = 256;

    explicit CGP_ObjectList(CGP_PlayHost* owner) : owner(owner) {}
    CGP_ObjectList(const CGP_ObjectList&) = delete;
    CGP_ObjectList& operator=(const CGP_ObjectList&) = delete;
    // Deletes every object.
    virtual ~CGP_ObjectList();

    // Takes the object (its deadFrames start at 0); false when the list is full, and the caller keeps it.
    bool Add(CGP_GameObject* object);
    // The first object of the sprite ID gone for more than two updates, its deadFrames back at 0; or null.
    CGP_GameObject* FindReusable(std::uint32_t spriteID);
    // Each live object's update; a gone one leaves the grid after its third dead update.
    void Update(float timeStep);
    void Draw();
    void DrawShadows();
    std::uint32_t CountLive() const;
    // Every object gone and reusable at once.
    void KillAll();
    // After the definitions were reloaded: every object takes its definition again.
    void ReloadDefinitions(CGP_SpriteManager* sprites);
    void SetPlayField(CGP_PlayField* field);
    void DeleteAll();

    std::uint16_t Count() const { return objects.count; }
    CGP_GameObject* At(std::uint16_t index) const { return static_cast<CGP_GameObject*>(objects.block[index]); }

    CGP_PtrList objects{FirstSize, GrowStep};
    std::uint32_t liveCount = 0;
    CGP_PlayHost* owner = nullptr;
};
