// The behaviour base: the collision query over the grid, the approach of a target point, death at zero
// health, state blocks on reused objects, state sounds and the boss-fight reset.
#include <vector>

#include "BehaviourWorld.h"
#include "GP_BehShots.h"
#include "GP_GameBehaviour.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t ShotID = 0x90001;
constexpr std::uint32_t EnemyID = 0x90002;
constexpr std::uint32_t MissileID = 0x90003;
constexpr std::uint32_t NoBehaviour = 0x2FFFF;
constexpr std::uint32_t ShotKind = 0x30002;
constexpr std::uint32_t EnemyKind = 0x30000;

class BehaviourBase : public World {
protected:
    BehaviourBase()
    {
        Define(ShotID, Sprite(NoBehaviour, ShotKind, 8, 8));
        Define(EnemyID, Sprite(NoBehaviour, EnemyKind, 32, 32));
        host.hitGroups[ShotKind & 0xFFFF] = {EnemyKind};
    }
    CGP_GameBehaviour base{&host};
};

struct HitCase {
    const char* name;
    float shotX, shotY, enemyX, enemyY;
    bool ownKindHits;
    bool found;
};

TEST_F(BehaviourBase, FindsOnlyOverlappingObjectsOfAKindItsHitGroupHolds)
{
    const HitCase cases[] = {
        {"overlap", 100, 100, 104, 104, false, true},
        {"edge contact only", 100, 100, 108, 100, false, false},
        {"apart", 100, 100, 300, 300, false, false},
        {"straddling the right edge", 636, 100, 620, 96, false, true},
        {"negative coordinates", -4, -4, -20, -20, false, true},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        CGP_GameObject* shot = Create(ShotID, c.shotX, c.shotY);
        CGP_GameObject* enemy = Create(EnemyID, c.enemyX, c.enemyY);
        InGrid(shot);
        InGrid(enemy);
        EXPECT_EQ(base.FindHitObject(shot), c.found ? enemy : nullptr);
        shot->LeaveGrid();
        enemy->LeaveGrid();
        shot->state = enemy->state = GP_StateGone;
    }
}

TEST_F(BehaviourBase, AnObjectFindsItselfOnlyWhenItsKindHitsItsOwnKind)
{
    CGP_GameObject* enemy = Create(EnemyID, 100, 100);
    InGrid(enemy);
    EXPECT_EQ(base.FindHitObject(enemy), nullptr);  // its kind's group does not hold the shot's kind, nor its own
    host.hitGroups[EnemyKind & 0xFFFF] = {EnemyKind};
    EXPECT_EQ(base.FindHitObject(enemy), enemy);
}

TEST_F(BehaviourBase, FindsNothingWithoutAPlayField)
{
    CGP_GameObject* shot = Create(ShotID, 100, 100);
    InGrid(shot);
    shot->playField = nullptr;
    EXPECT_EQ(base.FindHitObject(shot), nullptr);
}

struct ApproachCase {
    float d, v, a, maxSpeed;
    float wantV;
    bool braking;
    bool result;
};

TEST_F(BehaviourBase, ApproachAcceleratesBrakesAndClampsTowardTheTarget)
{
    // a = acceleration·dt with dt 1; braking distance v²/(2a).
    const ApproachCase cases[] = {
        {0.5f, 0.3f, 0.1f, 1.0f, 0.3f, false, false},    // within a pixel: vx untouched
        {100, 0, 0.1f, 1.0f, 0.1f, true, true},          // at rest: starts, counted as braking
        {100, -0.2f, 0.1f, 1.0f, -0.1f, true, true},     // moving away
        {100, 0.5f, 0.1f, 1.0f, 0.6f, false, true},      // far: speeds up
        {100, 1.0f, 0.1f, 1.0f, 1.0f, false, true},      // at top speed
        {2, 1.0f, 0.1f, 1.0f, 0.9f, true, true},         // within braking distance 5
        {-100, -0.5f, 0.1f, 1.0f, -0.6f, false, true},   // far on the left
        {-2, -1.0f, 0.1f, 1.0f, -0.9f, true, true},      // braking on the left
        {-100, 0, 0.1f, 1.0f, -0.1f, true, true},        // at rest, target on the left
        {100, 0.95f, 0.1f, 1.0f, 1.0f, false, true},     // clamped to the top speed
        {-100, -0.95f, 0.1f, 1.0f, -1.0f, false, true},  // clamped on the left
    };
    CGP_GameObject* enemy = Create(EnemyID, 200, 0);
    base.Attach(enemy);
    GP_SpriteHeader& header = enemy->def->record.header;
    for (const ApproachCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "d " << c.d << " v " << c.v);
        header.acceleration = c.a;
        header.maxSpeed = c.maxSpeed;
        enemy->stateBlock->targetX = static_cast<std::int32_t>(200 + c.d);
        *enemy->x = 200 + (c.d - static_cast<float>(static_cast<std::int32_t>(c.d)));
        *enemy->vx = c.v;
        EXPECT_EQ(base.ApproachX(enemy, 1.0f), c.result);
        EXPECT_NEAR(*enemy->vx, c.wantV, 1e-5f);
        EXPECT_EQ(enemy->stateBlock->brakingX, c.braking);
    }
}

TEST_F(BehaviourBase, AHitThatLeavesExactlyNoHealthKillsTheObject)
{
    CGP_GameObject* enemy = Create(EnemyID);
    CGP_GameObject* shot = Create(ShotID);
    base.Attach(enemy);
    enemy->health = 20;
    EXPECT_TRUE(enemy->Hit(shot));
    EXPECT_EQ(StateOf(enemy), 0);
    EXPECT_FALSE(enemy->Hit(shot));
    EXPECT_EQ(enemy->health, 0);
    EXPECT_EQ(StateOf(enemy), GP_BehaviourDying);
}

TEST_F(BehaviourBase, ABehaviourNeedingALargerBlockReplacesTheBlockOfARecycledObject)
{
    CGP_GameObject* object = Create(EnemyID);
    base.Attach(object);
    object->stateBlock->aux = 7;
    object->stateBlock->state = 3;
    base.Attach(object);  // the plain block is kept with its fields
    EXPECT_EQ(object->stateBlock->aux, 7);
    EXPECT_EQ(object->stateBlock->state, 0);

    CGP_Behaviour* missile = host.GetBehaviour(0x18);
    missile->Attach(object);
    auto* homing = dynamic_cast<GP_HomingState*>(object->stateBlock.get());
    ASSERT_NE(homing, nullptr);
    EXPECT_EQ(homing->aux, 0);
    EXPECT_EQ(homing->target, nullptr);
    const GP_BehaviourState* kept = object->stateBlock.get();
    missile->Attach(object);
    EXPECT_EQ(object->stateBlock.get(), kept);
}

TEST_F(BehaviourBase, AStateSoundPlaysWithItsLoopAndFollowFlagsAndNoSoundPlaysNothing)
{
    GP_SpriteRecord record = Sprite(NoBehaviour, EnemyKind);
    record.states[1].soundID = 0x120003;
    record.states[1].soundLoops = 1;
    record.states[1].soundFollows = 1;
    Define(MissileID, record);
    CGP_GameObject* object = Create(MissileID);
    base.PlayStateSound(object, 0);
    base.PlayStateSound(object, 1);
    base.PlayStateSound(object, 7);
    ASSERT_EQ(host.sounds.size(), 1u);
    EXPECT_EQ(host.sounds[0].id, 0x120003u);
    EXPECT_TRUE(host.sounds[0].looping);
    EXPECT_TRUE(host.sounds[0].follow);
}

TEST_F(BehaviourBase, ABossFightStartsWithWeaponsAndSlowMotionOffAndTheBossEnergyGiven)
{
    GP_PlayState& play = host.PlayState();
    play.WeaponCounts[3] = 4;
    play.ReserveShown = 1;
    play.SlowMotion = 1;
    play.SlowMotionTime = 500;
    base.ResetForStage(30);
    EXPECT_EQ(play.WeaponCounts[3], 0);
    EXPECT_EQ(play.ReserveShown, 0);
    EXPECT_EQ(play.SlowMotion, 0);
    EXPECT_EQ(play.SlowMotionTime, -1.0f);
    EXPECT_EQ(play.BossEnergy, 30);
    EXPECT_EQ(host.weaponDisplayResets, 1);
}

TEST_F(BehaviourBase, TheTableHoldsAnInstancePerBuiltClassAndRebuildsThemAll)
{
    CGP_Behaviour* shot = host.table.Get(0x02);
    EXPECT_NE(dynamic_cast<CGP_ShotBehaviour*>(shot), nullptr);
    EXPECT_NE(dynamic_cast<CGP_VortexBombBehaviour*>(host.table.Get(0x0F)), nullptr);
    EXPECT_EQ(host.table.Get(CGP_BehaviourTable::Count), nullptr);
    ASSERT_NE(host.table.Default(), nullptr);

    // Rebuilt for another host: every instance is a new one that serves that host, and the classes stay where
    // they were.
    Host other;
    std::vector<bool> built;
    for (std::uint16_t i = 0; i < CGP_BehaviourTable::Count; ++i) built.push_back(host.table.Get(i) != nullptr);
    host.table.Create(&other);
    EXPECT_NE(dynamic_cast<CGP_ShotBehaviour*>(host.table.Get(0x02)), nullptr);
    for (std::uint16_t i = 0; i < CGP_BehaviourTable::Count; ++i) {
        CGP_Behaviour* behaviour = host.table.Get(i);
        EXPECT_EQ(behaviour != nullptr, built[i]) << i;
        if (auto* game = dynamic_cast<CGP_GameBehaviour*>(behaviour)) EXPECT_EQ(game->owner, &other) << i;
    }
    EXPECT_NE(host.table.Default(), nullptr);
    host.table.Create(&host);
}

}  // namespace
}  // namespace behaviourtest
