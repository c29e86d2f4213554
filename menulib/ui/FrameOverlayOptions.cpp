#include "ui/FrameOverlayOptions.h"

#include "foundation/NamedList.h"
#include "foundation/PropertyInfo.h"
#include "ui/FontLibrary.h"

namespace {

const StaticNamedListRecord kJustifications[] = {{nullptr, "Justify Left", nullptr},
                                                 {nullptr, "Justify Center", nullptr},
                                                 {nullptr, "Justify Right", nullptr},
                                                 {nullptr, nullptr, nullptr}};

NamedList* FontList(const void*) { return &GetFontLibrary(); }

CFont* LibraryFont(int index)
{
    FontLibrary& library = GetFontLibrary();
    if (index < 0 || index >= library.GetCount()) return nullptr;
    if (CString(library.GetName(index)).CompareNoCase("none") == 0) return nullptr;
    return library.GetFont(index);
}

PropertyInfo* Renamed(PropertyInfo* property, const char* alternativeName)
{
    property->SetAlternativeName(alternativeName);
    return property;
}

// Made with the other class records, before anything asks for it.
FrameOverlayOptionsLibrary& g_library = GetFrameOverlayOptionsLibrary();

}  // namespace

NamedList& JustificationList()
{
    static StaticNamedList list(kJustifications);
    return list;
}

void DeclareTextOverlay(ClassInfo* record)
{
    using T = CFrameOverlayTextOverlay;
    record->AddProperty(new CollectionItemPropertyInfo("Text Font", Member<&T::m_font>(), &FontList));
    record->AddProperty(
        Renamed(new IntPairPropertyInfo("Text Bounds Left", Member<&T::m_textLeft>()), "Text HotSpot Coordinates"));
    record->AddProperty(
        Renamed(new IntegerPropertyInfo("Text Bounds Width", Member<&T::m_textWidth>(), 350), "Text Wrapping Width"));
    record->AddProperty(new IntegerPropertyInfo("Pixels Between Lines", Member<&T::m_lineSpacing>(), 2));
    record->AddProperty(new FixedCollectionItemPropertyInfo("Justification", Member<&T::m_justification>(),
                                                            &JustificationList(), "Justify Left"));
    record->AddProperty(
        new StringPropertyInfo("Text String", Member<&T::m_text>(), "* Some cool message to put in the slideshow!"));
}

IMPLEMENT_PERSISTENT_CLASS(CFrameOverlayTextOverlay, CObject, 0.0f, DeclareTextOverlay)

CFont* CFrameOverlayTextOverlay::GetFont() const { return LibraryFont(m_font); }

void DeclareOverlayOptions(ClassInfo* record)
{
    using O = CFrameOverlayOptions;
    record->AddProperty(new CollectionItemPropertyInfo("Text Font", Member<&O::m_font>(), &FontList));
    record->AddProperty(Renamed(new ItemArrayPropertyInfo("Text Overlays", Member<&O::m_overlays>(),
                                                          CFrameOverlayTextOverlay::GetStaticClassInfo()),
                                "m_ListOfTextOverlays"));
}

IMPLEMENT_PERSISTENT_CLASS(CFrameOverlayOptions, CObject, 0.0f, DeclareOverlayOptions)

CFont* CFrameOverlayOptions::GetFont() const { return LibraryFont(m_font); }

const CFrameOverlayTextOverlay* CFrameOverlayOptions::GetOverlay(int index) const
{
    if (index < 0 || index >= m_overlays.count) return nullptr;
    auto* info = CFrameOverlayTextOverlay::GetStaticClassInfo();
    return static_cast<const CFrameOverlayTextOverlay*>(info->ArrayElement(m_overlays.first, index));
}

FrameOverlayOptionsLibrary& GetFrameOverlayOptionsLibrary()
{
    static FrameOverlayOptionsLibrary library("Frame Overlay Options", "");
    return library;
}
