// The actions that build the form string, the text a web post sends: emptied, or appended to as it stands or from
// an edit box. They answer false when there is no current form manager.
#pragma once
#include "forms/FormAction.h"

class CFormActionClearFormString : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionClearFormString)
public:
    CFormActionClearFormString();
    ~CFormActionClearFormString() override;
    bool Execute() override;
};

class CFormActionAppendFormString : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormString)
public:
    CFormActionAppendFormString();
    ~CFormActionAppendFormString() override;
    // "String" goes on the end of the form string as it stands, without a separator.
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormString(ClassInfo* record);
    CString m_string;
};

class CFormActionAppendFormStringFromEditControl : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormStringFromEditControl)
public:
    CFormActionAppendFormStringFromEditControl();
    ~CFormActionAppendFormStringFromEditControl() override;
    // The edit box's text goes on the end of the form string as it stands.
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormStringFromEditControl(ClassInfo* record);
    CString m_controlName;
};
