#include "frames/ProxyFrame.h"

using platform::Rect;

IMPLEMENT_PERSISTENT_CLASS(CProxyFrame, CFrameInterface, 1.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(COffsetProxyFrame, CProxyFrame, 0.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(CClippedProxyFrame, CProxyFrame, 0.0f, nullptr)
IMPLEMENT_PERSISTENT_CLASS(COffsetClippedProxyFrame, CProxyFrame, 1.0f, nullptr)

// ---- Offset

bool COffsetProxyFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    return CProxyFrame::Blit(source, sourceRect, destinationRect.Offset(-m_offsetX, -m_offsetY), blitType);
}
bool COffsetProxyFrame::ClearRect(const Rect& rect)
{
    return CProxyFrame::ClearRect(rect.Offset(-m_offsetX, -m_offsetY));
}
bool COffsetProxyFrame::FillRect(const Rect& rect, const Color& color)
{
    return CProxyFrame::FillRect(rect.Offset(-m_offsetX, -m_offsetY), color);
}
bool COffsetProxyFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    return CProxyFrame::RemapRect(rect.Offset(-m_offsetX, -m_offsetY), table);
}
Rect COffsetProxyFrame::GetBounds() const { return CProxyFrame::GetBounds().Offset(m_offsetX, m_offsetY); }
int COffsetProxyFrame::GetOriginX() const { return CProxyFrame::GetOriginX() + m_offsetX; }
int COffsetProxyFrame::GetOriginY() const { return CProxyFrame::GetOriginY() + m_offsetY; }
bool COffsetProxyFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    return CProxyFrame::DrawLine(x0 - m_offsetX, y0 - m_offsetY, x1 - m_offsetX, y1 - m_offsetY, color);
}
bool COffsetProxyFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    const auto ox = static_cast<float>(m_offsetX), oy = static_cast<float>(m_offsetY);
    return CProxyFrame::DrawLineF(x0 - ox, y0 - oy, x1 - ox, y1 - oy, color);
}
bool COffsetProxyFrame::GetPixelColor(int x, int y, Color& out) const
{
    return CProxyFrame::GetPixelColor(x - m_offsetX, y - m_offsetY, out);
}
std::uint32_t COffsetProxyFrame::GetPixelValue(int x, int y) const
{
    return CProxyFrame::GetPixelValue(x - m_offsetX, y - m_offsetY);
}
bool COffsetProxyFrame::SetPixel(int x, int y, const Color& color)
{
    return CProxyFrame::SetPixel(x - m_offsetX, y - m_offsetY, color);
}
bool COffsetProxyFrame::IsOpaqueAt(int x, int y) const { return CProxyFrame::IsOpaqueAt(x - m_offsetX, y - m_offsetY); }

// ---- Clipped

void CClippedProxyFrame::WrapWhole(CFrameInterface* frame)
{
    SetWrapped(frame);
    m_clip.Set(frame->GetBounds());
}

bool CClippedProxyFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    if (!ClipBlitRects(m_clip.rect, sourceRect, destinationRect)) return false;
    return CProxyFrame::Blit(source, sourceRect, destinationRect, blitType);
}

bool CClippedProxyFrame::ClearRect(const Rect& rect)
{
    Rect clipped = rect;
    return IntersectRect(m_clip.rect, clipped) && CProxyFrame::ClearRect(clipped);
}

bool CClippedProxyFrame::FillRect(const Rect& rect, const Color& color)
{
    Rect clipped = rect;
    return IntersectRect(m_clip.rect, clipped) && CProxyFrame::FillRect(clipped, color);
}

bool CClippedProxyFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    Rect clipped = rect;
    return IntersectRect(m_clip.rect, clipped) && CProxyFrame::RemapRect(clipped, table);
}

Rect CClippedProxyFrame::GetBounds() const
{
    const Rect common = m_clip.rect.Intersected(CProxyFrame::GetBounds());
    if (common.IsEmpty()) return Rect{m_clip.rect.left, m_clip.rect.top, m_clip.rect.left, m_clip.rect.top};
    return common;
}

bool CClippedProxyFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    return ClipLine(m_clip.rect, x0, y0, x1, y1) && CProxyFrame::DrawLine(x0, y0, x1, y1, color);
}

bool CClippedProxyFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    return ClipLineF(m_clip.rect, x0, y0, x1, y1) && CProxyFrame::DrawLineF(x0, y0, x1, y1, color);
}

bool CClippedProxyFrame::GetPixelColor(int x, int y, Color& out) const
{
    if (m_clip.rect.Contains(x, y)) return CProxyFrame::GetPixelColor(x, y, out);
    out = Color{};
    return false;
}

std::uint32_t CClippedProxyFrame::GetPixelValue(int x, int y) const
{
    return m_clip.rect.Contains(x, y) ? CProxyFrame::GetPixelValue(x, y) : 0;
}

bool CClippedProxyFrame::SetPixel(int x, int y, const Color& color)
{
    return m_clip.rect.Contains(x, y) && CProxyFrame::SetPixel(x, y, color);
}

bool CClippedProxyFrame::IsOpaqueAt(int x, int y) const
{
    return m_clip.rect.Contains(x, y) && CProxyFrame::IsOpaqueAt(x, y);
}

// ---- Offset and clipped

void COffsetClippedProxyFrame::SetWrapped(CFrameInterface* frame)
{
    m_offset.SetWrapped(&m_clip);
    m_clip.SetWrapped(frame);
    CProxyFrame::SetWrapped(frame);
}

void COffsetClippedProxyFrame::SetClipRect(const Rect& rect)
{
    m_clip.SetClip(rect.Offset(-m_offset.GetOffsetX(), -m_offset.GetOffsetY()));
}

bool COffsetClippedProxyFrame::ToClipped(const Rect& rect, Rect& out) const
{
    out = rect.Offset(-m_offset.GetOffsetX(), -m_offset.GetOffsetY());
    return IntersectRect(m_clip.GetBounds(), out);
}

bool COffsetClippedProxyFrame::ToInside(int& x, int& y) const
{
    x -= m_offset.GetOffsetX();
    y -= m_offset.GetOffsetY();
    return m_clip.GetBounds().Contains(x, y);
}

bool COffsetClippedProxyFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    destinationRect = destinationRect.Offset(-m_offset.GetOffsetX(), -m_offset.GetOffsetY());
    if (!ClipBlitRects(m_clip.GetBounds(), sourceRect, destinationRect)) return false;
    return CProxyFrame::Blit(source, sourceRect, destinationRect, blitType);
}

bool COffsetClippedProxyFrame::ClearRect(const Rect& rect)
{
    Rect clipped;
    return ToClipped(rect, clipped) && CProxyFrame::ClearRect(clipped);
}

bool COffsetClippedProxyFrame::FillRect(const Rect& rect, const Color& color)
{
    Rect clipped;
    return ToClipped(rect, clipped) && CProxyFrame::FillRect(clipped, color);
}

bool COffsetClippedProxyFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    Rect clipped;
    return ToClipped(rect, clipped) && CProxyFrame::RemapRect(clipped, table);
}

Rect COffsetClippedProxyFrame::GetBounds() const
{
    return m_clip.GetBounds().Offset(m_offset.GetOffsetX(), m_offset.GetOffsetY());
}

int COffsetClippedProxyFrame::GetOriginX() const { return CProxyFrame::GetOriginX() + m_offset.GetOffsetX(); }
int COffsetClippedProxyFrame::GetOriginY() const { return CProxyFrame::GetOriginY() + m_offset.GetOffsetY(); }

bool COffsetClippedProxyFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    const int ox = m_offset.GetOffsetX(), oy = m_offset.GetOffsetY();
    x0 -= ox, x1 -= ox, y0 -= oy, y1 -= oy;
    return ClipLine(m_clip.GetBounds(), x0, y0, x1, y1) && CProxyFrame::DrawLine(x0, y0, x1, y1, color);
}

bool COffsetClippedProxyFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    const auto ox = static_cast<float>(m_offset.GetOffsetX()), oy = static_cast<float>(m_offset.GetOffsetY());
    x0 -= ox, x1 -= ox, y0 -= oy, y1 -= oy;
    return ClipLineF(m_clip.GetBounds(), x0, y0, x1, y1) && CProxyFrame::DrawLineF(x0, y0, x1, y1, color);
}

bool COffsetClippedProxyFrame::GetPixelColor(int x, int y, Color& out) const
{
    if (ToInside(x, y)) return CProxyFrame::GetPixelColor(x, y, out);
    out = Color{};
    return false;
}

std::uint32_t COffsetClippedProxyFrame::GetPixelValue(int x, int y) const
{
    return ToInside(x, y) ? CProxyFrame::GetPixelValue(x, y) : 0;
}

bool COffsetClippedProxyFrame::SetPixel(int x, int y, const Color& color)
{
    return ToInside(x, y) && CProxyFrame::SetPixel(x, y, color);
}

bool COffsetClippedProxyFrame::IsOpaqueAt(int x, int y) const
{
    return ToInside(x, y) && CProxyFrame::IsOpaqueAt(x, y);
}
