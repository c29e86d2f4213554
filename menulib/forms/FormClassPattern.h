// The pattern every scriptable class of the form engine follows: a class record made on first use with version
// 1.0, a factory and an array factory (none for an abstract class), the declaration routine that adds the class's
// properties in file order, and a registrar that adds the record to the class registry at library load, so that
// form files create its objects by name. Property keys are matched without regard to case by the file reader.
//
// In the class body:    DECLARE_PERSISTENT_CLASS(CFormSomething)
// In its source file:   FORM_CLASS(CFormSomething, CFormControl, DeclareFormSomething)
//                 or:   FORM_ABSTRACT_CLASS(CFormControl, CObject, DeclareFormControl)
// Each constructor calls ConstructOwnMembers() and each destructor DestroyOwnMembers().
#pragma once
#include "foundation/ClassRegistry.h"
#include "foundation/Object.h"
#include "foundation/PropertyTypes.h"

// Every form-engine class record carries this version.
constexpr float kFormClassVersion = 1.0f;

#define FORM_CLASS(ClassName, Parent, Declaration) \
    IMPLEMENT_PERSISTENT_CLASS(ClassName, Parent, kFormClassVersion, Declaration)

#define FORM_ABSTRACT_CLASS(ClassName, Parent, Declaration) \
    IMPLEMENT_ABSTRACT_CLASS(ClassName, Parent, kFormClassVersion, Declaration)
