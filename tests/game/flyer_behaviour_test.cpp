// Flying enemies, spawners, blocks and effects on one object or two: figures by side, droppers' sides and
// deaths, block damage and pushes, effects that end or loop, the listener and the starfield.
#include <cmath>

#include "BehaviourWorld.h"
#include "GP_BehFlyers.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t SideCruiser = 0x20003, Effect = 0x20004, Block = 0x20008, Starfield = 0x2001B,
                        Listener = 0x2001C, Spawner = 0x20023, Looper = 0x20028, Dropper = 0x2002B, Circler = 0x2002E;
constexpr std::uint32_t EnemyKind = 0x30001, PlayerKind = 0x30004, ShotKind = 0x30002, EffectKind = 0x30006;
constexpr std::uint32_t FlyerID = 0x90020, SecondID = 0x90021, StarID = 0x90022, ShotID = 0x90023, PuffID = 0x90024;

class Flyers : public World {
protected:
    Flyers()
    {
        Define(gp_sprites::Player, Sprite(0x2FFFF, PlayerKind, 32, 32));
        player = Create(gp_sprites::Player, 304, 400);
        host.table.Default()->Attach(player);
        host.scene->player = player;
        Define(ShotID, Sprite(0x2FFFF, ShotKind, 4, 4));
        Define(gp_sprites::SplittingShot, Sprite(0x2FFFF, ShotKind, 4, 4)).header.damage = 10;
    }
    GP_SpriteRecord& DefineFlyer(std::uint32_t id, std::uint32_t behaviour, std::uint32_t kind = EnemyKind)
    {
        GP_SpriteRecord& record = Define(id, Sprite(behaviour, kind, 16, 16));
        record.header.speed = 0.1f;
        for (GP_SpriteState& state : record.states) state.frameCount = 32;
        return record;
    }
    CGP_GameObject* player;
    GP_PlayState& play = host.PlayState();
};

TEST_F(Flyers, ALooperStartingAtTheMiddleFliesTheRightHandFigureAndThenAttacks)
{
    DefineFlyer(FlyerID, Looper);
    CGP_GameObject* looper = Create(FlyerID, 320, 100);
    Step(looper, 0);
    EXPECT_EQ(looper->stateBlock->targetX, 360);
    EXPECT_EQ(*looper->heading, -180);
    Step(looper, 10);
    EXPECT_GT(*looper->heading, -180);
    EXPECT_GT(*looper->y, 100);  // down the first half loop
    int frames = 0;
    while (StateOf(looper) != GP_FlyerAttack && frames++ < 2000) Step(looper, 10);
    ASSERT_EQ(StateOf(looper), GP_FlyerAttack);
    EXPECT_GT(*looper->vy, 0);  // at the player below
    EXPECT_NEAR(std::hypot(*looper->vx, *looper->vy), CGP_LooperBehaviour::AttackSpeed, 1e-5);
    EXPECT_GE(looper->frameIndex, 0);
    EXPECT_LT(looper->frameIndex, 32);

    CGP_GameObject* left = Create(FlyerID, 319, 100);
    Step(left, 0);
    EXPECT_EQ(left->stateBlock->targetX, 279);
    EXPECT_EQ(*left->heading, 360);
}

TEST_F(Flyers, ACirclerTakesItsSideFromTheToggleAndFliesDownWithoutAPlayer)
{
    DefineFlyer(FlyerID, Circler);
    for (std::uint8_t toggle : {0, 1}) {
        SCOPED_TRACE(static_cast<int>(toggle));
        play.SideToggle = toggle;
        CGP_GameObject* circler = Create(FlyerID, 300, 100);
        Step(circler, 0);
        Step(circler, 1);
        EXPECT_EQ(circler->stateBlock->targetX, toggle ? 400 : 200);
        EXPECT_EQ(*circler->heading, toggle ? 180 : 0);
        circler->state = GP_StateGone;
    }
    host.scene->player = nullptr;
    CGP_GameObject* blind = Create(FlyerID, 300, 100);
    Step(blind, 0);
    for (int frame = 0; frame < 400 && StateOf(blind) != GP_FlyerAttack; ++frame) Step(blind, 10);
    ASSERT_EQ(StateOf(blind), GP_FlyerAttack);
    EXPECT_NEAR(*blind->vx, 0, 1e-6);
    EXPECT_FLOAT_EQ(*blind->vy, 0.1f);
}

TEST_F(Flyers, TwoDroppersInARowLeaveTowardOppositeSidesAndADropperOutOfHealthDies)
{
    GP_SpriteRecord& record = DefineFlyer(FlyerID, Dropper);
    record.header.scoreValue = 500;
    CGP_GameObject* first = Create(FlyerID, 300, 100);
    CGP_GameObject* second = Create(FlyerID, 300, 100);
    for (CGP_GameObject* dropper : {first, second}) {
        Step(dropper, 0);
        dropper->stateBlock->state = GP_FlyerAttack;  // the hatch lets it go
    }
    for (int frame = 0; frame < 40; ++frame) {
        Step(first, 100);
        Step(second, 100);
    }
    EXPECT_EQ(StateOf(first), GP_FlyerBack);
    EXPECT_LT(*first->x, 300);
    EXPECT_GT(*second->x, 300);

    CGP_GameObject* shot = Create(ShotID);
    first->health = 5;
    first->Hit(shot);
    Step(first, 10);
    EXPECT_EQ(first->state, GP_StateGone);
    EXPECT_EQ(play.Score, 0);
}

TEST_F(Flyers, ABlockShowsItsDamageAndOnlyTheSplittingShotPushesIt)
{
    GP_SpriteRecord& record = DefineFlyer(FlyerID, Block);
    record.states[1].frameCount = 4;
    record.header.initialHealth = 40;
    record.header.acceleration = 0.01f;
    record.header.maxSpeed = 1;
    CGP_GameObject* block = Create(FlyerID, 300, 200);
    Step(block, 0);
    ASSERT_EQ(StateOf(block), GP_FlyerSecond);
    block->Hit(Create(ShotID));  // 30 of 40 left
    EXPECT_EQ(block->frameIndex, 1);
    EXPECT_EQ(StateOf(block), GP_FlyerSecond);
    EXPECT_EQ(*block->y, 200);
    block->Hit(Create(gp_sprites::SplittingShot));  // 20 left
    EXPECT_EQ(block->frameIndex, 2);
    EXPECT_EQ(StateOf(block), GP_FlyerAttack);
    EXPECT_EQ(block->stateBlock->targetY, 170);
    for (int frame = 0; frame < 200 && StateOf(block) == GP_FlyerAttack; ++frame) Step(block, 10);
    EXPECT_EQ(StateOf(block), GP_FlyerSecond);
    EXPECT_NEAR(*block->y, 170, 1);
}

TEST_F(Flyers, ABlockWithoutInitialHealthShowsFrameZero)
{
    GP_SpriteRecord& record = DefineFlyer(FlyerID, Block);
    record.header.initialHealth = 0;
    CGP_GameObject* block = Create(FlyerID, 300, 200);
    block->health = 100;
    Step(block, 0);
    block->Hit(Create(ShotID));
    EXPECT_EQ(block->frameIndex, 0);
    EXPECT_NE(StateOf(block), GP_BehaviourDying);
}

TEST_F(Flyers, ALoopingEffectNeverEndsByAnimationAndAPlainOneEndsOnceBlinkingIsOver)
{
    for (std::uint8_t loop : {1, 0}) {
        SCOPED_TRACE(static_cast<int>(loop));
        GP_SpriteRecord& record = DefineFlyer(FlyerID, Effect, EffectKind);
        record.states[1].frameCount = 3;
        record.states[1].animRate = 0.1f;
        record.states[1].loop = loop;
        CGP_GameObject* effect = Create(FlyerID, 300, 200);
        *effect->startDelay = 15;
        Step(effect, 10);
        EXPECT_EQ(StateOf(effect), GP_FlyerStart);
        Step(effect, 10);
        ASSERT_EQ(StateOf(effect), GP_FlyerSecond);
        effect->StartEffect(100, 20);
        Step(effect, 10, 8);
        EXPECT_NE(effect->state, GP_StateGone);  // still blinking
        Step(effect, 10, 30);
        EXPECT_EQ(effect->state == GP_StateGone, loop == 0);
        EXPECT_EQ(effect->visible, 1);
    }
}

TEST_F(Flyers, AListenerEffectHoldsTheListenerAndGivesItBackToThePlayer)
{
    DefineFlyer(FlyerID, Listener, EffectKind);
    CGP_GameObject* effect = Create(FlyerID, 300, 200);
    Step(effect, 10);
    EXPECT_EQ(host.listener, effect);
    effect->stateBlock->state = GP_FlyerDying;
    Step(effect, 10);
    EXPECT_EQ(host.listener, player);
    EXPECT_EQ(effect->state, GP_StateGone);
}

TEST_F(Flyers, TheStarfieldCountsItsStarsFromIntervalAndSpeedAndNeverEndlessly)
{
    struct Case {
        std::uint16_t interval;
        float speed;
        int stars;
    };
    const Case cases[] = {{100, 0.1f, 48},
                          {30, 0.5f, 32},
                          {100, 0.0f, 0},
                          {0, 0.2f, 0},
                          {1, 0.0001f, CGP_StarfieldBehaviour::MaxStarsPerEntry},
                          {100, -0.2f, 0}};
    for (const Case& c : cases) {
        GP_SpawnEntry entry;
        entry.intervalBase = c.interval;
        entry.speedBase = c.speed;
        EXPECT_EQ(CGP_StarfieldBehaviour::StarCount(entry), c.stars) << c.interval << " " << c.speed;
    }
    GP_SpriteRecord& record = DefineFlyer(FlyerID, Starfield, EffectKind);
    Define(StarID, Sprite(0x2FFFF, 0x30007, 2, 2));
    GP_SpawnEntry entry;
    entry.spriteID = StarID;
    entry.intervalBase = 100;
    entry.speedBase = 0.1f;
    entry.speedSpread = 0;  // nothing to draw from
    record.spawns1.push_back(entry);
    CGP_GameObject* field = Create(FlyerID, 0, 0);
    Step(field, 10);
    EXPECT_EQ(host.lists[7]->CountLive(), 48u);
    CGP_GameObject* star = host.lists[7]->At(0);
    EXPECT_FLOAT_EQ(*star->vy, 0.1f);
    EXPECT_GE(*star->x, 5);
    EXPECT_LT(*star->x, 635);
}

TEST_F(Flyers, ASpawnerOpensAndSpawnsEachIntervalOnceStarted)
{
    GP_SpriteRecord& record = DefineFlyer(FlyerID, Spawner);
    record.header.interval = 100;
    record.states[1].frameCount = 2;
    record.states[1].animRate = 0.1f;
    GP_SpawnEntry entry;
    entry.spriteID = PuffID;
    entry.countBase = 1;
    record.spawns1.push_back(entry);
    Define(PuffID, Sprite(0x2FFFF, 0x30008, 4, 4));
    CGP_GameObject* spawner = Create(FlyerID, 300, 100);
    Step(spawner, 0);
    Step(spawner, 500);
    EXPECT_EQ(StateOf(spawner), GP_FlyerFirst);  // waits for its controller
    spawner->stateBlock->state = GP_FlyerSecond;
    Step(spawner, 101);
    EXPECT_EQ(StateOf(spawner), GP_FlyerAttack);
    Step(spawner, 11);
    EXPECT_EQ(StateOf(spawner), GP_FlyerSecond);
    EXPECT_EQ(host.lists[8]->CountLive(), 1u);
}

TEST_F(Flyers, ASideCruiserWaitsItsDelayThenCruises)
{
    DefineFlyer(FlyerID, SideCruiser);
    CGP_GameObject* cruiser = Create(FlyerID, 300, 100);
    *cruiser->startDelay = 50;
    *cruiser->vx = 0.1f;
    cruiser->stateBlock->state = GP_FlyerFirst;
    Step(cruiser, 30, 2);
    EXPECT_EQ(StateOf(cruiser), GP_FlyerFirst);
    Step(cruiser, 30);
    EXPECT_EQ(StateOf(cruiser), GP_FlyerSecond);
    EXPECT_EQ(cruiser->state, 3);
    Step(cruiser, 100);
    EXPECT_FLOAT_EQ(*cruiser->x, 310);
}

}  // namespace
}  // namespace behaviourtest
