// The player's ship on a fake clock: entering, steering and leaning, the plain and the special shots, the
// hidden mode's weapon choice, blinking invulnerability, the loss of a ship with the enemies pushed back, the
// return after the pause, and the last loss that ends the game.
#include "BehaviourWorld.h"
#include "GP_BehFormation.h"
#include "GP_BehPlayerShip.h"
#include "GP_IOManager.h"
#include "GP_PlayKinds.h"
#include "GP_ServerSet.h"
#include "platform/win32_time.h"

namespace behaviourtest {
namespace {

constexpr std::uint32_t ShipBehaviour = 0x20000, FormationBehaviour = 0x20001, DiverBehaviour = 0x20009,
                        NoBehaviour = 0x2FFFF;
constexpr std::uint32_t ShipKind = 0x30003, ShotKind = 0x30002, SpecialKind = 0x30011, EnemyKind = 0x30000,
                        DiverKind = 0x30009, BulletKind = 0x30004;
constexpr std::uint32_t ShotID = 0x90001, SpecialID = 0x90002, EnemyID = 0x90003, DiverID = 0x90004, BulletID = 0x90005,
                        WreckA = 0x90006, WreckB = 0x90007, WreckC = 0x90008;
constexpr int ShipWidth = 40;
constexpr std::int32_t Level = 2;  // the ship's level frame c; the lean strip has frames 0 to 4
constexpr std::uint16_t WeaponGroup = 0x1C;

class Ship : public World {
protected:
    Ship()
    {
        platform::UseFakeClock(10000);
        GP_SpriteRecord ship = Sprite(ShipBehaviour, ShipKind, ShipWidth, 30);
        ship.header.acceleration = 0.002f;
        ship.header.maxSpeed = 0.5f;
        ship.states[GP_ShipShown].stateValue = Level;
        ship.states[GP_ShipShown].frameCount = 5;
        ship.states[GP_ShipShown].animRate = 0.01f;
        ship.weapons.resize(1 + CGP_PlayerShipBehaviour::SpecialWeapons);
        for (std::size_t slot = 0; slot < ship.weapons.size(); ++slot)
            ship.weapons[slot].weaponID = AddWeapon(static_cast<int>(slot), slot == 0 ? ShotID : SpecialID);
        for (std::uint32_t wreck : {WreckA, WreckB, WreckC}) {
            Define(wreck, Sprite(NoBehaviour, BulletKind));
            GP_SpawnEntry entry;
            entry.spriteID = wreck;
            entry.countBase = 1;
            ship.spawns2.push_back(entry);
        }
        Define(gp_sprites::Player, ship);
        Define(ShotID, Sprite(NoBehaviour, ShotKind));
        Define(SpecialID, Sprite(NoBehaviour, SpecialKind));
        Define(BulletID, Sprite(NoBehaviour, BulletKind)).header.damage = 100;
        io = std::make_unique<CGP_IOManager>(nullptr, nullptr, &names, nullptr);
        servers = std::make_unique<CGP_ServerSet>(nullptr, io.get(), nullptr, 1033);
        for (auto& [id, record] : weaponRecords) {
            auto weapon = std::make_unique<CGP_Weapon>();
            weapon->record = record;
            servers->weapons->slots.at(names.GetIndex(id)) = std::move(weapon);
        }
        host.servers = servers.get();
        ship_ = Create(gp_sprites::Player);
        host.scene->player = ship_;
    }
    ~Ship() override { platform::UseRealClock(); }

    std::uint32_t AddWeapon(int index, std::uint32_t projectile)
    {
        if (index == 0) {
            names.AddGroup("W", "*.*", "RESOURCE\\W\\");
            names.GetGroup(WeaponGroup)->resourceKind = CGP_WeaponServer::WeaponKind;
        }
        const std::string name = "W_" + std::to_string(index);
        names.AddName(name.c_str(), WeaponGroup, 0);
        const std::uint32_t id = names.FindID(name.c_str(), WeaponGroup);
        weaponRecords[id].projectileID = projectile;
        return id;
    }
    // The ship entered and its weapons armed, the clock moved on so that every weapon can shoot.
    void Entered()
    {
        Step(ship_, 20);
        platform::AdvanceFakeClock(1);
    }
    // Entered, and the blinking over.
    void Settled()
    {
        Entered();
        Step(ship_, 100, 21);
        ASSERT_FALSE(ship_->effectOn);
    }
    void Shoot() { ASSERT_FALSE(ship_->Hit(Create(BulletID))); }
    GP_BehaviourState& Block() const { return *ship_->stateBlock; }
    int Live(std::uint32_t kind) const { return static_cast<int>(host.lists[kind & 0xFFFF]->CountLive()); }

    std::map<std::uint32_t, GP_WeaponRecord> weaponRecords;
    std::unique_ptr<CGP_IOManager> io;
    std::unique_ptr<CGP_ServerSet> servers;
    CGP_GameObject* ship_ = nullptr;
    GP_PlayState& play = host.PlayState();
};

TEST_F(Ship, ItEntersHiddenThenOnItsLineAtTheCentreInvulnerableWithItsWeaponsArmed)
{
    EXPECT_EQ(ship_->state, GP_ShipHidden);
    EXPECT_EQ(Block().state, GP_ShipEnter);
    Step(ship_, 20);
    EXPECT_EQ(ship_->state, GP_ShipShown);
    EXPECT_EQ(Block().state, GP_ShipMove);
    EXPECT_EQ(*ship_->y, 395.0f);
    EXPECT_EQ(*ship_->x, 300.0f);
    EXPECT_EQ(Block().targetX, 300);
    EXPECT_EQ(Block().targetY, 395);
    EXPECT_EQ(Block().animPos, Level);
    EXPECT_TRUE(ship_->effectOn);
    EXPECT_EQ(ship_->effectTime, 2000.0f);
    EXPECT_EQ(play.ShipReady, 1);
    EXPECT_EQ(Live(ShotKind), 0) << "entering only arms the weapons";
    for (const GP_WeaponTimer& timer : ship_->weaponTimers) EXPECT_NE(timer.lastShot, 0u);
}

TEST_F(Ship, SteeringMovesTheTargetByTheMotionAtMostTheFramesMillisecondsAndTwelvePixels)
{
    struct Case {
        std::int32_t from;
        std::int32_t dx;
        float elapsed;
        std::int32_t to;
    };
    const Case cases[] = {
        {300, 645, 20, 312},  {300, 645, 5, 305},   {300, 3, 20, 303},    {300, -700, 0.5f, 300},
        {300, -645, 20, 288}, {300, 15, 20, 312},   {300, 0, 20, 300},    {595, 645, 20, 600},
        {5, -645, 20, 0},     {300, -9, 7.9f, 293}, {300, -5, 7.9f, 295},
    };
    Entered();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " by " << c.dx << " in " << c.elapsed << " ms");
        Block().targetX = c.from;
        ship_->Event3(c.dx, 0, c.elapsed);
        EXPECT_EQ(Block().targetX, c.to);
    }
}

TEST_F(Ship, ItLeansIntoTheMoveThenBackAndStandsOnTheTarget)
{
    Settled();
    ASSERT_EQ(Block().state, GP_ShipRest);
    Block().targetX = 400;
    bool leanedRight = false;
    for (int frame = 0; frame < 200 && !(Block().state == GP_ShipRest && *ship_->vx == 0 && frame > 2); ++frame) {
        Step(ship_, 20);
        if (*ship_->vx > 0 && !Block().brakingX) {
            EXPECT_EQ(Block().animEnd, 2 * Level);
            leanedRight = leanedRight || ship_->frameIndex > Level;
        }
        EXPECT_LE(ship_->frameIndex, 4) << "the lean stays within the strip";
    }
    EXPECT_TRUE(leanedRight);
    EXPECT_EQ(Block().state, GP_ShipRest);
    EXPECT_EQ(*ship_->x, 400.0f);
    Step(ship_, 20, 50);
    EXPECT_EQ(ship_->frameIndex, Level) << "standing straight again";

    Block().targetX = 100;
    play.LevelPose = 1;
    Step(ship_, 20, 10);
    EXPECT_LT(*ship_->vx, 0);
    EXPECT_EQ(Block().animEnd, 0.0f);
    EXPECT_EQ(ship_->frameIndex, Level) << "the level pose keeps the level frame";
}

TEST_F(Ship, ThePlainShotFiresOnlyWithNoShotOfThePlayerOnTheScreen)
{
    Entered();
    ship_->Event4();
    EXPECT_EQ(Live(ShotKind), 1);
    EXPECT_EQ(play.ShotFired, 1);
    platform::AdvanceFakeClock(1);
    ship_->Event4();
    EXPECT_EQ(Live(ShotKind), 1) << "the first shot is still up";
    host.lists[ShotKind & 0xFFFF]->At(0)->state = GP_StateGone;
    ship_->Event4();
    EXPECT_EQ(Live(ShotKind), 1);
    EXPECT_EQ(play.SpecialFired, 0);
}

TEST_F(Ship, FullyChargedSpecialWeaponsFireTogetherAndLoseTheirCharge)
{
    Entered();
    play.WeaponCounts[1] = 4;
    play.WeaponCounts[5] = 4;
    play.WeaponCounts[7] = 3;
    play.SpecialKillsA = play.SpecialKillsB = 6;
    host.selectedWeapon = host.weaponIndicator = 5;
    EXPECT_EQ(ship_->Event5(), 0);
    EXPECT_EQ(Live(SpecialKind), 2);
    EXPECT_EQ(play.WeaponCounts[1], 0);
    EXPECT_EQ(play.WeaponCounts[5], 0);
    EXPECT_EQ(play.WeaponCounts[7], 3) << "not charged, not fired";
    EXPECT_EQ(play.ShotFired, 1);
    EXPECT_EQ(play.SpecialFired, 1);
    EXPECT_EQ(play.SpecialKillsA, 0);
    EXPECT_EQ(play.SpecialKillsB, 0);
    EXPECT_EQ(host.selectedWeapon, 0);
    EXPECT_EQ(host.weaponIndicator, -1);
    EXPECT_EQ(host.rewoundIcons, (std::vector<std::int32_t>{1, 5}));
    EXPECT_EQ(Live(ShotKind), 0);
}

TEST_F(Ship, OnlyTheHiddenModeChoosesAWeaponByTheControlsSlots)
{
    Entered();
    play.WeaponCounts[2] = 3;
    ship_->Event9();
    EXPECT_EQ(play.WeaponCounts[3], 0);
    EXPECT_EQ(host.selectedWeapon, -1);

    play.HiddenMode = 1;
    ship_->Event9();
    EXPECT_EQ(play.WeaponCounts[2], 0);
    EXPECT_EQ(play.WeaponCounts[3], 4);
    EXPECT_EQ(host.selectedWeapon, 3);
    EXPECT_EQ(host.weaponIndicator, 3);
    ship_->Event14();
    EXPECT_EQ(play.WeaponCounts[3], 0);
    EXPECT_EQ(play.WeaponCounts[8], 4);
}

TEST_F(Ship, ItBlinksAndShrugsOffHitsForTwoSecondsThenShowsForGood)
{
    Entered();
    int changes = 0;
    std::uint8_t shown = ship_->visible;
    for (int frame = 0; frame < 80; ++frame) {  // 2000 ms more
        Step(ship_, 25);
        changes += ship_->visible != shown;
        shown = ship_->visible;
        EXPECT_TRUE(ship_->Hit(Create(BulletID)));
    }
    EXPECT_EQ(changes, 20) << "every fourth 25 ms frame";
    EXPECT_EQ(ship_->health, 10.0f);
    EXPECT_TRUE(ship_->effectOn);
    Step(ship_, 25);
    EXPECT_FALSE(ship_->effectOn);
    EXPECT_EQ(ship_->visible, 1);
    Shoot();
    EXPECT_EQ(Block().state, GP_ShipDestroyed);
}

TEST_F(Ship, ALossPushesTheEnemiesBackUsesAReserveShipAndItReturnsAfterThreeSeconds)
{
    Define(EnemyID, Sprite(FormationBehaviour, EnemyKind));
    Define(DiverID, Sprite(DiverBehaviour, DiverKind));
    host.scene->parameters->word24 = 30;  // the formations' drop step: at most two of them
    CGP_GameObject* high = Create(EnemyID, 50, 100);
    CGP_GameObject* low = Create(EnemyID, 80, 150);
    CGP_GameObject* anchored = Create(EnemyID, 110, 150);
    *anchored->spriteID = 0x60025;
    CGP_GameObject* dying = Create(EnemyID, 140, 150);
    dying->stateBlock->state = GP_BehaviourDying;
    CGP_GameObject* marching = Create(DiverID, 50, 200);
    marching->stateBlock->state = GP_FormationMarch;
    CGP_GameObject* diving = Create(DiverID, 80, 300);
    auto& away = static_cast<GP_DiverState&>(*diving->stateBlock);
    away.state = GP_FormationDive;
    away.snapshot.y = 210;
    high->stateBlock->state = low->stateBlock->state = GP_FormationMarch;
    // Members not yet in the block: pushed into a drop they would skip their join and stay hidden for good.
    CGP_GameObject* waiting = Create(EnemyID, 170, 120);
    CGP_GameObject* joining = Create(DiverID, 200, 120);
    joining->stateBlock->state = GP_FormationJoin;
    for (CGP_GameObject* enemy : {high, low, anchored, dying, marching, diving, waiting, joining})
        static_cast<GP_FormationState&>(*enemy->stateBlock).rowY = 100;

    play.Lives = 2;
    play.WeaponCounts[4] = 3;
    play.OptionOn = play.ShieldOn = 1;
    host.selectedWeapon = host.weaponIndicator = 4;
    Settled();
    Shoot();
    Step(ship_, 20);

    EXPECT_EQ(play.Lives, 1);
    EXPECT_EQ(play.WeaponCounts[4], 0);
    EXPECT_EQ(play.OptionOn + play.ShieldOn, 0);
    EXPECT_EQ(host.rewoundIcons, (std::vector<std::int32_t>{4}));
    EXPECT_EQ(host.weaponIndicator, -1);
    EXPECT_EQ(Live(BulletKind), 1 + 3) << "the bullet and the whole death spawn";
    EXPECT_EQ(ship_->state, GP_ShipHidden);
    EXPECT_EQ(Block().state, GP_ShipRespawn);
    EXPECT_EQ(host.gameOvers, 0);

    for (CGP_GameObject* pushed : {high, low, marching}) {
        const auto& block = static_cast<GP_FormationState&>(*pushed->stateBlock);
        EXPECT_EQ(block.state, GP_FormationDrop);
        EXPECT_EQ(block.targetY, static_cast<std::int32_t>(*pushed->y) - 60);
        EXPECT_EQ(block.rowY, 40);
        EXPECT_EQ(*pushed->vy, -0.1f);
    }
    EXPECT_EQ(anchored->stateBlock->state, 0);
    EXPECT_EQ(dying->stateBlock->state, GP_BehaviourDying);
    EXPECT_EQ(waiting->stateBlock->state, GP_FormationWait);
    EXPECT_EQ(joining->stateBlock->state, GP_FormationJoin);
    EXPECT_EQ(static_cast<GP_FormationState&>(*waiting->stateBlock).rowY, 100);
    EXPECT_EQ(away.state, GP_FormationDive) << "the diver dives on";
    EXPECT_EQ(away.snapshot.state, GP_FormationDrop);
    EXPECT_EQ(away.targetY, 150);
    EXPECT_EQ(away.snapshot.vy, -0.1f);
    EXPECT_EQ(away.rowY, 40);

    ship_->Event4();
    EXPECT_EQ(Live(ShotKind), 0) << "no shot while waiting";
    Step(ship_, 1000, 3);
    EXPECT_EQ(Block().state, GP_ShipRespawn);
    Block().targetX = 10;
    *ship_->x = 10;
    Step(ship_, 1);
    EXPECT_EQ(Block().state, GP_ShipRest);
    EXPECT_EQ(ship_->state, GP_ShipShown);
    EXPECT_EQ(*ship_->x, 300.0f);
    EXPECT_EQ(Block().targetX, 300);
    EXPECT_EQ(ship_->health, 10.0f) << "a whole ship";
    Step(ship_, 20);
    EXPECT_TRUE(ship_->effectOn) << "blinking again";
    EXPECT_TRUE(ship_->Hit(Create(BulletID)));
}

TEST_F(Ship, NoEnemyIsPushedDownByOneStillAboveTheScreen)
{
    Define(EnemyID, Sprite(FormationBehaviour, EnemyKind));
    CGP_GameObject* entering = Create(EnemyID, 50, -40);
    CGP_GameObject* below = Create(EnemyID, 50, 120);
    entering->stateBlock->state = below->stateBlock->state = GP_FormationMarch;
    play.Lives = 1;
    host.scene->parameters->word24 = 50;
    Settled();
    Shoot();
    Step(ship_, 20);
    EXPECT_EQ(entering->stateBlock->targetY, -40);
    EXPECT_EQ(below->stateBlock->targetY, 120);
}

TEST_F(Ship, TheLastLossRemovesTheShipAndEndsTheGame)
{
    play.Lives = 0;
    Settled();
    Shoot();
    Step(ship_, 20);
    EXPECT_EQ(ship_->state, GP_StateGone);
    EXPECT_EQ(host.gameOvers, 1);
    EXPECT_EQ(play.Lives, 0);
    EXPECT_EQ(Live(BulletKind), 1 + 2) << "the bullet, and the death spawn without its second entry";
    bool secondEntry = false;
    for (std::uint16_t i = 0; i < host.lists[BulletKind & 0xFFFF]->Count(); ++i)
        secondEntry = secondEntry || *host.lists[BulletKind & 0xFFFF]->At(i)->spriteID == WreckB;
    EXPECT_FALSE(secondEntry);
    ship_->Event4();
    EXPECT_EQ(Live(ShotKind), 0);
}

TEST_F(Ship, InHiddenModeALossCostsNoShipAndKeepsTheCharges)
{
    play.HiddenMode = 1;
    play.Lives = 1;
    play.WeaponCounts[6] = 4;
    play.OptionOn = 1;
    Settled();
    Shoot();
    Step(ship_, 20);
    EXPECT_EQ(play.Lives, 1);
    EXPECT_EQ(play.WeaponCounts[6], 4);
    EXPECT_EQ(play.OptionOn, 1);
    EXPECT_TRUE(host.rewoundIcons.empty());
    EXPECT_EQ(Block().state, GP_ShipRespawn);
}

}  // namespace
}  // namespace behaviourtest
