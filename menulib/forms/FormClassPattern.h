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

// The property of an array of owned objects of a class (a form's pages, a control's children), each element
// written under its own key.
inline ArrayPropertyInfo* OwnedObjectArrayProperty(const char* key, MemberRef<RawArray> member, const char* elementKey,
                                                   ClassInfo* elementClass)
{
    return new ArrayPropertyInfo(key, member, ObjectPointerPropertyInfo(elementKey, PointerHolderValue(), elementClass),
                                 sizeof(CObject*));
}

// The object at the index of such an array; none outside it or for an empty element.
inline CObject* OwnedObjectAt(const RawArray& array, int i)
{
    return i >= 0 && i < array.count ? static_cast<CObject**>(array.block)[i] : nullptr;
}
