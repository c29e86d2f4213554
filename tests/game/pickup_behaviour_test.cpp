// Pick-ups and the helpers they bring: bonus effects and their messages, weapon levels, the crossing ship, the
// rain, the option's missiles, the shield and the carrier.
#include "BehaviourWorld.h"
#include "GP_BehPickups.h"
#include "GP_BehShots.h"
#include "GP_PlayKinds.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t Pickup = 0x20011, WeaponPickup = 0x20013, Rain = 0x20012, Option = 0x20017, Shield = 0x20019,
                        Carrier = 0x20015, Homing = 0x20018, Shot = 0x20002;
constexpr std::uint32_t PickupKind = 0x30010, PlayerKind = 0x30004, EnemyKind = 0x30001;
constexpr std::uint32_t WeaponA = 0x1B0002, WeaponB = 0x1B0005, NoWeapon = 0x1B000C;
constexpr std::uint32_t OptionID = 0x70020, MissileID = 0x90010, PuffID = 0x90011, EnemyID = 0x90012,
                        ShieldID = 0x70021, EmitterID = 0x70022, DropID = 0x90013, CarrierID = 0x70023,
                        PartID = 0x90014, PlainShotID = 0x90015;
constexpr std::uint32_t OptionWeapon = 0xA0001, PlainWeapon = 0xA0002;

class Pickups : public World {
protected:
    Pickups()
    {
        GP_SpriteRecord& ship = Define(gp_sprites::Player, Sprite(0x2FFFF, PlayerKind, 40, 40));
        ship.states[3].soundID = 0x120001;
        ship.states[1].soundID = 0x120002;
        ship.states[0].soundID = 0x120003;
        player = Create(gp_sprites::Player, 300, 400);
        InGrid(player);
        host.scene->player = player;
        host.hitGroups[PickupKind & 0xFFFF] = {PlayerKind};
    }
    CGP_GameObject* Falling(std::uint32_t id, std::uint32_t behaviour, float y)
    {
        GP_SpriteRecord& record = Define(id, Sprite(behaviour, PickupKind, 16, 16));
        record.header.speed = 0.1f;
        record.header.scoreValue = 100;
        CGP_GameObject* pickup = Create(id, 310, y);
        Step(pickup, 0);
        return pickup;
    }
    std::uint32_t LastSound() const { return host.sounds.empty() ? 0 : host.sounds.back().id; }

    CGP_GameObject* player;
    GP_PlayState& play = host.PlayState();
};

TEST_F(Pickups, EachPickupTakesItsEffectShowsItsMessageAndIsGone)
{
    struct Case {
        std::uint32_t id;
        const char* effect;
    };
    for (const Case c : {Case{0x70010, "option"}, Case{0x70011, "slow motion"}, Case{0x70012, "shield"},
                         Case{0x70013, "life"}, Case{0x70014, "rain"}, Case{0x70015, "score"}}) {
        SCOPED_TRACE(c.effect);
        CGP_GameObject* pickup = Falling(c.id, Pickup, 390);
        Step(pickup, 10);
        EXPECT_EQ(pickup->state, GP_StateGone);
        ASSERT_FALSE(host.messages.empty());
        EXPECT_EQ(host.messages.back().textID, c.id - 0x1FFF0);
        EXPECT_EQ(play.MessageTime, 4000);
        EXPECT_EQ(LastSound(), 0x120001u);
    }
    EXPECT_EQ(play.OptionOn, 1);
    EXPECT_EQ(play.OptionTime, 30000);
    EXPECT_EQ(play.SlowMotion, 1);
    EXPECT_EQ(play.SlowMotionTime, 10000);
    EXPECT_TRUE(host.slowMotionIconShown);
    EXPECT_EQ(play.ShieldOn, 1);
    EXPECT_EQ(play.Lives, 1);
    EXPECT_EQ(play.RainTime, 5000);
    EXPECT_EQ(play.Score, 100);
}

TEST_F(Pickups, TwoRainPickupsAddTenSecondsAndAPickupKeepsFallingOnceTheMissionIsComplete)
{
    Step(Falling(0x70014, Pickup, 390), 10);
    Step(Falling(0x70014, Pickup, 390), 10);
    EXPECT_EQ(play.RainTime, 10000);

    play.MissionComplete = 1;
    CGP_GameObject* late = Falling(0x70013, Pickup, 390);
    Step(late, 10);
    EXPECT_NE(late->state, GP_StateGone);
    EXPECT_EQ(play.Lives, 0);
    Step(late, 1000);
    EXPECT_EQ(late->state, GP_StateGone);  // fell out below the screen
}

TEST_F(Pickups, FourOfAWeaponGiveItsTopLevelAndAnotherWeaponThenChangesNoLevel)
{
    for (int i = 1; i <= 4; ++i) Step(Falling(WeaponA, WeaponPickup, 390), 10);
    EXPECT_EQ(play.WeaponCounts[2], 4);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().textID, 0x5000Du + 2);
    EXPECT_EQ(host.selectedWeapon, 2);

    CGP_GameObject* other = Falling(WeaponB, WeaponPickup, 390);
    Step(other, 10);
    EXPECT_EQ(other->state, GP_StateGone);
    EXPECT_EQ(play.WeaponCounts[2], 4);
    EXPECT_EQ(play.WeaponCounts[5], 0);
    EXPECT_EQ(host.selectedWeapon, 2);
    EXPECT_EQ(play.Score, 500);
    auto* behaviour = static_cast<CGP_WeaponPickupBehaviour*>(host.table.Get(0x13));
    EXPECT_EQ(behaviour->LastWeapon(), WeaponA);
}

TEST_F(Pickups, ABelowTopWeaponIsReplacedByAnotherAndAPickupOfNoWeaponRaisesNothing)
{
    Step(Falling(WeaponA, WeaponPickup, 390), 10);
    Step(Falling(WeaponB, WeaponPickup, 390), 10);
    EXPECT_EQ(play.WeaponCounts[2], 0);
    EXPECT_EQ(play.WeaponCounts[5], 1);
    EXPECT_EQ(host.selectedWeapon, 5);

    CGP_GameObject* stray = Falling(NoWeapon, WeaponPickup, 390);  // index 12
    Step(stray, 10);
    EXPECT_EQ(stray->state, GP_StateGone);
    EXPECT_EQ(play.WeaponCounts[5], 1);
    EXPECT_EQ(host.selectedWeapon, 5);
    EXPECT_EQ(play.Score, 300);
}

class Options : public Pickups {
protected:
    Options()
    {
        GP_SpriteRecord& record = Define(OptionID, Sprite(Option, 0x30017, 48, 16));
        record.header.inGrid = 0;
        GP_WeaponSlot slot;
        slot.weaponID = OptionWeapon;
        record.weapons.push_back(slot);
        for (GP_SpriteState& state : record.states) state.animRate = 1;
        Define(MissileID, Sprite(Homing, 0x30018, 8, 8));
        Define(PuffID, Sprite(0x2FFFF, 0x30019, 8, 8));
        Define(PlainShotID, Sprite(Shot, 0x30018, 8, 8));
        Define(EnemyID, Sprite(0x2FFFF, EnemyKind, 20, 20));
        AddWeapon(OptionWeapon, MissileID, PuffID);
        AddWeapon(PlainWeapon, PlainShotID, GP_NoID);
        option = Create(OptionID, 0, -20);
        option->parent = player;
    }
    void AddWeapon(std::uint32_t id, std::uint32_t projectile, std::uint32_t flash)
    {
        auto weapon = std::make_unique<CGP_Weapon>();
        weapon->record.projectileID = projectile;
        weapon->record.flashID = flash;
        host.weapons[id] = std::move(weapon);
    }
    // Out and working: appear, then work.
    void Out()
    {
        play.OptionOn = 1;
        play.OptionTime = 30000;
        Step(option, 0);
        Step(option, 2);
        ASSERT_EQ(StateOf(option), GP_PickupWork);
    }
    int Live(std::uint32_t id, std::uint16_t list) const
    {
        int live = 0;
        for (std::uint16_t i = 0; i < host.lists[list]->Count(); ++i) {
            const CGP_GameObject* object = host.lists[list]->At(i);
            live += object->state != GP_StateGone && *object->spriteID == id;
        }
        return live;
    }
    CGP_GameObject* option;
};

TEST_F(Options, TheOptionLaunchesOneMissileAtEachEnemyWhileItLivesAndNoneWithoutEnemies)
{
    Out();
    Step(option, 10);
    EXPECT_EQ(Live(MissileID, 0x18), 0);
    CGP_GameObject* enemy = Create(EnemyID, 100, 100);
    Step(option, 10);
    Step(option, 10);
    EXPECT_EQ(Live(MissileID, 0x18), 1);
    EXPECT_EQ(Live(PuffID, 0x19), 1);
    CGP_GameObject* missile = nullptr;
    for (std::uint16_t i = 0; i < host.lists[0x18]->Count(); ++i) missile = host.lists[0x18]->At(i);
    EXPECT_EQ(static_cast<GP_HomingState&>(*missile->stateBlock).target, enemy);
    EXPECT_EQ(*missile->heading, 135);  // the enemy is on the left
    EXPECT_FLOAT_EQ(*missile->x, 304);

    enemy->state = GP_StateGone;
    CGP_GameObject* next = Create(EnemyID, 500, 100);  // the same object again, or another
    Step(option, 10);
    EXPECT_EQ(Live(MissileID, 0x18), 2);
    EXPECT_NE(next, nullptr);
}

TEST_F(Options, AnOptionWhoseWeaponShootsNoMissileLaunchesAShotWithoutWritingATarget)
{
    host.sprites->GetDefinition(OptionID, false)->record.weapons[0].weaponID = PlainWeapon;
    Out();
    Create(EnemyID, 100, 100);
    Step(option, 10);
    ASSERT_EQ(Live(PlainShotID, 0x18), 1);
    CGP_GameObject* shot = host.lists[0x18]->At(0);
    EXPECT_NE(dynamic_cast<GP_ShotState*>(shot->stateBlock.get()), nullptr);
}

TEST_F(Options, TheOptionLeavesWhenItsTimeRunsOut)
{
    Out();
    EXPECT_EQ(play.LevelPose, 0);
    Step(option, 30001);
    EXPECT_EQ(StateOf(option), GP_PickupLeave);
    EXPECT_EQ(play.LevelPose, 1);
    Step(option, 5);
    EXPECT_EQ(play.OptionOn, 0);
    EXPECT_EQ(play.LevelPose, 0);
    EXPECT_EQ(StateOf(option), GP_PickupStart);
}

TEST_F(Pickups, TheShieldRestartsOnEveryShotAndDropsWhenWornOut)
{
    GP_SpriteRecord& record = Define(ShieldID, Sprite(Shield, 0x3001A, 50, 50));
    record.states[1].frameCount = 4;
    record.states[1].animRate = 0.1f;
    record.header.initialHealth = 5;
    CGP_GameObject* shield = Create(ShieldID);
    shield->parent = player;
    Step(shield, 10);
    EXPECT_EQ(StateOf(shield), GP_PickupStart);
    play.ShieldOn = 1;
    Step(shield, 0);
    Step(shield, 20);
    EXPECT_EQ(shield->frameIndex, 2);
    play.ShotFired = 1;
    Step(shield, 10);
    EXPECT_EQ(shield->frameIndex, 0);
    EXPECT_EQ(play.ShotFired, 0);
    shield->health = 1;
    EXPECT_FALSE(shield->Hit(player));
    Step(shield, 10);
    EXPECT_EQ(play.ShieldOn, 0);
    EXPECT_EQ(StateOf(shield), GP_PickupStart);

    // The next shield goes up whole, rather than with the health the last one broke at.
    play.ShieldOn = 1;
    Step(shield, 0);
    EXPECT_EQ(shield->health, record.header.initialHealth);
}

TEST_F(Pickups, TheRainFallsWhileItsTimeLasts)
{
    GP_SpriteRecord& record = Define(EmitterID, Sprite(Rain, 0x3001B, 1, 1));
    GP_SpawnEntry drop;
    drop.spriteID = DropID;
    drop.intervalBase = 100;
    drop.countBase = 1;
    record.spawns1.push_back(drop);
    Define(DropID, Sprite(0x2FFFF, 0x3001C, 4, 4));
    CGP_GameObject* emitter = Create(EmitterID, 5, 5);
    Step(emitter, 50);
    EXPECT_EQ(*emitter->x, 320);
    play.RainOn = 1;
    play.RainTime = 250;
    Step(emitter, 100, 4);
    EXPECT_EQ(play.RainOn, 0);
    EXPECT_EQ(play.RainTime, 0);
    EXPECT_GT(host.lists[0x1C]->CountLive(), 0u);
}

TEST_F(Pickups, ACarrierGoesWhenItsLastAttachmentIsGone)
{
    GP_SpriteRecord& record = Define(CarrierID, Sprite(Carrier, 0x3001D, 40, 40));
    GP_Attachment part;
    part.spriteID = PartID;
    record.attachments = {part, part};
    Define(PartID, Sprite(0x2FFFF, 0x3001E, 10, 10));
    CGP_GameObject* carrier = Create(CarrierID, 100, 100);
    Step(carrier, 0);
    Step(carrier, 10);
    ASSERT_NE(carrier->GetAttachment(1), nullptr);
    carrier->GetAttachment(0)->state = GP_StateGone;
    Step(carrier, 10);
    EXPECT_NE(carrier->state, GP_StateGone);
    carrier->GetAttachment(1)->state = GP_StateGone;
    Step(carrier, 10);
    EXPECT_EQ(carrier->state, GP_StateGone);
}

}  // namespace
}  // namespace behaviourtest
