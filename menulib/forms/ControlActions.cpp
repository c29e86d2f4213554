#include "forms/ControlActions.h"

#include "forms/FormManager.h"
#include "forms/InputControls.h"
#include "forms/TextControls.h"

namespace {

// One character as a text of its own (UTF-16 past the 8-bit range).
CString CharacterText(std::uint16_t character)
{
    if (character < 256) {
        const char narrow = static_cast<char>(character);
        return CString(&narrow, 1);
    }
    return CString(&character, 1);
}

}  // namespace

// ---- Labels

void DeclareFormActionSetTextInFormStaticControl(ClassInfo* record)
{
    using A = CFormActionSetTextInFormStaticControl;
    record->AddProperty(new StringPropertyInfo("Name Of Form Static Control", Member<&A::m_controlName>()));
    record->AddProperty(new StringPropertyInfo("Text", Member<&A::m_text>()));
}

FORM_CLASS(CFormActionSetTextInFormStaticControl, CFormAction, DeclareFormActionSetTextInFormStaticControl)

CFormActionSetTextInFormStaticControl::CFormActionSetTextInFormStaticControl() { ConstructOwnMembers(); }

CFormActionSetTextInFormStaticControl::~CFormActionSetTextInFormStaticControl() { DestroyOwnMembers(); }

bool CFormActionSetTextInFormStaticControl::Execute()
{
    auto* label = FindCurrentControl<CFormStaticControl>(m_controlName);
    if (!label) return false;
    label->SetText(m_text);
    return true;
}

void DeclareFormActionRestoreDefaultTextInFormStaticControl(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo(
        "Name Of Form Static Control", Member<&CFormActionRestoreDefaultTextInFormStaticControl::m_controlName>()));
}

FORM_CLASS(CFormActionRestoreDefaultTextInFormStaticControl, CFormAction,
           DeclareFormActionRestoreDefaultTextInFormStaticControl)

CFormActionRestoreDefaultTextInFormStaticControl::CFormActionRestoreDefaultTextInFormStaticControl()
{
    ConstructOwnMembers();
}

CFormActionRestoreDefaultTextInFormStaticControl::~CFormActionRestoreDefaultTextInFormStaticControl()
{
    DestroyOwnMembers();
}

bool CFormActionRestoreDefaultTextInFormStaticControl::Execute()
{
    auto* label = FindCurrentControl<CFormStaticControl>(m_controlName);
    if (!label) return false;
    label->RestoreDefaultText();
    return true;
}

// ---- Edit boxes and check boxes

void DeclareFormActionClearFormEditControl(ClassInfo* record)
{
    record->AddProperty(
        new StringPropertyInfo("Name Of Form Edit Control", Member<&CFormActionClearFormEditControl::m_controlName>()));
}

FORM_CLASS(CFormActionClearFormEditControl, CFormAction, DeclareFormActionClearFormEditControl)

CFormActionClearFormEditControl::CFormActionClearFormEditControl() { ConstructOwnMembers(); }

CFormActionClearFormEditControl::~CFormActionClearFormEditControl() { DestroyOwnMembers(); }

bool CFormActionClearFormEditControl::Execute()
{
    auto* edit = FindCurrentControl<CFormEditControl>(m_controlName);
    if (!edit) return false;
    edit->SetText(CString());
    return true;
}

void DeclareFormActionSetFormCheckBoxControlState(ClassInfo* record)
{
    using A = CFormActionSetFormCheckBoxControlState;
    record->AddProperty(new StringPropertyInfo("Name Of Form Check Box Control", Member<&A::m_controlName>()));
    record->AddProperty(new BoolPropertyInfo("New State", Member<&A::m_newState>()));
}

FORM_CLASS(CFormActionSetFormCheckBoxControlState, CFormAction, DeclareFormActionSetFormCheckBoxControlState)

CFormActionSetFormCheckBoxControlState::CFormActionSetFormCheckBoxControlState() { ConstructOwnMembers(); }

CFormActionSetFormCheckBoxControlState::~CFormActionSetFormCheckBoxControlState() { DestroyOwnMembers(); }

bool CFormActionSetFormCheckBoxControlState::Execute()
{
    auto* box = FindCurrentControl<CFormCheckBoxControl>(m_controlName);
    if (!box) return false;
    box->SetState(m_newState);
    return true;
}

void DeclareFormActionGetFormCheckBoxControlState(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Form Check Box Control",
                                               Member<&CFormActionGetFormCheckBoxControlState::m_controlName>()));
}

FORM_CLASS(CFormActionGetFormCheckBoxControlState, CFormAction, DeclareFormActionGetFormCheckBoxControlState)

CFormActionGetFormCheckBoxControlState::CFormActionGetFormCheckBoxControlState() { ConstructOwnMembers(); }

CFormActionGetFormCheckBoxControlState::~CFormActionGetFormCheckBoxControlState() { DestroyOwnMembers(); }

bool CFormActionGetFormCheckBoxControlState::Execute()
{
    auto* box = FindCurrentControl<CFormCheckBoxControl>(m_controlName);
    return box && box->GetState();
}

// ---- The check of an edit box's text

void DeclareFormActionValidateFormEditControlGeneral(ClassInfo* record)
{
    using A = CFormActionValidateFormEditControlGeneral;
    record->AddProperty(new StringPropertyInfo("Name Of Form Edit Control", Member<&A::m_controlName>()));
    record->AddProperty(new StringPropertyInfo("Legal Characters", Member<&A::m_legalCharacters>()));
    record->GetLastProperty()->SetHelpText("If not empty, only these character are allowed in the edit field.");
    record->AddProperty(new StringPropertyInfo("Required Characters", Member<&A::m_requiredCharacters>()));
    record->GetLastProperty()->SetHelpText("Legal values must contain at least one of each of these characters");
    record->AddProperty(new IntegerPropertyInfo("Minimum Length", Member<&A::m_minimumLength>()));
    record->AddProperty(new IntegerPropertyInfo("Maximum Length", Member<&A::m_maximumLength>(), 9999));
    record->AddProperty(
        new StringPropertyInfo("Name Of Illegal Character Warning String Control", Member<&A::m_illegalWarningName>()));
    record->AddProperty(
        new StringPropertyInfo("Name Of Missing Character Warning String Control", Member<&A::m_missingWarningName>()));
    AddActionProperty(record, "Empty Action", PointerMember<&A::m_emptyAction>());
    AddActionProperty(record, "Too Short Action", PointerMember<&A::m_tooShortAction>());
    AddActionProperty(record, "Too Long Action", PointerMember<&A::m_tooLongAction>());
    AddActionProperty(record, "Illegal Character Action", PointerMember<&A::m_illegalCharacterAction>());
    AddActionProperty(record, "Missing Character Action", PointerMember<&A::m_missingCharacterAction>());
}

FORM_CLASS(CFormActionValidateFormEditControlGeneral, CFormAction, DeclareFormActionValidateFormEditControlGeneral)

CFormActionValidateFormEditControlGeneral::CFormActionValidateFormEditControlGeneral() { ConstructOwnMembers(); }

CFormActionValidateFormEditControlGeneral::~CFormActionValidateFormEditControlGeneral() { DestroyOwnMembers(); }

void CFormActionValidateFormEditControlGeneral::ShowWarning(const CString& labelName, std::uint16_t character)
{
    auto* label = FindCurrentControl<CFormStaticControl>(labelName);
    if (!label) return;
    // The template is the text shown now: once used it holds no "%c" until the default text comes back.
    CString warning(label->GetDisplayedText());
    warning.ReplaceFirst("%c", CharacterText(character));
    label->SetText(warning);
}

bool CFormActionValidateFormEditControlGeneral::Fail(CFormAction* action) const
{
    RunFormAction(action);
    return false;
}

bool CFormActionValidateFormEditControlGeneral::Execute()
{
    auto* edit = FindCurrentControl<CFormEditControl>(m_controlName);
    if (!edit) return false;
    const CString text = edit->GetText();
    const auto length = static_cast<std::uint32_t>(text.GetLength());
    if (length < static_cast<std::uint32_t>(m_minimumLength))
        return Fail(length == 0 ? m_emptyAction : m_tooShortAction);
    if (length > static_cast<std::uint32_t>(m_maximumLength)) return Fail(m_tooLongAction);
    if (m_legalCharacters.IsNotEmpty()) {
        for (int i = 0; i < text.GetLength(); ++i) {
            if (m_legalCharacters.FindChar(text.GetAt(i)) >= 0) continue;
            ShowWarning(m_illegalWarningName, text.GetAt(i));
            return Fail(m_illegalCharacterAction);
        }
    }
    for (int i = 0; i < m_requiredCharacters.GetLength(); ++i) {
        if (text.FindChar(m_requiredCharacters.GetAt(i)) >= 0) continue;
        ShowWarning(m_missingWarningName, m_requiredCharacters.GetAt(i));
        return Fail(m_missingCharacterAction);
    }
    return true;
}

// ---- The check of a choice

void DeclareFormActionValidateFormChoiceBoxControlGeneral(ClassInfo* record)
{
    using A = CFormActionValidateFormChoiceBoxControlGeneral;
    record->AddProperty(new StringPropertyInfo("Name Of Form Choice Box Control", Member<&A::m_controlName>()));
    AddActionProperty(record, "No Selection Action", PointerMember<&A::m_noSelectionAction>());
}

FORM_CLASS(CFormActionValidateFormChoiceBoxControlGeneral, CFormAction,
           DeclareFormActionValidateFormChoiceBoxControlGeneral)

CFormActionValidateFormChoiceBoxControlGeneral::CFormActionValidateFormChoiceBoxControlGeneral()
{
    ConstructOwnMembers();
}

CFormActionValidateFormChoiceBoxControlGeneral::~CFormActionValidateFormChoiceBoxControlGeneral()
{
    DestroyOwnMembers();
}

bool CFormActionValidateFormChoiceBoxControlGeneral::Execute()
{
    auto* choice = FindCurrentControl<CFormChoiceBoxControl>(m_controlName);
    if (!choice) return false;
    if (choice->GetSelection() != 0) return true;
    RunFormAction(m_noSelectionAction);
    return false;
}
