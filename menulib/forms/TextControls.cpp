// The label and the text entry.
#include "forms/TextControls.h"

#include "ui/EditBox.h"
#include "ui/StaticText.h"

// ---- The label

void DeclareFormStaticControl(ClassInfo* record)
{
    using C = CFormStaticControl;
    record->AddProperty(new StringPropertyInfo("Text", Member<&C::m_defaultText>()));
    record->AddProperty(
        new IntegerPropertyInfo("Wrap Width", Member<&C::m_wrapWidth>(), {.defaultValue = 64, .max = 99999}));
    record->AddProperty(new BoolPropertyInfo("Use Finger Cursor", Member<&C::m_useFingerCursor>()));
}

FORM_CLASS(CFormStaticControl, CFormControl, DeclareFormStaticControl)

CFormStaticControl::CFormStaticControl() { ConstructOwnMembers(); }

CFormStaticControl::~CFormStaticControl() { DestroyOwnMembers(); }

void CFormStaticControl::AfterLoad(ReferenceSlot* references)
{
    m_text = m_defaultText;
    CFormControl::AfterLoad(references);
}

CJWindow* CFormStaticControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* label = new CJStaticText(themeSource, m_text.GetText());
    label->SetBevelWidth(2);
    label->SetHandCursor(m_useFingerCursor);
    label->SetPlacementFlags(label->GetPlacementFlags() | kPlaceNoSpacing);
    AddToContainer(container, label, GetPosition().first, GetPosition().second);
    UpdateWindow();
    return label;
}

void CFormStaticControl::UpdateWindow()
{
    auto* label = static_cast<CJStaticText*>(m_window);
    if (!label) return;
    CString text(m_text);
    UnescapeText(text);
    label->SetWidth(0);
    label->SetText(text.GetText());
    const int wrapWidth = Scaled(m_wrapWidth);
    CFont* font = label->GetFont();
    if (font && wrapWidth < label->GetWidth()) {
        // The wrapped lines size the label as its own lines do, margins included, so none is cut off.
        label->SetText(font->WrapText(text, wrapWidth).GetText());
        label->SetWidth(wrapWidth);
    }
    PlaceAtScaledPosition();
}

void CFormStaticControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_text.ReplaceAll(find, replacement);
    m_defaultText.ReplaceAll(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

void CFormStaticControl::SetText(const CString& text)
{
    m_text = text;
    UpdateWindow();
}

// ---- The text entry

void DeclareFormEditControl(ClassInfo* record)
{
    using C = CFormEditControl;
    record->AddProperty(
        new IntegerPropertyInfo("Control Width", Member<&C::m_controlWidth>(), {.defaultValue = 30, .max = 99999}));
    record->GetLastProperty()->SetHelpText("This is the width of the edit box.");
    record->AddProperty(new BoolPropertyInfo("Is Editable", Member<&C::m_isEditable>(), true));
    record->AddProperty(new StringPropertyInfo("Default Text", Member<&C::m_defaultText>()));
}

FORM_CLASS(CFormEditControl, CFormControl, DeclareFormEditControl)

CFormEditControl::CFormEditControl() { ConstructOwnMembers(); }

CFormEditControl::~CFormEditControl() { DestroyOwnMembers(); }

void CFormEditControl::AfterLoad(ReferenceSlot* references)
{
    m_text = m_defaultText;
    CFormControl::AfterLoad(references);
}

CJWindow* CFormEditControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* edit = new CJEditBox(container, m_text.GetText());
    AddToContainer(container, edit, GetPosition().first, GetPosition().second);
    UpdateWindow();
    return edit;
}

void CFormEditControl::UpdateWindow()
{
    auto* edit = static_cast<CJEditBox*>(m_window);
    if (!edit) return;
    const int width = Scaled(m_controlWidth);
    if (edit->GetWidth() < width) edit->SetWidth(width);
    CString text(m_text);
    UnescapeText(text);
    edit->SetText(text.GetText());
    edit->SetEditable(m_isEditable);
    PlaceAtScaledPosition();
}

void CFormEditControl::ReadWindowText()
{
    if (m_window) m_text = m_window->GetText();
}

void CFormEditControl::DestroyWindow()
{
    ReadWindowText();
    CFormControl::DestroyWindow();
}

void CFormEditControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_text.ReplaceAll(find, replacement);
    m_defaultText.ReplaceAll(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

CString CFormEditControl::GetText()
{
    ReadWindowText();
    return m_text;
}

void CFormEditControl::SetText(const CString& text)
{
    m_text = text;
    UpdateWindow();
}
