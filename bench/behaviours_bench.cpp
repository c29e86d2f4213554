// The behaviours' collision query: 500 shots and 100 enemies on the play field's grid, every shot asking
// FindHitObject once per frame as it flies; one iteration is one frame's queries, to set against the 16.7 ms a
// frame has. The hit groups are looked up
// through the host as the main frame does (a set per kind).
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "GP_GameBehaviour.h"
#include "GP_GameObject.h"
#include "GP_PlayField.h"
#include "GP_SpriteDef.h"

namespace {

constexpr std::uint32_t ShotKind = 0x30002;
constexpr std::uint32_t EnemyKind = 0x30000;

class Host : public CGP_BehaviourHost {
public:
    CGP_ServerSet* GetServers() override { return nullptr; }
    CGP_SpriteManager* GetSpriteManager() override { return nullptr; }
    CGP_ObjectList* GetObjectList(std::uint16_t) override { return nullptr; }
    CGP_Behaviour* GetBehaviour(std::uint16_t) override { return nullptr; }
    CGP_Scene* GetScene() override { return nullptr; }
    bool IsIdInList(std::uint16_t listIndex, std::uint32_t id) override
    {
        auto found = groups.find(listIndex);
        return found != groups.end() && found->second.count(id) != 0;
    }
    void PlaySound(CGP_GameObject*, std::uint32_t, bool, bool, bool) override {}
    void ShowMessage(std::uint32_t, float) override {}
    void ResetWeaponDisplay() override {}
    void SelectWeapon(std::int32_t) override {}
    void SetWeaponIndicator(std::int32_t) override {}
    std::int32_t GetSelectedWeapon() override { return 0; }
    void RewindWeaponIcon(std::int32_t) override {}
    void GameOver() override {}
    void ShowSlowMotionIcon() override {}
    void SetSoundListener(CGP_GameObject*) override {}
    CGP_Behaviour* GetDefaultBehaviour() override { return nullptr; }

    std::map<std::uint16_t, std::set<std::uint32_t>> groups{{ShotKind & 0xFFFF, {EnemyKind}}};
};

CGP_SpriteDef* MakeDef(Host& host, std::uint32_t kind, int size)
{
    auto* def = new CGP_SpriteDef(&host);
    def->record.header.kind = kind;
    def->record.header.inGrid = 1;
    for (GP_SpriteState& state : def->record.states) {
        state.frameRect = platform::Rect::OfSize(size, size);
        state.collisionRect = platform::Rect::OfSize(size, size);
        state.frameCount = 1;
    }
    return def;
}

struct Field {
    Field()
    {
        shotDef.reset(MakeDef(host, ShotKind, 6));
        enemyDef.reset(MakeDef(host, EnemyKind, 32));
        for (int i = 0; i < 100; ++i)
            Add(enemyDef.get(), static_cast<float>(i % 10 * 60 + 10), static_cast<float>(i / 10 * 40));
        for (int i = 0; i < 500; ++i)
            Add(shotDef.get(), static_cast<float>(i * 37 % 630), static_cast<float>(i * 53 % 470));
    }
    void Add(CGP_SpriteDef* def, float x, float y)
    {
        auto object = std::make_unique<CGP_GameObject>(nullptr, &field, &host);
        object->def = def;
        *object->x = x;
        *object->y = y;
        object->EnterGrid();
        (def == shotDef.get() ? shots : enemies).push_back(std::move(object));
    }

    Host host;
    CGP_PlayField field{&host, 10, 10};
    std::unique_ptr<CGP_SpriteDef> shotDef;
    std::unique_ptr<CGP_SpriteDef> enemyDef;
    std::vector<std::unique_ptr<CGP_GameObject>> enemies;
    std::vector<std::unique_ptr<CGP_GameObject>> shots;
    CGP_GameBehaviour behaviour{&host};
};

void BM_HitQueriesOfOneFrame(benchmark::State& state)
{
    Field world;
    long found = 0;
    for (auto _ : state) {
        for (auto& shot : world.shots) {
            shot->LeaveGrid();
            *shot->y = *shot->y > 4 ? *shot->y - 4 : 470;
            shot->EnterGrid();
            found += world.behaviour.FindHitObject(shot.get()) != nullptr;
        }
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_HitQueriesOfOneFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
