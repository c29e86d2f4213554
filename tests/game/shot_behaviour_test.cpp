// Shots and missiles on one object or a few: speed, bursts, bouncing and curling, the vortex bomb's pull, the
// homing missile's target, the detaching shot and the blast.
#include <cmath>

#include "BehaviourWorld.h"
#include "GP_BehShots.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t ShotKind = 0x30002;
constexpr std::uint32_t Shot = 0x20002, Burst = 0x2000B, Bouncer = 0x2000C, Falling = 0x2000D, Curl = 0x2000E,
                        Vortex = 0x2000F, Blast = 0x20014, Homing = 0x20018, Charged = 0x2001A, Detaching = 0x20031;
constexpr std::uint32_t ShotID = 0x90001, OtherID = 0x90002, FragmentID = 0x90003, EnemyID = 0x90004,
                        TargetID = 0x90005, SecondID = 0x90006;

class Shots : public World {
protected:
    Shots()
    {
        Define(EnemyID, Sprite(0x2FFFF, gp_kinds::Enemy, 20, 20));
        Define(FragmentID, Sprite(0x2FFFF, ShotKind, 4, 4));
    }
    GP_SpriteRecord& DefineShot(std::uint32_t id, std::uint32_t behaviour, std::uint32_t kind = ShotKind)
    {
        GP_SpriteRecord& record = Define(id, Sprite(behaviour, kind, 8, 8));
        record.header.speed = 0.5f;
        record.header.maxSpeed = 1.0f;
        return record;
    }
    CGP_GameObject* Launched(std::uint32_t id, float x, float y, float heading)
    {
        CGP_GameObject* object = Create(id, x, y);
        *object->heading = heading;
        Step(object, 0);  // launch
        return object;
    }
    static GP_ShotState& ShotBlock(CGP_GameObject* object) { return static_cast<GP_ShotState&>(*object->stateBlock); }
    // The live objects of a sprite ID in the list of its kind.
    int LiveOf(std::uint32_t id, std::uint16_t list)
    {
        int live = 0;
        for (std::uint16_t i = 0; i < host.lists[list]->Count(); ++i) {
            const CGP_GameObject* object = host.lists[list]->At(i);
            live += object->state != GP_StateGone && *object->spriteID == id;
        }
        return live;
    }
};

TEST_F(Shots, AShotSlowingToAStopDiesAtExactlyZeroSpeedAndNeverGoesBelow)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Shot);
    record.header.acceleration = -0.2f;
    CGP_GameObject* shot = Launched(ShotID, 100, 300, 90);
    EXPECT_EQ(StateOf(shot), GP_ShotFly);
    EXPECT_EQ(shot->state, 1);
    Step(shot, 2);  // 0.5 - 0.4
    EXPECT_NEAR(ShotBlock(shot).flySpeed, 0.1f, 1e-6f);
    EXPECT_EQ(StateOf(shot), GP_ShotFly);
    Step(shot, 2);
    EXPECT_EQ(ShotBlock(shot).flySpeed, 0.0f);
    EXPECT_EQ(StateOf(shot), GP_ShotDying);
    Step(shot, 2);
    EXPECT_EQ(shot->state, GP_StateGone);
    EXPECT_EQ(StateOf(shot), GP_ShotEnded);
}

TEST_F(Shots, AOneFrameShotNeverEndsByAnimationWhileAStripWithoutLoopDoes)
{
    GP_SpriteRecord& single = DefineShot(ShotID, Shot);
    single.states[1].animRate = 1.0f;
    CGP_GameObject* shot = Launched(ShotID, 100, 300, 90);
    Step(shot, 10, 5);
    EXPECT_NE(shot->state, GP_StateGone);
    EXPECT_EQ(shot->frameIndex, 0);

    GP_SpriteRecord& strip = DefineShot(OtherID, Shot);
    strip.states[1].animRate = 0.1f;
    strip.states[1].frameCount = 4;
    CGP_GameObject* animated = Launched(OtherID, 100, 300, 90);
    Step(animated, 10);
    EXPECT_EQ(animated->frameIndex, 1);
    Step(animated, 10, 2);
    EXPECT_EQ(animated->state, GP_StateGone);
}

TEST_F(Shots, AShotLeavingTheScreenEnds)
{
    DefineShot(ShotID, Shot);
    CGP_GameObject* shot = Launched(ShotID, 100, 2, 90);
    Step(shot, 20);  // 10 px up: its whole height above the top
    EXPECT_EQ(shot->state, GP_StateGone);
}

TEST_F(Shots, ShootingAScoredTargetAddsItsScoreValue)
{
    DefineShot(ShotID, Shot);
    GP_SpriteRecord& target = Define(TargetID, Sprite(0x2FFFF, gp_kinds::ScoredTarget, 20, 20));
    target.header.scoreValue = 250;
    host.hitGroups[ShotKind & 0xFFFF] = {gp_kinds::ScoredTarget};
    CGP_GameObject* shot = Launched(ShotID, 100, 100, 90);
    CGP_GameObject* rock = Create(TargetID, 96, 80);
    InGrid(rock);
    Step(shot, 1);
    EXPECT_EQ(host.PlayState().Score, 250);
}

TEST_F(Shots, TheLastSpecialShotLeavingPaysTheSpecialKillBonus)
{
    DefineShot(ShotID, Shot, gp_kinds::SpecialShot);
    host.PlayState().SpecialKillsA = 4;
    host.PlayState().SpecialKillsB = 4;
    CGP_GameObject* first = Launched(ShotID, 100, 2, 90);
    CGP_GameObject* second = Launched(ShotID, 200, 200, 90);
    Step(first, 20);
    EXPECT_EQ(host.PlayState().Score, 0);  // another is still flying
    *second->y = 2;
    Step(second, 20);
    EXPECT_EQ(host.PlayState().Score, 120);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].textID, gp_texts::SpecialKillBonus);
    EXPECT_EQ(host.messages[0].y, 50);
}

// Only the special weapon's shots pay the bonus, whether they leave the screen or die by a hit.
TEST_F(Shots, APlainShotThatDiesByAHitPaysNoSpecialKillBonus)
{
    DefineShot(ShotID, Shot);
    GP_SpriteRecord& target = Define(TargetID, Sprite(0x2FFFF, gp_kinds::ScoredTarget, 20, 20));
    target.header.scoreValue = 250;
    host.hitGroups[ShotKind & 0xFFFF] = {gp_kinds::ScoredTarget};
    host.PlayState().SpecialKillsA = 4;
    host.PlayState().SpecialKillsB = 4;
    CGP_GameObject* shot = Launched(ShotID, 100, 100, 90);
    InGrid(Create(TargetID, 96, 80));
    Step(shot, 1);
    ASSERT_EQ(StateOf(shot), GP_ShotDying);
    Step(shot, 1, 3);
    EXPECT_EQ(host.PlayState().Score, 250);
    EXPECT_TRUE(host.messages.empty());
}

// A charged shot grows on its parent until its last frame, then leaves it from its place less 7 pixels and flies.
TEST_F(Shots, AChargedShotGrowsOnItsParentThenLeavesItAndFlies)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Charged);
    for (GP_SpriteState& state : record.states) {
        state.frameCount = 4;
        state.animRate = 0.1f;
    }
    CGP_GameObject* parent = Create(EnemyID, 100, 200);
    CGP_GameObject* shot = Create(ShotID, 5, 6);
    shot->parent = parent;
    *shot->heading = 90;
    Step(shot, 10, 2);
    EXPECT_EQ(shot->parent, parent);
    EXPECT_EQ(StateOf(shot), GP_ShotLaunch);
    Step(shot, 10);  // the last frame
    EXPECT_EQ(shot->parent, nullptr);
    EXPECT_FLOAT_EQ(*shot->x, 98);
    EXPECT_FLOAT_EQ(*shot->y, 199);
    EXPECT_EQ(StateOf(shot), GP_ShotFly);
    Step(shot, 10);
    EXPECT_LT(*shot->y, 199) << "it flies up";
}

// A falling shot bends toward straight down by its state parameter each millisecond, from either side; straight up
// it keeps its heading.
TEST_F(Shots, AFallingShotBendsTowardStraightDown)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Falling);
    for (GP_SpriteState& state : record.states) state.stateParam = 0.01f;
    const struct {
        float heading, after;
    } cases[] = {{30, 29.9f}, {-60, -60.1f}, {150, 150.1f}, {200, 200.1f}, {90, 90}};
    for (const auto& c : cases) {
        CGP_GameObject* shot = Launched(ShotID, 300, 200, c.heading);
        Step(shot, 10);
        EXPECT_NEAR(*shot->heading, c.after, 1e-4) << c.heading;
    }
}

TEST_F(Shots, ABurstShotBurstsIntoEightFragmentsFannedBothWays)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Burst);
    GP_SpawnEntry entry;
    entry.spriteID = FragmentID;
    entry.xBase = 3;
    entry.yBase = -2;
    record.spawns2.push_back(entry);
    CGP_GameObject* shot = Launched(ShotID, 100, 52, 90);
    Step(shot, 10);  // 5 px up: above 50
    EXPECT_EQ(StateOf(shot), GP_ShotDying);
    Step(shot, 10);
    EXPECT_EQ(shot->state, GP_StateGone);
    std::vector<float> headings;
    for (std::uint16_t i = 0; i < host.lists[2]->Count(); ++i) {
        CGP_GameObject* fragment = host.lists[2]->At(i);
        if (*fragment->spriteID != FragmentID) continue;
        headings.push_back(*fragment->heading);
        EXPECT_EQ(fragment->visible, 0);
        EXPECT_FLOAT_EQ(*fragment->x, *shot->x + 3);
    }
    EXPECT_EQ(headings, (std::vector<float>{180, 200, 220, 240, 0, -20, -40, -60}));
}

TEST_F(Shots, ABouncerWithARateTooSmallToDrawFromLaunchesWithTheBaseRate)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Bouncer);
    record.states[1].animRate = 0.0001f;  // round(0.2) = 0
    CGP_GameObject* bouncer = Launched(ShotID, 100, 300, 90);
    EXPECT_FLOAT_EQ(ShotBlock(bouncer).animRate, 0.01f);
}

TEST_F(Shots, ABouncerTurnsAwayFromWhatItHitsAndTheFirstSplitBouncerSplits)
{
    GP_SpriteRecord& record = DefineShot(gp_sprites::SplitBouncer, Bouncer);
    record.states[1].animRate = 0.01f;
    GP_SpawnEntry piece;
    piece.spriteID = FragmentID;
    piece.countBase = 1;
    record.spawns1 = {GP_SpawnEntry{}, piece, piece};
    host.hitGroups[ShotKind & 0xFFFF] = {gp_kinds::Enemy};
    CGP_GameObject* enemy = Create(EnemyID, 96, 280);
    enemy->health = 1000;
    InGrid(enemy);
    CGP_GameObject* first = Launched(gp_sprites::SplitBouncer, 100, 300, 90);
    first->health = 1000;
    const float heading = *first->heading;
    Step(first, 1);
    EXPECT_EQ(host.PlayState().BouncerSplit, 1);
    EXPECT_EQ(*first->heading, heading);
    EXPECT_EQ(LiveOf(FragmentID, 2), 2);
    Step(first, 1);
    EXPECT_GE(*first->heading, 0);
    EXPECT_LE(*first->heading, 180);
}

TEST_F(Shots, ACurlShotStartingAtTheMiddleCurlsAsARightHalfShot)
{
    struct Case {
        float x;
        float turn;
    };
    for (const Case c : {Case{320, 1}, Case{319.5f, -1}, Case{500, 1}}) {
        SCOPED_TRACE(c.x);
        GP_SpriteRecord& record = DefineShot(ShotID, Curl);
        record.states[1].stateParam = 0.5f;
        record.header.interval = 10000;
        CGP_GameObject* shot = Launched(ShotID, c.x, 300, 90);
        Step(shot, 2);
        EXPECT_FLOAT_EQ(*shot->heading, 90 + c.turn);
        shot->state = GP_StateGone;
    }
}

TEST_F(Shots, ACurlShotWithoutIntervalEndsAtFullSpeedInsteadOfDividingByZero)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Curl);
    record.header.speed = 1.0f;
    CGP_GameObject* shot = Launched(ShotID, 100, 300, 90);
    Step(shot, 1);
    EXPECT_EQ(StateOf(shot), GP_ShotDying);
}

TEST_F(Shots, AVortexBombWithAnEmptySecondListBurstsWithoutFragments)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Vortex);
    record.header.speed = 0;
    CGP_GameObject* bomb = Launched(ShotID, 100, 300, 90);
    Step(bomb, 1);  // speed 0: bursts next
    Step(bomb, 1);
    EXPECT_EQ(StateOf(bomb), GP_ShotActive);
    EXPECT_EQ(bomb->state, 3);
    EXPECT_EQ(bomb->visible, 0);
    EXPECT_EQ(ShotBlock(bomb).timer, 0);
}

TEST_F(Shots, TwoVortexBombsFusingAtOnceEachPullTheirOwnVictimsToDeath)
{
    for (std::uint32_t id : {ShotID, SecondID}) {
        GP_SpriteRecord& record = DefineShot(id, Vortex);
        record.header.speed = 0;
        record.header.interval = 100;
    }
    CGP_GameObject* near1 = Create(EnemyID, 100, 94);  // centres level with the bombs'
    CGP_GameObject* near2 = Create(EnemyID, 400, 294);
    for (CGP_GameObject* enemy : {near1, near2}) {
        host.table.Default()->Attach(enemy);
        InGrid(enemy);
    }
    CGP_GameObject* bomb1 = Launched(ShotID, 130, 100, 90);
    CGP_GameObject* bomb2 = Launched(SecondID, 430, 300, 90);
    for (int frame = 0; frame < 5; ++frame) {  // stop, burst, fuse for 100 ms, gather
        Step(bomb1, 60);
        Step(bomb2, 60);
    }
    ASSERT_EQ(StateOf(bomb1), GP_ShotPull);
    ASSERT_EQ(StateOf(bomb2), GP_ShotPull);
    EXPECT_EQ(ShotBlock(bomb1).victims, std::vector<CGP_GameObject*>{near1});
    EXPECT_EQ(ShotBlock(bomb2).victims, std::vector<CGP_GameObject*>{near2});
    const float before = *near1->x;
    Step(bomb1, 10);
    EXPECT_NEAR(*near1->x - before, 6, 0.01);  // toward the bomb at 0.6 px per ms
    Step(bomb1, 20);                           // within 13 px now
    Step(bomb1, 1);
    Step(bomb2, 100);
    EXPECT_EQ(StateOf(near1), GP_BehaviourDying);
    EXPECT_TRUE(ShotBlock(bomb1).victims.empty());
    Step(bomb1, 100);
    EXPECT_EQ(bomb1->state, GP_StateGone);
    EXPECT_EQ(ShotBlock(bomb2).victims.size(), 1u);  // the other bomb's list is untouched
}

TEST_F(Shots, AHomingMissileDiesWhenItsTargetIsGoneOrWasNeverGiven)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Homing);
    record.header.speed = 0.1f;
    record.states[1].frameCount = 64;
    record.states[1].stateParam = 0;  // no frame factor: frame 0
    CGP_GameObject* target = Create(EnemyID, 300, 100);
    CGP_GameObject* missile = Create(ShotID, 100, 300);
    EXPECT_TRUE(CGP_HomingMissileBehaviour::SetTarget(missile, target));
    Step(missile, 10, 2);
    EXPECT_EQ(StateOf(missile), GP_ShotActive);
    EXPECT_EQ(missile->frameIndex, 0);
    target->state = GP_StateGone;
    Step(missile, 10);
    EXPECT_EQ(StateOf(missile), GP_ShotDying);
    EXPECT_NE(missile->state, GP_StateGone);
    Step(missile, 10);
    EXPECT_EQ(missile->state, GP_StateGone);

    CGP_GameObject* blind = Create(ShotID, 100, 300);
    Step(blind, 10, 3);
    EXPECT_EQ(blind->state, GP_StateGone);
}

TEST_F(Shots, AHomingMissileTurnsTowardItsTargetAndKeepsItsFrameInItsStrip)
{
    GP_SpriteRecord& record = DefineShot(ShotID, Homing);
    record.header.speed = 0.1f;
    record.states[1].frameCount = 8;  // fewer frames than the five low bits reach
    record.states[1].stateParam = 0.1f;
    record.states[1].animRate = 1.0f;
    CGP_GameObject* target = Create(EnemyID, 300, 296);
    CGP_GameObject* missile = Create(ShotID, 100, 300);
    CGP_HomingMissileBehaviour::SetTarget(missile, target);
    *missile->heading = 170;
    Step(missile, 10, 3);
    EXPECT_LT(*missile->heading, 170);
    EXPECT_LT(missile->frameIndex, 8);
    EXPECT_FALSE(CGP_HomingMissileBehaviour::SetTarget(target, missile));
}

TEST_F(Shots, ADetachingShotLeavesItsParentAfterItsDelayAndFliesAtThePlayer)
{
    Define(gp_sprites::Player, Sprite(0x2FFFF, 0x30004, 32, 32));
    DefineShot(ShotID, Detaching).header.speed = 0.2f;
    CGP_GameObject* player = Create(gp_sprites::Player, 300, 400);
    host.scene->player = player;
    CGP_GameObject* carrier = Create(EnemyID, 300, 100);
    CGP_GameObject* shot = Create(ShotID, 5, 5);
    shot->parent = carrier;
    *shot->startDelay = 15;
    Step(shot, 10, 2);
    EXPECT_EQ(shot->parent, carrier);
    Step(shot, 10);
    EXPECT_EQ(shot->parent, nullptr);
    EXPECT_EQ(StateOf(shot), GP_ShotActive);
    EXPECT_FLOAT_EQ(*shot->x, 306);
    EXPECT_GT(*shot->vy, 0);  // down toward the player
    EXPECT_NEAR(std::hypot(*shot->vx, *shot->vy), 0.2f, 1e-5f);

    host.scene->player = nullptr;
    CGP_GameObject* blind = Create(ShotID, 5, 5);
    *blind->startDelay = 0;
    Step(blind, 10, 2);
    EXPECT_EQ(*blind->vx, 0);
    EXPECT_FLOAT_EQ(*blind->vy, 0.2f);
}

TEST_F(Shots, ABlastHitsWhatItCoversOnceAFrameOneSidedAndEndsAfterItsLastFrame)
{
    GP_SpriteRecord& record = Define(ShotID, Sprite(Blast, ShotKind, 40, 40));
    record.states[1].frameCount = 2;
    record.states[1].animRate = 0.1f;
    record.header.damage = 1;
    host.hitGroups[ShotKind & 0xFFFF] = {gp_kinds::Enemy};
    CGP_GameObject* enemy = Create(EnemyID, 110, 110);
    host.table.Default()->Attach(enemy);
    InGrid(enemy);
    CGP_GameObject* blast = Create(ShotID, 100, 100);
    const float blastHealth = blast->health;
    Step(blast, 0);
    Step(blast, 5);
    Step(blast, 5);
    EXPECT_EQ(enemy->health, 8);
    EXPECT_EQ(blast->health, blastHealth);
    Step(blast, 15);
    EXPECT_EQ(blast->state, GP_StateGone);
    EXPECT_EQ(enemy->health, 8);
}

}  // namespace
}  // namespace behaviourtest
