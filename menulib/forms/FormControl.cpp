#include "forms/FormControl.h"

#include <memory>

#include "foundation/FolderCollection.h"
#include "frames/FrameInterface.h"
#include "ui/JWindow.h"
#include "ui/SkinLibrary.h"
#include "ui/SkinnedPanel.h"

namespace {

// Form files name the methods; the value stored is the index.
const StaticNamedListRecord kPositionMethods[] = {
    {nullptr, "Position Top Left", nullptr},
    {nullptr, "Position Center", nullptr},
    {nullptr, "Position Top Right", nullptr},
    {nullptr, "Position Top Center", nullptr},
    {nullptr, nullptr, nullptr},
};

// The placement the controls' windows are added with: at the given gaps from the container's top-left corner,
// the gaps in pixels.
constexpr int kPlaceAtGaps = 5;

// The escapes a form text may hold, in the order they are replaced.
const char* const kEscapes[][2] = {{"\\n", "\n"}, {"\\t", "\t"}, {"\\r", "\r"}, {"\\b", "\b"}, {"\\f", "\f"}};

}  // namespace

NamedList& PositionMethodList()
{
    static StaticNamedList list(kPositionMethods);
    return list;
}

void DeclareFormControl(ClassInfo* record)
{
    using C = CFormControl;
    record->AddProperty(new FixedCollectionItemPropertyInfo("Position Method", Member<&C::m_positionMethod>(),
                                                            &PositionMethodList(), "Position Top Left"));
    record->AddProperty(new IntPairPropertyInfo("Control Position", Member<&C::m_position>()));
    record->AddProperty(new StringPropertyInfo("Control Name", Member<&C::m_name>()));
    record->AddProperty(OwnedObjectArrayProperty("Child Controls", Member<&C::m_ChildControls>(), "Child Control",
                                                 CFormControl::GetStaticClassInfo()));
    record->AddProperty(new StringPropertyInfo("Theme To Use", Member<&C::m_themeName>()));
}

FORM_ABSTRACT_CLASS(CFormControl, CObject, DeclareFormControl)

CFormControl::CFormControl() { ConstructOwnMembers(); }

CFormControl::~CFormControl() { DestroyOwnMembers(); }

CFormControl* CFormControl::GetChild(int i) const
{
    return static_cast<CFormControl*>(OwnedObjectAt(m_ChildControls, i));
}

void CFormControl::AfterLoad(ReferenceSlot* references)
{
    for (int i = 0; i < GetChildCount(); ++i)
        if (CFormControl* child = GetChild(i)) child->AfterLoad(references);
}

void CFormControl::DestroyWindow()
{
    if (m_window) m_window->RequestClose();
    m_window = nullptr;
}

void CFormControl::ReplaceText(const CString& find, const CString& replacement)
{
    for (int i = 0; i < GetChildCount(); ++i)
        if (CFormControl* child = GetChild(i)) child->ReplaceText(find, replacement);
}

void CFormControl::CreateWindows(CJWindow* themeSource, CJWindow* container, float layoutScale)
{
    // A skin named by the control gives its windows and its subtree's their look; the panel only lends it.
    std::unique_ptr<CJSkinnedPanel> skinned;
    if (m_themeName.IsNotEmpty() && SkinLibrary::Get().Find(m_themeName) >= 0) {
        skinned = std::make_unique<CJSkinnedPanel>(m_themeName.GetText());
        themeSource = skinned.get();
    }
    m_layoutScale = layoutScale;
    CJWindow* inner = CreateWindow(themeSource, container);
    if (!inner) inner = container;
    for (int i = 0; i < GetChildCount(); ++i)
        if (CFormControl* child = GetChild(i)) child->CreateWindows(themeSource, inner, layoutScale);
}

void CFormControl::DestroyWindows()
{
    DestroyWindow();
    for (int i = 0; i < GetChildCount(); ++i)
        if (CFormControl* child = GetChild(i)) child->DestroyWindows();
}

CFormControl* CFormControl::FindControl(const CString& name)
{
    if (name.IsEmpty()) return nullptr;
    if (m_name.CompareNoCase(name) == 0) return this;
    for (int i = 0; i < GetChildCount(); ++i) {
        CFormControl* child = GetChild(i);
        if (CFormControl* found = child ? child->FindControl(name) : nullptr) return found;
    }
    return nullptr;
}

void CFormControl::ScaleByFactor(float layoutScale, int& value)
{
    value = static_cast<int>(static_cast<float>(value) * layoutScale);
}

void CFormControl::ApplyPositionMethod(const CJWindow* window, int method, int& x, int& y)
{
    const int w = window->GetWidth();
    const int h = window->GetHeight();
    switch (method) {
    case kPositionCenter:
        x -= w / 2;
        y -= h / 2;
        return;
    case kPositionTopRight: x -= w; return;
    case kPositionTopCenter: x -= w / 2; return;
    default: return;
    }
}

void CFormControl::UnescapeText(CString& text)
{
    for (const auto& escape : kEscapes) text.ReplaceAll(escape[0], CString(escape[1]));
}

int CFormControl::Scaled(int value) const
{
    ScaleByFactor(m_layoutScale, value);
    return value;
}

void CFormControl::AddToContainer(CJWindow* container, CJWindow* window, int x, int y)
{
    m_window = window;
    container->AddChild(window, kPlaceAtGaps, nullptr, x, y, kPlaceGapsInPixels);
}

void CFormControl::PlaceAtScaledPosition()
{
    int x = Scaled(m_position.first);
    int y = Scaled(m_position.second);
    ApplyPositionMethod(m_window, m_positionMethod, x, y);
    m_window->MoveTo(x, y);
}

CFrameInterface* CFormControl::FindFrame(const CString& name)
{
    FrameFolderCollection& frames = GetFrameCollection();
    const int index = name.IsEmpty() ? -1 : frames.FindIndex(name.GetText());
    return index < 0 ? nullptr : dynamic_cast<CFrameInterface*>(frames.GetOrLoad(index));
}
