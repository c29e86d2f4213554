// The actions that start a page's web transfers (through the download and post controls named) and that ask for a
// dial-up connection.
#pragma once
#include "forms/FormAction.h"

class CFormActionInitiateWebDownloadURL : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionInitiateWebDownloadURL)
public:
    CFormActionInitiateWebDownloadURL();
    ~CFormActionInitiateWebDownloadURL() override;
    void ReplaceText(const CString& name, const CString& value) override { m_controlName.ReplaceAll(name, value); }
    // Whether the download started.
    bool Execute() override;

private:
    friend void DeclareFormActionInitiateWebDownloadURL(ClassInfo* record);
    CString m_controlName;
};

class CFormActionInitiateWebPostForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionInitiateWebPostForm)
public:
    CFormActionInitiateWebPostForm();
    ~CFormActionInitiateWebPostForm() override;
    void ReplaceText(const CString& name, const CString& value) override { m_controlName.ReplaceAll(name, value); }
    // True for a post control that exists, whether or not the post started (its outcome tells).
    bool Execute() override;

private:
    friend void DeclareFormActionInitiateWebPostForm(ClassInfo* record);
    CString m_controlName;
};

class CFormActionAutoDialWeb : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionAutoDialWeb)
public:
    CFormActionAutoDialWeb();
    ~CFormActionAutoDialWeb() override;
    // Asks the service to dial; true whatever it answers.
    bool Execute() override;
};
