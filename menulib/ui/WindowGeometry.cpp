// A window's geometry: its rect in the parent's content coordinates, the screen, visible and clip rects that
// follow from it down the tree, the content size, scrolling and the spacing rule that grows parents.
#include <algorithm>

#include "ui/JWindow.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

constexpr float kScrollBarThickness = 15.0f;

int ScrollBarThickness() { return static_cast<int>(kScrollBarThickness * toolkit::GetScale()); }

}  // namespace

void CJWindow::SetRect(const Rect& rect)
{
    m_rect = rect;
    m_contentWidth = m_scrollInfo && m_scrollInfo->contentWidth ? m_scrollInfo->contentWidth : rect.Width();
    m_contentHeight = m_scrollInfo && m_scrollInfo->contentHeight ? m_scrollInfo->contentHeight : rect.Height();
    if (!m_parent) {
        m_screenRect = m_visibleRect = rect;
    } else {
        const CJWindow& p = *m_parent;
        m_screenRect = rect.Offset(p.m_screenRect.left - p.GetScrollX(), p.m_screenRect.top - p.GetScrollY());
        m_visibleRect = m_screenRect.Intersected(p.m_visibleRect);
    }
    m_clipRect = m_visibleRect.Offset(GetScrollX() - m_screenRect.left, GetScrollY() - m_screenRect.top);
    if (m_scrollInfo && m_scrollInfo->barsWanted) LayOutScrollBars();
    ApplyRectToTree();
}

void CJWindow::ApplyRectToTree()
{
    for (CJWindow* child = m_firstChild; child; child = child->m_nextSibling) child->SetRect(child->m_rect);
}

void CJWindow::SetSize(int width, int height) { SetRect(Rect::At(m_rect.left, m_rect.top, width, height)); }

void CJWindow::MoveTo(int x, int y) { SetRect(Rect::At(x, y, m_rect.Width(), m_rect.Height())); }

int CJWindow::GetContentWidth() const
{
    const bool bar = m_scrollInfo && m_scrollInfo->verticalBar;
    return m_rect.Width() - GetLeftInset() - (bar ? ScrollBarThickness() : 0);
}

int CJWindow::GetContentHeight() const
{
    const bool bar = m_scrollInfo && m_scrollInfo->horizontalBar;
    return m_rect.Height() - GetTopInset() - (bar ? ScrollBarThickness() : 0);
}

ScrollInfo& CJWindow::EnsureScrollInfo()
{
    if (!m_scrollInfo) m_scrollInfo = std::make_unique<ScrollInfo>();
    return *m_scrollInfo;
}

void CJWindow::FreeScrollInfoWhenZero()
{
    if (m_scrollInfo && m_scrollInfo->IsAllZero()) m_scrollInfo.reset();
}

void CJWindow::SetVirtualSize(int width, int height)
{
    ScrollInfo& info = EnsureScrollInfo();
    const bool changed = info.contentWidth != width || info.contentHeight != height;
    info.contentWidth = width;
    info.contentHeight = height;
    FreeScrollInfoWhenZero();
    if (changed) SetRect(m_rect);
}

void CJWindow::ScrollTo(int x, int y)
{
    ScrollInfo& info = EnsureScrollInfo();
    if (info.contentWidth && x + GetContentWidth() > info.contentWidth) x = info.contentWidth - GetContentWidth();
    if (info.contentHeight && y + GetContentHeight() > info.contentHeight) y = info.contentHeight - GetContentHeight();
    info.scrollX = std::max(x, 0);
    info.scrollY = std::max(y, 0);
    FreeScrollInfoWhenZero();
    SetRect(m_rect);
}

void CJWindow::ScrollToX(int x)
{
    if (x != GetScrollX()) ScrollTo(x, GetScrollY());
}

void CJWindow::ScrollToY(int y)
{
    if (y != GetScrollY()) ScrollTo(GetScrollX(), y);
}

void CJWindow::ScrollBy(int dx, int dy) { ScrollTo(GetScrollX() + dx, GetScrollY() + dy); }

void CJWindow::ApplySpacing(CJWindow* child, int gap)
{
    gap = gap == kDefaultGap ? m_edgeMargin : gap * DialogUnit();
    const int neededWidth = child->m_rect.right + gap;
    const int neededHeight = child->m_rect.bottom + gap;
    if (m_rect.Width() >= neededWidth && m_rect.Height() >= neededHeight) return;
    SetSize(std::max(m_rect.Width(), neededWidth), std::max(m_rect.Height(), neededHeight));
    if (m_parent && !(m_parent->m_placementFlags & kPlaceNoSpacing)) m_parent->ApplySpacing(this, kDefaultGap);
}

bool CJWindow::FindPlacementNeighbour(const Rect& screenRect, const CJWindow* skip) const
{
    for (const CJWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_firstChild && child->FindPlacementNeighbour(screenRect, skip)) return true;
        if (child != skip && child->m_screenRect == screenRect) return true;
    }
    return false;
}
