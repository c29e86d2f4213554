#include "EditPage.h"

#include <iterator>
#include <memory>

#include "frames/Frame.h"
#include "frames/GridControl.h"
#include "frames/Sequence.h"
#include "ui/AnimationWindow.h"
#include "ui/EditBox.h"
#include "ui/Font.h"
#include "ui/Header.h"

using platform::Rect;

namespace {

constexpr int kSpinnerFrames = 8;
constexpr int kSpinnerSide = 24;
constexpr int kDotSide = 6;

// A panel that lays its background colour under its children.
class Panel : public CJWindow {
public:
    using CJWindow::CJWindow;
    void Draw(CFrameInterface* frame) override
    {
        frame->FillRect(Rect::OfSize(GetWidth(), GetHeight()), GetBackgroundColor());
        CJWindow::Draw(frame);
    }
};

// One line of the window's text.
class Label : public CJWindow {
public:
    using CJWindow::CJWindow;
    void Draw(CFrameInterface* frame) override { DrawText(frame, 0, 0, 0); }
};

// A dot that runs round the edge of a square, one step a frame.
std::unique_ptr<CSequence> MakeSpinner()
{
    auto spinner = std::make_unique<CSequence>();
    const int travel = kSpinnerSide - kDotSide;
    const int steps[kSpinnerFrames][2] = {{0, 0},           {travel / 2, 0},      {travel, 0}, {travel, travel / 2},
                                          {travel, travel}, {travel / 2, travel}, {0, travel}, {0, travel / 2}};
    for (const auto& step : steps) {
        auto frame = std::make_unique<CFrame>();
        frame->Create(kSpinnerSide, kSpinnerSide, GetDisplayBitDepth());
        frame->Fill(MakeColor(30, 36, 52));
        frame->FillRect(Rect::At(step[0], step[1], kDotSide, kDotSide), MakeColor(255, 210, 90));
        spinner->AddFrame(std::move(frame));
    }
    spinner->SetFrameRate(8.0f);
    spinner->RecomputeBounds();
    return spinner;
}

constexpr const char* kPilots[][2] = {{"Captain Vel", "12400"}, {"Orla", "9800"}, {"Brannoc", "7350"},
                                      {"Sefa", "5100"},         {"Ytte", "2990"}, {"Moss", "850"}};

// The best pilots, a name and a score a row.
class PilotGrid : public CJGridControl {
public:
    using CJGridControl::CJGridControl;
    void DrawCell(int row, int column, CFrameInterface* frame, const Rect& rowRect) override
    {
        const HeaderColumn* cell = GetHeader()->GetColumn(column);
        GetFont()->DrawText(frame, cell->left + CJHeader::kTextMargin, rowRect.top + 1, kPilots[row][column]);
    }
};

template <class Window, class... Args>
Window* Add(CJWindow& parent, const Rect& rect, Args&&... args)
{
    auto* window = new Window(nullptr, std::forward<Args>(args)...);
    window->SetRect(rect);
    parent.AddChild(window, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    return window;
}

}  // namespace

CJWindow* AddEditPage(CJWindow& screen, CFont* font)
{
    static std::unique_ptr<CSequence> spinner = MakeSpinner();
    auto* panel = new Panel(nullptr, "entries");
    panel->SetBackgroundColorRGB(40, 52, 78);
    panel->SetRect(Rect::At(8, 4, screen.GetWidth() - 16, 102));
    screen.AddChild(panel, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);

    const int line = font->GetLineHeight();
    auto* name = new CJEditBox(nullptr, "Player One");
    const int boxHeight = name->GetHeight();
    Add<Label>(*panel, Rect::At(12, 14, 90, line), "Name:");
    name->SetRect(Rect::At(100, 10, 220, boxHeight));
    name->SetTabStop(true);
    panel->AddChild(name, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);

    Add<Label>(*panel, Rect::At(340, 14, 120, line), "Lives (1-9):");
    auto* lives = Add<CJEditBox>(*panel, Rect::At(460, 10, 60, boxHeight), "3");
    lives->SetNumbersOnly(true);
    lives->SetMaxLength(1);
    lives->SetRange(1.0f, 9.0f);
    lives->SetTabStop(true);

    Add<Label>(*panel, Rect::At(12, 20 + boxHeight, 320, line), "Shift or a drag selects; Tab moves on.");

    auto* header = new CJHeader(nullptr);
    header->AddColumn("Pilot", 130, nullptr, 0, true, false);
    header->AddColumn("Score", 70, nullptr, 0, false, false);
    auto* grid = new PilotGrid(nullptr, header);
    grid->SetRect(Rect::At(340, 40 + header->GetHeight(), 200, panel->GetHeight() - 44 - header->GetHeight()));
    // The grid before its header: the panel deletes its children front first, and the header must outlive it.
    panel->AddChild(grid, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    header->SetRect(Rect::At(340, 40, grid->GetWidth(), header->GetHeight()));
    panel->AddChild(header, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    grid->SetRowCount(static_cast<unsigned>(std::size(kPilots)));
    grid->SetSelectedRow(0, true);
    auto* animation = new CJAnimationWindow(nullptr, spinner.get(), "");
    animation->MoveTo(panel->GetWidth() - kSpinnerSide - 16, 10);
    panel->AddChild(animation, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);

    screen.ActivateChild(panel);
    panel->ActivateChild(name);
    return panel;
}
