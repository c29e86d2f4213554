// The boss controllers: a boss object whose behaviour switches its attached parts on in phases, commands them
// by their behaviour states, moves itself, and at the end removes what is left and pays its score. A part that
// is missing (an empty slot or one never made) counts as gone, and commands to it are skipped.
#pragma once
#include <cstdint>

#include "GP_GameBehaviour.h"

class CGP_BossBehaviour : public CGP_GameBehaviour {
public:
    static constexpr float AnnounceTime = 2200;
    static constexpr float AnnounceStep = 100;

    using CGP_GameBehaviour::CGP_GameBehaviour;

protected:
    static CGP_GameObject* Part(CGP_GameObject* boss, int k);
    static bool Gone(CGP_GameObject* boss, int k);
    static void SwitchOn(CGP_GameObject* boss, int first, int last);
    static void AllSlots(CGP_GameObject* boss, bool on);
    // Sprite state 1, behaviour state 3, its own attachments on and blinking for 2.2 s.
    static void Announce(CGP_GameObject* boss, int k);
    static void Command(CGP_GameObject* boss, int k, std::int32_t state);
    static void StartEffects(CGP_GameObject* boss, int first, int last);
    static void RemovePart(CGP_GameObject* boss, int k);
    // random mod n; 0 when n is 0 or less.
    static std::int32_t RandomBelow(std::int32_t n);
    // Moves x (y) toward targetX (targetY); false on arrival.
    bool MoveX(CGP_GameObject* boss, float timeStep);
    bool MoveY(CGP_GameObject* boss, float timeStep);
    // Gone with its score paid.
    void Defeated(CGP_GameObject* boss);
    void EnergyHit() { --Play().BossEnergy; }
};

class CGP_FortressBossBehaviour : public CGP_BossBehaviour {
public:
    explicit CGP_FortressBossBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Guard(CGP_GameObject* object, float timeStep);
    void WallDown(CGP_GameObject* object, float timeStep);
    void CoreOpen(CGP_GameObject* object, float timeStep);
    void BothOpen(CGP_GameObject* object, float timeStep);
    void LastStand(CGP_GameObject* object, float timeStep);
    void Fall(CGP_GameObject* object, float timeStep);
    void Burn(CGP_GameObject* object, float timeStep);

private:
    static void OpenSlotNine(CGP_GameObject* object);
};

struct GP_WandererState : GP_BehaviourState {
    std::int32_t word = 0;
};

class CGP_WandererBossBehaviour : public CGP_BossBehaviour {
public:
    explicit CGP_WandererBossBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;
    // The base hit, a puff of the first spawn list, a short blink and one energy unit.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Patrol(CGP_GameObject* object, float timeStep);
    void Hunt(CGP_GameObject* object, float timeStep);
    void Rage(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);
    void Fade(CGP_GameObject* object, float timeStep);

private:
    void Wander(CGP_GameObject* object, float timeStep);
    void AimAndFire(CGP_GameObject* object);
};

class CGP_DivingBossBehaviour : public CGP_BossBehaviour {
public:
    static constexpr int DiveMargin = 20;
    static constexpr float DiveBottom = 270;

    explicit CGP_DivingBossBehaviour(CGP_BehaviourHost* owner);

    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Watch(CGP_GameObject* object, float timeStep);
    void Roam(CGP_GameObject* object, float timeStep);
    void Dive(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

private:
    static void NewTargets(CGP_GameObject* object);
    void HalfScreenWander(CGP_GameObject* object, float timeStep);
    void PhaseChange(CGP_GameObject* object);
    bool PlayerBelow(CGP_GameObject* object) const;
};

class CGP_SequencerBossBehaviour : public CGP_BossBehaviour {
public:
    static constexpr float SequenceTime = 300;

    explicit CGP_SequencerBossBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void First(CGP_GameObject* object, float timeStep);
    void Second(CGP_GameObject* object, float timeStep);
    void Third(CGP_GameObject* object, float timeStep);
    void Ending(CGP_GameObject* object, float timeStep);
    void End(CGP_GameObject* object, float timeStep);

private:
    void Sequence(CGP_GameObject* object, float timeStep);
    void Wander(CGP_GameObject* object, float timeStep);
};

class CGP_HatchBossBehaviour : public CGP_BossBehaviour {
public:
    explicit CGP_HatchBossBehaviour(CGP_BehaviourHost* owner);

    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Roam(CGP_GameObject* object, float timeStep);
    void Centre(CGP_GameObject* object, float timeStep);
    void Launching(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

private:
    static void HideLights(CGP_GameObject* object);
};
