#include <filesystem>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "UiFixtures.h"
#include "foundation/ConfigFile.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

using namespace ui_test;
using platform::Rect;

namespace {

// A 200 x 100 parent with margin and spacing 8, a 40 x 10 reference child at (50, 30) and the child placed.
class Placement : public testing::Test {
protected:
    void SetUp() override
    {
        parent.SetFont(DefaultTestFont());
        parent.SetRect(Rect::OfSize(200, 100));
        parent.SetEdgeMargin(8);
        parent.SetControlSpacing(8);
        reference = new CJWindow(nullptr, "ref");
        reference->SetRect(Rect::At(50, 30, 40, 10));
        parent.AddChild(reference, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    }
    Rect PlaceChild(int mode, CJWindow* ref, int gapX = kDefaultGap, int gapY = kDefaultGap,
                    std::uint32_t flags = kPlaceNoSpacing)
    {
        auto* child = new CJWindow(nullptr, "child");
        child->SetRect(Rect::OfSize(20, 10));
        parent.AddChild(child, mode, ref, gapX, gapY, flags);
        const Rect placed = child->GetRect();
        delete child;
        return placed;
    }

    CJWindow parent{nullptr, "parent"};
    CJWindow* reference = nullptr;
};

TEST_F(Placement, ModesPutTheChildBesideTheParentsEdgesOrTheReference)
{
    struct Case {
        int mode;
        int x;
        int y;
    } cases[] = {
        {1, 8, 8},   {2, 172, 8},  {3, 172, 8},  {4, 172, 82}, {5, 8, 8},    {6, 90, 45},  {7, 50, 48},
        {9, 70, 48}, {11, 90, 48}, {13, 98, 30}, {15, 98, 30}, {17, 98, 30}, {20, 22, 30}, {23, 8, 82},
    };
    for (const Case& c : cases) {
        const Rect placed = PlaceChild(c.mode, reference);
        EXPECT_EQ(placed.left, c.x) << "mode " << c.mode;
        EXPECT_EQ(placed.top, c.y) << "mode " << c.mode;
        EXPECT_EQ(placed.Width(), 20) << "mode " << c.mode;
    }
    // The right-hand bar: beside the parent, as high as it.
    const Rect bar = PlaceChild(19, nullptr);
    EXPECT_EQ(bar, (Rect{200, 0, 220, 100}));
}

TEST_F(Placement, GapsAreDialogUnitsUnlessPixelsAndModeEightFallsBackToModeOne)
{
    const int unit = parent.DialogUnit();
    ASSERT_GT(unit, 0);
    EXPECT_EQ(PlaceChild(1, nullptr, 2, 3).left, 2 * unit);
    EXPECT_EQ(PlaceChild(1, nullptr, 2, 3).top, 3 * unit);
    EXPECT_EQ(PlaceChild(1, nullptr, 2, 3, kPlaceNoSpacing | kPlaceGapsInPixels).left, 2);

    CJWindow lone(nullptr, "lone");
    lone.SetRect(Rect::OfSize(200, 100));
    lone.SetEdgeMargin(6);
    auto* first = new CJWindow(nullptr, "first");
    first->SetRect(Rect::OfSize(20, 10));
    lone.AddChild(first, 8, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(first->GetRect().left, 6) << "mode 1's default gap is the edge margin";
    EXPECT_EQ(first->GetRect().top, 6);
}

TEST_F(Placement, ModesWithoutTheirReferenceLeaveTheWindowWhereItIs)
{
    // The previous sibling of a lone child, or a reference never given, does not exist.
    CJWindow lone(nullptr, "lone");
    lone.SetRect(Rect::OfSize(200, 100));
    for (int mode : {10, 12, 14, 16, 18, 21}) {
        auto* first = new CJWindow(nullptr, "first");
        first->SetRect(Rect::At(3, 4, 20, 10));
        lone.AddChild(first, mode, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        EXPECT_EQ(first->GetRect(), (Rect{3, 4, 23, 14})) << "mode " << mode;
        delete first;
    }
    for (int mode : {7, 9, 11, 13, 15, 17, 20}) EXPECT_EQ(PlaceChild(mode, nullptr), Rect::OfSize(20, 10));
    // Mode 22 needs a screen window at the root.
    EXPECT_EQ(PlaceChild(22, nullptr), Rect::OfSize(20, 10));
}

TEST_F(Placement, SpacingGrowsTheParentAndTheGrandparentUnlessTold)
{
    CJWindow grandparent(nullptr, "grand");
    grandparent.SetRect(Rect::OfSize(50, 50));
    grandparent.SetEdgeMargin(5);
    auto* middle = new CJWindow(nullptr, "middle");
    middle->SetRect(Rect::OfSize(30, 30));
    middle->SetEdgeMargin(4);
    grandparent.AddChild(middle, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    auto* child = new CJWindow(nullptr, "child");
    child->SetRect(Rect::At(40, 10, 20, 10));
    middle->AddChild(child, 0, nullptr, kDefaultGap, kDefaultGap, 0);
    EXPECT_EQ(middle->GetRect(), (Rect{0, 0, 64, 30}));
    EXPECT_EQ(grandparent.GetRect(), (Rect{0, 0, 69, 50}));

    grandparent.SetPlacementFlags(kPlaceNoSpacing);
    auto* wider = new CJWindow(nullptr, "wider");
    wider->SetRect(Rect::At(90, 0, 10, 10));
    middle->AddChild(wider, 0, nullptr, kDefaultGap, kDefaultGap, 0);
    EXPECT_EQ(middle->GetRect().right, 104);
    EXPECT_EQ(grandparent.GetRect().right, 69) << "the grandparent's flag 1 stops the growth";
}

TEST(ScrollTest, ScrollingStopsAtTheContentEndAndFreesItsInfoAtZero)
{
    DefaultTestFont();
    CJWindow window(nullptr, "list");
    window.SetRect(Rect::OfSize(100, 50));
    auto* item = new CJWindow(nullptr, "item");
    item->SetRect(Rect::At(10, 60, 20, 10));
    window.AddChild(item, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    EXPECT_EQ(item->GetVisibleRect(), Rect{});

    window.SetVirtualSize(100, 200);
    window.ScrollTo(500, 500);
    EXPECT_EQ(window.GetScrollX(), 0) << "the content is no wider than the window";
    EXPECT_EQ(window.GetScrollY(), 150);
    window.ScrollTo(0, 40);
    EXPECT_EQ(item->GetScreenRect(), (Rect{10, 20, 30, 30}));
    EXPECT_EQ(item->GetVisibleRect(), (Rect{10, 20, 30, 30}));
    EXPECT_EQ(window.GetClipRect(), (Rect{0, 40, 100, 90})) << "the clip is in content coordinates";
    window.ScrollBy(-10, -100);
    EXPECT_EQ(window.GetScrollY(), 0);

    window.SetVirtualSize(0, 0);
    EXPECT_EQ(window.GetScrollInfo(), nullptr);
    window.ScrollTo(-5, -5);
    EXPECT_EQ(window.GetScrollInfo(), nullptr) << "offsets that come to zero free the info";
}

TEST(SavedPlacementTest, PlacementsRoundTripAndKeepWindowsApartAndReachable)
{
    DefaultTestFont();
    testsupport::TempDir dir;
    const std::string ini = dir / "Config.INI";
    toolkit::SetSettingsFileName(ini.c_str());
    testsupport::WriteFile(ini, "[Spaced]\nPosition X=7\nPosition Y=9\n");

    auto parentOwner = std::make_unique<CJWindow>(nullptr, "parent");
    CJWindow& parent = *parentOwner;
    parent.SetRect(Rect::OfSize(300, 200));
    {
        auto* saved = new CJWindow(nullptr, "Saved");
        saved->SetRect(Rect::At(40, 50, 30, 20));
        parent.AddChild(saved, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
        saved->LoadPlacement(nullptr, true);
        saved->SetRect(Rect::At(41, 51, 33, 22));
        delete saved;  // saves the placement
    }
    EXPECT_EQ(ReadConfigInt(ini.c_str(), "Saved", "Width", 0), 33);
    EXPECT_EQ(ReadConfigInt(ini.c_str(), "Saved", "Position Y", 0), 51);

    auto* first = new CJWindow(nullptr, "Saved");
    parent.AddChild(first, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    first->LoadPlacement(nullptr, true);
    auto* second = new CJWindow(nullptr, "Saved");
    parent.AddChild(second, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    second->LoadPlacement(nullptr, true);
    EXPECT_EQ(first->GetRect(), (Rect{41, 51, 74, 73}));
    EXPECT_EQ(second->GetRect(), (Rect{51, 61, 84, 83}));

    auto* spaced = new CJWindow(nullptr, "x");
    parent.AddChild(spaced, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    spaced->LoadPlacement("  Spaced", false);
    EXPECT_EQ(spaced->GetRect().left, 7) << "leading blanks of a section name are skipped";

    testsupport::WriteFile(ini, "[Far]\nPosition X=900\nPosition Y=-500\nWidth=30\nHeight=20\n");
    auto* far = new CJWindow(nullptr, "Far");
    parent.AddChild(far, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    far->LoadPlacement(nullptr, true);
    EXPECT_EQ(far->GetRect(), (Rect{270, 0, 300, 20})) << "an off-screen position is pulled back in";
    parentOwner.reset();  // the windows that loaded a placement save theirs into the same file
    EXPECT_EQ(ReadConfigInt(ini.c_str(), "Far", "Position X", 0), 270);
    toolkit::SetSettingsFileName(nullptr);
}

}  // namespace
