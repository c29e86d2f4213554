#include <gtest/gtest.h>

#include <algorithm>

#include "BlitFixtures.h"
#include "frames/DirtyRectFrame.h"

using platform::Rect;
using namespace blit_test;

namespace {

// A 100 x 70 16-bit back buffer over a gradient source, history 1, everything already copied once.
struct DirtyRectFixture : ::testing::Test {
    CDirtyRectFrame frame;
    std::unique_ptr<CFrame> source = NumberedFrame(100, 70, 16);
    CFrame host;

    void SetUp() override
    {
        frame.SetHistoryCount(1);
        frame.Create(100, 70, 16);
        frame.SetSource(source.get());
        host.Create(120, 80, 16);
    }
    std::vector<Rect> Cycle()
    {
        std::vector<Rect> rects = frame.BuildUpdateRects(host, 0, 0);
        frame.CopyDirtyInto(host, 0, 0, &NormalBlitType());
        frame.Clear();
        return rects;
    }
    void Settle()
    {
        Cycle();
        Cycle();
    }
};

TEST_F(DirtyRectFixture, AFreshFrameReportsOneRectanglePerCellRow)
{
    EXPECT_EQ(frame.BuildUpdateRects(host, 0, 0),
              (std::vector<Rect>{{0, 0, 100, 32}, {0, 32, 100, 64}, {0, 64, 100, 70}}));
    EXPECT_EQ(GetUpdateRects().size(), 3u);
}

TEST_F(DirtyRectFixture, APixelIsReportedTwiceThenNoMore)
{
    Settle();
    EXPECT_TRUE(Cycle().empty());
    frame.SetPixel(40, 10, kOpaqueWhite);
    EXPECT_EQ(Cycle(), (std::vector<Rect>{{40, 10, 41, 11}}));
    EXPECT_EQ(Cycle(), (std::vector<Rect>{{40, 10, 41, 11}}));
    EXPECT_TRUE(Cycle().empty());
}

TEST_F(DirtyRectFixture, AHistoryOfNoBuffersKeepsOne)
{
    for (int count : {0, -2}) {
        frame.SetHistoryCount(count);
        frame.SetPixel(40, 10, kOpaqueWhite);
        EXPECT_EQ(Cycle(), (std::vector<Rect>{{40, 10, 41, 11}})) << count;
    }
}

TEST_F(DirtyRectFixture, RunsJoinOnlyWhereExtentsMeetAtTheCellBorder)
{
    Settle();
    frame.FillRect(Rect{20, 4, 44, 9}, kOpaqueWhite);    // crosses the border at 32: one run
    frame.FillRect(Rect{40, 40, 50, 45}, kOpaqueWhite);  // ends inside its cell: the next cell starts a run
    frame.FillRect(Rect{70, 40, 80, 45}, kOpaqueWhite);
    frame.DrawLine(2, 40, 5, 50, kOpaqueWhite);
    frame.DrawLineF(10.4f, 40.0f, 12.6f, 41.0f, kOpaqueWhite);  // box (9, 39, 15, 43)
    EXPECT_EQ(frame.BuildUpdateRects(host, 0, 0),
              (std::vector<Rect>{{20, 4, 44, 9}, {2, 39, 15, 51}, {40, 40, 50, 45}, {70, 40, 80, 45}}));
}

TEST_F(DirtyRectFixture, RestoreBringsTheSourceBackWithoutMarking)
{
    Settle();
    frame.FillRect(Rect{10, 10, 20, 20}, kOpaqueWhite);
    EXPECT_EQ(Pixel16(frame, 15, 15), 0xFFFF);
    frame.Clear();
    EXPECT_EQ(Pixel16(frame, 15, 15), Pixel16(*source, 15, 15));
    EXPECT_EQ(frame.GetAccumulatedGrid().IsCellDirty(0, 0), 0);
    EXPECT_EQ(frame.GetDrawnGrid().IsCellDirty(0, 0), 1);  // still to be copied

    frame.SetSource(nullptr);
    Settle();
    frame.SetPixel(3, 3, kOpaqueWhite);
    frame.Clear();
    EXPECT_EQ(Pixel16(frame, 3, 3), 0);  // the background colour, opaque black
}

TEST_F(DirtyRectFixture, CopiesExactlyTheListedRectanglesWhereRunsStackOrLeaveGaps)
{
    const Color black = MakeColor(0, 0, 0, 255);
    Settle();
    host.Fill(kOpaqueWhite);
    frame.FillRect(Rect{32, 0, 64, 64}, black);  // two whole cells, one above the other
    frame.FillRect(Rect{0, 0, 32, 10}, black);   // part of a cell, a gap below it ...
    frame.FillRect(Rect{0, 32, 32, 64}, black);  // ... then a whole cell of the same columns
    frame.FillRect(Rect{70, 20, 80, 25}, black);
    const std::vector<Rect> rects = frame.BuildUpdateRects(host, 0, 0);
    frame.CopyDirtyInto(host, 0, 0, &NormalBlitType());
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool listed =
                std::any_of(rects.begin(), rects.end(), [x, y](const Rect& r) { return r.Contains(x, y); });
            ASSERT_EQ(Pixel16(host, x, y), listed ? 0 : 0xFFFF) << x << ", " << y;
        }
    }
}

TEST_F(DirtyRectFixture, CopiesIntoANarrowerHostStayInsideItAndMatchAFullCopy)
{
    CFrame narrow;
    narrow.Create(60, 50, 16);
    const std::vector<Rect> rects = frame.BuildUpdateRects(narrow, 10, 5);
    frame.CopyDirtyInto(narrow, 10, 5, &NormalBlitType());
    ASSERT_FALSE(rects.empty());
    for (const Rect& r : rects) {
        EXPECT_TRUE(Rect::OfSize(60, 50).Contains(r));
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ASSERT_EQ(Pixel16(narrow, x, y), Pixel16(frame, x - 10, y - 5));
    }
    EXPECT_EQ(rects.front(), (Rect{10, 5, 60, 37}));

    // Placed beyond a narrow host: nothing at all, never an inverted rectangle.
    CFrame tiny;
    tiny.Create(20, 20, 16);
    frame.MarkAllDirty();
    EXPECT_TRUE(frame.BuildUpdateRects(tiny, 30, 0).empty());
}

}  // namespace
