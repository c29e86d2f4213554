// A check box showing a byte game variable: frames 0 off, 1 on, 2 off hover, 3 on hover, 4 off disabled, 5 on
// disabled. Its click handler toggles the value; the box only shows it.
#pragma once
#include "GP_Control.h"

struct GP_CheckBoxBlock : GP_ControlBlock {
    std::uint32_t valueVariable;
};
static_assert(sizeof(GP_CheckBoxBlock) == 88);

class CGP_CheckBox : public CGP_Control {
public:
    CGP_CheckBox(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    void Write(CGP_ServerSet* servers) override;
    void Bind(CGP_ActionLookup* actionTable) override;
    bool Update(float timeStep) override;

    std::uint8_t* value = nullptr;
};
