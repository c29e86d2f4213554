#include "forms/FormAction.h"

#include "ui/CallbackBinder.h"

FORM_ABSTRACT_CLASS(CFormAction, CObject, nullptr)

CFormAction::CFormAction() { ConstructOwnMembers(); }

CFormAction::~CFormAction() { DestroyOwnMembers(); }

bool RunFormAction(CFormAction* action) { return action ? action->Execute() : false; }

std::unique_ptr<CallbackBinder> MakeActionBinder(CFormAction* action)
{
    return std::make_unique<FunctionBinder<CFormAction*>>(&RunFormAction, action);
}

void AddActionProperty(ClassInfo* record, const char* key, PointerAccess member)
{
    record->AddProperty(new ObjectPointerPropertyInfo(key, member, CFormAction::GetStaticClassInfo()));
}
