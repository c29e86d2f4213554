// The window tree: construction and destruction, the sibling list, focus, and the routing of events.
#include "ui/JWindow.h"

#include "ui/Font.h"
#include "ui/InputState.h"
#include "ui/ScreenWindow.h"
#include "ui/Themes.h"
#include "ui/ToolkitKeys.h"
#include "ui/ToolkitStatics.h"

namespace {

constexpr int kUnsetGap = -1;

}  // namespace

CJWindow::CJWindow(CJWindow* parent, const char* name)
{
    Construct(parent);
    if (name) SetText(name);
}

CJWindow::CJWindow(CJWindow* parent, const CString& name)
{
    Construct(parent);
    ApplyText(name);
}

void CJWindow::Construct(CJWindow* parent)
{
    m_theme = parent && parent->m_theme ? parent->m_theme : toolkit::GetDefaultTheme();
    m_font = toolkit::GetDefaultFont();
    m_theme->ApplyToWindow(this, parent);
    const int fourUnits = DialogUnit() * 4;
    if (m_edgeMargin == kUnsetGap) m_edgeMargin = static_cast<std::int8_t>(fourUnits);
    if (m_controlSpacing == kUnsetGap) m_controlSpacing = static_cast<std::int8_t>(fourUnits);
    m_transparent = parent && parent->m_transparent;
    if (toolkit::GetDefaultBevelWidth() == toolkit::kUnsetBevelWidth) SetBevelWidth(2);
    m_bevelWidth = static_cast<std::int8_t>(toolkit::GetDefaultBevelWidth());
    toolkit::PrepareFirstWindow();
}

CJWindow::~CJWindow()
{
    // The screen's repeat records must never name a deleted window.
    if (CScreenWindow* screen = CScreenWindow::GetCurrentScreen(); screen && screen != this) screen->ForgetWindow(this);
    if (m_placementKey) SavePlacement(m_placementKey->GetText(), m_saveSize);
    while (m_firstChild) delete m_firstChild;
    if (m_parent) m_parent->RemoveChild(this);
}

int CJWindow::DialogUnit() const { return m_font ? m_font->GetHeight() / 5 : 0; }

void CJWindow::Update(float elapsed)
{
    for (CJWindow* child = m_firstChild; child;) {
        CJWindow* next = child->m_nextSibling;
        child->Update(elapsed);
        child = next;
    }
    if (m_scrollInfo && m_scrollInfo->barsWanted) LayOutScrollBars();
    if (m_closeRequested) Close();
}

bool CJWindow::Close()
{
    Delete();
    return true;
}

bool CJWindow::CloseChildren()
{
    while (m_lastChild)
        if (!m_lastChild->Close()) return false;
    return true;
}

CJWindow* CJWindow::GetScreen()
{
    CJWindow* root = this;
    while (root->m_parent) root = root->m_parent;
    return root;
}

void CJWindow::SetTransparent(bool on)
{
    m_transparent = on;
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) child->SetTransparent(on);
}

void CJWindow::SetBevelWidth(int units)
{
    m_bevelWidth = static_cast<std::int8_t>(units * DialogUnit());
    toolkit::SetDefaultBevelWidth(m_bevelWidth);
}

void CJWindow::SetFocus(bool on)
{
    m_hasFocus = on;
    if (m_firstChild) m_firstChild->SetFocus(on);
}

void CJWindow::OnChildNotify(CJWindow* child, int code)
{
    if (code != kNotifyAboutToDraw && m_parent) m_parent->OnChildNotify(child, code);
}

void CJWindow::NotifyParent(int code)
{
    if (m_parent) m_parent->OnChildNotify(this, code);
}

bool CJWindow::IsShown() const { return m_visible && (!m_parent || m_parent->IsShown()); }

bool CJWindow::IsActive() const { return m_parent ? m_parent->IsActive() : m_hasFocus; }

void CJWindow::RefreshState()
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) child->RefreshState();
}

void CJWindow::NotifyVisibleTree()
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling)
        if (m_visible) child->NotifyVisibleTree();
}

void CJWindow::Show(bool visible, bool notifyParent)
{
    if (m_visible == visible) return;
    m_visible = visible;
    OnVisibilityChanged(visible);
    if (!notifyParent || !m_parent) return;
    if (visible)
        m_parent->ActivateChild(this);
    else if (m_nextSibling)
        m_parent->ActivateChild(m_nextSibling);
}

// The sibling list.

void CJWindow::LinkBack(CJWindow* child)
{
    child->m_parent = this;
    child->m_prevSibling = m_lastChild;
    child->m_nextSibling = nullptr;
    if (m_lastChild)
        m_lastChild->m_nextSibling = child;
    else
        m_firstChild = child;
    m_lastChild = child;
}

void CJWindow::LinkFront(CJWindow* child)
{
    child->m_parent = this;
    child->m_nextSibling = m_firstChild;
    child->m_prevSibling = nullptr;
    if (m_firstChild)
        m_firstChild->m_prevSibling = child;
    else
        m_lastChild = child;
    m_firstChild = child;
}

void CJWindow::Unlink(CJWindow* child)
{
    if (child->m_prevSibling)
        child->m_prevSibling->m_nextSibling = child->m_nextSibling;
    else
        m_firstChild = child->m_nextSibling;
    if (child->m_nextSibling)
        child->m_nextSibling->m_prevSibling = child->m_prevSibling;
    else
        m_lastChild = child->m_prevSibling;
    child->m_parent = child->m_nextSibling = child->m_prevSibling = nullptr;
}

void CJWindow::PrepareChildFocus(CJWindow* child)
{
    const CJWindow* front = child->m_firstChild;
    if (!front || (front->IsVisible() && front->m_tabStop)) return;
    const bool navigation = toolkit::IsKeyboardNavigation();
    child->FocusNextTabStop();
    toolkit::SetKeyboardNavigation(navigation);
}

void CJWindow::AddChild(CJWindow* child, int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags)
{
    PrepareChildFocus(child);
    const bool hadChildren = m_firstChild != nullptr;
    LinkBack(child);
    flags |= m_placementFlags;
    if (mode)
        child->Place(mode, reference, gapX, gapY, flags);
    else
        child->SetRect(child->m_rect);
    if (!(flags & kPlaceNoSpacing)) ApplySpacing(child, flags & kPlaceNoEdgeMargin ? 0 : kDefaultGap);
    if (!hadChildren && m_hasFocus) child->SetFocus(true);
}

void CJWindow::AddChildFront(CJWindow* child, int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags)
{
    PrepareChildFocus(child);
    CJWindow* formerFront = m_firstChild;
    LinkFront(child);
    if (mode)
        child->Place(mode, reference, gapX, gapY, flags | m_placementFlags);
    else
        child->SetRect(child->m_rect);
    if (!m_hasFocus) return;
    if (formerFront) formerFront->SetFocus(false);
    child->SetFocus(true);
}

void CJWindow::RemoveChild(CJWindow* child)
{
    if (child->m_parent != this) return;
    Unlink(child);
    if (!child->m_hasFocus) return;
    if (m_firstChild) m_firstChild->SetFocus(true);
    child->SetFocus(false);
}

void CJWindow::ActivateChild(CJWindow* child)
{
    if (!child || child->m_parent != this || child->m_hasFocus) return;
    if (!m_hasFocus && m_parent) m_parent->ActivateChild(this);
    if (child != m_firstChild) {
        if (m_hasFocus && m_firstChild) m_firstChild->SetFocus(false);
        // The ring turns: the windows in front of the child move, in their order, behind the last one.
        CJWindow* oldFirst = m_firstChild;
        CJWindow* beforeChild = child->m_prevSibling;
        beforeChild->m_nextSibling = nullptr;
        child->m_prevSibling = nullptr;
        m_lastChild->m_nextSibling = oldFirst;
        oldFirst->m_prevSibling = m_lastChild;
        m_firstChild = child;
        m_lastChild = beforeChild;
    }
    if (m_hasFocus) child->SetFocus(true);
}

void CJWindow::MoveChildToEnd(CJWindow* child)
{
    if (m_firstChild == m_lastChild) return;
    RemoveChild(child);
    AddChild(child, 0, nullptr, kDefaultGap, kDefaultGap, kPlaceNoSpacing);
}

CJWindow* CJWindow::NextTabStop()
{
    if (!m_parent) return nullptr;
    auto isStop = [](const CJWindow* w) { return w->IsVisible() && w->m_tabStop; };
    for (CJWindow* w = m_nextSibling; w; w = w->m_nextSibling)
        if (isStop(w)) return w;
    for (CJWindow* w = m_parent->m_firstChild; w && w != this; w = w->m_nextSibling)
        if (isStop(w)) return w;
    return nullptr;
}

CJWindow* CJWindow::PrevTabStop()
{
    if (!m_parent) return nullptr;
    auto isStop = [](const CJWindow* w) { return w->IsVisible() && w->m_tabStop; };
    for (CJWindow* w = m_prevSibling; w; w = w->m_prevSibling)
        if (isStop(w)) return w;
    for (CJWindow* w = m_parent->m_lastChild; w && w != this; w = w->m_prevSibling)
        if (isStop(w)) return w;
    return nullptr;
}

bool CJWindow::FocusNextTabStop()
{
    if (!m_firstChild) return false;
    toolkit::SetKeyboardNavigation(true);
    CJWindow* stop = m_firstChild->NextTabStop();
    if (stop) ActivateChild(stop);
    return stop != nullptr;
}

bool CJWindow::FocusPrevTabStop()
{
    if (!m_firstChild) return false;
    toolkit::SetKeyboardNavigation(true);
    CJWindow* stop = m_firstChild->PrevTabStop();
    if (stop) ActivateChild(stop);
    return stop != nullptr;
}

// Mouse routing.

bool CJWindow::RouteMousePress(int button, int x, int y, bool activate, bool& pressToo, bool doubleClick)
{
    bool activated = !activate;
    // Activation turns the ring: the windows in front of the pressed child, already asked, move behind the
    // former back. The walk ends when it comes round to the former front.
    const CJWindow* askedAlready = nullptr;
    for (CJWindow* child = m_firstChild; child && child != askedAlready;) {
        CJWindow* next = child->m_nextSibling;
        const bool considered = child->IsVisible() && child->m_enabled;
        const bool tried = considered && (child->IsUnder(x, y) || (child->m_modal && child == m_firstChild));
        if (tried) {
            if (!activated && child != m_firstChild) {
                askedAlready = m_firstChild;
                ActivateChild(child);
                next = child->m_nextSibling;
                activated = true;
            }
            const bool taken =
                doubleClick ? child->OnDoubleClick(button, x, y, pressToo) : child->OnMouseDown(button, x, y);
            if (taken) return true;
        }
        if (child->m_modal) break;
        child = next;
    }
    return false;
}

bool CJWindow::OwnPress(int button, int x, int y)
{
    m_pressX = x;
    m_pressY = y;
    m_pressState = 0;
    MouseState& mouse = MouseState::Get();
    CSequence* cursor = mouse.GetCursor();
    if (!OnButtonPress(x, y, 0, 0, 1u << button, cursor)) return false;
    m_captureMask |= static_cast<std::uint8_t>(1u << button);
    if (cursor != mouse.GetCursor()) mouse.SetCursor(cursor, true, false);
    return true;
}

bool CJWindow::OnMouseDown(int button, int x, int y)
{
    bool unused = false;
    if (RouteMousePress(button, x, y, true, unused, false)) return true;
    return OwnPress(button, x, y);
}

bool CJWindow::OnDoubleClick(int button, int x, int y, bool& pressToo)
{
    return RouteMousePress(button, x, y, false, pressToo, true);
}

bool CJWindow::OnMouseUp(int button, int x, int y)
{
    const auto bit = static_cast<std::uint8_t>(1u << button);
    if (m_captureMask & bit) {
        m_captureMask &= static_cast<std::uint8_t>(~bit);
        OnButtonRelease(bit, x, y);
        return true;
    }
    for (CJWindow* child = m_firstChild; child;) {
        CJWindow* next = child->m_nextSibling;
        if (child->OnMouseUp(button, x, y)) return true;
        if (child->m_modal) break;
        child = next;
    }
    return false;
}

bool CJWindow::OnButtonPress(int, int, int, int, std::uint32_t, CSequence*&) { return false; }

bool CJWindow::IsConsideredForMove(const CJWindow* child) const
{
    return child->IsVisible() && (child->m_enabled || child->m_tracksMouseWhenDisabled);
}

bool CJWindow::OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor)
{
    if (m_captureMask && OnButtonPress(x, y, dx, dy, m_captureMask, cursor)) return true;
    const CJWindow* hover = nullptr;
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (IsConsideredForMove(child)) {
            const bool under = child->IsUnder(x, y);
            if (under && !hover) hover = child->Hover(x, y, cursor);
            const bool hiddenBehindHover = under && hover != child;
            if (!hiddenBehindHover && child->OnMouseMove(x, y, dx, dy, cursor)) return true;
        }
        if (child->m_modal) break;
    }
    if (m_firstChild && !hover && IsVisible() && m_enabled && IsUnder(x, y)) RequestHint(x, y);
    return false;
}

const CJWindow* CJWindow::Hover(int x, int y, CSequence*& cursor)
{
    if (!m_firstChild || m_hintWithChildren) RequestHint(x, y);
    cursor = GetCursorForPoint(x - m_screenRect.left, y - m_screenRect.top);
    return this;
}

bool CJWindow::OnWheel(int steps, int x, int y)
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        const bool offered = child->IsVisible() && child->m_enabled && (child->IsUnder(x, y) || child->m_hasFocus);
        if (offered && child->OnWheel(steps, x, y)) return true;
        if (child->m_modal) break;
    }
    if (!m_scrollInfo || !m_scrollInfo->barsWanted) return false;
    for (CJWindow* bar : {reinterpret_cast<CJWindow*>(m_scrollInfo->verticalBar),
                          reinterpret_cast<CJWindow*>(m_scrollInfo->horizontalBar)})
        if (bar && bar->OnWheel(steps, x, y)) return true;
    return false;
}

bool CJWindow::BroadcastToChildren(std::uint32_t a, std::uint32_t b)
{
    bool any = false;
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->IsVisible() && child->m_enabled) any = child->BroadcastToChildren(a, b) || any;
        if (child->m_modal) break;
    }
    return any;
}

bool CJWindow::BroadcastClipboard(bool (CJWindow::*operation)(int), int value)
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->IsVisible() && (child->*operation)(value)) return true;
        if (child->m_modal) break;
    }
    return false;
}

bool CJWindow::Cut(int value) { return BroadcastClipboard(&CJWindow::Cut, value); }
bool CJWindow::Copy(int value) { return BroadcastClipboard(&CJWindow::Copy, value); }
bool CJWindow::Paste(int value) { return BroadcastClipboard(&CJWindow::Paste, value); }
bool CJWindow::Clear(int value) { return BroadcastClipboard(&CJWindow::Clear, value); }

bool CJWindow::OnKey(int code)
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        const bool asked = child->m_hasFocus && child->IsVisible() && child->m_enabled;
        if (asked && child->OnKey(code)) return true;
        if (child->m_modal) break;
    }
    if (code == kKeyTab && m_firstChild != m_lastChild) {
        const KeyboardState& keys = KeyboardState::Get();
        const bool shift = keys.IsDown(kScanLeftShift) || keys.IsDown(kScanRightShift);
        return shift ? FocusPrevTabStop() : FocusNextTabStop();
    }
    if (code == kKeyEscape && m_captureMask) {
        CancelCapture();
        return true;
    }
    return false;
}

CSequence* CJWindow::GetCursorForPoint(int, int) { return GetToolkitCursor(0); }

bool CJWindow::RequestHint(int x, int y) { return m_parent ? m_parent->RequestHint(x, y) : false; }

CFrameInterface* CJWindow::GetBackgroundTexture() const
{
    if (CFrameInterface* texture = m_theme->GetBackgroundTexture(this)) return texture;
    return toolkit::GetWindowTexture(IsActive() ? toolkit::kWindowTexture : toolkit::kInactiveWindowTexture);
}
