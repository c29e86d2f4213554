#include "ui/Button.h"

#include "foundation/Messages.h"
#include "frames/FrameInterface.h"
#include "ui/InputState.h"
#include "ui/Themes.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr char kClickSound[] = "UI/Button Action.wav";
constexpr int kLeftButton = 0;
constexpr int kRightButton = 1;
constexpr int kSpace = ' ';
constexpr int kNotifyClicked = 0;

}  // namespace

CJButton::CJButton(CJWindow* parent, const char* text, CJButton* ring) : CJWindow(parent, text)
{
    SetTabStop(ring == nullptr);
    if (ring) JoinRing(ring);
    m_painter = GetTheme()->CreateButtonPainter(this);
}

CJButton::~CJButton() { LeaveRing(); }

// The ring.

void CJButton::JoinRing(CJButton* previous)
{
    m_nextInRing = previous->m_nextInRing ? previous->m_nextInRing : previous;
    previous->m_nextInRing = this;
}

void CJButton::LeaveRing()
{
    // A deleted button must not stay linked: the ring's arrow keys and SetChecked walk it.
    CJButton* previous = FindRingPredecessor();
    if (!previous) return;
    previous->m_nextInRing = m_nextInRing == previous ? nullptr : m_nextInRing;
    m_nextInRing = nullptr;
}

CJButton* CJButton::FindRingPredecessor() const
{
    if (!m_nextInRing) return nullptr;
    CJButton* button = m_nextInRing;
    while (button->m_nextInRing != this) button = button->m_nextInRing;
    return button;
}

void CJButton::SetChecked(int value)
{
    m_checked = value;
    if (!IsInRing()) return;
    SetTabStop(value != 0);
    if (!value) return;
    for (CJButton* other = m_nextInRing; other != this; other = other->m_nextInRing)
        if (other->GetChecked()) other->SetChecked(0);
}

// Clicks.

bool CJButton::TakeClicked()
{
    const bool clicked = m_clicked;
    m_clicked = false;
    return clicked;
}

void CJButton::Click()
{
    PlayClickSound();
    DoClick();
}

void CJButton::DoClick()
{
    m_clicked = true;
    if (IsShown()) m_showPressed = true;
    if (m_clickAction)
        m_clickAction->Fire();
    else
        NotifyParent(kNotifyClicked);
}

void CJButton::PlayClickSound() { MessageDispatcher::Instance().Dispatch(CPlaySoundMessage(kClickSound)); }

bool CJButton::Activate()
{
    if (!IsEnabled()) return false;
    Click();
    return true;
}

void CJButton::RefreshState()
{
    if (m_clickAction && m_clickAction->IsBound()) SetEnabled(m_clickAction->QueryState());
    CJWindow::RefreshState();
}

// Mouse and keys.

bool CJButton::HitTestPicture(int x, int y) const
{
    if (!m_hitPicture) return true;
    const platform::Rect& screen = GetScreenRect();
    return m_hitPicture->IsOpaqueAt(x - screen.left + GetScrollX(), y - screen.top + GetScrollY());
}

bool CJButton::Hits(int x, int y) const { return IsUnder(x, y) && HitTestPicture(x, y); }

bool CJButton::OnMouseDown(int button, int x, int y)
{
    if (CJWindow::OnMouseDown(button, x, y)) return true;
    if (button == kRightButton && m_rightClickAction) {
        m_rightClickAction->Fire();
        return true;
    }
    if (button != kLeftButton || !Hits(x, y)) return false;
    m_pressX = x;
    m_pressY = y;
    m_pressed = true;
    m_pointerInside = true;
    m_dragging = false;
    if (m_autoRepeat) RequestMouseRepeat(0, 0);
    return true;
}

bool CJButton::OnMouseUp(int button, int x, int y)
{
    if (CJWindow::OnMouseUp(button, x, y)) return true;
    if (button != kLeftButton || !m_pressed) return false;
    m_pressed = false;
    m_dragging = false;
    m_pointerInside = Hits(x, y);
    if (m_pointerInside && !HasRepeatFired()) Click();
    return true;
}

bool CJButton::OnMouseRepeat(int, int, int)
{
    Click();
    return true;
}

bool CJButton::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    if (CJWindow::OnDoubleClick(button, x, y, pressToo)) return true;
    if (!m_doubleClickAction) return false;
    m_doubleClickAction->Fire();
    return true;
}

bool CJButton::OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor)
{
    const bool taken = CJWindow::OnMouseMove(x, y, dx, dy, cursor);
    const bool inside = Hits(x, y);
    const bool wasInside = m_pointerInside;
    m_pointerInside = inside;
    if (IsEnabled() && wasInside && !inside && m_hoverLeaveAction) m_hoverLeaveAction->Fire();
    if (IsEnabled() && !wasInside && inside) {
        OnHoverEnter();
        if (m_hoverEnterAction) m_hoverEnterAction->Fire();
    }
    StartDragWhenFar(x, y, dx, dy, cursor);
    return taken;
}

void CJButton::StartDragWhenFar(int x, int y, int dx, int dy, CSequence*& cursor)
{
    if (!m_draggable || !m_pressed || m_dragging) return;
    const int ox = x - m_pressX;
    const int oy = y - m_pressY;
    if (ox * ox + oy * oy <= kDragDistanceSquared) return;
    m_dragging = true;
    m_pressed = false;
    OnButtonPress(x, y, dx, dy, 1u << kLeftButton, cursor);
}

bool CJButton::OnKey(int code)
{
    if (code == kSpace) {
        Click();
        return true;
    }
    CJButton* target = nullptr;
    if (code == kKeyRight) target = m_nextInRing;
    if (code == kKeyLeft) target = FindRingPredecessor();
    if (!target) return CJWindow::OnKey(code);
    if (CJWindow* parent = target->GetParent()) parent->ActivateChild(target);
    target->Click();
    return true;
}

CSequence* CJButton::GetCursorForPoint(int x, int y)
{
    if (m_handCursor && IsEnabled()) return GetToolkitCursor(kHandCursorSlot);
    return CJWindow::GetCursorForPoint(x, y);
}

bool CJButton::RequestHint(int x, int y)
{
    if (!IsUnder(x, y)) return GetParent() ? GetParent()->RequestHint(x, y) : false;
    if (m_hintText.IsEmpty()) return CJWindow::RequestHint(x, y);
    PopUpText(m_hintMode, m_hintText, -1, 0);
    return true;
}

// Drawing.

void CJButton::Draw(CFrameInterface* frame)
{
    if (m_painter) m_painter->Draw(frame);
    FinishDraw(frame);
}

void CJButton::FinishDraw(CFrameInterface* frame)
{
    m_showPressed = false;
    CJWindow::Draw(frame);
}

bool CJButton::PainterAcceptsProperty(const MessageBase& message)
{
    return m_painter && m_painter->HandleMessage(message);
}

void CJButton::SizeToContent()
{
    if (m_painter) m_painter->SizeToContent();
}

void CJButton::SetPainterOption(int option)
{
    if (option >= kJustifyLeft && option <= kJustifyRight) m_alignment = option;
}
