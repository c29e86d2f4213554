// The actions on the library's two connection flags: whether the player wants the library always connected to the
// Internet (kept in the registry too) and whether the last web access succeeded (kept in memory only).
#pragma once
#include "forms/FormAction.h"

class CFormActionSetAlwaysConnectedToInternetFlagState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSetAlwaysConnectedToInternetFlagState)
public:
    CFormActionSetAlwaysConnectedToInternetFlagState();
    ~CFormActionSetAlwaysConnectedToInternetFlagState() override;
    // Sets the flag and writes it as "AlwaysConnected" (0 or 1); a failed write still answers true.
    bool Execute() override;

private:
    friend void DeclareFormActionSetAlwaysConnectedToInternetFlagState(ClassInfo* record);
    bool m_newState = false;
};

class CFormActionGetAlwaysConnectedToInternetFlagState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionGetAlwaysConnectedToInternetFlagState)
public:
    CFormActionGetAlwaysConnectedToInternetFlagState();
    ~CFormActionGetAlwaysConnectedToInternetFlagState() override;
    bool Execute() override;
};

class CFormActionSetLastWebAccessSuccessFlagState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionSetLastWebAccessSuccessFlagState)
public:
    CFormActionSetLastWebAccessSuccessFlagState();
    ~CFormActionSetLastWebAccessSuccessFlagState() override;
    bool Execute() override;

private:
    friend void DeclareFormActionSetLastWebAccessSuccessFlagState(ClassInfo* record);
    bool m_newState = false;
};

class CFormActionGetLastWebAccessSuccessFlagState : public CFormAction {
    DECLARE_PERSISTENT_CLASS(CFormActionGetLastWebAccessSuccessFlagState)
public:
    CFormActionGetLastWebAccessSuccessFlagState();
    ~CFormActionGetLastWebAccessSuccessFlagState() override;
    bool Execute() override;
};
