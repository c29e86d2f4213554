// The parts attached to a boss: guns, cannons, hatches, arms and armour. A part animates and fires by itself;
// its boss commands it by writing its behaviour state. Most parts' hits lower the boss energy by one.
#pragma once
#include <cstdint>

#include "GP_GameBehaviour.h"

class CGP_PartBehaviour : public CGP_GameBehaviour {
public:
    using CGP_GameBehaviour::CGP_GameBehaviour;

protected:
    // animPos moves by ±rate·dt; the frame follows, clamped.
    static void AnimateUp(CGP_GameObject* object, float timeStep);
    static void AnimateDown(CGP_GameObject* object, float timeStep);
    // All slots on and the objects of slots first to last blinking as they come.
    static void ArmSlots(CGP_GameObject* object, int first, int last);
    void EnergyHit() { --Play().BossEnergy; }
    void Die(CGP_GameObject* object, float timeStep) { RemoveOnDeath(object, timeStep); }
    void Vanish(CGP_GameObject* object, float) { Remove(object); }
    // Spawn entry k by t with the object moved by (dx, dy) for the moment.
    static void EmitFrom(CGP_GameObject* object, float dx, float dy, float timeStep, int entry);
};

class CGP_GunnerPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_GunnerPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Guard(CGP_GameObject* object, float timeStep);
};

class CGP_MawPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_MawPartBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Flap(CGP_GameObject* object, float timeStep);
    void Open(CGP_GameObject* object, float timeStep);
    void Close(CGP_GameObject* object, float timeStep);

private:
    static void MoveToward(CGP_GameObject* object, float timeStep);
};

class CGP_HatchGunPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_HatchGunPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Command(CGP_GameObject* object, float timeStep);
    void Open(CGP_GameObject* object, float timeStep);
    void Close(CGP_GameObject* object, float timeStep);
};

class CGP_AimingGunPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_AimingGunPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Aim(CGP_GameObject* object, float timeStep);
    void AimAndFire(CGP_GameObject* object, float timeStep);
};

struct GP_TremblingState : GP_BehaviourState {
    std::int32_t anchorX = 0;
    std::int32_t anchorY = 0;
};

class CGP_TremblingPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_TremblingPartBehaviour(CGP_BehaviourHost* owner);
    void Attach(CGP_GameObject* object) override;
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Tremble(CGP_GameObject* object, float timeStep);
    void Shake(CGP_GameObject* object, float timeStep);
};

class CGP_FlyOffPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_FlyOffPartBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void PingPong(CGP_GameObject* object, float timeStep);
    void FlyOff(CGP_GameObject* object, float timeStep);
    void Away(CGP_GameObject* object, float timeStep);
};

class CGP_CorePartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_CorePartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Burn(CGP_GameObject* object, float timeStep);
    void DieWithSlot(CGP_GameObject* object, float timeStep);
};

class CGP_AimingCannonPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_AimingCannonPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Aim(CGP_GameObject* object, float timeStep);
    void AimAndFire(CGP_GameObject* object, float timeStep);
};

class CGP_PopUpCannonPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_PopUpCannonPartBehaviour(CGP_BehaviourHost* owner);
    // Closed, only the energy hit; open, the base hit, a puff and the energy hit.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Open(CGP_GameObject* object, float timeStep);
    void Close(CGP_GameObject* object, float timeStep);
    void Delay(CGP_GameObject* object, float timeStep);
};

class CGP_SwingArmPartBehaviour : public CGP_PartBehaviour {
public:
    static constexpr float Radius = 87;
    static constexpr float CentreX = 45;
    static constexpr float CentreY = 183;

    explicit CGP_SwingArmPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void SwingDown(CGP_GameObject* object, float timeStep);
    void SwingUp(CGP_GameObject* object, float timeStep);
    void Pause(CGP_GameObject* object, float timeStep);
    void Wreck(CGP_GameObject* object, float timeStep);

private:
    static void PlaceOnArc(CGP_GameObject* object, float timeStep);
};

class CGP_SweeperPartBehaviour : public CGP_PartBehaviour {
public:
    static constexpr float Step = 15;
    static constexpr float Limit = 55;
    static constexpr float Wrap = 95;

    explicit CGP_SweeperPartBehaviour(CGP_BehaviourHost* owner);
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Sweep(CGP_GameObject* object, float timeStep);
};

class CGP_LauncherHatchPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_LauncherHatchPartBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Launch(CGP_GameObject* object, float timeStep);
    void Lower(CGP_GameObject* object, float timeStep);
    void Raise(CGP_GameObject* object, float timeStep);
    void Break(CGP_GameObject* object, float timeStep);
    void Sink(CGP_GameObject* object, float timeStep);
};

class CGP_FiringHatchPartBehaviour : public CGP_PartBehaviour {
public:
    explicit CGP_FiringHatchPartBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Open(CGP_GameObject* object, float timeStep);
    void Hold(CGP_GameObject* object, float timeStep);
    void Close(CGP_GameObject* object, float timeStep);
    void Break(CGP_GameObject* object, float timeStep);
    void Rise(CGP_GameObject* object, float timeStep);
};

class CGP_PulsingSidePartBehaviour : public CGP_PartBehaviour {
public:
    static constexpr std::uint32_t LeftSideID = 0x8002C;  // falls off to the left

    explicit CGP_PulsingSidePartBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Swell(CGP_GameObject* object, float timeStep);
    void Shrink(CGP_GameObject* object, float timeStep);
    void Break(CGP_GameObject* object, float timeStep);
    void FallOff(CGP_GameObject* object, float timeStep);
};
