// The sprite manager: loads sprite definitions (resources of kind 7) on first use, one slot per name of the
// kind, and creates game objects from them, recycling the dead objects of the same sprite ID.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_SpriteDef.h"

class CGP_GameObject;
class CGP_NameServer;
class CGP_PlayField;
class CGP_PlayHost;
class CGP_ServerSet;

class CGP_SpriteManager {
public:
    static constexpr std::uint32_t SpriteKind = 7;

    // One empty slot per name of kind 7.
    CGP_SpriteManager(CGP_PlayHost* owner, CGP_NameServer* names);
    CGP_SpriteManager(const CGP_SpriteManager&) = delete;
    CGP_SpriteManager& operator=(const CGP_SpriteManager&) = delete;
    virtual ~CGP_SpriteManager() = default;

    // The definition of the ID's slot, read on first use. An ID without slot or resource throws
    // CGP_FatalExeption.
    CGP_SpriteDef* GetDefinition(std::uint32_t id, bool loadImages);
    // A recycled or new object of the sprite ID in its kind's list, state 0, visible, at full health, its
    // behaviour attached; null for -1, for a kind without list and when the list is full.
    CGP_GameObject* CreateObject(std::uint32_t id, CGP_PlayField* playField);
    // Deletes every definition and makes one empty slot per name of kind 7 as the name table now stands.
    void Reset();
    // Deletes every definition; dropSlots also forgets the slots.
    void Clear(bool dropSlots);
    void ReloadImages(CGP_ServerSet* servers);
    // Removes a slot, the later ones moving down; an index beyond the last does nothing.
    void RemoveSlot(int index);

    std::uint32_t slotCount = 0;
    CGP_NameServer* names = nullptr;
    CGP_PlayHost* owner = nullptr;
    std::vector<std::unique_ptr<CGP_SpriteDef>> slots;

private:
    void SetUp(CGP_GameObject* object, CGP_SpriteDef& def);
};
