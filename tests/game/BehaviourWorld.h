// A small world for the behaviour tests: a host that plays the main frame's part (object lists by kind, the
// behaviour table, a scene with its player, hit groups, weapons, and recorders for sounds, messages and the
// weapon display), sprite definitions made in memory under fixed IDs of groups 7, 9 and 0x1B (no pictures), a
// 10 x 10 play field and a seeded generator.
#pragma once
#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GP_BehaviourHost.h"
#include "GP_BehaviourTable.h"
#include "GP_GameObject.h"
#include "GP_NameServer.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "GP_Weapon.h"

namespace behaviourtest {

struct PlayedSound {
    CGP_GameObject* object;
    std::uint32_t id;
    bool looping;
    bool follow;
};

struct ShownMessage {
    std::uint32_t textID;
    float y;
};

class Host : public CGP_BehaviourHost {
public:
    static constexpr int ListCount = 32;

    Host()
    {
        for (auto& list : lists) list = std::make_unique<CGP_ObjectList>(this);
    }
    CGP_ServerSet* GetServers() override { return servers; }
    CGP_SpriteManager* GetSpriteManager() override { return sprites.get(); }
    CGP_ObjectList* GetObjectList(std::uint16_t kindIndex) override
    {
        return kindIndex < ListCount ? lists[kindIndex].get() : nullptr;
    }
    CGP_Behaviour* GetBehaviour(std::uint16_t index) override { return table.Get(index); }
    CGP_Scene* GetScene() override { return scene.get(); }
    bool IsIdInList(std::uint16_t listIndex, std::uint32_t id) override
    {
        auto found = hitGroups.find(listIndex);
        return found != hitGroups.end() && found->second.count(id) != 0;
    }
    void PlaySound(CGP_GameObject* object, std::uint32_t id, bool looping, bool, bool follow) override
    {
        sounds.push_back({object, id, looping, follow});
    }
    void ShowMessage(std::uint32_t textID, float y) override { messages.push_back({textID, y}); }
    void ResetWeaponDisplay() override { ++weaponDisplayResets; }
    void SelectWeapon(std::int32_t index) override { selectedWeapon = weaponIndicator = index; }
    void SetWeaponIndicator(std::int32_t selection) override { weaponIndicator = selection; }
    std::int32_t GetSelectedWeapon() override { return selectedWeapon; }
    void RewindWeaponIcon(std::int32_t index) override { rewoundIcons.push_back(index); }
    void GameOver() override { ++gameOvers; }
    void ShowSlowMotionIcon() override { slowMotionIconShown = true; }
    void SetSoundListener(CGP_GameObject* object) override { listener = object; }
    CGP_Behaviour* GetDefaultBehaviour() override { return table.Default(); }
    CGP_Weapon* GetWeapon(std::uint32_t id) override
    {
        auto found = weapons.find(id);
        return found == weapons.end() ? nullptr : found->second.get();
    }

    CGP_ServerSet* servers = nullptr;  // the weapons' server, for fixtures that fire
    // Declared so that the lists' objects go before the play field and the definitions they refer to.
    std::unique_ptr<CGP_SpriteManager> sprites;
    std::unique_ptr<CGP_Scene> scene = std::make_unique<CGP_Scene>(this);
    std::array<std::unique_ptr<CGP_ObjectList>, ListCount> lists;
    CGP_BehaviourTable table;
    std::map<std::uint16_t, std::set<std::uint32_t>> hitGroups;
    std::vector<PlayedSound> sounds;
    std::vector<ShownMessage> messages;
    int weaponDisplayResets = 0;
    std::int32_t selectedWeapon = -1;
    std::int32_t weaponIndicator = -1;
    std::vector<std::int32_t> rewoundIcons;
    int gameOvers = 0;
    bool slowMotionIconShown = false;
    CGP_GameObject* listener = nullptr;
    std::map<std::uint32_t, std::unique_ptr<CGP_Weapon>> weapons;
};

// A definition of the behaviour and kind: every state of the size with a 1-frame strip, no sound.
inline GP_SpriteRecord Sprite(std::uint32_t behaviourID, std::uint32_t kind, int width = 16, int height = 16)
{
    GP_SpriteRecord record;
    record.header.behaviourID = behaviourID;
    record.header.kind = kind;
    record.header.initialHealth = 10;
    record.header.damage = 10;
    record.header.inGrid = 1;
    for (GP_SpriteState& state : record.states) {
        state.frameRect = platform::Rect::OfSize(width, height);
        state.collisionRect = platform::Rect::OfSize(width, height);
        state.frameCount = 1;
    }
    return record;
}

class World : public ::testing::Test {
protected:
    static constexpr std::uint16_t LastGroup = 0x1B;
    static constexpr int NamesPerGroup = 0x30;

    World()
    {
        for (std::uint16_t group = 0; group <= LastGroup; ++group) {
            const std::string name = "G" + std::to_string(group);
            names.AddGroup(name.c_str(), "*.*", "RESOURCE\\X\\");
            names.GetGroup(group)->resourceKind = IsSpriteGroup(group) ? CGP_SpriteManager::SpriteKind : 100 + group;
            if (!IsSpriteGroup(group)) continue;
            for (int i = 0; i < NamesPerGroup; ++i) names.AddName((name + "_" + std::to_string(i)).c_str(), group, 0);
        }
        host.sprites = std::make_unique<CGP_SpriteManager>(&host, &names);
        host.table.Create(&host);
        host.scene->playField = std::make_unique<CGP_PlayField>(&host, 10, 10);
        GP_SeedRandom(1);
    }

    CGP_PlayField* Field() const { return host.scene->playField.get(); }

    // The record under the sprite ID (of group 7, 9 or 0x1B).
    GP_SpriteRecord& Define(std::uint32_t id, const GP_SpriteRecord& record)
    {
        const std::int32_t index = names.GetIndex(id);
        auto def = std::make_unique<CGP_SpriteDef>(&host);
        def->record = record;
        host.sprites->slots.at(index) = std::move(def);
        return host.sprites->slots.at(index)->record;
    }
    CGP_GameObject* Create(std::uint32_t id, float x = 0, float y = 0)
    {
        CGP_GameObject* object = host.sprites->CreateObject(id, Field());
        if (!object) return nullptr;
        *object->x = x;
        *object->y = y;
        return object;
    }
    // The object registered in the grid where it stands, as a list update leaves it.
    static void InGrid(CGP_GameObject* object)
    {
        if (object->inGrid) object->LeaveGrid();
        object->EnterGrid();
    }
    static void Step(CGP_GameObject* object, float timeStep, int frames = 1)
    {
        for (int i = 0; i < frames; ++i) object->behaviour->Update(object, timeStep);
    }
    static std::int32_t StateOf(CGP_GameObject* object) { return object->stateBlock->state; }

    CGP_NameServer names;
    Host host;

private:
    static bool IsSpriteGroup(std::uint16_t group) { return group == 7 || group == 9 || group == LastGroup; }
};

}  // namespace behaviourtest
