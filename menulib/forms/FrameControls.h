// The controls that frame and picture a page: the page itself (a captioned frame window, or the whole container in
// full-screen mode), a picture, an animation, and an embedded form whose controls join the page.
#pragma once
#include <memory>

#include "forms/FormAction.h"
#include "forms/FormControl.h"

class CForm;
class CFrame;
class CFrameInterface;
class CSequence;

class CFormFrameControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormFrameControl)
public:
    CFormFrameControl();
    ~CFormFrameControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void ReplaceText(const CString& find, const CString& replacement) override;

    CFormAction* GetEnterAction() const { return m_enterAction; }
    CFormAction* GetExitAction() const { return m_exitAction; }
    CFormAction* GetEscapeKeyAction() const { return m_escapeKeyAction; }
    bool IsModalWindow() const { return m_isModalWindow; }
    bool IsFullScreen() const { return m_fullScreen; }

private:
    friend void DeclareFormFrameControl(ClassInfo* record);

    CString m_text;
    bool m_fullScreen = false;
    std::int32_t m_width = 64;
    std::int32_t m_height = 64;
    CFormAction* m_enterAction = nullptr;
    CFormAction* m_exitAction = nullptr;
    CFormAction* m_escapeKeyAction = nullptr;
    bool m_isModalWindow = false;
};

class CFormPictureControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormPictureControl)
public:
    // The frame shown for a picture whose frame is missing.
    static constexpr const char* kMissingPicture = "!None";

    CFormPictureControl();
    ~CFormPictureControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void DestroyWindow() override;
    void UpdateWindow() override;

    void SetImageName(const char* name);
    const CString& GetImageName() const { return m_imageName; }
    // The frame the window shows: the named frame, its scaled copy, or none.
    CFrameInterface* GetShownPicture() const { return m_shown; }

private:
    friend void DeclareFormPictureControl(ClassInfo* record);

    CString m_imageName;
    std::int32_t m_scaledWidth = 0;
    std::int32_t m_scaledHeight = 0;
    std::unique_ptr<CFrame> m_scaledCopy;
    CFrameInterface* m_shown = nullptr;
};

class CFormPictureSequenceControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormPictureSequenceControl)
public:
    CFormPictureSequenceControl();
    ~CFormPictureSequenceControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    CSequence* GetScaledSequence() const { return m_scaledSequence.get(); }

private:
    friend void DeclareFormPictureSequenceControl(ClassInfo* record);
    // The named sequence with every frame scaled by the layout scale; none when it is not found.
    std::unique_ptr<CSequence> MakeScaledSequence() const;

    CString m_sequenceName;
    std::unique_ptr<CSequence> m_scaledSequence;
};

class CFormEmbeddedForm : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormEmbeddedForm)
public:
    CFormEmbeddedForm();
    ~CFormEmbeddedForm() override;

    // The embedded form's controls, made in the container; the container is answered. A form that is already
    // having its controls made further up (a form that embeds itself, directly or through others) makes nothing.
    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void DestroyWindow() override;

private:
    friend void DeclareFormEmbeddedForm(ClassInfo* record);

    CString m_embeddedFormName;
    CForm* m_embedded = nullptr;  // the collection's, not owned
};
