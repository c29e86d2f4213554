// The base of the scripted actions that form files attach to events (a page's enter, exit and escape, a button's
// click, a branch of another action), and the one function through which controls run them.
#pragma once
#include <memory>

#include "forms/FormClassPattern.h"
#include "foundation/CString.h"

class CallbackBinder;

class CFormAction : public CObject {
    DECLARE_PERSISTENT_CLASS(CFormAction)
public:
    CFormAction();
    ~CFormAction() override;

    // Replaces a substitution variable in the action's own texts; the base has none.
    virtual void ReplaceText(const CString& name, const CString& value) {}
    // Performs the action; true for success.
    virtual bool Execute() = 0;
};

// Runs the action and answers its result; false for none.
bool RunFormAction(CFormAction* action);

// The binder a toolkit window owns to run an action (not owned) when its event comes.
std::unique_ptr<CallbackBinder> MakeActionBinder(CFormAction* action);

// Appends an owned action property ("Enter Action", "Action", ...) to a form class's schema.
void AddActionProperty(ClassInfo* record, const char* key, PointerAccess member);
