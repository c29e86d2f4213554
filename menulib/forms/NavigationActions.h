// The actions that move through the menu: switch page, back, load another form, return to the game, minimise the
// game, tick or reset a progress bar, open a web address. Those that reach the menu through the current form manager
// answer false when there is none (an action run outside a menu session).
#pragma once
#include "forms/FormAction.h"

class CFormActionSwitchPage : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSwitchPage)
public:
    CFormActionSwitchPage();
    ~CFormActionSwitchPage() override;
    bool Execute() override;

private:
    friend void DeclareFormActionSwitchPage(ClassInfo* record);
    CString m_pageToSwitchTo;
};

class CFormActionBackToPreviousPage : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionBackToPreviousPage)
public:
    CFormActionBackToPreviousPage();
    ~CFormActionBackToPreviousPage() override;
    bool Execute() override;
};

class CFormActionLoadNewForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionLoadNewForm)
public:
    CFormActionLoadNewForm();
    ~CFormActionLoadNewForm() override;
    // Closes the pages with their exit actions, then loads the form at its first page.
    bool Execute() override;

private:
    friend void DeclareFormActionLoadNewForm(ClassInfo* record);
    CString m_formToLoad;
};

class CFormActionReturnToGame : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionReturnToGame)
public:
    CFormActionReturnToGame();
    ~CFormActionReturnToGame() override;
    // Ends the menu session: its pages close and the game takes over again.
    bool Execute() override;
};

class CFormActionMinimizeApplication : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionMinimizeApplication)
public:
    CFormActionMinimizeApplication();
    ~CFormActionMinimizeApplication() override;
    // Minimises the game's window and brings the desktop to the front.
    bool Execute() override;
};

// The progress bar actions: tick (one more) or reset (none) the named progress bar control.
class CFormActionTickProgressBarForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionTickProgressBarForm)
public:
    CFormActionTickProgressBarForm();
    ~CFormActionTickProgressBarForm() override;
    bool Execute() override;

private:
    friend void DeclareFormActionTickProgressBarForm(ClassInfo* record);
    CString m_progressBarName;
};

class CFormActionResetProgressBarForm : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionResetProgressBarForm)
public:
    CFormActionResetProgressBarForm();
    ~CFormActionResetProgressBarForm() override;
    bool Execute() override;

private:
    friend void DeclareFormActionResetProgressBarForm(ClassInfo* record);
    CString m_progressBarName;
};

class CFormActionLaunchWebBrowser : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionLaunchWebBrowser)
public:
    CFormActionLaunchWebBrowser();
    ~CFormActionLaunchWebBrowser() override;
    void ReplaceText(const CString& name, const CString& value) override { m_url.ReplaceAll(name, value); }
    // Opens a web or mail address with the desktop's handler; any other text opens nothing. True either way.
    bool Execute() override;

private:
    friend void DeclareFormActionLaunchWebBrowser(ClassInfo* record);
    CString m_url;
};
