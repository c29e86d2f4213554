// The form controls that talk to the web while the menu keeps running: one downloads a URL into a file, the other
// posts the form string to a server. Neither shows anything: each makes an invisible worker window (WebWorkers.h)
// that reports the service's status text into a named label and fires the control's outcome actions.
#pragma once
#include "forms/FormAction.h"
#include "forms/FormControl.h"

class CFormWebDownloadURLControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormWebDownloadURLControl)
public:
    CFormWebDownloadURLControl();
    ~CFormWebDownloadURLControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void ReplaceText(const CString& find, const CString& replacement) override;

    // Starts the download; false without a worker window or when it could not start.
    bool StartTransfer();
    // The worker's status text goes into the status label.
    bool ShowStatus();

private:
    friend void DeclareFormWebDownloadURLControl(ClassInfo* record);

    CString m_sourceURL;
    CString m_destinationPath;
    CString m_statusControlName;
    CFormAction* m_succeededAction = nullptr;
    CFormAction* m_failedAction = nullptr;
    CFormAction* m_tickAction = nullptr;
};

class CFormWebPostFormControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormWebPostFormControl)
public:
    CFormWebPostFormControl();
    ~CFormWebPostFormControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void ReplaceText(const CString& find, const CString& replacement) override;

    // Posts the current form string; false without a worker window or when it could not start.
    bool StartPost();
    bool ShowStatus();
    bool ShowRepostMessage();
    // The server's reason goes into its label (the label's own text when there is none), then the rejected
    // action runs.
    bool ShowRejection();

private:
    friend void DeclareFormWebPostFormControl(ClassInfo* record);

    CString m_serverName;
    std::int32_t m_port = -1;
    bool m_secure = false;
    CString m_path;
    CString m_statusControlName;
    CString m_repostMessageControlName;
    CFormAction* m_succeededAction = nullptr;
    CFormAction* m_rejectedAction = nullptr;
    CFormAction* m_failedAction = nullptr;
    CString m_rejectDisplayControlName;
};
