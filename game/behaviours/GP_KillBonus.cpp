#include "GP_KillBonus.h"

#include "GP_BehaviourHost.h"
#include "GP_ObjectList.h"
#include "GP_PlayKinds.h"

namespace {
constexpr float MessageY = 50;
constexpr float MessageShowTime = 4000;
}  // namespace

std::int32_t GP_SpecialKillBonus(std::int32_t killsA, std::int32_t killsB)
{
    return (killsB / 4 + (killsA / 4) * 2) * 40;
}

void GP_PaySpecialKillBonus(CGP_BehaviourHost* host)
{
    GP_PlayState& play = host->PlayState();
    play.SpecialFired = 0;
    const std::int32_t bonus = GP_SpecialKillBonus(play.SpecialKillsA, play.SpecialKillsB);
    play.Score += bonus;
    if (bonus == 0) return;
    host->ShowMessage(gp_texts::SpecialKillBonus, MessageY);
    play.MessageTime = MessageShowTime;
}

void GP_PaySpecialKillBonusWhenDone(CGP_BehaviourHost* host)
{
    CGP_ObjectList* shots = host->GetObjectList(gp_lists::SpecialShots);
    if (!shots || shots->CountLive() == 0) GP_PaySpecialKillBonus(host);
}
