// The demo campaign as the build ships it: its fixed IDs are where the game looks for them, and what its stages
// place reaches every behaviour, pick-up and special weapon, with no reference left dangling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DistDir.h"
#include "FormTextsFit.h"
#include "GP_BinaryServer.h"
#include "GP_Display.h"
#include "GP_IOManager.h"
#include "GP_NameGroup.h"
#include "GP_NameServer.h"
#include "GP_PlayField.h"
#include "GP_Scene.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"
#include "GP_Weapon.h"
#include "platform/files.h"

namespace {

constexpr std::uint32_t PictureKind = 1, SoundKind = 2, FontKind = 3, TextKind = 4, SpriteKind = 7, FormKind = 8,
                        WeaponKind = 10, LevelListKind = 11, MissionKind = 15;
constexpr std::uint32_t ShipSprite = 0x70004;

std::string DistFolder() { return testsupport::DistDir() + "/RESOURCE/"; }

// The built pack, opened as the game opens a campaign's: its name table and the resources behind the names.
class DemoPack {
public:
    DemoPack() : file(platform::OpenFile(DistFolder() + "Demo.tdf", "rb"), std::fclose)
    {
        if (!file) return;
        std::uint32_t trailer = 0;
        if (std::fread(&trailer, 4, 1, file.get()) != 1 || std::fseek(file.get(), trailer + 4, SEEK_SET) != 0) return;
        names.Load(file.get(), true);
        io = std::make_unique<CGP_IOManager>(file.get(), nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
    }

    std::uint32_t KindOf(std::uint32_t id) const
    {
        const GP_NameGroup* group = names.GetGroup(id >> 16);
        return group ? group->resourceKind : 0xFFFFFFFF;
    }
    // The ID names a resource of the kind whose data the pack holds.
    bool Holds(std::uint32_t id, std::uint32_t kind) const
    {
        return KindOf(id) == kind && names.GetEntry(id & 0xFFFF, id >> 16)->locator != GP_NoLocator;
    }
    // Width and height of a BMP picture; 0, 0 when the resource is none.
    std::pair<int, int> PictureSize(std::uint32_t id)
    {
        std::FILE* stream = Holds(id, PictureKind) ? io->OpenRead(id) : nullptr;
        unsigned char header[26] = {};
        if (!stream || std::fread(header, sizeof header, 1, stream) != 1 || header[0] != 'B' || header[1] != 'M')
            return {0, 0};
        auto i32 = [&](int at) {
            return header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24;
        };
        return {i32(18), std::abs(i32(22))};
    }
    std::unique_ptr<CGP_SpriteDef> Sprite(std::uint32_t id)
    {
        auto def = std::make_unique<CGP_SpriteDef>(nullptr);
        if (!Holds(id, SpriteKind) || !servers->binary->OpenRead(id)) return nullptr;
        def->Load(servers.get(), false);
        return def;
    }
    GP_WeaponRecord Weapon(std::uint32_t id)
    {
        CGP_Weapon weapon;
        if (Holds(id, WeaponKind) && servers->binary->OpenRead(id)) weapon.Read(servers.get());
        return weapon.record;
    }
    std::vector<std::uint32_t> Stages(std::uint32_t missionID)
    {
        std::vector<std::uint32_t> ids;
        std::FILE* stream = io->OpenRead(missionID);
        std::uint16_t count = 0;
        if (!stream || std::fread(&count, 2, 1, stream) != 1) return ids;
        ids.resize(count);
        if (count && std::fread(ids.data(), 4, count, stream) != count) ids.clear();
        return ids;
    }
    GP_SceneRecord Scene(std::uint32_t id)
    {
        GP_SceneRecord scene;
        CGP_PlayField field(nullptr, 10, 10);
        if (servers->binary->OpenRead(id)) scene.Read(servers.get(), field);
        return scene;
    }

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file;
    CGP_NameServer names;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
};

// Everything a set of scenes can bring into play: the sprites their objects are, and from each sprite its
// weapons' shots and flashes, its attachments and both spawn lists, with every fault found on the way.
struct Reach {
    std::set<std::uint32_t> sprites, behaviours, sounds;
    std::vector<std::string> faults;

    void Fault(std::uint32_t id, const std::string& what)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%X: ", id);
        faults.push_back(text + what);
    }
    void Walk(DemoPack& pack, std::uint32_t id)
    {
        if (id == GP_NoID || !sprites.insert(id).second) return;
        const std::unique_ptr<CGP_SpriteDef> def = pack.Sprite(id);
        if (!def) return Fault(id, "no sprite definition");
        const GP_SpriteRecord& r = def->record;
        behaviours.insert(r.header.behaviourID);
        if (pack.KindOf(r.header.kind) != LevelListKind) Fault(id, "its kind names no object list");
        for (const GP_SpriteState& state : r.states) CheckState(pack, id, state);
        for (const GP_WeaponSlot& slot : r.weapons) {
            if (slot.weaponID == GP_NoID) continue;
            if (!pack.Holds(slot.weaponID, WeaponKind)) Fault(id, "a weapon slot names no weapon");
            const GP_WeaponRecord weapon = pack.Weapon(slot.weaponID);
            Walk(pack, weapon.projectileID);
            Walk(pack, weapon.flashID);
        }
        for (const GP_Attachment& attachment : r.attachments) Walk(pack, attachment.spriteID);
        for (const auto* list : {&r.spawns1, &r.spawns2})
            for (const GP_SpawnEntry& entry : *list) Walk(pack, entry.spriteID);
    }
    // A state with a picture has its frames inside the picture; one without shows nothing (an empty frame,
    // since the engine draws a white box of the frame's size).
    void CheckState(DemoPack& pack, std::uint32_t id, const GP_SpriteState& state)
    {
        if (state.soundID != GP_NoID && !pack.Holds(state.soundID, SoundKind)) Fault(id, "a state names no sound");
        if (state.soundID != GP_NoID) sounds.insert(state.soundID);
        if (state.pictureID == GP_NoID) {
            if (state.FrameWidth() > 0 && state.FrameHeight() > 0) Fault(id, "a state without picture has a frame");
            return;
        }
        const auto [width, height] = pack.PictureSize(state.pictureID);
        const bool inside = state.frameCount >= 1 && state.columns * state.rows >= state.frameCount &&
                            state.frameRect.left + state.FrameWidth() * state.columns <= width &&
                            state.frameRect.top + state.FrameHeight() * state.rows <= height &&
                            state.FrameWidth() > 0 && state.FrameHeight() > 0;
        if (!inside) Fault(id, "a state's frames lie outside its picture");
    }
};

class DemoCampaign : public ::testing::Test {
protected:
    DemoPack pack;
};

TEST_F(DemoCampaign, TheFixedIDsAreWhereTheGameLooksForThem)
{
    ASSERT_TRUE(pack.file);
    struct Fixed {
        std::uint32_t first, last, kind;
    };
    const Fixed fixed[] = {
        {0x50002, 0x50002, TextKind},   {0x50004, 0x50005, TextKind},   {0x5000D, 0x50015, TextKind},
        {0x50020, 0x50025, TextKind},   {0x50031, 0x50032, TextKind},   {0x50034, 0x50036, TextKind},
        {0x5003C, 0x5003E, TextKind},   {0x50040, 0x50040, TextKind},   {0xA0000, 0xA0002, FormKind},
        {0xA000F, 0xA0010, FormKind},   {0x160000, 0x160000, FontKind}, {0x70004, 0x70004, SpriteKind},
        {0x7000F, 0x70015, SpriteKind}, {0x60015, 0x60015, SpriteKind}, {0x8002C, 0x8002C, SpriteKind},
        {0x90000, 0x90000, SpriteKind}, {0x90013, 0x90013, SpriteKind}, {0x1B0000, 0x1B0008, SpriteKind},
    };
    for (const Fixed& f : fixed)
        for (std::uint32_t id = f.first; id <= f.last; ++id) {
            if (id >= 0x70005 && id < 0x7000F) continue;
            EXPECT_TRUE(pack.Holds(id, f.kind)) << std::hex << id;
        }
    const struct {
        std::uint32_t id;
        int width, height;
    } pictures[] = {{0xC0000, 39, 33},  {0xC0009, 16, 10},  {0xC0010, 29, 29}, {0xC001A, 162, 57},
                    {0xC001C, 306, 34}, {0xC0021, 140, 17}, {0xF0003, 18, 18}, {0xF0026, 640, 480}};
    for (const auto& p : pictures)
        EXPECT_EQ(pack.PictureSize(p.id), std::make_pair(p.width, p.height)) << std::hex << p.id;
    const struct {
        std::uint32_t sprite, behaviour;
    } roles[] = {{0x70004, 0x20000}, {0x7000F, 0x20019}, {0x70010, 0x20011}, {0x70015, 0x20011},  {0x60015, 0x20001},
                 {0x8002C, 0x2002C}, {0x90000, 0x20002}, {0x90013, 0x2000C}, {0x1B0000, 0x20013}, {0x1B0008, 0x20013}};
    for (const auto& role : roles) {
        const auto def = pack.Sprite(role.sprite);
        ASSERT_NE(def, nullptr) << std::hex << role.sprite;
        EXPECT_EQ(def->record.header.behaviourID, role.behaviour) << std::hex << role.sprite;
    }
    EXPECT_EQ(pack.names.GetCount(6), 50u) << "behaviours";
    EXPECT_EQ(pack.names.GetCount(9), 77u) << "actions";
    for (std::uint32_t k = 1; k <= 3; ++k)
        EXPECT_STREQ(pack.names.GetName(k, 25), ("Mission" + std::to_string(k) + ".mid").c_str());
}

TEST_F(DemoCampaign, ItsStagesBringEveryBehaviourPickupAndWeaponIntoPlay)
{
    ASSERT_TRUE(pack.file);
    Reach reach;
    std::uint32_t lastStage = GP_NoID;
    for (std::uint32_t m = 0; m < pack.names.GetCount(MissionKind); ++m) {
        const std::vector<std::uint32_t> stages =
            pack.Stages(pack.names.GetID(static_cast<std::int32_t>(m), MissionKind));
        EXPECT_GE(stages.size(), 3u) << "mission " << m;
        for (std::uint32_t stage : stages) {
            const GP_SceneRecord scene = pack.Scene(stage);
            EXPECT_NE(scene.parameters.speed, 0.0f) << std::hex << stage;
            EXPECT_EQ(std::count_if(scene.objects.begin(), scene.objects.end(),
                                    [](const GP_GameObjectBlock& o) { return o.spriteID == ShipSprite; }),
                      1)
                << "stage " << std::hex << stage << " holds one ship";
            for (const GP_GameObjectBlock& object : scene.objects) reach.Walk(pack, object.spriteID);
            lastStage = stage;
        }
    }
    EXPECT_EQ(reach.faults, std::vector<std::string>{});
    for (std::uint32_t behaviour = 0x20000; behaviour <= 0x20031; ++behaviour)
        EXPECT_TRUE(reach.behaviours.count(behaviour)) << std::hex << behaviour;
    for (std::uint32_t pickup = 0x70010; pickup <= 0x70015; ++pickup)
        EXPECT_TRUE(reach.sprites.count(pickup)) << std::hex << pickup;
    for (std::uint32_t weapon = 0x1B0000; weapon <= 0x1B0008; ++weapon)
        EXPECT_TRUE(reach.sprites.count(weapon)) << std::hex << weapon;
    const auto ship = pack.Sprite(ShipSprite);
    ASSERT_NE(ship, nullptr);
    EXPECT_EQ(ship->record.weapons.size(), 10u) << "the plain shot and the nine specials";

    // The last stage ends with a boss of parts: a controller holding ten or more parts.
    const GP_SceneRecord finale = pack.Scene(lastStage);
    const bool boss = std::any_of(finale.objects.begin(), finale.objects.end(), [&](const GP_GameObjectBlock& o) {
        const auto def = pack.Sprite(o.spriteID);
        return def && def->record.attachments.size() >= 10;
    });
    EXPECT_TRUE(boss);
}

// Every mission plays music of its own, a Standard MIDI File in the runnable tree, and its stages make sounds.
TEST_F(DemoCampaign, EveryMissionHasMusicOfItsOwnAndSounds)
{
    ASSERT_TRUE(pack.file);
    const std::uint32_t missions = pack.names.GetCount(MissionKind);
    std::set<std::string> tunes;
    for (std::uint32_t m = 0; m < missions; ++m) {
        SCOPED_TRACE(m);
        Reach reach;
        for (std::uint32_t stage : pack.Stages(pack.names.GetID(static_cast<std::int32_t>(m), MissionKind)))
            for (const GP_GameObjectBlock& object : pack.Scene(stage).objects) reach.Walk(pack, object.spriteID);
        EXPECT_FALSE(reach.sounds.empty());
        const char* name = pack.names.GetName(static_cast<std::uint16_t>(m + 1), 25);
        ASSERT_NE(name, nullptr);
        const std::string path = testsupport::DistDir() + "/RESOURCE/MUSIC/" + name;
        std::ifstream in(path, std::ios::binary);
        const std::string tune((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(tune.substr(0, 4), "MThd") << path;
        tunes.insert(tune);
    }
    EXPECT_EQ(tunes.size(), missions);
}

// The campaign's forms, their pictures loaded into surfaces of a headless display.
class DemoCampaignForms : public DemoCampaign {
protected:
    void SetUp() override
    {
        ASSERT_EQ(display.Init(), GP_DisplayOk);
        ASSERT_EQ(display.SetFullScreen(0, reinterpret_cast<HWND>(0x1000), 640, 480, 16), GP_DisplayOk);
        GP_PublishDisplayValues(&display);
    }
    void TearDown() override { GP_DisplayPtr = nullptr; }

    std::unique_ptr<CGP_Form> Load(std::uint32_t id)
    {
        auto form = std::make_unique<CGP_Form>(nullptr, nullptr, nullptr);
        if (pack.servers->binary->OpenRead(id)) form->Load(pack.servers.get());
        return form;
    }
    const formtexts::FormLoader load = [this](std::uint32_t id) { return Load(id); };

    CGP_Display display;
};

// The mission forms, the final form and the in-game menu: every text fits its label in the four languages; the
// mission forms have no hint of their own, so their hint line shows the hovered mission's hint or nothing.
TEST_F(DemoCampaignForms, ItsFormsTextsFitAndTheMissionHintLineShowsOnlyAMissionsHint)
{
    formtexts::ExpectTextsFitTheirLabels(*pack.servers, pack.names, {0xA0000, 0xA0001, 0xA0002, 0xA000F, 0xA0010},
                                         load);
    for (std::uint32_t id : {0xA0000u, 0xA0001u, 0xA0002u})
        EXPECT_EQ(load(id)->Block<GP_ControlBlock>()->hintTextID, GP_NoID) << std::hex << id;
}

// The campaign's forms carry no words in their pictures: the headings, the mission names and every button's
// caption are labels, so that with German chosen the player reads German.
TEST_F(DemoCampaignForms, ItsHeadingsAndCaptionsAreLabelsInThePlayersLanguage)
{
    formtexts::ExpectEveryButtonCaptioned({0xA0000, 0xA0001, 0xA0002, 0xA000F, 0xA0010}, load);
    const struct {
        std::uint32_t form;
        const char* english;
        const char* german;
    } shown[] = {
        {0xA0000, "THE DEMO CAMPAIGN", "DIE DEMO-KAMPAGNE"},
        {0xA0000, "1  Nebula Gate", "1  Nebeltor"},
        {0xA0001, "2  Ember Reach", "2  Glutweite"},
        {0xA0002, "3  The Bastion", "3  Die Bastion"},
        {0xA000F, "VICTORY", "SIEG"},
    };
    for (const auto& text : shown)
        for (const auto& [language, expected] : {std::pair{1033u, text.english}, std::pair{1031u, text.german}}) {
            pack.servers->text->SetLanguage(language, true);
            const auto form = load(text.form);
            std::vector<std::string> labels;
            for (std::size_t i = 0; i < form->ControlCount(); ++i) {
                const auto* label = form->GetControl(i)->Block<GP_LabelBlock>();
                if (formtexts::IsLabel(label->type) && label->textID != GP_NoID)
                    labels.emplace_back(pack.servers->text->GetText(label->textID));
            }
            EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end())
                << std::hex << "form " << text.form << std::dec << " language " << language << ": " << expected;
        }
}

}  // namespace
