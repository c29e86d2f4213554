#include "ui/ComboBox.h"

#include <algorithm>

#include "ui/ToolkitKeys.h"

using platform::Rect;

namespace {

constexpr std::uint16_t kDownGlyph = 0x25BC;
constexpr int kLeastListWidth = 4;

}  // namespace

CJComboBox::CJComboBox(CJWindow* parent, IListModel* model, std::uint32_t flags, int widthUnits)
    : CJWindow(parent, "~CJComboBox"), m_model(model), m_flags(flags), m_widthUnits(widthUnits)
{
    SetTabStop(true);
    m_listPart = new CJListBox(this, model, flags | kListNoTreeBoxes | kListNoScrollBar, widthUnits, 0);
    m_listPart->SetTabStop(false);
    m_listPart->SetRowsPerPage(1);
    // The arrow is a toolkit button labelled U+25BC: it clicks (and sounds) when a press on it is released on it,
    // and its click, told to the combo box, opens the list.
    m_arrow = new CJButton(this, CString(&kDownGlyph, 1).EncodeUnicodeHex().GetText(), nullptr);
    m_arrow->SetTabStop(false);
    AddChild(m_listPart, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    AddChild(m_arrow, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    const int height = m_listPart->GetHeight();
    SetSize(m_listPart->GetWidth() + height, height);
}

CJComboBox::~CJComboBox()
{
    if (!m_dropDown) return;
    m_dropDown->ForgetCombo();
    m_dropDown->CloseList(false);
}

int CJComboBox::GetChosenItem() const { return m_listPart->GetCurrentItem(); }

void CJComboBox::SetModel(IListModel* model, std::uint32_t flags)
{
    m_model = model;
    m_flags = flags;
    m_listPart->SetModel(model, flags | kListNoTreeBoxes | kListNoScrollBar);
    if (m_dropDown) m_dropDown->SetModel(model, flags);
}

void CJComboBox::SelectItem(int item, bool notify) { m_listPart->SelectItem(item, notify); }

void CJComboBox::SetRowStyles(int style)
{
    m_rowStyle = style;
    m_listPart->SetRowStyle(style);
    if (m_dropDown) m_dropDown->SetRowStyle(style);
}

void CJComboBox::SetListOption(std::uint32_t flags) { SetModel(m_model, flags); }

void CJComboBox::SetBackgroundColor(const Color& color)
{
    CJWindow::SetBackgroundColor(color);
    if (m_listPart) m_listPart->SetBackgroundColor(color);
    if (m_arrow) m_arrow->SetBackgroundColor(color);
    if (m_dropDown) m_dropDown->SetBackgroundColor(color);
}

void CJComboBox::SetRect(const Rect& rect)
{
    CJWindow::SetRect(rect);
    if (!m_listPart || !m_arrow) return;
    const int height = GetHeight();
    m_arrow->SetRect({GetWidth() - height, 0, GetWidth(), height});
    const int listWidth = GetWidth() - height;
    if (listWidth > kLeastListWidth)
        m_listPart->SetRect(Rect::OfSize(listWidth, 2 * m_listPart->GetMargin() + m_listPart->GetRowHeight()));
}

// Opening and closing.

void CJComboBox::Open()
{
    if (m_dropDown || !GetParent()) return;
    m_rememberedItem = GetChosenItem();
    m_dropDown = new CJDropDownList(this, m_model, m_flags, m_rowStyle);
    m_dropDown->SetBackgroundColor(GetBackgroundColor());
    m_dropDown->SelectItem(m_rememberedItem, false);
    m_dropDown->CentreCurrentRow();
    PlaceDropDown();
    GetParent()->AddChildFront(m_dropDown, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
    GetParent()->ActivateChild(m_dropDown);
}

void CJComboBox::PlaceDropDown()
{
    const int height = m_dropDown->GetHeight();
    const int room = GetParent()->GetHeight();
    int top = GetRect().bottom;
    if (top + height > room) top = GetRect().top - height;
    if (top < 0) top = std::max(room - height, 0);
    m_dropDown->SetRect(Rect::At(GetRect().left, top, m_dropDown->GetWidth(), height));
}

void CJComboBox::OnDropDownClosed(CJDropDownList* list, bool keepChoice, bool takeFocus)
{
    if (list != m_dropDown) return;
    m_dropDown = nullptr;
    if (keepChoice && list->GetCurrentItem() >= 0)
        m_listPart->SelectItem(list->GetCurrentItem(), false);
    else if (!keepChoice && m_rememberedItem >= 0)
        m_listPart->SelectItem(m_rememberedItem, false);
    else if (!keepChoice)
        m_listPart->SetCurrentRow(-1, false);
    if (takeFocus && GetParent()) GetParent()->ActivateChild(this);
    if (keepChoice) NotifyParent(kNotifyListSelection);
}

void CJComboBox::OnChildNotify(CJWindow* child, int code)
{
    if (child && child == m_arrow) {
        if (IsEnabled()) Open();
        return;
    }
    if (child && child == m_dropDown) {
        if (code == kNotifyListSelection) m_listPart->SelectItem(m_dropDown->GetCurrentItem(), false);
        return;
    }
    CJWindow::OnChildNotify(child, code);
}

// Input while closed.

bool CJComboBox::OnMouseDown(int button, int x, int y)
{
    const bool onList = m_listPart->GetVisibleRect().Contains(x, y);
    if (m_openOnListClick && button == 0 && onList && IsEnabled()) {
        Open();
        return true;
    }
    return CJWindow::OnMouseDown(button, x, y);
}

bool CJComboBox::OnKey(int code)
{
    if (!m_dropDown) switch (code) {
        case kKeyUp:
        case kKeyDown: Open(); return m_dropDown && m_dropDown->PassKey(code);
        case kKeyF4: Open(); return true;
        case kKeyEnter:
            if (!m_enterNotifies) break;
            NotifyParent(kNotifyListActivated);
            return true;
        default: break;
        }
    return CJWindow::OnKey(code);
}
