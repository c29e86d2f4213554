#include "forms/FlagActions.h"

#include "foundation/RegistryHelpers.h"
#include "front/ArcadeState.h"
#include "front/LibraryFolders.h"

// ---- Always connected

void DeclareFormActionSetAlwaysConnectedToInternetFlagState(ClassInfo* record)
{
    record->AddProperty(
        new BoolPropertyInfo("New State", Member<&CFormActionSetAlwaysConnectedToInternetFlagState::m_newState>()));
}

FORM_CLASS(CFormActionSetAlwaysConnectedToInternetFlagState, CFormAction,
           DeclareFormActionSetAlwaysConnectedToInternetFlagState)
FORM_CLASS(CFormActionGetAlwaysConnectedToInternetFlagState, CFormAction, nullptr)

CFormActionSetAlwaysConnectedToInternetFlagState::CFormActionSetAlwaysConnectedToInternetFlagState()
{
    ConstructOwnMembers();
}

CFormActionSetAlwaysConnectedToInternetFlagState::~CFormActionSetAlwaysConnectedToInternetFlagState()
{
    DestroyOwnMembers();
}

CFormActionGetAlwaysConnectedToInternetFlagState::CFormActionGetAlwaysConnectedToInternetFlagState()
{
    ConstructOwnMembers();
}

CFormActionGetAlwaysConnectedToInternetFlagState::~CFormActionGetAlwaysConnectedToInternetFlagState()
{
    DestroyOwnMembers();
}

bool CFormActionSetAlwaysConnectedToInternetFlagState::Execute()
{
    GetArcadeState().AlwaysConnected = m_newState;
    // The machine's hive first, the player's when that cannot be written.
    RegWriteDword(GetRegistryRootKey().GetText(), "AlwaysConnected", m_newState ? 1 : 0);
    return true;
}

bool CFormActionGetAlwaysConnectedToInternetFlagState::Execute() { return GetArcadeState().AlwaysConnected; }

// ---- Last web access

void DeclareFormActionSetLastWebAccessSuccessFlagState(ClassInfo* record)
{
    record->AddProperty(
        new BoolPropertyInfo("New State", Member<&CFormActionSetLastWebAccessSuccessFlagState::m_newState>()));
}

FORM_CLASS(CFormActionSetLastWebAccessSuccessFlagState, CFormAction, DeclareFormActionSetLastWebAccessSuccessFlagState)
FORM_CLASS(CFormActionGetLastWebAccessSuccessFlagState, CFormAction, nullptr)

CFormActionSetLastWebAccessSuccessFlagState::CFormActionSetLastWebAccessSuccessFlagState() { ConstructOwnMembers(); }

CFormActionSetLastWebAccessSuccessFlagState::~CFormActionSetLastWebAccessSuccessFlagState() { DestroyOwnMembers(); }

CFormActionGetLastWebAccessSuccessFlagState::CFormActionGetLastWebAccessSuccessFlagState() { ConstructOwnMembers(); }

CFormActionGetLastWebAccessSuccessFlagState::~CFormActionGetLastWebAccessSuccessFlagState() { DestroyOwnMembers(); }

bool CFormActionSetLastWebAccessSuccessFlagState::Execute()
{
    GetArcadeState().LastWebAccessSucceeded = m_newState;
    return true;
}

bool CFormActionGetLastWebAccessSuccessFlagState::Execute() { return GetArcadeState().LastWebAccessSucceeded; }
