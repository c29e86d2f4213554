#include "GP_BehaviourHost.h"

#include "GP_NameGroup.h"
#include "GP_ServerSet.h"
#include "GP_Weapon.h"

CGP_Weapon* CGP_BehaviourHost::GetWeapon(std::uint32_t weaponID)
{
    CGP_ServerSet* servers = GetServers();
    if (weaponID == GP_NoID || !servers || !servers->weapons) return nullptr;
    return servers->weapons->GetWeapon(weaponID);
}
