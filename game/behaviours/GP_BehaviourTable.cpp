#include "GP_BehaviourTable.h"

#include "GP_BehBossParts.h"
#include "GP_BehBosses.h"
#include "GP_BehFlyers.h"
#include "GP_BehFormation.h"
#include "GP_BehPickups.h"
#include "GP_BehPlayerShip.h"
#include "GP_BehShots.h"

namespace {
template <class Behaviour>
std::unique_ptr<CGP_Behaviour> Make(CGP_BehaviourHost* owner)
{
    return std::make_unique<Behaviour>(owner);
}

using Maker = std::unique_ptr<CGP_Behaviour> (*)(CGP_BehaviourHost*);

struct TableEntry {
    std::uint16_t index;
    Maker make;
};

// The classes by the low 16 bits of their behaviour IDs.
constexpr TableEntry Classes[] = {
    {0x0000, Make<CGP_PlayerShipBehaviour>},
    {0x0001, Make<CGP_FormationBehaviour>},
    {0x0002, Make<CGP_ShotBehaviour>},
    {0x0003, Make<CGP_SideCruiserBehaviour>},
    {0x0004, Make<CGP_EffectBehaviour>},
    {0x0005, Make<CGP_WandererBossBehaviour>},
    {0x0006, Make<CGP_GunnerPartBehaviour>},
    {0x0007, Make<CGP_MawPartBehaviour>},
    {0x0008, Make<CGP_BlockBehaviour>},
    {0x0009, Make<CGP_DiverBehaviour>},
    {0x000A, Make<CGP_SplitterBehaviour>},
    {0x000B, Make<CGP_BurstShotBehaviour>},
    {0x000C, Make<CGP_BouncerBehaviour>},
    {0x000D, Make<CGP_FallingShotBehaviour>},
    {0x000E, Make<CGP_CurlShotBehaviour>},
    {0x000F, Make<CGP_VortexBombBehaviour>},
    {0x0010, Make<CGP_CrossingShipBehaviour>},
    {0x0011, Make<CGP_PickupBehaviour>},
    {0x0012, Make<CGP_RainEmitterBehaviour>},
    {0x0013, Make<CGP_WeaponPickupBehaviour>},
    {0x0014, Make<CGP_BlastBehaviour>},
    {0x0015, Make<CGP_CarrierBehaviour>},
    {0x0016, Make<CGP_SlidingFormationBehaviour>},
    {0x0017, Make<CGP_OptionBehaviour>},
    {0x0018, Make<CGP_HomingMissileBehaviour>},
    {0x0019, Make<CGP_ShieldBehaviour>},
    {0x001A, Make<CGP_ChargedShotBehaviour>},
    {0x001B, Make<CGP_StarfieldBehaviour>},
    {0x001C, Make<CGP_ListenerEffectBehaviour>},
    {0x001D, Make<CGP_SequencerBossBehaviour>},
    {0x001E, Make<CGP_HatchGunPartBehaviour>},
    {0x001F, Make<CGP_AimingGunPartBehaviour>},
    {0x0020, Make<CGP_TremblingPartBehaviour>},
    {0x0021, Make<CGP_FlyOffPartBehaviour>},
    {0x0022, Make<CGP_FortressBossBehaviour>},
    {0x0023, Make<CGP_SpawnerBehaviour>},
    {0x0024, Make<CGP_SweeperPartBehaviour>},
    {0x0025, Make<CGP_AimingCannonPartBehaviour>},
    {0x0026, Make<CGP_PopUpCannonPartBehaviour>},
    {0x0027, Make<CGP_SwingArmPartBehaviour>},
    {0x0028, Make<CGP_LooperBehaviour>},
    {0x0029, Make<CGP_HatchBossBehaviour>},
    {0x002A, Make<CGP_LauncherHatchPartBehaviour>},
    {0x002B, Make<CGP_DropperBehaviour>},
    {0x002C, Make<CGP_PulsingSidePartBehaviour>},
    {0x002D, Make<CGP_FiringHatchPartBehaviour>},
    {0x002E, Make<CGP_CirclerBehaviour>},
    {0x002F, Make<CGP_DivingBossBehaviour>},
    {0x0030, Make<CGP_CorePartBehaviour>},
    {0x0031, Make<CGP_DetachingShotBehaviour>},
};
}  // namespace

std::unique_ptr<CGP_Behaviour> GP_MakeBehaviour(std::uint16_t index, CGP_BehaviourHost* owner)
{
    for (const TableEntry& entry : Classes) {
        if (entry.index == index) return entry.make(owner);
    }
    return nullptr;
}

void CGP_BehaviourTable::Create(CGP_BehaviourHost* owner)
{
    entries.clear();
    defaultBehaviour.reset();
    for (std::uint16_t index = 0; index < Count; ++index) entries.push_back(GP_MakeBehaviour(index, owner));
    defaultBehaviour = std::make_unique<CGP_Behaviour>();
}

CGP_Behaviour* CGP_BehaviourTable::Get(std::uint16_t index) const
{
    return index < entries.size() ? entries[index].get() : nullptr;
}
