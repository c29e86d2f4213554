// The push button and the image button.
#include "forms/ButtonControls.h"

#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"
#include "ui/CallbackBinder.h"

namespace {

// The button's text is centred in it.
constexpr int kCentredText = kJustifyCentre;

void SetStatePicture(CJImageButton& button, int state, CFrameInterface* picture)
{
    switch (state) {
    case kImagePressed: button.SetPressedPicture(picture); return;
    case kImageHover: button.SetHoverPicture(picture); return;
    case kImageDisabled: button.SetDisabledPicture(picture); return;
    default: button.SetNormalPicture(picture); return;
    }
}

}  // namespace

// ---- The push button

void DeclareFormButtonControl(ClassInfo* record)
{
    using C = CFormButtonControl;
    record->AddProperty(new StringPropertyInfo("Button Text", Member<&C::m_buttonText>()));
    AddActionProperty(record, "Action", PointerMember<&C::m_action>());
    AddActionProperty(record, "Hover Action", PointerMember<&C::m_hoverAction>());
    AddActionProperty(record, "Hover Off Action", PointerMember<&C::m_hoverOffAction>());
    record->AddProperty(new IntegerPropertyInfo("Width", Member<&C::m_width>(), {.max = 99999}));
    record->AddProperty(new BoolPropertyInfo("Use Finger Cursor", Member<&C::m_useFingerCursor>()));
}

FORM_CLASS(CFormButtonControl, CFormControl, DeclareFormButtonControl)

CFormButtonControl::CFormButtonControl() { ConstructOwnMembers(); }

CFormButtonControl::~CFormButtonControl() { DestroyOwnMembers(); }

void CFormButtonControl::TakeActionsFromProperties()
{
    m_currentAction = m_action;
    m_currentHoverAction = m_hoverAction;
    m_currentHoverOffAction = m_hoverOffAction;
}

void CFormButtonControl::AfterLoad(ReferenceSlot* references)
{
    TakeActionsFromProperties();
    CFormControl::AfterLoad(references);
}

CJWindow* CFormButtonControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* button = new CJButton(themeSource, m_buttonText.GetText(), nullptr);
    button->SetPainterOption(kCentredText);
    button->SetHandCursor(m_useFingerCursor);
    if (m_currentAction) button->SetClickAction(MakeActionBinder(m_currentAction));
    if (m_currentHoverAction) button->SetHoverEnterAction(MakeActionBinder(m_currentHoverAction));
    if (m_currentHoverOffAction) button->SetHoverLeaveAction(MakeActionBinder(m_currentHoverOffAction));
    AddToContainer(container, button, GetPosition().first, GetPosition().second);
    UpdateWindow();
    return button;
}

void CFormButtonControl::UpdateWindow()
{
    auto* button = static_cast<CJButton*>(m_window);
    if (!button) return;
    button->SetText(m_buttonText.GetText());
    button->SizeToContent();
    const int width = Scaled(m_width);
    if (m_width > 0 && button->GetWidth() < width) button->SetWidth(width);
    PlaceAtScaledPosition();
}

void CFormButtonControl::DestroyWindow()
{
    CFormControl::DestroyWindow();
    TakeActionsFromProperties();
}

void CFormButtonControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_buttonText.ReplaceAll(find, replacement);
    for (CFormAction* action : {m_currentAction, m_currentHoverAction, m_currentHoverOffAction})
        if (action) action->ReplaceText(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

void CFormButtonControl::SetButtonText(const CString& text)
{
    m_buttonText = text;
    UpdateWindow();
}

void CFormButtonControl::SetAction(CFormAction* action)
{
    if (!action) return;
    m_currentAction = action;
    if (m_window) static_cast<CJButton*>(m_window)->SetClickAction(MakeActionBinder(action));
}

// ---- The image button

void DeclareFormImageButtonControl(ClassInfo* record)
{
    using C = CFormImageButtonControl;
    record->AddProperty(new StringPropertyInfo("Button Text", Member<&C::m_buttonText>()));
    record->AddProperty(new StringPropertyInfo("Press Image Name", Member<&C::m_pressImageName>()));
    record->AddProperty(new StringPropertyInfo("Hover Image Name", Member<&C::m_hoverImageName>()));
    record->AddProperty(new StringPropertyInfo("Disable Image Name", Member<&C::m_disableImageName>()));
    record->AddProperty(new StringPropertyInfo("Default Image Name", Member<&C::m_defaultImageName>()));
    AddActionProperty(record, "Action", PointerMember<&C::m_action>());
    record->AddProperty(new IntegerPropertyInfo("Scaled Width", Member<&C::m_scaledWidthProperty>()));
    record->AddProperty(new IntegerPropertyInfo("Scaled Height", Member<&C::m_scaledHeightProperty>()));
    record->AddProperty(new BoolPropertyInfo("Use Finger Cursor", Member<&C::m_useFingerCursor>()));
}

FORM_CLASS(CFormImageButtonControl, CFormControl, DeclareFormImageButtonControl)

CFormImageButtonControl::CFormImageButtonControl() { ConstructOwnMembers(); }

CFormImageButtonControl::~CFormImageButtonControl() { DestroyOwnMembers(); }

CJWindow* CFormImageButtonControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* button = new CJImageButton(themeSource, m_buttonText.GetText(), nullptr);
    button->SetHandCursor(m_useFingerCursor);
    if (m_action) button->SetClickAction(MakeActionBinder(m_action));
    button->SetPlacementFlags(button->GetPlacementFlags() | kPlaceNoSpacing);
    AddToContainer(container, button, GetPosition().first, GetPosition().second);
    // The pictures of the states, in the order the reference picture is chosen in.
    const struct {
        const CString& name;
        int state;
    } pictures[] = {{m_defaultImageName, kImageNormal},
                    {m_pressImageName, kImagePressed},
                    {m_hoverImageName, kImageHover},
                    {m_disableImageName, kImageDisabled}};
    CFrameInterface* reference = nullptr;
    for (const auto& picture : pictures)
        if (!reference) reference = FindFrame(picture.name);
    if (!reference) return button;
    m_scaledWidth = Scaled(m_scaledWidthProperty ? m_scaledWidthProperty : reference->GetWidth());
    m_scaledHeight = Scaled(m_scaledHeightProperty ? m_scaledHeightProperty : reference->GetHeight());
    for (const auto& picture : pictures)
        if (CFrameInterface* frame = FindFrame(picture.name)) ShowPicture(picture.state, frame);
    PlaceAtScaledPosition();
    return button;
}

void CFormImageButtonControl::ShowPicture(int state, CFrameInterface* frame)
{
    std::unique_ptr<CFrame> copy;
    CFrameInterface* shown = frame;
    if (frame->GetWidth() != m_scaledWidth || frame->GetHeight() != m_scaledHeight) {
        copy = MakeScaledFrame(frame, m_scaledWidth, m_scaledHeight);
        shown = copy.get();
    }
    // The button lets go of the old copy before it is freed.
    SetStatePicture(*Button(), state, shown);
    m_scaledPictures[state] = std::move(copy);
}

void CFormImageButtonControl::DestroyWindow()
{
    // The closing button draws until the tree deletes it: it shows none of the copies from now on.
    if (Button())
        for (int state = 0; state < kImageStates; ++state)
            if (m_scaledPictures[state]) SetStatePicture(*Button(), state, nullptr);
    CFormControl::DestroyWindow();
    for (auto& picture : m_scaledPictures) picture.reset();
}

void CFormImageButtonControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_buttonText.ReplaceAll(find, replacement);
    if (m_action) m_action->ReplaceText(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

void CFormImageButtonControl::SetImage(const CString& frameName)
{
    CFrameInterface* frame = FindFrame(frameName);
    if (frameName.IsNotEmpty() && !frame) return;
    m_defaultImageName = frameName;
    if (!Button() || !frame) return;
    if (m_scaledWidth == 0) {
        // A button that had no picture takes this one's size.
        m_scaledWidth = Scaled(m_scaledWidthProperty ? m_scaledWidthProperty : frame->GetWidth());
        m_scaledHeight = Scaled(m_scaledHeightProperty ? m_scaledHeightProperty : frame->GetHeight());
    }
    ShowPicture(kImageNormal, frame);
}

void CFormImageButtonControl::SetAction(CFormAction* action)
{
    if (action && Button()) Button()->SetClickAction(MakeActionBinder(action));
}
