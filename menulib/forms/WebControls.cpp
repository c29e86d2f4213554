#include "forms/WebControls.h"

#include "forms/FormManager.h"
#include "forms/TextControls.h"
#include "forms/WebWorkers.h"

namespace {

// The label of that name shows the text; an empty name or no such label shows nothing.
bool ShowInLabel(const CString& labelName, const CString& text)
{
    if (auto* label = FindCurrentControl<CFormStaticControl>(labelName)) label->SetText(text);
    return true;
}

template <typename Control>
std::unique_ptr<CallbackBinder> Bind(Control* control, bool (Control::*operation)())
{
    return std::make_unique<MemberBinder<Control>>(control, operation);
}

std::unique_ptr<CallbackBinder> BindAction(CFormAction* action) { return action ? MakeActionBinder(action) : nullptr; }

void ReplaceInActions(std::initializer_list<CFormAction*> actions, const CString& find, const CString& replacement)
{
    for (CFormAction* action : actions)
        if (action) action->ReplaceText(find, replacement);
}

}  // namespace

// ---- Download

void DeclareFormWebDownloadURLControl(ClassInfo* record)
{
    using C = CFormWebDownloadURLControl;
    record->AddProperty(new StringPropertyInfo("Source URL", Member<&C::m_sourceURL>()));
    record->AddProperty(new StringPropertyInfo("Destination File Path", Member<&C::m_destinationPath>()));
    record->AddProperty(
        new StringPropertyInfo("Name Of Status Form Static Control", Member<&C::m_statusControlName>()));
    AddActionProperty(record, "Transfer Succeeded Action", PointerMember<&C::m_succeededAction>());
    AddActionProperty(record, "Transfer Failed Action", PointerMember<&C::m_failedAction>());
    AddActionProperty(record, "Progress Tick Action", PointerMember<&C::m_tickAction>());
}

FORM_CLASS(CFormWebDownloadURLControl, CFormControl, DeclareFormWebDownloadURLControl)

CFormWebDownloadURLControl::CFormWebDownloadURLControl() { ConstructOwnMembers(); }

CFormWebDownloadURLControl::~CFormWebDownloadURLControl() { DestroyOwnMembers(); }

CJWindow* CFormWebDownloadURLControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* worker = new WebDownloadWorker(themeSource);
    worker->SetSucceededBinder(BindAction(m_succeededAction));
    worker->SetFailedBinder(BindAction(m_failedAction));
    worker->SetTickBinder(BindAction(m_tickAction));
    worker->SetStatusBinder(Bind(this, &CFormWebDownloadURLControl::ShowStatus));
    AddToContainer(container, worker, 0, 0);
    return worker;
}

void CFormWebDownloadURLControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_sourceURL.ReplaceAll(find, replacement);
    m_destinationPath.ReplaceAll(find, replacement);
    ReplaceInActions({m_succeededAction, m_failedAction, m_tickAction}, find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

bool CFormWebDownloadURLControl::StartTransfer()
{
    auto* worker = static_cast<WebDownloadWorker*>(m_window);
    return worker && worker->Start(m_sourceURL, m_destinationPath);
}

bool CFormWebDownloadURLControl::ShowStatus()
{
    auto* worker = static_cast<WebDownloadWorker*>(m_window);
    return worker && ShowInLabel(m_statusControlName, CString(worker->GetStatusText()));
}

// ---- Post

void DeclareFormWebPostFormControl(ClassInfo* record)
{
    using C = CFormWebPostFormControl;
    record->AddProperty(new StringPropertyInfo("Server Name", Member<&C::m_serverName>()));
    auto* port = new EnumPropertyInfo("Port Number", Member<&C::m_port>(), {.defaultValue = -1, .max = 65535});
    port->AddNamedValue(-1, "Default Port");
    port->SetHelpText("The port on the server that the form is sent to.");
    record->AddProperty(port);
    record->AddProperty(new BoolPropertyInfo("Send Securely", Member<&C::m_secure>()));
    record->GetLastProperty()->SetHelpText("This is used primarily to select the \"Default Port\".");
    record->AddProperty(new StringPropertyInfo("Submit To Path", Member<&C::m_path>()));
    record->AddProperty(
        new StringPropertyInfo("Name Of Status Form Static Control", Member<&C::m_statusControlName>()));
    record->AddProperty(
        new StringPropertyInfo("Name Of Repost Message Form Static Control", Member<&C::m_repostMessageControlName>()));
    AddActionProperty(record, "Succeeded Action", PointerMember<&C::m_succeededAction>());
    AddActionProperty(record, "Server Rejected Action", PointerMember<&C::m_rejectedAction>());
    AddActionProperty(record, "Form Post Failed Action", PointerMember<&C::m_failedAction>());
    record->AddProperty(new StringPropertyInfo("Name Of Reject Error Display Static Control",
                                               Member<&C::m_rejectDisplayControlName>()));
}

FORM_CLASS(CFormWebPostFormControl, CFormControl, DeclareFormWebPostFormControl)

CFormWebPostFormControl::CFormWebPostFormControl() { ConstructOwnMembers(); }

CFormWebPostFormControl::~CFormWebPostFormControl() { DestroyOwnMembers(); }

CJWindow* CFormWebPostFormControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* worker = new WebPostWorker(themeSource);
    worker->SetSucceededBinder(BindAction(m_succeededAction));
    worker->SetRejectedBinder(Bind(this, &CFormWebPostFormControl::ShowRejection));
    worker->SetFailedBinder(BindAction(m_failedAction));
    worker->SetStatusBinder(Bind(this, &CFormWebPostFormControl::ShowStatus));
    worker->SetRepostMessageBinder(Bind(this, &CFormWebPostFormControl::ShowRepostMessage));
    AddToContainer(container, worker, 0, 0);
    return worker;
}

void CFormWebPostFormControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_serverName.ReplaceAll(find, replacement);
    m_path.ReplaceAll(find, replacement);
    ReplaceInActions({m_succeededAction, m_rejectedAction, m_failedAction}, find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

bool CFormWebPostFormControl::StartPost()
{
    auto* worker = static_cast<WebPostWorker*>(m_window);
    FormManager* manager = FormManager::GetCurrent();
    return worker && manager && worker->Start(m_serverName, m_port, m_secure, m_path, manager->GetFormString());
}

bool CFormWebPostFormControl::ShowStatus()
{
    auto* worker = static_cast<WebPostWorker*>(m_window);
    return worker && ShowInLabel(m_statusControlName, CString(worker->GetStatusText()));
}

bool CFormWebPostFormControl::ShowRepostMessage()
{
    auto* worker = static_cast<WebPostWorker*>(m_window);
    return worker && ShowInLabel(m_repostMessageControlName, CString(worker->GetRepostMessageText()));
}

bool CFormWebPostFormControl::ShowRejection()
{
    auto* worker = static_cast<WebPostWorker*>(m_window);
    if (!worker) return false;
    if (auto* label = FindCurrentControl<CFormStaticControl>(m_rejectDisplayControlName)) {
        if (worker->GetRejectText().IsEmpty())
            label->RestoreDefaultText();
        else
            label->SetText(worker->GetRejectText());
    }
    RunFormAction(m_rejectedAction);
    return true;
}
