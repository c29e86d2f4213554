// A list box: the items of a model as rows, a flat list or a tree whose folders expand and collapse, with tree
// lines and pictures, optional columns under a header, sorting by column, a vertical scroll bar, smooth scrolling,
// keyboard navigation and type-ahead search.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/JWindow.h"

class CJHeader;
class CJScrollBar;
class IListModel;

// One visible line of a list.
struct ListRow {
    std::int32_t item = -1;
    bool expanded = false;
    bool hasChildren = false;
    std::int32_t depth = 0;
    std::int32_t parent = -1;
    // Bit j: the row's ancestor at depth j (the row itself at its own depth) is the last child of its parent.
    std::uint32_t lastChildMask = 0;
};

// Options of SetModel and the constructors.
enum ListBoxFlag : std::uint32_t {
    kListShowRoot = 1,        // the model's root is the only top row, expanded at once
    kListNoScrollBar = 2,     // never make a scroll bar
    kListPageFromHeight = 4,  // the page size follows the list's height
    kListErrorSound = 8,      // a failed type-ahead plays the error sound
    kListBevel = 16,          // a sunken bevel round the list
    kListNoTreeBoxes = 32,    // no tree mode: no tree keys, lines or pictures
};

// The codes the list sends its parent: a double click, and a row chosen by the pointer.
enum ListNotifyCode : int {
    kNotifyListActivated = 0,
    kNotifyListSelection = 1
};

// Moves value toward target: to one step short of it when further than step, else by 4, landing within 4.
int ApproachWithin(int value, int target, int step);

// A comparison of two rows' fields given by the list's creator: column, the two texts, the model, the two items.
using ListCompare = int (*)(int column, const CString& a, const CString& b, const IListModel* model, int itemA,
                            int itemB);

class CJListBox : public CJWindow {
public:
    static constexpr int kTypeAheadMs = 2000;
    static constexpr int kSortRows = 1;
    static constexpr int kInitialPageSize = 10;
    static constexpr int kTallestList = 1 << 20;

    CJListBox(CJWindow* parent, IListModel* model, std::uint32_t flags, int widthUnits, int sortMode);
    CJListBox(CJWindow* parent, IListModel& model, std::uint32_t flags, int widthUnits, int sortMode);
    ~CJListBox() override;

    void SetModel(IListModel* model, std::uint32_t flags);
    IListModel* GetModel() const { return m_model; }
    std::uint32_t GetFlags() const { return m_flags; }
    void SetRowsPerPage(int rows);
    int GetRowsPerPage() const { return m_rowsPerPage; }
    int GetPageSize() const { return m_pageSize; }
    void SetCurrentRow(int row, bool notify);
    int GetCurrentRow() const { return m_currentRow; }
    // The model item of the current row, -1 for none.
    int GetCurrentItem() const;
    void SelectItem(int item, bool notify);
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    const ListRow& GetRow(int row) const { return m_rows[row]; }
    // The row of a model item, -1 when it has none.
    int FindRow(int item) const;
    bool IsTree() const { return m_tree; }
    int GetRowContentWidth() const { return m_contentWidth; }
    int GetScrollOffset() const { return m_scrollOffset; }
    int GetTargetScrollOffset() const { return m_targetScroll; }
    int GetLargestScrollOffset() const;
    void SetHeader(CJHeader* header) { m_header = header; }
    CJHeader* GetHeader() const { return m_header; }
    void SetCompare(ListCompare compare) { m_compare = compare; }
    void SetSortMode(int mode) { m_sortMode = mode; }
    // Sorts the rows of every level again (after the header's sort column or direction changed).
    void Resort();
    CJScrollBar* GetScrollBar() const { return m_scrollBar; }
    const CString& GetTypeAheadText() const { return m_typed; }
    int GetMatchOffset() const { return m_matchOffset; }
    // The width the rows have: the list's width less the scroll bar's.
    int GetRowAreaWidth() const;
    int GetMargin() const;
    // The row under a screen point, -1 for none.
    int RowAtPoint(int x, int y) const;
    // Keeps the current row in view: puts it in the middle of the page when the rows allow it (the first shown
    // row becomes current - rows per page / 2, kept to the rows), after a folder opens or closes, a resize or a
    // new sort, and when a drop-down opens.
    void CentreCurrentRow();
    // Handles one typed character of the search; whether it was taken.
    bool TypeAhead(int code);
    void CollapseRow(int row);
    void SetRowStyle(int style) { m_rowStyle = style; }
    int GetRowStyle() const { return m_rowStyle; }

    void Draw(CFrameInterface* frame) override;
    void OnChildNotify(CJWindow* child, int code) override;
    void SetRect(const platform::Rect& rect) override;
    bool RequestHint(int x, int y) override;
    virtual void DrawRow(CFrameInterface* frame, int row, int x, int y);
    virtual CString GetRowText(int row) const;
    virtual int GetRowHeight() const;
    virtual int GetIndent() const;
    virtual void ExpandRow(int row);
    virtual void DrawTreeCorner(CFrameInterface* frame, int x, int top, int middle);
    virtual void DrawTreeTee(CFrameInterface* frame, int x, int top, int middle, int bottom);
    virtual void DrawTreeVertical(CFrameInterface* frame, int x, int top, int bottom);
    virtual void DrawTreeBranch(CFrameInterface* frame, int x, int middle, int right);
    virtual void DrawCurrentMarker(CFrameInterface* frame, int y);
    virtual CFrameInterface* GetExpandedPicture();
    virtual CFrameInterface* GetCollapsedPicture();
    virtual CFrameInterface* GetLeafPicture();
    virtual int GetTreeMargin();
    virtual CJScrollBar* CreateScrollBar();

protected:
    bool OnDoubleClick(int button, int x, int y, bool& pressToo) override;
    bool OnButtonPress(int x, int y, int dx, int dy, std::uint32_t buttons, CSequence*& cursor) override;
    bool OnWheel(int steps, int x, int y) override;
    bool OnKey(int code) override;
    bool OnTreeKey(int code);
    bool OnNavigationKey(int code);
    // The rows scroll so that the whole current row shows.
    void ScrollToCurrentRow();
    void MeasureContentWidth();
    // The width that shows the widest row, limited to the width in dialog units, with the margins.
    int NaturalWidth() const;
    void SetTargetScroll(int offset);

private:
    void Construct();
    void Rebuild();
    void UpdatePage();
    void UpdateScrollBar();
    void PlaceScrollBar();
    std::vector<ListRow> ChildRows(const ListRow& parent) const;
    void SortRows(std::vector<ListRow>& rows) const;
    int CompareRows(const ListRow& a, const ListRow& b) const;
    int FirstSelectable(int from, int step) const;
    bool IsSelectableRow(int row) const;
    int SearchRows(int start, bool skipFolders, bool prefix);
    bool SearchModel(int start);
    bool Search(int start);
    void PlayErrorSound() const;
    void DrawTreeLines(CFrameInterface* frame, const ListRow& row, int top);
    void DrawRowText(CFrameInterface* frame, const CString& text, int x, int y);
    void DrawTypeAhead(CFrameInterface* frame, int x, int y);

    std::vector<ListRow> m_rows;
    int m_currentRow = -1;
    int m_scrollOffset = 0;
    int m_targetScroll = 0;
    CJScrollBar* m_scrollBar = nullptr;
    int m_contentWidth = 0;
    int m_rowsPerPage = 0;
    int m_pageSize = kInitialPageSize;
    IListModel* m_model = nullptr;
    int m_sortMode = 0;
    ListCompare m_compare = nullptr;
    CJHeader* m_header = nullptr;
    CString m_typed;
    std::uint32_t m_typedTime = 0;
    int m_matchOffset = 0;
    bool m_tree = false;
    int m_rowStyle = 0;
    int m_widthUnits = 0;
    std::uint32_t m_flags = 0;
};
