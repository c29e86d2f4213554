#include "ListsPage.h"

#include <cstdio>

#include "frames/FrameInterface.h"
#include "ui/ComboBox.h"
#include "ui/Font.h"
#include "ui/FrameWindow.h"
#include "ui/Header.h"
#include "ui/ListBox.h"
#include "ui/ListModel.h"
#include "ui/ScrollBar.h"

using platform::Rect;

namespace {

constexpr int kPageWidth = 300;
constexpr int kPageHeight = 300;
constexpr int kGap = 8;
constexpr int kListWidth = kPageWidth - 2 * kGap;
constexpr int kFiles = 40;
constexpr const char* kKinds[] = {"Mission", "Briefing", "Map", "Sound"};

// The page's items live as long as the program.
struct PageModels {
    SimpleListModel files;
    SimpleListModel folders;
    SimpleListModel colours;
    PageModels()
    {
        for (int i = 1; i <= kFiles; ++i) {
            char text[64];
            std::snprintf(text, sizeof text, "Sector %02d\t%s\t%d KB", i, kKinds[i % 4], (i * 37) % 500 + 1);
            files.Add(text);
        }
        const int campaigns = folders.Add("Campaigns");
        const int rim = folders.Add("Outer Rim", campaigns);
        for (const char* mission : {"Convoy", "Blockade", "Last Stand"}) folders.Add(mission, rim);
        folders.Add("Inner Belt", campaigns);
        const int pilots = folders.Add("Pilots");
        for (const char* pilot : {"Ada", "Brann", "Cyra"}) folders.Add(pilot, pilots);
        folders.Add("Settings");
        for (const char* colour : {"Crimson", "Amber", "Olive", "Teal", "Indigo", "Violet", "Slate", "Ivory"})
            colours.Add(colour);
    }
};

PageModels& Models()
{
    static PageModels models;
    return models;
}

// The page: its background colour under the classic frame, and the file list sorted again whenever the header's
// sort column or direction changes.
class ListsPageWindow : public CJFrameWindow {
public:
    ListsPageWindow() : CJFrameWindow(nullptr, "Lists") {}

    void DrawFrame(CFrameInterface* frame) override
    {
        frame->FillRect(Rect::OfSize(GetWidth(), GetHeight()), GetBackgroundColor());
        CJFrameWindow::DrawFrame(frame);
    }
    void OnChildNotify(CJWindow* child, int code) override
    {
        if (child == header && code == kNotifyHeaderSorted && files) files->Resort();
    }

    CJHeader* header = nullptr;
    CJListBox* files = nullptr;
};

void Put(CJWindow& page, CJWindow* child, const Rect& rect)
{
    child->SetRect(rect);
    page.AddChild(child, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
}

}  // namespace

CJWindow* AddListsPage(CJWindow& screen, int x, int y)
{
    PageModels& models = Models();
    const Color kPanel = MakeColor(22, 28, 40);
    auto* page = new ListsPageWindow;
    page->SetBackgroundColorRGB(34, 44, 60);
    page->SetRect(Rect::At(x, y, kPageWidth, kPageHeight));
    screen.AddChildFront(page, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    int top = page->GetTopInset() + kGap;

    auto* header = new CJHeader(page);
    header->AddColumn("Name", 110, nullptr, kJustifyLeft, true, false);
    header->AddColumn("Kind", 80, nullptr, kJustifyCentre, true, false);
    header->AddColumn("Size", 60, nullptr, kJustifyRight, false, false);
    header->SetTotalWidth(kListWidth - CJScrollBar::Thickness());
    header->LayOutColumns();
    Put(*page, header, Rect::At(kGap, top, kListWidth, header->GetHeight()));
    top += header->GetHeight();

    auto* files = new CJListBox(page, &models.files, kListBevel, 60, CJListBox::kSortRows);
    files->SetBackgroundColor(kPanel);
    files->SetHeader(header);
    files->Resort();
    files->SetRowsPerPage(6);
    Put(*page, files, Rect::At(kGap, top, kListWidth, files->GetHeight()));
    files->SetCurrentRow(0, false);
    page->header = header;
    page->files = files;
    top += files->GetHeight() + kGap;

    auto* combo = new CJComboBox(page, &models.colours, 0, 30);
    combo->SetBackgroundColor(kPanel);
    combo->SelectItem(3, false);
    Put(*page, combo, Rect::At(kGap, top, kListWidth / 2, combo->GetHeight()));
    auto* bar = new CJScrollBar(nullptr, kHorizontalBar);
    bar->SetBackgroundColor(kPanel);
    bar->SetRange(0.0f, 100.0f);
    bar->SetPageStep(25.0f);
    bar->SetLineStep(5.0f);
    Put(*page, bar, Rect::At(kGap + kListWidth / 2 + kGap, top, kListWidth / 2 - kGap, CJScrollBar::Thickness()));
    top += combo->GetHeight() + kGap;

    auto* tree = new CJListBox(page, &models.folders, kListBevel | kListPageFromHeight, 60, 0);
    tree->SetBackgroundColor(kPanel);
    Put(*page, tree, Rect::At(kGap, top, kListWidth, kPageHeight - top - kGap));
    tree->SelectItem(3, false);
    page->ActivateChild(files);
    return page;
}
