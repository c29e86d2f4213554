// Weapons (resources of kind 10): what a weapon slot of a sprite definition shoots, how often, and the muzzle
// flash that goes with it. Firing time is the system clock's, not the game's, so weapons count on in a pause.
// The weapon server loads each weapon on first use.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class CGP_GameObject;
class CGP_ServerSet;
struct GP_WeaponSlot;
struct GP_WeaponTimer;

constexpr std::uint32_t GP_TypeWeapon = 12;

struct GP_WeaponRecord {
    std::uint32_t size = sizeof(GP_WeaponRecord);
    std::uint32_t type = GP_TypeWeapon;
    std::uint32_t flashID = 0xFFFFFFFF;       // sprite of the muzzle flash, -1 none
    std::uint32_t projectileID = 0xFFFFFFFF;  // sprite of the shot, -1 none
    std::uint32_t delay = 0;                  // milliseconds between shots
    std::uint8_t randomDelay = 0;
    std::uint8_t pad21[3] = {};
    std::uint32_t delaySpread = 0;
    std::int32_t flashX = 0;
    std::int32_t flashY = 0;
    std::int32_t projectileX = 0;
    std::int32_t projectileY = 0;
    std::uint8_t flashAttached = 0;  // the flash becomes the shooter's child
    std::uint8_t pad45[3] = {};
};
static_assert(sizeof(GP_WeaponRecord) == 48);

class CGP_Weapon {
public:
    CGP_Weapon() = default;
    CGP_Weapon(const CGP_Weapon&) = delete;
    CGP_Weapon& operator=(const CGP_Weapon&) = delete;
    virtual ~CGP_Weapon() = default;

    // The record as one data block of the binary server's open resource.
    void Read(CGP_ServerSet* servers);
    void Write(CGP_ServerSet* servers);
    // Whether the object's slot shot: the first call only arms the slot, later ones shoot once more than the
    // delay has passed since the last shot.
    bool Fire(CGP_GameObject* object, int slot);

    GP_WeaponRecord record;

private:
    std::uint32_t DrawDelay() const;
    void SingleShot(CGP_GameObject* shooter, const GP_WeaponSlot& slot);
    void DoubleShot(CGP_GameObject* shooter, const GP_WeaponSlot& slot, const GP_WeaponTimer& timer);
    // A projectile with its flash at the muzzle point (dx, dy) from the shooter.
    void ShootAt(CGP_GameObject* shooter, float dx, float dy, float heading);
    void Flash(CGP_GameObject* shooter, float dx, float dy);
};

class CGP_WeaponServer {
public:
    static constexpr std::uint32_t WeaponKind = 10;

    // One empty slot per name of kind 10.
    explicit CGP_WeaponServer(CGP_ServerSet* servers);
    CGP_WeaponServer(const CGP_WeaponServer&) = delete;
    CGP_WeaponServer& operator=(const CGP_WeaponServer&) = delete;
    virtual ~CGP_WeaponServer() = default;

    // The weapon of the ID's slot, read on first use; an ID that cannot be opened throws CGP_FatalExeption.
    CGP_Weapon* GetWeapon(std::uint32_t id);
    // Deletes every weapon and makes one empty slot per name of kind 10.
    void Reset();
    // One slot per name of kind 10, the loaded weapons kept.
    void Grow();
    // Removes a slot, the later ones moving down; an index beyond the last does nothing.
    void RemoveSlot(int index);

    CGP_ServerSet* servers = nullptr;
    std::vector<std::unique_ptr<CGP_Weapon>> slots;
    std::uint32_t slotCount = 0;

private:
    std::uint32_t KindCount() const;
    [[noreturn]] void ThrowCannotOpen(int line, std::uint32_t id) const;
};
