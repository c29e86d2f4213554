// Boss controllers with parts as plain attached objects whose state the tests set: the fortress's phases, the
// sequencer's order, the diving boss's trigger, energy hits, and missing parts.
#include "BehaviourWorld.h"
#include "GP_BehBosses.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t Wanderer = 0x20005, Sequencer = 0x2001D, Fortress = 0x20022, Hatch = 0x20029, Diving = 0x2002F,
                        PartBehaviour = 0x20004;
constexpr std::uint32_t BossKind = 0x30003, PartKind = 0x30005, PlayerKind = 0x30004, ShotKind = 0x30002;
constexpr std::uint32_t BossID = 0x9002A, PartID = 0x9002B, ShotID = 0x9002C;

class Bosses : public World {
protected:
    Bosses()
    {
        Define(PartID, Sprite(PartBehaviour, PartKind, 10, 10)).header.inGrid = 0;
        Define(ShotID, Sprite(0x2FFFF, ShotKind, 4, 4)).header.damage = 1;
        Define(gp_sprites::Player, Sprite(0x2FFFF, PlayerKind, 32, 32));
        player = Create(gp_sprites::Player, 300, 400);
        host.scene->player = player;
    }
    // A boss of the behaviour with slots parts, slot i holding a part unless listed as empty.
    CGP_GameObject* Boss(std::uint32_t behaviour, int slots, std::initializer_list<int> empty = {}, int width = 200)
    {
        GP_SpriteRecord& record = Define(BossID, Sprite(behaviour, BossKind, width, 60));
        record.header.inGrid = 0;
        record.header.initialHealth = 1000;
        record.header.acceleration = 0.01f;
        record.header.maxSpeed = 0.5f;
        record.header.scoreValue = 5000;
        for (int i = 0; i < slots; ++i) {
            GP_Attachment slot;
            slot.spriteID = std::find(empty.begin(), empty.end(), i) == empty.end() ? PartID : GP_NoID;
            record.attachments.push_back(slot);
        }
        return Create(BossID, 200, 50);
    }
    static bool On(CGP_GameObject* boss, int k) { return boss->GetAttachment(k) != nullptr; }
    static void Destroy(CGP_GameObject* boss, int k) { boss->GetAttachment(k)->state = GP_StateGone; }

    CGP_GameObject* player;
    GP_PlayState& play = host.PlayState();
};

TEST_F(Bosses, TheFortressGoesStraightToItsThirdPhaseWhenTwoPartsFallInOneFrame)
{
    CGP_GameObject* boss = Boss(Fortress, 11);
    Step(boss, 10);
    EXPECT_EQ(play.BossEnergy, 30);
    EXPECT_FALSE(On(boss, 9));
    EXPECT_TRUE(On(boss, 10));
    Destroy(boss, 4);
    Destroy(boss, 5);
    Step(boss, 10);
    EXPECT_EQ(StateOf(boss), 3);
    EXPECT_TRUE(On(boss, 9));
    CGP_GameObject* core = boss->GetAttachment(1);
    EXPECT_EQ(core->state, 1);
    EXPECT_EQ(StateOf(core), 3);
    EXPECT_EQ(StateOf(boss->GetAttachment(8)), 1);
}

TEST_F(Bosses, TheFortressFallsWhenItsLastPartsAreGoneAndPaysItsScore)
{
    CGP_GameObject* boss = Boss(Fortress, 11);
    Step(boss, 10);
    for (int k : {4, 5}) Destroy(boss, k);
    Step(boss, 10);
    Step(boss, 10);  // both open
    Destroy(boss, 1);
    Step(boss, 10);
    ASSERT_EQ(StateOf(boss), 7);
    for (int k : {6, 7, 8}) Destroy(boss, k);
    Step(boss, 10);
    EXPECT_EQ(StateOf(boss), GP_BehaviourDying);
    EXPECT_EQ(boss->GetAttachment(9)->state, GP_StateGone);
    Step(boss, 10);
    EXPECT_EQ(StateOf(boss), 5);
    Step(boss, 3001);
    EXPECT_EQ(boss->state, GP_StateGone);
    EXPECT_EQ(play.Score, 5000);
}

TEST_F(Bosses, MissingPartsCountAsGoneAndAreNeverCommanded)
{
    CGP_GameObject* boss = Boss(Fortress, 11, {1, 4, 5, 8});
    Step(boss, 10, 4);  // start; both walls missing; the core missing too
    EXPECT_EQ(StateOf(boss), 7);
}

TEST_F(Bosses, TheSequencerLightsItsPartsBackAndForthRepeatingEachEnd)
{
    CGP_GameObject* boss = Boss(Sequencer, 11);
    Step(boss, 0);
    std::vector<int> lit;
    for (int step = 0; step < 12; ++step) {
        lit.push_back(play.SequenceIndex);
        Step(boss, 301);
    }
    EXPECT_EQ(lit, (std::vector<int>{0, 1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1}));
    EXPECT_EQ(StateOf(boss->GetAttachment(2)), 2);
}

TEST_F(Bosses, TheDivingBossDivesOnlyAtAPlayerMoreThanTwentyPixelsInside)
{
    struct Case {
        float playerX;
        bool dives;
    };
    // The boss spans 200 to 400; the player is 32 wide.
    for (const Case c : {Case{220, false}, Case{221, true}, Case{348, false}, Case{347, true}}) {
        SCOPED_TRACE(c.playerX);
        CGP_GameObject* boss = Boss(Diving, 7);
        Step(boss, 0);
        boss->stateBlock->targetX = 200;
        boss->stateBlock->targetY = 50;
        *player->x = c.playerX;
        Step(boss, 1);
        EXPECT_EQ(StateOf(boss) == 3, c.dives);
        boss->state = GP_StateGone;
    }
}

TEST_F(Bosses, EveryHitOnTheWandererDiverAndHatchBossCostsOneEnergyUnit)
{
    for (std::uint32_t behaviour : {Wanderer, Diving, Hatch}) {
        SCOPED_TRACE(behaviour);
        CGP_GameObject* boss = Boss(behaviour, 17);
        Step(boss, 0);
        const std::int32_t energy = play.BossEnergy;
        CGP_GameObject* shot = Create(ShotID);
        boss->Hit(shot);
        boss->Hit(shot);
        EXPECT_EQ(play.BossEnergy, energy - 2);
        boss->state = GP_StateGone;
    }
}

TEST_F(Bosses, AWandererAsWideAsTheScreenPicksItsTargetsWithoutDividingByZero)
{
    CGP_GameObject* boss = Boss(Wanderer, 8, {}, 640);
    Step(boss, 0);
    EXPECT_EQ(boss->stateBlock->targetX, 0);
    EXPECT_EQ(play.BossEnergy, 20);
    Step(boss, 10, 3);
    EXPECT_EQ(StateOf(boss), 1);
}

}  // namespace
}  // namespace behaviourtest
