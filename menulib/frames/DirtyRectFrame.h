// The back buffer of a menu session: a frame that remembers, in grids of 32 x 32-pixel cells, what was drawn
// into it, so that each frame only the changed cells are copied into the host's buffer, reported as update
// rectangles and then restored from a background picture. One pair of grids (drawn, copied) per history
// buffer; the history index stays 0.
#pragma once
#include <memory>
#include <vector>

#include "blit/DirtyGrid.h"
#include "frames/Frame.h"

class CDirtyRectFrame : public CFrame {
    DECLARE_PERSISTENT_CLASS(CDirtyRectFrame)
public:
    static constexpr int kDefaultHistory = 3;

    CDirtyRectFrame();
    ~CDirtyRectFrame() override;

    // Drawing operations mark what they touch in the current drawn grid and the accumulated grid, then draw.
    bool ClearRect(const platform::Rect& rect) override;
    bool Fill(const Color& color) override;
    bool FillRect(const platform::Rect& rect, const Color& color) override;
    bool DrawLine(int x0, int y0, int x1, int y1, const Color& color) override;
    bool DrawLineF(float x0, float y0, float x1, float y1, const Color& color) override;
    bool SetPixel(int x, int y, const Color& color) override;
    bool RemapRect(const platform::Rect& rect, const ColorTable& table) override;
    bool DrawWithBlitType(CFrameInterface* source, const platform::Rect& sourceRect,
                          const platform::Rect& destinationRect, BlitType* blitType) override;
    // Restores the cells drawn since the last restore from the source frame, or fills them with the background
    // colour, without marking anything.
    bool Clear() override;

    // n history buffers (at least one), index 0, every grid sized to the frame and clean.
    void SetHistoryCount(int n);
    // The frame's pixels, every grid sized to them, everything dirty.
    bool Create(int width, int height, int bits);
    // The background picture (borrowed; it must outlive its use); everything dirty.
    void SetSource(CFrameInterface* source);
    CFrameInterface* GetSource() const { return m_source; }
    // Every cell of every drawn grid and of the accumulated grid dirty with the full extent.
    void MarkAllDirty();
    // The update rectangles for a host frame with this frame placed at (x, y): the changed runs of cells (this
    // copy's and the previous copy's), moved by (x, y) and cut to the host and to this frame; empty ones left out.
    const std::vector<platform::Rect>& BuildUpdateRects(const CFrameInterface& host, int x, int y);
    // Copies those runs into the host through the blit type, then the drawn cells become the copied ones.
    void CopyDirtyInto(CFrameInterface& host, int x, int y, BlitType* blitType);

    const DirtyGrid& GetDrawnGrid() const { return m_drawn[m_historyIndex]; }
    const DirtyGrid& GetAccumulatedGrid() const { return m_accumulated; }

private:
    void Mark(const platform::Rect& rect);
    void ResizeGrids();
    // The runs of the current drawn grid merged with the copied grid, cut to the host and to this frame.
    template <typename Visit>
    void ForEachUpdate(const CFrameInterface& host, int x, int y, Visit visit);

    Color m_background;
    CFrameInterface* m_source = nullptr;
    int m_historyIndex = 0;
    int m_historyCount = 0;
    std::vector<DirtyGrid> m_drawn;
    std::vector<DirtyGrid> m_copied;
    DirtyGrid m_accumulated;
    DirtyGrid m_merge;
};

// The update rectangles the last BuildUpdateRects made, process-wide.
const std::vector<platform::Rect>& GetUpdateRects();

// The last column of the run of dirty cells that starts at (column, row): a run takes in the next cell while the
// last one reaches its right edge and the next is dirty, starts at its left edge and has the same top and bottom.
int LastColumnOfRun(const DirtyGrid& grid, int column, int row);

// Calls visit(rect) for each run of dirty cells, row by row from the top and left to right; the rectangle is in
// the grid's pixels.
template <typename Visit>
void ForEachDirtyRun(const DirtyGrid& grid, Visit visit)
{
    const int size = DirtyGrid::kCellSize;
    for (int row = 0; row < grid.GetRows(); ++row) {
        for (int column = 0; column < grid.GetColumns(); ++column) {
            const DirtyCell* first = grid.GetCell(column, row);
            if (!first->dirty) continue;
            const int firstColumn = column;
            column = LastColumnOfRun(grid, column, row);
            const DirtyCell* last = grid.GetCell(column, row);
            visit(platform::Rect{firstColumn * size + first->x0, row * size + first->y0, column * size + last->x1,
                                 row * size + first->y1});
        }
    }
}
