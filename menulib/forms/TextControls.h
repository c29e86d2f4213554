// The text controls: a label whose text actions change (wrapped to its width, escapes unescaped) and a one-line
// text entry whose typed text outlives its window.
#pragma once
#include "forms/FormControl.h"

class CFormStaticControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormStaticControl)
public:
    CFormStaticControl();
    ~CFormStaticControl() override;

    void AfterLoad(ReferenceSlot* references) override;
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void ReplaceText(const CString& find, const CString& replacement) override;
    void UpdateWindow() override;

    void SetText(const CString& text);
    void RestoreDefaultText() { SetText(m_defaultText); }
    // The text the label shows now (before unescaping).
    const CString& GetDisplayedText() const { return m_text; }

private:
    friend void DeclareFormStaticControl(ClassInfo* record);

    CString m_defaultText;
    CString m_text;
    std::int32_t m_wrapWidth = 64;
    bool m_useFingerCursor = false;
};

class CFormEditControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormEditControl)
public:
    CFormEditControl();
    ~CFormEditControl() override;

    void AfterLoad(ReferenceSlot* references) override;
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void DestroyWindow() override;
    void ReplaceText(const CString& find, const CString& replacement) override;
    void UpdateWindow() override;

    // The text typed so far (read back from the window when there is one).
    CString GetText();
    void SetText(const CString& text);

private:
    friend void DeclareFormEditControl(ClassInfo* record);
    void ReadWindowText();

    std::int32_t m_controlWidth = 30;
    bool m_isEditable = true;
    CString m_defaultText;
    CString m_text;
};
