// Drawing the window tree: children in two passes through the frame's origin and clip, focus and idle outlines,
// and the bevel rings.
#include "frames/Frame.h"
#include "frames/ProxyFrame.h"
#include "ui/Font.h"
#include "ui/JWindow.h"
#include "ui/TileTexture.h"
#include "ui/ToolkitStatics.h"

using platform::Rect;

namespace {

// The origin and clip of a proxy frame, put back when the scope ends.
class SavedOriginAndClip {
public:
    explicit SavedOriginAndClip(COffsetClippedProxyFrame& frame)
        : m_frame(frame), m_x(frame.GetOffsetX()), m_y(frame.GetOffsetY()), m_clip(frame.GetClipRect())
    {
    }
    ~SavedOriginAndClip() { Restore(); }
    SavedOriginAndClip(const SavedOriginAndClip&) = delete;
    SavedOriginAndClip& operator=(const SavedOriginAndClip&) = delete;
    void Restore()
    {
        m_frame.SetOffset(m_x, m_y);
        m_frame.SetClipRect(m_clip);
    }

private:
    COffsetClippedProxyFrame& m_frame;
    int m_x;
    int m_y;
    Rect m_clip;
};

struct BevelShades {
    Color first;
    Color second;
};

// The shades of a bevel style; false for styles that draw nothing.
bool ShadesOf(int style, bool inverted, BevelShades& shades)
{
    using namespace toolkit;
    if (GetDisplayBitDepth() == 8) {
        const int dark = inverted ? 40 : 80;
        const int light = inverted ? 245 : 200;
        const int levels[3][2] = {{dark, light}, {light, dark}, {dark, dark}};
        const bool ring = style >= 0 && style <= 2;
        shades = {GreyShade(ring ? levels[style][0] : 40), GreyShade(ring ? levels[style][1] : 40)};
        return style != kBevelNone;
    }
    const Color dark = GetShade(inverted ? kDark160 : kDark128);
    const Color light = GetShade(inverted ? kLight48 : kLight24);
    switch (style) {
    case kBevelSunken: shades = {dark, light}; return true;
    case kBevelRaised: shades = {light, dark}; return true;
    case kBevelFlatDark: shades = {dark, dark}; return true;
    case kBevelNone: return false;
    default: shades = {MakeColor(0, 0, 0), MakeColor(0, 0, 0)}; return true;
    }
}

void DrawRing(CFrameInterface* frame, const Rect& r, int edges, const BevelShades& shades)
{
    if (edges & kEdgeTop) frame->FillRect({r.left, r.top, r.right, r.top + 1}, shades.first);
    if (edges & kEdgeLeft) frame->FillRect({r.left, r.top, r.left + 1, r.bottom}, shades.first);
    if (edges & kEdgeRight) frame->FillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1}, shades.second);
    if (edges & kEdgeBottom) frame->FillRect({r.left + 1, r.bottom - 1, r.right, r.bottom}, shades.second);
}

}  // namespace

void CJWindow::Draw(CFrameInterface* frame)
{
    auto* proxy = dynamic_cast<COffsetClippedProxyFrame*>(frame);
    if (!proxy) {
        // A plain frame is drawn on through a proxy of its own, so that children can move its origin and clip.
        COffsetClippedProxyFrame own;
        own.SetWrapped(frame);
        own.SetClipRect(frame->GetBounds());
        Draw(&own);
        return;
    }
    for (bool topLayer : {false, true})
        for (CJWindow* child = m_lastChild; child;) {
            CJWindow* front = child->m_prevSibling;
            if (child->m_topLayer == topLayer) DrawChild(frame, child);
            child = front;
        }
    if (!m_scrollInfo || !m_scrollInfo->verticalBar || !m_scrollInfo->horizontalBar) return;
    // The square between the two automatic bars.
    const auto* vertical = reinterpret_cast<const CJWindow*>(m_scrollInfo->verticalBar);
    const auto* horizontal = reinterpret_cast<const CJWindow*>(m_scrollInfo->horizontalBar);
    CFrameInterface* texture = GetBackgroundTexture();
    const Rect corner{vertical->m_rect.left, horizontal->m_rect.top, vertical->m_rect.right, horizontal->m_rect.bottom};
    if (texture) TileTexture(frame, texture, corner);
}

void CJWindow::DrawChild(CFrameInterface* frame, CJWindow* child)
{
    if (!child->m_firstDrawNotified) {
        child->m_firstDrawNotified = true;
        child->OnChildNotify(nullptr, kNotifyAboutToDraw);
    }
    if (!child->IsVisible() || child->m_visibleRect.IsEmpty()) return;
    auto& proxy = static_cast<COffsetClippedProxyFrame&>(*frame);
    SavedOriginAndClip saved(proxy);
    proxy.SetOffset(child->GetScrollX() - child->m_screenRect.left, child->GetScrollY() - child->m_screenRect.top);
    proxy.SetClipRect(child->m_clipRect);
    child->Draw(frame);
    saved.Restore();
    DrawChildOutline(frame, child);
}

void CJWindow::DrawChildOutline(CFrameInterface* frame, CJWindow* child)
{
    if (!child->m_tabStop && !child->m_alwaysOutlined) return;
    if (child->m_hasFocus && toolkit::IsKeyboardNavigation())
        child->DrawFocusOutline(frame, m_outlineColor);
    else if (child->m_alwaysOutlined)
        child->DrawFocusOutline(frame, m_idleOutlineColor);
}

void CJWindow::DrawFocusOutline(CFrameInterface* frame, const Color& color)
{
    const Rect r{m_rect.left - 1, m_rect.top - 1, m_rect.right + 1, m_rect.bottom + 1};
    DrawRing(frame, r, kEdgeAll, {color, color});
}

void CJWindow::DrawBevel(CFont* font, CFrameInterface* frame, const Rect& rect, int style, int edges, bool inverted)
{
    BevelShades shades;
    if (rect.IsEmpty() || !font || !ShadesOf(style, inverted, shades)) return;
    int rings = font->GetHeight() / 5;
    if (style >= kBevelBlack && rings > 1) rings = 1;
    if (style > kBevelBlack) edges = kEdgeRight;
    Rect ring = rect;
    for (int i = 0; i < rings && !ring.IsEmpty(); ++i) {
        DrawRing(frame, ring, edges, shades);
        ring = {ring.left + 1, ring.top + 1, ring.right - 1, ring.bottom - 1};
    }
}
