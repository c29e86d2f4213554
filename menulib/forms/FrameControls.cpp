// The page, picture, animation and embedded-form controls.
#include "forms/FrameControls.h"

#include "forms/Form.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"
#include "frames/Sequence.h"
#include "ui/AnimationWindow.h"
#include "ui/FrameWindow.h"

namespace {

// Children of these windows are placed where they are put, without growing their parent.
void PlaceChildrenFreely(CJWindow* window) { window->SetPlacementFlags(window->GetPlacementFlags() | kPlaceNoSpacing); }

}  // namespace

// ---- The page

void DeclareFormFrameControl(ClassInfo* record)
{
    using C = CFormFrameControl;
    record->AddProperty(new StringPropertyInfo("Text", Member<&C::m_text>()));
    record->AddProperty(new BoolPropertyInfo("Full Screen", Member<&C::m_fullScreen>()));
    record->AddProperty(new IntegerPropertyInfo("Width", Member<&C::m_width>(), {.defaultValue = 64, .max = 99999}));
    record->AddProperty(new IntegerPropertyInfo("Height", Member<&C::m_height>(), {.defaultValue = 64, .max = 99999}));
    AddActionProperty(record, "Enter Action", PointerMember<&C::m_enterAction>());
    AddActionProperty(record, "Exit Action", PointerMember<&C::m_exitAction>());
    AddActionProperty(record, "Escape Key Action", PointerMember<&C::m_escapeKeyAction>());
    record->AddProperty(new BoolPropertyInfo("Is Modal Window", Member<&C::m_isModalWindow>()));
}

FORM_CLASS(CFormFrameControl, CFormControl, DeclareFormFrameControl)

CFormFrameControl::CFormFrameControl() { ConstructOwnMembers(); }

CFormFrameControl::~CFormFrameControl() { DestroyOwnMembers(); }

CJWindow* CFormFrameControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* frame = new CJFrameWindow(themeSource, m_fullScreen ? "" : m_text.GetText());
    frame->SetDraggable(false);
    if (m_isModalWindow) frame->SetModal(true);
    PlaceChildrenFreely(frame);
    AddToContainer(container, frame, GetPosition().first, GetPosition().second);
    if (m_fullScreen) {
        frame->SetDrawFrame(false);
        frame->SetSize(container->GetWidth(), container->GetHeight());
        frame->MoveTo(0, 0);
        return frame;
    }
    frame->SetSize(Scaled(m_width), Scaled(m_height));
    PlaceAtScaledPosition();
    return frame;
}

void CFormFrameControl::ReplaceText(const CString& find, const CString& replacement)
{
    m_text.ReplaceAll(find, replacement);
    for (CFormAction* action : {m_enterAction, m_exitAction, m_escapeKeyAction})
        if (action) action->ReplaceText(find, replacement);
    CFormControl::ReplaceText(find, replacement);
}

// ---- The picture

void DeclareFormPictureControl(ClassInfo* record)
{
    using C = CFormPictureControl;
    record->AddProperty(new StringPropertyInfo("Image File Name", Member<&C::m_imageName>()));
    record->AddProperty(new IntegerPropertyInfo("Scaled Width", Member<&C::m_scaledWidth>()));
    record->AddProperty(new IntegerPropertyInfo("Scaled Height", Member<&C::m_scaledHeight>()));
}

FORM_CLASS(CFormPictureControl, CFormControl, DeclareFormPictureControl)

CFormPictureControl::CFormPictureControl() { ConstructOwnMembers(); }

CFormPictureControl::~CFormPictureControl() { DestroyOwnMembers(); }

CJWindow* CFormPictureControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    auto* picture = new CJPictureWindow(themeSource, nullptr, 0, 0);
    picture->SetText("");
    PlaceChildrenFreely(picture);
    AddToContainer(container, picture, 0, 0);
    UpdateWindow();
    return picture;
}

void CFormPictureControl::UpdateWindow()
{
    auto* window = static_cast<CJPictureWindow*>(m_window);
    if (!window) return;
    CFrameInterface* frame = FindFrame(m_imageName);
    if (!frame) frame = FindFrame(CString(kMissingPicture));
    std::unique_ptr<CFrame> copy;
    CFrameInterface* shown = frame;
    if (frame) {
        const int width = Scaled(m_scaledWidth ? m_scaledWidth : frame->GetWidth());
        const int height = Scaled(m_scaledHeight ? m_scaledHeight : frame->GetHeight());
        if (width != frame->GetWidth() || height != frame->GetHeight()) {
            copy = MakeScaledFrame(frame, width, height);
            shown = copy.get();
        }
        window->SetSize(width, height);
    }
    // The window lets go of the old copy before it is freed.
    window->SetPicture(shown, 0, 0);
    m_scaledCopy = std::move(copy);
    m_shown = shown;
    PlaceAtScaledPosition();
}

void CFormPictureControl::DestroyWindow()
{
    // The closing window draws until the tree deletes it: it shows nothing from now on.
    if (m_window) static_cast<CJPictureWindow*>(m_window)->SetPicture(nullptr, 0, 0);
    CFormControl::DestroyWindow();
    m_scaledCopy.reset();
    m_shown = nullptr;
}

void CFormPictureControl::SetImageName(const char* name)
{
    m_imageName = name;
    UpdateWindow();
}

// ---- The animation

void DeclareFormPictureSequenceControl(ClassInfo* record)
{
    record->AddProperty(
        new StringPropertyInfo("Sequence File Name", Member<&CFormPictureSequenceControl::m_sequenceName>()));
}

FORM_CLASS(CFormPictureSequenceControl, CFormControl, DeclareFormPictureSequenceControl)

CFormPictureSequenceControl::CFormPictureSequenceControl() { ConstructOwnMembers(); }

CFormPictureSequenceControl::~CFormPictureSequenceControl() { DestroyOwnMembers(); }

std::unique_ptr<CSequence> CFormPictureSequenceControl::MakeScaledSequence() const
{
    SequenceFolderCollection& sequences = GetSequenceCollection();
    const int index = m_sequenceName.IsEmpty() ? -1 : sequences.FindIndex(m_sequenceName.GetText());
    auto* source = index < 0 ? nullptr : dynamic_cast<CSequence*>(sequences.GetOrLoad(index));
    if (!source) return nullptr;
    auto scaled = std::make_unique<CSequence>();
    scaled->SetFrameRate(source->GetFrameRate());
    scaled->SetBlitTypeIndex(source->GetBlitTypeIndex());
    for (std::uint32_t i = 0; i < source->GetFrameCount(); ++i) {
        CFrame* frame = source->GetFrame(i);
        scaled->AddFrame(frame ? MakeScaledFrame(frame, Scaled(frame->GetWidth()), Scaled(frame->GetHeight()))
                               : nullptr);
    }
    return scaled;
}

CJWindow* CFormPictureSequenceControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    if (!m_scaledSequence) m_scaledSequence = MakeScaledSequence();
    auto* animation = new CJAnimationWindow(themeSource, m_scaledSequence.get(), "");
    int x = Scaled(GetPosition().first);
    int y = Scaled(GetPosition().second);
    ApplyPositionMethod(animation, GetPositionMethod(), x, y);
    AddToContainer(container, animation, x, y);
    return animation;
}

// ---- The embedded form

void DeclareFormEmbeddedForm(ClassInfo* record)
{
    record->AddProperty(
        new StringPropertyInfo("Embedded Form File Name", Member<&CFormEmbeddedForm::m_embeddedFormName>()));
}

FORM_CLASS(CFormEmbeddedForm, CFormControl, DeclareFormEmbeddedForm)

CFormEmbeddedForm::CFormEmbeddedForm() { ConstructOwnMembers(); }

CFormEmbeddedForm::~CFormEmbeddedForm() { DestroyOwnMembers(); }

CJWindow* CFormEmbeddedForm::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    m_embedded = nullptr;
    FormFileCollection& forms = GetFormFileCollection();
    const int index = m_embeddedFormName.IsEmpty() ? -1 : forms.FindIndex(m_embeddedFormName.GetText());
    CForm* form = index < 0 ? nullptr : forms.GetOrLoad(index);
    if (!form || form->IsMakingWindows()) return container;
    m_embedded = form;
    form->CreateAllWindows(themeSource, container, GetLayoutScale());
    return container;
}

void CFormEmbeddedForm::DestroyWindow()
{
    if (m_embedded) m_embedded->DestroyAllWindows();
    m_embedded = nullptr;
}
