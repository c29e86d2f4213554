// The pack tool's play entries: sprites, weapons, scenes and level lists written from a manifest and read back
// by the engine's own readers; faults named with their line.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "GP_BinaryServer.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_PlayField.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"
#include "GP_Weapon.h"
#include "PackTool.h"
#include "TempDir.h"
#include "platform/files.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

const char* const PlayManifest = R"(pack campaign
group "Header" kind 0 dir "RESOURCE\BIN\"
levels "layers"
  group "Sprites|ship" "Sprites|shot"
  group
  draw "Levels|shots" "Levels|ships"
name "b"
name "Play"
name "100"
name "1"
name "1"
name ""
name ""
name "Play.tdf"
group "Sprites" kind 7 dir "RESOURCE\SPRITES\"
sprite "shot" behaviour 0x20002 kind 1 heading 90 damage 25 speed 0.4 ingrid 1
  state 0 right 4 bottom 8 cright 4 cbottom 8 frames 1 rate 0.01 loop 1
sprite "ship" behaviour 0x20000 kind 0 health 100 spans 1 score -5 word16 7 word22 24
  state 0 right 32 bottom 24 picture 0x10000 usekey 1 key 0xF81F columns 4 rows 2 sound -1
  state 3 param 1.5 flag 1 value 2
  weapon x 12 y -3 pattern 2 spacing 6 both 1 id "Weapons|gun" distance 10
  attach id "Sprites|shot" x -4 y 5
  spawn id "Sprites|shot" interval 500 intervalrandom 1 intervalspread 100 count 3 countspread 1 countrandom 1 child 1
  spawn2 id -1 speed 0.25 speedspread 0.1 speedrandom 1
group "Weapons" kind 10 dir "RESOURCE\WEAPONS\"
weapon "gun" projectile "Sprites|shot" flash -1 delay 200 random 1 spread 30 x 2 y -7 attached 1
group "Levels" kind 11 dir "RESOURCE\LEVELS\"
name "ships"
name "shots"
scene "stage 1" speed 2 fire 1500 word24 9
  layer 0 picture 0x10000 vertical 1 speed 0.05 wraph 480 shadow 1 usekey 1 key 0
  layer 2 picture 0x10000 speed -0.1 wrapw 640 x 5
  object sprite "Sprites|ship" x 300 y 400
  object sprite "Sprites|shot" x 10.5 y 20 delay 1000 spread 100 heading 45 depth 3
  uses "Sprites|ship" "Sprites|shot"
)";

struct Pack {
    explicit Pack(const std::filesystem::path& path) : file(platform::OpenFile(path.string(), "rb"), std::fclose)
    {
        std::uint32_t trailer = 0;
        EXPECT_EQ(std::fread(&trailer, 4, 1, file.get()), 1u);
        std::fseek(file.get(), trailer + 4, SEEK_SET);
        names.Load(file.get(), true);
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file;
    CGP_NameServer names;
    std::unique_ptr<CGP_IOManager> io = std::make_unique<CGP_IOManager>(file.get(), nullptr, &names, nullptr);
    CGP_ServerSet servers{nullptr, io.get(), nullptr, 1033};

    CGP_BinaryServer& Open(std::uint32_t id)
    {
        EXPECT_TRUE(servers.binary->OpenRead(id));
        return *servers.binary;
    }
};

int BuildPack(const std::filesystem::path& dir, const std::string& manifest, std::string& err)
{
    WriteFile(dir / "m.txt", manifest);
    std::ostringstream out, errors;
    const int code = packtool::RunPackTool({"build", dir / "m.txt", dir / "Play.tdf"}, out, errors);
    err = errors.str();
    return code;
}

TEST(PlayWriters, SpritesWeaponsScenesAndLevelListsReadBackAsWritten)
{
    TempDir dir;
    std::string err;
    ASSERT_EQ(BuildPack(dir.path(), PlayManifest, err), 0) << err;
    Pack pack(dir / "Play.tdf");

    pack.Open(0x10001);
    CGP_SpriteDef ship(nullptr);
    ship.Load(&pack.servers, false);
    const GP_SpriteRecord& r = ship.record;
    EXPECT_EQ(r.header.behaviourID, 0x20000u);
    EXPECT_EQ(r.header.makeSpans, 1);
    EXPECT_EQ(r.header.scoreValue, -5);
    EXPECT_EQ(r.header.word16, 7u);
    EXPECT_EQ(r.header.word22, 24);
    EXPECT_EQ(r.states[0].frameRect, (platform::Rect{0, 0, 32, 24}));
    EXPECT_EQ(r.states[0].colorKey, 0xF81Fu);
    EXPECT_EQ(r.states[0].rows, 2);
    EXPECT_EQ(r.states[0].soundID, GP_NoID);
    EXPECT_EQ(r.states[1].pictureID, GP_NoID) << "states not given keep a new definition's values";
    EXPECT_FLOAT_EQ(r.states[3].stateParam, 1.5f);
    ASSERT_EQ(r.weapons.size(), 1u);
    EXPECT_EQ(r.weapons[0].weaponID, 0x20000u);
    EXPECT_EQ(r.weapons[0].muzzleY, -3);
    EXPECT_EQ(r.weapons[0].bothBarrels, 1);
    ASSERT_EQ(r.attachments.size(), 1u);
    EXPECT_EQ(r.attachments[0].spriteID, 0x10000u);
    ASSERT_EQ(r.spawns1.size(), 1u);
    EXPECT_EQ(r.spawns1[0].intervalSpread, 100);
    EXPECT_EQ(r.spawns1[0].asChild, 1);
    ASSERT_EQ(r.spawns2.size(), 1u);
    EXPECT_FLOAT_EQ(r.spawns2[0].speedSpread, 0.1f);

    pack.Open(0x20000);
    CGP_Weapon gun;
    gun.Read(&pack.servers);
    EXPECT_EQ(gun.record.projectileID, 0x10000u);
    EXPECT_EQ(gun.record.delaySpread, 30u);
    EXPECT_EQ(gun.record.projectileY, -7);
    EXPECT_EQ(gun.record.flashAttached, 1);

    pack.Open(0x30002);
    GP_SceneRecord scene;
    CGP_PlayField field(nullptr, 10, 10);
    scene.Read(&pack.servers, field);
    EXPECT_FLOAT_EQ(scene.parameters.speed, 2.0f);
    EXPECT_EQ(scene.parameters.word24, 9u);
    EXPECT_EQ(field.Fields()->layers[0].wrapHeight, 480);
    EXPECT_EQ(field.Fields()->layers[1].pictureID, GP_NoID);
    EXPECT_EQ(field.Fields()->layers[2].initialX, 5);
    ASSERT_EQ(scene.objects.size(), 2u);
    EXPECT_FLOAT_EQ(scene.objects[1].x, 10.5f);
    EXPECT_EQ(scene.objects[1].startDelaySpread, 100);
    EXPECT_EQ(scene.objects[0].startDelaySpread, 1);
    EXPECT_EQ(scene.spriteIDs, (std::vector<std::uint32_t>{0x10001, 0x10000}));

    CGP_BinaryServer& levels = pack.Open(0);
    std::vector<std::uint32_t> words(8);
    for (std::uint32_t& word : words) levels.Read(word);
    EXPECT_EQ(words, (std::vector<std::uint32_t>{2, 2, 0x10001, 0x10000, 0, 2, 0x30001, 0x30000}));
}

TEST(PlayWriters, FaultsAreNamedWithTheirLine)
{
    const std::string head =
        "pack campaign\ngroup \"Header\" kind 0 dir \"RESOURCE\\BIN\\\"\n"
        "group \"S\" kind 7 dir \"RESOURCE\\S\\\"\n";
    const struct {
        std::string body;
        const char* message;
    } cases[] = {
        {"sprite \"a\" colour 3\n", "line 4: no such option here: colour"},
        {"sprite \"a\"\n  state 4 left 0\n", "line 5: state is numbered 0 to 3"},
        {"sprite \"a\"\n  state 1 left\n", "line 5: every option needs a value"},
        {"sprite \"a\"\n  turret x 1\n", "line 5: a sprite's lines are state, weapon, attach, spawn and spawn2"},
        {"sprite \"a\" speed fast\n", "line 4: not a number: fast"},
        {"scene \"a\"\n  layer 3 speed 1\n", "line 5: layer is numbered 0 to 2"},
        {"scene \"a\"\n  object sprite \"S|b\"\n", "line 5: no such name: S|b"},
        {"weapon \"a\" delay 5\n  x 1\n", "line 5: a weapon takes no indented lines"},
        {"levels \"a\"\n  draw 1\n  draw 2\n", "line 6: the drawing order was given already"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        TempDir dir;
        std::string err;
        EXPECT_NE(BuildPack(dir.path(), head + c.body, err), 0);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
}

}  // namespace
