#include "ui/ScrollBar.h"

#include <algorithm>
#include <cmath>

#include "frames/FrameInterface.h"
#include "ui/Font.h"
#include "ui/TileTexture.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

constexpr std::uint16_t kUpGlyph = 0x25B2;
constexpr std::uint16_t kDownGlyph = 0x25BC;
constexpr std::uint16_t kLeftGlyph = 31;
constexpr std::uint16_t kRightGlyph = 30;
constexpr float kScrollLimit = 2.0e9f;

// Toolkit cursors over each part, by part index (none, thumb, first arrow, second arrow, track before, after).
constexpr int kVerticalCursors[] = {0, 9, 15, 17, 16, 18};
constexpr int kHorizontalCursors[] = {0, 7, 19, 21, 20, 22};
constexpr int kVerticalDragCursor = 10;
constexpr int kHorizontalDragCursor = 8;

// A position as a whole scroll offset: truncated, and kept where an int holds it.
int WholeOffset(float position)
{
    return static_cast<int>(std::clamp(std::trunc(position), -kScrollLimit, kScrollLimit));
}

}  // namespace

int CJScrollBar::Thickness() { return static_cast<int>(kThickness * toolkit::GetScale()); }

CJScrollBar::CJScrollBar(CJWindow* owner, int orientation)
    : CJWindow(owner, "~CJScrollBar"),
      m_orientation(orientation == kVerticalBar ? kVerticalBar : kHorizontalBar),
      m_owner(owner)
{
    const int thickness = Thickness();
    if (IsVertical())
        SetSize(thickness, kInitialLength);
    else
        SetSize(kInitialLength, thickness);
}

void CJScrollBar::SetRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    ComputeThumb();
    const float clamped = std::max(std::min(m_position, m_maximum), m_minimum);
    if (clamped != m_position) {
        m_position = clamped;
        ComputeThumb();
    }
}

void CJScrollBar::SetPosition(float position, bool silent)
{
    if (position == m_position || std::isnan(position)) return;
    m_position = std::max(std::min(position, m_maximum), m_minimum);
    ComputeThumb();
    if (silent) return;
    NotifyParent(kNotifyScrollPosition);
    ScrollOwner();
}

void CJScrollBar::ScrollOwner()
{
    if (!m_owner) return;
    if (IsVertical())
        m_owner->ScrollToY(WholeOffset(m_position));
    else
        m_owner->ScrollToX(WholeOffset(m_position));
}

void CJScrollBar::SyncWithContent(CJWindow* owner)
{
    if (!owner) return;
    const ScrollInfo* info = owner->GetScrollInfo();
    const int content = info ? (IsVertical() ? info->contentHeight : info->contentWidth) : 0;
    const int visible = IsVertical() ? owner->GetHeight() : owner->GetWidth();
    const int offset = IsVertical() ? owner->GetScrollY() : owner->GetScrollX();
    if (content && content < offset + visible) {
        if (IsVertical())
            owner->ScrollToY(content - visible);
        else
            owner->ScrollToX(content - visible);
    }
    if (visible >= content) {
        SetRange(0.0f, 0.0f);
        SetPosition(0.0f, true);
        return;
    }
    SetRange(0.0f, static_cast<float>(content - visible));
    SetPosition(static_cast<float>(IsVertical() ? owner->GetScrollY() : owner->GetScrollX()), true);
    m_pageStep = static_cast<float>(visible);
    m_lineStep = 10.0f;
}

bool CJScrollBar::ClipRect(Rect& rect, int originX, int originY) const
{
    const Rect& bar = GetRect();
    const Rect moved = rect.Offset(originX, originY);
    if (moved.Intersected(bar).IsEmpty()) return false;
    if (IsVertical()) {
        rect.top = std::max(moved.top, bar.top) - originY;
        rect.bottom = std::min(moved.bottom, bar.bottom) - originY;
    } else {
        rect.left = std::max(moved.left, bar.left) - originX;
        rect.right = std::min(moved.right, bar.right) - originX;
    }
    return true;
}

// Geometry.

void CJScrollBar::SetRect(const Rect& rect)
{
    const bool docked = m_owner && m_owner == GetParent();
    CJWindow::SetRect(docked ? DockedRect() : rect);
    LayOutParts();
    if (!docked) return;
    const int extent = IsVertical() ? m_owner->GetHeight() : m_owner->GetWidth();
    if (extent == m_dockedExtent) return;
    m_dockedExtent = extent;
    SyncWithContent(m_owner);
}

void CJScrollBar::SetSize(int width, int height) { SetRect(Rect::At(GetRect().left, GetRect().top, width, height)); }

Rect CJScrollBar::DockedRect() const
{
    const int thickness = Thickness();
    const int width = m_owner->GetWidth();
    const int height = m_owner->GetHeight();
    const int x = m_owner->GetScrollX();
    const int y = m_owner->GetScrollY();
    if (IsVertical()) return {x + width - thickness, y, x + width, y + height};
    return {x, y + height - thickness, x + width, y + height};
}

void CJScrollBar::LayOutParts()
{
    const int w = GetWidth();
    const int h = GetHeight();
    if (IsVertical()) {
        m_firstArrow = {0, 0, w, w};
        m_secondArrow = {0, h - w, w, h};
        m_track = {0, w, w, h - w};
    } else {
        m_firstArrow = {0, 0, h, h};
        m_secondArrow = {w - h, 0, w, h};
        m_track = {h, 0, w - h, h};
    }
    ComputeThumb();
}

int CJScrollBar::TrackLength() const { return IsVertical() ? m_track.Height() : m_track.Width(); }

void CJScrollBar::ComputeThumb()
{
    m_thumb = m_track;
    const float range = m_maximum - m_minimum;
    if (m_hideWhenIdle) Show(range >= 1.0f, false);
    const int length = TrackLength();
    // A bar with nothing to scroll (or no track) keeps a thumb over the whole track and ignores drags.
    if (!(range > 0.0f) || !std::isfinite(range) || length <= 0) {
        m_pixelsPerUnit = 0.0f;
        return;
    }
    const double whole = static_cast<double>(length) * length / (static_cast<double>(range) + length);
    const int thumb = std::min(std::max(static_cast<int>(whole), kMinimumThumb), length);
    m_pixelsPerUnit = static_cast<float>(length - thumb) / range;
    const float offset = std::clamp(m_pixelsPerUnit * (m_position - m_minimum), 0.0f, static_cast<float>(length));
    const int start = (IsVertical() ? m_track.top : m_track.left) + static_cast<int>(offset);
    if (IsVertical()) {
        m_thumb.top = start;
        m_thumb.bottom = start + thumb;
    } else {
        m_thumb.left = start;
        m_thumb.right = start + thumb;
    }
}

// The mouse.

int CJScrollBar::PartAt(int x, int y) const
{
    if (m_firstArrow.Contains(x, y)) return kBarPartFirstArrow;
    if (m_secondArrow.Contains(x, y)) return kBarPartSecondArrow;
    if (m_thumb.Contains(x, y)) return kBarPartThumb;
    if (!m_track.Contains(x, y)) return kBarPartNone;
    const bool after = IsVertical() ? y > m_thumb.top : x > m_thumb.left;
    return after ? kBarPartTrackAfter : kBarPartTrackBefore;
}

bool CJScrollBar::OnMouseDown(int button, int x, int y)
{
    if (button != 0) return true;
    const int part = PartAt(x - GetScreenRect().left, y - GetScreenRect().top);
    float step = 0.0f;
    switch (part) {
    case kBarPartFirstArrow: step = -m_lineStep; break;
    case kBarPartSecondArrow: step = m_lineStep; break;
    case kBarPartTrackBefore: step = -m_pageStep; break;
    case kBarPartTrackAfter: step = m_pageStep; break;
    case kBarPartThumb: break;
    default: return false;
    }
    m_pressedPart = part;
    if (part == kBarPartThumb) return true;
    SetPosition(m_position + step, false);
    // Holding the part down keeps stepping: every repeat arrives as a new press.
    RequestMouseRepeat(0, 0);
    return true;
}

bool CJScrollBar::OnMouseUp(int button, int x, int y)
{
    if (button != 0 || m_pressedPart == kBarPartNone) return CJWindow::OnMouseUp(button, x, y);
    m_pressedPart = kBarPartNone;
    return true;
}

bool CJScrollBar::OnMouseMove(int x, int y, int dx, int dy, CSequence*& cursor)
{
    if (m_pressedPart != kBarPartThumb) return CJWindow::OnMouseMove(x, y, dx, dy, cursor);
    cursor = GetToolkitCursor(IsVertical() ? kVerticalDragCursor : kHorizontalDragCursor);
    const int moved = IsVertical() ? dy : dx;
    if (moved && m_pixelsPerUnit > 0.0f) SetPosition(m_position + moved / m_pixelsPerUnit, false);
    return true;
}

bool CJScrollBar::OnWheel(int steps, int, int)
{
    SetPosition(m_position - static_cast<float>(steps) * m_lineStep * kWheelLines, false);
    return true;
}

CSequence* CJScrollBar::GetCursorForPoint(int x, int y)
{
    const int part = PartAt(x, y);
    if (part == kBarPartNone) return CJWindow::GetCursorForPoint(x, y);
    return GetToolkitCursor(IsVertical() ? kVerticalCursors[part] : kHorizontalCursors[part]);
}

// Drawing.

void CJScrollBar::Draw(CFrameInterface* frame)
{
    DrawTrack(frame);
    DrawFirstArrow(frame);
    DrawSecondArrow(frame);
    DrawThumb(frame);
}

void CJScrollBar::DrawBox(CFrameInterface* frame, const Rect& box, int bevelStyle, bool shaded)
{
    if (box.IsEmpty()) return;
    if (!IsTransparent()) {
        if (CFrameInterface* texture = GetBackgroundTexture())
            TileTexture(frame, texture, box);
        else
            frame->FillRect(box, GetBackgroundColor());
    }
    if (shaded) frame->FillRect(box, toolkit::GetTrackColor());
    DrawBevel(GetFont(), frame, box, bevelStyle, kEdgeAll, false);
}

void CJScrollBar::DrawTrack(CFrameInterface* frame) { DrawBox(frame, m_track, kBevelSunken, true); }

void CJScrollBar::DrawThumb(CFrameInterface* frame)
{
    if (m_thumb.IsEmpty()) return;
    DrawBox(frame, m_thumb, kBevelRaised, false);
}

void CJScrollBar::DrawFirstArrow(CFrameInterface* frame)
{
    DrawArrow(frame, m_firstArrow, kBarPartFirstArrow, IsVertical() ? kUpGlyph : kLeftGlyph);
}

void CJScrollBar::DrawSecondArrow(CFrameInterface* frame)
{
    DrawArrow(frame, m_secondArrow, kBarPartSecondArrow, IsVertical() ? kDownGlyph : kRightGlyph);
}

void CJScrollBar::DrawArrow(CFrameInterface* frame, const Rect& box, int part, std::uint16_t glyph)
{
    const bool pressed = m_pressedPart == part;
    DrawBox(frame, box, pressed ? kBevelSunken : kBevelRaised, false);
    CFont* font = GetFont();
    if (!font || box.IsEmpty()) return;
    const CString label(&glyph, 1);
    const int shift = pressed ? 1 : 0;
    const int x = box.left + (box.Width() - font->MeasureWidth(label)) / 2 + shift;
    const int y = box.top + (box.Height() - font->GetHeight()) / 2 + shift;
    font->DrawText(frame, x, y, label);
}
