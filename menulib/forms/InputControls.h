// The controls that take the player's choices, and the progress bar: a check box, a choice box (a combo box of
// fixed texts) and a bar that actions tick. Their run-time values outlive their windows.
#pragma once
#include "forms/FormControl.h"
#include "ui/ListModel.h"

class CFormCheckBoxControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormCheckBoxControl)
public:
    CFormCheckBoxControl();
    ~CFormCheckBoxControl() override;

    void AfterLoad(ReferenceSlot* references) override;
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void ReplaceText(const CString& find, const CString& replacement) override;
    void UpdateWindow() override;

    void SetState(bool state);
    bool GetState() const { return m_state; }

private:
    friend void DeclareFormCheckBoxControl(ClassInfo* record);
    // The click binding: the window's checked state becomes the current state.
    bool ReadWindowState();

    CString m_defaultLabel;
    CString m_uncheckedLabel;
    bool m_defaultState = true;
    bool m_state = true;
};

// One text of a choice box's list.
class CFormChoiceBoxSelection : public CObject {
    DECLARE_PERSISTENT_CLASS(CFormChoiceBoxSelection)
public:
    CFormChoiceBoxSelection();
    ~CFormChoiceBoxSelection() override;

    CString& Text() { return m_selection; }

private:
    friend void DeclareFormChoiceBoxSelection(ClassInfo* record);
    CString m_selection;
};

class CFormChoiceBoxControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormChoiceBoxControl)
public:
    CFormChoiceBoxControl();
    ~CFormChoiceBoxControl() override;

    void AfterLoad(ReferenceSlot* references) override;
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void DestroyWindow() override;
    void ReplaceText(const CString& find, const CString& replacement) override;
    void UpdateWindow() override;

    // The chosen item's index (read back from the window when there is one).
    int GetSelection();
    int GetChoiceCount() const { return m_ChoiceList.count; }
    CFormChoiceBoxSelection* GetChoice(int i) const;

private:
    friend void DeclareFormChoiceBoxControl(ClassInfo* record);
    void ReadWindowSelection();

    std::int32_t m_controlWidth = 30;
    ObjectArray m_ChoiceList;
    std::int32_t m_defaultSelection = 0;
    std::int32_t m_selection = 0;
    SimpleListModel m_items;
};

class CFormProgressBarControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormProgressBarControl)
public:
    CFormProgressBarControl();
    ~CFormProgressBarControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void UpdateWindow() override;

    void Tick();
    void Reset();
    int GetTickCount() const { return m_ticks; }

private:
    friend void DeclareFormProgressBarControl(ClassInfo* record);

    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::int32_t m_ticks = 0;
};
