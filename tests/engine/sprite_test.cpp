// Sprite definitions and the sprite manager: the record through writer and reader, frames and masks of the
// states' pictures, damaged resources, and objects created, attached and recycled.
#include <gtest/gtest.h>

#include <cstring>

#include "GP_Random.h"
#include "PlayPack.h"

using namespace playtest;
using interfacepack::Bmp;
using interfacepack::Rgb;

namespace {

class SpriteTest : public PlayPackTest {};

template <typename T>
bool SameBytes(const T& a, const T& b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

TEST_F(SpriteTest, TheRecordRoundTripsWithItsListsAndUnsettledBytes)
{
    GP_SpriteRecord record = PlainSprite(10, 12);
    record.header.word16 = 0xA1B2C3D4;
    record.header.word22 = 0x5566;
    record.header.pad51 = 0x77;
    record.header.scoreValue = 250;
    record.states[3].word88 = 0xCAFEF00D;
    record.states[2].soundFollows = 1;
    record.spawns1.resize(2);
    record.spawns1[1].countBase = 3;
    record.weapons.resize(3);
    record.weapons[2].barrelSpacing = 9;
    record.attachments.resize(1);
    record.attachments[0].x = -4;
    record.spawns2.resize(1);
    record.spawns2[0].asChild = 1;
    const std::uint32_t id = AddSprite("ship", record);
    // The writer takes the counts from the lists.
    record.header.spawnCount1 = 2, record.header.weaponCount = 3, record.header.attachCount = 1;
    record.header.spawnCount2 = 1;
    Build();

    const GP_SpriteRecord& read = host->sprites->GetDefinition(id, false)->record;
    EXPECT_TRUE(SameBytes(read.header, record.header));
    for (int s = 0; s < GP_SpriteRecord::StateCount; ++s) EXPECT_TRUE(SameBytes(read.states[s], record.states[s]));
    ASSERT_EQ(read.spawns1.size(), 2u);
    ASSERT_EQ(read.weapons.size(), 3u);
    ASSERT_EQ(read.attachments.size(), 1u);
    ASSERT_EQ(read.spawns2.size(), 1u);
    EXPECT_TRUE(SameBytes(read.spawns1[1], record.spawns1[1]));
    EXPECT_TRUE(SameBytes(read.weapons[2], record.weapons[2]));
    EXPECT_TRUE(SameBytes(read.attachments[0], record.attachments[0]));
    EXPECT_TRUE(SameBytes(read.spawns2[0], record.spawns2[0]));
}

TEST_F(SpriteTest, StatesWithPicturesGetFramesAndMasksAndAStateWithoutGetsNone)
{
    // Two 8 x 6 frames side by side from (4, 2); the left half of each frame is black (transparent in the mask).
    const std::uint32_t picture = AddPicture("strip.bmp", Bmp(24, 10, [](int x, int) {
                                                 return x % 8 < 4 ? Rgb{0, 0, 0} : Rgb{255, 0, 0};
                                             }));
    GP_SpriteRecord record = PlainSprite(8, 6);
    record.header.makeSpans = 1;
    record.states[0].pictureID = picture;
    record.states[0].frameRect = {4, 2, 12, 8};
    record.states[0].columns = 2;
    record.states[3].pictureID = picture;
    const std::uint32_t id = AddSprite("ship", record);
    Build();

    CGP_SpriteDef* def = host->sprites->GetDefinition(id, true);
    ASSERT_NE(def->FramesOf(0), nullptr);
    ASSERT_EQ(def->FramesOf(0)->Count(), 2);
    EXPECT_EQ(def->FramesOf(0)->Get(1)->left, 12);
    EXPECT_EQ(def->FramesOf(0)->Get(1)->bottom, 8);
    EXPECT_EQ(def->FramesOf(1), nullptr);
    EXPECT_EQ(def->MaskOf(1), nullptr);
    ASSERT_NE(def->MaskOf(0), nullptr);
    EXPECT_EQ(def->MaskOf(0)->bytes[2 * 24 + 3], 0);
    EXPECT_NE(def->MaskOf(0)->bytes[2 * 24 + 4], 0);
    EXPECT_NE(def->FramesOf(3), nullptr);
}

TEST_F(SpriteTest, DamagedDefinitionsAreDataErrors)
{
    struct Case {
        const char* name;
        Writer writer;
    };
    const std::vector<Case> cases = {
        {"five states",
         [](CGP_ServerSet& tool) {
             GP_SpriteRecord record = PlainSprite(4, 4);
             tool.binary->WriteData(&record.header);
             tool.binary->Write(static_cast<std::uint16_t>(5));
             for (int s = 0; s < 5; ++s) tool.binary->WriteData(&record.states[s % 4]);
         }},
        {"state of the wrong size",
         [](CGP_ServerSet& tool) {
             GP_SpriteRecord record = PlainSprite(4, 4);
             tool.binary->WriteData(&record.header);
             tool.binary->Write(static_cast<std::uint16_t>(1));
             record.states[0].size = 96;
             tool.binary->WriteData(&record.states[0]);
         }},
        {"list cut short",
         [](CGP_ServerSet& tool) {
             GP_SpriteRecord record = PlainSprite(4, 4);
             record.header.weaponCount = 2;
             tool.binary->WriteData(&record.header);
             tool.binary->Write(static_cast<std::uint16_t>(4));
             for (auto& state : record.states) tool.binary->WriteData(&state);
             GP_WeaponSlot slot;
             tool.binary->WriteData(&slot);
         }},
    };
    std::vector<std::uint32_t> ids;
    for (const Case& c : cases) ids.push_back(AddWritten(Sprites, c.name, c.writer));
    const std::uint32_t grid = AddSprite("no frame grid", [] {
        GP_SpriteRecord record = PlainSprite(0, 4);
        record.states[0].pictureID = 0x10000;
        return record;
    }());
    AddPicture("any.bmp", Bmp(4, 4, [](int, int) { return Rgb{1, 2, 3}; }));
    Build();

    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_TRUE(resourcetest::CatchFatal([&] { host->sprites->GetDefinition(ids[i], false); }).thrown);
    }
    EXPECT_TRUE(resourcetest::CatchFatal([&] { host->sprites->GetDefinition(grid, true); }).thrown);
    EXPECT_TRUE(resourcetest::CatchFatal([&] { host->sprites->GetDefinition(0x20063, false); }).thrown);
}

TEST_F(SpriteTest, NewObjectsAreVisibleAtFullHealthWithTheirBehaviourListAndUpdate)
{
    GP_SpriteRecord gridded = PlainSprite(8, 8);
    gridded.header.inGrid = 1;
    gridded.header.kind = 0x30002;
    gridded.weapons.resize(2);
    gridded.attachments.resize(1);
    gridded.spawns1.resize(1);
    gridded.spawns1[0].intervalBase = 300;
    const std::uint32_t id = AddSprite("gridded", gridded);
    GP_SpriteRecord plain = PlainSprite(8, 8);
    plain.header.behaviourID = 0x20005;  // no behaviour of that index
    const std::uint32_t plainID = AddSprite("plain", plain);
    Build();

    EXPECT_EQ(Create(GP_NoID), nullptr);
    CGP_GameObject* object = Create(id);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->list, host->lists[2].get());
    EXPECT_EQ(host->lists[2]->Count(), 1);
    EXPECT_EQ(*object->spriteID, id);
    EXPECT_EQ(object->visible, 1);
    EXPECT_EQ(object->health, 50.0f);
    EXPECT_EQ(object->behaviour, &host->mover);
    ASSERT_NE(object->stateBlock, nullptr);
    EXPECT_EQ(object->stateBlock->def, &object->def->record);
    EXPECT_TRUE(object->update == &CGP_GameObject::UpdateInGrid);
    EXPECT_EQ(object->weaponTimers.size(), 2u);
    EXPECT_EQ(object->attachments.size(), 1u);
    ASSERT_EQ(object->spawnCounters1.size(), 1u);
    EXPECT_EQ(object->spawnCounters1[0].threshold, 300);

    CGP_GameObject* other = Create(plainID);
    EXPECT_EQ(other->behaviour, nullptr);
    EXPECT_TRUE(other->update == &CGP_GameObject::UpdatePlain);
}

TEST_F(SpriteTest, AnObjectGoneForThreeUpdatesIsRecycledAfresh)
{
    GP_SpriteRecord record = PlainSprite(8, 8);
    record.weapons.resize(1);
    const std::uint32_t id = AddSprite("ship", record);
    Build();
    CGP_ObjectList& list = *host->lists[0];
    CGP_GameObject* object = Create(id);
    object->state = GP_StateGone;
    object->health = -3;
    object->stateBlock->state = 4;
    object->weaponTimers[0].lastShot = 1234;
    object->parent = object;  // anything but null

    for (int update = 0; update < 2; ++update) list.Update(20);
    EXPECT_EQ(list.FindReusable(id), nullptr) << "gone for two updates only";
    CGP_GameObject* fresh = Create(id);
    EXPECT_NE(fresh, object);
    fresh->state = GP_StateGone;

    list.Update(20);
    EXPECT_EQ(Create(id), object);
    EXPECT_EQ(object->state, GP_StateFirst);
    EXPECT_EQ(object->health, 50.0f);
    EXPECT_EQ(object->stateBlock->state, 0);
    EXPECT_EQ(object->weaponTimers[0].lastShot, 0u);
    EXPECT_EQ(object->parent, nullptr);
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(SpriteTest, ObjectsTakeTheirDefinitionsAgainAfterTheManagerReloadsThem)
{
    const std::uint32_t id = AddSprite("ship", PlainSprite(8, 8));
    Build();
    CGP_GameObject* object = Create(id);
    host->sprites->Clear(false);  // the old definition is gone
    host->lists[0]->ReloadDefinitions(host->sprites.get());
    CGP_SpriteDef* reloaded = host->sprites->slots[GP_IndexOf(id)].get();
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(object->def, reloaded);
    EXPECT_EQ(object->stateBlock->def, &reloaded->record);
    EXPECT_EQ(*object->GetWidth(), 8);
}

TEST_F(SpriteTest, AnObjectAFullListRefusesIsNotLeftBehind)
{
    const std::uint32_t id = AddSprite("ship", PlainSprite(8, 8));
    Build();
    CGP_ObjectList& list = *host->lists[0];
    CGP_GameObject other(nullptr);
    *other.spriteID = id + 1;
    while (list.Count() < CGP_PtrList::MaxEntries) list.Add(&other);

    EXPECT_EQ(Create(id), nullptr);  // the sanitizer build reports the object if it were left behind
    EXPECT_EQ(list.Count(), CGP_PtrList::MaxEntries);
    list.objects.count = 0;  // the list does not own the stand-in
}

}  // namespace
