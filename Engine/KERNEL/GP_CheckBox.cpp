#include "GP_CheckBox.h"

#include "GP_FormKinds.h"

CGP_CheckBox::CGP_CheckBox(CGP_Object* parent, CGP_MouseCursor* mouseCursor) : CGP_Control(parent, mouseCursor)
{
    GrowBlock<GP_CheckBoxBlock>(GP_KindCheckBox)->valueVariable = GP_NoID;
    *GetFrameCount() = 6;
}

void CGP_CheckBox::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_CheckBoxBlock)); }

void CGP_CheckBox::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    value = static_cast<std::uint8_t*>(Variable(Block<GP_CheckBoxBlock>()->valueVariable));
    frameIndex = (value && *value ? 1 : 0) + (IsEnabled() ? 0 : 4);
}

bool CGP_CheckBox::Update(float timeStep)
{
    if (!CGP_Control::Update(timeStep)) return false;
    const bool on = value && *value;
    if (!IsEnabled())
        frameIndex = on ? 5 : 4;
    else if (value)
        frameIndex = (on ? 1 : 0) + (mouseState == GP_MouseOver ? 2 : 0);
    else
        frameIndex = 0;
    return true;
}
