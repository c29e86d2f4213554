// Weapons on a fake system clock: arming, delays (fixed and drawn), the single and double shot patterns, the
// muzzle flash, the record through its writer, and weapons that cannot be read.
#include <gtest/gtest.h>

#include "GP_Random.h"
#include "PlayPack.h"

using namespace playtest;

namespace {

class WeaponTest : public PlayPackTest {
protected:
    void SetUp() override
    {
        PlayPackTest::SetUp();
        platform::UseFakeClock(10000);
        shot = AddSprite("shot", Shot(45));
        flash = AddSprite("flash", PlainSprite(4, 4));
    }

    static GP_SpriteRecord Shot(std::uint16_t baseHeading)
    {
        GP_SpriteRecord record = PlainSprite(2, 2);
        record.header.kind = 1;
        record.header.baseHeading = baseHeading;
        return record;
    }

    // A shooter in list 2 with one slot of the weapon.
    std::uint32_t AddShooter(const std::string& name, std::uint32_t weapon, GP_WeaponSlot slot = {})
    {
        GP_SpriteRecord record = PlainSprite(16, 16);
        record.header.kind = 2;
        record.header.baseHeading = 90;
        slot.weaponID = weapon;
        record.weapons.push_back(slot);
        return AddSprite(name, record);
    }

    CGP_GameObject* MakeShooter(std::uint32_t id)
    {
        CGP_GameObject* shooter = Create(id);
        *shooter->x = 100, *shooter->y = 200;
        return shooter;
    }

    int Shots() const { return host->lists[1]->Count(); }
    int Flashes() const { return host->lists[0]->Count(); }
    CGP_GameObject* ShotAt(int i) const { return host->lists[1]->At(static_cast<std::uint16_t>(i)); }

    std::uint32_t shot = 0;
    std::uint32_t flash = 0;
};

GP_WeaponRecord Gun(std::uint32_t projectile, std::uint32_t delay)
{
    GP_WeaponRecord record;
    record.projectileID = projectile;
    record.delay = delay;
    return record;
}

TEST_F(WeaponTest, TheFirstCallArmsAndEveryFifthCallAt50MsShootsOnceTheDelayIsExceeded)
{
    const std::uint32_t shooter = AddShooter("ship", AddWeapon("gun", Gun(shot, 200)));
    Build();
    CGP_GameObject* ship = MakeShooter(shooter);

    EXPECT_FALSE(ship->Fire(false, 0)) << "arming only";
    EXPECT_EQ(Shots(), 0);
    std::vector<int> shotCalls;
    for (int call = 1; call <= 15; ++call) {
        platform::AdvanceFakeClock(50);
        if (ship->Fire(false, 0)) shotCalls.push_back(call);
    }
    EXPECT_EQ(shotCalls, (std::vector<int>{5, 10, 15}));
    EXPECT_EQ(Shots(), 3);
}

TEST_F(WeaponTest, ASingleShotLeavesTheMuzzleAlongTheShootersHeading)
{
    GP_WeaponRecord gun = Gun(shot, 10);
    gun.projectileX = 3, gun.projectileY = 4;
    GP_WeaponSlot slot;
    slot.muzzleX = 8, slot.muzzleY = -2, slot.muzzleDistance = 10;
    const std::uint32_t shooter = AddShooter("ship", AddWeapon("gun", gun), slot);
    Build();
    CGP_GameObject* ship = MakeShooter(shooter);
    *ship->heading = 45;  // with the shot's base heading of 45: straight up
    *ship->depth = 6;
    ship->Fire(false, 0);
    platform::AdvanceFakeClock(11);
    ASSERT_TRUE(ship->Fire(false, 0));
    ASSERT_EQ(Shots(), 1);
    EXPECT_FLOAT_EQ(*ShotAt(0)->heading, 90.0f);
    EXPECT_NEAR(*ShotAt(0)->x, 100 + 3 + 8, 1e-4);
    EXPECT_NEAR(*ShotAt(0)->y, 200 + 4 - 2 - 10, 1e-4);
    EXPECT_FLOAT_EQ(*ShotAt(0)->depth, 6.0f);
    EXPECT_EQ(Flashes(), 0);
}

TEST_F(WeaponTest, ARotatingGunAimsByItsFrameFromTheShootersBaseHeading)
{
    GP_WeaponSlot slot;
    slot.muzzleDistance = 10;
    GP_SpriteRecord turret = PlainSprite(16, 16);
    turret.header.kind = 2;
    turret.header.baseHeading = 90;
    turret.states[0].stateFlag = 1;
    turret.states[0].stateParam = 10;
    turret.states[0].stateValue = 2;
    slot.weaponID = AddWeapon("gun", Gun(shot, 0));
    turret.weapons.push_back(slot);
    const std::uint32_t id = AddSprite("turret", turret);
    Build();
    CGP_GameObject* gun = MakeShooter(id);
    gun->frameIndex = 5;  // 3 frames past the state value: 30 degrees
    gun->Fire(false, 0);
    platform::AdvanceFakeClock(1);
    ASSERT_TRUE(gun->Fire(false, 0));
    ASSERT_EQ(Shots(), 1);
    EXPECT_FLOAT_EQ(*ShotAt(0)->heading, 30.0f);
    EXPECT_NEAR(*ShotAt(0)->x, 100 + 8.660254f, 1e-3);
    EXPECT_NEAR(*ShotAt(0)->y, 200 - 5.0f, 1e-3);
}

TEST_F(WeaponTest, PatternThreeShootsNothingButRestartsItsDelay)
{
    GP_WeaponSlot slot;
    slot.pattern = GP_PatternNever;
    const std::uint32_t shooter = AddShooter("ship", AddWeapon("gun", Gun(shot, 100)), slot);
    Build();
    CGP_GameObject* ship = MakeShooter(shooter);
    ship->Fire(false, 0);
    platform::AdvanceFakeClock(101);
    EXPECT_TRUE(ship->Fire(false, 0));
    EXPECT_EQ(Shots(), 0);
    platform::AdvanceFakeClock(100);
    EXPECT_FALSE(ship->Fire(false, 0)) << "the delay started again";
}

TEST_F(WeaponTest, AWeaponWithoutProjectileMakesOnlyTheFlashFreeOrAttached)
{
    GP_WeaponRecord free = Gun(GP_NoID, 0);
    free.flashID = flash;
    free.flashX = 5, free.flashY = 1;
    GP_WeaponRecord attached = free;
    attached.flashAttached = 1;
    const std::uint32_t freeShooter = AddShooter("free", AddWeapon("free gun", free));
    const std::uint32_t attachedShooter = AddShooter("attached", AddWeapon("attached gun", attached));
    Build();

    CGP_GameObject* ship = MakeShooter(freeShooter);
    CGP_GameObject* other = MakeShooter(attachedShooter);
    for (CGP_GameObject* shooter : {ship, other}) shooter->Fire(false, 0);
    platform::AdvanceFakeClock(1);
    for (CGP_GameObject* shooter : {ship, other}) EXPECT_TRUE(shooter->Fire(false, 0));
    EXPECT_EQ(Shots(), 0);
    ASSERT_EQ(Flashes(), 2);
    CGP_GameObject* freeFlash = host->lists[0]->At(0);
    CGP_GameObject* attachedFlash = host->lists[0]->At(1);
    EXPECT_EQ(freeFlash->parent, nullptr);
    EXPECT_FLOAT_EQ(*freeFlash->x, 105.0f);
    EXPECT_EQ(attachedFlash->parent, other);
    EXPECT_FLOAT_EQ(*attachedFlash->x, 5.0f);
    EXPECT_FLOAT_EQ(attachedFlash->GetAbsY(), 201.0f);
}

TEST_F(WeaponTest, TheDoublePatternAlternatesBarrelsOrFiresBoth)
{
    GP_WeaponSlot slot;
    slot.pattern = GP_PatternDouble;
    slot.barrelSpacing = 6;
    const std::uint32_t alternate = AddShooter("alternate", AddWeapon("gun", Gun(shot, 0)), slot);
    slot.bothBarrels = 1;
    const std::uint32_t both = AddShooter("both", AddWeapon("twin", Gun(shot, 0)), slot);
    Build();

    CGP_GameObject* ship = MakeShooter(alternate);
    ship->Fire(false, 0);
    for (int i = 0; i < 3; ++i) {
        platform::AdvanceFakeClock(1);
        ASSERT_TRUE(ship->Fire(false, 0));
    }
    ASSERT_EQ(Shots(), 3);
    EXPECT_FLOAT_EQ(*ShotAt(0)->x, 106.0f);
    EXPECT_FLOAT_EQ(*ShotAt(1)->x, 94.0f);
    EXPECT_FLOAT_EQ(*ShotAt(2)->x, 106.0f);
    EXPECT_FLOAT_EQ(*ShotAt(0)->heading, 90.0f) << "the shooter's base heading";

    CGP_GameObject* twin = MakeShooter(both);
    twin->Fire(false, 0);
    platform::AdvanceFakeClock(1);
    ASSERT_TRUE(twin->Fire(false, 0));
    ASSERT_EQ(Shots(), 5);
    EXPECT_FLOAT_EQ(*ShotAt(3)->x, 106.0f);
    EXPECT_FLOAT_EQ(*ShotAt(4)->x, 94.0f);
}

TEST_F(WeaponTest, ARandomDelayIsDrawnFromDelayMinusSpreadPlusOneToDelayPlusSpreadPlusOne)
{
    GP_WeaponRecord gun = Gun(shot, 100);
    gun.randomDelay = 1;
    gun.delaySpread = 20;
    const std::uint32_t shooter = AddShooter("ship", AddWeapon("gun", gun));
    Build();
    CGP_GameObject* ship = MakeShooter(shooter);
    std::uint32_t lowest = UINT32_MAX, highest = 0;
    for (int shotIndex = 0; shotIndex < 200; ++shotIndex) {
        ship->Fire(false, 0);
        const std::uint32_t drawn = ship->weaponTimers[0].currentDelay;
        lowest = std::min(lowest, drawn);
        highest = std::max(highest, drawn);
        platform::AdvanceFakeClock(drawn + 1);
    }
    EXPECT_EQ(lowest, 81u);
    EXPECT_EQ(highest, 121u);
}

TEST_F(WeaponTest, TheRecordRoundTripsAndUnreadableWeaponsThrowNamingTheirResource)
{
    GP_WeaponRecord gun = Gun(shot, 321);
    gun.flashID = flash, gun.randomDelay = 1, gun.delaySpread = 7, gun.flashAttached = 1, gun.projectileY = -9;
    const std::uint32_t id = AddWeapon("gun", gun);
    const std::uint32_t damaged = AddWritten(Weapons, "short", [](CGP_ServerSet& tool) {
        GP_WeaponRecord record;
        record.size = 40;
        tool.binary->WriteData(&record);
    });
    Build();

    EXPECT_EQ(std::memcmp(&servers->weapons->GetWeapon(id)->record, &gun, sizeof gun), 0);
    EXPECT_EQ(servers->weapons->GetWeapon(id), servers->weapons->GetWeapon(id));
    EXPECT_TRUE(resourcetest::CatchFatal([&] { servers->weapons->GetWeapon(damaged); }).thrown);
    const resourcetest::Fatal missing = resourcetest::CatchFatal([&] { servers->weapons->GetWeapon(shot); });
    EXPECT_EQ(missing.text, "Ошибка открытия файла для чтения shot");
    EXPECT_EQ(missing.offerReport, 1);
}

}  // namespace
