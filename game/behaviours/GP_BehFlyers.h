// The remaining enemies and the effect objects: loopers and circlers that fly set figures and then attack,
// droppers launched by a boss hatch, cruisers and spawners that a controller starts, blocks that show their
// damage and are pushed back, and the effects (timed animations, the sound-listener effect, the starfield).
#pragma once
#include <cstdint>

#include "GP_GameBehaviour.h"

enum GP_FlyerBehaviourState : std::int32_t {
    GP_FlyerStart = 0,
    GP_FlyerFirst = 1,   // the looper's small loop, the circler's wait, the dropper carried
    GP_FlyerSecond = 2,  // the looper's big loop, the circler's circle; rest and run of the others
    GP_FlyerAttack = 3,  // flying at the player, the dropper's drop, the spawner's and block's action
    GP_FlyerDying = 4,
    GP_FlyerBack = 6,  // the looper's loop back, the dropper's flight aside
    GP_FlyerRun = 7,   // the looper's straight run
};

// Which way a flyer's figure goes, decided when it starts and kept in aux.
enum GP_FlyerSide : std::int32_t {
    GP_SideLeft = 0,
    GP_SideRight = 1,
};

class CGP_FlyerBehaviour : public CGP_GameBehaviour {
public:
    using CGP_GameBehaviour::CGP_GameBehaviour;

protected:
    // x = cos(heading)·r + targetX, y = targetY - sin(heading)·r.
    static void PlaceOnCircle(CGP_GameObject* object, float radius);
    // frame = round(f·-0.0888889) wrapped into the strip.
    static void CircleFrame(CGP_GameObject* object, float f);
    // Turns toward the player (form B; straight down without one) at speed, then flies there.
    void Attack(CGP_GameObject* object, float speed);
    // Moves by the velocity, exchanges hits and goes once off screen.
    void FlyOut(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);
};

class CGP_LooperBehaviour : public CGP_FlyerBehaviour {
public:
    static constexpr float AttackSpeed = 0.4f;

    explicit CGP_LooperBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void SmallLoop(CGP_GameObject* object, float timeStep);
    void BigLoop(CGP_GameObject* object, float timeStep);
    void Run(CGP_GameObject* object, float timeStep);
    void LoopBack(CGP_GameObject* object, float timeStep);
    void Fly(CGP_GameObject* object, float timeStep);
};

class CGP_CirclerBehaviour : public CGP_FlyerBehaviour {
public:
    explicit CGP_CirclerBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Wait(CGP_GameObject* object, float timeStep);
    void Circle(CGP_GameObject* object, float timeStep);
    void Fly(CGP_GameObject* object, float timeStep);
};

class CGP_DropperBehaviour : public CGP_FlyerBehaviour {
public:
    explicit CGP_DropperBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Carried(CGP_GameObject* object, float timeStep);
    void DropDown(CGP_GameObject* object, float timeStep);
    void FlyAside(CGP_GameObject* object, float timeStep);

private:
    static void Animate(CGP_GameObject* object, float timeStep);
};

class CGP_SideCruiserBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_SideCruiserBehaviour(CGP_BehaviourHost* owner);

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Cruise(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);
};

class CGP_SpawnerBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_SpawnerBehaviour(CGP_BehaviourHost* owner);

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Count(CGP_GameObject* object, float timeStep);
    void Open(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);
};

class CGP_BlockBehaviour : public CGP_GameBehaviour {
public:
    static constexpr std::int32_t PushDistance = 30;

    explicit CGP_BlockBehaviour(CGP_BehaviourHost* owner);

    // The base hit; a living block shows its damage frame and the splitting shot pushes it back.
    bool Hit(CGP_GameObject* object, CGP_GameObject* other) override;

protected:
    void Start(CGP_GameObject* object, float timeStep);
    void Pushed(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);
};

struct GP_EffectState : GP_BehaviourState {
    std::uint8_t played = 0;  // the animation reached its last frame once
};

class CGP_EffectBehaviour : public CGP_GameBehaviour {
public:
    explicit CGP_EffectBehaviour(CGP_BehaviourHost* owner);

    void Attach(CGP_GameObject* object) override;

protected:
    void Wait(CGP_GameObject* object, float timeStep);
    void Animate(CGP_GameObject* object, float timeStep);
    void Die(CGP_GameObject* object, float timeStep);

private:
    static void Blink(CGP_GameObject* object, float timeStep);
};

class CGP_ListenerEffectBehaviour : public CGP_EffectBehaviour {
public:
    explicit CGP_ListenerEffectBehaviour(CGP_BehaviourHost* owner);

protected:
    void WaitAndListen(CGP_GameObject* object, float timeStep);
    void GiveBackAndDie(CGP_GameObject* object, float timeStep);
};

class CGP_StarfieldBehaviour : public CGP_EffectBehaviour {
public:
    static constexpr int MaxStarsPerEntry = 480;

    explicit CGP_StarfieldBehaviour(CGP_BehaviourHost* owner);

    // trunc(480 / (interval base · speed base)), 0 for a product of 0 or less, at most MaxStarsPerEntry.
    static int StarCount(const GP_SpawnEntry& entry);

protected:
    void WaitAndFill(CGP_GameObject* object, float timeStep);

private:
    void Fill(CGP_GameObject* object);
};
