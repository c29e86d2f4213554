// The column bar over a list: titled columns side by side that the user widens by dragging their right edges and
// clicks to choose the sort column and its direction. A list box with a header splits each row's text at tabs
// and draws the pieces in the header's columns.
#pragma once
#include <functional>
#include <vector>

#include "ui/JWindow.h"

class CFrameInterface;

// The codes the header sends its parent.
enum HeaderNotifyCode : int {
    kNotifyHeaderSorted = 0,
    kNotifyHeaderResized = 1
};

struct HeaderColumn {
    int left = 0;
    int width = 1;
    float widthFraction = 0.0f;
    CString title;
    CFont* font = nullptr;
    CFrameInterface* picture = nullptr;
    bool resizable = true;
    bool fixedDigits = false;
    int justification = 0;
    bool sortAsText = true;
    bool descending = false;
};

class CJHeader : public CJWindow {
public:
    static constexpr int kTextMargin = 3;
    // A press this close to a resizable column's right edge drags the edge.
    static constexpr int kEdgeGrip = 3;
    static constexpr int kInitialWidth = 100;
    static constexpr int kEdgeCursor = 7;
    static constexpr int kDragCursor = 8;
    using Listener = std::function<void(CJHeader& header, int column)>;

    explicit CJHeader(CJWindow* parent);

    // Appends a column at the right of the last; the column's number.
    int AddColumn(const char* title, int width, CFont* font, int justification, bool sortAsText, bool descending);
    // Left edges become the running sums of the widths; with a total width set the last column reaches it.
    void LayOutColumns();
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const HeaderColumn* GetColumn(int index) const;
    HeaderColumn* GetColumn(int index);
    void SetColumnWidth(int index, int width);
    void SetTotalWidth(int width) { m_totalWidth = width; }
    int GetSortColumn() const { return m_sortColumn; }
    void SetSortColumn(int column) { m_sortColumn = column; }
    // The column under an x in the header's coordinates, -1 for none.
    int ColumnAt(int x) const;
    void SetResizeListener(Listener listener) { m_resizeListener = std::move(listener); }
    void SetClickListener(Listener listener) { m_clickListener = std::move(listener); }
    const Color& GetLineColor() const { return m_lineColor; }

    void Draw(CFrameInterface* frame) override;
    CSequence* GetCursorForPoint(int x, int y) override;

protected:
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;
    void OnButtonRelease(std::uint32_t buttons, int x, int y) override;

private:
    int EdgeAt(int x) const;
    void DrawColumn(CFrameInterface* frame, const HeaderColumn& column);

    std::vector<HeaderColumn> m_columns;
    int m_totalWidth = 0;
    int m_sortColumn = 0;
    int m_pressedColumn = -1;
    int m_resizedColumn = -1;
    Color m_lineColor = MakeColor(175, 146, 54, 255);
    Listener m_resizeListener;
    Listener m_clickListener;
};
