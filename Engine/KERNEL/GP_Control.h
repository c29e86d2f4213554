// Controls: elements that turn the mouse cursor into the states outside, over and pressed, and call up to four
// handlers bound by action ID (enter, leave, press, click). Every interface element kind derives from it.
#pragma once
#include <cstdint>

#include "GP_InterfaceHost.h"
#include "GP_Object.h"

class CGP_MouseCursor;

struct GP_ControlBlock : GP_ElementBlock {
    std::uint32_t enterAction;
    std::uint32_t leaveAction;
    std::uint32_t pressAction;
    std::uint32_t clickAction;
    std::uint32_t pressSound;
    std::uint32_t releaseSound;
    std::uint32_t hoverSound;
    std::uint32_t clickSound;
    std::uint32_t enableVariableID;  // a byte game variable; -1: always enabled
    std::uint32_t hintTextID;
};
static_assert(sizeof(GP_ControlBlock) == 84);

enum GP_MouseState : std::uint32_t {
    GP_MouseIgnored = 0,
    GP_MouseOver = 1,
    GP_MouseOutside = 2,
    GP_MousePressed = 3,
};

class CGP_Control : public CGP_Element {
public:
    CGP_Control(CGP_Object* parent, CGP_MouseCursor* mouseCursor);

    void Write(CGP_ServerSet* servers) override;
    // The mouse handling; false when a handler replaced the form.
    bool Update(float timeStep) override;

    // Takes the four handlers from the table (action IDs -1 and 0 bind none) and the enabling variable.
    virtual void Bind(CGP_ActionLookup* actionTable);
    virtual std::uint32_t* GetEnterAction() { return &Fields()->enterAction; }
    virtual std::uint32_t* GetLeaveAction() { return &Fields()->leaveAction; }
    virtual std::uint32_t* GetPressAction() { return &Fields()->pressAction; }
    virtual std::uint32_t* GetClickAction() { return &Fields()->clickAction; }
    virtual std::uint32_t* GetPressSound() { return &Fields()->pressSound; }
    virtual std::uint32_t* GetReleaseSound() { return &Fields()->releaseSound; }
    virtual std::uint32_t* GetHoverSound() { return &Fields()->hoverSound; }
    virtual std::uint32_t* GetClickSound() { return &Fields()->clickSound; }
    virtual std::uint32_t* GetEnableVariableID() { return &Fields()->enableVariableID; }
    virtual GP_ActionHandler* GetEnterHandler() { return &enterHandler; }
    virtual GP_ActionHandler* GetLeaveHandler() { return &leaveHandler; }
    virtual GP_ActionHandler* GetPressHandler() { return &pressHandler; }
    virtual GP_ActionHandler* GetClickHandler() { return &clickHandler; }
    // Kinds with surfaces of their own free them here.
    virtual void ReleaseSurfaces() {}

    // No enabling variable, or its byte is not 0.
    bool IsEnabled() const { return !enableVariable || *enableVariable; }

    std::uint8_t* enableVariable = nullptr;
    CGP_MouseCursor* mouseCursor = nullptr;
    CGP_ActionLookup* actions = nullptr;
    std::uint32_t mouseState = GP_MouseOutside;

protected:
    GP_ControlBlock* Fields() const { return Block<GP_ControlBlock>(); }
    // The main frame the cursor belongs to, null without a cursor.
    CGP_InterfaceHost* MainFrame() const;
    // The variable's value address from the main frame; null for -1 or without a main frame.
    void* Variable(std::uint32_t id) const;
    // Runs the handler on the action table; true without one.
    bool Run(GP_ActionHandler handler);

private:
    bool CursorInside(int x, int y);
    bool UpdateInside();
    GP_ActionHandler Lookup(std::uint32_t id) const;

    GP_ActionHandler enterHandler = nullptr;
    GP_ActionHandler leaveHandler = nullptr;
    GP_ActionHandler pressHandler = nullptr;
    GP_ActionHandler clickHandler = nullptr;
};
