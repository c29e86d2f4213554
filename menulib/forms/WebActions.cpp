#include "forms/WebActions.h"

#include "forms/FormManager.h"
#include "forms/HttpService.h"
#include "forms/WebControls.h"

void DeclareFormActionInitiateWebDownloadURL(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Form Web Download URL Control",
                                               Member<&CFormActionInitiateWebDownloadURL::m_controlName>()));
}

FORM_CLASS(CFormActionInitiateWebDownloadURL, CFormAction, DeclareFormActionInitiateWebDownloadURL)

CFormActionInitiateWebDownloadURL::CFormActionInitiateWebDownloadURL() { ConstructOwnMembers(); }

CFormActionInitiateWebDownloadURL::~CFormActionInitiateWebDownloadURL() { DestroyOwnMembers(); }

bool CFormActionInitiateWebDownloadURL::Execute()
{
    auto* control = FindCurrentControl<CFormWebDownloadURLControl>(m_controlName);
    return control && control->StartTransfer();
}

void DeclareFormActionInitiateWebPostForm(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Form Web Post Form Control",
                                               Member<&CFormActionInitiateWebPostForm::m_controlName>()));
}

FORM_CLASS(CFormActionInitiateWebPostForm, CFormAction, DeclareFormActionInitiateWebPostForm)

CFormActionInitiateWebPostForm::CFormActionInitiateWebPostForm() { ConstructOwnMembers(); }

CFormActionInitiateWebPostForm::~CFormActionInitiateWebPostForm() { DestroyOwnMembers(); }

bool CFormActionInitiateWebPostForm::Execute()
{
    auto* control = FindCurrentControl<CFormWebPostFormControl>(m_controlName);
    if (!control) return false;
    control->StartPost();
    return true;
}

FORM_CLASS(CFormActionAutoDialWeb, CFormAction, nullptr)

CFormActionAutoDialWeb::CFormActionAutoDialWeb() { ConstructOwnMembers(); }

CFormActionAutoDialWeb::~CFormActionAutoDialWeb() { DestroyOwnMembers(); }

bool CFormActionAutoDialWeb::Execute()
{
    GetHttpService()->AutoDial();
    return true;
}
