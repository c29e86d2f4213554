// The check box, the choice box and the progress bar.
#include "forms/InputControls.h"

#include <memory>

#include "ui/CallbackBinder.h"
#include "ui/CheckButton.h"
#include "ui/ComboBox.h"
#include "ui/ProgressBar.h"

namespace {

// The check box's box is drawn with a black bevel, under black text.
constexpr int kCheckBoxStyle = kBevelBlack;
// The row style and list option the choice box's lists take.
constexpr int kChoiceRowStyle = 4;
constexpr std::uint32_t kChoiceListOption = 0;
// The progress bar counts ticks up to this.
constexpr int kProgressMaximum = 100;

}  // namespace

// ---- The check box

void DeclareFormCheckBoxControl(ClassInfo* record)
{
    using C = CFormCheckBoxControl;
    record->AddProperty(new StringPropertyInfo("Default Label", Member<&C::m_defaultLabel>()));
    record->AddProperty(new StringPropertyInfo("UnChecked Label", Member<&C::m_uncheckedLabel>()));
    record->GetLastProperty()->SetHelpText("If this isn't empty, the CheckBox will display this when not checked");
    record->AddProperty(new BoolPropertyInfo("Default State", Member<&C::m_defaultState>(), true));
}

FORM_CLASS(CFormCheckBoxControl, CFormControl, DeclareFormCheckBoxControl)

CFormCheckBoxControl::CFormCheckBoxControl() { ConstructOwnMembers(); }

CFormCheckBoxControl::~CFormCheckBoxControl() { DestroyOwnMembers(); }

void CFormCheckBoxControl::AfterLoad(ReferenceSlot* references)
{
    m_state = m_defaultState;
    CFormControl::AfterLoad(references);
}

CJWindow* CFormCheckBoxControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* box = new CJCheckButton(container, m_defaultLabel.GetText(), nullptr);
    box->SetBoxStyle(kCheckBoxStyle);
    box->SetTextColorRGB(0, 0, 0);
    AddToContainer(container, box, GetPosition().first, GetPosition().second);
    box->SetClickAction(
        std::make_unique<MemberBinder<CFormCheckBoxControl>>(this, &CFormCheckBoxControl::ReadWindowState));
    UpdateWindow();
    return box;
}

bool CFormCheckBoxControl::ReadWindowState()
{
    if (m_window) m_state = static_cast<CJCheckButton*>(m_window)->GetChecked() != 0;
    UpdateWindow();
    return true;
}

void CFormCheckBoxControl::UpdateWindow()
{
    auto* box = static_cast<CJCheckButton*>(m_window);
    if (!box) return;
    box->SetChecked(m_state ? 1 : 0);
    CString label(!m_state && m_uncheckedLabel.IsNotEmpty() ? m_uncheckedLabel : m_defaultLabel);
    UnescapeText(label);
    box->SetText(label.GetText());
    PlaceAtScaledPosition();
}

void CFormCheckBoxControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_defaultLabel.ReplaceAll(find, replacement);
    m_uncheckedLabel.ReplaceAll(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

void CFormCheckBoxControl::SetState(bool state)
{
    m_state = state;
    UpdateWindow();
}

// ---- The choice box

void DeclareFormChoiceBoxSelection(ClassInfo* record)
{
    record->AddProperty(new StringPropertyInfo("Selection", Member<&CFormChoiceBoxSelection::m_selection>()));
}

FORM_CLASS(CFormChoiceBoxSelection, CObject, DeclareFormChoiceBoxSelection)

CFormChoiceBoxSelection::CFormChoiceBoxSelection() { ConstructOwnMembers(); }

CFormChoiceBoxSelection::~CFormChoiceBoxSelection() { DestroyOwnMembers(); }

void DeclareFormChoiceBoxControl(ClassInfo* record)
{
    using C = CFormChoiceBoxControl;
    record->AddProperty(
        new IntegerPropertyInfo("Control Width", Member<&C::m_controlWidth>(), {.defaultValue = 30, .max = 99999}));
    record->AddProperty(new ItemArrayPropertyInfo("Choice List", Member<&C::m_ChoiceList>(),
                                                  CFormChoiceBoxSelection::GetStaticClassInfo(), 0,
                                                  ItemArrayPropertyInfo::Growth::ByAFifth));
    record->AddProperty(new IntegerPropertyInfo("Default Selection", Member<&C::m_defaultSelection>(), {.max = 99999}));
}

FORM_CLASS(CFormChoiceBoxControl, CFormControl, DeclareFormChoiceBoxControl)

CFormChoiceBoxControl::CFormChoiceBoxControl() { ConstructOwnMembers(); }

CFormChoiceBoxControl::~CFormChoiceBoxControl() { DestroyOwnMembers(); }

CFormChoiceBoxSelection* CFormChoiceBoxControl::GetChoice(int i) const
{
    if (i < 0 || i >= m_ChoiceList.count) return nullptr;
    return static_cast<CFormChoiceBoxSelection*>(
        CFormChoiceBoxSelection::GetStaticClassInfo()->ArrayElement(m_ChoiceList.first, i));
}

void CFormChoiceBoxControl::AfterLoad(ReferenceSlot* references)
{
    m_selection = m_defaultSelection;
    CFormControl::AfterLoad(references);
}

CJWindow* CFormChoiceBoxControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    // Item i of the model is choice i.
    m_items.Clear();
    for (int i = 0; i < GetChoiceCount(); ++i) m_items.Add(GetChoice(i)->Text().GetText());
    auto* combo = new CJComboBox(container, &m_items, 0, m_controlWidth);
    combo->SetRowStyles(kChoiceRowStyle);
    combo->SetListOption(kChoiceListOption);
    combo->SetModel(&m_items, kChoiceListOption);
    AddToContainer(container, combo, GetPosition().first, GetPosition().second);
    UpdateWindow();
    return combo;
}

void CFormChoiceBoxControl::UpdateWindow()
{
    auto* combo = static_cast<CJComboBox*>(m_window);
    if (!combo) return;
    PlaceAtScaledPosition();
    combo->SelectItem(m_selection, false);
}

void CFormChoiceBoxControl::ReadWindowSelection()
{
    if (m_window) m_selection = static_cast<CJComboBox*>(m_window)->GetChosenItem();
}

void CFormChoiceBoxControl::DestroyWindow()
{
    ReadWindowSelection();
    CFormControl::DestroyWindow();
}

void CFormChoiceBoxControl::ReplaceText(const CString& find, const CString& replacement)
{
    for (int i = 0; i < GetChoiceCount(); ++i) GetChoice(i)->Text().ReplaceAll(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

int CFormChoiceBoxControl::GetSelection()
{
    ReadWindowSelection();
    return m_selection;
}

// ---- The progress bar

void DeclareFormProgressBarControl(ClassInfo* record)
{
    using C = CFormProgressBarControl;
    record->AddProperty(new IntegerPropertyInfo("Width", Member<&C::m_width>(), {.max = 99999}));
    record->AddProperty(new IntegerPropertyInfo("Height", Member<&C::m_height>(), {.max = 99999}));
}

FORM_CLASS(CFormProgressBarControl, CFormControl, DeclareFormProgressBarControl)

CFormProgressBarControl::CFormProgressBarControl() { ConstructOwnMembers(); }

CFormProgressBarControl::~CFormProgressBarControl() { DestroyOwnMembers(); }

CJWindow* CFormProgressBarControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* bar = new CJProgressBar(themeSource, kProgressMaximum);
    bar->SetText("");
    AddToContainer(container, bar, GetPosition().first, GetPosition().second);
    UpdateWindow();
    return bar;
}

void CFormProgressBarControl::UpdateWindow()
{
    auto* bar = static_cast<CJProgressBar*>(m_window);
    if (!bar) return;
    bar->SetSize(Scaled(m_width), Scaled(m_height));
    bar->SetTextInt(m_ticks);
    PlaceAtScaledPosition();
}

void CFormProgressBarControl::Tick()
{
    ++m_ticks;
    UpdateWindow();
}

void CFormProgressBarControl::Reset()
{
    m_ticks = 0;
    UpdateWindow();
}
