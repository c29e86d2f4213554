#include "frames/DirtyRectFrame.h"

#include <algorithm>
#include <cmath>

#include "blit/BlitType.h"
#include "foundation/ArrayGrowth.h"

using platform::Rect;

IMPLEMENT_PERSISTENT_CLASS(CDirtyRectFrame, CFrame, 0.0f, nullptr)

namespace {

std::vector<Rect>& UpdateRects()
{
    static std::vector<Rect> list;
    return list;
}

// Rounded to the nearest integer, ties to even, and kept to what a rectangle holds.
int RoundToEven(float v) { return static_cast<int>(std::clamp(std::nearbyint(v), -1.0e9f, 1.0e9f)); }

// Joins rectangles that go on straight down from the one before (the same columns, touching it), so that runs of
// whole rows go over in one blit; Finish hands on the last one.
template <typename Visit>
class DownwardJoin {
public:
    explicit DownwardJoin(Visit visit) : m_visit(visit) {}
    void Add(const Rect& run)
    {
        if (run.IsEmpty()) return;
        if (run.left == m_pending.left && run.right == m_pending.right && run.top == m_pending.bottom) {
            m_pending.bottom = run.bottom;
            return;
        }
        Finish();
        m_pending = run;
    }
    void Finish()
    {
        if (!m_pending.IsEmpty()) m_visit(m_pending);
        m_pending = Rect{};
    }

private:
    Visit m_visit;
    Rect m_pending{};
};

}  // namespace

const std::vector<Rect>& GetUpdateRects() { return UpdateRects(); }

int LastColumnOfRun(const DirtyGrid& grid, int column, int row)
{
    const DirtyCell* last = grid.GetCell(column, row);
    for (; last->x1 == DirtyGrid::kCellSize && column + 1 < grid.GetColumns(); ++column) {
        const DirtyCell* next = grid.GetCell(column + 1, row);
        if (!next->dirty || next->x0 != 0 || next->y0 != last->y0 || next->y1 != last->y1) break;
        last = next;
    }
    return column;
}

CDirtyRectFrame::CDirtyRectFrame()
{
    m_background.Reset();
    SetHistoryCount(kDefaultHistory);
}

CDirtyRectFrame::~CDirtyRectFrame() = default;

void CDirtyRectFrame::ResizeGrids()
{
    for (DirtyGrid& grid : m_drawn) grid.Resize(GetWidth(), GetHeight());
    for (DirtyGrid& grid : m_copied) grid.Resize(GetWidth(), GetHeight());
    m_accumulated.Resize(GetWidth(), GetHeight());
    m_merge.Resize(GetWidth(), GetHeight());
}

void CDirtyRectFrame::SetHistoryCount(int n)
{
    m_historyCount = std::max(n, 1);
    m_historyIndex = 0;
    m_drawn = std::vector<DirtyGrid>(static_cast<std::size_t>(m_historyCount));
    m_copied = std::vector<DirtyGrid>(static_cast<std::size_t>(m_historyCount));
    ResizeGrids();
}

bool CDirtyRectFrame::Create(int width, int height, int bits)
{
    const bool made = CFrame::Create(width, height, bits);
    ResizeGrids();
    MarkAllDirty();
    return made;
}

void CDirtyRectFrame::SetSource(CFrameInterface* source)
{
    m_source = source;
    MarkAllDirty();
}

void CDirtyRectFrame::MarkAllDirty()
{
    for (DirtyGrid& grid : m_drawn) grid.MarkAll();
    m_accumulated.MarkAll();
}

// Rectangles come in frame coordinates; the grids count pixels.
void CDirtyRectFrame::Mark(const Rect& rect)
{
    const Rect pixels = rect.Offset(-GetOriginX(), -GetOriginY());
    m_drawn[m_historyIndex].MarkRect(pixels);
    m_accumulated.MarkRect(pixels);
}

bool CDirtyRectFrame::ClearRect(const Rect& rect)
{
    Mark(rect);
    return CFrame::ClearRect(rect);
}

bool CDirtyRectFrame::Fill(const Color& color)
{
    m_drawn[m_historyIndex].MarkAll();
    m_accumulated.MarkAll();
    return CFrame::Fill(color);
}

bool CDirtyRectFrame::FillRect(const Rect& rect, const Color& color)
{
    Mark(rect);
    return CFrame::FillRect(rect, color);
}

bool CDirtyRectFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    Mark(Rect{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1});
    return CFrame::DrawLine(x0, y0, x1, y1, color);
}

// A line with an end point that is not a finite number draws nothing and marks nothing.
bool CDirtyRectFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    if (std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))
        Mark(Rect{RoundToEven(std::min(x0, x1)) - 1, RoundToEven(std::min(y0, y1)) - 1,
                  RoundToEven(std::max(x0, x1) + 1.0f) + 1, RoundToEven(std::max(y0, y1) + 1.0f) + 1});
    return CFrame::DrawLineF(x0, y0, x1, y1, color);
}

bool CDirtyRectFrame::SetPixel(int x, int y, const Color& color)
{
    Mark(Rect{x, y, x + 1, y + 1});
    return CFrame::SetPixel(x, y, color);
}

bool CDirtyRectFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    Mark(rect);
    return CFrame::RemapRect(rect, table);
}

// The destination rectangle is in pixels already.
bool CDirtyRectFrame::DrawWithBlitType(CFrameInterface* source, const Rect& sourceRect, const Rect& destinationRect,
                                       BlitType* blitType)
{
    const bool drawn = CFrame::DrawWithBlitType(source, sourceRect, destinationRect, blitType);
    m_drawn[m_historyIndex].MarkRect(destinationRect);
    m_accumulated.MarkRect(destinationRect);
    return drawn;
}

bool CDirtyRectFrame::Clear()
{
    const Rect pixels = Rect::OfSize(GetWidth(), GetHeight());
    DownwardJoin restore([this](const Rect& area) {
        if (m_source)
            CFrame::DrawWithBlitType(m_source, area, area, &NormalBlitType());
        else
            CFrame::FillRect(area.Offset(GetOriginX(), GetOriginY()), m_background);
    });
    ForEachDirtyRun(m_accumulated, [&](const Rect& run) { restore.Add(run.Intersected(pixels)); });
    restore.Finish();
    m_accumulated.ClearAll();
    return true;
}

template <typename Visit>
void CDirtyRectFrame::ForEachUpdate(const CFrameInterface& host, int x, int y, Visit visit)
{
    m_merge.CopyFrom(m_drawn[m_historyIndex]);
    m_merge.Merge(m_copied[m_historyIndex]);
    const Rect mine = Rect::OfSize(GetWidth(), GetHeight());
    const Rect hostArea = Rect::OfSize(host.GetWidth(), host.GetHeight()).Offset(-x, -y);
    ForEachDirtyRun(m_merge, [&](const Rect& run) {
        const Rect cut = run.Intersected(mine).Intersected(hostArea);
        if (!cut.IsEmpty()) visit(cut);
    });
}

const std::vector<Rect>& CDirtyRectFrame::BuildUpdateRects(const CFrameInterface& host, int x, int y)
{
    std::vector<Rect>& list = UpdateRects();
    list.clear();
    ForEachUpdate(host, x, y, [&list, x, y](const Rect& run) { AppendGrowing(list, run.Offset(x, y)); });
    return list;
}

// Runs of the same columns that follow each other down the frame go over in one blit: whole rows copy as one
// block.
void CDirtyRectFrame::CopyDirtyInto(CFrameInterface& host, int x, int y, BlitType* blitType)
{
    DownwardJoin copy([&](const Rect& area) {
        host.Blit(this, area.Offset(GetOriginX(), GetOriginY()), area.Offset(x, y), blitType);
    });
    ForEachUpdate(host, x, y, [&copy](const Rect& run) { copy.Add(run); });
    copy.Finish();
    m_copied[m_historyIndex].CopyFrom(m_drawn[m_historyIndex]);
    m_drawn[m_historyIndex].ClearAll();
}
