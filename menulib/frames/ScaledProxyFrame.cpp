#include "frames/ScaledProxyFrame.h"

#include "blit/BlitType.h"
#include "frames/Frame.h"
#include "frames/ScaledFrameHolder.h"

using platform::Rect;

IMPLEMENT_PERSISTENT_CLASS(CScaledProxyFrame, CProxyFrame, 0.0f, nullptr)

CScaledProxyFrame::CScaledProxyFrame() { ConstructOwnMembers(); }
CScaledProxyFrame::~CScaledProxyFrame() { DestroyOwnMembers(); }

Rect CScaledProxyFrame::Scaled(const Rect& r) const
{
    const int left = X(r.left), top = Y(r.top);
    return Rect{left, top, left + X(r.Width()), top + Y(r.Height())};
}

int CScaledProxyFrame::GetMemorySize() const
{
    auto* frame = dynamic_cast<CFrame*>(GetWrapped());
    return (frame ? frame->GetMemorySize() : 0) + 4;
}

bool CScaledProxyFrame::Blit(CFrameInterface* source, Rect sourceRect, Rect destinationRect, BlitType* blitType)
{
    if (!source) return false;
    const int width = X(source->GetWidth()), height = Y(source->GetHeight());
    if (width <= 0 || height <= 0) return false;  // nothing left of the source at this scale
    CFrame* scaled = GetScaledFrame(source, width, height);
    if (!scaled) return false;
    sourceRect = Scaled(sourceRect).Offset(-X(source->GetOriginX()), -Y(source->GetOriginY()));
    return CProxyFrame::Blit(scaled, sourceRect, Scaled(destinationRect), blitType);
}

bool CScaledProxyFrame::ClearRect(const Rect& rect) { return CProxyFrame::ClearRect(Scaled(rect)); }
bool CScaledProxyFrame::FillRect(const Rect& rect, const Color& color)
{
    return CProxyFrame::FillRect(Scaled(rect), color);
}
bool CScaledProxyFrame::RemapRect(const Rect& rect, const ColorTable& table)
{
    return CProxyFrame::RemapRect(Scaled(rect), table);
}

Rect CScaledProxyFrame::GetBounds() const
{
    const Rect r = CProxyFrame::GetBounds();
    const int left = static_cast<int>(r.left / m_scaleX), top = static_cast<int>(r.top / m_scaleY);
    return Rect{left, top, left + static_cast<int>(r.Width() / m_scaleX),
                top + static_cast<int>(r.Height() / m_scaleY)};
}

int CScaledProxyFrame::GetOriginX() const { return static_cast<int>(CProxyFrame::GetOriginX() / m_scaleX); }
int CScaledProxyFrame::GetOriginY() const { return static_cast<int>(CProxyFrame::GetOriginY() / m_scaleY); }

bool CScaledProxyFrame::DrawLine(int x0, int y0, int x1, int y1, const Color& color)
{
    return CProxyFrame::DrawLine(X(x0), Y(y0), X(x1), Y(y1), color);
}

bool CScaledProxyFrame::DrawLineF(float x0, float y0, float x1, float y1, const Color& color)
{
    return CProxyFrame::DrawLineF(x0 * m_scaleX, y0 * m_scaleY, x1 * m_scaleX, y1 * m_scaleY, color);
}

bool CScaledProxyFrame::GetPixelColor(int x, int y, Color& out) const
{
    return CProxyFrame::GetPixelColor(X(x), Y(y), out);
}
std::uint32_t CScaledProxyFrame::GetPixelValue(int x, int y) const { return CProxyFrame::GetPixelValue(X(x), Y(y)); }
bool CScaledProxyFrame::SetPixel(int x, int y, const Color& color) { return CProxyFrame::SetPixel(X(x), Y(y), color); }
bool CScaledProxyFrame::IsOpaqueAt(int x, int y) const { return CProxyFrame::IsOpaqueAt(X(x), Y(y)); }
