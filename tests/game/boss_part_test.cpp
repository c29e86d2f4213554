// Boss parts on their own: the closed pop-up cannon, the swing arm's pauses, the sweeper's headings, the
// launcher hatch's launch, the aiming gun without a state parameter, the core without its slot, and the cycle of
// each other part: gunner, maw, hatches, trembling, fly-off, aiming cannon and pulsing side.
#include "BehaviourWorld.h"
#include "GP_BehBossParts.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t Sweeper = 0x20024, PopUp = 0x20026, SwingArm = 0x20027, Launcher = 0x2002A, AimingGun = 0x2001F,
                        Core = 0x20030, Dropper = 0x2002B, Gunner = 0x20006, Maw = 0x20007, HatchGun = 0x2001E,
                        Trembling = 0x20020, FlyOff = 0x20021, AimingCannon = 0x20025, PulsingSide = 0x2002C,
                        FiringHatch = 0x2002D;
constexpr std::uint32_t PartKind = 0x30005, PlayerKind = 0x30004, ShotKind = 0x30002, DropperKind = 0x30003;
constexpr std::uint32_t PartID = 0x90025, ShotID = 0x90026, DropperID = 0x90027;

class BossParts : public World {
protected:
    BossParts()
    {
        Define(ShotID, Sprite(0x2FFFF, ShotKind, 4, 4)).header.damage = 5;
        Define(gp_sprites::Player, Sprite(0x2FFFF, PlayerKind, 32, 32));
        host.scene->player = Create(gp_sprites::Player, 300, 400);
    }
    GP_SpriteRecord& DefinePart(std::uint32_t behaviour, int frames = 4)
    {
        GP_SpriteRecord& record = Define(PartID, Sprite(behaviour, PartKind, 20, 20));
        record.header.inGrid = 0;
        record.header.initialHealth = 50;
        for (GP_SpriteState& state : record.states) {
            state.frameCount = frames;
            state.animRate = 0.01f;
        }
        return record;
    }
    // A part whose first spawn list fires one shot each time it emits.
    GP_SpriteRecord& DefineFiringPart(std::uint32_t behaviour, int frames = 4)
    {
        GP_SpriteRecord& record = DefinePart(behaviour, frames);
        GP_SpawnEntry entry;
        entry.spriteID = ShotID;
        entry.countBase = 1;
        record.spawns1.push_back(entry);
        return record;
    }
    std::uint32_t Shots() const { return host.lists[ShotKind & 0xFFFF]->CountLive(); }
    // Steps the part until its behaviour state is the one wanted, at most 100 steps; false when it never came.
    static bool StepUntil(CGP_GameObject* part, std::int32_t wanted, float timeStep)
    {
        for (int i = 0; i < 100 && StateOf(part) != wanted; ++i) Step(part, timeStep);
        return StateOf(part) == wanted;
    }
    // Destroyed (state 4), the part drifts in state 7: the coordinate after driftMs, still there; gone restMs later.
    static void ExpectTheWreckDriftsThenGoes(CGP_GameObject* part, const float* coordinate, float driftMs,
                                             float drifted, float restMs)
    {
        part->stateBlock->state = 4;
        Step(part, 0);
        EXPECT_EQ(StateOf(part), 7);
        Step(part, driftMs);
        EXPECT_FLOAT_EQ(*coordinate, drifted);
        EXPECT_NE(part->state, GP_StateGone);
        Step(part, restMs);
        EXPECT_EQ(part->state, GP_StateGone);
    }
    GP_PlayState& play = host.PlayState();
};

TEST_F(BossParts, APopUpCannonHitWhileClosedKeepsItsHealthButCostsEnergy)
{
    DefinePart(PopUp);
    CGP_GameObject* cannon = Create(PartID, 100, 100);
    Step(cannon, 0);
    play.BossEnergy = 10;
    cannon->Hit(Create(ShotID));
    EXPECT_EQ(cannon->health, 50);
    EXPECT_EQ(play.BossEnergy, 9);
    cannon->stateBlock->state = 3;  // commanded open
    cannon->Hit(Create(ShotID));
    EXPECT_EQ(cannon->health, 45);
    EXPECT_EQ(play.BossEnergy, 8);
}

TEST_F(BossParts, TheSwingArmPausesItsIntervalAtEachEndAndAlternates)
{
    GP_SpriteRecord& record = DefinePart(SwingArm, 32);
    record.header.speed = 0.1f / 0.65857214f;  // 0.1 degree per ms
    record.header.interval = 500;
    CGP_GameObject* arm = Create(PartID);
    arm->stateBlock->state = 1;
    Step(arm, 0);
    EXPECT_EQ(StateOf(arm), 3);
    EXPECT_EQ(*arm->x, 132);
    Step(arm, 100, 18);  // 180 degrees down to 0
    EXPECT_EQ(StateOf(arm), 3);
    Step(arm, 100);
    ASSERT_EQ(StateOf(arm), 6);
    EXPECT_EQ(*arm->x, -42);
    Step(arm, 250, 2);
    EXPECT_EQ(StateOf(arm), 6);  // exactly the interval: still pausing
    Step(arm, 1);
    EXPECT_EQ(StateOf(arm), 2);  // back up
    Step(arm, 100, 19);
    ASSERT_EQ(StateOf(arm), 6);
    EXPECT_EQ(*arm->heading, 180);
    Step(arm, 501);
    EXPECT_EQ(StateOf(arm), 3);
}

TEST_F(BossParts, ASweeperRightOfTheMiddleStepsItsHeadingsAndWrapsAtItsLimit)
{
    GP_SpriteRecord& record = DefinePart(Sweeper);
    record.header.interval = 100;
    CGP_GameObject* sweeper = Create(PartID, 400, 100);
    Step(sweeper, 0);
    std::vector<float> headings;
    for (int i = 0; i < 11; ++i) {
        Step(sweeper, 1);  // the first at once, then each time the timer runs out
        headings.push_back(*sweeper->heading);
        Step(sweeper, 100);
    }
    EXPECT_EQ(headings, (std::vector<float>{-15, -30, -45, 35, 20, 5, -10, -25, -40, -55, 25}));
}

TEST_F(BossParts, TheLauncherHatchLowersItsObjectOutThenLetsItGoInItsFlyingState)
{
    GP_SpriteRecord& record = DefinePart(Launcher);
    GP_SpawnEntry entry;
    entry.spriteID = DropperID;
    entry.yBase = -40;
    record.spawns1.push_back(entry);
    Define(DropperID, Sprite(Dropper, DropperKind, 16, 16)).header.inGrid = 0;
    CGP_GameObject* hatch = Create(PartID, 200, 60);
    Step(hatch, 0);
    hatch->stateBlock->state = 2;
    Step(hatch, 0);
    CGP_GameObject* dropper = play.LaunchedObject;
    ASSERT_NE(dropper, nullptr);
    EXPECT_EQ(dropper->parent, hatch);
    Step(dropper, 0);  // the dropper starts: carried
    Step(hatch, 100);
    EXPECT_FLOAT_EQ(*dropper->y, -35);
    Step(hatch, 100, 2);
    EXPECT_EQ(dropper->parent, hatch);  // out to -25, the hatch not yet down
    Step(hatch, 100);
    EXPECT_EQ(dropper->parent, nullptr);
    EXPECT_EQ(StateOf(dropper), 3);
    EXPECT_FLOAT_EQ(*dropper->x, 200);
    EXPECT_EQ(StateOf(hatch), 7);
    EXPECT_EQ(play.LaunchedObject, nullptr);
}

TEST_F(BossParts, ALauncherHatchWithNothingToLaunchStillOpensAndCloses)
{
    DefinePart(Launcher);
    CGP_GameObject* hatch = Create(PartID, 200, 60);
    Step(hatch, 0);
    hatch->stateBlock->state = 2;
    Step(hatch, 0);
    EXPECT_EQ(play.LaunchedObject, nullptr);
    Step(hatch, 400);
    EXPECT_EQ(StateOf(hatch), 7);
}

TEST_F(BossParts, AnAimingGunWithoutAStateParameterShowsFrameZero)
{
    DefinePart(AimingGun, 8).states[1].stateParam = 0;
    CGP_GameObject* gun = Create(PartID, 100, 100);
    Step(gun, 0);
    Step(gun, 10);
    EXPECT_EQ(gun->frameIndex, 0);
}

TEST_F(BossParts, ACoreDiesCleanlyWithNothingInItsFirstSlot)
{
    DefinePart(Core);
    CGP_GameObject* core = Create(PartID, 100, 100);
    Step(core, 0);
    core->stateBlock->state = GP_BehaviourDying;
    Step(core, 10);
    EXPECT_EQ(core->state, GP_StateGone);
}

// The gunner takes its base heading and turns every hit into a spawn and a unit of boss energy.
TEST_F(BossParts, AGunnerAimsAlongItsBaseHeadingAndEveryHitSpawnsAndCostsEnergy)
{
    DefineFiringPart(Gunner).header.baseHeading = 270;
    CGP_GameObject* gunner = Create(PartID, 100, 100);
    Step(gunner, 0);
    EXPECT_EQ(StateOf(gunner), 3);
    EXPECT_EQ(gunner->state, 1);
    EXPECT_FLOAT_EQ(*gunner->heading, 270);
    play.BossEnergy = 10;
    gunner->Hit(Create(ShotID));
    EXPECT_EQ(play.BossEnergy, 9);
    EXPECT_EQ(Shots(), 2u);  // the hitter and the hit's spawn
}

// The maw opens when commanded and spits its spawn on the way back, at its third frame from the end.
TEST_F(BossParts, AMawOpensWhenCommandedAndSpitsOnTheWayBack)
{
    DefineFiringPart(Maw, 6);
    CGP_GameObject* maw = Create(PartID, 100, 100);
    Step(maw, 0);
    EXPECT_EQ(StateOf(maw), 1);
    maw->stateBlock->state = 3;
    ASSERT_TRUE(StepUntil(maw, 6, 100));
    EXPECT_EQ(maw->frameIndex, 5);
    EXPECT_EQ(Shots(), 0u);
    ASSERT_TRUE(StepUntil(maw, 2, 100));
    EXPECT_EQ(maw->frameIndex, 3);
    EXPECT_EQ(Shots(), 1u);
}

// The hatch gun and the firing hatch open when commanded, fire once at the top and close again to wait; the
// firing hatch keeps open 600 ms and, destroyed, sinks 50 pixels before it goes.
TEST_F(BossParts, HatchesOpenFireOnceAndCloseToWaitAgain)
{
    for (std::uint32_t behaviour : {HatchGun, FiringHatch}) {
        SCOPED_TRACE(behaviour);
        DefineFiringPart(behaviour);
        CGP_GameObject* hatch = Create(PartID, 100, 100);
        Step(hatch, 0);
        EXPECT_EQ(StateOf(hatch), 1);
        const std::uint32_t before = Shots();
        hatch->stateBlock->state = 2;
        ASSERT_TRUE(StepUntil(hatch, behaviour == HatchGun ? 6 : 3, 50));
        EXPECT_EQ(Shots(), before + 1);
        if (behaviour == FiringHatch) {
            Step(hatch, 590);
            EXPECT_EQ(StateOf(hatch), 3);
            Step(hatch, 20);
            EXPECT_EQ(StateOf(hatch), 6);
        }
        ASSERT_TRUE(StepUntil(hatch, 1, 50));
        EXPECT_EQ(Shots(), before + 1);
    }
    CGP_GameObject* hatch = Create(PartID, 100, 100);
    Step(hatch, 0);
    ExpectTheWreckDriftsThenGoes(hatch, hatch->y, 100, 60, 30);
}

// A trembling part shakes within two pixels of where it started: across in state 2, both ways in state 3.
TEST_F(BossParts, ATremblingPartShakesWithinTwoPixelsOfItsPlace)
{
    DefinePart(Trembling);
    CGP_GameObject* part = Create(PartID, 100, 100);
    part->behaviour->Attach(part);
    Step(part, 0);
    EXPECT_EQ(StateOf(part), 2);
    for (int i = 0; i < 200; ++i) {
        Step(part, 20);
        ASSERT_GE(*part->x, 98);
        ASSERT_LE(*part->x, 102);
        ASSERT_FLOAT_EQ(*part->y, 100);
    }
    part->stateBlock->state = 3;
    for (int i = 0; i < 200; ++i) {
        Step(part, 20);
        ASSERT_GE(*part->y, 98);
        ASSERT_LE(*part->y, 102);
    }
}

// A fly-off part leaves its boss where it is seen, flies off up and ahead, and goes after its interval.
TEST_F(BossParts, AFlyOffPartLeavesItsBossAndGoesAfterItsInterval)
{
    GP_SpriteRecord& record = DefinePart(FlyOff);
    record.header.speed = 0.1f;
    record.header.interval = 500;
    CGP_GameObject* boss = Create(PartID, 200, 50);
    CGP_GameObject* part = Create(PartID, 10, 20);
    part->parent = boss;
    Step(part, 0);
    EXPECT_EQ(StateOf(part), 2);
    part->stateBlock->state = 3;
    Step(part, 0);
    EXPECT_EQ(part->parent, nullptr);
    EXPECT_FLOAT_EQ(*part->x, 210);
    EXPECT_FLOAT_EQ(*part->y, 70);
    Step(part, 100);
    EXPECT_FLOAT_EQ(*part->x, 220);
    EXPECT_FLOAT_EQ(*part->y, 50);
    Step(part, 300);
    EXPECT_NE(part->state, GP_StateGone);
    Step(part, 150);
    EXPECT_EQ(part->state, GP_StateGone);
}

// The aiming cannon's heading follows the player (less 55 degrees on the left half, 45 on the right), and so does
// its frame; commanded, it fires.
TEST_F(BossParts, AnAimingCannonFollowsThePlayerAndFiresWhenCommanded)
{
    DefineFiringPart(AimingCannon, 32);
    const struct {
        float x, heading;
        int frame;
    } cases[] = {{100, 66.06f, 13}, {400, 29.63f, 6}};
    for (const auto& c : cases) {
        CGP_GameObject* cannon = Create(PartID, c.x, 100);
        Step(cannon, 0);
        Step(cannon, 10);
        EXPECT_NEAR(*cannon->heading, c.heading, 0.5) << c.x;
        EXPECT_EQ(cannon->frameIndex, c.frame) << c.x;
        EXPECT_EQ(Shots(), 0u);
        cannon->stateBlock->state = 3;
        Step(cannon, 10);
        EXPECT_EQ(Shots(), 1u);
        host.lists[ShotKind & 0xFFFF]->KillAll();
    }
}

// A pulsing side pulses up and down its frames; destroyed, it drifts 100 pixels outward before it goes.
TEST_F(BossParts, APulsingSidePulsesAndDriftsOutWhenDestroyed)
{
    DefinePart(PulsingSide);
    CGP_GameObject* side = Create(PartID, 100, 100);
    Step(side, 0);
    EXPECT_EQ(StateOf(side), 2);
    ASSERT_TRUE(StepUntil(side, 6, 100));
    EXPECT_EQ(side->frameIndex, 3);
    ASSERT_TRUE(StepUntil(side, 2, 100));
    EXPECT_EQ(side->frameIndex, 0);
    ExpectTheWreckDriftsThenGoes(side, side->x, 200, 180, 60);
}

}  // namespace
}  // namespace behaviourtest
