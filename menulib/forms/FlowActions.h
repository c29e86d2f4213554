// The actions that run other actions: a list of them in order, and a choice between two by the result of a third.
#pragma once
#include "forms/FormAction.h"

class CMultipleActionsFormAction : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CMultipleActionsFormAction)
public:
    CMultipleActionsFormAction();
    ~CMultipleActionsFormAction() override;

    // True when any action answered true; with the exit flag, false at the first false and nothing further runs.
    bool Execute() override;

private:
    friend void DeclareMultipleActionsFormAction(ClassInfo* record);

    RawArray m_pActions;
    bool m_exitOnFalse = false;
};

class CIfFormAction : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CIfFormAction)
public:
    CIfFormAction();
    ~CIfFormAction() override;

    // "Then" when "If" succeeds, else "Else"; a missing branch counts as true, a missing "If" as false.
    bool Execute() override;

private:
    friend void DeclareIfFormAction(ClassInfo* record);

    CFormAction* m_if = nullptr;
    CFormAction* m_then = nullptr;
    CFormAction* m_else = nullptr;
    bool m_failWhenIfFails = false;
};
