// The actions on the controls of the form in use: a label's text, an edit box's text, a check box's state, and the
// checks of what the user typed or chose before anything is sent. Each finds its control by name on the current
// form manager, as the class it needs (a control of another class counts as none), and answers false without one.
#pragma once
#include <cstdint>

#include "forms/FormAction.h"

class CFormActionSetTextInFormStaticControl : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSetTextInFormStaticControl)
public:
    CFormActionSetTextInFormStaticControl();
    ~CFormActionSetTextInFormStaticControl() override;
    bool Execute() override;

private:
    friend void DeclareFormActionSetTextInFormStaticControl(ClassInfo* record);
    CString m_controlName;
    CString m_text;
};

class CFormActionRestoreDefaultTextInFormStaticControl : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionRestoreDefaultTextInFormStaticControl)
public:
    CFormActionRestoreDefaultTextInFormStaticControl();
    ~CFormActionRestoreDefaultTextInFormStaticControl() override;
    bool Execute() override;

private:
    friend void DeclareFormActionRestoreDefaultTextInFormStaticControl(ClassInfo* record);
    CString m_controlName;
};

class CFormActionClearFormEditControl : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionClearFormEditControl)
public:
    CFormActionClearFormEditControl();
    ~CFormActionClearFormEditControl() override;
    bool Execute() override;

private:
    friend void DeclareFormActionClearFormEditControl(ClassInfo* record);
    CString m_controlName;
};

class CFormActionSetFormCheckBoxControlState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSetFormCheckBoxControlState)
public:
    CFormActionSetFormCheckBoxControlState();
    ~CFormActionSetFormCheckBoxControlState() override;
    bool Execute() override;

private:
    friend void DeclareFormActionSetFormCheckBoxControlState(ClassInfo* record);
    CString m_controlName;
    bool m_newState = false;
};

class CFormActionGetFormCheckBoxControlState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionGetFormCheckBoxControlState)
public:
    CFormActionGetFormCheckBoxControlState();
    ~CFormActionGetFormCheckBoxControlState() override;
    // The check box's state.
    bool Execute() override;

private:
    friend void DeclareFormActionGetFormCheckBoxControlState(ClassInfo* record);
    CString m_controlName;
};

class CFormActionValidateFormEditControlGeneral : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionValidateFormEditControlGeneral)
public:
    CFormActionValidateFormEditControlGeneral();
    ~CFormActionValidateFormEditControlGeneral() override;
    // Checks the edit box's text: length, legal and required characters. The first failing check runs its action
    // (and shows its warning) and answers false.
    bool Execute() override;

private:
    friend void DeclareFormActionValidateFormEditControlGeneral(ClassInfo* record);
    // The warning label's shown text with its first "%c" replaced by the character.
    static void ShowWarning(const CString& labelName, std::uint16_t character);
    bool Fail(CFormAction* action) const;

    CString m_controlName;
    CString m_legalCharacters;
    CString m_requiredCharacters;
    std::int32_t m_minimumLength = 0;
    std::int32_t m_maximumLength = 9999;
    CString m_illegalWarningName;
    CString m_missingWarningName;
    CFormAction* m_emptyAction = nullptr;
    CFormAction* m_tooShortAction = nullptr;
    CFormAction* m_tooLongAction = nullptr;
    CFormAction* m_illegalCharacterAction = nullptr;
    CFormAction* m_missingCharacterAction = nullptr;
};

class CFormActionValidateFormChoiceBoxControlGeneral : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionValidateFormChoiceBoxControlGeneral)
public:
    CFormActionValidateFormChoiceBoxControlGeneral();
    ~CFormActionValidateFormChoiceBoxControlGeneral() override;
    // True when an entry other than the first (the "choose one" entry) is chosen.
    bool Execute() override;

private:
    friend void DeclareFormActionValidateFormChoiceBoxControlGeneral(ClassInfo* record);
    CString m_controlName;
    CFormAction* m_noSelectionAction = nullptr;
};
