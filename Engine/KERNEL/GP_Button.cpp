#include "GP_Button.h"

#include "GP_FormKinds.h"

std::int32_t GP_ButtonFrameOf(std::uint32_t mouseState, bool enabled, std::int32_t current)
{
    if (!enabled) return GP_ButtonDisabled;
    switch (mouseState) {
    case GP_MouseOutside: return GP_ButtonNormal;
    case GP_MousePressed: return GP_ButtonPressed;
    case GP_MouseOver: return GP_ButtonHover;
    default: return current;
    }
}

CGP_Button::CGP_Button(CGP_Object* parent, CGP_MouseCursor* mouseCursor) : CGP_Control(parent, mouseCursor)
{
    Fields()->type = GP_KindButton;
    *GetFrameCount() = 4;
}

void CGP_Button::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    if (enableVariable) frameIndex = IsEnabled() ? GP_ButtonNormal : GP_ButtonDisabled;
}

bool CGP_Button::Update(float timeStep)
{
    if (!CGP_Control::Update(timeStep)) return false;
    frameIndex = GP_ButtonFrameOf(mouseState, IsEnabled(), frameIndex);
    return true;
}
