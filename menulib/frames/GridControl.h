// A window of rows of cells under a column header: a selected row that the keyboard and the mouse move, a view
// that glides towards its scroll target, and a vertical scroll bar that comes when the rows do not fit. Concrete
// grids draw the cells.
#pragma once
#include <cstdint>

#include "frames/Color.h"
#include "ui/JWindow.h"

class CJHeader;
class CJScrollBar;

class CJGridControl : public CJWindow {
public:
    // The codes the grid sends its parent: a row was activated (Enter, double click), the selection moved.
    enum GridNotifyCode : int {
        kNotifyRowActivated = 0,
        kNotifySelectionChanged = 1
    };
    static constexpr int kNoRow = -1;
    // One wheel step moves the target this many pixels.
    static constexpr int kWheelPixels = 25;

    CJGridControl(CJWindow* parent, CJHeader* header);
    ~CJGridControl() override;

    // Rows and selection.
    void SetRowCount(unsigned count);
    unsigned GetRowCount() const { return m_rowCount; }
    // At least 1 pixel.
    void SetRowHeight(unsigned pixels);
    unsigned GetRowHeight() const { return m_rowHeight; }
    int GetExtent() const { return GetHeight(); }
    void SetSelectedRow(int row, bool silent);
    int GetSelectedRow() const { return m_selectedRow; }
    // The row under a screen point (not clamped to the rows); kNoRow without rows.
    int RowAtPoint(int x, int y) const;

    // Scrolling.
    void SetScrollTarget(int offset);
    int GetScrollTarget() const { return m_scrollTarget; }
    void ScrollRowIntoView(int row);
    void UpdateScrollBar();
    // A bar from outside: the grid sets its range but never creates, places or deletes it.
    void SetExternalScrollBar(CJScrollBar* bar);
    CJScrollBar* GetScrollBar() const { return m_scrollBar; }
    CJHeader* GetHeader() const { return m_header; }
    const Color& GetGridLineColor() const { return m_gridLineColor; }

    // Hooks of concrete grids.
    virtual void OnColumnsChanged() {}
    virtual void DrawCell(int row, int column, CFrameInterface* frame, const platform::Rect& rowRect) = 0;
    virtual void DrawSelectedRowBackground(int row, CFrameInterface* frame, const platform::Rect& rowRect);
    virtual void OnSelectionChanged(int row) {}
    virtual void OnActivate(int row) {}
    virtual CJScrollBar* CreateScrollBar();
    // Kept for grids that answer it; nothing in the toolkit asks.
    virtual int QueryCell(int, int, int) { return 0; }

    void Draw(CFrameInterface* frame) override;
    void SetRect(const platform::Rect& rect) override;
    void OnChildNotify(CJWindow* child, int code) override;

protected:
    bool OnDoubleClick(int button, int x, int y, bool& pressToo) override;
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;
    bool OnWheel(int steps, int x, int y) override;
    bool OnKey(int code) override;

private:
    int VisibleHeight() const { return GetHeight(); }
    int BarWidth() const;
    int RowsWidth() const { return GetWidth() - BarWidth(); }
    void LayOutHeader();
    void EnsureScrollBar();
    void RemoveScrollBar();
    void SetBarRange();
    void DrawRow(int row, CFrameInterface* frame);
    void DrawColumnLines(CFrameInterface* frame);
    void Glide();
    void Activate(int row);

    CJHeader* m_header = nullptr;  // not owned
    Color m_gridLineColor;
    std::int32_t m_scrollTarget = 0;
    unsigned m_rowCount = 0;
    CJScrollBar* m_scrollBar = nullptr;  // a child, owned unless external
    unsigned m_rowHeight = 1;
    std::int32_t m_selectedRow = kNoRow;
    bool m_externalScrollBar = false;
    bool m_laidOut = false;
    bool m_inDoubleClick = false;
};
