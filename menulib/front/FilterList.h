// The list page's filter list: a radio list of the subsets of the list "Main" whose chosen entry selects the
// applications the application list shows.
#pragma once
#include <functional>
#include <vector>

#include "forms/FormControl.h"
#include "ui/FrameWindow.h"

class CJButton;

class ReferralRadioList : public CJFrameWindow {
public:
    using Listener = std::function<void(int entry)>;

    // One button per text, spaceAbove + i x entryHeight from the top, textLeft from the left.
    ReferralRadioList(CJWindow* parent, const std::vector<CString>& texts, int spaceAbove, int entryHeight,
                      int textLeft, float layoutScale);

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    void SetSelectedIndex(int index) { m_selectedIndex = index; }
    int GetSelectedIndex() const { return m_selectedIndex; }
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // A click on an entry: it becomes the chosen one and the listener hears of it.
    void Choose(int entry);
    void Draw(CFrameInterface* frame) override;

private:
    std::vector<CJButton*> m_entries;
    int m_spaceAbove;
    int m_entryHeight;
    float m_layoutScale;
    int m_selectedIndex = 0;
    Listener m_listener;
};

class CFormReferralFilterListControl : public CFormControl {
    DECLARE_PERSISTENT_CLASS(CFormReferralFilterListControl)
public:
    CFormReferralFilterListControl();
    ~CFormReferralFilterListControl() override;

    CJWindow* CreateWindow(CJWindow* themeSource, CJWindow* container) override;
    // The radio list shows the stored index.
    void UpdateWindow() override;
    // Stores the index and shows it.
    virtual void SetSelectedIndex(int index);
    int GetSelectedIndex() const { return m_selectedIndex; }
    ReferralRadioList* RadioList() const { return static_cast<ReferralRadioList*>(m_window); }

private:
    friend void DeclareFilterList(ClassInfo* record);

    std::int32_t m_spaceAboveFirstEntry = 0;
    std::int32_t m_spaceBelowLastEntry = 0;
    std::int32_t m_heightOfEachEntry = 0;
    std::int32_t m_width = 0;
    CString m_title;
    int m_selectedIndex = 0;
};
