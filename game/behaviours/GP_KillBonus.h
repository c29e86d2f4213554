// The special-kill bonus: what the kills of the special weapon's shots earn once its last shot is gone.
#pragma once
#include <cstdint>

class CGP_BehaviourHost;

// (B/4 + (A/4)·2)·40 with integer division, from the two kill tallies.
std::int32_t GP_SpecialKillBonus(std::int32_t killsA, std::int32_t killsB);
// Clears SpecialFired, adds the bonus to the score and, when it is not 0, shows its message for 4 s.
void GP_PaySpecialKillBonus(CGP_BehaviourHost* host);
// The bonus when the special weapon's list has no live shot left.
void GP_PaySpecialKillBonusWhenDone(CGP_BehaviourHost* host);
