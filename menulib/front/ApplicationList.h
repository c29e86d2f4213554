// The list page's application list: a grid of the applications of the chosen filter, one row each with the
// application's picture, name and short description, and buttons that try it and show its game information.
#pragma once
#include <memory>
#include <vector>

#include "forms/FormControl.h"
#include "frames/GridControl.h"

class CFrame;
class CJHeader;

class ReferralApplicationGrid : public CJGridControl {
public:
    ReferralApplicationGrid(CJWindow* parent, CJHeader* header, float layoutScale);

    // The rows: indices into the game information files.
    std::vector<int>& Rows() { return m_rows; }
    void DrawCell(int row, int column, CFrameInterface* frame, const platform::Rect& rowRect) override;

private:
    std::vector<int> m_rows;
    float m_layoutScale;
};

class CFormReferralApplicationListControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormReferralApplicationListControl)
public:
    CFormReferralApplicationListControl();
    ~CFormReferralApplicationListControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    void DestroyWindow() override;
    // Rebuilds the rows from the chosen filter of the list "Main".
    void UpdateWindow() override;

    void SetFilterIndex(int index) { m_filterIndex = index; }
    int GetFilterIndex() const { return m_filterIndex; }
    ReferralApplicationGrid* Grid() const { return static_cast<ReferralApplicationGrid*>(m_window); }

private:
    friend void DeclareApplicationList(ClassInfo* record);
    void ClearRows();
    void AddRowWindows(int row, int catalogIndex);

    std::int32_t m_controlWidth = 0;
    std::int32_t m_numberOfRows = 0;
    std::int32_t m_heightOfEachRow = 0;
    int m_filterIndex = 0;
    // The header outlives every grid made over it: it stays with the control.
    std::unique_ptr<CJHeader> m_header;
    std::vector<CJWindow*> m_rowWindows;
    std::vector<std::unique_ptr<CFrame>> m_scaledFrames;
};

// The catalog indices (into the game information files) of the applications of subset index of the list "Main",
// in the subset's order; none for an index outside the subsets.
std::vector<int> ApplicationsOfFilter(int index);
