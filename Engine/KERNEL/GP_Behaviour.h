// The behaviour that drives game objects: one instance per behaviour ID for the whole program, the per-object
// data kept in the object's state block. The game's behaviours derive from it; the game objects forward their
// per-frame update and their events to it.
#pragma once
#include <cstdint>

class CGP_GameObject;
struct GP_SpriteRecord;

// The per-object data of a behaviour, allocated zero-filled when it is first attached and kept when the object
// is recycled. Behaviours that need more derive a larger block from it.
struct GP_BehaviourState {
    virtual ~GP_BehaviourState() = default;

    std::int32_t state = 0;  // the behaviour state, 0 to 7; 4 is dying
    float timer = 0;
    std::int32_t targetX = 0;
    std::int32_t targetY = 0;
    std::int32_t aux = 0;
    float animEnd = 0;
    float animPos = 0;
    std::uint32_t aux2 = 0;
    const GP_SpriteRecord* def = nullptr;  // the object's sprite definition record
    std::uint8_t brakingX = 0;
    std::uint8_t brakingY = 0;
};

class CGP_Behaviour {
public:
    static constexpr int StateCount = 8;
    // What a behaviour does with an object in one behaviour state, each frame.
    using StateCallback = void (CGP_Behaviour::*)(CGP_GameObject* object, float timeStep);

    CGP_Behaviour();
    virtual ~CGP_Behaviour() = default;

    // Makes this the object's behaviour: a state block when it has none, then state 0, timer 0 and the
    // definition record; the block's other fields keep what they held.
    virtual void Attach(CGP_GameObject* object);
    // Health above 0: true; otherwise the object's behaviour state becomes 4 (dying) and the result is false.
    virtual bool IsAlive(CGP_GameObject* object);
    // One frame of the object's life: the callback of its behaviour state.
    virtual void Update(CGP_GameObject* object, float timeStep);

    // The player's steering: horizontal and vertical motion and the frame's milliseconds.
    virtual void Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t dy, float elapsed) {}
    // Fire 1 and fire 2; the rest carry the player's other controls.
    virtual void Event4(CGP_GameObject* object) {}
    virtual std::int32_t Event5(CGP_GameObject* object) { return 0; }
    virtual void Event6(CGP_GameObject* object) {}
    virtual void Event7(CGP_GameObject* object) {}
    virtual void Event8(CGP_GameObject* object) {}
    virtual void Event9(CGP_GameObject* object) {}
    virtual void Event10(CGP_GameObject* object) {}
    virtual void Event11(CGP_GameObject* object) {}
    virtual void Event12(CGP_GameObject* object) {}
    virtual void Event13(CGP_GameObject* object) {}
    virtual void Event14(CGP_GameObject* object) {}
    virtual void Event15(CGP_GameObject* object) {}
    virtual void Event16(CGP_GameObject* object, std::int32_t a, std::int32_t b) {}
    // The object is hit by other: its health drops by other's damage; whether it is still alive (IsAlive).
    virtual bool Hit(CGP_GameObject* object, CGP_GameObject* other);

    // The empty callback of every state a behaviour does not use.
    void NoOp(CGP_GameObject* object, float timeStep) {}

protected:
    // Derived behaviours put their own callbacks in place of NoOp in their constructors.
    template <class Derived>
    void SetState(int state, void (Derived::*callback)(CGP_GameObject*, float))
    {
        stateCallbacks[state] = static_cast<StateCallback>(callback);
    }

    StateCallback stateCallbacks[StateCount];
};

// The behaviour state that every behaviour gives to a killed object.
constexpr std::int32_t GP_BehaviourDying = 4;
