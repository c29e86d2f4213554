#include "forms/FormStringActions.h"

#include "forms/FormManager.h"
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
