// Every behaviour of the table driven through each of its states on data that is empty or zero wherever a
// campaign's data can make it so: strips of no, one or two frames, no rates, state parameters, intervals, speeds
// or health, sprites as wide as the screen or wider, spawn entries of nothing, boss slots without parts, with
// and without a player on the scene. None may crash, divide by zero, write past a block or create without end.
#include <string>

#include "BehaviourWorld.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t FirstBehaviour = 0x20000, LastBehaviour = 0x20031;
constexpr std::uint32_t SubjectKind = 0x30001, ChildKind = 0x30007, ShotKind = 0x30002, PlayerKind = 0x30004;
constexpr std::uint32_t SubjectID = 0x90020, ChildID = 0x90021, PartID = 0x90022, ShotID = 0x90023;
constexpr int Slots = 17;
constexpr std::size_t MostObjects = 4000;

struct BadData {
    int frames;
    int width;
    float health;
    bool player;
    bool childFirst;  // the first spawn list names a sprite (else an entry of none)
};

class BadDataWorld : public World {
protected:
    BadDataWorld()
    {
        Define(gp_sprites::Player, Sprite(0x2FFFF, PlayerKind, 32, 32));
        Define(ChildID, Sprite(0x2FFFF, ChildKind, 4, 4));
        Define(PartID, Sprite(0x2FFFF, SubjectKind, 10, 10)).header.inGrid = 0;
        Define(ShotID, Sprite(0x2FFFF, ShotKind, 4, 4)).header.damage = 1;
        for (std::uint16_t kind : {1, 2, 4, 7}) host.hitGroups[kind] = {SubjectKind, ShotKind, PlayerKind, ChildKind};
    }

    void DefineSubject(std::uint32_t behaviour, const BadData& c)
    {
        GP_SpriteRecord record = Sprite(behaviour, SubjectKind, c.width, 16);
        record.header.initialHealth = c.health;
        for (GP_SpriteState& state : record.states) state.frameCount = c.frames;  // rates and parameters stay 0
        GP_SpawnEntry nothing;
        GP_SpawnEntry child;
        child.spriteID = ChildID;
        record.spawns1.push_back(c.childFirst ? child : nothing);
        record.spawns2.push_back(c.childFirst ? nothing : child);
        for (int i = 0; i < Slots; ++i) {
            GP_Attachment slot;
            slot.spriteID = i % 3 == 0 ? GP_NoID : PartID;
            record.attachments.push_back(slot);
        }
        Define(SubjectID, record);
    }

    std::size_t ObjectCount() const
    {
        std::size_t count = 0;
        for (const auto& list : host.lists) count += list->Count();
        return count;
    }
};

TEST_F(BadDataWorld, EveryBehaviourRunsEveryStateOnEmptyOrZeroDataWithoutFault)
{
    const BadData cases[] = {
        {0, 16, 10, true, true}, {1, 640, 0, false, false}, {2, 700, 0, true, false}, {2, 16, 10, false, true}};
    for (const BadData& c : cases) {
        for (std::uint32_t behaviour = FirstBehaviour; behaviour <= LastBehaviour; ++behaviour) {
            host.scene->player = c.player ? Create(gp_sprites::Player, 300, 400) : nullptr;
            DefineSubject(behaviour, c);
            for (std::int32_t state = 0; state < 8; ++state) {
                SCOPED_TRACE(testing::Message()
                             << std::hex << behaviour << std::dec << " state " << state << " frames " << c.frames
                             << " width " << c.width << (c.player ? " with" : " without") << " player");
                CGP_GameObject* object = Create(SubjectID, 300, 100);
                ASSERT_NE(object, nullptr);
                Step(object, 16);
                object->stateBlock->state = state;
                for (int frame = 0; frame < 4 && object->state != GP_StateGone; ++frame) Step(object, frame ? 16 : 0);
                if (object->state != GP_StateGone) object->Hit(Create(ShotID, 300, 100));
                if (object->state != GP_StateGone) Step(object, 16);
                ASSERT_LT(ObjectCount(), MostObjects);
            }
            for (auto& list : host.lists) list->DeleteAll();  // as a stage ends
            host.PlayState().LaunchedObject = nullptr;
            host.scene->player = nullptr;
        }
    }
}

}  // namespace
}  // namespace behaviourtest
