#include "forms/FormStringActions.h"

#include <algorithm>

#include "forms/FormManager.h"
#include "forms/HttpService.h"
#include "forms/InputControls.h"
#include "forms/TextControls.h"

FORM_CLASS(CFormActionClearFormString, CFormAction, nullptr)

CFormActionClearFormString::CFormActionClearFormString() { ConstructOwnMembers(); }

CFormActionClearFormString::~CFormActionClearFormString() { DestroyOwnMembers(); }

bool CFormActionClearFormString::Execute()
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager) return false;
    manager->GetFormString().Empty();
    return true;
}

void DeclareFormActionAppendFormString(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("String", Member<&CFormActionAppendFormString::m_string>()));
}

FORM_CLASS(CFormActionAppendFormString, CFormAction, DeclareFormActionAppendFormString)

CFormActionAppendFormString::CFormActionAppendFormString() { ConstructOwnMembers(); }

CFormActionAppendFormString::~CFormActionAppendFormString() { DestroyOwnMembers(); }

bool CFormActionAppendFormString::Execute()
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager) return false;
    manager->GetFormString().Append(m_string);
    return true;
}

void DeclareFormActionAppendFormStringFromEditControl(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Form Edit Control",
                                               Member<&CFormActionAppendFormStringFromEditControl::m_controlName>()));
}

FORM_CLASS(CFormActionAppendFormStringFromEditControl, CFormAction, DeclareFormActionAppendFormStringFromEditControl)

CFormActionAppendFormStringFromEditControl::CFormActionAppendFormStringFromEditControl() { ConstructOwnMembers(); }

CFormActionAppendFormStringFromEditControl::~CFormActionAppendFormStringFromEditControl() { DestroyOwnMembers(); }

bool CFormActionAppendFormStringFromEditControl::Execute()
{
    auto* edit = FindCurrentControl<CFormEditControl>(m_controlName);
    if (!edit) return false;
    FormManager::GetCurrent()->GetFormString().Append(edit->GetText());
    return true;
}

// ---- Fields of a web form

namespace {

// Appends the field through the HTTP service's form encoder; false outside a menu session.
bool AppendWebFormField(const CString& name, const CString& value)
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager) return false;
    GetHttpService()->AppendFormField(manager->GetFormString(), name.GetText(), value.GetText());
    return true;
}

}  // namespace

void DeclareFormActionAppendFormStringFromEditControlAsWebForm(ClassInfo* record)
{
    using A = CFormActionAppendFormStringFromEditControlAsWebForm;
    record->AddProperty(new StringPropertyInfo("Field Name", Member<&A::m_fieldName>()));
    record->AddProperty(new StringPropertyInfo("Name Of Form Edit Control", Member<&A::m_controlName>()));
}

FORM_CLASS(CFormActionAppendFormStringFromEditControlAsWebForm, CFormAction,
           DeclareFormActionAppendFormStringFromEditControlAsWebForm)

CFormActionAppendFormStringFromEditControlAsWebForm::CFormActionAppendFormStringFromEditControlAsWebForm()
{
    ConstructOwnMembers();
}

CFormActionAppendFormStringFromEditControlAsWebForm::~CFormActionAppendFormStringFromEditControlAsWebForm()
{
    DestroyOwnMembers();
}

bool CFormActionAppendFormStringFromEditControlAsWebForm::Execute()
{
    auto* edit = FindCurrentControl<CFormEditControl>(m_controlName);
    return AppendWebFormField(m_fieldName, edit ? edit->GetText() : CString());
}

void DeclareFormSelectionString(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Selection String", Member<&CFormSelectionString::m_selectionString>()));
}

FORM_CLASS(CFormSelectionString, CObject, DeclareFormSelectionString)

CFormSelectionString::CFormSelectionString() { ConstructOwnMembers(); }

CFormSelectionString::~CFormSelectionString() { DestroyOwnMembers(); }

void DeclareFormActionAppendFormStringFromChoiceBoxControlAsWebForm(ClassInfo* record)
{
    using A = CFormActionAppendFormStringFromChoiceBoxControlAsWebForm;
    record->AddProperty(new StringPropertyInfo("Field Name", Member<&A::m_fieldName>()));
    record->AddProperty(new StringPropertyInfo("Name Of Form Choice Box Control", Member<&A::m_controlName>()));
    record->AddProperty(new ItemArrayPropertyInfo("Form Strings", Member<&A::m_formStrings>(),
                                                  CFormSelectionString::GetStaticClassInfo(), 0,
                                                  ItemArrayPropertyInfo::Growth::ByAFifth));
}

FORM_CLASS(CFormActionAppendFormStringFromChoiceBoxControlAsWebForm, CFormAction,
           DeclareFormActionAppendFormStringFromChoiceBoxControlAsWebForm)

CFormActionAppendFormStringFromChoiceBoxControlAsWebForm::CFormActionAppendFormStringFromChoiceBoxControlAsWebForm()
{
    ConstructOwnMembers();
}

CFormActionAppendFormStringFromChoiceBoxControlAsWebForm::~CFormActionAppendFormStringFromChoiceBoxControlAsWebForm()
{
    DestroyOwnMembers();
}

bool CFormActionAppendFormStringFromChoiceBoxControlAsWebForm::Execute()
{
    CString value;
    auto* choice = FindCurrentControl<CFormChoiceBoxControl>(m_controlName);
    if (choice && m_formStrings.count > 0) {
        const auto count = static_cast<std::uint32_t>(m_formStrings.count);
        const std::uint32_t i = std::min(static_cast<std::uint32_t>(choice->GetSelection()), count - 1);
        value = static_cast<CFormSelectionString*>(
                    CFormSelectionString::GetStaticClassInfo()->ArrayElement(m_formStrings.first, static_cast<int>(i)))
                    ->GetSelectionString();
    }
    return AppendWebFormField(m_fieldName, value);
}

void DeclareFormActionAppendFormStringFromCheckBoxControlAsWebForm(ClassInfo* record)
{
    using A = CFormActionAppendFormStringFromCheckBoxControlAsWebForm;
    record->AddProperty(new StringPropertyInfo("Field Name", Member<&A::m_fieldName>()));
    record->AddProperty(new StringPropertyInfo("Name Of Form Check Box Control", Member<&A::m_controlName>()));
    record->AddProperty(new StringPropertyInfo("Checked String", Member<&A::m_checkedString>()));
    record->AddProperty(new StringPropertyInfo("UnChecked String", Member<&A::m_uncheckedString>()));
}

FORM_CLASS(CFormActionAppendFormStringFromCheckBoxControlAsWebForm, CFormAction,
           DeclareFormActionAppendFormStringFromCheckBoxControlAsWebForm)

CFormActionAppendFormStringFromCheckBoxControlAsWebForm::CFormActionAppendFormStringFromCheckBoxControlAsWebForm()
{
    ConstructOwnMembers();
}

CFormActionAppendFormStringFromCheckBoxControlAsWebForm::~CFormActionAppendFormStringFromCheckBoxControlAsWebForm()
{
    DestroyOwnMembers();
}

bool CFormActionAppendFormStringFromCheckBoxControlAsWebForm::Execute()
{
    auto* check = FindCurrentControl<CFormCheckBoxControl>(m_controlName);
    CString value;
    if (check) value = check->GetState() ? m_checkedString : m_uncheckedString;
    return AppendWebFormField(m_fieldName, value);
}

void DeclareFormActionAppendFormStringNameValuePairAsWebForm(ClassInfo* record)
{
    using A = CFormActionAppendFormStringNameValuePairAsWebForm;
    record->AddProperty(new StringPropertyInfo("Field Name", Member<&A::m_fieldName>()));
    record->AddProperty(new StringPropertyInfo("Field Value", Member<&A::m_fieldValue>()));
}

FORM_CLASS(CFormActionAppendFormStringNameValuePairAsWebForm, CFormAction,
           DeclareFormActionAppendFormStringNameValuePairAsWebForm)

CFormActionAppendFormStringNameValuePairAsWebForm::CFormActionAppendFormStringNameValuePairAsWebForm()
{
    ConstructOwnMembers();
}

CFormActionAppendFormStringNameValuePairAsWebForm::~CFormActionAppendFormStringNameValuePairAsWebForm()
{
    DestroyOwnMembers();
}

bool CFormActionAppendFormStringNameValuePairAsWebForm::Execute()
{
    return AppendWebFormField(m_fieldName, m_fieldValue);
}
