#include "forms/FlowActions.h"

// ---- A list of actions

void DeclareMultipleActionsFormAction(ClassInfo* record)
{
    using A = CMultipleActionsFormAction;
    record->SetDescription("Executes multiple form actions one after the other.");
    record->AddProperty(
        OwnedObjectArrayProperty("Action", Member<&A::m_pActions>(), "Action", CFormAction::GetStaticClassInfo()));
    record->AddProperty(new BoolPropertyInfo("Exit As Soon As An Action Returns False", Member<&A::m_exitOnFalse>()));
}

FORM_CLASS(CMultipleActionsFormAction, CFormAction, DeclareMultipleActionsFormAction)

CMultipleActionsFormAction::CMultipleActionsFormAction() { ConstructOwnMembers(); }

CMultipleActionsFormAction::~CMultipleActionsFormAction() { DestroyOwnMembers(); }

bool CMultipleActionsFormAction::Execute()
{
    bool result = false;
    for (int i = 0; i < m_pActions.count; ++i) {
        auto* action = static_cast<CFormAction*>(OwnedObjectAt(m_pActions, i));
        if (!action) continue;
        const bool succeeded = action->Execute();
        if (!succeeded && m_exitOnFalse) return false;
        result = result || succeeded;
    }
    return result;
}

// ---- A choice

void DeclareIfFormAction(ClassInfo* record)
{
    using A = CIfFormAction;
    record->SetDescription("Executes actions conditionally based on the result of a 'try' action.");
    AddActionProperty(record, "If", PointerMember<&A::m_if>());
    AddActionProperty(record, "Then", PointerMember<&A::m_then>());
    AddActionProperty(record, "Else", PointerMember<&A::m_else>());
    record->AddProperty(new BoolPropertyInfo("Return failure if the If failes", Member<&A::m_failWhenIfFails>()));
}

FORM_CLASS(CIfFormAction, CFormAction, DeclareIfFormAction)

CIfFormAction::CIfFormAction() { ConstructOwnMembers(); }

CIfFormAction::~CIfFormAction() { DestroyOwnMembers(); }

bool CIfFormAction::Execute()
{
    if (!m_if) return false;
    if (m_if->Execute()) return m_then ? m_then->Execute() : true;
    const bool elseResult = m_else ? m_else->Execute() : true;
    return m_failWhenIfFails ? false : elseResult;
}
