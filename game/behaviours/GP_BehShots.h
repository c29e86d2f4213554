// The behaviours of things fired or thrown: shots and their variants (charged, bursting, falling, bouncing,
// curling, the vortex bomb), the homing missile, the shot that detaches and flies at the player, and the blast.
#pragma once
#include <cstdint>
#include <vector>

#include "GP_GameBehaviour.h"

// The block of the shot and its variants.
struct GP_ShotState : GP_BehaviourState {
    float acceleration = 0;  // the definition's, taken at Attach
    std::int32_t armed = 0;
    float flySpeed = 0;  // pixels per ms along the heading
    float animRate = 0;  // the bouncer's own frames per ms
    std::int32_t spare = 0;
    std::vector<CGP_GameObject*> victims;  // the vortex bomb's pulled objects, its own
};

struct GP_HomingState : GP_BehaviourState {
    float turnHeading = 0;  // the wanted heading
    CGP_GameObject* target = nullptr;
    float frameFactor = 0;
};

class CGP_ShotBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_ShotBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;
    // The base hit; shooting an object of the scored kind adds its score value.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Launch(CGP_GameObject* object, float timeStep);
    void Fly(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

    static void MoveAlongHeading(CGP_GameObject* object, float distance);
    // Gone off screen or at its end: gone, then the special-kill bonus when the last special shot ended.
    void End(CGP_GameObject* object);
    // A special weapon's shot that ended pays the special-kill bonus when it was the last one; other shots never.
    void PayBonusIfSpecial(CGP_GameObject* object);
    // Animates toward animEnd at rate; at the last frame a looping state starts again and another ends the shot
    // (true).
    static bool AnimateToLastFrame(CGP_GameObject* object, float rate, float timeStep);
};

class CGP_ChargedShotBehaviour : public CGP_ShotBehaviour {
public:
    explicit CGP_ChargedShotBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;

protected:
    void Charge(CGP_GameObject* object, float timeStep);
};

class CGP_BurstShotBehaviour : public CGP_ShotBehaviour {
public:
    static constexpr int Fragments = 8;

    explicit CGP_BurstShotBehaviour(CGP_BehaviourHost* owner);

protected:
    void FlyToBurst(CGP_GameObject* object, float timeStep);
    void Burst(CGP_GameObject* object, float timeStep);
};

class CGP_FallingShotBehaviour : public CGP_ShotBehaviour {
public:
    explicit CGP_FallingShotBehaviour(CGP_BehaviourHost* owner);

protected:
    void FlyAndBend(CGP_GameObject* object, float timeStep);
};

class CGP_BouncerBehaviour : public CGP_ShotBehaviour {
public:
    explicit CGP_BouncerBehaviour(CGP_BehaviourHost* owner);

protected:
    void LaunchBouncing(CGP_GameObject* object, float timeStep);
    void Bounce(CGP_GameObject* object, float timeStep);
    // (random mod round(state rate·2000))·0.001 + 0.01; a modulus of 0 or less draws 0.
    static float DrawRate(CGP_GameObject* object);
};

class CGP_CurlShotBehaviour : public CGP_ShotBehaviour {
public:
    explicit CGP_CurlShotBehaviour(CGP_BehaviourHost* owner);

protected:
    void LaunchCurling(CGP_GameObject* object, float timeStep);
    void Curl(CGP_GameObject* object, float timeStep);
};

class CGP_VortexBombBehaviour : public CGP_ShotBehaviour {
public:
    static constexpr float Reach = 130;  // pixels from the bomb's centre
    static constexpr float PullSpeed = 0.6f;
    static constexpr float CaptureDistance = 13;

    explicit CGP_VortexBombBehaviour(CGP_BehaviourHost* owner);

    // The bomb's own victims list starts empty, also on a recycled bomb.
    void Attach(CGP_GameObject* object) override;

protected:
    void Burst(CGP_GameObject* object, float timeStep);
    void Fuse(CGP_GameObject* object, float timeStep);
    void Pull(CGP_GameObject* object, float timeStep);

private:
    static void Gather(CGP_GameObject* object, GP_ShotState& block);
};

class CGP_HomingMissileBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_HomingMissileBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;
    // Gives the missile its target; false (nothing written) when the object is no homing missile.
    static bool SetTarget(CGP_GameObject* missile, CGP_GameObject* target);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Home(CGP_GameObject* object, float timeStep);
    void Gone(CGP_GameObject* object, float timeStep);
};

class CGP_DetachingShotBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_DetachingShotBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void WaitAttached(CGP_GameObject* object, float timeStep);
    void FlyAtPlayer(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

private:
    void Detach(CGP_GameObject* object);
    static void AdvanceWrapped(CGP_GameObject* object, float timeStep);
};

class CGP_BlastBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_BlastBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Blast(CGP_GameObject* object, float timeStep);
};

// The behaviour states the shots use beyond the common ones.
enum GP_ShotBehaviourState : std::int32_t {
    GP_ShotStart = 0,
    GP_ShotLaunch = 1,
    GP_ShotFly = 2,
    GP_ShotActive = 3,  // fuse, home, fly detached, blast
    GP_ShotDying = 4,
    GP_ShotEnded = 5,
    GP_ShotPull = 6,
};
