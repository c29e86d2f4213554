// Scenes: the resource through its writer and reader onto a play field, the objects it places with their start
// delays spread, the player, the level's definitions preloaded, and damaged scenes.
#include <gtest/gtest.h>

#include "PlayPack.h"

using namespace playtest;
using interfacepack::Bmp;
using interfacepack::Rgb;

namespace {

class SceneTest : public PlayPackTest {
protected:
    SceneTest()
    {
        // The player's sprite is 0x70004: groups up to 7, the ships' group with names up to index 4.
        AddGroup("Unused 5", "UNUSED5", 0);
        AddGroup("Unused 6", "UNUSED6", 0);
        AddGroup("Ships", "SHIPS", 7);
        for (const char* name : {"a", "b", "c", "d"}) source.AddName(name, Ships, 0);
        playerID = AddWritten(Ships, "player", [](CGP_ServerSet& tool) {
            CGP_SpriteDef def(nullptr);
            def.record = PlainSprite(20, 20);
            def.Save(&tool);
        });
    }

    static GP_GameObjectBlock Placed(std::uint32_t sprite, float x, float y, std::int32_t delay = 0,
                                     std::int32_t spread = 1)
    {
        GP_GameObjectBlock block{};
        block.size = sizeof block;
        block.type = GP_TypeGameObject;
        block.spriteID = sprite;
        block.x = x, block.y = y;
        block.startDelay = delay;
        block.startDelaySpread = spread;
        return block;
    }

    static GP_LayerRecord NoLayer()
    {
        GP_LayerRecord layer{};
        layer.pictureID = GP_NoID;
        return layer;
    }

    std::uint32_t AddScene(const std::string& name, GP_SceneRecord record, GP_LayerRecord layer = NoLayer())
    {
        return AddWritten(Scenes, name, [record, layer](CGP_ServerSet& tool) mutable {
            CGP_PlayField field(nullptr, 10, 10);
            field.Fields()->layers[0] = layer;
            record.Write(&tool, field);
        });
    }

    // The scene as the main frame's stage start makes it: a 10 x 10 field, then Load with both flags.
    std::unique_ptr<CGP_Scene> Load(std::uint32_t id)
    {
        auto scene = std::make_unique<CGP_Scene>(host.get());
        scene->playField = std::make_unique<CGP_PlayField>(host.get(), 10, 10);
        EXPECT_TRUE(servers->binary->OpenRead(id));
        scene->Load(servers.get(), true, true);
        return scene;
    }

    static constexpr std::uint16_t Ships = 7;
    std::uint32_t playerID = 0;
};

TEST_F(SceneTest, ASceneCreatesItsObjectsOnItsFieldAndFindsThePlayer)
{
    const std::uint32_t enemy = AddSprite("enemy", PlainSprite(16, 16));
    const std::uint32_t shot = AddSprite("shot", PlainSprite(2, 2));
    GP_LayerRecord layer{};
    layer.pictureID = AddPicture("sky.bmp", Bmp(64, 48, [](int, int) { return Rgb{10, 20, 200}; }));
    layer.speed = 0.05f;
    layer.vertical = 1;
    layer.wrapHeight = 48;
    layer.initialY = 7;
    GP_SceneRecord record;
    record.parameters.speed = 4.0f;
    record.parameters.enemyFirePeriod = 1500;
    record.parameters.word12 = 0xABCD;
    record.objects = {Placed(enemy, 100, 40), Placed(playerID, 300, 400), Placed(GP_NoID, 0, 0)};
    record.objects[0].value68 = 77;
    record.spriteIDs = {enemy, shot};
    const std::uint32_t id = AddScene("level 1", record, layer);
    Build();

    std::unique_ptr<CGP_Scene> scene = Load(id);
    EXPECT_FLOAT_EQ(scene->speedFactor, 0.25f);
    EXPECT_EQ(scene->parameters->enemyFirePeriod, 1500.0f);
    EXPECT_EQ(scene->parameters->word12, 0xABCDu);
    ASSERT_EQ(scene->objects.GetCount(), 2) << "an object block of sprite -1 creates nothing";
    auto* first = static_cast<CGP_GameObject*>(scene->objects.Get(0));
    EXPECT_FLOAT_EQ(*first->x, 100.0f);
    EXPECT_EQ(*first->value68, 77u);
    EXPECT_EQ(first->playField, scene->playField.get());
    EXPECT_EQ(scene->player, scene->objects.Get(1));
    EXPECT_EQ(host->player, scene->player);
    ASSERT_EQ(scene->spriteIDs.GetCount(), 2);
    EXPECT_EQ(GP_EntryToID(scene->spriteIDs.Get(1)), shot);
    EXPECT_NE(host->sprites->slots[GP_IndexOf(shot)], nullptr) << "preloaded";
    EXPECT_NE(scene->playField->layers[0].surface, nullptr);
    EXPECT_FLOAT_EQ(scene->playField->layers[0].y, 7.0f);
    EXPECT_EQ(scene->playField->layers[1].surface, nullptr);
}

TEST_F(SceneTest, StartDelaysWithASpreadLandWithinIt)
{
    const std::uint32_t enemy = AddSprite("enemy", PlainSprite(16, 16));
    GP_SceneRecord record;
    for (int i = 0; i < 300; ++i) record.objects.push_back(Placed(enemy, 0, 0, 1000, 100));
    record.objects.push_back(Placed(enemy, 0, 0, 0, 100));    // no delay: nothing to spread
    record.objects.push_back(Placed(enemy, 0, 0, 500, -50));  // a negative spread is none
    record.objects.push_back(Placed(enemy, 0, 0, 500, 0));
    const std::uint32_t id = AddScene("level", record);
    Build();

    std::unique_ptr<CGP_Scene> scene = Load(id);
    ASSERT_EQ(scene->objects.GetCount(), 303);
    std::int32_t lowest = INT32_MAX, highest = INT32_MIN;
    for (int i = 0; i < 300; ++i) {
        const std::int32_t delay = *static_cast<CGP_GameObject*>(scene->objects.Get(i))->startDelay;
        lowest = std::min(lowest, delay);
        highest = std::max(highest, delay);
    }
    EXPECT_GE(lowest, 901);
    EXPECT_LE(highest, 1100);
    EXPECT_LT(lowest, 920);
    EXPECT_GT(highest, 1080);
    for (auto [index, delay] : {std::pair{300, 0}, {301, 500}, {302, 500}})
        EXPECT_EQ(*static_cast<CGP_GameObject*>(scene->objects.Get(index))->startDelay, delay) << index;
}

TEST_F(SceneTest, DamagedScenesAreDataErrors)
{
    const std::uint32_t enemy = AddSprite("enemy", PlainSprite(16, 16));
    std::vector<std::uint32_t> damaged;
    damaged.push_back(AddWritten(Scenes, "short parameters", [](CGP_ServerSet& tool) {
        GP_SceneParameters parameters;
        parameters.size = 24;
        tool.binary->WriteData(&parameters);
    }));
    damaged.push_back(AddWritten(Scenes, "missing objects", [enemy](CGP_ServerSet& tool) {
        GP_SceneRecord record;
        CGP_PlayField field(nullptr, 10, 10);
        GP_GameObjectBlock block = Placed(enemy, 1, 2);
        tool.binary->WriteData(&record.parameters);
        field.Write(&tool);
        tool.binary->Write(static_cast<std::uint16_t>(3));
        tool.binary->WriteData(&block);
    }));
    damaged.push_back(AddWritten(Scenes, "object of the wrong size", [enemy](CGP_ServerSet& tool) {
        GP_SceneRecord record;
        record.objects.push_back(Placed(enemy, 1, 2));
        CGP_PlayField field(nullptr, 10, 10);
        tool.binary->WriteData(&record.parameters);
        field.Write(&tool);
        tool.binary->Write(static_cast<std::uint16_t>(1));
        record.objects[0].size = 64;
        tool.binary->WriteData(&record.objects[0]);
    }));
    Build();
    for (std::uint32_t id : damaged) {
        SCOPED_TRACE(names.GetName(GP_IndexOf(id), GP_GroupOf(id)));
        EXPECT_TRUE(resourcetest::CatchFatal([&] { Load(id); }).thrown);
    }
    CGP_Scene fieldless(host.get());
    EXPECT_TRUE(resourcetest::CatchFatal([&] { fieldless.Load(servers.get(), false, false); }).thrown);
}

}  // namespace
