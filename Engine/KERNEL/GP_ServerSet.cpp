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
    binary = new CGP_BinaryServer(io);
    graphics = new CGP_GraphServer(this);
    sound = new CGP_SoundServer(io, device);
    text = new CGP_TextServer(io, language);
    weapons = new CGP_WeaponServer(this);
}

CGP_ServerSet::~CGP_ServerSet()
{
    delete binary;
    delete graphics;
    delete sound;
    delete text;
    delete weapons;
}
