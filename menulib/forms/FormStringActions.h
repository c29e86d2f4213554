// The actions that build the form string, the text a web post sends: emptied, appended to as it stands or from an
// edit box, or given a web form's field. They answer false when there is no current form manager.
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

// The actions that append one field ("name=value", escaped as a web form sends it, after "&" unless the form
// string is empty) to the form string. A field whose control is missing is still appended, with an empty value.

class CFormActionAppendFormStringFromEditControlAsWebForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormStringFromEditControlAsWebForm)
public:
    CFormActionAppendFormStringFromEditControlAsWebForm();
    ~CFormActionAppendFormStringFromEditControlAsWebForm() override;
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormStringFromEditControlAsWebForm(ClassInfo* record);
    CString m_fieldName;
    CString m_controlName;
};

// The form value of one entry of a choice box.
class CFormSelectionString : public CObject {
    DECLARE_PERSISTENT_CLASS(CFormSelectionString)
public:
    CFormSelectionString();
    ~CFormSelectionString() override;
    const CString& GetSelectionString() const { return m_selectionString; }

private:
    friend void DeclareFormSelectionString(ClassInfo* record);
    CString m_selectionString;
};

class CFormActionAppendFormStringFromChoiceBoxControlAsWebForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormStringFromChoiceBoxControlAsWebForm)
public:
    CFormActionAppendFormStringFromChoiceBoxControlAsWebForm();
    ~CFormActionAppendFormStringFromChoiceBoxControlAsWebForm() override;
    // The value is the form string of the chosen entry, the last one for a choice past the end, empty when there
    // are none.
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormStringFromChoiceBoxControlAsWebForm(ClassInfo* record);
    CString m_fieldName;
    CString m_controlName;
    ObjectArray m_formStrings;  // of CFormSelectionString, entry i for choice i
};

class CFormActionAppendFormStringFromCheckBoxControlAsWebForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormStringFromCheckBoxControlAsWebForm)
public:
    CFormActionAppendFormStringFromCheckBoxControlAsWebForm();
    ~CFormActionAppendFormStringFromCheckBoxControlAsWebForm() override;
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormStringFromCheckBoxControlAsWebForm(ClassInfo* record);
    CString m_fieldName;
    CString m_controlName;
    CString m_checkedString;
    CString m_uncheckedString;
};

class CFormActionAppendFormStringNameValuePairAsWebForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAppendFormStringNameValuePairAsWebForm)
public:
    CFormActionAppendFormStringNameValuePairAsWebForm();
    ~CFormActionAppendFormStringNameValuePairAsWebForm() override;
    bool Execute() override;

private:
    friend void DeclareFormActionAppendFormStringNameValuePairAsWebForm(ClassInfo* record);
    CString m_fieldName;
    CString m_fieldValue;
};
