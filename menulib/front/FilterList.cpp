#include "front/FilterList.h"

#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"
#include "front/ArcadeState.h"
#include "front/CatalogRecords.h"
#include "front/CatalogScreens.h"
#include "ui/Button.h"
#include "ui/CallbackBinder.h"

namespace {

// In design pixels: the entries' texts start right of their radio marks, which sit a little above them.
constexpr int kTextLeft = 30;
constexpr int kMarkLeft = 13;
constexpr int kMarkRaise = 3;
constexpr const char* kPressedMark = "Main_Radio_Pressed";
constexpr const char* kNormalMark = "Main_Radio_Normal";

// The click of one entry.
class EntryClick : public CallbackBinder {
public:
    EntryClick(ReferralRadioList& list, int entry) : m_list(list), m_entry(entry) {}
    bool Fire() override
    {
        m_list.Choose(m_entry);
        return true;
    }

private:
    ReferralRadioList& m_list;
    int m_entry;
};

CFrameInterface* Mark(bool pressed, float scale)
{
    FrameFolderCollection& frames = GetFrameCollection();
    auto* mark =
        static_cast<CFrameInterface*>(frames.GetOrLoad(frames.FindRequired(pressed ? kPressedMark : kNormalMark, -1)));
    if (!mark) return nullptr;
    const int width = static_cast<int>(mark->GetWidth() * scale);
    const int height = static_cast<int>(mark->GetHeight() * scale);
    return width == mark->GetWidth() && height == mark->GetHeight() ? mark : GetScaledFrame(mark, width, height);
}

std::vector<CString> SubsetNames()
{
    std::vector<CString> names;
    const CArcadeApplicationList* main = GetMainApplicationList();
    for (int i = 0; main && i < main->GetSubsetCount(); ++i)
        if (const CArcadeApplicationSubset* subset = main->GetSubset(i)) names.push_back(subset->m_SubsetDisplayName);
    return names;
}

}  // namespace

// ---- The radio list

ReferralRadioList::ReferralRadioList(CJWindow* parent, const std::vector<CString>& texts, int spaceAbove,
                                     int entryHeight, int textLeft, float layoutScale)
    : CJFrameWindow(parent, nullptr), m_spaceAbove(spaceAbove), m_entryHeight(entryHeight), m_layoutScale(layoutScale)
{
    SetDrawFrame(false);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto* entry = new CJButton(this, texts[i].GetText(), nullptr);
        entry->SetHandCursor(true);
        entry->SizeToContent();
        entry->SetClickAction(std::make_unique<EntryClick>(*this, static_cast<int>(i)));
        AddChild(entry, kPlaceAtPosition, nullptr, textLeft, spaceAbove + static_cast<int>(i) * entryHeight,
                 kPlaceGapsInPixels | kPlaceNoSpacing);
        m_entries.push_back(entry);
    }
}

void ReferralRadioList::Choose(int entry)
{
    m_selectedIndex = entry;
    if (m_listener) m_listener(entry);
}

void ReferralRadioList::Draw(CFrameInterface* frame)
{
    CJFrameWindow::Draw(frame);
    const int left = LayoutPixels(m_layoutScale, kMarkLeft);
    const int raise = LayoutPixels(m_layoutScale, kMarkRaise);
    for (int i = 0; i < GetEntryCount(); ++i)
        if (CFrameInterface* mark = Mark(i == m_selectedIndex, m_layoutScale))
            frame->BlitAt(mark, left, m_spaceAbove - raise + i * m_entryHeight, nullptr);
}

// ---- The control

void DeclareFilterList(ClassInfo* record)
{
    using C = CFormReferralFilterListControl;
    record->AddProperty(new IntegerPropertyInfo("Space Above First Entry", Member<&C::m_spaceAboveFirstEntry>()));
    record->AddProperty(new IntegerPropertyInfo("Space Below Last Entry", Member<&C::m_spaceBelowLastEntry>()));
    record->AddProperty(new IntegerPropertyInfo("Height Of Each Entry", Member<&C::m_heightOfEachEntry>()));
    record->AddProperty(new IntegerPropertyInfo("Width", Member<&C::m_width>()));
    record->AddProperty(new StringPropertyInfo("Title", Member<&C::m_title>()));
}

FORM_CLASS(CFormReferralFilterListControl, CFormControl, DeclareFilterList)

CFormReferralFilterListControl::CFormReferralFilterListControl() { ConstructOwnMembers(); }

CFormReferralFilterListControl::~CFormReferralFilterListControl() { DestroyOwnMembers(); }

CJWindow* CFormReferralFilterListControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    GetManagerData();
    const std::vector<CString> names = SubsetNames();
    const int above = Scaled(m_spaceAboveFirstEntry);
    const int entry = Scaled(m_heightOfEachEntry);
    auto* list = new ReferralRadioList(themeSource, names, above, entry, Scaled(kTextLeft), GetLayoutScale());
    list->SetSize(Scaled(m_width), above + entry * static_cast<int>(names.size()) + Scaled(m_spaceBelowLastEntry));
    AddToContainer(container, list, Scaled(GetPosition().first), Scaled(GetPosition().second));
    list->SetListener([this](int index) {
        m_selectedIndex = index;
        GetArcadeState().SelectFilter(index);
    });
    UpdateWindow();
    return list;
}

void CFormReferralFilterListControl::UpdateWindow()
{
    if (RadioList()) RadioList()->SetSelectedIndex(m_selectedIndex);
}

void CFormReferralFilterListControl::SetSelectedIndex(int index)
{
    m_selectedIndex = index;
    UpdateWindow();
}
