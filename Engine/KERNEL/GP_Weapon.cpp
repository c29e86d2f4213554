#include "GP_Weapon.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_GameObject.h"
#include "GP_IOManager.h"
#include "GP_Math.h"
#include "GP_NameServer.h"
#include "GP_PlayHost.h"
#include "GP_Random.h"
#include "GP_ServerSet.h"
#include "GP_SpriteDef.h"
#include "GP_SpriteManager.h"
#include "platform/win32_time.h"

namespace {

constexpr const char* Module = "GP_Weapon";

CGP_GameObject* Create(CGP_GameObject* shooter, std::uint32_t spriteID)
{
    if (spriteID == GP_NoID || !shooter->owner) return nullptr;
    return shooter->owner->GetSpriteManager()->CreateObject(spriteID, shooter->playField);
}

// The heading of a rotating gun: from the shooter's base heading, turned by the state parameter per frame.
float RotatingGunHeading(const CGP_GameObject* shooter)
{
    return static_cast<float>(shooter->def->record.header.baseHeading) - 90.0f +
           shooter->GetStateParam() * static_cast<float>(shooter->frameIndex - shooter->GetStateValue());
}

struct Point {
    float x;
    float y;
};

}  // namespace

void CGP_Weapon::Read(CGP_ServerSet* servers) { servers->binary->ReadData(&record, sizeof record); }

void CGP_Weapon::Write(CGP_ServerSet* servers)
{
    record.size = sizeof record;
    servers->binary->WriteData(&record);
}

// delay - (r mod (2 x spread + 1)) + spread + 1; the modulus is odd, so never 0.
std::uint32_t CGP_Weapon::DrawDelay() const
{
    const std::uint32_t modulus = 2 * record.delaySpread + 1;
    return record.delay - static_cast<std::uint32_t>(GP_Rand()) % modulus + record.delaySpread + 1;
}

bool CGP_Weapon::Fire(CGP_GameObject* object, int slot)
{
    if (!object->def || slot < 0 || slot >= static_cast<int>(object->weaponTimers.size()) ||
        slot >= static_cast<int>(object->def->record.weapons.size()))
        return false;
    const std::uint32_t now = timeGetTime();
    GP_WeaponTimer& timer = object->weaponTimers[slot];
    if (timer.lastShot == 0) {
        timer.lastShot = now;
        if (record.randomDelay) timer.currentDelay = DrawDelay();
        return false;
    }
    const std::uint32_t inForce = record.randomDelay ? timer.currentDelay : record.delay;
    if (now - timer.lastShot <= inForce) return false;
    const GP_WeaponSlot& weaponSlot = object->def->record.weapons[slot];
    if (weaponSlot.pattern == GP_PatternSingle) SingleShot(object, weaponSlot);
    if (weaponSlot.pattern == GP_PatternDouble) DoubleShot(object, weaponSlot, timer);
    timer.lastShot = now;
    if (record.randomDelay) timer.currentDelay = DrawDelay();
    const std::uint32_t shots = (timer.shotCounter & 0xFFFF) + 1;
    timer.shotCounter = shots == weaponSlot.pattern ? 0 : shots;
    return true;
}

void CGP_Weapon::SingleShot(CGP_GameObject* shooter, const GP_WeaponSlot& slot)
{
    CGP_GameObject* projectile = Create(shooter, record.projectileID);
    float a = 0;
    if (shooter->GetStateFlag())
        a = RotatingGunHeading(shooter);
    else if (projectile)
        a = static_cast<float>(projectile->def->record.header.baseHeading) + *shooter->heading;
    const float distance = static_cast<float>(slot.muzzleDistance);
    const float dx = static_cast<float>(slot.muzzleX) + GP_CosDeg(a) * distance;
    const float dy = static_cast<float>(slot.muzzleY) - GP_SinDeg(a) * distance;
    if (projectile) {
        *projectile->heading = a;
        *projectile->x = shooter->GetAbsX() + static_cast<float>(record.projectileX) + dx;
        *projectile->y = shooter->GetAbsY() + static_cast<float>(record.projectileY) + dy;
        *projectile->depth = *shooter->depth;
    }
    Flash(shooter, dx, dy);
}

void CGP_Weapon::DoubleShot(CGP_GameObject* shooter, const GP_WeaponSlot& slot, const GP_WeaponTimer& timer)
{
    const float mx = static_cast<float>(slot.muzzleX);
    const float my = static_cast<float>(slot.muzzleY);
    const float s = static_cast<float>(slot.barrelSpacing);
    Point barrels[2];
    float heading = 0;
    if (shooter->GetStateFlag()) {
        heading = RotatingGunHeading(shooter);
        const float c = GP_CosDeg(heading);
        const float n = GP_SinDeg(heading);
        const float d = static_cast<float>(slot.muzzleDistance);
        barrels[0] = {mx + c * d + n * s, my - n * d + c * s};
        barrels[1] = {mx + c * d - n * s, my - n * d - c * s};
    } else {
        const float angle =
            shooter->GetStateParam() * static_cast<float>(shooter->frameIndex - shooter->GetStateValue());
        barrels[0] = {mx + GP_CosDeg(angle) * s, my};
        barrels[1] = {mx - GP_CosDeg(angle) * s, my};
        heading = static_cast<float>(shooter->def->record.header.baseHeading);
    }
    if (slot.bothBarrels) {
        for (const Point& p : barrels) ShootAt(shooter, p.x, p.y, heading);
        for (const Point& p : barrels) Flash(shooter, p.x, p.y);
        return;
    }
    const std::uint32_t barrel = timer.shotCounter & 0xFFFF;
    if (barrel > 1) return;
    ShootAt(shooter, barrels[barrel].x, barrels[barrel].y, heading);
    Flash(shooter, barrels[barrel].x, barrels[barrel].y);
}

void CGP_Weapon::ShootAt(CGP_GameObject* shooter, float dx, float dy, float heading)
{
    CGP_GameObject* projectile = Create(shooter, record.projectileID);
    if (!projectile) return;
    *projectile->heading = heading;
    *projectile->x = shooter->GetAbsX() + static_cast<float>(record.projectileX) + dx;
    *projectile->y = shooter->GetAbsY() + static_cast<float>(record.projectileY) + dy;
    *projectile->depth = *shooter->depth;
}

void CGP_Weapon::Flash(CGP_GameObject* shooter, float dx, float dy)
{
    CGP_GameObject* flash = Create(shooter, record.flashID);
    if (!flash) return;
    float fx = static_cast<float>(record.flashX) + dx;
    float fy = static_cast<float>(record.flashY) + dy;
    if (record.flashAttached) {
        flash->parent = shooter;
    } else {
        fx += shooter->GetAbsX();
        fy += shooter->GetAbsY();
    }
    *flash->x = fx;
    *flash->y = fy;
    *flash->depth = *shooter->depth;
}

CGP_WeaponServer::CGP_WeaponServer(CGP_ServerSet* servers) : servers(servers) { Reset(); }

std::uint32_t CGP_WeaponServer::KindCount() const
{
    return servers->io && servers->io->names ? servers->io->names->GetCount(WeaponKind) : 0;
}

void CGP_WeaponServer::Reset()
{
    slots.clear();
    Grow();
}

void CGP_WeaponServer::Grow()
{
    slotCount = KindCount();
    if (slotCount > slots.size()) slots.resize(slotCount);
}

void CGP_WeaponServer::RemoveSlot(int index)
{
    if (index < 0 || index >= static_cast<int>(slots.size())) return;
    slots.erase(slots.begin() + index);
    slotCount = static_cast<std::uint32_t>(slots.size());
}

void CGP_WeaponServer::ThrowCannotOpen(int line, std::uint32_t id) const
{
    CGP_NameServer* names = servers->io ? servers->io->names : nullptr;
    const char* name = names ? names->GetName(GP_IndexOf(id), GP_GroupOf(id)) : nullptr;
    throw CGP_FatalExeption(Module, line, FormatNew("Ошибка открытия файла для чтения %s", name ? name : "none"),
                            nullptr, 1);
}

CGP_Weapon* CGP_WeaponServer::GetWeapon(std::uint32_t id)
{
    CGP_NameServer* names = servers->io ? servers->io->names : nullptr;
    const std::int32_t index = names ? names->GetIndex(id) : -1;
    if (index < 0 || index >= static_cast<std::int32_t>(slots.size()) ||
        names->GetGroup(GP_GroupOf(id))->resourceKind != WeaponKind)
        ThrowCannotOpen(__LINE__, id);
    std::unique_ptr<CGP_Weapon>& slot = slots[index];
    if (slot) return slot.get();
    if (!servers->binary->OpenRead(id)) ThrowCannotOpen(__LINE__, id);
    auto weapon = std::make_unique<CGP_Weapon>();
    weapon->Read(servers);
    slot = std::move(weapon);
    return slot.get();
}
