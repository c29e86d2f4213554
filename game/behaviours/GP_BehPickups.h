// The pick-ups and the timed bonuses they switch on: falling bonus and weapon pick-ups, the crossing bonus
// ship, the rain emitter, the option that launches homing missiles, the shield and the carrier.
#pragma once
#include <cstdint>
#include <vector>

#include "GP_GameBehaviour.h"

// The option's block: the enemies it has launched a missile at, its own.
struct GP_OptionState : GP_BehaviourState {
    static constexpr std::size_t MaxTargets = 65534;
    std::vector<CGP_GameObject*> targets;
};

enum GP_PickupBehaviourState : std::int32_t {
    GP_PickupStart = 0,
    GP_PickupAppear = 1,
    GP_PickupFall = 2,  // also the crossing ship's cross and the shield's up
    GP_PickupWork = 3,  // the option's work, the carrier's carry
    GP_PickupDying = 4,
    GP_PickupLeave = 6,
};

class CGP_PickupBehaviour : public CGP_GameBehaviour {
public:
    static constexpr std::uint32_t OptionID = 0x70010, SlowMotionID = 0x70011, ShieldID = 0x70012, LifeID = 0x70013,
                                   RainID = 0x70014, ScoreID = 0x70015;
    static constexpr std::uint32_t MessageOffset = 0x1FFF0;  // sprite ID - this = its message text

    explicit CGP_PickupBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Fall(CGP_GameObject* object, float timeStep);

    void TakeEffect(CGP_GameObject* object);
    // Animates, wrapping at animEnd, and removes it below the screen.
    static void AnimateAndFallOut(CGP_GameObject* object, float timeStep);
    void PlayerSound(int spriteState);
    void ShowMessage(std::uint32_t textID);
};

class CGP_WeaponPickupBehaviour : public CGP_PickupBehaviour {
public:
    static constexpr std::uint32_t FirstWeaponID = 0x1B0000;
    static constexpr std::uint32_t FullMessageOffset = 0x15FFF3;  // sprite ID - this = its level-4 message
    static constexpr std::int32_t FullLevel = 4;

    explicit CGP_WeaponPickupBehaviour(CGP_BehaviourHost* owner);

    std::uint32_t LastWeapon() const { return lastWeapon; }

protected:
    void StartWeapon(CGP_GameObject* object, float timeStep);
    void FallWeapon(CGP_GameObject* object, float timeStep);

private:
    void RaiseLevel(std::uint32_t id);
    static bool IsWeaponIndex(std::int64_t index) { return index >= 0 && index < GP_PlayState::WeaponCount; }

    std::uint32_t lastWeapon = 0;  // sprite ID of the weapon pick-up collected last; survives levels
};

class CGP_CrossingShipBehaviour : public CGP_GameBehaviour {
public:
    static constexpr std::uint32_t LoneKind = 0x3000C;  // crosses only while enemies are about

    explicit CGP_CrossingShipBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Cross(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

private:
    bool EnemiesLeft() const;
};

class CGP_RainEmitterBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_RainEmitterBehaviour(CGP_BehaviourHost* owner);

protected:
    void Emit(CGP_GameObject* object, float timeStep);
};

class CGP_OptionBehaviour : public CGP_GameBehaviour {
public:
    static constexpr float OptionTime = 30000;

    explicit CGP_OptionBehaviour(CGP_BehaviourHost* owner);

    // The base attach with an empty target list, shown in its hidden state.
    void Attach(CGP_GameObject* object) override;

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Appear(CGP_GameObject* object, float timeStep);
    void Work(CGP_GameObject* object, float timeStep);
    void Leave(CGP_GameObject* object, float timeStep);

private:
    static void Hide(CGP_GameObject* object);
    void LaunchAtNewTargets(CGP_GameObject* object);
    void Launch(CGP_GameObject* object, CGP_GameObject* target);
    static void TakeParentLook(CGP_GameObject* object, bool frameToo);
};

class CGP_ShieldBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_ShieldBehaviour(CGP_BehaviourHost* owner);

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Up(CGP_GameObject* object, float timeStep);
    void Broken(CGP_GameObject* object, float timeStep);
};

class CGP_CarrierBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_CarrierBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Carry(CGP_GameObject* object, float timeStep);
};
