// The behaviour that drives a game object: the events its object forwards. The game's behaviours derive from it.
#pragma once
#include <cstdint>

class CGP_GameObject;

class CGP_Behaviour {
public:
    virtual ~CGP_Behaviour() = default;

    // The player's steering: horizontal and vertical motion and the frame's milliseconds.
    virtual void Event3(CGP_GameObject* object, std::int32_t dx, std::int32_t dy, float elapsed) {}
    // Fire 1 and fire 2.
    virtual void Event4(CGP_GameObject* object) {}
    virtual void Event5(CGP_GameObject* object) {}
};
