#include "forms/Form.h"

#include <algorithm>
#include <utility>
#include <vector>

void DeclareForm(ClassInfo* record)
{
    record->AddProperty(
        OwnedObjectArrayProperty("Fields", Member<&CForm::m_Controls>(), "Field", CFormControl::GetStaticClassInfo()));
}

FORM_CLASS(CForm, CObject, DeclareForm)

CForm::CForm() { ConstructOwnMembers(); }

CForm::~CForm() { DestroyOwnMembers(); }

CFormControl* CForm::GetPage(int i) const { return static_cast<CFormControl*>(OwnedObjectAt(m_Controls, i)); }

int CForm::IndexOfPage(const CFormControl* page) const
{
    for (int i = 0; page && i < GetPageCount(); ++i)
        if (GetPage(i) == page) return i;
    return -1;
}

void CForm::AfterLoad(ReferenceSlot* references)
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (CFormControl* page = GetPage(i)) page->AfterLoad(references);
}

namespace {

// The forms whose windows are being made, outermost first.
std::vector<const CForm*>& FormsMakingWindows()
{
    static std::vector<const CForm*> forms;
    return forms;
}

// Marks a form as making its windows while it lives.
class MakingWindows {
public:
    explicit MakingWindows(const CForm* form) { FormsMakingWindows().push_back(form); }
    ~MakingWindows() { FormsMakingWindows().pop_back(); }
    MakingWindows(const MakingWindows&) = delete;
    MakingWindows& operator=(const MakingWindows&) = delete;
};

}  // namespace

bool CForm::IsMakingWindows() const
{
    const auto& forms = FormsMakingWindows();
    return std::find(forms.begin(), forms.end(), this) != forms.end();
}

void CForm::CreatePageWindows(int page, CJWindow* themeSource, CJWindow* container, float layoutScale)
{
    CFormControl* control = GetPage(page);
    if (!control || IsMakingWindows()) return;
    const MakingWindows making(this);
    control->CreateWindows(themeSource, container, layoutScale);
}

void CForm::DestroyPageWindows(int page)
{
    if (CFormControl* control = GetPage(page)) control->DestroyWindows();
}

void CForm::CreateAllWindows(CJWindow* themeSource, CJWindow* container, float layoutScale)
{
    if (IsMakingWindows()) return;
    const MakingWindows making(this);
    for (int i = 0; i < GetPageCount(); ++i)
        if (CFormControl* control = GetPage(i)) control->CreateWindows(themeSource, container, layoutScale);
}

void CForm::DestroyAllWindows()
{
    for (int i = 0; i < GetPageCount(); ++i) DestroyPageWindows(i);
}

void CForm::SwapPages(CForm& other) { std::swap(m_Controls, other.m_Controls); }

FormFileCollection& GetFormFileCollection()
{
    static FormFileCollection collection;
    return collection;
}

namespace {

// Registered with the roster at library load, so that the library's start gives it its folder.
const bool kFormsRegistered = (GetFormFileCollection(), true);

}  // namespace
