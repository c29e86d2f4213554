// Forms: a control that owns a list of controls, reads itself and them from the binary resources as one record
// (the form's block, then per control its type code and block), updates and draws them each frame, routes the
// Enter and Escape keys to two form-level handlers and keeps the hint text.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_Control.h"

class CGP_FontCache;

struct GP_FormBlock : GP_ControlBlock {
    std::uint32_t formID;        // the name ID by which the game shows the form
    std::uint16_t controlCount;  // control records after the form's block
    std::uint16_t unused;
    std::uint32_t fillColor;  // used when the form has no picture
    std::uint32_t gameValue;  // kept for the game's handlers
    std::uint32_t enterKeyAction;
    std::uint32_t escapeKeyAction;
};
static_assert(sizeof(GP_FormBlock) == 108);

// The form whose text entry tells whether the selected player slot holds a name.
constexpr std::uint32_t GP_NewGameFormID = 0x000A0003;

class CGP_Form : public CGP_Control {
public:
    static constexpr std::size_t MaxControls = 65534;

    CGP_Form(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_InterfaceHost* mainFrame);

    void Read(CGP_ServerSet* servers) override { Load(servers); }
    // The form's block and its controls, then the pictures of all of them. An unknown type code shows
    // "Unknown Info ID" and ends the load with the fatal engine exception: the rest cannot be read.
    void Load(CGP_ServerSet* servers);
    // The form's block with the control count, then each control's type code and block.
    void Write(CGP_ServerSet* servers) override;
    bool Update(float timeStep) override;
    void ReloadImages(CGP_ServerSet* servers) override;
    void Draw() override;
    void Bind(CGP_ActionLookup* actionTable) override;
    void ReleaseSurfaces() override;

    virtual std::uint32_t* GetFillColor() { return &FormFields()->fillColor; }
    virtual std::uint32_t* GetFormID() { return &FormFields()->formID; }
    virtual std::uint32_t* GetGameValue() { return &FormFields()->gameValue; }
    // Appends the control, which the form then owns; a form already holding MaxControls deletes it and says
    // false.
    virtual bool AddControl(std::unique_ptr<CGP_Control> control);
    virtual GP_ActionHandler* GetEnterKeyHandler() { return &enterKeyHandler; }
    virtual GP_ActionHandler* GetEscapeKeyHandler() { return &escapeKeyHandler; }

    std::size_t ControlCount() const { return controls.size(); }
    CGP_Control* GetControl(std::size_t index) const
    {
        return index < controls.size() ? controls[index].get() : nullptr;
    }

    // The element's visible flag hides the form; while not active it is drawn but takes no input.
    std::uint8_t active = 1;
    CGP_InterfaceHost* mainFrame = nullptr;

private:
    GP_FormBlock* FormFields() const { return Block<GP_FormBlock>(); }
    std::unique_ptr<CGP_Control> ReadControl(CGP_ServerSet* servers);
    // A set key's flag is cleared and its handler run; false when the handler replaced the form.
    bool RunKey(std::uint8_t key, GP_ActionHandler handler);
    void NoteSelectedSlot() const;

    std::vector<std::unique_ptr<CGP_Control>> controls;
    GP_ActionHandler enterKeyHandler = nullptr;
    GP_ActionHandler escapeKeyHandler = nullptr;
};
