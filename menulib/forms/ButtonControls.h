// The buttons: a push button that runs its click, hover and hover-off actions, and an image button with a picture
// for each state that runs its action.
#pragma once
#include <memory>

#include "forms/FormAction.h"
#include "forms/FormControl.h"
#include "ui/ImageButton.h"

class CFrame;

class CFormButtonControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormButtonControl)
public:
    CFormButtonControl();
    ~CFormButtonControl() override;

    void AfterLoad(ReferenceSlot* references) override;
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    // Closes the window and puts the current actions back to those of the form file.
    void DestroyWindow() override;
    void ReplaceText(const CString& find, const CString& replacement) override;
    void UpdateWindow() override;

    void SetButtonText(const CString& text);
    // The click action becomes the action (not owned); none is ignored.
    void SetAction(CFormAction* action);
    CFormAction* GetCurrentAction() const { return m_currentAction; }

private:
    friend void DeclareFormButtonControl(ClassInfo* record);
    void TakeActionsFromProperties();

    CString m_buttonText;
    CFormAction* m_action = nullptr;
    CFormAction* m_hoverAction = nullptr;
    CFormAction* m_hoverOffAction = nullptr;
    CFormAction* m_currentAction = nullptr;
    CFormAction* m_currentHoverAction = nullptr;
    CFormAction* m_currentHoverOffAction = nullptr;
    std::int32_t m_width = 0;
    bool m_useFingerCursor = false;
};

class CFormImageButtonControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormImageButtonControl)
public:
    CFormImageButtonControl();
    ~CFormImageButtonControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    // Closes the window and frees the scaled pictures.
    void DestroyWindow() override;
    void ReplaceText(const CString& find, const CString& replacement) override;

    // The normal picture becomes the frame of that name; a name the frame collection does not hold changes
    // nothing.
    void SetImage(const CString& frameName);
    // The window's click action becomes the action (not owned); ignored for none or without a window.
    void SetAction(CFormAction* action);

private:
    friend void DeclareFormImageButtonControl(ClassInfo* record);
    CJImageButton* Button() const { return static_cast<CJImageButton*>(m_window); }
    // The frame becomes the state's picture, as it is or as a copy kept at the scaled size.
    void ShowPicture(int state, CFrameInterface* frame);

    CString m_buttonText;
    CString m_pressImageName;
    CString m_hoverImageName;
    CString m_disableImageName;
    CString m_defaultImageName;
    CFormAction* m_action = nullptr;
    std::int32_t m_scaledWidthProperty = 0;
    std::int32_t m_scaledHeightProperty = 0;
    bool m_useFingerCursor = false;
    int m_scaledWidth = 0;
    int m_scaledHeight = 0;
    std::unique_ptr<CFrame> m_scaledPictures[kImageStates];
};
