// The combo box: a one-row list that shows the chosen item, an arrow button at its right and, while open, a
// drop-down list under it (above it where there is no room below) in which the user chooses an item; Enter or F4
// keeps the choice, Escape or a press elsewhere goes back to the item chosen before.
#pragma once
#include "ui/Button.h"
#include "ui/ListBox.h"

class CJComboBox;

class CJDropDownList : public CJListBox {
public:
    static constexpr int kWidthUnits = 999999;
    static constexpr int kMostRows = 20;
    static constexpr int kTreeExtraRows = 30;

    CJDropDownList(CJComboBox* combo, IListModel* model, std::uint32_t flags, int rowStyle);
    ~CJDropDownList() override;

    // Closes the list at the next update, keeping the choice or going back to the one before; the combo box takes
    // the focus back.
    void CloseList(bool keepChoice);
    bool IsClosing() const { return m_closing; }
    // A key the combo box hands on when it opens the list by a key.
    bool PassKey(int code) { return OnKey(code); }
    // The combo box is going away: nothing is told any more.
    void ForgetCombo() { m_combo = nullptr; }

    void SetFocus(bool on) override;
    void NotifyParent(int code) override;
    void ExpandRow(int row) override;

protected:
    bool OnMouseDown(int button, int x, int y) override;
    bool OnMouseUp(int button, int x, int y) override;
    bool OnKey(int code) override;

private:
    void Finish(bool keepChoice, bool takeFocus);
    void FitWidth();

    CJComboBox* m_combo = nullptr;
    bool m_closing = false;
};

class CJComboBox : public CJWindow {
public:
    CJComboBox(CJWindow* parent, IListModel* model, std::uint32_t flags, int widthUnits);
    ~CJComboBox() override;

    void SetModel(IListModel* model, std::uint32_t flags);
    void SelectItem(int item, bool notify);
    // The item shown in the list part, -1 for none.
    int GetChosenItem() const;
    bool IsOpen() const { return m_dropDown != nullptr; }
    void Open();
    CJListBox* GetListPart() const { return m_listPart; }
    CJButton* GetArrowButton() const { return m_arrow; }
    CJDropDownList* GetDropDown() const { return m_dropDown; }
    void SetRowStyles(int style);
    void SetListOption(std::uint32_t flags);
    void SetOpenOnListClick(bool on) { m_openOnListClick = on; }
    void SetEnterNotifies(bool on) { m_enterNotifies = on; }
    // The drop-down ends: with the choice it made, or going back to the item remembered at opening; the combo box
    // takes the focus back unless the drop-down closed because the focus went elsewhere.
    void OnDropDownClosed(CJDropDownList* list, bool keepChoice, bool takeFocus);

    void OnChildNotify(CJWindow* child, int code) override;
    void SetRect(const platform::Rect& rect) override;
    // The parts and the drop-down take the combo box's background.
    void SetBackgroundColor(const Color& color) override;

protected:
    bool OnMouseDown(int button, int x, int y) override;
    bool OnKey(int code) override;

private:
    void PlaceDropDown();

    CJListBox* m_listPart = nullptr;
    CJButton* m_arrow = nullptr;
    CJDropDownList* m_dropDown = nullptr;
    IListModel* m_model = nullptr;
    std::uint32_t m_flags = 0;
    int m_widthUnits = 0;
    int m_rememberedItem = -1;
    bool m_openOnListClick = false;
    bool m_enterNotifies = false;
    int m_rowStyle = 0;
};
