#include "forms/NavigationActions.h"

#include <cstring>

#include "forms/FormManager.h"
#include "forms/InputControls.h"
#include "foundation/HostWindow.h"
#include "foundation/Programs.h"
#include "front/ArcadeState.h"
#include "platform/win32_window.h"

namespace {

// The addresses handed to the desktop's handler: web pages and mail. Texts may carry catalog data, so nothing
// else (a file, a program) is ever opened.
bool IsWebOrMailAddress(const CString& url)
{
    for (const char* scheme : {"http:", "https:", "mailto:"})
        if (url.CompareNoCase(CString(scheme), static_cast<int>(std::strlen(scheme))) == 0) return true;
    return false;
}

}  // namespace

// ---- Switch page

void DeclareFormActionSwitchPage(ClassInfo* record)
{
    record->AddProperty(
        new StringPropertyInfo("Page To Switch To", Member<&CFormActionSwitchPage::m_pageToSwitchTo>()));
}

FORM_CLASS(CFormActionSwitchPage, CFormAction, DeclareFormActionSwitchPage)

CFormActionSwitchPage::CFormActionSwitchPage() { ConstructOwnMembers(); }

CFormActionSwitchPage::~CFormActionSwitchPage() { DestroyOwnMembers(); }

bool CFormActionSwitchPage::Execute()
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager || m_pageToSwitchTo.IsEmpty()) return false;
    manager->SwitchPage(m_pageToSwitchTo);
    return true;
}

// ---- Back

FORM_CLASS(CFormActionBackToPreviousPage, CFormAction, nullptr)

CFormActionBackToPreviousPage::CFormActionBackToPreviousPage() { ConstructOwnMembers(); }

CFormActionBackToPreviousPage::~CFormActionBackToPreviousPage() { DestroyOwnMembers(); }

bool CFormActionBackToPreviousPage::Execute()
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager) return false;
    manager->BackToPreviousPage();
    return true;
}

// ---- Load another form

void DeclareFormActionLoadNewForm(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Form To Load", Member<&CFormActionLoadNewForm::m_formToLoad>()));
}

FORM_CLASS(CFormActionLoadNewForm, CFormAction, DeclareFormActionLoadNewForm)

CFormActionLoadNewForm::CFormActionLoadNewForm() { ConstructOwnMembers(); }

CFormActionLoadNewForm::~CFormActionLoadNewForm() { DestroyOwnMembers(); }

bool CFormActionLoadNewForm::Execute()
{
    FormManager* manager = FormManager::GetCurrent();
    if (!manager || m_formToLoad.IsEmpty()) return false;
    // This action may belong to the form it replaces: the manager keeps that form until the frame's events end.
    manager->CloseAllPages();
    return manager->LoadForm(m_formToLoad, CString());
}

// ---- Return to the game

FORM_CLASS(CFormActionReturnToGame, CFormAction, nullptr)

CFormActionReturnToGame::CFormActionReturnToGame() { ConstructOwnMembers(); }

CFormActionReturnToGame::~CFormActionReturnToGame() { DestroyOwnMembers(); }

bool CFormActionReturnToGame::Execute()
{
    GetArcadeState().EndMenuSession();
    return true;
}

// ---- Minimise

FORM_CLASS(CFormActionMinimizeApplication, CFormAction, nullptr)

CFormActionMinimizeApplication::CFormActionMinimizeApplication() { ConstructOwnMembers(); }

CFormActionMinimizeApplication::~CFormActionMinimizeApplication() { DestroyOwnMembers(); }

bool CFormActionMinimizeApplication::Execute()
{
    ActivateDesktop();
    // The desktop comes forward only once the game's window is out of the way.
    if (HWND host = MainWindowHandle()) ShowWindow(host, SW_MINIMIZE);
    return true;
}

// ---- Progress bars

void DeclareFormActionTickProgressBarForm(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Progress Bar Form Control",
                                               Member<&CFormActionTickProgressBarForm::m_progressBarName>()));
}

void DeclareFormActionResetProgressBarForm(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Name Of Progress Bar Form Control",
                                               Member<&CFormActionResetProgressBarForm::m_progressBarName>()));
}

FORM_CLASS(CFormActionTickProgressBarForm, CFormAction, DeclareFormActionTickProgressBarForm)
FORM_CLASS(CFormActionResetProgressBarForm, CFormAction, DeclareFormActionResetProgressBarForm)

CFormActionTickProgressBarForm::CFormActionTickProgressBarForm() { ConstructOwnMembers(); }

CFormActionTickProgressBarForm::~CFormActionTickProgressBarForm() { DestroyOwnMembers(); }

CFormActionResetProgressBarForm::CFormActionResetProgressBarForm() { ConstructOwnMembers(); }

CFormActionResetProgressBarForm::~CFormActionResetProgressBarForm() { DestroyOwnMembers(); }

bool CFormActionTickProgressBarForm::Execute()
{
    CFormProgressBarControl* bar = FindCurrentControl<CFormProgressBarControl>(m_progressBarName);
    if (!bar) return false;
    bar->Tick();
    return true;
}

bool CFormActionResetProgressBarForm::Execute()
{
    CFormProgressBarControl* bar = FindCurrentControl<CFormProgressBarControl>(m_progressBarName);
    if (!bar) return false;
    bar->Reset();
    return true;
}

// ---- Web browser

void DeclareFormActionLaunchWebBrowser(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("URL", Member<&CFormActionLaunchWebBrowser::m_url>()));
}

FORM_CLASS(CFormActionLaunchWebBrowser, CFormAction, DeclareFormActionLaunchWebBrowser)

CFormActionLaunchWebBrowser::CFormActionLaunchWebBrowser() { ConstructOwnMembers(); }

CFormActionLaunchWebBrowser::~CFormActionLaunchWebBrowser() { DestroyOwnMembers(); }

bool CFormActionLaunchWebBrowser::Execute()
{
    if (IsWebOrMailAddress(m_url)) OpenWithShell(m_url.GetText());
    return true;
}
