#include "GP_Form.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_FormKinds.h"
#include "GP_ServerSet.h"
#include "GP_TextInput.h"
#include "platform/win32_message_box.h"

namespace {
constexpr const char* Module = "GP_Form";
}  // namespace

CGP_Form::CGP_Form(CGP_Object* parent, CGP_MouseCursor* mouseCursor, CGP_InterfaceHost* mainFrame)
    : CGP_Control(parent, mouseCursor), mainFrame(mainFrame)
{
    GP_FormBlock* fields = GrowBlock<GP_FormBlock>(GP_TypeForm);
    fields->fillColor = 0xFF0000FF;
    fields->enterKeyAction = GP_NoID;
    fields->escapeKeyAction = GP_NoID;
}

std::unique_ptr<CGP_Control> CGP_Form::ReadControl(CGP_ServerSet* servers)
{
    std::uint32_t kind = 0;
    servers->binary->Read(kind);
    auto control = GP_CreateControl(kind, this, mouseCursor, mainFrame ? mainFrame->GetFontCache() : nullptr);
    if (!control) {
        MessageBoxA(nullptr, "Unknown Info ID", "Engine load form error", MB_ICONSTOP);
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Unknown Info ID %lu", static_cast<unsigned long>(kind)));
    }
    control->Read(servers);
    return control;
}

void CGP_Form::Load(CGP_ServerSet* servers)
{
    CGP_Object::Read(servers);
    const int count = FormFields()->controlCount;
    for (int i = 0; i < count; ++i) AddControl(ReadControl(servers));
    CreateFrames(servers);
    for (auto& control : controls) control->CreateFrames(servers);
}

void CGP_Form::Write(CGP_ServerSet* servers)
{
    FormFields()->controlCount = static_cast<std::uint16_t>(controls.size());
    WriteBlock(servers, sizeof(GP_FormBlock));
    for (auto& control : controls) {
        servers->binary->Write(control->Block<GP_ObjectBlock>()->type);
        control->Write(servers);
    }
}

bool CGP_Form::AddControl(std::unique_ptr<CGP_Control> control)
{
    if (controls.size() >= MaxControls) return false;
    controls.push_back(std::move(control));
    return true;
}

void CGP_Form::Bind(CGP_ActionLookup* actionTable)
{
    CGP_Control::Bind(actionTable);
    enterKeyHandler = actionTable ? actionTable->GetHandler(FormFields()->enterKeyAction) : nullptr;
    escapeKeyHandler = actionTable ? actionTable->GetHandler(FormFields()->escapeKeyAction) : nullptr;
    for (auto& control : controls) control->Bind(actionTable);
}

bool CGP_Form::RunKey(std::uint8_t key, GP_ActionHandler handler)
{
    if (!mainFrame || !mainFrame->TypedKeys[key]) return true;
    mainFrame->TypedKeys[key] = 0;
    return Run(handler);
}

void CGP_Form::NoteSelectedSlot() const
{
    for (const auto& control : controls) {
        // The type in the block comes from the form's record: only a control that is a text entry is read as one.
        const auto* entry = dynamic_cast<const CGP_TextInput*>(control.get());
        if (entry && entry->editing) GP_Interface().SlotInUse = entry->TextWithoutCaret().empty() ? 0 : 1;
    }
}

bool CGP_Form::Update(float timeStep)
{
    if (active) {
        for (auto& control : controls)
            if (!control->Update(timeStep)) return false;
    }
    GP_InterfaceState& hint = GP_Interface();
    if (hint.HintTextId == GP_NoID) {
        hint.HintTextId = Fields()->hintTextID;
        hint.HintChanged = 1;
    }
    if (!RunKey(GP_KeyEnter, enterKeyHandler)) return false;
    if (!RunKey(GP_KeyEscape, escapeKeyHandler)) return false;
    if (FormFields()->formID == GP_NewGameFormID) NoteSelectedSlot();
    return true;
}

void CGP_Form::ReloadImages(CGP_ServerSet* servers)
{
    CGP_Element::ReloadImages(servers);
    for (auto& control : controls) control->ReloadImages(servers);
}

void CGP_Form::ReleaseSurfaces()
{
    for (auto& control : controls) control->ReleaseSurfaces();
}

void CGP_Form::Draw()
{
    if (!visible) return;
    if (frames)
        CGP_Element::Draw();
    else
        FillOwnRect(FormFields()->fillColor);
    for (auto& control : controls) control->Draw();
}
