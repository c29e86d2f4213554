// Marching blocks on a small formation: the shared speed and direction, drops after reversals, the bottom
// line, sliding clones, splitting, diving and the special-kill bonus.
#include "BehaviourWorld.h"
#include "GP_BehFormation.h"
#include "GP_KillBonus.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t Formation = 0x20001, Diver = 0x20009, Splitter = 0x2000A, Sliding = 0x20016;
constexpr std::uint32_t MemberID = 0x70010, SplitterID = 0x70011, CloneID = 0x70012, DiverID = 0x70013,
                        ShotID = 0x90005;

class Formations : public World {
protected:
    Formations()
    {
        GP_SpriteRecord& member = Define(MemberID, Sprite(Formation, gp_kinds::Enemy, 20, 20));
        member.states[3].frameCount = 4;
        member.header.maxSpeed = 1;
        Define(CloneID, Sprite(Sliding, gp_kinds::Enemy, 20, 20));
        Define(ShotID, Sprite(0x2FFFF, 0x30002, 4, 4));
        Define(gp_sprites::Player, Sprite(0x2FFFF, 0x30004, 32, 32));
        GP_SceneParameters& p = *host.scene->parameters;
        p.speed = 1000;
        host.scene->speedFactor = 0.001f;
        p.word12 = 440;  // bottom line
        p.word16 = 0;    // drop delay
        p.word24 = 10;   // drop step
    }
    CGP_GameObject* Joined(std::uint32_t id, float x, float y)
    {
        CGP_GameObject* member = Create(id, x, y);
        Step(member, 0, 2);  // wait, join
        return member;
    }
    // One frame of play for the members: the shared speed is worked out again.
    void Frame(std::initializer_list<CGP_GameObject*> members, float timeStep)
    {
        host.PlayState().FrameSharedDone = 0;
        for (CGP_GameObject* member : members) Step(member, timeStep);
    }
    static GP_FormationState& Block(CGP_GameObject* object)
    {
        return static_cast<GP_FormationState&>(*object->stateBlock);
    }
    GP_PlayState& play = host.PlayState();
};

TEST_F(Formations, ABlockSpanningTheWholeScreenStandsAndItsEdgesTurnIt)
{
    host.scene->parameters->word16 = 100;  // no drops here
    CGP_GameObject* left = Joined(MemberID, 0, 100);
    CGP_GameObject* right = Joined(MemberID, 620, 100);
    EXPECT_EQ(StateOf(left), GP_FormationMarch);
    Frame({left, right}, 10);
    EXPECT_EQ(play.FormationSpeed, 0);
    EXPECT_EQ(*left->x, 0);

    *right->x = 500;  // 120 px of room
    Frame({left, right}, 10);
    EXPECT_FLOAT_EQ(play.FormationSpeed, 0.12f);
    EXPECT_EQ(play.FormationDirection, 1);
    *right->x = 625;
    Frame({left, right}, 1);
    EXPECT_EQ(play.FormationDirection, -1);
    *left->x = -1;
    *right->x = 300;
    Frame({left, right}, 1);
    EXPECT_EQ(play.FormationDirection, 1);
}

TEST_F(Formations, ADropDelayOfTwoLetsTwoReversalsPassAndDropsOnEveryLaterOne)
{
    host.scene->parameters->word16 = 2;
    CGP_GameObject* member = Joined(MemberID, 300, 100);
    std::vector<int> drops;
    for (int reversal = 1; reversal <= 4; ++reversal) {
        play.FormationDirection = -play.FormationDirection;
        play.FrameSharedDone = 1;
        play.FormationSpeed = 0;
        Step(member, 1);
        if (StateOf(member) == GP_FormationDrop) drops.push_back(reversal);
        Step(member, 200);  // lands on its new row
        EXPECT_EQ(StateOf(member), GP_FormationMarch);
    }
    EXPECT_EQ(drops, (std::vector<int>{3, 4}));
    EXPECT_EQ(Block(member).rowY, 120);
}

// The bobbing of a member whose sprite has no vertical speed of its own stands still; a drop must not.
TEST_F(Formations, AMemberWithoutASpeedOfItsOwnStillLandsOnItsNewRow)
{
    constexpr std::uint32_t StillID = 0x70014;
    Define(StillID, Sprite(Formation, gp_kinds::Enemy, 20, 20));
    CGP_GameObject* member = Joined(StillID, 300, 100);
    play.FormationDirection = -play.FormationDirection;
    play.FrameSharedDone = 1;
    play.FormationSpeed = 0;
    Step(member, 1);
    ASSERT_EQ(StateOf(member), GP_FormationDrop);
    EXPECT_FLOAT_EQ(*member->vy, 0.1f);
    Step(member, 200);
    EXPECT_EQ(StateOf(member), GP_FormationMarch);
    EXPECT_EQ(*member->y, 110);
}

TEST_F(Formations, AMemberDroppingOntoTheBottomLineKillsThePlayerAndGameOverStopsDrops)
{
    CGP_GameObject* player = Create(gp_sprites::Player, 300, 440);
    host.table.Default()->Attach(player);
    host.scene->player = player;
    CGP_GameObject* member = Joined(MemberID, 300, 425);  // its bottom at 445
    play.FormationDirection = -play.FormationDirection;
    Step(member, 1);
    ASSERT_EQ(StateOf(member), GP_FormationDrop);
    Step(member, 1);
    EXPECT_EQ(StateOf(player), GP_BehaviourDying);

    CGP_GameObject* late = Joined(MemberID, 100, 100);
    play.GameOver = 1;
    play.FormationDirection = -play.FormationDirection;
    Step(late, 1);
    EXPECT_EQ(StateOf(late), GP_FormationMarch);
}

TEST_F(Formations, AJoiningMemberWithTwoFramesOrFewerStartsAtFrameZero)
{
    for (std::int32_t frames : {1, 2}) {
        SCOPED_TRACE(frames);
        host.sprites->GetDefinition(MemberID, false)->record.states[3].frameCount = frames;
        CGP_GameObject* member = Joined(MemberID, 300, 100);
        EXPECT_EQ(Block(member).animPos, 0);
        member->state = GP_StateGone;
    }
}

TEST_F(Formations, ASlidingCloneMovesOnlyWholePixels)
{
    struct Case {
        float timeStep;
        float moved;
    };
    for (const Case c : {Case{9, 0}, Case{20, 2}, Case{35, 3}}) {
        SCOPED_TRACE(c.timeStep);
        CGP_GameObject* clone = Joined(CloneID, 300, 100);
        Block(clone).anchorX = 60;
        Block(clone).targetX = 0;
        play.FrameSharedDone = 1;
        play.FormationSpeed = 0;
        Step(clone, c.timeStep);
        EXPECT_EQ(*clone->x, 300 + c.moved);
        clone->state = GP_StateGone;
    }
}

TEST_F(Formations, ASplitterShotBySplittingShotsSplitsIntoTheFreeDirectionsOnly)
{
    GP_SpriteRecord& record = Define(SplitterID, Sprite(Splitter, gp_kinds::Enemy, 20, 20));
    GP_SpawnEntry clone;
    clone.spriteID = CloneID;
    record.spawns2.push_back(clone);
    record.header.scoreValue = 50;
    Define(gp_sprites::SplittingShot, Sprite(0x2FFFF, 0x30002, 4, 4)).header.damage = 100;

    struct Case {
        const char* name;
        std::uint32_t shot;
        bool neighbourLeft;
        int clones;
    };
    const Case cases[] = {
        {"all free: one direction stays empty", gp_sprites::SplittingShot, false, 3},
        {"left taken: the other three", gp_sprites::SplittingShot, true, 3},
        {"another shot: no split", ShotID, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGP_GameObject* splitter = Joined(SplitterID, 300, 200);
        CGP_GameObject* neighbour = c.neighbourLeft ? Joined(MemberID, 240, 200) : nullptr;
        splitter->health = 1;
        splitter->Hit(Create(c.shot));
        ASSERT_EQ(StateOf(splitter), GP_BehaviourDying);
        const std::uint32_t before = host.lists[0]->CountLive();
        Step(splitter, 1);
        EXPECT_EQ(splitter->state, GP_StateGone);
        EXPECT_EQ(static_cast<int>(host.lists[0]->CountLive() - before + 1), c.clones);
        for (std::uint16_t i = 0; i < host.lists[0]->Count(); ++i) {
            CGP_GameObject* object = host.lists[0]->At(i);
            if (object->state == GP_StateGone || *object->spriteID != CloneID) continue;
            const GP_FormationState& block = Block(object);
            EXPECT_TRUE(block.anchorX == 60 || block.anchorX == -60 || block.rowY == 160 || block.rowY == 240);
            object->state = GP_StateGone;
        }
        if (neighbour) neighbour->state = GP_StateGone;
    }
    EXPECT_EQ(play.Score, 150);
}

TEST_F(Formations, SpecialKillsPayByFoursAndShowTheirMessageOnlyWhenTheyPay)
{
    struct Case {
        std::int32_t a, b, bonus;
    };
    for (const Case c : {Case{3, 3, 0}, Case{4, 4, 120}, Case{0, 8, 80}, Case{9, 1, 160}}) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
        play.Score = 0;
        play.SpecialFired = 1;
        play.SpecialKillsA = c.a;
        play.SpecialKillsB = c.b;
        host.messages.clear();
        GP_PaySpecialKillBonus(&host);
        EXPECT_EQ(play.Score, c.bonus);
        EXPECT_EQ(play.SpecialFired, 0);
        EXPECT_EQ(host.messages.size(), c.bonus ? 1u : 0u);
    }
}

TEST_F(Formations, AKillBySpecialShotsIsTalliedByItsKind)
{
    Define(0x90007, Sprite(0x2FFFF, gp_kinds::SpecialShot, 4, 4)).header.damage = 100;
    CGP_GameObject* member = Joined(MemberID, 300, 100);
    play.SpecialFired = 1;
    member->Hit(Create(0x90007));
    Step(member, 1);
    EXPECT_EQ(play.SpecialKillsB, 1);
    EXPECT_EQ(play.SpecialKillsA, 0);
}

class Divers : public Formations {
protected:
    Divers()
    {
        GP_SpriteRecord& record = Define(DiverID, Sprite(Diver, gp_kinds::Enemy, 20, 20));
        record.states[3].frameCount = 8;  // a short strip: frames stay below 8
        record.states[3].stateParam = 10;
        record.header.word22 = 4;  // dive frame base
        record.header.speed = 0.2f;
        player = Create(gp_sprites::Player, 300, 400);
        host.table.Default()->Attach(player);
        player->stateBlock->state = 2;
        play.FrameSharedDone = 1;
    }
    CGP_GameObject* player;
};

TEST_F(Divers, ADiverKeepsItsFramesInsideAShortStrip)
{
    CGP_GameObject* diver = Create(DiverID, 300, 100);
    EXPECT_LT(diver->frameIndex, 8);
    Step(diver, 0, 2);
    EXPECT_EQ(diver->frameIndex, 4);
}

TEST_F(Divers, ADiverLevelWithThePlayerDivesStraightInsteadOfDividingByZero)
{
    host.scene->player = player;
    CGP_GameObject* diver = Joined(DiverID, 100, 406);  // centres level
    Step(diver, 1, 2);                                  // the wait of 0 ms is over
    ASSERT_EQ(StateOf(diver), GP_FormationDive);
    EXPECT_EQ(*diver->vx, 0);
    EXPECT_FLOAT_EQ(*diver->vy, CGP_DiverBehaviour::DiveSpeedY);
}

TEST_F(Divers, ADiverWithoutAPlayerStaysInTheBlockAndADiverLeavesItsPlaceMarchingOn)
{
    CGP_GameObject* diver = Joined(DiverID, 100, 100);
    Step(diver, 1, 3);
    EXPECT_EQ(StateOf(diver), GP_FormationMarch);

    host.scene->player = player;
    Step(diver, 1);
    ASSERT_EQ(StateOf(diver), GP_FormationDive);
    play.FormationSpeed = 0.1f;
    const float slotX = static_cast<GP_DiverState&>(*diver->stateBlock).snapshot.x;
    Step(diver, 10);
    EXPECT_FLOAT_EQ(static_cast<GP_DiverState&>(*diver->stateBlock).snapshot.x, slotX + 1);
    EXPECT_GT(*diver->y, 100);
    EXPECT_LT(diver->frameIndex, 8);
}

// The whole cycle: the dive at the player, the time below the screen, the fall back into its place, which has
// marched on meanwhile; back in the block the diver waits its second wait (offset 68) before it dives again.
TEST_F(Divers, ADiverComesBackToItsPlaceAndWaitsItsNextWaitBeforeDivingAgain)
{
    host.scene->player = player;
    CGP_GameObject* diver = Joined(DiverID, 100, 100);
    *diver->value68 = 3000;
    play.FormationSpeed = 0.01f;
    Step(diver, 1, 2);
    ASSERT_EQ(StateOf(diver), GP_FormationDive);
    const auto& block = static_cast<GP_DiverState&>(*diver->stateBlock);
    int frames = 0;
    for (; frames < 200 && StateOf(diver) != GP_FormationMarch; ++frames) {
        Step(diver, 100);
        ASSERT_NE(block.snapshot.state, GP_FormationDive) << "the place in the block dived itself";
    }
    ASSERT_EQ(StateOf(diver), GP_FormationMarch) << "the diver never came back";
    EXPECT_GT(frames, 40);  // 4 s below the screen alone
    EXPECT_FLOAT_EQ(*diver->y, 100);
    EXPECT_GT(*diver->x, 100);  // its place marched on
    EXPECT_EQ(block.diveWait, 3000);
    Step(diver, 100, 29);
    EXPECT_EQ(StateOf(diver), GP_FormationMarch);
    Step(diver, 100, 3);
    EXPECT_EQ(StateOf(diver), GP_FormationDive);
}

}  // namespace
}  // namespace behaviourtest
