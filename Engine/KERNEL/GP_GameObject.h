// Game objects: elements on the play field driven by a behaviour, to which they forward their events.
#pragma once
#include <cstdint>

#include "GP_Object.h"

class CGP_Behaviour;

class CGP_GameObject : public CGP_Element {
public:
    using CGP_Element::CGP_Element;

    // Each forwards to the behaviour with the object first; nothing without a behaviour.
    void Event3(std::int32_t a, std::int32_t b, float c);
    void Event4();
    void Event5();

    CGP_Behaviour* behaviour = nullptr;  // not owned
};
