// Game objects and their lists: movement and collisions over a few frames, the grid while alive and gone,
// spawning on its interval with drawn counts, speeds and spreads, attachments, firing beyond the slots, and the
// object block through its writer.
#include <gtest/gtest.h>

#include <set>

#include "GP_Random.h"
#include "PlayPack.h"

using namespace playtest;

namespace {

class GameObjectTest : public PlayPackTest {
protected:
    CGP_PlayField field{nullptr, 10, 10};

    int CellsHolding(const CGP_GameObject* object) const
    {
        int found = 0;
        for (const auto& cell : field.cells)
            for (std::uint16_t i = 0; i < cell->count; ++i) found += cell->block[i] == object;
        return found;
    }
};

// A spawner with one entry of the shot, run every frame by the mover's update.
GP_SpriteRecord Spawner(std::uint32_t shot, GP_SpawnEntry entry)
{
    GP_SpriteRecord record = PlainSprite(8, 8);
    record.header.kind = 1;
    entry.spriteID = shot;
    record.spawns1.push_back(entry);
    return record;
}

TEST_F(GameObjectTest, ObjectsMoveByTheirVelocitiesAndTwoThatMeetKillEachOther)
{
    GP_SpriteRecord record = PlainSprite(16, 16);
    record.header.inGrid = 1;
    const std::uint32_t id = AddSprite("rock", record);
    Build();
    host->mover.hits = true;
    CGP_GameObject* left = Create(id, &field);
    CGP_GameObject* right = Create(id, &field);
    *left->x = 100, *left->y = 200, *left->vx = 0.5f;
    *right->x = 200, *right->y = 200, *right->vx = -0.5f;
    CGP_ObjectList& list = *host->lists[0];

    int frames = 0;
    while (list.CountLive() == 2 && frames < 20) {
        list.Update(20);
        ++frames;
    }
    // 84 pixels apart close by 20 a frame: in the fifth frame the left one, moved first, finds the right one
    // before that one moves.
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(list.CountLive(), 0u);
    EXPECT_FLOAT_EQ(*left->x, 150.0f);
    EXPECT_FLOAT_EQ(*right->x, 160.0f);
}

// A list draws its live, visible objects only; an object whose state has no picture is a white box of its frame.
TEST_F(GameObjectTest, AListDrawsOnlyItsVisibleLiveObjectsAndAPictureLessOneAsAWhiteBox)
{
    const std::uint32_t id = AddSprite("box", PlainSprite(8, 6));
    Build();
    CGP_GameObject* shown = Create(id);
    CGP_GameObject* hidden = Create(id);
    CGP_GameObject* gone = Create(id);
    *shown->x = 10, *shown->y = 20;
    *hidden->x = 30, *hidden->y = 20;
    *gone->x = 50, *gone->y = 20;
    hidden->visible = 0;
    gone->state = GP_StateGone;
    CGP_Surface& back = *display->backSurface;
    back.Clear(0);
    host->lists[0]->Draw();
    back.Lock();
    EXPECT_EQ(back.PixelRow(20)[10], 0xFFFF);
    EXPECT_EQ(back.PixelRow(25)[17], 0xFFFF);
    EXPECT_EQ(back.PixelRow(26)[17], 0) << "the box is the frame's size";
    EXPECT_EQ(back.PixelRow(20)[18], 0);
    EXPECT_EQ(back.PixelRow(22)[33], 0) << "an invisible object is drawn";
    EXPECT_EQ(back.PixelRow(22)[53], 0) << "a gone object is drawn";
    back.Unlock();
}

TEST_F(GameObjectTest, AGoneObjectStaysInTheGridThroughThreeUpdatesAndLeavesInTheFourth)
{
    GP_SpriteRecord record = PlainSprite(100, 60);
    record.header.inGrid = 1;
    const std::uint32_t id = AddSprite("wide", record);
    Build();
    CGP_GameObject* object = Create(id, &field);
    *object->x = 30, *object->y = 30;
    CGP_ObjectList& list = *host->lists[0];
    list.Update(20);
    EXPECT_EQ(CellsHolding(object), 3 * 2);

    object->state = GP_StateGone;
    for (int update = 1; update <= 3; ++update) {
        list.Update(20);
        EXPECT_EQ(CellsHolding(object), 6) << "dead update " << update;
    }
    list.Update(20);
    EXPECT_EQ(CellsHolding(object), 0);
    EXPECT_EQ(object->inGrid, 0);
}

TEST_F(GameObjectTest, LeavingTheGridAfterAStateChangeLeavesEveryCellItEntered)
{
    GP_SpriteRecord record = PlainSprite(200, 100);
    record.header.inGrid = 1;
    record.states[1].frameRect = platform::Rect::OfSize(4, 4);
    record.states[GP_StateGone].frameRect = platform::Rect::OfSize(4, 4);
    const std::uint32_t id = AddSprite("shrinking", record);
    Build();
    CGP_GameObject* object = Create(id, &field);
    object->EnterGrid();
    EXPECT_EQ(CellsHolding(object), 4 * 3);

    object->state = 1;  // a smaller frame now
    object->LeaveGrid();
    EXPECT_EQ(CellsHolding(object), 0);

    // KillAll between two updates of the list changes the frame too: nothing stays behind for the behaviours.
    object->state = 0;
    host->lists[0]->Update(20);
    EXPECT_EQ(CellsHolding(object), 4 * 3);
    host->lists[0]->KillAll();
    host->lists[0]->Update(20);
    EXPECT_EQ(CellsHolding(object), 0);
}

TEST_F(GameObjectTest, ASpawnOfInterval500AtDt20EmitsInThe26thRunThenEvery25th)
{
    const std::uint32_t shot = AddSprite("shot", PlainSprite(2, 2));
    GP_SpawnEntry entry;
    entry.intervalBase = 500;
    entry.countBase = 1;
    const std::uint32_t spawner = AddSprite("spawner", Spawner(shot, entry));
    Build();
    CGP_GameObject* object = Create(spawner);
    std::vector<int> emissions;
    for (int run = 1; run <= 80; ++run) {
        const int before = host->lists[0]->Count();
        object->EmitPrimary(20, -1);
        if (host->lists[0]->Count() > before) emissions.push_back(run);
    }
    EXPECT_EQ(emissions, (std::vector<int>{26, 51, 76}));
}

TEST_F(GameObjectTest, SpawnedObjectsTakeTheSpawnersPlaceHeadingAndDrawnValues)
{
    const std::uint32_t shot = AddSprite("shot", PlainSprite(2, 2));
    GP_SpawnEntry entry;
    entry.countBase = 3, entry.countSpread = 1, entry.countRandom = 1;
    entry.xBase = 10, entry.yBase = -5;
    entry.headingOffset = 90;
    entry.speedBase = 0.5f;
    entry.startDelayBase = 700, entry.startDelaySpread = 0, entry.startDelayRandom = 1;  // nothing to draw from
    const std::uint32_t spawner = AddSprite("spawner", Spawner(shot, entry));
    Build();
    CGP_GameObject* object = Create(spawner);
    *object->x = 100, *object->y = 50, *object->depth = 7;

    std::set<int> counts;
    for (int emission = 0; emission < 40; ++emission) {
        const int before = host->lists[0]->Count();
        object->spawnCounters1[0] = {0, 0};
        object->EmitPrimary(20, 0);
        counts.insert(host->lists[0]->Count() - before);
    }
    EXPECT_EQ(counts, (std::set<int>{2, 3}));
    CGP_GameObject* spawned = host->lists[0]->At(0);
    EXPECT_FLOAT_EQ(*spawned->x, 110.0f);
    EXPECT_FLOAT_EQ(*spawned->y, 45.0f);
    EXPECT_FLOAT_EQ(*spawned->depth, 7.0f);
    EXPECT_FLOAT_EQ(*spawned->heading, 90.0f);
    EXPECT_NEAR(*spawned->vx, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(*spawned->vy, 0.5f) << "a heading of 90 moves down by velocity";
    EXPECT_GE(*spawned->pitch, 60.0f);
    EXPECT_LT(*spawned->pitch, 120.0f);
    EXPECT_EQ(*spawned->startDelay, 700);
    EXPECT_EQ(spawned->visible, 0);
}

TEST_F(GameObjectTest, RandomSpeedsStayInTheirRangeAndASpreadTooSmallToDrawGivesTheBase)
{
    const std::uint32_t shot = AddSprite("shot", PlainSprite(2, 2));
    GP_SpawnEntry entry;
    entry.countBase = 1;
    entry.speedBase = 1.0f, entry.speedRandom = 1;
    entry.speedSpread = 0.25f;
    const std::uint32_t wide = AddSprite("wide", Spawner(shot, entry));
    entry.speedSpread = 0.0004f;
    const std::uint32_t narrow = AddSprite("narrow", Spawner(shot, entry));
    Build();

    struct Case {
        std::uint32_t spawner;
        float low, high;
    };
    for (const Case& c : {Case{wide, 0.75f, 1.25f}, Case{narrow, 1.0f, 1.0f}}) {
        CGP_GameObject* object = Create(c.spawner);
        for (int emission = 0; emission < 20; ++emission) {
            object->spawnCounters1[0] = {0, 0};
            object->EmitPrimary(20, 0);
            const float speed = *host->lists[0]->At(host->lists[0]->Count() - 1)->vx;
            EXPECT_GE(speed, c.low);
            EXPECT_LE(speed, c.high);
        }
    }
}

TEST_F(GameObjectTest, SwitchingAnAttachmentOffKillsItAndFreesTheSlotAtOnce)
{
    const std::uint32_t turret = AddSprite("turret", PlainSprite(4, 4));
    GP_SpriteRecord carrier = PlainSprite(32, 32);
    carrier.header.kind = 1;
    GP_Attachment attachment;
    attachment.spriteID = turret;
    attachment.x = 12, attachment.y = -3;
    carrier.attachments = {attachment, GP_Attachment{}};
    const std::uint32_t id = AddSprite("carrier", carrier);
    Build();
    CGP_GameObject* object = Create(id);
    *object->x = 100, *object->y = 100, *object->depth = 5;

    object->SetAttachment(true, true, 0);
    CGP_GameObject* attached = object->GetAttachment(0);
    ASSERT_NE(attached, nullptr);
    EXPECT_EQ(object->GetAttachment(1), nullptr) << "a slot without sprite creates nothing";
    EXPECT_EQ(attached->parent, object);
    EXPECT_FLOAT_EQ(attached->GetAbsX(), 112.0f);
    EXPECT_FLOAT_EQ(attached->GetAbsY(), 97.0f);
    EXPECT_FLOAT_EQ(*attached->depth, 5.0f);
    EXPECT_EQ(object->UpdateAttachments(), 1);

    object->SetAttachment(false, false, 0);
    EXPECT_EQ(attached->state, GP_StateGone);
    EXPECT_EQ(object->GetAttachment(0), nullptr);
    EXPECT_EQ(object->attachments[0].wanted, 0);
    object->SetAttachment(true, false, 7);  // beyond the last slot: nothing happens
    EXPECT_EQ(object->GetAttachment(7), nullptr);
}

TEST_F(GameObjectTest, FiringASlotBeyondTheWeaponsOrWithoutWeaponFails)
{
    GP_SpriteRecord record = PlainSprite(8, 8);
    record.weapons.resize(1);  // its weapon ID is -1
    const std::uint32_t id = AddSprite("ship", record);
    Build();
    CGP_GameObject* object = Create(id);
    EXPECT_FALSE(object->Fire(false, 0));
    EXPECT_FALSE(object->Fire(false, 1));
    EXPECT_FALSE(object->Fire(false, -1));
    EXPECT_FALSE(object->Fire(true, 0));
    CGP_GameObject bare(nullptr);
    EXPECT_FALSE(bare.Fire(false, 0)) << "no weapon timers";
}

TEST_F(GameObjectTest, CountLiveIgnoresGoneObjectsAndKillAllMakesThemReusableAtOnce)
{
    const std::uint32_t id = AddSprite("ship", PlainSprite(8, 8));
    Build();
    CGP_GameObject* a = Create(id);
    Create(id);
    Create(id);
    a->state = GP_StateGone;
    EXPECT_EQ(host->lists[0]->CountLive(), 2u);
    host->lists[0]->KillAll();
    EXPECT_EQ(host->lists[0]->CountLive(), 0u);
    EXPECT_NE(host->lists[0]->FindReusable(id), nullptr);
}

TEST_F(GameObjectTest, TheBlockRoundTripsAndTheFrameSizeFollowsTheState)
{
    GP_SpriteRecord record = PlainSprite(8, 6);
    record.states[1].frameRect = {0, 0, 20, 30};
    record.states[1].frameCount = 5;
    const std::uint32_t id = AddSprite("ship", record);
    Build();
    CGP_GameObject* object = Create(id);
    EXPECT_EQ(object->Fields()->size, 72u);
    EXPECT_EQ(object->Fields()->type, 4u);
    EXPECT_EQ(*object->startDelaySpread, 1);
    object->state = 1;
    EXPECT_EQ(*object->GetWidth(), 20);
    EXPECT_EQ(*object->GetHeight(), 30);
    EXPECT_EQ(*object->GetFrameCount(), 5);
    object->state = 9;
    EXPECT_EQ(*object->GetWidth(), 20) << "a state outside the definition keeps the last size";
    *object->heading = 33;
    *object->value68 = 0xDEAD;

    {
        CGP_IOManager toolIO(nullptr, nullptr, &source, nullptr);
        CGP_ServerSet tool(nullptr, &toolIO, nullptr, 1033);
        ASSERT_TRUE(tool.binary->OpenWrite(id));
        object->Write(&tool);
        std::fclose(tool.binary->writeStream);
        tool.binary->writeStream = nullptr;
        toolIO.BuildPack("objects.tdf");
    }
    resourcetest::File objects = resourcetest::Open("objects.tdf", "rb");
    CGP_NameServer table;
    resourcetest::LoadPackTable(table, objects.get());
    CGP_IOManager readIO(objects.get(), nullptr, &table, nullptr);
    CGP_ServerSet reader(nullptr, &readIO, nullptr, 1033);
    CGP_GameObject copy(nullptr);
    ASSERT_TRUE(reader.binary->OpenRead(id));
    copy.Read(&reader);
    EXPECT_EQ(std::memcmp(copy.Fields(), object->Fields(), sizeof(GP_GameObjectBlock)), 0);
}

}  // namespace
