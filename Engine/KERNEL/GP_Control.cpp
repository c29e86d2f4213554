#include "GP_Control.h"

#include "GP_MouseCursor.h"

CGP_Control::CGP_Control(CGP_Object* parent, CGP_MouseCursor* mouseCursor)
    : CGP_Element(parent), mouseCursor(mouseCursor)
{
    GP_ControlBlock* fields = GrowBlock<GP_ControlBlock>(GP_TypeControl);
    for (std::uint32_t* id = &fields->enterAction; id <= &fields->hintTextID; ++id) *id = GP_NoID;
}

void CGP_Control::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_ControlBlock)); }

CGP_InterfaceHost* CGP_Control::MainFrame() const { return mouseCursor ? mouseCursor->mainFrame : nullptr; }

void* CGP_Control::Variable(std::uint32_t id) const
{
    CGP_InterfaceHost* frame = MainFrame();
    return id != GP_NoID && frame ? frame->GetVariable(id) : nullptr;
}

GP_ActionHandler CGP_Control::Lookup(std::uint32_t id) const
{
    return id == 0 || !actions ? nullptr : actions->GetHandler(id);
}

void CGP_Control::Bind(CGP_ActionLookup* actionTable)
{
    actions = actionTable;
    enterHandler = Lookup(*GetEnterAction());
    leaveHandler = Lookup(*GetLeaveAction());
    pressHandler = Lookup(*GetPressAction());
    clickHandler = Lookup(*GetClickAction());
    enableVariable = static_cast<std::uint8_t*>(Variable(*GetEnableVariableID()));
}

bool CGP_Control::Run(GP_ActionHandler handler) { return !handler || handler(*actions, this); }

bool CGP_Control::CursorInside(int x, int y)
{
    const int left = static_cast<int>(GetAbsX());
    const int top = static_cast<int>(GetAbsY());
    return left <= x && x < left + *GetWidth() && top <= y && y < top + *GetHeight();
}

bool CGP_Control::UpdateInside()
{
    if (mouseState == GP_MouseOver) {
        if (!mouseCursor->leftDown) return true;
        mouseState = GP_MousePressed;
        return Run(pressHandler);
    }
    // A press that began elsewhere does not enter.
    if (mouseCursor->leftDown) return true;
    const bool clicked =
        mouseState == GP_MousePressed && CursorInside(mouseCursor->leftHeld.x, mouseCursor->leftHeld.y);
    mouseState = GP_MouseOver;
    return Run(clicked ? clickHandler : enterHandler);
}

bool CGP_Control::Update(float)
{
    if (mouseState == GP_MouseIgnored || !mouseCursor) return true;
    if (CursorInside(mouseCursor->x, mouseCursor->y)) return UpdateInside();
    if (mouseState != GP_MouseOver && mouseState != GP_MousePressed) return true;
    mouseState = GP_MouseOutside;
    return Run(leaveHandler);
}
