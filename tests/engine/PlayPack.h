// A pack of play resources for the sprite, game-object, weapon and scene tests: pictures made here as BMPs,
// sprite definitions, weapons and scenes written through the engine's own writers (or as damaged bytes), read
// back as the game reads its pack; with a small host that plays the main frame's part (object lists by kind,
// behaviours by ID) and a headless display to draw on.
#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GP_BinaryServer.h"
#include "GP_GameObject.h"
#include "GP_ObjectList.h"
#include "GP_PlayField.h"
#include "GP_PlayHost.h"
#include "GP_Random.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SpriteManager.h"
#include "GP_Weapon.h"
#include "InterfacePack.h"
#include "platform/win32_time.h"

namespace playtest {

// Moves its objects by their velocities; with hits set, an object that overlaps another in the grid kills both.
class MoverBehaviour : public CGP_Behaviour {
public:
    void Update(CGP_GameObject* object, float timeStep) override
    {
        ++updates;
        *object->x += *object->vx * timeStep;
        *object->y += *object->vy * timeStep;
        if (hits && object->playField) KillOverlapping(object);
    }

    int updates = 0;
    bool hits = false;

private:
    static void KillOverlapping(CGP_GameObject* object)
    {
        std::unique_ptr<CGP_PagedTable> near(object->playField->GetCandidates(object));
        const platform::Rect mine = object->GetRect();
        for (std::uint16_t i = 0; i < near->GetCount(); ++i) {
            auto* other = static_cast<CGP_GameObject*>(near->Get(i));
            if (other == object || other->state == GP_StateGone) continue;
            if (mine.Intersected(other->GetRect()).IsEmpty()) continue;
            object->state = GP_StateGone;
            other->state = GP_StateGone;
            return;
        }
    }
};

class Host : public CGP_PlayHost {
public:
    static constexpr int ListCount = 4;

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
    CGP_Behaviour* GetBehaviour(std::uint16_t index) override { return index == 0 ? &mover : nullptr; }
    void SetPlayer(CGP_GameObject* object) override { player = object; }

    CGP_ServerSet* servers = nullptr;
    std::unique_ptr<CGP_SpriteManager> sprites;
    std::array<std::unique_ptr<CGP_ObjectList>, ListCount> lists;
    MoverBehaviour mover;
    CGP_GameObject* player = nullptr;
};

constexpr std::uint32_t MoverID = 0x20000;

// A definition of one shown state (state 0) of the size, without picture, in list 0.
inline GP_SpriteRecord PlainSprite(int width, int height)
{
    GP_SpriteRecord record;
    record.header.behaviourID = MoverID;
    record.header.initialHealth = 50;
    for (GP_SpriteState& state : record.states) {
        state.frameRect = platform::Rect::OfSize(width, height);
        state.collisionRect = platform::Rect::OfSize(width, height);
        state.frameCount = 1;
    }
    return record;
}

using Writer = std::function<void(CGP_ServerSet&)>;

class PlayPackTest : public DisplayTest {
protected:
    enum Group : std::uint16_t {
        Pictures = 1,
        Sprites,
        Weapons,
        Scenes
    };

    PlayPackTest() : work(dir.path())
    {
        resourcetest::AddHeaderGroup(source, "RESOURCE\\HEADER\\", 1);
        AddGroup("Pictures", "PICTURES", 1);
        AddGroup("Sprites", "SPRITES", 7);
        AddGroup("Weapons", "WEAPONS", 10);
        AddGroup("Scenes", "SCENES", 11);
        testsupport::WriteFile("RESOURCE/HEADER/layers", "LAYERS");
        GP_SeedRandom(1);
    }
    void TearDown() override
    {
        host.reset();
        servers.reset();
        io.reset();
        pack.reset();
        DisplayTest::TearDown();
    }

    std::uint32_t AddPicture(const std::string& name, const std::string& bytes)
    {
        source.AddName(name.c_str(), Pictures, 0);
        testsupport::WriteFile("RESOURCE/PICTURES/" + name, bytes);
        return source.FindID(name.c_str(), Pictures);
    }
    std::uint32_t AddSprite(const std::string& name, const GP_SpriteRecord& record)
    {
        return AddWritten(Sprites, name, [record](CGP_ServerSet& tool) {
            CGP_SpriteDef def(nullptr);
            def.record = record;
            def.Save(&tool);
        });
    }
    std::uint32_t AddWeapon(const std::string& name, const GP_WeaponRecord& record)
    {
        return AddWritten(Weapons, name, [record](CGP_ServerSet& tool) {
            CGP_Weapon weapon;
            weapon.record = record;
            weapon.Write(&tool);
        });
    }
    // A resource written by the engine's writers when the pack is built.
    std::uint32_t AddWritten(std::uint16_t group, const std::string& name, Writer writer)
    {
        source.AddName(name.c_str(), group, 0);
        writers.push_back({group, name, std::move(writer)});
        return source.FindID(name.c_str(), group);
    }

    // Writes the resources, builds the pack, opens it as the game does and makes the host with its servers.
    void Build()
    {
        {
            CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
            CGP_ServerSet tool(nullptr, &toolIO, nullptr, 1033);
            for (auto& [group, name, writer] : writers) {
                ASSERT_TRUE(tool.binary->OpenWrite(source.FindID(name.c_str(), group)));
                writer(tool);
                std::fclose(tool.binary->writeStream);
                tool.binary->writeStream = nullptr;
            }
            toolIO.BuildPack("play.tdf");
        }
        pack = resourcetest::Open("play.tdf", "rb");
        resourcetest::LoadPackTable(names, pack.get());
        io = std::make_unique<CGP_IOManager>(pack.get(), nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
        host = std::make_unique<Host>();
        host->servers = servers.get();
        host->sprites = std::make_unique<CGP_SpriteManager>(host.get(), &names);
    }

    CGP_GameObject* Create(std::uint32_t id, CGP_PlayField* field = nullptr)
    {
        return host->sprites->CreateObject(id, field);
    }

    testsupport::TempDir dir;
    resourcetest::WorkIn work;
    CGP_NameServer source;
    CGP_NameServer names;
    resourcetest::File pack{nullptr, std::fclose};
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
    std::unique_ptr<Host> host;

    void AddGroup(const char* name, const char* folder, std::uint32_t kind)
    {
        const std::string dirName = std::string("RESOURCE\\") + folder + "\\";
        source.AddGroup(name, "*.*", dirName.c_str());
        source.GetGroup(source.GetGroupCount() - 1)->resourceKind = kind;
        source.GetGroup(source.GetGroupCount() - 1)->storage = 1;
        std::filesystem::create_directories(std::string("RESOURCE/") + folder);
    }

private:
    struct Written {
        std::uint16_t group;
        std::string name;
        Writer writer;
    };
    std::vector<Written> writers;
};

}  // namespace playtest
