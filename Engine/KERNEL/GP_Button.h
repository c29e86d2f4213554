// A push button: frames 0 normal, 1 pressed, 2 hover, 3 disabled.
#pragma once
#include "GP_Control.h"

enum GP_ButtonFrame : std::int32_t {
    GP_ButtonNormal = 0,
    GP_ButtonPressed = 1,
    GP_ButtonHover = 2,
    GP_ButtonDisabled = 3,
};

// The button frame of a control's mouse state; state 0 keeps the current frame.
std::int32_t GP_ButtonFrameOf(std::uint32_t mouseState, bool enabled, std::int32_t current);

class CGP_Button : public CGP_Control {
public:
    CGP_Button(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    void Bind(CGP_ActionLookup* actionTable) override;
    bool Update(float timeStep) override;
};
