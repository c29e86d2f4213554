#include "GP_ServerSet.h"

#include "GP_BinaryServer.h"
#include "GP_GraphServer.h"
#include "GP_SoundServer.h"
#include "GP_TextServer.h"
#include "GP_Weapon.h"

CGP_ServerSet::CGP_ServerSet(CGP_GameMainFrame* owner, CGP_IOManager* io, CGP_DirectSound* device,
                             std::uint32_t language)
    : io(io), owner(owner)
{
    binary = std::make_unique<CGP_BinaryServer>(io);
    graphics = std::make_unique<CGP_GraphServer>(this);
    sound = std::make_unique<CGP_SoundServer>(io, device);
    text = std::make_unique<CGP_TextServer>(io, language);
    weapons = std::make_unique<CGP_WeaponServer>(this);
}

CGP_ServerSet::~CGP_ServerSet()
{
    binary.reset();
    graphics.reset();
    sound.reset();
    text.reset();
    weapons.reset();
}
