#include "front/ApplicationList.h"

#include <algorithm>

#include "forms/FormAction.h"
#include "foundation/ArrayGrowth.h"
#include "foundation/FolderCollection.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"
#include "front/CatalogActions.h"
#include "front/CatalogRecords.h"
#include "front/CatalogScreens.h"
#include "ui/Button.h"
#include "ui/Font.h"
#include "ui/FontLibrary.h"
#include "ui/Header.h"
#include "ui/ImageButton.h"
#include "ui/SkinnedPanel.h"

namespace {

constexpr int kFirstRows = 5;
constexpr const char* kRowButtonSkin = "Main_Regular_Font";
constexpr const char* kRowFontName = "Arcade Row 1024";
// The row's layout in design pixels.
constexpr int kTextLeft = 123;
constexpr int kTitleTop = 10;
constexpr int kDescriptionTop = 40;
constexpr int kDescriptionWidth = 400;
constexpr int kLineSpacing = 4;
constexpr int kButtonsLeft = 530;
constexpr int kTryButtonTop = 22;
constexpr int kInfoButtonTop = 60;
constexpr int kPictureInset = 4;
const Color kRowColor = MakeColor(255, 255, 255);
const Color kSquareColor = MakeColor(208, 208, 208);
const Color kLineColor = MakeColor(0, 0, 0);

CArcadeApplicationInformation* CatalogRecord(int index) { return GetGameInformationFiles().GetOrLoad(index); }

// The rows' texts are dark on white: the font "Arcade Row 1024" when the library has it.
CFont* RowFont()
{
    FontLibrary& fonts = GetFontLibrary();
    const int index = fonts.Find(kRowFontName);
    return index >= 0 ? fonts.GetFont(index) : nullptr;
}

// Row windows lie inside the grid's rows: the grid keeps its size.
void PlaceIn(CJWindow* parent, CJWindow* child, int x, int y)
{
    parent->AddChild(child, kPlaceAtPosition, nullptr, x, y, kPlaceGapsInPixels | kPlaceNoSpacing);
}

CJButton* RowButton(CJWindow& skin, const char* text, CFormAction* action)
{
    auto* button = new CJButton(&skin, text, nullptr);
    button->SetPainterOption(kJustifyCentre);
    button->SetHandCursor(true);
    if (CFont* font = RowFont()) button->SetFont(font);
    button->SizeToContent();
    if (action) button->SetClickAction(MakeActionBinder(action));
    return button;
}

}  // namespace

std::vector<int> ApplicationsOfFilter(int index)
{
    std::vector<int> rows;
    const CArcadeApplicationList* main = GetMainApplicationList();
    const CArcadeApplicationSubset* subset =
        main && index >= 0 && index < main->GetSubsetCount() ? main->GetSubset(index) : nullptr;
    if (!subset) return rows;
    auto& files = GetGameInformationFiles();
    const int count = files.GetCount();
    for (int i = 0; i < subset->m_ApplicationIDList.count; ++i) {
        const int id = IdListEntry(subset->m_ApplicationIDList, i);
        for (int item = 0; item < count; ++item)
            if (const CArcadeApplicationInformation* record = files.GetOrLoad(item);
                record && record->m_ApplicationID == id)
                AppendGrowing(rows, item);
    }
    return rows;
}

// ---- The grid

ReferralApplicationGrid::ReferralApplicationGrid(CJWindow* parent, CJHeader* header, float layoutScale)
    : CJGridControl(parent, header), m_layoutScale(layoutScale)
{
}

void ReferralApplicationGrid::DrawCell(int row, int, CFrameInterface* frame, const platform::Rect& rowRect)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
    const int x = rowRect.left;
    const int y = rowRect.top;
    const int h = rowRect.bottom - rowRect.top;
    frame->FillRect(rowRect, kRowColor);
    frame->FillRect(platform::Rect{x, y, x + h, y + h}, kSquareColor);
    frame->FillRect(platform::Rect{x + h - 1, y, x + h, y + h - 1}, kLineColor);
    const CArcadeApplicationInformation* record = CatalogRecord(m_rows[row]);
    CFont* font = GetFont();
    if (!record || !font) return;
    const int textLeft = x + LayoutPixels(m_layoutScale, kTextLeft);
    font->DrawText(frame, textLeft, y + LayoutPixels(m_layoutScale, kTitleTop), record->m_GameDisplayName);
    const CString wrapped = font->WrapText(record->m_DescriptionShort, LayoutPixels(m_layoutScale, kDescriptionWidth));
    font->DrawMultiLineText(frame, textLeft, y + LayoutPixels(m_layoutScale, kDescriptionTop), FirstTwoLines(wrapped),
                            kLineSpacing, kJustifyLeft, nullptr);
}

// ---- The control

void DeclareApplicationList(ClassInfo* record)
{
    using C = CFormReferralApplicationListControl;
    record->AddProperty(new IntegerPropertyInfo("Control Width", Member<&C::m_controlWidth>()));
    record->AddProperty(new IntegerPropertyInfo("Number Of Rows", Member<&C::m_numberOfRows>()));
    record->AddProperty(new IntegerPropertyInfo("Height Of Each Row", Member<&C::m_heightOfEachRow>()));
}

FORM_CLASS(CFormReferralApplicationListControl, CFormControl, DeclareApplicationList)

CFormReferralApplicationListControl::CFormReferralApplicationListControl() { ConstructOwnMembers(); }

CFormReferralApplicationListControl::~CFormReferralApplicationListControl() { DestroyOwnMembers(); }

CJWindow* CFormReferralApplicationListControl::CreateWindow(CJWindow* themeSource, CJWindow* container)
{
    const int width = Scaled(m_controlWidth);
    const int rowHeight = std::max(1, Scaled(m_heightOfEachRow));
    if (!m_header) {
        m_header = std::make_unique<CJHeader>(themeSource);
        m_header->AddColumn("", width, nullptr, kJustifyLeft, true, false);
    }
    m_header->SetSize(width, 0);
    m_header->SetColumnWidth(0, width);
    auto* grid = new ReferralApplicationGrid(themeSource, m_header.get(), GetLayoutScale());
    if (CFont* rowFont = RowFont()) grid->SetFont(rowFont);
    grid->SetRowHeight(static_cast<unsigned>(rowHeight));
    grid->SetRowCount(kFirstRows);
    grid->SetSize(width, m_numberOfRows * rowHeight);
    AddToContainer(container, grid, Scaled(GetPosition().first), Scaled(GetPosition().second));
    UpdateWindow();
    return grid;
}

void CFormReferralApplicationListControl::DestroyWindow()
{
    ClearRows();
    CFormControl::DestroyWindow();
}

void CFormReferralApplicationListControl::ClearRows()
{
    for (CJWindow* window : m_rowWindows) {
        if (Grid()) Grid()->RemoveChild(window);
        delete window;
    }
    m_rowWindows.clear();
    m_scaledFrames.clear();
}

void CFormReferralApplicationListControl::UpdateWindow()
{
    ReferralApplicationGrid* grid = Grid();
    if (!grid) return;
    grid->Rows() = ApplicationsOfFilter(m_filterIndex);
    grid->SetRowCount(static_cast<unsigned>(grid->Rows().size()));
    grid->SetSelectedRow(0, true);
    ClearRows();
    for (std::size_t row = 0; row < grid->Rows().size(); ++row) AddRowWindows(static_cast<int>(row), grid->Rows()[row]);
}

void CFormReferralApplicationListControl::AddRowWindows(int row, int catalogIndex)
{
    const CArcadeApplicationInformation* record = CatalogRecord(catalogIndex);
    if (!record) return;
    ReferralApplicationGrid* grid = Grid();
    const float scale = GetLayoutScale();
    const int top = row * static_cast<int>(grid->GetRowHeight());
    const int id = record->m_ApplicationID;
    const CArcadeManagerData* urls = GetManagerData();
    CJSkinnedPanel skin(kRowButtonSkin);

    CFormAction* download = urls ? PortalBrowserAction(urls->m_URLRedirectDownloadApplicationAddition, id) : nullptr;
    auto* tryIt = RowButton(skin, "&Try it Now - Free!&", download);
    PlaceIn(grid, tryIt, LayoutPixels(scale, kButtonsLeft), LayoutPixels(scale, kTryButtonTop) + top);
    auto* moreInfo = RowButton(skin, "&More Info...&", GameInfoActions(id));
    PlaceIn(grid, moreInfo, LayoutPixels(scale, kButtonsLeft), LayoutPixels(scale, kInfoButtonTop) + top);

    FrameFolderCollection& frames = GetFrameCollection();
    auto* source = static_cast<CFrameInterface*>(frames.GetOrLoad(frames.FindRequired(record->m_BitmapName, -1)));
    auto* picture = new CJImageButton(grid, "", nullptr);
    picture->SetHandCursor(true);
    if (source) {
        m_scaledFrames.push_back(MakeScaledFrame(source, static_cast<int>(source->GetWidth() / 2 * scale),
                                                 static_cast<int>(source->GetHeight() / 2 * scale)));
        picture->SetNormalPicture(m_scaledFrames.back().get());
    }
    picture->SetClickAction(MakeActionBinder(GameInfoActions(id)));
    PlaceIn(grid, picture, LayoutPixels(scale, kPictureInset), LayoutPixels(scale, kPictureInset) + top);
    m_rowWindows.insert(m_rowWindows.end(), {tryIt, moreInfo, picture});
}
