// Placing a window next to its parent's edges or a sibling, at the mouse pointer, and the placement saved in the
// settings file.
#include <algorithm>

#include "foundation/ConfigFile.h"
#include "ui/InputState.h"
#include "ui/JWindow.h"
#include "ui/ScreenWindow.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

enum PlacementMode : int {
    kPlaceTopLeft = 1,
    kPlaceTopRight = 2,
    kPlaceTopRightNoInset = 3,
    kPlaceBottomRight = 4,
    kPlaceTopLeftToo = 5,
    kPlaceCentred = 6,
    kPlaceBelow = 7,
    kPlaceBelowPrevious = 8,
    kPlaceBelowRightAligned = 9,
    kPlaceBelowRightAlignedPrevious = 10,
    kPlaceRightBar = 19,
    kPlaceLeftOf = 20,
    kPlaceLeftOfPrevious = 21,
    kPlaceAtPointer = 22,
    kPlaceBottomLeft = 23,
};

// Modes 7 to 18, 20 and 21 are placed by a reference: the odd ones (and 20) by the given window, their twins by
// the previous sibling.
bool UsesReference(int mode) { return (mode >= 7 && mode <= 18) || mode == 20 || mode == 21; }
bool UsesPreviousSibling(int mode) { return mode == 21 || (mode != 20 && mode % 2 == 0); }

constexpr const char* kKeyWidth = "Width";
constexpr const char* kKeyHeight = "Height";
constexpr const char* kKeyX = "Position X";
constexpr const char* kKeyY = "Position Y";
constexpr const char* kKeyShow = "Show Window";
constexpr const char* kKeyTransparent = "Transparent Window";
constexpr int kNeighbourStep = 10;

}  // namespace

void CJWindow::ResolvePlacementGaps(int mode, int& gapX, int& gapY, std::uint32_t flags) const
{
    const int unit = flags & kPlaceGapsInPixels ? 1 : DialogUnit();
    const int margin = m_parent ? m_parent->m_edgeMargin : 0;
    const int spacing = m_parent ? m_parent->m_controlSpacing : 0;
    if (gapX != kDefaultGap)
        gapX *= unit;
    else if ((mode >= kPlaceTopLeft && mode <= kPlaceBottomRight) || mode == kPlaceBottomLeft)
        gapX = margin;
    else if (mode == 9 || mode == 10 || mode == kPlaceRightBar || mode == kPlaceAtPointer)
        gapX = 0;
    else
        gapX = spacing;
    if (gapY != kDefaultGap)
        gapY *= unit;
    else if (mode == 9 || mode == 10)
        gapY = spacing;
    else if (mode == kPlaceAtPointer)
        gapY = 1;
    else
        gapY = gapX;
}

bool CJWindow::PlacementPosition(int mode, CJWindow* reference, int gapX, int gapY, int& x, int& y)
{
    const CJWindow* p = m_parent;
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    const int pw = p ? p->m_rect.Width() : 0;
    const int ph = p ? p->m_rect.Height() : 0;
    const int pvw = p ? p->m_visibleRect.Width() : 0;
    const int pvh = p ? p->m_visibleRect.Height() : 0;
    const int leftInset = p ? p->GetLeftInset() : 0;
    const int topInset = p ? p->GetTopInset() : 0;
    if (UsesReference(mode) && UsesPreviousSibling(mode)) reference = m_prevSibling;
    // A mode that needs a reference and has none leaves the window where it is.
    if (UsesReference(mode) && !reference) return false;
    const Rect r = reference ? reference->m_rect : Rect{};
    switch (mode) {
    case 1:
    case 5:
        x = gapX + leftInset;
        y = gapY + topInset;
        return true;
    case 2:
        x = pw - w - gapX;
        y = gapY + topInset;
        return true;
    case 3:
        x = pw - w - gapX;
        y = gapY;
        return true;
    case 4:
        x = pw - w - gapX;
        y = ph - h - gapY;
        return true;
    case 6:
        x = (pvw - w) / 2;
        y = (pvh - h) / 2;
        if (y + h > pvh) y = pvh - h;
        return true;
    case 7:
    case 8:
        x = r.left;
        y = r.bottom + gapY;
        return true;
    case 9:
    case 10:
        x = r.right - w + gapX;
        y = r.bottom + gapY;
        return true;
    case 11:
    case 12:
        x = (pvw - w) / 2;
        y = r.bottom + gapY;
        return true;
    case 13:
    case 14:
        x = r.right + gapX;
        y = r.top;
        return true;
    case 15:
    case 16:
        x = r.right + gapX;
        y = r.top - (h - r.Height()) / 2;
        return true;
    case 17:
    case 18:
        x = r.right + gapX;
        y = r.bottom - h;
        return true;
    case kPlaceRightBar:
        SetHeight(ph);
        x = pw;
        y = 0;
        return true;
    case 20:
    case 21:
        x = r.left - w - gapX;
        y = r.top;
        return true;
    case kPlaceBottomLeft:
        x = gapX;
        y = ph - h - gapY;
        return true;
    default: return false;
    }
}

void CJWindow::Place(int mode, CJWindow* reference, int gapX, int gapY, std::uint32_t flags)
{
    if (mode == 0) return;
    flags |= m_placementFlags;
    if (mode == kPlaceBelowPrevious && !m_prevSibling) mode = kPlaceTopLeft;
    ResolvePlacementGaps(mode, gapX, gapY, flags);
    if (mode == kPlaceAtPointer) {
        PlaceAtPointer(gapX, gapY);
    } else {
        int x = m_rect.left;
        int y = m_rect.top;
        if (PlacementPosition(mode, reference, gapX, gapY, x, y)) MoveTo(x, y);
    }
    if (!(flags & kPlaceNoSpacing) && m_parent)
        m_parent->ApplySpacing(this, flags & kPlaceNoEdgeMargin ? 0 : kDefaultGap);
}

void CJWindow::PlaceAtPointer(int gapX, int gapY)
{
    CJWindow* screen = FindScreenWindow();
    if (!screen) return;
    int pointerX = 0;
    int pointerY = 0;
    MouseState::Get().GetPosition(pointerX, pointerY);
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    int px = pointerX;
    int py = pointerY;
    if (screen->GetWidth() - px < w && px - w >= 0) px -= w;
    if (screen->GetHeight() - py < h && py - h >= 0) py -= h;
    int x = px + gapX;
    int y = py + gapY;
    if (m_parent) {
        x = std::min(x, m_parent->GetWidth() - w);
        y = std::min(y, m_parent->GetHeight() - h);
    }
    x = std::max(x, 0);
    y = std::max(y, 0);
    MoveTo(x, y);
    const int correctionX = x - (px + gapX);
    const int correctionY = y - (py + gapY);
    if (correctionX || correctionY) MouseState::Get().SetPosition(pointerX + correctionX, pointerY + correctionY);
}

void CJWindow::KeepPlacementReachable(int& x, int& y) const
{
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    if (m_parent) {
        const Rect& screen = m_parent->m_screenRect;
        const Rect& visible = m_parent->m_visibleRect;
        if (x + screen.left > visible.right) x = visible.right - w - screen.left;
        if (y + screen.top > visible.bottom) y = visible.bottom - h - screen.top;
        if (x + w + screen.left < visible.left) x = visible.left - screen.left;
        if (y + h + screen.top < visible.top) y = visible.top - screen.top;
        return;
    }
    const CScreenWindow* current = CScreenWindow::GetCurrentScreen();
    const int width = current ? current->GetWidth() : 0;
    const int height = current ? current->GetHeight() : 0;
    if (x + w < 0) x = 0;
    if (current && x > width - 1) x = width - w;
    if (y + h < 0) y = 0;
    if (current && y > height - 1) y = height - h;
}

void CJWindow::LoadPlacement(const char* key, bool withSize)
{
    const CString section(key ? CString(key) : m_text);
    m_placementKey = std::make_unique<CString>(section);
    m_saveSize = withSize;
    const char* file = toolkit::GetSettingsFileName();
    const char* name = section.GetText();
    if (withSize) {
        const int width = ReadConfigInt(file, name, kKeyWidth, GetWidth());
        const int height = ReadConfigInt(file, name, kKeyHeight, GetHeight());
        if (width > 0 && height > 0) SetSize(width, height);
    }
    int x = ReadConfigInt(file, name, kKeyX, m_rect.left);
    int y = ReadConfigInt(file, name, kKeyY, m_rect.top);
    const bool show = ReadConfigInt(file, name, kKeyShow, m_visible) != 0;
    SetTransparent(ReadConfigInt(file, name, kKeyTransparent, m_transparent) != 0);
    KeepPlacementReachable(x, y);
    if (x != m_rect.left || y != m_rect.top) MoveTo(x, y);
    if (show != m_visible) Show(show, true);
    while (m_parent && m_parent->FindPlacementNeighbour(m_screenRect, this))
        MoveTo(m_rect.left + kNeighbourStep, m_rect.top + kNeighbourStep);
}

void CJWindow::SavePlacement(const char* key, bool withSize)
{
    const CString section(key ? CString(key) : m_text);
    const char* file = toolkit::GetSettingsFileName();
    const char* name = section.GetText();
    if (withSize) {
        WriteConfigInt(file, name, kKeyWidth, GetWidth());
        WriteConfigInt(file, name, kKeyHeight, GetHeight());
    }
    WriteConfigInt(file, name, kKeyX, m_rect.left);
    WriteConfigInt(file, name, kKeyY, m_rect.top);
    WriteConfigInt(file, name, kKeyShow, m_visible ? 1 : 0);
    WriteConfigInt(file, name, kKeyTransparent, m_transparent ? 1 : 0);
}
