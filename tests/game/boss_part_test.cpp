// Boss parts on their own: the closed pop-up cannon, the swing arm's pauses, the sweeper's headings, the
// launcher hatch's launch, the aiming gun without a state parameter and the core without its slot.
#include "BehaviourWorld.h"
#include "GP_BehBossParts.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t Sweeper = 0x20024, PopUp = 0x20026, SwingArm = 0x20027, Launcher = 0x2002A, AimingGun = 0x2001F,
                        Core = 0x20030, Dropper = 0x2002B;
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

}  // namespace
}  // namespace behaviourtest
